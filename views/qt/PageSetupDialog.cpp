#include "views/qt/PageSetupDialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "document/CMainDoc.h"
#include "views/qt/CMainView.h"
#include "views/qt/DialogButtons.h"

namespace Dialog {

namespace {

enum MarginIndex { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3 };

// An edit's whole number, as the edits exchange them: blanks around it are allowed, nothing
// else.
bool ReadInteger(const QLineEdit* edit, int& value) {
    bool ok = false;
    const int read = edit->text().trimmed().toInt(&ok, 10);
    if (ok)
        value = read;
    return ok;
}

} // namespace

CPage_Setup_Dlg::CPage_Setup_Dlg(CMainDoc& doc, QWidget* parent, CMainView* view)
    : QDialog(parent), doc_(doc), view_(view) {
    setWindowTitle(QStringLiteral("Page Setup"));
    setObjectName(QString::number(kDialogId));

    margins_[kTop] = Margin{kTopEditId, kTopSpinId};
    margins_[kLeft] = Margin{kLeftEditId, kLeftSpinId};
    margins_[kRight] = Margin{kRightEditId, kRightSpinId};
    margins_[kBottom] = Margin{kBottomEditId, kBottomSpinId};
    const char* labels[] = {"Top", "Left", "Right", "Bottom"};

    auto* group = new QGroupBox(QStringLiteral("Margins (mm)"), this);
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < margins_.size(); ++i) {
        Margin& margin = margins_[i];
        margin.edit = new QLineEdit(group);
        margin.edit->setObjectName(QString::number(margin.editId));
        margin.edit->setMaximumWidth(60);
        auto* label = new QLabel(QString::fromLatin1(labels[i]), group);
        label->setBuddy(margin.edit);
        const int row = static_cast<int>(i);
        grid->addWidget(label, row, 0);
        grid->addWidget(margin.edit, row, 1);
        grid->addWidget(MakeSpin(margin), row, 2);
    }

    QDialogButtonBox* buttons = MakeOkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    if (view_) {
        auto* paper = new QGroupBox(QStringLiteral("Pages across"), this);
        auto* form = new QFormLayout(paper);
        fitBox_ = new QComboBox(paper);
        fitBox_->setObjectName(QStringLiteral("FitPagesWide"));
        fitBox_->addItem(QStringLiteral("Off"));
        for (int pages = 1; pages <= PaperFit::kMostPagesWide; ++pages)
            fitBox_->addItem(QString::number(pages));
        form->addRow(QStringLiteral("&Fit to pages wide"), fitBox_);
        repeatBox_ = new QCheckBox(QStringLiteral("&Repeat row labels on every page"), paper);
        repeatBox_->setObjectName(QStringLiteral("RepeatLabels"));
        // The Advanced statement repeats its descriptions on every page whatever is chosen.
        repeatBox_->setEnabled(view_->GetEdition() != Edition::Advanced);
        form->addRow(repeatBox_);
        layout->addWidget(paper);
    }
    layout->addWidget(buttons);
}

QWidget* CPage_Setup_Dlg::MakeSpin(Margin& margin) {
    auto* spin = new QWidget(this);
    spin->setObjectName(QString::number(margin.spinId));
    auto* column = new QVBoxLayout(spin);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    margin.up = new QToolButton(spin);
    margin.up->setArrowType(Qt::UpArrow);
    margin.up->setAutoRepeat(true);
    margin.up->setFocusPolicy(Qt::NoFocus);
    margin.down = new QToolButton(spin);
    margin.down->setArrowType(Qt::DownArrow);
    margin.down->setAutoRepeat(true);
    margin.down->setFocusPolicy(Qt::NoFocus);
    column->addWidget(margin.up);
    column->addWidget(margin.down);
    connect(margin.up, &QToolButton::clicked, this, [this, &margin] { Step(margin, 1); });
    connect(margin.down, &QToolButton::clicked, this, [this, &margin] { Step(margin, -1); });
    return spin;
}

void CPage_Setup_Dlg::Step(Margin& margin, int step) {
    // A spin control keeps its position within its range, whatever the edit holds.
    int value = kSpinMinimum;
    if (!ReadInteger(margin.edit, value))
        value = kSpinMinimum;
    value = std::clamp(value, kSpinMinimum, kSpinMaximum);
    value = std::clamp(value + step, kSpinMinimum, kSpinMaximum);
    margin.edit->setText(QString::number(value));
}

void CPage_Setup_Dlg::LoadMargins() {
    const Database::CPERT& root = doc_.Root();
    margins_[kTop].edit->setText(QString::number(root.marginTop));
    margins_[kLeft].edit->setText(QString::number(root.marginLeft));
    margins_[kRight].edit->setText(QString::number(root.marginRight));
    margins_[kBottom].edit->setText(QString::number(root.marginBottom));
}

void CPage_Setup_Dlg::LoadPaperFit() {
    if (!view_)
        return;
    const PaperFit& fit = view_->GetPaperFit();
    fitBox_->setCurrentIndex(std::clamp(fit.pagesWide, 0, PaperFit::kMostPagesWide));
    repeatBox_->setChecked(fit.repeatLabels);
}

void CPage_Setup_Dlg::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        LoadMargins();
        LoadPaperFit();
    }
    QDialog::showEvent(event);
}

QLineEdit* CPage_Setup_Dlg::Edit(int editId) const {
    for (const Margin& margin : margins_)
        if (margin.editId == editId)
            return margin.edit;
    return nullptr;
}

QToolButton* CPage_Setup_Dlg::SpinArrow(int spinId, bool up) const {
    for (const Margin& margin : margins_)
        if (margin.spinId == spinId)
            return up ? margin.up : margin.down;
    return nullptr;
}

void CPage_Setup_Dlg::accept() {
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < margins_.size(); ++i) {
        if (!ReadInteger(margins_[i].edit, values[i])) {
            QMessageBox::warning(this, windowTitle(), QStringLiteral("Please enter an integer."));
            margins_[i].edit->setFocus();
            margins_[i].edit->selectAll();
            return;
        }
    }
    top = values[kTop];
    left = values[kLeft];
    right = values[kRight];
    bottom = values[kBottom];
    doc_.SetMargins(top, left, bottom, right);
    if (view_)
        view_->SetPaperFit(PaperFit{fitBox_->currentIndex(), repeatBox_->isChecked()});
    QDialog::accept();
}

} // namespace Dialog
