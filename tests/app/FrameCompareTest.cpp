#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include "app/ShellFixture.h"
#include "app/frame/ChangesController.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/Categories.h"
#include "items/CItem.h"
#include "app/frame/ChangesOverlay.h"
#include "app/frame/ChangesPane.h"

namespace {

class FrameCompareTest : public ::testing::Test, public ShellFixture {};

QAccessibleTableInterface* Table(QWidget& view) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
    for (int i = 0; iface && i < iface->childCount(); ++i)
        if (iface->child(i) && iface->child(i)->role() == QAccessible::Table)
            return iface->child(i)->tableInterface();
    return nullptr;
}

// The window marks the figure the newer version changed and a reader hears its older amount,
// until the comparison stops.
TEST_F(FrameCompareTest, MarksTheChangedFigureWithTheOlderAmountUntilStopped) {
    // The example with the bakery's June expected retail sales raised from 9,500.00 to 9,700.00.
    const QString older = QStringLiteral(VARNOBEL_EXAMPLES "/sample.cfs");
    CMainDoc source;
    ASSERT_TRUE(source.Open(older.toStdString(), sink));
    auto& sales = dynamic_cast<Item::CItem&>(
        source.Root().View(0).Scenario(0).Company(0).Year(0).ItemAt(kIncome, 0));
    sales.Expected[5] = 970000;
    const QString newer = WriteBytes("newer.cfs", source.Store());

    CMainFrame& frame = MakeFrame();
    frame.resize(1400, 800);
    frame.show();
    ASSERT_TRUE(frame.OpenDocumentFile(newer));
    ChangesController& changes = frame.Changes();
    EXPECT_FALSE(changes.Pane().isVisible());
    EXPECT_FALSE(changes.StopAction()->isEnabled());
    QSignalSpy finished(&changes, &ChangesController::Finished);
    changes.CompareWith(older, newer);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.first().first().toString(), QString());
    ASSERT_NE(changes.Comparison(), nullptr);
    EXPECT_TRUE(changes.Pane().isVisible());

    const Statement::StatementChanges* shown = nullptr;
    for (int s = 0; s < 4 && !(shown && shown->Title() == "Expected > Harbour Bakery > 2025");
         ++s) {
        frame.View()->SelectScenario(s);
        frame.View()->SelectCompany(0);
        frame.View()->repaint();
        shown = changes.Overlay().ShownChanges();
    }
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->Title(), "Expected > Harbour Bakery > 2025");
    const auto june =
        std::find_if(shown->changes.begin(), shown->changes.end(), [](const auto& change) {
            return change.row == "Retail Sales" && change.column == "Jun";
        });
    ASSERT_NE(june, shown->changes.end());
    const auto [row, column] = changes.Overlay().CellOf(*june);
    ASSERT_GE(row, 0);
    ASSERT_GE(column, 0);
    QAccessibleTableInterface* table = Table(*frame.View());
    ASSERT_NE(table, nullptr);
    QAccessibleInterface* cell = table->cellAt(row, column);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Value), QStringLiteral("9,700.00"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("was 9,500.00, up 200.00"));
    // A cell of a row the change does not reach says nothing more than its figure.
    EXPECT_EQ(table->cellAt(row, column - 1)->text(QAccessible::Description), QString());

    changes.ShowAction()->trigger();
    EXPECT_EQ(cell->text(QAccessible::Description), QString());
    changes.ShowAction()->trigger();
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("was 9,500.00, up 200.00"));

    changes.StopAction()->trigger();
    EXPECT_EQ(changes.Comparison(), nullptr);
    EXPECT_FALSE(changes.Pane().isVisible());
    EXPECT_EQ(cell->text(QAccessible::Description), QString());
}

} // namespace
