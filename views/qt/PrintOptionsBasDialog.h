#pragma once

#include <QDialog>

#include "views/StdPrintChoices.h"

class CMainDoc;
class CMainView;
class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace Dialog {

// "Printing Options" of the Basic edition: all years or the current one, and whether to print
// the statement, the graph or both. Its "Page Setup" button opens the margins dialog.
class CPrint_Options_Bas_Dlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 167;
    static constexpr int kYearsAllId = 1117;
    static constexpr int kYearsCurrentId = 1012;
    static constexpr int kCashflowId = 1182;
    static constexpr int kGraphId = 1181;
    static constexpr int kPageSetupId = 1398;

    // `view`, when given, is the one whose paper fit Page Setup shows.
    explicit CPrint_Options_Bas_Dlg(CMainDoc& doc, QWidget* parent = nullptr,
                                    CMainView* view = nullptr);

    // Shown when the dialog opens, read on OK.
    PrintChoice years = PrintChoice::None;
    int Cashflow = 0;
    int Graph = 0;

    CMainDoc& Document() const { return doc_; }
    QPushButton* PageSetupButton() const { return pageSetup_; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CMainDoc& doc_;
    QButtonGroup* yearGroup_ = nullptr;
    QCheckBox* cashflow_ = nullptr;
    QCheckBox* graph_ = nullptr;
    QPushButton* pageSetup_ = nullptr;
};

} // namespace Dialog
