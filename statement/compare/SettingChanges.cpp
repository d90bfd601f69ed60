#include "statement/compare/SettingChanges.h"

#include <cstdio>
#include <string>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "items/CBank.h"
#include "items/CLoan.h"

namespace Statement {
namespace {

std::string Words(bool value) {
    return value ? "yes" : "no";
}

std::string WeightText(double weight) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", weight);
    return text;
}

std::string SubRatesText(const Database::CTaxRate& rate) {
    std::string text;
    for (std::size_t i = 0; i < rate.SubRates.Count(); ++i) {
        const Database::CTaxSubRate& sub = *rate.SubRates.Find(static_cast<long long>(i));
        if (!text.empty())
            text += "; ";
        text += ToUtf8(MonthAbbreviation(((sub.Month % 12) + 12) % 12)) + ' ' +
                std::to_string(sub.Year) + ": " + DecimalAmountText(sub.Value);
    }
    return text;
}

class SettingsWalk {
public:
    explicit SettingsWalk(std::vector<SettingChange>& out) : out_(out) {}

    // Calls `each` for every pair of children (by index) whose names match.
    template <class List, class Each> void Pairs(const List& older, const List& newer, Each each) {
        const auto names = [](const List& list) {
            std::vector<std::string> keys;
            for (std::size_t i = 0; i < list.Count(); ++i)
                keys.push_back(ToUtf8(list.Find(static_cast<long long>(i))->DisplayName()));
            return keys;
        };
        const std::vector<std::size_t> match = MatchByOccurrence(names(older), names(newer));
        for (std::size_t n = 0; n < match.size(); ++n)
            if (match[n] != kUnmatched)
                each(*older.Find(static_cast<long long>(match[n])),
                     *newer.Find(static_cast<long long>(n)));
    }

    void Add(const std::string& where, const std::string& setting, const std::string& older,
             const std::string& newer) {
        if (older != newer)
            out_.push_back({where, setting, older, newer});
    }

    void Months(const std::string& where, const std::string& setting, const MonthAmounts& older,
                const MonthAmounts& newer) {
        for (int m = 0; m < kMonths; ++m)
            Add(where, setting + ", " + ToUtf8(MonthAbbreviation(m)),
                DecimalAmountText(older[static_cast<std::size_t>(m)]),
                DecimalAmountText(newer[static_cast<std::size_t>(m)]));
    }

    void Taxes(const std::string& where, const Database::CCompany& older,
               const Database::CCompany& newer) {
        Pairs(older.taxSetups, newer.taxSetups,
              [&](const Database::CTaxSetup& was, const Database::CTaxSetup& is) {
                  const std::string at = where + " > " + ToUtf8(is.name);
                  Add(at, "Period start", std::to_string(was.PeriodStart),
                      std::to_string(is.PeriodStart));
                  Add(at, "Period length", std::to_string(was.PeriodLength),
                      std::to_string(is.PeriodLength));
                  Add(at, "Payment delay", std::to_string(was.PaymentDelay),
                      std::to_string(is.PaymentDelay));
                  Add(at, "Compound", Words(was.Compound), Words(is.Compound));
                  Pairs(was.Rates, is.Rates,
                        [&](const Database::CTaxRate& wasRate, const Database::CTaxRate& isRate) {
                            Add(at, "Rate " + ToUtf8(isRate.Code), SubRatesText(wasRate),
                                SubRatesText(isRate));
                        });
              });
    }

    template <class Row>
    void Rows(const Database::CYear& older, const Database::CYear& newer, int category,
              const std::string& where, auto compare) {
        const auto names = [category](const Database::CYear& year) {
            std::vector<std::string> keys;
            for (int i = 0; i < year.ItemCount(category); ++i) {
                const Item::CBaseItem* row = year.FindItem(category, i);
                keys.push_back(row ? ToUtf8(row->name) : std::string());
            }
            return keys;
        };
        const std::vector<std::string> olderNames = names(older);
        const std::vector<std::string> newerNames = names(newer);
        const std::vector<std::size_t> match = MatchByOccurrence(olderNames, newerNames);
        for (std::size_t n = 0; n < match.size(); ++n) {
            if (match[n] == kUnmatched)
                continue;
            const auto* was =
                dynamic_cast<const Row*>(older.FindItem(category, static_cast<int>(match[n])));
            const auto* is =
                dynamic_cast<const Row*>(newer.FindItem(category, static_cast<int>(n)));
            if (was && is)
                compare(where + " > " + newerNames[n], *was, *is);
        }
    }

    void Year(const std::string& where, const Database::CYear& older,
              const Database::CYear& newer) {
        Add(where, "Start month", ToUtf8(MonthAbbreviation(((older.startMonth % 12) + 12) % 12)),
            ToUtf8(MonthAbbreviation(((newer.startMonth % 12) + 12) % 12)));
        Add(where, "Months", std::to_string(older.months), std::to_string(newer.months));
        Rows<Item::CBank>(
            older, newer, kBank, where,
            [&](const std::string& at, const Item::CBank& was, const Item::CBank& is) {
                Months(at, "Expected O/D limit", was.ExpectedOdLimit, is.ExpectedOdLimit);
                Months(at, "Actual O/D limit", was.ActualOdLimit, is.ActualOdLimit);
                Months(at, "O/D rate within limit", was.OdRateWithin, is.OdRateWithin);
                Months(at, "O/D rate beyond limit", was.OdRateBeyond, is.OdRateBeyond);
                Months(at, "Credit rate", was.CrRate, is.CrRate);
                Add(at, "No credit interest", Words(was.NoCrInterest), Words(is.NoCrInterest));
                Add(at, "No O/D interest", Words(was.NoOdInterest), Words(is.NoOdInterest));
                Add(at, "No O/D limit", Words(was.NoOdLimit), Words(is.NoOdLimit));
            });
        for (int category : {kInvestment, kLoan})
            Rows<Item::CLoan>(
                older, newer, category, where,
                [&](const std::string& at, const Item::CLoan& was, const Item::CLoan& is) {
                    Months(at, "Rate", was.Rate, is.Rate);
                    Add(at, "Side", std::to_string(was.Side), std::to_string(is.Side));
                });
    }

    void Run(const Database::CPERT& older, const Database::CPERT& newer, int views) {
        std::vector<std::string> olderNames, newerNames;
        for (int v = 0; v < older.ViewCount() && v < views; ++v)
            olderNames.push_back(ToUtf8(older.View(v).name));
        for (int v = 0; v < newer.ViewCount() && v < views; ++v)
            newerNames.push_back(ToUtf8(newer.View(v).name));
        const std::vector<std::size_t> match = MatchByOccurrence(olderNames, newerNames);
        for (std::size_t v = 0; v < match.size(); ++v) {
            if (match[v] == kUnmatched)
                continue;
            const std::string view = newerNames[v];
            Pairs(older.View(static_cast<int>(match[v])).scenarios,
                  newer.View(static_cast<int>(v)).scenarios,
                  [&](const Database::CScenario& was, const Database::CScenario& is) {
                      const std::string scenario = view + " > " + ToUtf8(is.name);
                      Add(scenario, "Weight", ToUtf8(DecimalText(was.weight)),
                          ToUtf8(DecimalText(is.weight)));
                      Pairs(was.companies, is.companies,
                            [&](const Database::CCompany& wasCompany,
                                const Database::CCompany& isCompany) {
                                const std::string company =
                                    scenario + " > " + ToUtf8(isCompany.name);
                                Add(company, "Weight", WeightText(wasCompany.weight),
                                    WeightText(isCompany.weight));
                                Taxes(company, wasCompany, isCompany);
                                Pairs(wasCompany.years, isCompany.years,
                                      [&](const Database::CYear& wasYear,
                                          const Database::CYear& isYear) {
                                          Year(company + " > " + ToUtf8(isYear.DisplayName()),
                                               wasYear, isYear);
                                      });
                            });
                  });
        }
    }

private:
    std::vector<SettingChange>& out_;
};

} // namespace

std::vector<SettingChange> CompareSettings(const Database::CPERT& older,
                                           const Database::CPERT& newer, int views) {
    std::vector<SettingChange> changes;
    SettingsWalk(changes).Run(older, newer, views);
    return changes;
}

} // namespace Statement
