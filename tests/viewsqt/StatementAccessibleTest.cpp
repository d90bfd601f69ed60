#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <QAccessible>
#include <QTest>

#include "database/CYear.h"
#include "document/RecordingMessageSink.h"
#include "support/SmallAdvYear.h"
#include "views/StatementForecast.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelBasView.h"
#include "views/qt/CVarnobelStdView.h"

namespace {

const std::filesystem::path kExamples = VARNOBEL_EXAMPLES;

QAccessibleInterface* ChildOfRole(QAccessibleInterface* parent, QAccessible::Role role,
                                  const QString& name = {}) {
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (child && child->role() == role &&
            (name.isEmpty() || child->text(QAccessible::Name) == name))
            return child;
    }
    return nullptr;
}

QString Text(QAccessibleInterface* iface) {
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

// The accessible side of a view, as a screen reader walks it, without a display.
class StatementAccessibleTest : public ::testing::Test {
protected:
    void Show(CMainView& view) {
        view.resize(1400, 800);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.DocumentLoaded();
        Paint(view);
    }

    static void Paint(CMainView& view) {
        for (int i = 0; i < 3; ++i) {
            view.repaint();
            QApplication::processEvents();
        }
    }

    static QStringList Row(QAccessibleTableInterface* table, int row) {
        QStringList texts;
        for (int c = 0; c < table->columnCount(); ++c)
            texts << Text(table->cellAt(row, c));
        return texts;
    }

    static int RowOf(QAccessibleTableInterface* table, const QString& label) {
        for (int r = 0; r < table->rowCount(); ++r)
            if (Text(table->cellAt(r, 0)) == label)
                return r;
        return -1;
    }
};

// The small year in the Advanced window: the table's name, shape, headings and cells as drawn;
// the tabs; the expander and a sub-column's check box pressed as a reader would; and the
// keyboard highlight as the focus.
TEST_F(StatementAccessibleTest, TheSmallAdvancedYearThroughTheInterfaces) {
    StatementForecast forecast({100}, {1.0}, 1, 10);
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.year = 2024;
        year.Items(kBank).Clear();
    });
    BuildSmallAdvYear(forecast);
    forecast.View().name = u"Main";
    CVarnobelAdvView view(forecast.doc);
    Show(view);
    view.SelectScenario(0);
    view.SelectCompany(0);
    Paint(view);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(iface, nullptr);
    QAccessibleInterface* table = ChildOfRole(iface, QAccessible::Table);
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Text(table), "Scenario 1 > Company 1 > 2024");
    // Sixteen rows (headings, lines, totals, summary rows, NOTES and its note) and the label,
    // the notes and fifteen sub-columns.
    ASSERT_EQ(grid->rowCount(), 16);
    ASSERT_EQ(grid->columnCount(), 17);
    EXPECT_EQ(table->childCount(), 16 * 17);

    const int sales = RowOf(grid, "Sales");
    ASSERT_EQ(sales, 1);
    EXPECT_EQ(Row(grid, sales),
              (QStringList{"Sales", "1", "900.00", "1,000.00", "(100.00)", "1,100.00", "1,000.00",
                           "100.00", "-", "500.00", "(500.00)", "2,000.00", "2,500.00", "(500.00)",
                           "100.00", "100.00", "-"}));
    QAccessibleInterface* variance = grid->cellAt(sales, 4);
    QAccessibleTableCellInterface* cell = variance->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->rowIndex(), sales);
    EXPECT_EQ(cell->columnIndex(), 4);
    EXPECT_EQ(cell->table(), table);
    EXPECT_EQ(table->indexOfChild(variance), sales * 17 + 4);
    EXPECT_EQ(Text(cell->columnHeaderCells().value(0)), "Nov 23 Variance");
    EXPECT_EQ(Text(cell->rowHeaderCells().value(0)), "Sales");
    ASSERT_NE(variance->valueInterface(), nullptr);
    EXPECT_DOUBLE_EQ(variance->valueInterface()->currentValue().toDouble(), -100.0);
    EXPECT_EQ(grid->cellAt(0, 3)->valueInterface(), nullptr); // the INCOME heading's empty cell
    EXPECT_EQ(grid->columnDescription(16), "Percentage Variance");
    EXPECT_EQ(grid->rowDescription(15), "1");
    EXPECT_EQ(Text(grid->cellAt(15, 1)), "Check prices");
    EXPECT_EQ(grid->cellAt(16, 0), nullptr);

    // The tabs: the view, the combined scenario and company before the real ones, and the year;
    // the real entries shown are selected.
    const std::vector<std::pair<QString, QStringList>> tabs = {
        {"Views", {"Main"}},
        {"Scenarios", {"All", "Scenario 1 (Wt = 100)"}},
        {"Companies", {"Group", "Company 1 (Wt = 1.00)"}},
        {"Years", {"2024"}}};
    for (const auto& [name, labels] : tabs) {
        QAccessibleInterface* list = ChildOfRole(iface, QAccessible::PageTabList, name);
        ASSERT_NE(list, nullptr) << name.toStdString();
        QStringList names;
        QStringList selected;
        for (int i = 0; i < list->childCount(); ++i) {
            EXPECT_EQ(list->child(i)->role(), QAccessible::PageTab);
            names << Text(list->child(i));
            if (list->child(i)->state().selected)
                selected << Text(list->child(i));
        }
        EXPECT_EQ(names, labels);
        EXPECT_EQ(selected, QStringList{labels.back()});
    }
    QAccessibleInterface* years = ChildOfRole(iface, QAccessible::PageTabList, "Years");
    ASSERT_NE(years, nullptr);
    EXPECT_EQ(Text(years->child(0)), "2024");

    // The INCOME expander closes its section: the table loses Sales and says so.
    QAccessibleInterface* expander = ChildOfRole(iface, QAccessible::Button, "INCOME");
    ASSERT_NE(expander, nullptr);
    EXPECT_TRUE(expander->state().expanded);
    expander->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Paint(view);
    EXPECT_TRUE(expander->state().collapsed);
    EXPECT_EQ(RowOf(grid, "Sales"), -1);
    EXPECT_EQ(grid->rowCount(), 15);
    expander->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Paint(view);
    EXPECT_EQ(RowOf(grid, "Sales"), 1);

    // November's Actual check box switches its column off and on.
    QAccessibleInterface* box = ChildOfRole(iface, QAccessible::CheckBox, "Nov 23 Actual");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->state().checked);
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    Paint(view);
    EXPECT_FALSE(box->state().checked);
    EXPECT_EQ(grid->columnCount(), 16);
    EXPECT_EQ(grid->columnDescription(2), "Nov 23 Expected");
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    Paint(view);
    EXPECT_EQ(grid->columnCount(), 17);

    // Tab walks views, scenarios, companies, years, then the rows: the highlight is the focus.
    view.activateWindow();
    view.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(&view, Qt::Key_Tab);
        Paint(view);
    }
    EXPECT_EQ(Text(iface->focusChild()), "2024");
    QTest::keyClick(&view, Qt::Key_Tab);
    Paint(view);
    QAccessibleInterface* first = grid->cellAt(0, 0);
    EXPECT_EQ(iface->focusChild(), first);
    EXPECT_TRUE(first->state().focused);
    QTest::keyClick(&view, Qt::Key_Down);
    Paint(view);
    QAccessibleInterface* second = grid->cellAt(sales, 0);
    EXPECT_EQ(iface->focusChild(), second);
    EXPECT_FALSE(first->state().focused);
    EXPECT_TRUE(grid->isRowSelected(sales));

    // A reader's own move to a row moves the highlight there.
    const int rent = RowOf(grid, "Rent");
    grid->cellAt(rent, 3)->actionInterface()->doAction(
        QAccessibleActionInterface::setFocusAction());
    Paint(view);
    EXPECT_EQ(iface->focusChild(), grid->cellAt(rent, 0));
}

// A row scrolled out of a short window reads as off screen; a reader's SetFocus on one of its
// cells brings it into sight with the highlight on it.
TEST_F(StatementAccessibleTest, AReaderBringsARowIntoSight) {
    StatementForecast forecast({100}, {1.0}, 1, 10);
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.year = 2024;
        year.Items(kBank).Clear();
    });
    BuildSmallAdvYear(forecast);
    CVarnobelAdvView view(forecast.doc);
    Show(view);
    view.resize(1400, 260);
    Paint(view);
    QAccessibleInterface* table =
        ChildOfRole(QAccessible::queryAccessibleInterface(&view), QAccessible::Table);
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface* grid = table->tableInterface();
    const int note = grid->rowCount() - 1;
    QAccessibleInterface* cell = grid->cellAt(note, 1);
    EXPECT_FALSE(grid->cellAt(0, 1)->state().offscreen);
    EXPECT_TRUE(cell->state().offscreen);
    EXPECT_LT(grid->cellAt(0, 0)->rect().top(), cell->rect().top());

    // The note takes no highlight; the row above it, NOTES, does.
    grid->cellAt(note - 1, 1)->actionInterface()->doAction(
        QAccessibleActionInterface::setFocusAction());
    Paint(view);
    EXPECT_FALSE(grid->cellAt(note - 1, 1)->state().offscreen);
    EXPECT_TRUE(grid->isRowSelected(note - 1));
    EXPECT_TRUE(grid->cellAt(0, 1)->state().offscreen);
}

// The same in a short Standard window: each cell and heading has its own place; SetFocus on a
// line below the window brings it up with the highlight, and on a total, which takes none,
// brings it up alone.
TEST_F(StatementAccessibleTest, AReaderBringsAStandardRowIntoSight) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(kExamples / "sample.cfs", sink), CMainDoc::OpenResult::Loaded);
    CVarnobelStdView view(doc);
    Show(view);
    view.resize(1400, 360);
    Paint(view);
    QAccessibleInterface* table =
        ChildOfRole(QAccessible::queryAccessibleInterface(&view), QAccessible::Table);
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface* grid = table->tableInterface();
    const int last = grid->rowCount() - 1;
    QAccessibleInterface* label = grid->cellAt(last, 0);
    QAccessibleInterface* april = grid->cellAt(last, 2);
    EXPECT_TRUE(april->state().offscreen);
    EXPECT_FALSE(grid->cellAt(0, 2)->state().offscreen);
    EXPECT_EQ(april->rect().top(), label->rect().top());
    EXPECT_LT(label->rect().right(), april->rect().left());
    QAccessibleInterface* heading =
        april->tableCellInterface()->columnHeaderCells().value(0, nullptr);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(QAccessible::Name), "Apr");
    EXPECT_EQ(heading->rect().left(), april->rect().left());
    EXPECT_LT(heading->rect().bottom(), grid->cellAt(0, 0)->rect().top());

    const int rent = RowOf(grid, "Rent");
    const int total = RowOf(grid, "Total Income");
    ASSERT_GT(rent, total);
    grid->cellAt(rent, 2)->actionInterface()->doAction(
        QAccessibleActionInterface::setFocusAction());
    Paint(view);
    EXPECT_FALSE(grid->cellAt(rent, 2)->state().offscreen);
    EXPECT_TRUE(grid->isRowSelected(rent));
    EXPECT_TRUE(grid->cellAt(0, 2)->state().offscreen);

    grid->cellAt(last, 2)->actionInterface()->doAction(
        QAccessibleActionInterface::setFocusAction());
    Paint(view);
    EXPECT_FALSE(grid->cellAt(last, 2)->state().offscreen);
    EXPECT_TRUE(grid->isRowSelected(rent));
}

// The example's graph page in the Advanced window: each legend entry a check box named as the
// legend names it, checked, read only and without an action, as a click on it changes nothing.
TEST_F(StatementAccessibleTest, TheAdvancedGraphLegendsEntries) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(kExamples / "sample.cfs", sink), CMainDoc::OpenResult::Loaded);
    CVarnobelAdvView view(doc);
    Show(view);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
    QAccessibleInterface* years = ChildOfRole(iface, QAccessible::PageTabList, "Years");
    ASSERT_NE(years, nullptr);
    QAccessibleInterface* graph = years->child(years->childCount() - 1);
    ASSERT_EQ(Text(graph), "Cash Position");
    graph->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Paint(view);
    QStringList entries;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (child->role() != QAccessible::CheckBox || Text(child) == "Offset Year")
            continue;
        entries << Text(child);
        EXPECT_TRUE(child->state().checked) << Text(child).toStdString();
        EXPECT_TRUE(child->state().readOnly) << Text(child).toStdString();
        EXPECT_TRUE(child->actionInterface()->actionNames().isEmpty());
        EXPECT_FALSE(child->rect().isEmpty());
    }
    EXPECT_EQ(entries, (QStringList{"Expected - Net Cash Movement", "Actual - Bank A/C",
                                    "Expected - Bank A/C"}));
}

// The example in the Basic window: its row of years alone, the statement named after the first
// scenario's first company, and a year's tab pressed as a click does. The graphs page's table
// has a row per series shown, one column per month of both years.
TEST_F(StatementAccessibleTest, TheBasicWindowsTabsTableAndGraphsPage) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(kExamples / "sample.cfs", sink), CMainDoc::OpenResult::Loaded);
    CVarnobelBasView view(doc);
    Show(view);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
    QAccessibleInterface* table = ChildOfRole(iface, QAccessible::Table);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(Text(table), "Expected > Harbour Bakery > 2025");
    QAccessibleTableInterface* grid = table->tableInterface();
    const int income = RowOf(grid, "Total Income");
    ASSERT_GE(income, 0);
    // The tax column stands between the labels and April, as drawn.
    EXPECT_EQ(grid->columnDescription(0), "Description");
    EXPECT_EQ(grid->columnDescription(1), "VAT");
    EXPECT_EQ(grid->columnDescription(2), "Apr");
    EXPECT_EQ(Text(grid->cellAt(income, 2)), "16,200.00");
    EXPECT_EQ(grid->columnDescription(14), "Total");
    EXPECT_EQ(Text(grid->cellAt(income, 14)), "202,800.00");

    ASSERT_EQ(ChildOfRole(iface, QAccessible::PageTabList, "Scenarios"), nullptr);
    QAccessibleInterface* years = ChildOfRole(iface, QAccessible::PageTabList, "Years");
    ASSERT_NE(years, nullptr);
    ASSERT_EQ(years->childCount(), 3);
    EXPECT_EQ(Text(years->child(2)), "Graphs");
    years->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Paint(view);
    EXPECT_EQ(Text(table), "Expected > Harbour Bakery > 2026");
    EXPECT_TRUE(years->child(1)->state().selected);
    EXPECT_FALSE(years->child(0)->state().selected);

    years->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    Paint(view);
    EXPECT_EQ(Text(table), "Expected > Harbour Bakery > Graphs");
    EXPECT_TRUE(table->text(QAccessible::Description).contains(" by month from Apr"));
    // Two years of twelve months after the series' names.
    EXPECT_EQ(grid->columnCount(), 25);
    EXPECT_EQ(grid->columnDescription(1), "Apr 24");
    QAccessibleInterface* income2 = ChildOfRole(iface, QAccessible::CheckBox, "Income");
    ASSERT_NE(income2, nullptr);
    const int rows = grid->rowCount();
    const bool shown = income2->state().checked;
    income2->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    Paint(view);
    EXPECT_NE(income2->state().checked, shown);
    EXPECT_EQ(grid->rowCount(), rows + (shown ? -1 : 1));
}

} // namespace

// In a narrow window of each edition every cell has its own place, under its heading; a figure
// column scrolled out of sight reads as off screen, and a reader's SetFocus on one of its cells
// scrolls it into sight, and back again for the first.
TEST_F(StatementAccessibleTest, AReaderBringsAColumnIntoSight) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_EQ(doc.Load(kExamples / "sample.cfs", sink), CMainDoc::OpenResult::Loaded);
    CVarnobelStdView standard(doc);
    CVarnobelAdvView advanced(doc);
    for (CMainView* view : std::vector<CMainView*>{&standard, &advanced}) {
        SCOPED_TRACE(view == &standard ? "Standard" : "Advanced");
        Show(*view);
        view->resize(900, 600);
        Paint(*view);
        QAccessibleInterface* table =
            ChildOfRole(QAccessible::queryAccessibleInterface(view), QAccessible::Table);
        ASSERT_NE(table, nullptr);
        QAccessibleTableInterface* grid = table->tableInterface();
        const int row = RowOf(grid, "Retail Sales");
        ASSERT_GE(row, 0);
        const int first = view == &standard ? 2 : 3; // past the label, tax codes and notes
        const int last = grid->columnCount() - 1;
        QAccessibleInterface* label = grid->cellAt(row, 0);
        QAccessibleInterface* april = grid->cellAt(row, first);
        QAccessibleInterface* end = grid->cellAt(row, last);
        EXPECT_FALSE(april->state().offscreen);
        EXPECT_TRUE(end->state().offscreen);
        EXPECT_LT(label->rect().right(), april->rect().left());
        EXPECT_LT(april->rect().right(), end->rect().left());
        EXPECT_EQ(april->rect().top(), end->rect().top());
        for (QAccessibleInterface* cell : {april, end}) {
            QAccessibleInterface* heading =
                cell->tableCellInterface()->columnHeaderCells().value(0, nullptr);
            ASSERT_NE(heading, nullptr);
            EXPECT_EQ(heading->rect().left(), cell->rect().left());
            EXPECT_EQ(heading->rect().right(), cell->rect().right());
            EXPECT_LT(heading->rect().bottom(), cell->rect().top());
        }

        end->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        Paint(*view);
        EXPECT_FALSE(grid->cellAt(row, last)->state().offscreen);
        EXPECT_TRUE(grid->cellAt(row, first)->state().offscreen);
        EXPECT_FALSE(grid->cellAt(row, 0)->state().offscreen);

        grid->cellAt(row, first)->actionInterface()->doAction(
            QAccessibleActionInterface::setFocusAction());
        Paint(*view);
        EXPECT_FALSE(grid->cellAt(row, first)->state().offscreen);
        EXPECT_TRUE(grid->cellAt(row, last)->state().offscreen);
        view->hide();
    }
}
