#include "app/Editions.h"

#include "app/CVarnobelAdvDoc.h"
#include "app/CVarnobelBasDoc.h"
#include "app/CVarnobelStdDoc.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CVarnobelAdvFrame.h"
#include "app/frame/CVarnobelBasFrame.h"
#include "app/frame/CVarnobelStdFrame.h"
#include "views/qt/CMainView.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelBasView.h"
#include "views/qt/CVarnobelStdView.h"

namespace {

template <class Document> std::unique_ptr<CMainDoc> MakeDocument() {
    return std::make_unique<Document>();
}

template <class View> CMainView* MakeView(CMainDoc& doc) {
    return new View(doc);
}

template <class Frame>
std::unique_ptr<CMainFrame> MakeFrame(CMainDoc& doc, CMainView* view, Profile& profile,
                                      RecentFileList& recent, MessageSink& sink) {
    return std::make_unique<Frame>(doc, view, profile, recent, sink);
}

void ResetViewAndShowSettings(CMainFrame& frame) {
    if (CMainView* view = frame.View())
        view->DocumentLoaded();
    frame.ShowDocumentSettings();
}

const EditionTraits kBasic{Edition::Basic,
                           "clientBas",
                           "ToolbarSettingsBas",
                           "Recent File List Bas",
                           &MakeDocument<CVarnobelBasDoc>,
                           &MakeView<CVarnobelBasView>,
                           &MakeFrame<CVarnobelBasFrame>,
                           &ResetViewAndShowSettings};

const EditionTraits kStandard{Edition::Standard,
                              "clientStd",
                              "ToolbarSettingsStd",
                              "Recent File List Std",
                              &MakeDocument<CVarnobelStdDoc>,
                              &MakeView<CVarnobelStdView>,
                              &MakeFrame<CVarnobelStdFrame>,
                              &ResetViewAndShowSettings};

const EditionTraits kAdvanced{Edition::Advanced,
                              "clientAdv",
                              "ToolbarSettingsAdv",
                              "Recent File List Adv",
                              &MakeDocument<CVarnobelAdvDoc>,
                              &MakeView<CVarnobelAdvView>,
                              &MakeFrame<CVarnobelAdvFrame>,
                              &ResetViewAndShowSettings};

} // namespace

namespace Editions {

const EditionTraits& Of(Edition edition) {
    switch (edition) {
    case Edition::Basic:
        return kBasic;
    case Edition::Standard:
        return kStandard;
    case Edition::Advanced:
        return kAdvanced;
    }
    return kStandard;
}

} // namespace Editions
