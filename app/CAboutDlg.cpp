#include "app/CAboutDlg.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/SplashWnd.h"

namespace Dialog {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      picture_(SplashScreens::CSplashWnd::LoadPicture()) {
    setWindowTitle(QStringLiteral("About Varnobel Viewer"));
    // The box is the picture and nothing else.
    setFixedSize(picture_.size());
}

void CAboutDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    SplashScreens::CSplashWnd::PaintPicture(painter, picture_);
}

void CAboutDlg::keyPressEvent(QKeyEvent*) {
    accept();
}

void CAboutDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        accept();
}

} // namespace Dialog
