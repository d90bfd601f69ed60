#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <functional>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "document/CMainDoc.h"
#include "support/WhenModal.h"
#include "views/qt/DialogIds.h"
#include "views/qt/PageSetupDialog.h"
#include "views/qt/PrintOptionsBasDialog.h"
#include "views/qt/PrintOptionsDialog.h"

namespace {

using Dialog::CPage_Setup_Dlg;
using Dialog::kCancelId;
using Dialog::kOkId;

template <class Widget> Widget* Child(const QWidget& parent, int id) {
    return parent.findChild<Widget*>(QString::number(id));
}

class PageSetupTest : public ::testing::Test {
protected:
    PageSetupTest() {
        doc.SetMargins(5, 6, 8, 7); // top, left, bottom, right
    }
    QLineEdit* Edit(int id) const { return dialog->Edit(id); }
    void ClickOk() { Child<QPushButton>(*dialog, kOkId)->click(); }

    CMainDoc doc;
    std::unique_ptr<CPage_Setup_Dlg> dialog = std::make_unique<CPage_Setup_Dlg>(doc);
};

TEST_F(PageSetupTest, OpensWithTheRootsMarginsAndStoresThemInOrder) {
    EXPECT_EQ(dialog->windowTitle(), "Page Setup");
    dialog->show();
    EXPECT_EQ(Edit(CPage_Setup_Dlg::kTopEditId)->text(), "5");
    EXPECT_EQ(Edit(CPage_Setup_Dlg::kLeftEditId)->text(), "6");
    EXPECT_EQ(Edit(CPage_Setup_Dlg::kRightEditId)->text(), "7");
    EXPECT_EQ(Edit(CPage_Setup_Dlg::kBottomEditId)->text(), "8");

    Edit(CPage_Setup_Dlg::kTopEditId)->setText("12");
    Edit(CPage_Setup_Dlg::kLeftEditId)->setText(" 3 ");
    Edit(CPage_Setup_Dlg::kRightEditId)->setText("0");
    Edit(CPage_Setup_Dlg::kBottomEditId)->setText("140"); // beyond the spin range, typed
    ClickOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(doc.Root().marginTop, 12);
    EXPECT_EQ(doc.Root().marginLeft, 3);
    EXPECT_EQ(doc.Root().marginRight, 0);
    EXPECT_EQ(doc.Root().marginBottom, 140);
    EXPECT_EQ(dialog->bottom, 140);
}

TEST_F(PageSetupTest, SpinControlsStopAtZeroAndHundred) {
    dialog->show();
    const auto step = [&](int spin, bool up) { dialog->SpinArrow(spin, up)->click(); };
    QLineEdit* top = Edit(CPage_Setup_Dlg::kTopEditId);
    top->setText("0");
    step(CPage_Setup_Dlg::kTopSpinId, false);
    EXPECT_EQ(top->text(), "0");
    step(CPage_Setup_Dlg::kTopSpinId, true);
    EXPECT_EQ(top->text(), "1");

    QLineEdit* bottom = Edit(CPage_Setup_Dlg::kBottomEditId);
    bottom->setText("99");
    step(CPage_Setup_Dlg::kBottomSpinId, true);
    step(CPage_Setup_Dlg::kBottomSpinId, true);
    EXPECT_EQ(bottom->text(), "100");
    // A typed value outside the range: the spin takes it to the range first.
    bottom->setText("250");
    step(CPage_Setup_Dlg::kBottomSpinId, false);
    EXPECT_EQ(bottom->text(), "99");
    // Each spin drives its own edit.
    step(CPage_Setup_Dlg::kRightSpinId, true);
    EXPECT_EQ(Edit(CPage_Setup_Dlg::kRightEditId)->text(), "8");
    EXPECT_EQ(Edit(CPage_Setup_Dlg::kLeftEditId)->text(), "6");
}

TEST_F(PageSetupTest, NonIntegerIsRefusedAndTheDialogStaysOpen) {
    dialog->show();
    Edit(CPage_Setup_Dlg::kLeftEditId)->setText("1.5");
    QString told;
    WhenModal([&told](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            told = box->text();
            box->accept();
        }
    });
    ClickOk();
    EXPECT_EQ(told, "Please enter an integer.");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(doc.Root().marginLeft, 6);
    EXPECT_EQ(doc.Root().marginTop, 5);
}

TEST_F(PageSetupTest, CancelChangesNothing) {
    dialog->show();
    Edit(CPage_Setup_Dlg::kTopEditId)->setText("40");
    Child<QPushButton>(*dialog, kCancelId)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(doc.Root().marginTop, 5);
}

TEST(PrintOptionsDialog, ShowsItsMembersAndReadsThemBackOnOk) {
    CMainDoc doc;
    Dialog::CPrint_Options_Dlg dialog(doc);
    EXPECT_EQ(dialog.windowTitle(), "Printing Options");
    EXPECT_EQ(dialog.scenarios, PrintChoice::None);
    EXPECT_EQ(dialog.Graphs, 0);
    dialog.scenarios = PrintChoice::All;
    dialog.companies = PrintChoice::None;
    dialog.years = PrintChoice::Current;
    dialog.Cashflow = 1;
    dialog.show();
    const auto radio = [&](int id) { return Child<QRadioButton>(dialog, id); };
    EXPECT_EQ(radio(1115)->text(), "All");
    EXPECT_TRUE(radio(1115)->isChecked());
    EXPECT_FALSE(radio(1008)->isChecked());
    EXPECT_FALSE(radio(1116)->isChecked());
    EXPECT_FALSE(radio(1010)->isChecked());
    EXPECT_FALSE(radio(1117)->isChecked());
    EXPECT_TRUE(radio(1012)->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, 1182)->isChecked());
    EXPECT_EQ(Child<QCheckBox>(dialog, 1181)->text(), "Graphs");
    EXPECT_FALSE(Child<QCheckBox>(dialog, 1181)->isChecked());

    radio(1010)->click();
    radio(1008)->click();
    Child<QCheckBox>(dialog, 1181)->click();
    Child<QCheckBox>(dialog, 1182)->click();
    Child<QPushButton>(dialog, kOkId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.scenarios, PrintChoice::Current);
    EXPECT_EQ(dialog.companies, PrintChoice::Current);
    EXPECT_EQ(dialog.years, PrintChoice::Current);
    EXPECT_EQ(dialog.Cashflow, 0);
    EXPECT_EQ(dialog.Graphs, 1);
}

TEST(PrintOptionsDialog, PageSetupButtonOpensTheMarginsOfTheDocument) {
    CMainDoc doc;
    doc.SetMargins(9, 0, 0, 0);
    Dialog::CPrint_Options_Bas_Dlg dialog(doc);
    dialog.show();
    EXPECT_EQ(Child<QCheckBox>(dialog, 1181)->text(), "Graph");
    QString topShown;
    WhenModal([&topShown](QWidget* modal) {
        if (auto* setup = qobject_cast<CPage_Setup_Dlg*>(modal)) {
            topShown = setup->Edit(CPage_Setup_Dlg::kTopEditId)->text();
            setup->Edit(CPage_Setup_Dlg::kTopEditId)->setText("20");
            setup->accept();
        }
    });
    dialog.PageSetupButton()->click();
    EXPECT_EQ(topShown, "9");
    EXPECT_EQ(doc.Root().marginTop, 20);
    // The options dialog is still open, its choices untouched.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.years, PrintChoice::None);
}

} // namespace
