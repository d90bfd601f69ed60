#include "views/qt/PrintOptionsBasDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "views/qt/PrintOptionsDialogParts.h"

namespace Dialog {

using namespace PrintOptionsDialogParts;

CPrint_Options_Bas_Dlg::CPrint_Options_Bas_Dlg(CMainDoc& doc, QWidget* parent, CMainView* view)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(QStringLiteral("Printing Options"));
    setObjectName(QString::number(kDialogId));

    auto* print = new QGroupBox(QStringLiteral("Print"), this);
    cashflow_ = new QCheckBox(QStringLiteral("Cashflow"), print);
    cashflow_->setObjectName(QString::number(kCashflowId));
    graph_ = new QCheckBox(QStringLiteral("Graph"), print);
    graph_->setObjectName(QString::number(kGraphId));
    auto* printColumn = new QVBoxLayout(print);
    printColumn->addWidget(cashflow_);
    printColumn->addWidget(graph_);

    auto* row = new QHBoxLayout;
    row->addWidget(
        MakeChoiceGroup(this, QStringLiteral("Years"), kYearsAllId, kYearsCurrentId, yearGroup_));
    row->addWidget(print);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(MakeButtons(this, doc_, kPageSetupId, pageSetup_, view));
}

void CPrint_Options_Bas_Dlg::showEvent(QShowEvent* event) {
    ShowChoice(yearGroup_, years);
    cashflow_->setChecked(Cashflow != 0);
    graph_->setChecked(Graph != 0);
    QDialog::showEvent(event);
}

void CPrint_Options_Bas_Dlg::accept() {
    years = ReadChoice(yearGroup_);
    Cashflow = cashflow_->isChecked() ? 1 : 0;
    Graph = graph_->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace Dialog
