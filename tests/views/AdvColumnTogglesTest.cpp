#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "display/CColumnHeaders.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/AdvStatementCsv.h"
#include "views/AdvDrawPass.h"
#include "views/AdvInput.h"
#include "views/StatementForecast.h"

// The check toggles under the Advanced column headings, clicked as a user would: a group whose
// three sub-columns are all switched off keeps its heading and its toggles, so that each can be
// switched on again.

namespace {

using Display::CColumnHeaders;

constexpr int kWidth = 5000;
constexpr int kHeight = 800;

// The CSV's heading record.
std::vector<std::string> CsvHeadings(const std::string& csv) {
    std::vector<std::string> headings;
    std::string field;
    for (const char c : csv.substr(0, csv.find('\n'))) {
        if (c == ',' || c == '\r') {
            headings.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    headings.push_back(field);
    return headings;
}

int CountStartingWith(const std::vector<std::string>& headings, const std::string& prefix) {
    int count = 0;
    for (const std::string& heading : headings)
        count += heading.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

class Toggles {
  public:
    Toggles() {
        forecast.EveryYear(0, [](Database::CYear& year) { year.year = 2024; });
        forecast.AddItem(kIncome, u"Sales", 100000);
        forecast.AddItem(kExpense, u"Rent", 40000);
        state.currentKey = LayoutKey(0, 0, 0, 0);
    }

    void Pass() {
        const AdvPassInput input{Rect{0, 0, kWidth, kHeight}, 0, 0};
        RunAdvDrawPassSettled(dc, forecast.doc, state, input);
        dc.Clear();
        RunAdvDrawPass(dc, forecast.doc, state, input);
    }

    CColumnHeaders& Headers() {
        auto* headers = dynamic_cast<CColumnHeaders*>(state.lists.statement.front().get());
        EXPECT_NE(headers, nullptr);
        return *headers;
    }

    // Clicks toggle `sub` of heading group `group` and draws again; false when there was none
    // to click.
    bool Click(int group, int sub) {
        const Display::ToggleTriple& triple = Headers().toggles[static_cast<std::size_t>(group)];
        const Display::CheckToggle& toggle = triple.toggles[static_cast<std::size_t>(sub)];
        const Rect seen = toggle.rect.Intersected(toggle.clip);
        if (seen.IsEmpty())
            return false;
        const AdvClick click =
            ClickAt(state, {(seen.left + seen.right) / 2, (seen.top + seen.bottom) / 2});
        Pass();
        return click == AdvClick::ColumnFlipped;
    }

    // The group's heading is drawn with its three toggles under it.
    void ExpectHeadingAndToggles(int group, const Text& heading) {
        const CColumnHeaders& headers = Headers();
        const Rect head = group < 12 ? headers.monthHeadRects[static_cast<std::size_t>(group)]
                          : group == CColumnHeaders::kTotalTriple ? headers.totalHeadRect
                                                                  : headers.percentHeadRect;
        EXPECT_GE(head.Width(), 3 * CColumnHeaders::kBitmapSize);
        const DrawOp* title = dc.FindText(heading);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->point.x, (head.left + head.right) / 2);
        int toggles = 0;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Bitmap))
            if (op->rect.left >= head.left && op->rect.right <= head.right)
                ++toggles;
        EXPECT_EQ(toggles, 3);
    }

    std::vector<std::string> Headings() { return CsvHeadings(AdvStatementCsv(*state.lists.model)); }

    StatementForecast forecast{{100}, {1.0}, 1};
    AdvViewState state;
    RecordingDeviceContext dc{DeviceCaps::Screen(kWidth, kHeight)};
};

struct GroupCase {
    const char* name;
    int group;
    Text heading;
    std::string csvPrefix;
};

const GroupCase kGroups[] = {
    {"June", 5, u"Jun 24", "Jun 24 "},
    {"Total", CColumnHeaders::kTotalTriple, u"Total", "Total "},
    {"Percentage", CColumnHeaders::kPercentTriple, u"Percentage", "Percentage "},
};

TEST(AdvColumnTogglesTest, AllThreeOffKeepTheHeadingAndTogglesAndAllBackOnRestoreTheColumns) {
    for (const GroupCase& c : kGroups) {
        SCOPED_TRACE(c.name);
        Toggles view;
        view.Pass();
        const std::vector<std::string> before = view.Headings();
        ASSERT_EQ(CountStartingWith(before, c.csvPrefix), 3);

        for (int sub = 0; sub < 3; ++sub) {
            ASSERT_TRUE(view.Click(c.group, sub)) << "switching off " << sub;
            EXPECT_EQ(CountStartingWith(view.Headings(), c.csvPrefix), 2 - sub);
            view.ExpectHeadingAndToggles(c.group, c.heading);
        }
        // Every other group keeps its columns.
        EXPECT_EQ(view.Headings().size(), before.size() - 3);

        // Back on in the other order.
        for (int sub = 2; sub >= 0; --sub) {
            ASSERT_TRUE(view.Click(c.group, sub)) << "switching on " << sub;
            view.ExpectHeadingAndToggles(c.group, c.heading);
        }
        EXPECT_EQ(view.Headings(), before);
    }
}

// A file that stores a group with all three switched off opens with the group's heading and
// toggles in place.
TEST(AdvColumnTogglesTest, AGroupStoredOffOpensWithItsHeadingAndToggles) {
    for (const GroupCase& c : kGroups) {
        SCOPED_TRACE(c.name);
        Toggles view;
        view.forecast.EveryYear(0, [&](Database::CYear& year) {
            Database::CDisplaySettings& display = year.display;
            const auto month = static_cast<std::size_t>(c.group);
            std::array<bool*, 3> flags{};
            if (c.group == CColumnHeaders::kTotalTriple)
                flags = {&display.totalActual, &display.totalExpected, &display.totalVariance};
            else if (c.group == CColumnHeaders::kPercentTriple)
                flags = {&display.percentageActual, &display.percentageExpected,
                         &display.percentageVariance};
            else
                flags = {&display.showActual[month], &display.showExpected[month],
                         &display.showVariance[month]};
            for (bool* flag : flags)
                *flag = false;
        });
        view.Pass();
        EXPECT_EQ(CountStartingWith(view.Headings(), c.csvPrefix), 0);
        view.ExpectHeadingAndToggles(c.group, c.heading);

        ASSERT_TRUE(view.Click(c.group, Database::kExpected));
        EXPECT_EQ(CountStartingWith(view.Headings(), c.csvPrefix + "Expected"), 1);
        EXPECT_EQ(CountStartingWith(view.Headings(), c.csvPrefix), 1);
    }
}

} // namespace
