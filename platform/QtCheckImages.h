#pragma once

#include <QIcon>

// The state images of tree items with tri-state checks: our own artwork, painted once.
namespace QtCheckImages {

enum class CheckMark { Empty, Ticked, Partly };

// The 16 x 16 image of a check box showing `mark`.
QIcon Icon(CheckMark mark);

} // namespace QtCheckImages
