#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QByteArray>

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "document/JsonExport.h"
#include "document/RecordingMessageSink.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"
#include "tools/ForecastCompose.h"

namespace {

namespace fs = std::filesystem;
using ForecastCompose::Compose;
using ForecastCompose::ComposeError;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QByteArray ReadJson(const fs::path& path) {
    const auto bytes = ReadBytes(path);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

// Composes, then reads the stored bytes back as the viewer would: what the file really holds.
std::unique_ptr<CMainDoc> ThroughFile(const char* json) {
    const auto bytes = Compose(QByteArray(json));
    auto doc = std::make_unique<CMainDoc>();
    RecordingMessageSink sink;
    EXPECT_TRUE(doc->Read(bytes, "composed.cfs", sink));
    EXPECT_TRUE(sink.Empty());
    return doc;
}

// The message of the failure, or "" when composing succeeded.
std::string ErrorOf(const char* json) {
    try {
        Compose(QByteArray(json));
    } catch (const ComposeError& error) {
        return error.what();
    }
    return "";
}

// A forecast down to one year, with `year` spliced in as that year's object.
std::string WithYear(const std::string& year) {
    return R"({"root": {"views": [{"scenarios": [{"weight": 1, "companies": [{"years": [)" + year +
           "]}]}]}]}}";
}

const Database::CYear& OnlyYear(const CMainDoc& doc) {
    return doc.Root().View(0).Scenario(-1).Company(-1).Year(0);
}

TEST(Compose, CommittedExamplesAreWhatTheirJsonMakes) {
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(VARNOBEL_EXAMPLES)) {
        if (entry.path().extension() != ".json")
            continue;
        SCOPED_TRACE(entry.path().string());
        bool found = false;
        for (const char* extension : {".cfb", ".cfs", ".cfa", ".cff"}) {
            auto forecast = entry.path();
            forecast.replace_extension(extension);
            if (!fs::exists(forecast))
                continue;
            found = true;
            EXPECT_EQ(Compose(ReadJson(entry.path())), ReadBytes(forecast));
            ++compared;
        }
        EXPECT_TRUE(found) << "no forecast file beside the JSON source";
    }
    EXPECT_GE(compared, 2);
}

std::vector<fs::path> ExampleForecasts() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(VARNOBEL_EXAMPLES))
        if (entry.path().extension() == ".cfs" || entry.path().extension() == ".cfb")
            files.push_back(entry.path());
    return files;
}

std::unique_ptr<CMainDoc> Load(const std::vector<std::uint8_t>& bytes) {
    auto doc = std::make_unique<CMainDoc>();
    RecordingMessageSink sink;
    EXPECT_TRUE(doc->Read(bytes, "example.cfs", sink));
    return doc;
}

QByteArray ExportOf(const CMainDoc& doc) {
    return QByteArray::fromStdString(ExportJson(doc));
}

// The export names every stored field, so composing the export of a file as read gives the file
// back; the calculated fields it also names are ignored.
TEST(Compose, TheExportOfAFileComposesToThatFile) {
    for (const auto& path : ExampleForecasts()) {
        SCOPED_TRACE(path.string());
        const auto bytes = ReadBytes(path);
        EXPECT_EQ(Compose(ExportOf(*Load(bytes))), bytes);
    }
}

// After a calculation the export holds recalculated figures in stored fields (derived Expected
// figures, carried openings); a forecast composed from it calculates to the same export.
TEST(Compose, ARecalculatedExportComposesToTheSameForecast) {
    for (const auto& path : ExampleForecasts()) {
        SCOPED_TRACE(path.string());
        auto doc = Load(ReadBytes(path));
        doc->Recalculate();
        const QByteArray exported = ExportOf(*doc);
        auto composed = Load(Compose(exported));
        composed->Recalculate();
        EXPECT_EQ(ExportOf(*composed), exported);
    }
}

TEST(Compose, AnEmptyObjectIsANewDocument) {
    CMainDoc fresh;
    EXPECT_EQ(Compose("{}"), fresh.Store());
}

TEST(Compose, MissingFieldsKeepConstructorValues) {
    auto doc = ThroughFile(WithYear("{}").c_str());
    const auto& company = doc->Root().View(0).Scenario(-1).Company(-1);
    EXPECT_EQ(company.weight, 1.0);
    EXPECT_EQ(company.importSource, Database::CCompany().importSource);
    const auto& year = OnlyYear(*doc);
    EXPECT_EQ(year.year, 2000);
    EXPECT_EQ(year.startMonth, 3);
    // A year without categories is a new year: its bank row and the eighteen totals.
    EXPECT_EQ(year.ItemCount(kBank), 1);
    EXPECT_EQ(year.ItemAt(kBank, 0).name, u"Bank A/C");
    EXPECT_EQ(year.ItemCount(kTotal), kTotalRows);
    EXPECT_EQ(year.ItemAt(kTotal, kTotalNetBeforeTax).name, u"Net Movement Before ");
    EXPECT_TRUE(year.display.showVariance[11]);
    EXPECT_EQ(year.SubtotalLabel(0), u"GROSS SURPLUS");
}

TEST(Compose, CategoriesListTheYearsRowsExactly) {
    auto doc = ThroughFile(WithYear(R"({"categories": [
        [{"class": "CItem", "name": "Sales"}], [], [], [], [], [], [], [], [], [], [],
        [{"class": "CItem", "name": "Only total"}], []]})")
                               .c_str());
    const auto& year = OnlyYear(*doc);
    EXPECT_EQ(year.ItemCount(kIncome), 1);
    EXPECT_EQ(year.ItemCount(kBank), 0);
    ASSERT_EQ(year.ItemCount(kTotal), 1);
    EXPECT_EQ(year.ItemAt(kTotal, 0).name, u"Only total");
}

TEST(Compose, StoredFieldsReachTheFile) {
    auto doc = ThroughFile(R"({
      "document": {"fontName": "Arial", "fontSize": 90, "zoom": 150, "stamp": -1,
                   "series": [{"shown": true, "colour": 4294967295}, {}, {}, {}, {}, {}, {}, {},
                              {}, {}, {}, {}, {}, {}, {}, {"shown": true}],
                   "offsetYear": 1},
      "root": {"name": "Root", "brackets": 0, "margins": {"left": 12}, "printOption": 1,
        "views": [{"name": "V", "hidden": true, "value": -7, "scenarios": [{"weight": 2,
          "companies": [{"weight": 0.6, "importTaxFlag": true,
            "matchings": [{"SourceName": "Sales", "MatchText": "m", "Category": 0, "Index": 1,
                           "Kind": 2}],
            "taxSetups": [{"name": "VAT", "PeriodStart": 3, "PeriodLength": 3, "PaymentDelay": 1,
              "Compound": true, "Rates": [{"Code": "S", "SubRates": [
                {"Year": 1950, "Month": 0, "Value": 1500}, {"Year": 2025, "Month": 9,
                 "Value": 1750}]}]}],
            "years": [{"year": 2025, "startMonth": 0, "months": 6,
              "sectionStates": [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13],
              "display": {"includeHidden": false, "showActual": [false, true, true, true, true,
                          true, true, true, true, true, true, true]},
              "graphs": [{"name": "G", "seriesOn": [[true, false, false, false, false, false,
                false, false, false, false, false, false, false, false, false, false, false,
                false], [false, false, false, false, false, false, false, false, false, false,
                false, false, false, false, false, false, false, false], [false, false, false,
                false, false, false, false, false, false, false, false, false, false, false,
                false, false, false, false]]}],
              "categories": [
                [{"class": "CItem", "name": "Sales", "NoteCount": 1, "TaxSide": 0,
                  "Expected": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -12345678901],
                  "Percent": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2800],
                  "PctType": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1], "TaxLinks": [0, -1]}],
                [], [], [], [], [], [],
                [{"class": "CTaxSum", "name": "VAT", "OutlineState": 0,
                  "ExpectedFromActual": [true, false, false, false, false, false, false, false,
                                         false, false, false, false]}],
                [{"class": "CBank", "NoOdLimit": true, "ExpectedOpening": 150000}],
                [],
                [{"class": "CLoan", "name": "Loan", "Side": 0,
                  "ActualInterest": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 99]}],
                [],
                [{"class": "CNote", "name": "1", "Text": "Caf\u00e9 \ud83d\ude00",
                  "Links": [{"Category": 0, "Index": 0}]},
                 {"class": "CBaseItem", "name": "plain", "hidden": true}]]}]}]}]}]}})");

    EXPECT_EQ(doc->fontName, u"Arial");
    EXPECT_EQ(doc->fontSize, 90);
    EXPECT_EQ(doc->zoom, 150);
    EXPECT_EQ(doc->stamp, -1);
    EXPECT_TRUE(doc->seriesShown[0]);
    EXPECT_EQ(doc->seriesColour[0], 0xFFFFFFFFu);
    EXPECT_EQ(doc->seriesColour[1], CMainDoc::kDefaultSeriesColours[1]);
    EXPECT_TRUE(doc->seriesShown[15]);
    EXPECT_EQ(doc->offsetYearChecked, 1);

    const auto& root = doc->Root();
    EXPECT_EQ(root.name, u"Root");
    EXPECT_EQ(root.brackets, 0);
    EXPECT_EQ(root.cents, 1);
    EXPECT_EQ(root.marginLeft, 12);
    EXPECT_EQ(root.printOption, 1);
    const auto& view = root.View(0);
    EXPECT_TRUE(view.IsHidden());
    EXPECT_EQ(view.value, -7);
    EXPECT_EQ(view.Scenario(-1).weight, 2);

    const auto& company = view.Scenario(-1).Company(-1);
    EXPECT_EQ(company.weight, 0.6);
    EXPECT_TRUE(company.importTaxFlag);
    ASSERT_EQ(company.matchings.Count(), 1);
    EXPECT_EQ(company.matchings.Entry(0)->Index, 1);
    EXPECT_EQ(company.matchings.Entry(0)->Kind, 2);
    const auto& setup = *company.TaxSetup(0);
    EXPECT_EQ(setup.name, u"VAT");
    EXPECT_TRUE(setup.Compound);
    EXPECT_EQ(setup.PaymentDelay, 1);
    EXPECT_EQ(setup.Rate(0)->RateInEffect(2025, 8), 1500);
    EXPECT_EQ(setup.Rate(0)->RateInEffect(2025, 9), 1750);

    const auto& year = OnlyYear(*doc);
    EXPECT_EQ(year.year, 2025);
    EXPECT_EQ(year.months, 6);
    EXPECT_EQ(year.sectionState[13], 13);
    EXPECT_FALSE(year.display.includeHidden);
    EXPECT_FALSE(year.display.showActual[0]);
    EXPECT_TRUE(year.display.showActual[1]);
    ASSERT_EQ(year.GraphCount(), 1);
    EXPECT_TRUE(year.Graph(0).seriesOn[0][0]);
    EXPECT_TRUE(year.Graph(0).months[2][17][11]);

    const auto& item = dynamic_cast<const Item::CItem&>(year.ItemAt(kIncome, 0));
    EXPECT_EQ(item.NoteCount, 1);
    EXPECT_EQ(item.TaxSide, 0);
    EXPECT_EQ(item.Expected[0], 1);
    EXPECT_EQ(item.Expected[11], -12345678901);
    EXPECT_EQ(item.Percent[11], 2800);
    EXPECT_EQ(item.PctType[11], 1);
    EXPECT_EQ(item.TaxLinks, (std::vector<std::int32_t>{0, -1}));

    const auto& sum = dynamic_cast<const Item::CTaxSum&>(year.ItemAt(kTax, 0));
    EXPECT_EQ(sum.OutlineState, 0);
    EXPECT_TRUE(sum.ExpectedFromActual[0]);
    const auto& bank = dynamic_cast<const Item::CBank&>(year.ItemAt(kBank, 0));
    EXPECT_EQ(bank.name, u"Bank A/C");
    EXPECT_TRUE(bank.NoOdLimit);
    EXPECT_EQ(bank.ExpectedOpening, 150000);
    const auto& loan = dynamic_cast<const Item::CLoan&>(year.ItemAt(kLoan, 0));
    EXPECT_EQ(loan.Side, 0);
    EXPECT_EQ(loan.ActualInterest[11], 99);
    EXPECT_EQ(year.ItemCount(kTotal), 0);

    const auto& note = dynamic_cast<const Item::CNote&>(year.ItemAt(kNote, 0));
    EXPECT_EQ(note.Text, u"Caf\u00e9 \U0001F600");
    ASSERT_EQ(note.LinkCount(), 1);
    EXPECT_EQ(note.Link(0).Category, 0);
    const auto& plain = year.ItemAt(kNote, 1);
    EXPECT_STREQ(plain.ClassName(), "CBaseItem");
    EXPECT_TRUE(plain.IsHidden());
}

TEST(Compose, CalculatedFieldsAreIgnored) {
    const std::string bare = WithYear(R"({"incomeExpected": 5, "categories": [[], [], [], [], [],
        [], [], [{"class": "CTaxSum"}], [{"class": "CBank"}], [], [{"class": "CLoan"}], [], []]})");
    const std::string computed = WithYear(R"({"categories": [[], [], [], [], [], [], [],
        [{"class": "CTaxSum", "ExpectedPayments": [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]}],
        [{"class": "CBank", "ExpectedBalance": 7, "ActualBalance": "x"}], [],
        [{"class": "CLoan", "ExpectedInterestPaid": [3]}], [], []]})");
    EXPECT_EQ(Compose(QByteArray(bare.c_str())), Compose(QByteArray(computed.c_str())));
    // The view's tax-exclusive flag is not kept in the file either.
    EXPECT_EQ(Compose(R"({"root": {"views": [{"taxExclusive": 0}]}})"),
              Compose(R"({"root": {"views": [{}]}})"));
}

TEST(Compose, NumbersAndTextAreReadExactly) {
    // Amounts use the whole 64-bit range; a whole number written with a fraction or an exponent
    // is still that integer.
    auto doc = ThroughFile(WithYear(R"({"categories": [[{"class": "CItem", "name":
        "Caf\u00e9 \ud83d\ude00 Ã ok", "Expected": [9223372036854775807, -9223372036854775808,
        2.0, 3e2, -0, 0, 0, 0, 0, 0, 0, 0]}], [], [], [], [], [], [], [], [], [], [], [], []]})")
                               .c_str());
    const auto& row = dynamic_cast<const Item::CItem&>(OnlyYear(*doc).ItemAt(kIncome, 0));
    EXPECT_EQ(row.Expected[0], std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(row.Expected[1], std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(row.Expected[2], 2);
    EXPECT_EQ(row.Expected[3], 300);
    EXPECT_EQ(row.Expected[4], 0);
    // Escaped and raw UTF-8 alike become UTF-16, the emoji as its surrogate pair.
    EXPECT_EQ(row.name, u"Caf\u00e9 \U0001F600 \u00c3 ok");
    EXPECT_EQ(Compose(R"({"root": {"margins": {"top": 2.5e1}}})"),
              Compose(R"({"root": {"margins": {"top": 25}}})"));
}

TEST(Compose, BadInputIsReportedWithItsPlace) {
    struct Case {
        std::string json;
        const char* message;
    };
    const Case cases[] = {
        {"{\n  \"root\": {\n    \"name\": }", "invalid JSON at line 3, column"},
        {"[1, 2]", "expected a JSON object at the top level"},
        {R"({"format": 2})", "format: unsupported format 2"},
        {R"({"root": {"nmae": "x"}})", "root.nmae: unknown key"},
        {R"({"root": {"name": 5}})", "root.name: expected a string"},
        {R"({"root": {"views": [{"hidden": 1}]}})", "root.views[0].hidden: expected true or false"},
        {R"({"root": {"views": [{"scenarios": [{"weight": 1.5}]}]}})",
         "root.views[0].scenarios[0].weight: expected an integer"},
        {R"({"root": {"views": [{"scenarios": [{"weight": 2147483648}]}]}})",
         "root.views[0].scenarios[0].weight: integer out of the 32-bit range"},
        {R"({"root": {"views": [{"scenarios": [{"companies": [{"weight": "1"}]}]}]}})",
         "root.views[0].scenarios[0].companies[0].weight: expected a number"},
        {R"({"document": {"series": [{}]}})",
         "document.series: expected an array of 16 elements, found 1"},
        {R"({"document": {"series": [{"colour": -1}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
            {}, {}, {}, {}]}})",
         "document.series[0].colour: integer out of the range 0 to 4294967295"},
        {R"({"root": {"views": {}}})", "root.views: expected an array"},
        {R"({"root": {"views": [7]}})", "root.views[0]: expected an object"},
        {R"({"root": {"margins": {"top": 1e300}}})", "root.margins.top: integer out of range"},
        {WithYear(R"({"categories": [[{"class": "CItem", "Expected": [9223372036854775808, 0, 0,
            0, 0, 0, 0, 0, 0, 0, 0, 0]}], [], [], [], [], [], [], [], [], [], [], [], []]})"),
         "categories[0][0].Expected[0]: integer out of range"},
        {R"({"root": {"margins": {"top": 9.3e18}}})", "root.margins.top: integer out of range"},
        {R"({"root": {"margins": {"top": -1.5}}})", "root.margins.top: expected an integer"},
        {"{\"root\": {\"name\": \"\xC3\"}}", "invalid JSON at line 1, column"},
        {R"({"root": {"name": "\ud800"}})", "invalid JSON at line 1, column"},
        {"", "invalid JSON at line 1, column 1"},
        {R"({"root": {}} {})", "invalid JSON at line 1, column 14"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_NE(ErrorOf(c.json.c_str()).find(c.message), std::string::npos)
            << ErrorOf(c.json.c_str());
    }
}

TEST(Compose, BadRowsAreReportedWithTheirPlace) {
    struct Case {
        const char* year;
        const char* message;
    };
    const std::string at = "root.views[0].scenarios[0].companies[0].years[0].";
    const Case cases[] = {
        {R"({"categories": [[], []]})", "categories: expected an array of 13 row lists, found 2"},
        {R"({"categories": [[{"name": "x"}], [], [], [], [], [], [], [], [], [], [], [], []]})",
         "categories[0][0]: a row needs its \"class\""},
        {R"({"categories": [[], [{"class": "CThing"}], [], [], [], [], [], [], [], [], [], [], []]})",
         "categories[1][0].class: unknown row class \"CThing\""},
        {R"({"categories": [[{"class": "CItem", "Expected": [1, 2]}], [], [], [], [], [], [], [],
            [], [], [], [], []]})",
         "categories[0][0].Expected: expected an array of 12 elements, found 2"},
        {R"({"categories": [[{"class": "CItem", "TaxLinks": [0, true]}], [], [], [], [], [], [],
            [], [], [], [], [], []]})",
         "categories[0][0].TaxLinks[1]: expected an integer"},
        {R"({"categories": [[{"class": "CBank"}], [], [], [], [], [], [], [], [], [], [], [], []]})",
         ""},
        {R"({"categories": [[{"class": "CNote", "Expected": []}], [], [], [], [], [], [], [], [],
            [], [], [], []]})",
         "categories[0][0].Expected: unknown key"},
        {R"({"subtotals": [{}, {}, {}, {}, {}, {"label": null}]})",
         "subtotals[5].label: expected a string"},
        {R"({"graphs": [{"months": [[], [], []]}]})",
         "graphs[0].months[0]: expected an array of 18 elements, found 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        const std::string error = ErrorOf(WithYear(c.year).c_str());
        if (*c.message == '\0')
            EXPECT_EQ(error, "");
        else
            EXPECT_EQ(error.rfind(at + c.message, 0), 0u) << error;
    }
}

} // namespace
