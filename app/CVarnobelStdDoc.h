#pragma once

#include "document/CMainDoc.h"

// The Standard edition's document. Every edition reads the same file the same way; what each resets
// in its view after a read is in its edition's row (app/Editions).
class CVarnobelStdDoc : public CMainDoc {
public:
    CVarnobelStdDoc() = default;
};
