#pragma once

#include <cstdint>
#include <vector>

#include "database/LayoutKey.h"

class CMainDoc;

namespace Database {
class CCompany;
class CPERT;
class CYear;
} // namespace Database

// A deterministic forecast of a chosen size for benchmarks and seed files: every view holds a
// combined scenario and the real ones, every scenario a combined company and the real ones, and
// every company the same years, tax setups and rows position by position, as the calculation
// expects. Figures differ from company to company but depend only on the shape and the seed.
class LargeForecast {
public:
    struct Shape {
        int views = 1;
        int scenarios = 2; // real scenarios per view (the combined one comes on top)
        int companies = 3; // real companies per scenario (the combined one comes on top)
        int years = 3;
        int rowsPerYear = 60; // rows of categories 0-10 and notes; the 18 totals come on top
        std::uint64_t seed = 1;
    };

    // 3 views × 3 scenarios × 6 companies × 5 years × 150 rows.
    static Shape Large();
    // 1 view × 2 scenarios × 3 companies × 3 years × 60 rows.
    static Shape Typical();

    explicit LargeForecast(const Shape& shape);

    // Replaces the document's forecast by the generated one and sets its presentation settings.
    void Build(CMainDoc& doc) const;

    // The generated forecast as a stored file.
    std::vector<std::uint8_t> Stored() const;

    // Row objects in the whole file (totals, bank, tax summaries and notes included).
    std::uint64_t RowCount() const;
    std::uint64_t YearCount() const;

private:
    // Row counts per category 0-12 for the shape's rowsPerYear (totals excluded).
    std::vector<int> RowsByCategory() const;
    void FillCompany(Database::CCompany& company, std::uint64_t salt) const;
    void FillYear(Database::CYear& year, int index, int taxSetups, std::uint64_t salt) const;

    Shape shape_;
};

// The key of the year with the most rows in the whole forecast.
LayoutKey BusiestYear(const Database::CPERT& root);
