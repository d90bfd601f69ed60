#pragma once

#include "app/CVarnobelStdDoc.h"

// The Advanced edition's document. It reads as the Standard one does; the Advanced view rebuilds
// its statement from whatever the document holds after a read or a new forecast.
class CVarnobelAdvDoc : public CVarnobelStdDoc {
public:
    CVarnobelAdvDoc() = default;
};
