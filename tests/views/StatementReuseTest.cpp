#include <gtest/gtest.h>

#include <functional>

#include "platform/RecordingDeviceContext.h"
#include "statement/StatementModel.h"
#include "views/AdvAccess.h"
#include "views/AdvDrawPass.h"
#include "views/ShownTable.h"
#include "views/StatementForecast.h"
#include "views/StdAccess.h"
#include "views/StdDrawPass.h"

namespace {

constexpr Rect kWindow{0, 0, 1600, 1000};

// Each edition's repaint of an unchanged forecast, its screen reader's table and its copy read
// the statement the last pass built; a change of the document has the next pass build it once.
TEST(StatementReuseTest, ARepaintOfAnUnchangedForecastBuildsNoStatement) {
    StatementForecast forecast;
    forecast.AddItem(kIncome, u"Sales", 1000);
    RecordingDeviceContext dc{DeviceCaps::Screen(kWindow.right, kWindow.bottom)};

    StdViewState standard;
    StdPassInput input;
    input.client = kWindow;
    RunStdDrawPass(dc, forecast.doc, standard, input);
    std::uint64_t built = Statement::StatementsBuilt();
    RunStdDrawPass(dc, forecast.doc, standard, input);
    StdStatementAccess(forecast.doc, standard, Edition::Standard, false);
    StdShownTable(forecast.doc, Edition::Standard, standard, false);
    EXPECT_EQ(Statement::StatementsBuilt(), built);
    forecast.doc.Changed();
    RunStdDrawPass(dc, forecast.doc, standard, input);
    EXPECT_EQ(Statement::StatementsBuilt(), built + 1);

    AdvViewState advanced;
    advanced.currentKey = LayoutKey(0, 0, 0, 0);
    RunAdvDrawPassSettled(dc, forecast.doc, advanced, {kWindow, 0, 0});
    built = Statement::StatementsBuilt();
    RunAdvDrawPass(dc, forecast.doc, advanced, {kWindow, 0, 0});
    AdvStatementAccess(forecast.doc, advanced);
    AdvShownTable(forecast.doc, advanced);
    EXPECT_EQ(Statement::StatementsBuilt(), built);
    ASSERT_TRUE(forecast.doc.SetShownState(LayoutKey(0, 0, 0, 0, kIncome), {}, 0));
    RunAdvDrawPass(dc, forecast.doc, advanced, {kWindow, 0, 0});
    EXPECT_EQ(Statement::StatementsBuilt(), built + 1);
}

// What the document switches for a key and a part: the stored state it names is set and the
// revision moves on; only a sub-column, from which the figures are formed, asks for a new
// calculation. A key or part that names nothing changes nothing.
TEST(StatementReuseTest, ShownStatesAreSwitchedByKey) {
    StatementForecast forecast;
    const Item::CLoan& loan = forecast.AddLoan(kLoan, u"Mortgage", 50000);
    const Database::CYear& year = forecast.Year();
    const Database::CDisplaySettings& display = year.display;
    using Kind = ShownPart::Kind;
    struct Case {
        LayoutKey key;
        ShownPart part;
        std::int32_t state;
        std::function<std::int32_t()> stored; // none: nothing to switch
        bool recalculates;
    };
    const LayoutKey yearKey(0, 0, 0, 0);
    const Case cases[] = {
        {LayoutKey(0, 0, 0, 0, kExpense),
         {Kind::Outline},
         0,
         [&] { return year.sectionState[kExpense]; },
         false},
        {LayoutKey(0, 0, 0, 0, kLoan, 0),
         {Kind::Outline},
         4,
         [&] { return loan.OutlineState; },
         false},
        {yearKey,
         {Kind::SubColumn, 3, Database::kVariance},
         0,
         [&] { return display.showVariance[3] ? 1 : 0; },
         true},
        {yearKey,
         {Kind::SubColumn, ShownPart::kPercentGroup, Database::kExpected},
         0,
         [&] { return display.percentageExpected ? 1 : 0; },
         true},
        {LayoutKey(0, 0, 0, 0, kLoan, 1), {Kind::Outline}, 0, nullptr, false},
        {LayoutKey(0, 0, 0, 5), {Kind::SubColumn, 0, Database::kActual}, 0, nullptr, false},
        {yearKey, {Kind::SubColumn, 14, Database::kActual}, 0, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key[LayoutKey::kCategory] << " " << c.part.group);
        forecast.doc.RecalculateIfChanged();
        const std::uint64_t revision = forecast.doc.Revision();
        EXPECT_EQ(forecast.doc.SetShownState(c.key, c.part, c.state), c.stored != nullptr);
        EXPECT_EQ(forecast.doc.Revision(), revision + (c.stored ? 1 : 0));
        EXPECT_EQ(forecast.doc.RecalculateIfChanged(), c.recalculates);
        if (c.stored) {
            EXPECT_EQ(c.stored(), c.state);
        }
    }
}

} // namespace
