#pragma once

#include "app/CMainFrame.h"

// The main window of the Standard edition: its placement and toolbar layout
// live under its own keys.
class CVarnobelStdFrame : public CMainFrame {
public:
    CVarnobelStdFrame(CVarnobelStdDoc& doc, CMainView* view, Profile& profile,
                      RecentFileList& recent, MessageSink& sink)
        : CMainFrame(doc, view, profile, recent, sink, "clientStd", "ToolbarSettingsStd") {}
};
