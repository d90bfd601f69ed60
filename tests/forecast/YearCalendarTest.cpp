#include <gtest/gtest.h>

#include <memory>

#include "calc/YearCalendar.h"
#include "items/CItem.h"
#include "items/TaxFactor.h"
#include "support/ForecastBuilder.h"

using namespace ForecastBuilder;

namespace {

// A rate of 10 % from 1950 that rises to 15 % from January 2020.
void AddRisingRate(Database::CTaxSetup& setup) {
    auto rate = std::make_unique<Database::CTaxRate>();
    rate->SubRates.Append(std::make_unique<Database::CTaxSubRate>(1950, 0, 1000));
    rate->SubRates.Append(std::make_unique<Database::CTaxSubRate>(2020, 0, 1500));
    setup.Rates.Append(std::move(rate));
}

} // namespace

TEST(YearCalendar, RatesFollowTheCalendarMonthsOfTheYear) {
    // Year 2020 from April runs April 2019 - March 2020: financial months 0-8 (April-December
    // 2019) have 10 %, 9-11 (January-March 2020) 15 %.
    Database::CCompany company;
    Database::CTaxSetup& setup = AddTaxSetup(company, 700);
    AddRisingRate(setup);
    const auto year = MakeYear(2020, 3);
    Item::YearCalendar calendar(*year, company);

    EXPECT_EQ(calendar.Month(0).month, 3);
    EXPECT_EQ(calendar.Month(0).year, 2019);
    EXPECT_EQ(calendar.Month(11).month, 2);
    EXPECT_EQ(calendar.Month(11).year, 2020);

    const MonthAmounts* rising = calendar.RatesInEffect(0, 1);
    ASSERT_NE(rising, nullptr);
    for (int k = 0; k < kMonths; ++k)
        EXPECT_EQ((*rising)[static_cast<std::size_t>(k)], k < 9 ? 1000 : 1500) << "month " << k;
    // Asked again, the same values; the other rate of the setup keeps its own.
    EXPECT_EQ(calendar.RatesInEffect(0, 1), rising);
    const MonthAmounts* flat = calendar.RatesInEffect(0, 0);
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ((*flat)[0], 700);
    EXPECT_EQ((*flat)[11], 700);
    EXPECT_EQ((*rising)[11], 1500);
}

TEST(YearCalendar, MissingSetupsAndRatesGiveNone) {
    Database::CCompany company;
    AddTaxSetup(company, 1000);
    const auto year = MakeYear(2020);
    Item::YearCalendar calendar(*year, company);
    EXPECT_EQ(calendar.RatesInEffect(0, 1), nullptr);
    EXPECT_EQ(calendar.RatesInEffect(0, -1), nullptr);
    EXPECT_EQ(calendar.RatesInEffect(1, 0), nullptr);
    EXPECT_EQ(calendar.RatesInEffect(-1, 0), nullptr);
    EXPECT_NE(calendar.RatesInEffect(0, 0), nullptr);
}

TEST(YearCalendar, TaxFactorUsesTheRatesOfEachFinancialMonth) {
    // Setup 0: simple, the rising rate; setup 1: compound 5 %. Year 2020 from April.
    Database::CCompany company;
    AddRisingRate(AddTaxSetup(company, 0));
    AddTaxSetup(company, 500, true);
    const auto year = MakeYear(2020, 3);
    Item::YearCalendar calendar(*year, company);
    Item::CItem row;
    row.TaxLinks = {1, 0};
    // s = (1.0 + v × 0.0001) × (1 + 500 × 0.0001), v = 1000 before January 2020, 1500 from it.
    EXPECT_EQ(Item::TaxFactor(row, calendar, 0), (1.0 + 1000 * 0.0001) * (1 + 500 * 0.0001));
    EXPECT_EQ(Item::TaxFactor(row, calendar, 9), (1.0 + 1500 * 0.0001) * (1 + 500 * 0.0001));
    // A link to a missing rate counts as none.
    row.TaxLinks = {2, 0};
    EXPECT_EQ(Item::TaxFactor(row, calendar, 0), 1.0 * (1 + 500 * 0.0001));
}
