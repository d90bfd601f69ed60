#include "platform/QtApplication.h"

#include "app/frame/CMainFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/CAboutDlg.h"
#include "app/Editions.h"
#include "app/SplashWnd.h"
#include "app/export/OutputFile.h"
#include "app/export/PrintCommands.h"
#include "app/frame/FileFollower.h"
#include "core/ClampToInt.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "document/Presentation.h"
#include "platform/PrintLoop.h"
#include "platform/Profile.h"
#include "platform/QtText.h"
#include "platform/RecentFileList.h"
#include "views/qt/CMainView.h"
#include "views/qt/PageSetupDialog.h"
#include "views/qt/PreviewPane.h"
#include "views/qt/PrintSetupDialog.h"
#include "views/qt/ViewPlace.h"

namespace {

const QStringList kFontSizes = {"6", "8", "10", "12"};
const QStringList kZooms = {"50%",  "60%",  "70%",  "80%",  "90%", "100%",
                            "110%", "120%", "130%", "140%", "150%"};
constexpr int kDefaultSizeIndex = 2;
constexpr int kDefaultZoomIndex = 5;
const QString kDefaultFont = QStringLiteral("Times New Roman");
const QString kFileFilter =
    QStringLiteral("Varnobel Viewer Files (*.cfa *.cfs *.cff *.cfb);;All Files (*)");

// The entry of the edition's section that keeps the folder File > Export... last wrote to.
constexpr const char* kExportFolder = "ExportFolder";

// The smallest window a restored placement may give; anything less is a damaged value.
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 150;
// How much of a restored window must lie on a screen for its position to be kept.
constexpr int kMinimumVisible = 40;

// The leading decimal digits of a box entry ("150%" gives 150); 0 without digits.
int LeadingInteger(const QString& text) {
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9' || value > 100000000)
            break;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Hands reports on after taking the splash off the screen, so no box opens beneath it.
class SplashAwareSink : public MessageSink {
public:
    explicit SplashAwareSink(MessageSink& sink) : sink_(sink) {}
    void Message(const Text& text, const Text& title) override {
        SplashScreens::CSplashWnd::HideSplashScreen();
        sink_.Message(text, title);
    }
    void OpenFailed(const Text& text) override {
        SplashScreens::CSplashWnd::HideSplashScreen();
        sink_.OpenFailed(text);
    }
    void FileError(const Text& text) override {
        SplashScreens::CSplashWnd::HideSplashScreen();
        sink_.FileError(text);
    }

private:
    MessageSink& sink_;
};

// Gathers what a read reports, so that a file the read refuses gives one message that names it:
// the document's own lines, then its closing "Unexpected file format.". A read that succeeds
// passes its messages on as they came.
class OpenReport : public MessageSink {
public:
    void Message(const Text& text, const Text& title) override {
        messages_.push_back({text, title});
    }
    void OpenFailed(const Text& text) override { closing_ = text; }
    void FileError(const Text& text) override { fileError_ = text; }

    // What the user is told of a failed read of `path`: a file that could not be read at all
    // says why in words that already name it; a refused one is named, then its lines follow,
    // joined by `separator`.
    Text Failure(const QString& path, std::u16string_view separator) const {
        if (!fileError_.empty())
            return fileError_;
        Text text = u"Cannot open \"" + ToText(path) + u"\":";
        for (const Box& message : messages_)
            text.append(separator).append(message.text);
        if (!closing_.empty())
            text.append(separator).append(closing_);
        return text;
    }

    // Tells `sink` what a read that succeeded reported.
    void PassOn(MessageSink& sink) const {
        for (const Box& message : messages_)
            sink.Message(message.text, message.title);
    }

private:
    struct Box {
        Text text;
        Text title;
    };
    std::vector<Box> messages_;
    Text closing_;
    Text fileError_;
};

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

// value × current ÷ saved, rounded to the nearest integer (halves away from zero) and kept in
// the range of int. 64 bits hold the product of any two ints.
int ScaleRounded(int value, int current, int saved) {
    const std::int64_t product = static_cast<std::int64_t>(value) * current;
    const std::int64_t twice = 2 * static_cast<std::int64_t>(saved);
    const std::int64_t rounded =
        product >= 0 ? (2 * product + saved) / twice : -((-2 * product + saved) / twice);
    return ClampToInt(rounded);
}

} // namespace

CMainFrame::CMainFrame(const EditionTraits& edition, CMainDoc& doc, CMainView* view,
                       Profile& profile, RecentFileList& recent, MessageSink& sink)
    : edition_(edition), doc_(doc), view_(view), profile_(profile), recent_(recent),
      sink_(std::make_unique<SplashAwareSink>(sink)), placementSection_(edition.placementSection),
      toolbarStateKey_(edition.toolbarStateKey) {
    setWindowIcon(QIcon(QStringLiteral(":/icons/varnobel-view-256.png")));
    setCentralWidget(view_);
    SplashScreens::CSplashWnd::ShowSplashScreen(this);

    CreatePrintActions();
    CreateFontToolbar();
    // The follower's report first: the lock key panes end the status bar on the right.
    CreateFollower();
    CreateStatusBar();
    CreateFileToolBar();
    CreateMenus();
    RestoreToolbarState();

    view_->SetZoomCallback([this](bool in) {
        if (in)
            ZoomIn();
        else
            ZoomOut();
    });
    setAcceptDrops(true);
    UpdateRecentFileMenu();
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
    recentSeparator_ = fileMenu_->addSeparator();
    for (int i = 0; i < RecentFileList::kDefaultSize; ++i) {
        QAction* action = fileMenu_->addAction(QString(), this, [this, i] { OnOpenRecentFile(i); });
        action->setStatusTip(QStringLiteral("Open this document"));
        recentActions_.append(action);
    }
    exitSeparator_ = fileMenu_->addSeparator();
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

QStringList CMainFrame::FaceNames(QStringList families) {
    // Qt names a family that several foundries make "Family [foundry]", once per foundry.
    for (QString& family : families) {
        const qsizetype foundry = family.lastIndexOf(QStringLiteral(" ["));
        if (foundry > 0 && family.endsWith(u']'))
            family.truncate(foundry);
    }
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    // Walking from the last entry to the first, an entry equal to the one before it goes.
    for (qsizetype i = families.size() - 1; i > 0; --i)
        if (families[i] == families[i - 1])
            families.removeAt(i);
    return families;
}

void CMainFrame::CreateFontToolbar() {
    fontToolbar_ = new QToolBar(QStringLiteral("Font Toolbar"), this);
    fontToolbar_->setObjectName(QString::number(kFontToolbarId));
    fontToolbar_->setAllowedAreas(Qt::AllToolBarAreas);

    fontBox_ = new QComboBox(fontToolbar_);
    fontBox_->setObjectName(QString::number(kFontBoxId));
    fontBox_->setFixedWidth(150);
    fontBox_->setToolTip(QStringLiteral("Font"));
    fontBox_->setStatusTip(QStringLiteral("Font"));
    fontBox_->addItems(FaceNames(QFontDatabase::families()));
    ShowFontName(ToText(kDefaultFont));
    // The default face stays in the box even where it is not installed.
    addedFontName_.clear();
    connect(fontBox_, &QComboBox::activated, this, &CMainFrame::OnFontNameChanged);

    sizeBox_ = new QComboBox(fontToolbar_);
    sizeBox_->setObjectName(QString::number(kSizeBoxId));
    sizeBox_->setFixedWidth(50);
    sizeBox_->setToolTip(QStringLiteral("Font Size"));
    sizeBox_->setStatusTip(QStringLiteral("Font Size"));
    sizeBox_->addItems(kFontSizes);
    sizeBox_->setCurrentIndex(kDefaultSizeIndex);
    connect(sizeBox_, &QComboBox::activated, this, &CMainFrame::OnFontSizeChanged);

    zoomBox_ = new QComboBox(fontToolbar_);
    zoomBox_->setObjectName(QString::number(kZoomBoxId));
    zoomBox_->setFixedWidth(65);
    zoomBox_->setToolTip(QStringLiteral("Zoom"));
    zoomBox_->setStatusTip(QStringLiteral("Zoom"));
    zoomBox_->addItems(kZooms);
    zoomBox_->setMaxVisibleItems(static_cast<int>(kZooms.size()));
    zoomBox_->setCurrentIndex(kDefaultZoomIndex);
    connect(zoomBox_, &QComboBox::activated, this, &CMainFrame::OnZoomChanged);

    fontToolbar_->addWidget(fontBox_);
    fontToolbar_->addWidget(sizeBox_);
    fontToolbar_->addWidget(zoomBox_);
    for (QComboBox* box : {fontBox_, sizeBox_, zoomBox_}) {
        connect(box, &QComboBox::activated, this, &CMainFrame::ReturnToReady);
        // The box's list is a window of its own; the mouse leaves the box into it and comes
        // back elsewhere, so the box's tip would stay when the list closes.
        box->view()->window()->installEventFilter(this);
    }
    fontToolbar_->addSeparator();
    // The button's command has no handler in the viewer, so it is always disabled.
    QAction* extra =
        fontToolbar_->addAction(QIcon(QStringLiteral(":/icons/font-extra.png")), QString());
    extra->setObjectName(QString::number(kFontExtraId));
    extra->setEnabled(false);
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

void CMainFrame::CreateStatusBar() {
    readyLabel_ = new QLabel(QStringLiteral("Ready"), this);
    statusBar()->addWidget(readyLabel_, 1);

    // Each pane is as wide as its word, shown while its key is locked and blank otherwise.
    const auto makePane = [this](const char* name, const QString& word) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QLatin1String(name));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(word) +
                              2 * pane->fontMetrics().averageCharWidth());
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(pane);
        return pane;
    };
    capsPane_ = makePane("CapsLockPane", QStringLiteral("CAP"));
    numPane_ = makePane("NumLockPane", QStringLiteral("NUM"));
    scrollPane_ = makePane("ScrollLockPane", QStringLiteral("SCRL"));
    // The keys can change while any of the window's widgets, menus or dialogs has the keyboard.
    qApp->installEventFilter(this);
    UpdateLockKeyPanes();
}

void CMainFrame::SetLockKeyReader(LockKeyReader reader) {
    lockKeyReader_ = std::move(reader);
    UpdateLockKeyPanes();
}

void CMainFrame::UpdateLockKeyPanes() {
    const std::optional<LockKeyStates> states =
        lockKeyReader_ ? lockKeyReader_() : std::optional<LockKeyStates>();
    const auto show = [](QLabel* pane, bool on, const QString& word) {
        const QString text = on ? word : QString();
        if (pane->text() != text)
            pane->setText(text);
    };
    show(capsPane_, states && states->capsLock, QStringLiteral("CAP"));
    show(numPane_, states && states->numLock, QStringLiteral("NUM"));
    show(scrollPane_, states && states->scrollLock, QStringLiteral("SCRL"));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        // Once for a key, however many widgets the event is offered to on its way up.
        if (!lockKeyUpdatePending_) {
            lockKeyUpdatePending_ = true;
            QTimer::singleShot(0, this, [this] {
                lockKeyUpdatePending_ = false;
                UpdateLockKeyPanes();
            });
        }
        break;
    case QEvent::Hide:
        // A toolbar box's list closed, chosen from or not.
        if (watched->isWidgetType() && watched != this)
            for (const QComboBox* box : {fontBox_, sizeBox_, zoomBox_})
                if (box && watched == box->view()->window())
                    ReturnToReady();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ReturnToReady() {
    statusBar()->clearMessage();
}

QString CMainFrame::StatusPrompt() const {
    const QString message = statusBar()->currentMessage();
    return message.isEmpty() ? readyLabel_->text() : message;
}

void CMainFrame::CreateFollower() {
    follower_ = std::make_unique<FileFollower>([this](const QString&) { ReloadDocumentFile(); },
                                               [this] { return ReloadMustWait(); });
    // On the right, where the menus' status tips do not cover it.
    followLabel_ = new QLabel(this);
    followLabel_->setObjectName(QStringLiteral("FollowStatus"));
    statusBar()->addPermanentWidget(followLabel_);

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

QString CMainFrame::FollowStatus() const {
    return followLabel_->text();
}

bool CMainFrame::ReloadDocumentFile() {
    if (filePath_.isEmpty())
        return false;
    const ViewPlace place = TakePlace(*view_);
    OpenReport report;
    const std::filesystem::path file(QFile::encodeName(filePath_).toStdString());
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    // An empty file is refused: another program is still writing it.
    if (doc_.Load(file, report, CMainDoc::EmptyFile::Refused) != CMainDoc::OpenResult::Loaded) {
        followLabel_->setText(QStringLiteral("Not reloaded %1: %2")
                                  .arg(time, ToQString(report.Failure(filePath_, u" "))));
        return false;
    }
    edition_.afterLoad(*this);
    RestorePlace(*view_, place);
    followLabel_->setText(QStringLiteral("Reloaded ") + time);
    return true;
}

void CMainFrame::RestoreToolbarState() {
    const std::string state = profile_.GetProfileBinary(toolbarStateKey_, "State");
    // A layout that cannot be restored leaves the default one.
    if (!state.empty())
        restoreState(QByteArray(state.data(), static_cast<qsizetype>(state.size())));
    const bool statusShown = profile_.GetProfileInt(toolbarStateKey_, "StatusBar", 1) != 0;
    statusBar()->setVisible(statusShown);
}

void CMainFrame::SaveToolbarState() {
    const QByteArray state = saveState();
    profile_.WriteProfileBinary(
        toolbarStateKey_, "State",
        std::string_view(state.constData(), static_cast<std::size_t>(state.size())));
    profile_.WriteProfileInt(toolbarStateKey_, "StatusBar", statusBar()->isVisible() ? 1 : 0);
}

QRect CMainFrame::ScalePlacement(const QRect& saved, const QSize& savedScreen,
                                 const QSize& currentScreen) {
    const int savedWidth = savedScreen.width() > 0 ? savedScreen.width() : currentScreen.width();
    const int savedHeight =
        savedScreen.height() > 0 ? savedScreen.height() : currentScreen.height();
    if (savedWidth <= 0 || savedHeight <= 0)
        return saved;
    return QRect(ScaleRounded(saved.left(), currentScreen.width(), savedWidth),
                 ScaleRounded(saved.top(), currentScreen.height(), savedHeight),
                 ScaleRounded(saved.width(), currentScreen.width(), savedWidth),
                 ScaleRounded(saved.height(), currentScreen.height(), savedHeight));
}

void CMainFrame::ShowWindow() {
    const std::string& section = placementSection_;
    if (profile_.GetProfileInt(section, "maximized", 0) != 0) {
        showMaximized();
        return;
    }
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), screenSize);
    // The placement the window gets on a first run: most of the screen, centred.
    QRect proposed(QPoint(), QSize(available.width() * 4 / 5, available.height() * 4 / 5));
    proposed.moveCenter(available.center());

    const QSize savedScreen(profile_.GetProfileInt(section, "screenx", screenSize.width()),
                            profile_.GetProfileInt(section, "screeny", screenSize.height()));
    const QRect saved(profile_.GetProfileInt(section, "left", proposed.left()),
                      profile_.GetProfileInt(section, "top", proposed.top()),
                      profile_.GetProfileInt(section, "width", proposed.width()),
                      profile_.GetProfileInt(section, "height", proposed.height()));
    QRect placement = ScalePlacement(saved, savedScreen, screenSize);

    // Damaged values: a window too small to use, larger than the screen, or out of sight.
    if (placement.width() < kMinimumWidth || placement.height() < kMinimumHeight)
        placement.setSize(proposed.size());
    placement.setWidth(std::min(placement.width(), std::max(available.width(), kMinimumWidth)));
    placement.setHeight(std::min(placement.height(), std::max(available.height(), kMinimumHeight)));
    bool visible = false;
    for (const QScreen* each : QGuiApplication::screens()) {
        const QRect overlap = each->availableGeometry().intersected(placement);
        visible =
            visible || (overlap.width() >= kMinimumVisible && overlap.height() >= kMinimumVisible);
    }
    if (!visible)
        placement.moveCenter(available.center());

    resize(placement.size());
    move(placement.topLeft());
    show();
}

void CMainFrame::SavePlacement() {
    const std::string& section = placementSection_;
    if (isMaximized()) {
        profile_.WriteProfileInt(section, "maximized", 1);
        return;
    }
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    profile_.WriteProfileInt(section, "maximized", 0);
    profile_.WriteProfileInt(section, "screenx", screenSize.width());
    profile_.WriteProfileInt(section, "screeny", screenSize.height());
    // The window's position with its frame, and the size it is given back as (the window
    // manager adds its frame again), so a restore on the same screen reproduces it exactly.
    profile_.WriteProfileInt(section, "top", pos().y());
    profile_.WriteProfileInt(section, "left", pos().x());
    profile_.WriteProfileInt(section, "height", height());
    profile_.WriteProfileInt(section, "width", width());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveToolbarState();
    SavePlacement();
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
    const QString folder = ToQString(profile_.GetProfileString(placementSection_, kExportFolder));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return filePath_.isEmpty() ? QString() : QFileInfo(filePath_).absolutePath();
}

QString CMainFrame::DocumentTitle() const {
    return fileName_.isEmpty() ? QStringLiteral("Untitled")
                               : QFileInfo(fileName_).completeBaseName();
}

void CMainFrame::FileExport() {
    const ForecastHold hold(forecastHolds_);
    ClosePreview();
    QFileDialog dialog(this, QStringLiteral("Export"), ExportFolder());
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The question comes once the format's suffix is on the name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(WindowExport::NameFilters());
    dialog.selectFile(DocumentTitle());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const WindowExport::Target target =
        WindowExport::TargetOf(dialog.selectedFiles().first(), dialog.selectedNameFilter());
    profile_.WriteProfileString(placementSection_, kExportFolder,
                                ToText(QFileInfo(target.path).absolutePath()));
    ExportFile(target.path, target.format);
}

bool CMainFrame::ExportFile(const QString& path, WindowExport::Format format) {
    const ForecastHold hold(forecastHolds_);
    const Text title = Ascii(kTitle);
    if (const std::optional<QString> refusal = WindowExport::Refusal(path, filePath_)) {
        sink_->Message(ToText(*refusal), title);
        return false;
    }
    if (QFileInfo::exists(path)) {
        QMessageBox question(QMessageBox::Question, ToQString(title),
                             QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Yes | QMessageBox::No, this);
        question.setObjectName(QStringLiteral("ReplaceQuestion"));
        question.setDefaultButton(QMessageBox::No);
        question.setTextFormat(Qt::PlainText);
        if (question.exec() != QMessageBox::Yes)
            return false;
    }
    const WindowExport::Outcome outcome =
        WindowExport::Make(format, *view_, Printer(), this, DocumentTitle());
    if (outcome.status == WindowExport::Outcome::Status::Cancelled)
        return false;
    QString error = outcome.message;
    if (outcome.status == WindowExport::Outcome::Status::Made &&
        WriteAtomically(path, outcome.bytes, error))
        return true;
    sink_->Message(ToText(QStringLiteral("Cannot export to \"%1\":\n%2")
                              .arg(QDir::toNativeSeparators(path), error)),
                   title);
    return false;
}

void CMainFrame::EditCopy() {
    if (view_)
        view_->CopyToClipboard();
}

void CMainFrame::FilePageSetup() {
    const ForecastHold hold(forecastHolds_);
    Dialog::CPage_Setup_Dlg dialog(doc_, this);
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
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    // A file that was not read leaves the forecast on screen, its title and toolbar as they were.
    OpenReport report;
    switch (doc_.Load(file, report)) {
    case CMainDoc::OpenResult::Loaded:
        break;
    case CMainDoc::OpenResult::Unreadable:
        sink_->FileError(report.Failure(path, u"\n"));
        return false;
    case CMainDoc::OpenResult::Rejected:
        sink_->OpenFailed(report.Failure(path, u"\n"));
        return false;
    }
    report.PassOn(*sink_);
    view_->ForgetPrintChoices();
    edition_.afterLoad(*this);
    hasDocument_ = true;
    fileName_ = QFileInfo(path).fileName();
    filePath_ = QFileInfo(path).absoluteFilePath();
    follower_->Follow(filePath_);
    followLabel_->clear();
    recent_.Add(ToText(QFileInfo(path).absoluteFilePath()));
    UpdateRecentFileMenu();
    UpdateTitle();
    return true;
}

bool CMainFrame::NewDocumentFile() {
    ClosePreview();
    if (!doc_.NewDocument())
        return false;
    view_->ResetScroll();
    view_->InvalidateLayout();
    view_->ForgetPrintChoices();
    hasDocument_ = true;
    fileName_.clear();
    filePath_.clear();
    follower_->Stop();
    followLabel_->clear();
    ShowDocumentSettings();
    UpdateTitle();
    return true;
}

void CMainFrame::OnFileOpen() {
    const ForecastHold hold(forecastHolds_);
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kFileFilter);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CMainFrame::OnOpenRecentFile(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= recent_.Files().size())
        return;
    // A file that no longer opens leaves the list.
    if (!OpenDocumentFile(ToQString(recent_.Files()[static_cast<std::size_t>(index)]))) {
        recent_.Remove(index);
        UpdateRecentFileMenu();
    }
}

void CMainFrame::UpdateRecentFileMenu() {
    if (recentActions_.isEmpty())
        return;
    const int count = static_cast<int>(std::min<std::size_t>(
        recent_.Files().size(), static_cast<std::size_t>(recentActions_.size())));
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        if (i < count) {
            QString name = ToQString(recent_.DisplayName(i));
            name.replace(u'&', QStringLiteral("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (i == 0) {
            // An empty list shows one disabled entry, as a placeholder for the files to come.
            action->setText(QStringLiteral("Recent File"));
            action->setEnabled(false);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

QList<QAction*> CMainFrame::RecentFileActions() const {
    QList<QAction*> shown;
    for (QAction* action : recentActions_)
        if (action->isVisible() && action->isEnabled())
            shown.append(action);
    return shown;
}

void CMainFrame::UpdateTitle() {
    const QString document = fileName_.isEmpty() ? QStringLiteral("Untitled") : fileName_;
    setWindowTitle(document + QStringLiteral(" - ") + QLatin1String(kTitle));
}

void CMainFrame::ShowFontName(const Text& name) {
    if (name.empty())
        return;
    const QString face = ToQString(name);
    int index = fontBox_->findText(face, Qt::MatchStartsWith);
    if (index < 0) {
        // One such entry at a time, so that files naming missing faces do not pile them up.
        const int previous =
            addedFontName_.isEmpty()
                ? -1
                : fontBox_->findText(addedFontName_, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (previous >= 0)
            fontBox_->removeItem(previous);
        addedFontName_ = face;
        // Kept in the box's order, so the box stays sorted.
        index = 0;
        while (index < fontBox_->count() &&
               QString::compare(fontBox_->itemText(index), face, Qt::CaseInsensitive) < 0)
            ++index;
        fontBox_->insertItem(index, face);
    }
    fontBox_->setCurrentIndex(index);
}

QString CMainFrame::FontSizeText(int tenths) {
    const QString points = QString::number(std::abs(tenths / 10));
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    if (tenths % 10 == 0)
        return sign + points;
    return sign + points + u'.' + QString::number(std::abs(tenths % 10));
}

int CMainFrame::FontSizeTenths(const QString& text) {
    bool ok = false;
    const double points = text.toDouble(&ok);
    if (!ok || !std::isfinite(points))
        return 0;
    return ClampToInt(std::llround(std::clamp(points * 10, -1e15, 1e15)));
}

void CMainFrame::ShowFontSize(int tenths) {
    const QString size = FontSizeText(tenths);
    // The whole text: a prefix would show 1 pt as "10" and 9 pt as nothing.
    int index = sizeBox_->findText(size, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        const int previous =
            addedFontSize_.isEmpty()
                ? -1
                : sizeBox_->findText(addedFontSize_, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (previous >= 0)
            sizeBox_->removeItem(previous);
        addedFontSize_ = size;
        // Kept in the box's order, smallest first.
        index = 0;
        while (index < sizeBox_->count() && FontSizeTenths(sizeBox_->itemText(index)) < tenths)
            ++index;
        sizeBox_->insertItem(index, size);
    }
    sizeBox_->setCurrentIndex(index);
}

void CMainFrame::ShowZoom(int percent) {
    const int index = zoomBox_->findText(QString::number(percent), Qt::MatchStartsWith);
    if (index >= 0)
        zoomBox_->setCurrentIndex(index);
}

void CMainFrame::ShowDocumentSettings() {
    ShowFontName(doc_.fontName);
    // What the statement is drawn at, which for a value out of range is not what the file holds.
    ShowFontSize(UsableFontSize(doc_.fontSize));
    ShowZoom(UsableZoom(doc_.zoom));
}

void CMainFrame::ZoomOut() {
    zoomBox_->setCurrentIndex(std::max(zoomBox_->currentIndex() - 1, 0));
    ApplyZoomEntry();
}

void CMainFrame::ZoomIn() {
    zoomBox_->setCurrentIndex(std::min(zoomBox_->currentIndex() + 1, zoomBox_->count() - 1));
    ApplyZoomEntry();
}

void CMainFrame::OnFontNameChanged(int index) {
    if (index < 0)
        return;
    doc_.SetFontName(ToText(fontBox_->itemText(index)));
    LayoutChanged();
}

void CMainFrame::OnFontSizeChanged(int index) {
    if (index < 0)
        return;
    doc_.SetFontSize(FontSizeTenths(sizeBox_->itemText(index)));
    LayoutChanged();
}

void CMainFrame::OnZoomChanged(int index) {
    if (index < 0)
        return;
    ApplyZoomEntry();
}

void CMainFrame::ApplyZoomEntry() {
    if (zoomBox_->currentIndex() < 0)
        return;
    doc_.SetZoom(LeadingInteger(zoomBox_->currentText()));
    LayoutChanged();
}

void CMainFrame::LayoutChanged() {
    if (view_)
        view_->InvalidateLayout();
    // The statement font is the printed one too.
    if (preview_)
        preview_->Refresh();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasUrls() || data->urls().isEmpty() || !data->urls().first().isLocalFile())
        return;
    event->acceptProposedAction();
    activateWindow();
    OpenDocumentFile(data->urls().first().toLocalFile());
}
