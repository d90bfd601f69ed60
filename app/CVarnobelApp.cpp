#include "platform/QtApplication.h"

#include "app/CVarnobelApp.h"

#include <utility>

#include <QDir>
#include <QPrinter>
#include <QStandardPaths>

#include "app/EditionChoice.h"
#include "app/Editions.h"
#include "app/RunningModeDialog.h"
#include "app/SplashWnd.h"
#include "app/frame/CMainFrame.h"
#include "app/update/CAutoUpdate.h"
#include "app/update/UpdateCheck.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "platform/InstanceLock.h"
#include "platform/Profile.h"
#include "platform/QtText.h"
#include "platform/RecentFileList.h"

namespace {

// Used when the user's data folder cannot be determined.
constexpr const char* kFallbackFolderName = "{B77CA518-A939-4043-8FE1-20A3855BC262}";

} // namespace

CVarnobelApp::CVarnobelApp(QStringList arguments, MessageSink& sink, ModeChooser chooseMode)
    : arguments_(std::move(arguments)), sink_(sink), chooseMode_(std::move(chooseMode)) {}

CVarnobelApp::~CVarnobelApp() {
    SplashScreens::CSplashWnd::HideSplashScreen();
    frame_.reset();
    doc_.reset();
}

QString CVarnobelApp::SettingsFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QDir(QDir::tempPath()).filePath(QLatin1String(kFallbackFolderName));
    return QDir(data).filePath(QLatin1String(kSettingsFolderName));
}

std::optional<Edition> CVarnobelApp::RunModeDialog() {
    // The dialog shows the same picture; the splash would only hide it.
    SplashScreens::CSplashWnd::HideSplashScreen();
    Dialog::CRunning_Mode_dlg dialog;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mode;
}

std::optional<Edition> CVarnobelApp::ChooseEdition() {
    if (const auto named = EditionChoice::FromArguments(arguments_))
        return named;
    if (!chooseMode_)
        return std::nullopt;
    return chooseMode_();
}

bool CVarnobelApp::InitInstance() {
    SplashScreens::CSplashWnd::EnableSplashScreen(true);
    SplashScreens::CSplashWnd::ShowSplashScreen(nullptr);
    profile_ = std::make_unique<Profile>();
    if (!CountRunForUpdateCheck()) {
        SplashScreens::CSplashWnd::HideSplashScreen();
        return false;
    }

    // Failure to make the folder is ignored: nothing in this edition writes there yet.
    QDir().mkpath(SettingsFolder());

    const std::optional<Edition> edition = ChooseEdition();
    if (!edition) {
        SplashScreens::CSplashWnd::HideSplashScreen();
        return false;
    }
    edition_ = *edition;

    recent_ = std::make_unique<RecentFileList>(Editions::Of(edition_).recentSection);
    recent_->Load(*profile_);
    previewPages_ = profile_->GetProfileInt("Settings", "PreviewPages", 0);
    if (previewPages_ < 0 || previewPages_ > kMaxPreviewPages)
        previewPages_ = 0;

    CreateDocumentTemplate();
    frame_->SetPreviewPages(previewPages_);

    lock_ = std::make_unique<InstanceLock>();
    anotherInstance_ = lock_->AlreadyExisted();

    const QString file = EditionChoice::FileArgument(arguments_);
    const bool opened = file.isEmpty() ? frame_->NewDocumentFile() : frame_->OpenDocumentFile(file);
    if (!opened) {
        SplashScreens::CSplashWnd::HideSplashScreen();
        return false;
    }
    frame_->ShowWindow();

    // Statements are wider than high: the printer starts in landscape.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(QPageLayout::Landscape);
    frame_->SetPrinter(printer_.get());
    return true;
}

bool CVarnobelApp::CountRunForUpdateCheck() {
    const UpdateCheck::CountStep step = UpdateCheck::NextCount(profile_->GetProfileInt(
        UpdateCheck::kSection, UpdateCheck::kCountEntry, UpdateCheck::kDefaultCount));
    // Written through at once, so that a run that is killed still counts.
    profile_->WriteProfileInt(UpdateCheck::kSection, UpdateCheck::kCountEntry, step.stored);
    profile_->Flush();
    updateStarted_ = step.check && checkForUpdate_ && checkForUpdate_(*profile_);
    return !updateStarted_;
}

bool CVarnobelApp::RunUpdateCheck(const Profile& profile) {
    const Text setting = profile.GetProfileString(UpdateCheck::kSection, UpdateCheck::kServerEntry);
    const std::optional<QUrl> folder = UpdateCheck::ServerFolder(ToQString(setting));
    if (!folder)
        return false;
    Dialog::CAutoUpdate::Options options;
    options.serverFolder = *folder;
    options.localFolder = SettingsFolder();
    Dialog::CAutoUpdate dialog(std::move(options));
    return dialog.exec() == QDialog::Accepted;
}

int CVarnobelApp::PreviewPages() const {
    return frame_ ? frame_->PreviewPages() : previewPages_;
}

void CVarnobelApp::CreateDocumentTemplate() {
    const EditionTraits& edition = Editions::Of(edition_);
    doc_ = edition.makeDocument();
    frame_ = edition.makeFrame(*doc_, edition.makeView(*doc_), *profile_, *recent_, sink_);
}

void CVarnobelApp::ExitInstance() {
    if (!profile_)
        return;
    if (recent_)
        recent_->Save(*profile_);
    if (frame_)
        previewPages_ = frame_->PreviewPages();
    if (previewPages_ != 0)
        profile_->WriteProfileInt("Settings", "PreviewPages", previewPages_);
    profile_->Flush();
}

int CVarnobelApp::Run() {
    if (!InitInstance()) {
        ExitInstance();
        // Handing over to a newer version's installer is no failure.
        return updateStarted_ ? 0 : 1;
    }
    const int status = QApplication::exec();
    ExitInstance();
    return status;
}
