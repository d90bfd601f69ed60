#pragma once

#include "app/CVarnobelStdDoc.h"

// The Basic edition's document. It reads and resets as the Standard one does; what the Basic
// edition resets differently after a read lives in its view.
class CVarnobelBasDoc : public CVarnobelStdDoc {
public:
    CVarnobelBasDoc() = default;
};
