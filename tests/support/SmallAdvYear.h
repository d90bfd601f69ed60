#pragma once

#include <utility>
#include <vector>

#include "database/CDisplaySettings.h"
#include "items/CNote.h"
#include "views/StatementForecast.h"

// An item with Expected and Actual figures in the given calendar months of every company.
inline void AddMonthlyItem(StatementForecast& forecast, int category, const Text& name,
                           const std::vector<std::pair<int, Amount>>& expected,
                           const std::vector<std::pair<int, Amount>>& actual) {
    forecast.EveryYear(0, [&](Database::CYear& year) {
        auto& item = ForecastBuilder::AddRow<Item::CItem>(year, category);
        item.name = name;
        for (const auto& [month, value] : expected)
            item.Expected[static_cast<std::size_t>(month)] = value;
        for (const auto& [month, value] : actual)
            item.Actual[static_cast<std::size_t>(month)] = value;
    });
}

// A three-month year from November, built so every figure of its Advanced statement can be
// checked by hand: income 2,500.00 expected and 2,000.00 actual over the months shown, with a
// note on the sales.
inline void BuildSmallAdvYear(StatementForecast& forecast) {
    const auto add = [&](int category, const Text& name,
                         const std::vector<std::pair<int, Amount>>& expected,
                         const std::vector<std::pair<int, Amount>>& actual) {
        AddMonthlyItem(forecast, category, name, expected, actual);
    };
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.startMonth = 10;
        year.months = 3;
        Database::CDisplaySettings& display = year.display;
        display.includeHidden = false;
        for (int m = 0; m < kMonths; ++m) {
            const bool shown = m == 10 || m == 11 || m == 0;
            display.showActual[static_cast<std::size_t>(m)] = shown;
            display.showExpected[static_cast<std::size_t>(m)] = shown;
            display.showVariance[static_cast<std::size_t>(m)] = shown;
        }
    });
    add(kIncome, u"Sales", {{10, 100000}, {11, 100000}, {0, 50000}}, {{10, 90000}, {11, 110000}});
    add(kDirectCost, u"Stock", {{10, 40000}, {11, 40000}, {0, 40000}}, {{10, 30000}, {11, 50000}});
    add(kExpense, u"Rent", {{10, 20000}, {11, 20000}, {0, 20000}}, {{10, 20000}, {11, 20000}});
    forecast.EveryYear(0, [](Database::CYear& year) {
        // As the recalculation forms them.
        year.incomeExpected = 250000;
        year.incomeActual = 200000;
        auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
        note.name = u"1";
        note.Text = u"Check prices";
        note.AddLink(kIncome, 0);
    });
}
