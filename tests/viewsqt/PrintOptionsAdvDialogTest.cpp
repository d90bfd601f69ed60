#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "document/CMainDoc.h"
#include "support/ForecastBuilder.h"
#include "views/qt/DialogIds.h"
#include "views/qt/PrintOptionsAdvDialog.h"

namespace {

using Dialog::CPrint_Options_Adv_Dlg;
using Dialog::kCancelId;
using Dialog::kOkId;

// One view of the combined scenario and one real scenario, each with the combined company and
// one real company of two years; the real scenario's real company is hidden.
class PrintOptionsAdvTest : public ::testing::Test {
protected:
    PrintOptionsAdvTest() {
        doc.Root().views.Append(ForecastBuilder::MakeView({100}, {1.0}, 2));
        Company(1, 1).hidden = true;
        doc.Root().SetPrintOption(PrintOption::Expanded);
        dialog = std::make_unique<CPrint_Options_Adv_Dlg>(doc);
        dialog->resize(500, 320);
        dialog->show();
    }

    Database::CCompany& Company(int scenario, int company) {
        return doc.Root().View(0).scenarios.At(scenario).companies.At(company);
    }
    template <class Widget> Widget* Child(int id) const {
        return dialog->findChild<Widget*>(QString::number(id));
    }
    // The shown tree's item at a path of child positions below its root.
    QTreeWidgetItem* ShownItem(std::initializer_list<int> path) const {
        QTreeWidgetItem* item = dialog->Tree(CPrint_Options_Adv_Dlg::kShownTreeId)->topLevelItem(0);
        for (int position : path)
            item = item->child(position);
        return item;
    }
    PrintTreeItem* Record(QTreeWidgetItem* item) {
        for (PrintTreeItem* root : {&dialog->Trees().Everything(), &dialog->Trees().Shown()})
            if (PrintTreeItem* found = Find(*root, item))
                return found;
        return nullptr;
    }
    PrintTreeItem* Find(PrintTreeItem& item, QTreeWidgetItem* widget) {
        if (dialog->WidgetItem(item) == widget)
            return &item;
        for (const auto& child : item.children)
            if (PrintTreeItem* found = Find(*child, widget))
                return found;
        return nullptr;
    }
    void Press(QTreeWidgetItem* item, QPoint at) {
        auto* tree = dialog->Tree(CPrint_Options_Adv_Dlg::kShownTreeId);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }

    CMainDoc doc;
    std::unique_ptr<CPrint_Options_Adv_Dlg> dialog;
};

TEST_F(PrintOptionsAdvTest, OffersTheTreeWithoutHiddenEntriesAndTheFileOption) {
    EXPECT_EQ(dialog->windowTitle(), "Printing Options");
    EXPECT_FALSE(Child<QWidget>(CPrint_Options_Adv_Dlg::kAllTreeId)->isVisible());
    EXPECT_TRUE(Child<QWidget>(CPrint_Options_Adv_Dlg::kShownTreeId)->isVisible());
    auto* showHidden = Child<QCheckBox>(CPrint_Options_Adv_Dlg::kShowHiddenId);
    EXPECT_FALSE(showHidden->isVisible());
    EXPECT_FALSE(showHidden->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(CPrint_Options_Adv_Dlg::kAsSelectedId)->isVisible());
    EXPECT_TRUE(Child<QRadioButton>(CPrint_Options_Adv_Dlg::kExpandedId)->isChecked());
    EXPECT_EQ(Child<QRadioButton>(CPrint_Options_Adv_Dlg::kCollapsedId)->text(), "Collapsed");

    EXPECT_EQ(ShownItem({})->text(0), "All");
    EXPECT_EQ(ShownItem({0, 1})->childCount(), 1); // the real scenario's combined company only
    EXPECT_EQ(ShownItem({0, 1, 0, 1})->text(0), "2021");
}

TEST_F(PrintOptionsAdvTest, ResizingStretchesTheTreeAndKeepsTheButtonsInTheCorner) {
    auto* ok = Child<QPushButton>(kOkId);
    auto* tree = dialog->Tree(CPrint_Options_Adv_Dlg::kShownTreeId);
    const auto corner = [&] {
        return QPoint(dialog->width(), dialog->height()) - ok->geometry().bottomRight();
    };
    const QPoint before = corner();
    const QSize treeBefore = tree->size();
    dialog->resize(700, 450);
    QCoreApplication::processEvents();
    EXPECT_EQ(corner(), before);
    EXPECT_EQ(tree->width() - treeBefore.width(), 200);
    EXPECT_EQ(tree->height() - treeBefore.height(), 130);

    dialog->resize(100, 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->size(), QSize(390, 200));
}

TEST_F(PrintOptionsAdvTest, APressOnTheCheckTogglesBothTreesAndOkStoresTheMarks) {
    QTreeWidgetItem* scenario = ShownItem({0, 1});
    auto* tree = dialog->Tree(CPrint_Options_Adv_Dlg::kShownTreeId);
    Press(scenario, tree->visualItemRect(scenario).center() + QPoint(20, 0)); // on the text
    EXPECT_EQ(Record(scenario)->state, PrintCheck::Unchecked);

    Press(scenario, tree->CheckRect(scenario).center());
    EXPECT_EQ(Record(scenario)->state, PrintCheck::Checked);
    EXPECT_EQ(Record(ShownItem({0, 1, 0, 1}))->state, PrintCheck::Checked);
    EXPECT_EQ(Record(ShownItem({}))->state, PrintCheck::Partly);
    // The hidden company is checked in the other tree but is not the tree in use.
    PrintTreeItem& hidden = *dialog->Trees().Everything().children[0]->children[1]->children[1];
    EXPECT_EQ(hidden.state, PrintCheck::Checked);

    Child<QPushButton>(kOkId)->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Company(1, 0).Year(1).printMark, 1);
    EXPECT_EQ(Company(1, 1).Year(1).printMark, 0);
    EXPECT_EQ(Company(0, 0).Year(0).printMark, 0);
}

TEST_F(PrintOptionsAdvTest, AnOptionIsStoredAtOnceButCancelKeepsTheMarks) {
    int refreshed = 0;
    dialog->SetRefresh([&] { ++refreshed; });
    Child<QRadioButton>(CPrint_Options_Adv_Dlg::kCollapsedId)->click();
    EXPECT_EQ(doc.Root().GetPrintOption(), PrintOption::Collapsed);
    EXPECT_EQ(refreshed, 1);

    Company(0, 0).Year(0).printMark = 1;
    QTreeWidgetItem* everything = ShownItem({});
    Press(everything,
          dialog->Tree(CPrint_Options_Adv_Dlg::kShownTreeId)->CheckRect(everything).center());
    EXPECT_EQ(Record(everything)->state, PrintCheck::Checked);
    Child<QPushButton>(kCancelId)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Company(0, 0).Year(0).printMark, 1);
    EXPECT_EQ(Company(1, 0).Year(0).printMark, 0);
}

// A first print starts from the year on screen; OK with nothing ticked says so and stays open.
TEST_F(PrintOptionsAdvTest, TheYearOnScreenStartsTickedAndOkNeedsAYear) {
    CPrint_Options_Adv_Dlg fresh(doc, nullptr, &Company(1, 0).Year(1));
    fresh.show();
    const auto state = [&](int company, int year) {
        for (const auto& scenario : fresh.Trees().Shown().children[0]->children)
            for (const auto& each : scenario->children)
                if (each->object == &Company(1, company))
                    return each->children[static_cast<std::size_t>(year)]->state;
        return PrintCheck::Partly;
    };
    EXPECT_EQ(state(0, 1), PrintCheck::Checked);
    EXPECT_EQ(state(0, 0), PrintCheck::Unchecked);

    // Unticked again, OK answers with a message and leaves the dialog open and the marks alone.
    fresh.Trees().Toggle(*fresh.Trees().Shown().children[0]->children[1]->children[0]->children[1]);
    QString told;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->accept();
        }
    });
    fresh.findChild<QPushButton*>(QString::number(kOkId))->click();
    EXPECT_EQ(told, "There is nothing to print with these options.");
    EXPECT_TRUE(fresh.isVisible());
    EXPECT_EQ(Company(1, 0).Year(1).printMark, 0);

    // Marks already set are left as they are.
    Company(0, 0).Year(0).printMark = 1;
    CPrint_Options_Adv_Dlg marked(doc, nullptr, &Company(1, 0).Year(1));
    EXPECT_FALSE(PrintTreePair::AnyYearChecked(
        *marked.Trees().Shown().children[0]->children[1]->children[0]));
}

} // namespace
