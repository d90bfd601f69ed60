#pragma once

#include <filesystem>

#include "document/CMainDoc.h"

class CMainFrame;
class CMainView;
class MessageSink;

// The Standard edition's document: the forecast holder plus the window's part of a read. The
// window follows only a read that succeeded, so a refused file leaves the forecast on screen
// with its title and toolbar as they were.
class CVarnobelStdDoc : public CMainDoc {
public:
    CVarnobelStdDoc() = default;

    // The frame and view the document updates; the frame attaches itself when it is made.
    void Attach(CMainFrame* frame, CMainView* view);

    // Reads the file and, when it was read, resets the view and shows the file's font, size and
    // zoom in the frame's toolbar.
    OpenResult OpenDocument(const std::filesystem::path& path, MessageSink& sink);
    // Reads the open file again, as OpenDocument does, except that an empty file is refused:
    // another program is still writing it.
    OpenResult ReloadDocument(const std::filesystem::path& path, MessageSink& sink);

    // Empties the forecast and resets the view.
    bool NewDocument() override;

protected:
    // The window-side steps after a read that succeeded.
    virtual void OnDocumentLoaded();

    CMainFrame* frame_ = nullptr;
    CMainView* view_ = nullptr;
};
