#include "app/CVarnobelStdDoc.h"

#include "app/CMainFrame.h"
#include "views/qt/CMainView.h"

void CVarnobelStdDoc::Attach(CMainFrame* frame, CMainView* view) {
    frame_ = frame;
    view_ = view;
}

CMainDoc::OpenResult CVarnobelStdDoc::OpenDocument(const std::filesystem::path& path,
                                                   MessageSink& sink) {
    const OpenResult result = Load(path, sink);
    if (result == OpenResult::Loaded)
        OnDocumentLoaded();
    return result;
}

CMainDoc::OpenResult CVarnobelStdDoc::ReloadDocument(const std::filesystem::path& path,
                                                     MessageSink& sink) {
    const OpenResult result = Load(path, sink, EmptyFile::Refused);
    if (result == OpenResult::Loaded)
        OnDocumentLoaded();
    return result;
}

bool CVarnobelStdDoc::NewDocument() {
    if (!CMainDoc::NewDocument())
        return false;
    if (view_) {
        view_->ResetScroll();
        view_->InvalidateLayout();
    }
    return true;
}

void CVarnobelStdDoc::OnDocumentLoaded() {
    if (view_)
        view_->DocumentLoaded();
    if (frame_)
        frame_->ShowDocumentSettings();
}
