#pragma once

#include "app/Editions.h"
#include "app/frame/CMainFrame.h"

// The main window of the Advanced edition: its placement, toolbar layout and after-load steps are
// those of its edition's row.
class CVarnobelAdvFrame : public CMainFrame {
public:
    CVarnobelAdvFrame(CMainDoc& doc, CMainView* view, Profile& profile, RecentFileList& recent,
                      MessageSink& sink)
        : CMainFrame(Editions::Of(Edition::Advanced), doc, view, profile, recent, sink) {}
};
