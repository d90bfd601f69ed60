#pragma once

#include "app/Editions.h"
#include "app/frame/CMainFrame.h"

// The main window of the Standard edition: its placement, toolbar layout and after-load steps are
// those of its edition's row.
class CVarnobelStdFrame : public CMainFrame {
public:
    CVarnobelStdFrame(CMainDoc& doc, CMainView* view, Profile& profile, RecentFileList& recent,
                      MessageSink& sink)
        : CMainFrame(Editions::Of(Edition::Standard), doc, view, profile, recent, sink) {}
};
