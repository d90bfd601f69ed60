#pragma once

#include "app/Editions.h"
#include "app/frame/CMainFrame.h"

// The main window of the Basic edition: its placement, toolbar layout and after-load steps are
// those of its edition's row.
class CVarnobelBasFrame : public CMainFrame {
public:
    CVarnobelBasFrame(CMainDoc& doc, CMainView* view, Profile& profile, RecentFileList& recent,
                      MessageSink& sink)
        : CMainFrame(Editions::Of(Edition::Basic), doc, view, profile, recent, sink) {}
};
