#pragma once

#include <QAction>

#include "app/CMainFrame.h"

// The main window of the Advanced edition: its placement and toolbar layout
// live under its own keys.
class CVarnobelAdvFrame : public CMainFrame {
public:
    CVarnobelAdvFrame(CVarnobelStdDoc& doc, CMainView* view, Profile& profile,
                      RecentFileList& recent, MessageSink& sink)
        : CMainFrame(doc, view, profile, recent, sink, "clientAdv", "ToolbarSettingsAdv") {
        // The Advanced statement has no page walk yet: its printing commands are off rather
        // than doing nothing.
        PrintAction()->setEnabled(false);
        PrintPreviewAction()->setEnabled(false);
    }
};
