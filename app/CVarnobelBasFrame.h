#pragma once

#include "app/CMainFrame.h"

// The main window of the Basic edition: its placement and toolbar layout
// live under its own keys.
class CVarnobelBasFrame : public CMainFrame {
public:
    CVarnobelBasFrame(CVarnobelStdDoc& doc, CMainView* view, Profile& profile,
                      RecentFileList& recent, MessageSink& sink)
        : CMainFrame(doc, view, profile, recent, sink, "clientBas", "ToolbarSettingsBas") {}
};
