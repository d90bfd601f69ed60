#pragma once

#include <QDialog>

#include "views/StdPrintChoices.h"

class CMainDoc;
class CMainView;
class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace Dialog {

// "Printing Options" of the Standard edition: all or the current scenario, company and year,
// and whether to print the statement, the graphs page or both. Its "Page Setup" button opens
// the margins dialog.
class CPrint_Options_Dlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 168;
    static constexpr int kScenariosAllId = 1115;
    static constexpr int kScenariosCurrentId = 1008;
    static constexpr int kCompaniesAllId = 1116;
    static constexpr int kCompaniesCurrentId = 1010;
    static constexpr int kYearsAllId = 1117;
    static constexpr int kYearsCurrentId = 1012;
    static constexpr int kCashflowId = 1182;
    static constexpr int kGraphsId = 1181;
    static constexpr int kPageSetupId = 1398;

    // `view`, when given, is the one whose paper fit Page Setup shows.
    explicit CPrint_Options_Dlg(CMainDoc& doc, QWidget* parent = nullptr,
                                CMainView* view = nullptr);

    // Shown when the dialog opens, read on OK.
    PrintChoice companies = PrintChoice::None;
    PrintChoice scenarios = PrintChoice::None;
    PrintChoice years = PrintChoice::None;
    int Cashflow = 0;
    int Graphs = 0;

    CMainDoc& Document() const { return doc_; }
    QPushButton* PageSetupButton() const { return pageSetup_; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CMainDoc& doc_;
    QButtonGroup* scenarioGroup_ = nullptr;
    QButtonGroup* companyGroup_ = nullptr;
    QButtonGroup* yearGroup_ = nullptr;
    QCheckBox* cashflow_ = nullptr;
    QCheckBox* graphs_ = nullptr;
    QPushButton* pageSetup_ = nullptr;
};

} // namespace Dialog
