#include "app/RunningModeDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/SplashWnd.h"

namespace Dialog {

namespace {

constexpr int kPictureWidth = 520;
constexpr int kPictureHeight = 253;

} // namespace

CRunning_Mode_dlg::CRunning_Mode_dlg(QWidget* parent)
    : QDialog(parent), picture(SplashScreens::CSplashWnd::LoadPicture()) {
    setWindowTitle(QString());
    setWindowIcon(QIcon(QStringLiteral(":/icons/varnobel-view-48.png")));

    auto* layout = new QVBoxLayout(this);
    // The picture is painted in the space kept free at the top.
    layout->setContentsMargins(12, kPictureHeight + 10, 12, 12);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Select Mode"), this));
    row->addStretch(1);
    advanced_ = AddButton(QStringLiteral("Advanced"), kAdvancedId, Edition::Advanced);
    standard_ = AddButton(QStringLiteral("Standard"), kStandardId, Edition::Standard);
    basic_ = AddButton(QStringLiteral("Basic"), kBasicId, Edition::Basic);
    row->addWidget(advanced_);
    row->addWidget(standard_);
    row->addWidget(basic_);
    layout->addLayout(row);

    advanced_->setDefault(true);
    advanced_->setFocus();

    setFixedSize(kPictureWidth, sizeHint().height());
}

QPushButton* CRunning_Mode_dlg::AddButton(const QString& text, int id, Edition chosenMode) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, chosenMode] {
        mode = chosenMode;
        accept();
    });
    return button;
}

void CRunning_Mode_dlg::paintEvent(QPaintEvent*) {
    if (picture.isNull())
        return;
    QPainter painter(this);
    SplashScreens::CSplashWnd::PaintPicture(painter, picture);
}

} // namespace Dialog
