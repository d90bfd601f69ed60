#include "platform/QtApplication.h"

#include "app/frame/ChangesController.h"
#include "app/frame/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QTime>
#include <QToolBar>

#include "app/CAboutDlg.h"
#include "app/Editions.h"
#include "app/SplashWnd.h"
#include "app/export/PrintCommands.h"
#include "app/frame/FileFollower.h"
#include "app/frame/Opening.h"
#include "app/frame/WindowPlacement.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "document/Presentation.h"
#include "platform/PrintLoop.h"
#include "platform/Profile.h"
#include "platform/QtText.h"
#include "platform/RecentFileList.h"
#include "views/AdvPrintJob.h"
#include "views/qt/CMainView.h"
#include "views/qt/PageSetupDialog.h"
#include "views/qt/PreviewPane.h"
#include "views/qt/PrintSetupDialog.h"
#include "views/qt/ViewPlace.h"

namespace {

// Page Setup's "Fit to pages wide" (0 off) and "Repeat row labels on every page", kept in the
// edition's placement section.
constexpr const char* kFitPagesWide = "FitPagesWide";
constexpr const char* kRepeatLabels = "RepeatLabels";

// Holds reloads back while a command that must see one forecast throughout is under way; its
// dialogs may be the platform's own, which Qt does not count as modal widgets.
class ForecastHold {
public:
    explicit ForecastHold(int& holds) : holds_(holds) { ++holds_; }
    ~ForecastHold() { --holds_; }
    ForecastHold(const ForecastHold&) = delete;
    ForecastHold& operator=(const ForecastHold&) = delete;

private:
    int& holds_;
};

} // namespace

CMainFrame::CMainFrame(const EditionTraits& edition, CMainDoc& doc, CMainView* view,
                       Profile& profile, RecentFileList& recent, MessageSink& sink)
    : edition_(edition), doc_(doc), view_(view), profile_(profile), recent_(recent),
      sink_(std::make_unique<SplashScreens::SplashAwareSink>(sink)),
      placementSection_(edition.placementSection), toolbarStateKey_(edition.toolbarStateKey) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/varnobel-view-256.png")));
    setCentralWidget(view_);
    SplashScreens::CSplashWnd::ShowSplashScreen(this);

    CreatePrintActions();
    CreateFontToolbar();
    statusBar_ = new FrameStatusBar(this);
    setStatusBar(statusBar_);
    CreateFollower();
    CreateFileToolBar();
    CreateMenus();
    WindowPlacement::RestoreBars(*this, profile_, toolbarStateKey_);

    view_->SetZoomCallback([this](bool in) {
        if (in)
            fontToolbar_->ZoomIn();
        else
            fontToolbar_->ZoomOut();
    });
    view_->SetPaperFit(PaperFit{profile_.GetProfileInt(placementSection_, kFitPagesWide, 0),
                                profile_.GetProfileInt(placementSection_, kRepeatLabels, 0) != 0});
    // Kept at once, and shown at once in a preview.
    connect(view_, &CMainView::PaperFitChanged, this, [this](const PaperFit& fit) {
        profile_.WriteProfileInt(placementSection_, kFitPagesWide, fit.pagesWide);
        profile_.WriteProfileInt(placementSection_, kRepeatLabels, fit.repeatLabels ? 1 : 0);
        // The Standard job reads the fit as it begins; the Advanced one is told.
        if (auto* advanced = dynamic_cast<AdvPrintJob*>(previewJob_.get()))
            advanced->SetPaperFit(fit);
        if (preview_)
            preview_->Refresh();
    });
    setAcceptDrops(true);
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    // The preview ends its job, which needs the view and the document.
    ClosePreview();
}

void CMainFrame::CreatePrintActions() {
    printAction_ = new QAction(QIcon::fromTheme(QStringLiteral("document-print")),
                               QStringLiteral("&Print..."), this);
    printAction_->setShortcut(QKeySequence::Print);
    printAction_->setToolTip(QStringLiteral("Print"));
    printAction_->setStatusTip(QStringLiteral("Print the statement"));
    connect(printAction_, &QAction::triggered, this, [this] { FilePrint(); });

    previewAction_ = new QAction(QIcon::fromTheme(QStringLiteral("document-print-preview")),
                                 QStringLiteral("Print Pre&view"), this);
    previewAction_->setToolTip(QStringLiteral("Print Preview"));
    previewAction_->setStatusTip(QStringLiteral("Show the pages as they will be printed"));
    connect(previewAction_, &QAction::triggered, this, [this] { FilePrintPreview(); });

    pageSetupAction_ = new QAction(QStringLiteral("Page Set&up..."), this);
    pageSetupAction_->setStatusTip(QStringLiteral("Set the page margins of the forecast"));
    connect(pageSetupAction_, &QAction::triggered, this, [this] { FilePageSetup(); });

    printSetupAction_ = new QAction(QStringLiteral("P&rint Setup..."), this);
    printSetupAction_->setStatusTip(QStringLiteral("Choose the paper and its orientation"));
    connect(printSetupAction_, &QAction::triggered, this, [this] { FilePrintSetup(); });
}

void CMainFrame::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* newAction =
        fileMenu_->addAction(QStringLiteral("&New"), this, [this] { NewDocumentFile(); });
    newAction->setShortcut(QKeySequence::New);
    newAction->setStatusTip(QStringLiteral("Create a new document"));
    QAction* openAction =
        fileMenu_->addAction(QStringLiteral("&Open..."), this, [this] { OnFileOpen(); });
    openAction->setShortcut(QKeySequence::Open);
    openAction->setStatusTip(QStringLiteral("Open an existing document"));
    fileMenu_->addSeparator();
    fileMenu_->addAction(printAction_);
    fileMenu_->addAction(previewAction_);
    fileMenu_->addAction(pageSetupAction_);
    fileMenu_->addAction(printSetupAction_);
    exportAction_ =
        fileMenu_->addAction(QStringLiteral("&Export..."), this, [this] { FileExport(); });
    exportAction_->setStatusTip(
        QStringLiteral("Save the statement on screen as a spreadsheet, CSV, picture or PDF file"));
    changes_ = new ChangesController(*this, doc_, *view_, edition_.edition,
                                     [this] { return filePath_; });
    changes_->AddToFileMenu(*fileMenu_);
    fileMenu_->addSeparator();
    recentMenu_ = new RecentFileMenu(
        *fileMenu_, recent_, [this](const QString& path) { return OpenDocumentFile(path); });
    fileMenu_->addSeparator();
    QAction* exitAction = fileMenu_->addAction(QStringLiteral("E&xit"), this, [this] { close(); });
    exitAction->setShortcut(QKeySequence::Quit);
    exitAction->setStatusTip(QStringLiteral("Quit the application"));

    editMenu_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    copyAction_ = editMenu_->addAction(QStringLiteral("&Copy"), this, [this] { EditCopy(); });
    copyAction_->setShortcut(QKeySequence::Copy);
    copyAction_->setStatusTip(
        QStringLiteral("Copy the highlighted row, or the whole statement, to the clipboard"));

    viewMenu_ = menuBar()->addMenu(QStringLiteral("&View"));
    // A toolbar's own toggle action shows it when hidden, hides it when shown, and is checked
    // while it is visible.
    QAction* fontToggle = fontToolbar_->toggleViewAction();
    fontToggle->setText(QStringLiteral("&Font Toolbar"));
    fontToggle->setStatusTip(QStringLiteral("Show/Hide Font Toolbar"));
    fontToggle->setToolTip(QStringLiteral("Show/Hide Font Toolbar"));
    viewMenu_->addAction(fontToggle);
    QAction* fileToggle = fileToolBar_->toggleViewAction();
    fileToggle->setText(QStringLiteral("F&ile Toolbar"));
    fileToggle->setStatusTip(QStringLiteral("Show/Hide File Toolbar"));
    fileToggle->setToolTip(QStringLiteral("Show/Hide File Toolbar"));
    viewMenu_->addAction(fileToggle);
    QAction* statusToggle = viewMenu_->addAction(QStringLiteral("&Status Bar"));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    statusToggle->setStatusTip(QStringLiteral("Show or hide the status bar"));
    connect(statusToggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    statusToggle->setObjectName(QStringLiteral("StatusBarToggle"));
    viewMenu_->addSeparator();
    viewMenu_->addAction(followAction_);
    changes_->AddToViewMenu(*viewMenu_);

    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* about = helpMenu_->addAction(QStringLiteral("&About Varnobel Viewer..."), this,
                                          [this] { ShowAboutBox(); });
    about->setObjectName(QString::number(kAppAboutId));
    about->setStatusTip(QStringLiteral("Display program information and version number"));
    QAction* check = helpMenu_->addAction(QStringLiteral("Check For &Updates"));
    check->setObjectName(QStringLiteral("CheckForUpdates"));
    // The check runs only at start-up, so the entry stays disabled.
    check->setEnabled(false);
}

void CMainFrame::ShowAboutBox() {
    Dialog::CAboutDlg about(this);
    about.exec();
}

void CMainFrame::CreateFontToolbar() {
    fontToolbar_ = new FontZoomToolbar(this);
    connect(fontToolbar_, &FontZoomToolbar::FontNameChosen, this, [this](const QString& face) {
        doc_.SetFontName(ToText(face));
        LayoutChanged();
    });
    connect(fontToolbar_, &FontZoomToolbar::FontSizeChosen, this, [this](int tenths) {
        doc_.SetFontSize(tenths);
        LayoutChanged();
    });
    connect(fontToolbar_, &FontZoomToolbar::ZoomChosen, this, [this](int percent) {
        doc_.SetZoom(percent);
        LayoutChanged();
    });
    // "Ready" comes back in place of the tip a box showed while it was being used.
    connect(fontToolbar_, &FontZoomToolbar::BoxUseEnded, this,
            [this] { statusBar_->clearMessage(); });
    addToolBar(Qt::TopToolBarArea, fontToolbar_);
}

void CMainFrame::CreateFileToolBar() {
    fileToolBar_ = new QToolBar(QStringLiteral("File ToolBar"), this);
    fileToolBar_->setObjectName(QString::number(kFileToolBarId));
    QAction* open = fileToolBar_->addAction(QIcon(QStringLiteral(":/icons/open.png")),
                                            QStringLiteral("Open"), this, [this] { OnFileOpen(); });
    open->setToolTip(QStringLiteral("Open"));
    open->setStatusTip(QStringLiteral("Open an existing document"));
    fileToolBar_->addAction(printAction_);
    fileToolBar_->addAction(previewAction_);
    addToolBar(Qt::TopToolBarArea, fileToolBar_);
}

void CMainFrame::CreateFollower() {
    follower_ = std::make_unique<FileFollower>([this](const QString&) { ReloadDocumentFile(); },
                                               [this] { return ReloadMustWait(); });
    followAction_ = new QAction(QStringLiteral("F&ollow File Changes"), this);
    followAction_->setObjectName(QStringLiteral("FollowFileToggle"));
    followAction_->setCheckable(true);
    followAction_->setStatusTip(
        QStringLiteral("Read the forecast again whenever another program saves it"));
    const bool follow = profile_.GetProfileInt("Settings", "FollowFile", 1) != 0;
    followAction_->setChecked(follow);
    follower_->SetEnabled(follow);
    connect(followAction_, &QAction::toggled, this, &CMainFrame::SetFollowing);
}

void CMainFrame::SetFollowing(bool follow) {
    profile_.WriteProfileInt("Settings", "FollowFile", follow ? 1 : 0);
    follower_->SetEnabled(follow);
}

bool CMainFrame::ReloadMustWait() const {
    return forecastHolds_ > 0 || preview_ || QApplication::activeModalWidget();
}

bool CMainFrame::ReloadDocumentFile() {
    if (filePath_.isEmpty())
        return false;
    const ViewPlace place = TakePlace(*view_);
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    // The version on screen, for comparing with once the new one is read.
    std::vector<std::uint8_t> previous = doc_.root ? doc_.Store() : std::vector<std::uint8_t>();
    if (const std::optional<QString> failure = Opening::ReadAgain(doc_, filePath_)) {
        statusBar_->SetFollowReport(QStringLiteral("Not reloaded %1: %2").arg(time, *failure));
        return false;
    }
    edition_.afterLoad(*this);
    RestorePlace(*view_, place);
    statusBar_->SetIdlePrompt(QStringLiteral("Ready"));
    statusBar_->SetFollowReport(QStringLiteral("Reloaded ") + time);
    changes_->Reloaded(std::move(previous), filePath_);
    return true;
}

void CMainFrame::ShowWindow() {
    WindowPlacement::Show(*this, profile_, placementSection_);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    WindowPlacement::SaveBars(*this, profile_, toolbarStateKey_);
    WindowPlacement::Save(*this, profile_, placementSection_);
    profile_.Flush();
    // Closing the preview is all that closing the window does while it shows.
    if (preview_) {
        ClosePreview();
        event->ignore();
        return;
    }
    event->accept();
}

QPrinter& CMainFrame::Printer() {
    if (!printer_) {
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ownPrinter_->setPageOrientation(QPageLayout::Landscape);
        printer_ = ownPrinter_.get();
    }
    return *printer_;
}

void CMainFrame::FilePrint() {
    const ForecastHold hold(forecastHolds_);
    ClosePreview();
    const std::unique_ptr<PrintableView> job = PrintCommands::MakePrintJob(*view_, this);
    if (job)
        PrintCommands::PrintOnPrinter(*job, Printer(), this, *sink_);
}

void CMainFrame::FilePrintPreview() {
    if (preview_)
        return;
    const ForecastHold hold(forecastHolds_);
    std::unique_ptr<PrintableView> job = PrintCommands::MakePrintJob(*view_, this);
    if (!job)
        return;
    auto* preview = new CMy_Preview(*job, Printer(), previewPages_, this);
    if (!preview->Start()) {
        const QString failure = preview->Failure();
        delete preview;
        if (!failure.isEmpty())
            sink_->Message(ToText(failure), Ascii(kTitle));
        return;
    }
    previewJob_ = std::move(job);
    preview_ = preview;
    // The preview's own buttons must not delete it while they are being clicked.
    connect(preview, &CMy_Preview::CloseRequested, this, &CMainFrame::ClosePreview,
            Qt::QueuedConnection);
    connect(
        preview, &CMy_Preview::PrintRequested, this, [this] { FilePrint(); }, Qt::QueuedConnection);
    connect(preview, &CMy_Preview::PagesShownChanged, this,
            [this](int pages) { previewPages_ = pages; });
    connect(preview, &CMy_Preview::Failed, this, &CMainFrame::ReportPreviewFailure,
            Qt::QueuedConnection);

    // The view stays the frame's child, hidden, while the preview takes its place.
    takeCentralWidget();
    view_->setParent(this);
    view_->hide();
    setCentralWidget(preview);
    // Shown now, not when the layout gets round to it: the window takes its activation back
    // from the options dialog at any moment, and gives the keys to its focus widget only if
    // that is visible (else to the next one that takes them, the Font Toolbar's font box).
    preview->show();
    preview->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::ReportPreviewFailure(const QString& message) {
    ClosePreview();
    sink_->Message(ToText(message), Ascii(kTitle));
}

void CMainFrame::ClosePreview() {
    if (!preview_)
        return;
    CMy_Preview* preview = preview_;
    preview_ = nullptr;
    takeCentralWidget();
    // Ends the job: the view's selection comes back before it shows again.
    delete preview;
    previewJob_.reset();
    setCentralWidget(view_);
    view_->show();
    view_->setFocus();
}

QString CMainFrame::ExportFolder() const {
    return FrameExport::Folder(profile_, placementSection_, filePath_);
}

QString CMainFrame::DocumentTitle() const {
    return fileName_.isEmpty() ? QStringLiteral("Untitled")
                               : QFileInfo(fileName_).completeBaseName();
}

FrameExport::Source CMainFrame::ExportSource() {
    return {*view_, Printer(), this, *sink_, filePath_, DocumentTitle()};
}

void CMainFrame::FileExport() {
    const ForecastHold hold(forecastHolds_);
    ClosePreview();
    FrameExport::Ask(ExportSource(), profile_, placementSection_);
}

bool CMainFrame::ExportFile(const QString& path, WindowExport::Format format) {
    const ForecastHold hold(forecastHolds_);
    return FrameExport::Write(ExportSource(), path, format);
}

void CMainFrame::EditCopy() {
    if (view_)
        view_->CopyToClipboard();
}

void CMainFrame::FilePageSetup() {
    const ForecastHold hold(forecastHolds_);
    Dialog::CPage_Setup_Dlg dialog(doc_, this, view_);
    if (dialog.exec() == QDialog::Accepted && preview_)
        preview_->Refresh();
}

void CMainFrame::FilePrintSetup() {
    const ForecastHold hold(forecastHolds_);
    Dialog::PrintSetupDialog dialog(Printer(), this);
    if (dialog.exec() == QDialog::Accepted && preview_)
        preview_->Refresh();
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    if (path.isEmpty())
        return false;
    ClosePreview();
    // A file that was not read leaves the forecast on screen, its title and toolbar as they were.
    bool empty = false;
    if (!Opening::Read(doc_, path, *sink_, &empty))
        return false;
    view_->ForgetPrintChoices();
    changes_->Reloaded({}, {});
    edition_.afterLoad(*this);
    hasDocument_ = true;
    fileName_ = QFileInfo(path).fileName();
    filePath_ = QFileInfo(path).absoluteFilePath();
    follower_->Follow(filePath_);
    statusBar_->SetFollowReport(QString());
    recent_.Add(ToText(QFileInfo(path).absoluteFilePath()));
    recentMenu_->Update();
    UpdateTitle();
    // Said for as long as the empty forecast is shown, so a blank window is not taken for a fault.
    statusBar_->SetIdlePrompt(empty ? QStringLiteral("The file is empty.")
                                    : QStringLiteral("Ready"));
    return true;
}

bool CMainFrame::NewDocumentFile() {
    ClosePreview();
    if (!doc_.NewDocument())
        return false;
    view_->ResetScroll();
    view_->InvalidateLayout();
    view_->ForgetPrintChoices();
    changes_->Reloaded({}, {});
    hasDocument_ = true;
    fileName_.clear();
    filePath_.clear();
    follower_->Stop();
    statusBar_->SetFollowReport(QString());
    ShowDocumentSettings();
    UpdateTitle();
    statusBar_->SetIdlePrompt(QStringLiteral("Ready"));
    return true;
}

void CMainFrame::OnFileOpen() {
    const ForecastHold hold(forecastHolds_);
    const QString path = Opening::AskFile(this);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

QList<QAction*> CMainFrame::RecentFileActions() const {
    return recentMenu_->Shown();
}

void CMainFrame::UpdateTitle() {
    const QString document = fileName_.isEmpty() ? QStringLiteral("Untitled") : fileName_;
    setWindowTitle(document + QStringLiteral(" - ") + QLatin1String(kTitle));
}

void CMainFrame::ShowDocumentSettings() {
    fontToolbar_->ShowFontName(doc_.fontName);
    // What the statement is drawn at, which for a value out of range is not what the file holds.
    fontToolbar_->ShowFontSize(UsableFontSize(doc_.fontSize));
    fontToolbar_->ShowZoom(UsableZoom(doc_.zoom));
}

void CMainFrame::LayoutChanged() {
    if (view_)
        view_->InvalidateLayout();
    // The statement font is the printed one too.
    if (preview_)
        preview_->Refresh();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!Opening::DroppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString file = Opening::DroppedFile(*event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    OpenDocumentFile(file);
}
