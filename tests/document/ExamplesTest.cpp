#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"

// The bundled example forecasts: they load cleanly, are what storing them gives back, have the
// shape the calculation expects, and calculate to figures worked out by hand.
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> ExampleForecasts() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(VARNOBEL_EXAMPLES)) {
        const auto extension = entry.path().extension();
        if (extension == ".cfb" || extension == ".cfs" || extension == ".cfa" ||
            extension == ".cff")
            files.push_back(entry.path());
    }
    return files;
}

// Loads an example, failing the test when the document reports anything.
void Load(CMainDoc& doc, const fs::path& path) {
    RecordingMessageSink sink;
    const auto bytes = ReadBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;
    ASSERT_TRUE(doc.Read(bytes, path, sink)) << path;
    ASSERT_TRUE(sink.Empty()) << path;
}

const Item::CItem& ItemOf(const Database::CYear& year, int category, int index) {
    return dynamic_cast<const Item::CItem&>(year.ItemAt(category, index));
}

int LinksTo(const Database::CYear& year, int category, int index) {
    int count = 0;
    for (const auto& row : year.Items(kNote)) {
        const auto& note = dynamic_cast<const Item::CNote&>(*row);
        for (const auto& link : note.Links)
            count += link->Category == category && link->Index == index;
    }
    return count;
}

TEST(Examples, TheBundledForecastsAreThere) {
    const auto files = ExampleForecasts();
    auto has = [&](const char* name) {
        for (const auto& file : files)
            if (file.filename() == name)
                return true;
        return false;
    };
    EXPECT_TRUE(has("sample.cfs"));
    EXPECT_TRUE(has("basic.cfb"));
}

TEST(Examples, LoadWithoutMessagesAndStoreBackByteForByte) {
    for (const auto& path : ExampleForecasts()) {
        SCOPED_TRACE(path.string());
        CMainDoc doc;
        Load(doc, path);
        EXPECT_EQ(doc.Store(), ReadBytes(path));
    }
}

// The calculation pairs every real scenario and company with the combined entries position by
// position; rows, tax links and note links must all point at something that exists.
TEST(Examples, EveryScenarioAndCompanyHasTheShapeOfTheCombinedEntries) {
    for (const auto& path : ExampleForecasts()) {
        SCOPED_TRACE(path.string());
        CMainDoc doc;
        Load(doc, path);
        ASSERT_GE(doc.Root().ViewCount(), 1);
        for (const auto& view : doc.Root().views) {
            ASSERT_GE(view->ScenarioCount(), 2) << "a combined and at least one real scenario";
            const auto& combined = view->Scenario(-1);
            const auto& cc = combined.Company(-1);
            for (const auto& scenario : view->scenarios) {
                ASSERT_EQ(scenario->CompanyCount(), combined.CompanyCount());
                for (const auto& company : scenario->companies) {
                    ASSERT_EQ(company->YearCount(), cc.YearCount());
                    for (int y = 0; y < company->YearCount(); ++y) {
                        const auto& year = company->Year(y);
                        const auto& shape = cc.Year(y);
                        EXPECT_EQ(year.year, shape.year);
                        EXPECT_EQ(year.startMonth, shape.startMonth);
                        for (int g = 0; g <= kTotal; ++g)
                            EXPECT_EQ(year.ItemCount(g), shape.ItemCount(g)) << "category " << g;
                        EXPECT_EQ(year.ItemCount(kTotal), kTotalRows);
                        EXPECT_EQ(year.ItemCount(kTax), company->TaxSetupCount());
                        EXPECT_EQ(year.ItemCount(kBank), 1);
                        for (int g = 0; g <= kCapitalPayment; ++g)
                            for (int i = 0; i < year.ItemCount(g); ++i) {
                                const auto& row = ItemOf(year, g, i);
                                EXPECT_EQ(row.name, ItemOf(shape, g, i).name);
                                EXPECT_EQ(static_cast<int>(row.TaxLinks.size()),
                                          company->TaxSetupCount());
                                for (std::size_t s = 0; s < row.TaxLinks.size(); ++s) {
                                    if (row.TaxLinks[s] >= 0) {
                                        EXPECT_NE(company->TaxSetup(static_cast<int>(s))
                                                      ->Rate(row.TaxLinks[s]),
                                                  nullptr);
                                    }
                                }
                            }
                        for (const auto& row : year.Items(kNote))
                            for (const auto& link : dynamic_cast<const Item::CNote&>(*row).Links)
                                EXPECT_NE(year.FindItem(link->Category, link->Index), nullptr);
                        for (int g = 0; g < kNote; ++g)
                            for (int i = 0; i < year.ItemCount(g); ++i)
                                EXPECT_EQ(year.ItemAt(g, i).NoteCount, LinksTo(year, g, i))
                                    << "row " << g << "/" << i;
                    }
                }
            }
        }
    }
}

// sample.cfs: one view, scenarios All Scenarios / Expected (weight 3) / Cautious (weight 1),
// companies Consolidated / Harbour Bakery (1.0) / Harbour Catering (0.6), years 2025 and 2026
// from April. Figures below are in hundredths.
class SampleForecast : public ::testing::Test {
  protected:
    void SetUp() override {
        Load(doc, fs::path(VARNOBEL_EXAMPLES) / "sample.cfs");
        doc.Recalculate();
    }
    const Database::CYear& Year(int scenario, int company, int year) const {
        return doc.Root().View(0).Scenario(scenario).Company(company).Year(year);
    }
    CMainDoc doc;
};

TEST_F(SampleForecast, HoldsWhatTheReadmePromises) {
    const auto& view = doc.Root().View(0);
    ASSERT_EQ(view.ScenarioCount(), 3);
    EXPECT_EQ(view.Scenario(0).weight, 3);
    EXPECT_EQ(view.Scenario(1).weight, 1);
    ASSERT_EQ(view.Scenario(0).CompanyCount(), 3);
    EXPECT_EQ(view.Scenario(0).Company(1).weight, 0.6);

    const auto& year = Year(0, 0, 0);
    EXPECT_EQ(year.startMonth, 3);
    // The standard VAT rate rises during the second forecast year (April 2025 - March 2026).
    const auto& standard = *view.Scenario(0).Company(0).TaxSetup(0)->Rate(0);
    EXPECT_EQ(standard.RateInEffect(2025, 8), 1500);
    EXPECT_EQ(standard.RateInEffect(2025, 9), 1750);

    const auto& bank = dynamic_cast<const Item::CBank&>(year.ItemAt(kBank, 0));
    EXPECT_GT(bank.ExpectedOdLimit[3], 0);
    EXPECT_EQ(year.ItemCount(kLoan), 1);
    EXPECT_EQ(year.ItemCount(kInvestment), 1);
    EXPECT_TRUE(year.ItemAt(kIncome, 3).IsHidden());
    EXPECT_EQ(year.ItemCount(kNote), 2);
}

TEST_F(SampleForecast, PercentageRowsFollowTheirBases) {
    // Expected scenario, Harbour Bakery, 2025, April (calendar month 3): the hidden Market Stall
    // adds nothing, so Total Income = 9000.00 + 4200.00 + 3000.00 = 16200.00, and Ingredients at
    // 28 % of it: trunc(1620000 × 2800 × 0.0001) = 453600.
    const auto& first = Year(0, 0, 0);
    EXPECT_EQ(ItemOf(first, kTotal, kTotalIncome).Expected[3], 1620000);
    EXPECT_EQ(ItemOf(first, kDirectCost, 0).Expected[3], 453600);

    // 2026: Retail Sales at 104 % of last year's Expected (900000 × 10400 × 0.0001 = 936000);
    // Café & Event Sales at 105 % of last April's Actual 4310.00 (431000 × 10500 × 0.0001 =
    // 452550).
    const auto& second = Year(0, 0, 1);
    EXPECT_EQ(ItemOf(second, kIncome, 0).Expected[3], 936000);
    EXPECT_EQ(ItemOf(second, kIncome, 1).Expected[3], 452550);
}

TEST_F(SampleForecast, CombinedFiguresAreWeighted) {
    // October 2024 (calendar month 9) of 2025, after the months with actual figures.
    // Retail Sales, Harbour Bakery: Expected 9400.00, Cautious 85 % of it, 7990.00. The combined
    // scenario's Harbour Bakery takes 3/4 and 1/4: 7050.00 + 1997.50 = 9047.50.
    EXPECT_EQ(ItemOf(Year(-1, 0, 0), kIncome, 0).Expected[9], 904750);

    // Café & Event Sales: bakery 4300.00 / 3655.00, catering 8100.00 / 6885.00 at weight 0.6.
    // Consolidated company of the combined scenario:
    // 0.75 × 4300 + 0.25 × 3655 + 0.6 × (0.75 × 8100 + 0.25 × 6885) = 4138.75 + 4677.75 = 8816.50.
    EXPECT_EQ(ItemOf(Year(-1, -1, 0), kIncome, 1).Expected[9], 881650);

    // The Expected scenario's own consolidated company: 4300.00 + 0.6 × 8100.00 = 9160.00.
    EXPECT_EQ(ItemOf(Year(0, -1, 0), kIncome, 1).Expected[9], 916000);
}

TEST(BasicExample, IsOneCompanyForOneYear) {
    CMainDoc doc;
    Load(doc, fs::path(VARNOBEL_EXAMPLES) / "basic.cfb");
    const auto& view = doc.Root().View(0);
    ASSERT_EQ(view.ScenarioCount(), 2);
    ASSERT_EQ(view.Scenario(0).CompanyCount(), 2);
    const auto& company = view.Scenario(0).Company(0);
    ASSERT_EQ(company.YearCount(), 1);
    EXPECT_EQ(company.Year(0).startMonth, 0);
    EXPECT_TRUE(view.Scenario(0).Company(-1).IsHidden());
}

} // namespace
