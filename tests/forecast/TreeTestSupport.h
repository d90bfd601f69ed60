#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/CPERT.h"

// Helpers shared by the tests of the forecast tree (year, company, scenario, view, root).
namespace TreeTest {

using Bytes = std::vector<std::uint8_t>;

// The bytes a storing archive holds after `write` ran on it. Children stored this way can be
// appended to a hand-built record that has no class tags before them: the archive's class
// indexes then start at 1 in both.
template <class F> Bytes Stored(F&& write) {
    Archive ar;
    write(ar);
    return ar.Bytes();
}

template <class T> Bytes StoreRecord(T& object) {
    return Stored([&](Archive& ar) { object.Serialize(ar); });
}

// Loads one record into `object`; returns the number of bytes left unread.
template <class T> std::size_t LoadRecord(T& object, const Bytes& bytes) {
    Archive ar(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
    object.Serialize(ar);
    return ar.Remaining();
}

// The text of the failure `f` raises, or "" when it raises none.
template <class F> std::string FailureOf(F&& f) {
    try {
        f();
    } catch (const TextFailure& failure) {
        return failure.Text();
    }
    return "";
}

// A company of `years` new years named "2001", "2002", ...
inline std::unique_ptr<Database::CCompany> MakeCompany(const char16_t* name, int years) {
    auto company = std::make_unique<Database::CCompany>();
    company->name = name;
    for (int i = 0; i < years; ++i) {
        auto year = std::make_unique<Database::CYear>();
        year->year = 2001 + i;
        company->years.Append(std::move(year));
    }
    return company;
}

// A scenario with its combined company and `companies` real ones, each of `years` years.
inline std::unique_ptr<Database::CScenario> MakeScenario(const char16_t* name, std::int32_t weight,
                                                         int companies, int years) {
    auto scenario = std::make_unique<Database::CScenario>();
    scenario->name = name;
    scenario->weight = weight;
    scenario->companies.Append(MakeCompany(u"Combined", years));
    for (int i = 0; i < companies; ++i)
        scenario->companies.Append(MakeCompany(i == 0 ? u"A" : u"B", years));
    return scenario;
}

// A view with its combined scenario and `scenarios` real ones.
inline std::unique_ptr<Database::CTabView> MakeView(const char16_t* name, int scenarios,
                                                    int companies, int years) {
    auto view = std::make_unique<Database::CTabView>();
    view->name = name;
    view->scenarios.Append(MakeScenario(u"Combined", 0, companies, years));
    for (int i = 0; i < scenarios; ++i)
        view->scenarios.Append(MakeScenario(i == 0 ? u"S0" : u"S1", 1, companies, years));
    return view;
}

} // namespace TreeTest
