#pragma once

#include <memory>
#include <vector>

#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "items/CBank.h"
#include "items/CItem.h"

// Small in-memory forecasts for the calculation tests. Header only: the test target builds the
// support sources it lists, and this needs nothing compiled of its own.
namespace ForecastBuilder {

// A year as a new one is made (bank row and the eighteen totals) with the given span.
inline std::unique_ptr<Database::CYear> MakeYear(int number, int startMonth = 0, int months = 12) {
    auto year = std::make_unique<Database::CYear>();
    year->year = number;
    year->startMonth = startMonth;
    year->months = months;
    return year;
}

// A company of `years` years numbered from 2020.
inline std::unique_ptr<Database::CCompany> MakeCompany(double weight, int years,
                                                       int startMonth = 0) {
    auto company = std::make_unique<Database::CCompany>();
    company->weight = weight;
    for (int v = 0; v < years; ++v)
        company->years.Append(MakeYear(2020 + v, startMonth));
    return company;
}

// A view whose combined scenario and real scenarios (of the given weights) each hold a combined
// company and real companies of the given weights, all of the same years.
inline std::unique_ptr<Database::CTabView> MakeView(const std::vector<int>& scenarioWeights,
                                                    const std::vector<double>& companyWeights,
                                                    int years, int startMonth = 0) {
    auto view = std::make_unique<Database::CTabView>();
    for (std::size_t s = 0; s <= scenarioWeights.size(); ++s) {
        auto scenario = std::make_unique<Database::CScenario>();
        scenario->weight = s == 0 ? 0 : scenarioWeights[s - 1];
        scenario->companies.Append(MakeCompany(1.0, years, startMonth));
        for (double weight : companyWeights)
            scenario->companies.Append(MakeCompany(weight, years, startMonth));
        view->scenarios.Append(std::move(scenario));
    }
    return view;
}

// Calls fn(company) for every company of the view, combined entries included.
template <class Fn> void ForEachCompany(Database::CTabView& view, Fn fn) {
    for (const auto& scenario : view.scenarios)
        for (const auto& company : scenario->companies)
            fn(*company);
}

// Appends a new row of class Row to a category of a year.
template <class Row> Row& AddRow(Database::CYear& year, int category) {
    return static_cast<Row&>(year.Items(category).Append(std::make_unique<Row>()));
}

inline Item::CItem& Total(const Database::CYear& year, int index) {
    return dynamic_cast<Item::CItem&>(year.ItemAt(kTotal, index));
}

inline Item::CBank& Bank(const Database::CYear& year) {
    return dynamic_cast<Item::CBank&>(year.ItemAt(kBank, 0));
}

// Appends a tax setup with one rate of one value (from January 1950) to a company.
inline Database::CTaxSetup& AddTaxSetup(Database::CCompany& company, Amount value,
                                        bool compound = false, int periodStart = 0,
                                        int periodLength = 1, int paymentDelay = 0) {
    auto setup = std::make_unique<Database::CTaxSetup>();
    setup->Compound = compound;
    setup->PeriodStart = periodStart;
    setup->PeriodLength = periodLength;
    setup->PaymentDelay = paymentDelay;
    auto rate = std::make_unique<Database::CTaxRate>();
    rate->SubRates.Append(std::make_unique<Database::CTaxSubRate>(1950, 0, value));
    setup->Rates.Append(std::move(rate));
    return company.taxSetups.Append(std::move(setup));
}

} // namespace ForecastBuilder
