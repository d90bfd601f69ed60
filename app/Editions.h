#pragma once

#include <memory>

#include "document/Edition.h"

class CMainDoc;
class CMainFrame;
class CMainView;
class MessageSink;
class Profile;
class RecentFileList;

// What differs between the editions, one row each: everything else in the shell is shared. The
// edition chosen at start-up picks its row once for the whole run.
struct EditionTraits {
    Edition edition;
    // The section of the window placement, the key of the toolbar layout and the section of
    // the recent files.
    const char* placementSection;
    const char* toolbarStateKey;
    const char* recentSection;
    std::unique_ptr<CMainDoc> (*makeDocument)();
    // The view over the document; the frame takes it as its central widget.
    CMainView* (*makeView)(CMainDoc& doc);
    std::unique_ptr<CMainFrame> (*makeFrame)(CMainDoc& doc, CMainView* view, Profile& profile,
                                             RecentFileList& recent, MessageSink& sink);
    // The window's steps after a file was read: the view resets what it keeps of the old
    // forecast and the toolbar shows the new one's font, size and zoom.
    void (*afterLoad)(CMainFrame& frame);
};

namespace Editions {

// The row of an edition.
const EditionTraits& Of(Edition edition);

} // namespace Editions
