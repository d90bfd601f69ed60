#pragma once

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "document/MessageSink.h"

class QPainter;

namespace SplashScreens {

// The picture with the version and a legal notice, shown while the viewer starts and its main
// window opens the first document. At most one exists at a time.
class CSplashWnd : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTimerPeriodMs = 1;

    ~CSplashWnd() override;

    // Start-up enables the splash before anything else; until then ShowSplashScreen shows nothing.
    static void EnableSplashScreen(bool enable);
    // Replaces any splash by a new one owned by `parent` (none at start-up). With a parent that
    // is a main frame, the splash goes at the first timer tick after the frame holds its
    // document; without one it stays until replaced. Shows nothing when disabled or when the
    // picture cannot be loaded.
    static void ShowSplashScreen(QWidget* parent = nullptr);
    // Closes the splash, if there is one.
    static void HideSplashScreen();
    // The splash on screen, or null.
    static CSplashWnd* Instance();

    // The 520 x 253 picture of the splash and the mode dialog; null when it cannot be loaded.
    static QPixmap LoadPicture();
    // Paints the picture at the top-left corner with the version and the legal notice over it.
    static void PaintPicture(QPainter& painter, const QPixmap& picture);
    static QString VersionText();
    // The 14-point script face of the version text, falling back through similar faces.
    static QFont VersionFont();
    // The faces VersionFont tries, in order.
    static QStringList ScriptFaces();
    static QString LegalNotice();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSplashWnd(const QPixmap& picture, QWidget* parent);

    QPixmap picture;
    QPointer<QWidget> parentFrame;
    bool closing = false;
    int timerId_ = 0;
};

// Hands reports on after taking the splash off the screen, so no box opens beneath it.
class SplashAwareSink : public MessageSink {
public:
    explicit SplashAwareSink(MessageSink& sink) : sink_(sink) {}
    void Message(const Text& text, const Text& title) override;
    void OpenFailed(const Text& text) override;
    void FileError(const Text& text) override;

private:
    MessageSink& sink_;
};

} // namespace SplashScreens
