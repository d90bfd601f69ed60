#pragma once

#include <memory>
#include <vector>

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"
#include "support/ForecastBuilder.h"

// Forecasts for the statement tests: one view whose scenarios and companies (combined entries
// included) hold years of the same rows position by position, as the calculation expects.
// Rows are added to every company alike; the calculation consolidates the combined ones.
class StatementForecast {
public:
    explicit StatementForecast(std::vector<int> scenarioWeights = {100},
                               std::vector<double> companyWeights = {1.0}, int years = 1,
                               int startMonth = 0) {
        doc.Root().views.Append(
            ForecastBuilder::MakeView(scenarioWeights, companyWeights, years, startMonth));
        int s = -1;
        for (const auto& scenario : View().scenarios) {
            scenario->name = s < 0 ? u"All" : u"Scenario " + DecimalText(s + 1);
            int c = -1;
            for (const auto& company : scenario->companies) {
                company->name = c < 0 ? u"Group" : u"Company " + DecimalText(c + 1);
                ++c;
            }
            ++s;
        }
    }

    Database::CTabView& View() { return doc.Root().View(0); }

    // The year of a real (or, with -1, combined) scenario and company.
    Database::CYear& Year(int scenario = 0, int company = 0, int year = 0) {
        return View().Scenario(scenario).Company(company).Year(year);
    }

    // Calls fn(year) for year `index` of every company of the view.
    template <class Fn> void EveryYear(int index, Fn fn) {
        ForecastBuilder::ForEachCompany(View(), [&](Database::CCompany& company) {
            if (Database::CYear* year = company.FindYear(index))
                fn(*year);
        });
    }

    // Appends an item of the category with the same monthly figure in every month to year
    // `index` of every company; returns the row of scenario 0's company 0.
    Item::CItem& AddItem(int category, const Text& name, Amount monthly, int index = 0) {
        EveryYear(index, [&](Database::CYear& year) {
            auto& item = ForecastBuilder::AddRow<Item::CItem>(year, category);
            item.name = name;
            item.Expected.fill(monthly);
        });
        return Row<Item::CItem>(category, year(index).ItemCount(category) - 1, index);
    }

    // Appends a loan (category 10) or investment (9) to every company's year `index`.
    Item::CLoan& AddLoan(int category, const Text& name, Amount opening, int index = 0) {
        EveryYear(index, [&](Database::CYear& year) {
            auto& loan = ForecastBuilder::AddRow<Item::CLoan>(year, category);
            loan.name = name;
            loan.ExpectedOpening = opening;
        });
        return Row<Item::CLoan>(category, year(index).ItemCount(category) - 1, index);
    }

    // Adds a tax setup of one simple rate (hundredths of a percent) and a tax summary row to
    // every company and year.
    void AddTax(const Text& name, Amount rate, const Text& code = u"S") {
        ForecastBuilder::ForEachCompany(View(), [&](Database::CCompany& company) {
            auto& setup = ForecastBuilder::AddTaxSetup(company, rate);
            setup.name = name;
            setup.Rates.At(0).Code = code;
            for (const auto& year : company.years)
                ForecastBuilder::AddRow<Item::CTaxSum>(*year, kTax);
        });
    }

    // Sets the bank's entered figures in every company's year `index`.
    void SetBank(Amount opening, Amount limit, int index = 0) {
        EveryYear(index, [&](Database::CYear& year) {
            Item::CBank& bank = ForecastBuilder::Bank(year);
            bank.ExpectedOpening = opening;
            bank.ExpectedOdLimit.fill(limit);
        });
    }

    template <class RowType> RowType& Row(int category, int position, int index = 0) {
        return dynamic_cast<RowType&>(year(index).ItemAt(category, position));
    }

    CMainDoc doc;

private:
    Database::CYear& year(int index) { return Year(0, 0, index); }
};
