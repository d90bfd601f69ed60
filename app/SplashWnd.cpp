#include "platform/QtApplication.h"

#include "app/SplashWnd.h"

#include <algorithm>

#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include "app/Version.h"
#include "app/frame/CMainFrame.h"

namespace SplashScreens {

namespace {

bool splashEnabled = false;
CSplashWnd* splashInstance = nullptr;

// Draws text over a box of the background colour that just holds it, as an opaque text output
// does: left-aligned with its top-left corner at `at`, or centred on at.x().
void OpaqueText(QPainter& painter, const QPoint& at, bool centred, const QString& text,
                const QColor& background, const QColor& foreground) {
    const QFontMetrics metrics(painter.font(), painter.device());
    const int width = metrics.horizontalAdvance(text);
    const int left = centred ? at.x() - width / 2 : at.x();
    painter.fillRect(QRect(left, at.y(), width, metrics.height()), background);
    painter.setPen(foreground);
    painter.drawText(QPoint(left, at.y() + metrics.ascent()), text);
}

} // namespace

CSplashWnd::CSplashWnd(const QPixmap& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture.size());
    // Centred on the screen, whoever owns it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    timerId_ = startTimer(kTimerPeriodMs);
    // A key or mouse press anywhere hides the splash.
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd() {
    if (splashInstance == this)
        splashInstance = nullptr;
}

void CSplashWnd::EnableSplashScreen(bool enable) {
    splashEnabled = enable;
}

void CSplashWnd::ShowSplashScreen(QWidget* parent) {
    HideSplashScreen();
    if (!splashEnabled)
        return;
    const QPixmap picture = LoadPicture();
    if (picture.isNull())
        return;
    splashInstance = new CSplashWnd(picture, parent);
    splashInstance->parentFrame = parent;
    splashInstance->closing = false;
    splashInstance->show();
    splashInstance->repaint();
}

void CSplashWnd::HideSplashScreen() {
    if (CSplashWnd* splash = splashInstance) {
        splashInstance = nullptr;
        splash->closing = true;
        if (splash->timerId_ != 0)
            splash->killTimer(splash->timerId_);
        splash->timerId_ = 0;
        qApp->removeEventFilter(splash);
        splash->hide();
        // Deleted later: the call may come from inside the splash's own event handling.
        splash->deleteLater();
    }
}

CSplashWnd* CSplashWnd::Instance() {
    return splashInstance;
}

QPixmap CSplashWnd::LoadPicture() {
    return QPixmap(QStringLiteral(":/splash.png"));
}

QString CSplashWnd::VersionText() {
    return QStringLiteral("Version ") + QLatin1String(ViewerVersion::kText);
}

QFont CSplashWnd::VersionFont() {
    QFont font;
    const QStringList faces = ScriptFaces();
    font.setFamilies(faces);
    font.setPointSize(14);
    // The script faces lean by themselves. Where none of them is installed, font matching picks
    // a cursive face, or at least an italic.
    const bool installed = std::any_of(faces.begin(), faces.end(), [](const QString& face) {
        return QFontDatabase::hasFamily(face);
    });
    if (!installed) {
        font.setStyleHint(QFont::Cursive);
        font.setItalic(true);
    }
    return font;
}

QStringList CSplashWnd::ScriptFaces() {
    // The artwork's own face first, then free script faces (the build scripts install the first
    // of them).
    return {QStringLiteral("Harlow Solid Italic"), QStringLiteral("Dancing Script"),
            QStringLiteral("Kaushan Script"), QStringLiteral("TeX Gyre Chorus"),
            QStringLiteral("Z003")};
}

QString CSplashWnd::LegalNotice() {
    return QStringLiteral("\u00A9 Varnobel Limited. All rights reserved.");
}

void CSplashWnd::PaintPicture(QPainter& painter, const QPixmap& picture) {
    painter.drawPixmap(0, 0, picture);
    painter.save();
    painter.setFont(VersionFont());
    OpaqueText(painter, QPoint(85, 163), false, VersionText(), QColor(176, 222, 176),
               QColor(Qt::black));
    OpaqueText(painter, QPoint(260, 222), true, LegalNotice(), QColor(65, 157, 65),
               QColor(255, 255, 0));
    painter.restore();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPicture(painter, picture);
}

void CSplashWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId_)
        return;
    const auto* frame = qobject_cast<const CMainFrame*>(parentFrame.data());
    if (frame && frame->HasDocument())
        HideSplashScreen();
}

bool CSplashWnd::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        if (splashInstance == this)
            HideSplashScreen();
        break;
    default:
        break;
    }
    return false;
}

void SplashAwareSink::Message(const Text& text, const Text& title) {
    CSplashWnd::HideSplashScreen();
    sink_.Message(text, title);
}

void SplashAwareSink::OpenFailed(const Text& text) {
    CSplashWnd::HideSplashScreen();
    sink_.OpenFailed(text);
}

void SplashAwareSink::FileError(const Text& text) {
    CSplashWnd::HideSplashScreen();
    sink_.FileError(text);
}

} // namespace SplashScreens
