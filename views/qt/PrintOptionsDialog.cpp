#include "views/qt/PrintOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "views/qt/PrintOptionsDialogParts.h"

namespace Dialog {

using namespace PrintOptionsDialogParts;

CPrint_Options_Dlg::CPrint_Options_Dlg(CMainDoc& doc, QWidget* parent, CMainView* view)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(QStringLiteral("Printing Options"));
    setObjectName(QString::number(kDialogId));

    auto* print = new QGroupBox(QStringLiteral("Print"), this);
    cashflow_ = new QCheckBox(QStringLiteral("Cashflow"), print);
    cashflow_->setObjectName(QString::number(kCashflowId));
    graphs_ = new QCheckBox(QStringLiteral("Graphs"), print);
    graphs_->setObjectName(QString::number(kGraphsId));
    auto* printColumn = new QVBoxLayout(print);
    printColumn->addWidget(cashflow_);
    printColumn->addWidget(graphs_);
    printColumn->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(MakeChoiceGroup(this, QStringLiteral("Scenarios"), kScenariosAllId,
                                    kScenariosCurrentId, scenarioGroup_),
                    0, 0);
    grid->addWidget(MakeChoiceGroup(this, QStringLiteral("Companies"), kCompaniesAllId,
                                    kCompaniesCurrentId, companyGroup_),
                    1, 0);
    grid->addWidget(
        MakeChoiceGroup(this, QStringLiteral("Years"), kYearsAllId, kYearsCurrentId, yearGroup_), 2,
        0);
    grid->addWidget(print, 0, 1, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(MakeButtons(this, doc_, kPageSetupId, pageSetup_, view));
}

void CPrint_Options_Dlg::showEvent(QShowEvent* event) {
    ShowChoice(scenarioGroup_, scenarios);
    ShowChoice(companyGroup_, companies);
    ShowChoice(yearGroup_, years);
    cashflow_->setChecked(Cashflow != 0);
    graphs_->setChecked(Graphs != 0);
    QDialog::showEvent(event);
}

void CPrint_Options_Dlg::accept() {
    scenarios = ReadChoice(scenarioGroup_);
    companies = ReadChoice(companyGroup_);
    years = ReadChoice(yearGroup_);
    Cashflow = cashflow_->isChecked() ? 1 : 0;
    Graphs = graphs_->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace Dialog
