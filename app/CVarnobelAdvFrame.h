#pragma once

#include <QAction>

#include "app/CMainFrame.h"
#include "app/Editions.h"

// The main window of the Advanced edition: its placement, toolbar layout and after-load steps are
// those of its edition's row.
class CVarnobelAdvFrame : public CMainFrame {
public:
    CVarnobelAdvFrame(CMainDoc& doc, CMainView* view, Profile& profile, RecentFileList& recent,
                      MessageSink& sink)
        : CMainFrame(Editions::Of(Edition::Advanced), doc, view, profile, recent, sink) {
        // The Advanced statement has no page walk yet: its printing commands are off rather
        // than doing nothing.
        PrintAction()->setEnabled(false);
        PrintPreviewAction()->setEnabled(false);
    }
};
