#pragma once

#include "document/CMainDoc.h"

// The Advanced edition's document. Every edition reads the same file the same way; the Advanced
// view rebuilds its statement from whatever the document holds after a read or a new forecast.
class CVarnobelAdvDoc : public CMainDoc {
public:
    CVarnobelAdvDoc() = default;
};
