#pragma once

#include <QDialog>
#include <QPixmap>

namespace Dialog {

// The About box: the splash picture with the version and the legal notice, no controls. A key
// press or a left click closes it.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace Dialog
