#include <gtest/gtest.h>

#include <string>

#include "display/CColumnHeaders.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/AdvStatementCsv.h"
#include "views/AdvDrawPass.h"
#include "views/AdvInput.h"
#include "views/StatementForecast.h"

namespace {

using Display::CColumnHeaders;

// The check toggles under the Advanced column headings, clicked as a user would: a month, Total
// or Percentage switched off in all three sub-columns keeps its heading and toggles, so each
// can be switched on again, as does one the file stores all off.
TEST(AdvColumnTogglesTest, AllThreeOffAndBackOnForAMonthTotalAndPercentage) {
    struct Case {
        int group;
        Text heading;
        std::string csv; // how the group's CSV headings start
    };
    const Case cases[] = {{5, u"Jun 24", "Jun 24 "},
                          {CColumnHeaders::kTotalTriple, u"Total", "Total "},
                          {CColumnHeaders::kPercentTriple, u"Percentage", "Percentage "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.heading));
        StatementForecast forecast;
        forecast.EveryYear(0, [](Database::CYear& year) { year.year = 2024; });
        forecast.AddItem(kIncome, u"Sales", 100000);
        AdvViewState state;
        state.currentKey = LayoutKey(0, 0, 0, 0);
        RecordingDeviceContext dc{DeviceCaps::Screen(5000, 800)};
        const auto pass = [&] {
            const AdvPassInput input{Rect{0, 0, 5000, 800}, 0, 0};
            RunAdvDrawPassSettled(dc, forecast.doc, state, input);
            dc.Clear();
            RunAdvDrawPass(dc, forecast.doc, state, input);
        };
        const auto headers = [&]() -> CColumnHeaders& {
            return dynamic_cast<CColumnHeaders&>(*state.lists.statement.front());
        };
        // The group's CSV columns; its heading and its three toggles drawn under it.
        const auto columns = [&] {
            const std::string csv = AdvStatementCsv(*state.lists.model);
            int count = 0;
            for (std::size_t at = csv.find("," + c.csv); at < csv.find('\n');
                 at = csv.find("," + c.csv, at + 1))
                ++count;
            return count;
        };
        const auto expectHeadingAndToggles = [&] {
            const auto& triple = headers().toggles[static_cast<std::size_t>(c.group)];
            EXPECT_GE(triple.rect.Width(), 3 * CColumnHeaders::kBitmapSize);
            const DrawOp* title = dc.FindText(c.heading);
            ASSERT_NE(title, nullptr);
            EXPECT_EQ(title->point.x, (triple.rect.left + triple.rect.right) / 2);
            int toggles = 0;
            for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Bitmap))
                toggles += op->rect.left >= triple.rect.left && op->rect.right <= triple.rect.right;
            EXPECT_EQ(toggles, 3);
        };
        const auto click = [&](int sub) {
            const auto& toggle = headers().toggles[static_cast<std::size_t>(c.group)]
                                     .toggles[static_cast<std::size_t>(sub)];
            const Rect seen = toggle.rect.Intersected(toggle.clip);
            ASSERT_FALSE(seen.IsEmpty()) << sub;
            const Point centre{(seen.left + seen.right) / 2, (seen.top + seen.bottom) / 2};
            EXPECT_EQ(ClickAt(forecast.doc, state, centre), AdvClick::ColumnFlipped);
            pass();
        };

        pass();
        const std::string before = AdvStatementCsv(*state.lists.model);
        ASSERT_EQ(columns(), 3);
        for (int sub = 0; sub < 3; ++sub) {
            click(sub);
            EXPECT_EQ(columns(), 2 - sub);
            expectHeadingAndToggles();
        }
        // As stored in a file: a view opened afresh on the forecast shows the same.
        state = AdvViewState();
        state.currentKey = LayoutKey(0, 0, 0, 0);
        pass();
        expectHeadingAndToggles();
        for (int sub = 2; sub >= 0; --sub)
            click(sub);
        EXPECT_EQ(AdvStatementCsv(*state.lists.model), before);
    }
}

} // namespace
