#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "database/CCompany.h"
#include "database/CGraphSettings.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/JsonExport.h"
#include "document/JsonWriter.h"
#include "document/RecordingMessageSink.h"
#include "document/SmallForecast.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"
#include "support/TestJson.h"

namespace {

using Keys = std::vector<std::string>;
using TestJson::Int;
using TestJson::KeysOf;
using Value = TestJson::Json;

const Keys kBase = {"name", "hidden", "value"};

Keys Plus(Keys keys, const Keys& more) {
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

// The small forecast, with one row of every class, a tax setup, a matching, a graph and a note
// added to the real company's year, written with the storing path and read back.
class JsonExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        CMainDoc source;
        Database::CTabView& view = SmallForecast::Build(source);
        source.SetFontName(u"Line\nbreak \"quoted\" \\ \x01");
        source.stamp = -5;
        source.seriesShown[2] = true;
        source.recoverySource = u"not stored"; // only a recovery prefix carries it
        Database::CCompany& company = view.Scenario(0).Company(0);
        company.name = u"Caf\u00e9 \U0001F600 \xD800!";
        company.weight = 0.1;
        company.importFile = u"books.iif";
        company.matchings.Add(u"Fees", u"fees", kIncome, 0, 3);

        auto setup = std::make_unique<Database::CTaxSetup>();
        setup->PeriodLength = 3;
        auto rate = std::make_unique<Database::CTaxRate>();
        rate->Code = u"S";
        rate->SubRates.Append(std::make_unique<Database::CTaxSubRate>(2020, 3, 1750));
        setup->Rates.Append(std::move(rate));
        company.taxSetups.Append(std::move(setup));

        Database::CYear& year = company.Year(0);
        year.graphs.Append(std::make_unique<Database::CGraphSettings>());
        auto sum = std::make_unique<Item::CTaxSum>();
        sum->ExpectedAdjustments[6] = -250;
        year.Items(kTax).Append(std::move(sum));
        auto loan = std::make_unique<Item::CLoan>();
        loan->ExpectedOpening = 500000;
        loan->Rate.fill(825);
        year.Items(kLoan).Append(std::move(loan));
        auto note = std::make_unique<Item::CNote>();
        note->Text = u"See\tthe bank";
        note->AddLink(kIncome, 0);
        year.Items(kNote).Append(std::move(note));

        RecordingMessageSink sink;
        ASSERT_TRUE(doc.Read(source.Store(), "plan.cfs", sink));
        text = ExportJson(doc);
        json = TestJson::Parse(text);
    }

    const Value& Year() const {
        return json.at("root")
            .at("views")
            .at(0)
            .at("scenarios")
            .at(1)
            .at("companies")
            .at(1)
            .at("years")
            .at(0);
    }
    const Value& Row(int category, std::size_t index) const {
        return Year().at("categories").at(static_cast<std::size_t>(category)).at(index);
    }

    CMainDoc doc;
    std::string text;
    Value json;
};

TEST_F(JsonExportTest, HasExactlyTheListedKeysInOrder) {
    EXPECT_EQ(KeysOf(json), (Keys{"format", "document", "root"}));
    EXPECT_EQ(KeysOf(json.at("document")),
              (Keys{"recoveryFile", "recoverySource", "fontName", "fontSize", "zoom", "stamp",
                    "series", "offsetYear"}));
    EXPECT_EQ(KeysOf(json.at("document").at("series").at(0)), (Keys{"shown", "colour"}));

    const Value& root = json.at("root");
    EXPECT_EQ(KeysOf(root),
              Plus(kBase, {"brackets", "cents", "percentage", "margins", "printOption", "views"}));
    EXPECT_EQ(KeysOf(root.at("margins")), (Keys{"top", "left", "bottom", "right"}));
    const Value& view = root.at("views").at(0);
    EXPECT_EQ(KeysOf(view), Plus(kBase, {"taxExclusive", "scenarios"}));
    const Value& scenario = view.at("scenarios").at(1);
    EXPECT_EQ(KeysOf(scenario), Plus(kBase, {"weight", "companies"}));
    const Value& company = scenario.at("companies").at(1);
    EXPECT_EQ(KeysOf(company), Plus(kBase, {"weight", "importFile", "importSource", "importTaxFlag",
                                            "matchings", "taxSetups", "years"}));
    EXPECT_EQ(KeysOf(company.at("matchings").at(0)),
              (Keys{"SourceName", "MatchText", "Category", "Index", "Kind"}));
    const Value& setup = company.at("taxSetups").at(0);
    EXPECT_EQ(KeysOf(setup),
              Plus(kBase, {"PeriodStart", "PeriodLength", "PaymentDelay", "Compound", "Rates"}));
    EXPECT_EQ(KeysOf(setup.at("Rates").at(0)), Plus(kBase, {"Code", "SubRates"}));
    EXPECT_EQ(KeysOf(setup.at("Rates").at(0).at("SubRates").at(0)),
              Plus(kBase, {"Year", "Month", "Value"}));

    EXPECT_EQ(KeysOf(Year()),
              Plus(kBase, {"year", "startMonth", "months", "incomeExpected", "incomeActual",
                           "sectionStates", "subtotals", "display", "graphs", "categories"}));
    EXPECT_EQ(KeysOf(Year().at("subtotals").at(0)), (Keys{"label", "mode", "flag"}));
    EXPECT_EQ(
        KeysOf(Year().at("display")),
        (Keys{"taxExclusive", "brackets", "cents", "includeHidden", "showActual", "showExpected",
              "showVariance", "totalExpected", "percentageExpected", "totalActual",
              "percentageActual", "totalVariance", "percentageVariance", "extraA", "extraB"}));
    EXPECT_EQ(KeysOf(Year().at("graphs").at(0)), Plus(kBase, {"months", "seriesOn", "colour"}));

    const Keys rowBase = Plus(kBase, {"class", "NoteCount"});
    EXPECT_EQ(KeysOf(Row(kIncome, 0)),
              Plus(rowBase, {"TaxSide", "Expected", "Actual", "Percent", "PctType", "TaxLinks"}));
    EXPECT_EQ(KeysOf(Row(kBank, 0)),
              Plus(rowBase,
                   {"NoCrInterest", "NoOdInterest", "NoOdLimit", "ActualOpening", "ExpectedOpening",
                    "ActualCrInterest", "ActualOdInterest", "ActualBalance", "ActualAdjustments",
                    "ActualOdLimit", "ExpectedCrInterest", "ExpectedOdInterest", "ExpectedBalance",
                    "ExpectedAdjustments", "ExpectedOdLimit", "OdRateWithin", "OdRateBeyond",
                    "CrRate", "ResetToActual"}));
    EXPECT_EQ(KeysOf(Row(kLoan, 0)), Plus(rowBase, {"Side",
                                                    "ExpectedOpening",
                                                    "ActualOpening",
                                                    "OutlineState",
                                                    "ExpectedBalance",
                                                    "ExpectedAdvances",
                                                    "Rate",
                                                    "ExpectedInterest",
                                                    "ExpectedPayments",
                                                    "ExpectedInterestPaid",
                                                    "ExpectedPrincipalPaid",
                                                    "ExpectedAdjustments",
                                                    "ActualBalance",
                                                    "ActualAdvances",
                                                    "ActualInterest",
                                                    "ActualPayments",
                                                    "ActualInterestPaid",
                                                    "ActualPrincipalPaid",
                                                    "ActualAdjustments",
                                                    "ResetToActual"}));
    EXPECT_EQ(KeysOf(Row(kTax, 0)),
              Plus(rowBase,
                   {"OutlineState", "ExpectedOnSales", "ExpectedOnExpenses", "ExpectedPayments",
                    "ExpectedRefunds", "ExpectedAdjustments", "ActualOnSales", "ActualOnExpenses",
                    "ActualPayments", "ActualRefunds", "ActualAdjustments", "ExpectedFromActual"}));
    EXPECT_EQ(KeysOf(Row(kNote, 0)), Plus(rowBase, {"Text", "Links"}));
    EXPECT_EQ(KeysOf(Row(kNote, 0).at("Links").at(0)), (Keys{"Category", "Index"}));
}

TEST_F(JsonExportTest, ListsHaveTheirFixedLengths) {
    EXPECT_EQ(json.at("document").at("series").size(), 16u);
    EXPECT_EQ(Year().at("sectionStates").size(), 14u);
    EXPECT_EQ(Year().at("subtotals").size(), 6u);
    EXPECT_EQ(Year().at("categories").size(), 13u);
    // A new year holds the bank row and the eighteen total rows.
    EXPECT_EQ(Year().at("categories").at(kBank).size(), 1u);
    EXPECT_EQ(Year().at("categories").at(kTotal).size(), 18u);
    const Value& graph = Year().at("graphs").at(0);
    ASSERT_EQ(graph.at("months").size(), 3u);
    ASSERT_EQ(graph.at("months").at(2).size(), 18u);
    EXPECT_EQ(graph.at("months").at(2).at(17).size(), 12u);
    EXPECT_EQ(graph.at("seriesOn").at(1).size(), 18u);
    EXPECT_EQ(graph.at("colour").at(0).size(), 18u);
    EXPECT_EQ(Year().at("display").at("showVariance").size(), 12u);
    EXPECT_EQ(Row(kIncome, 0).at("PctType").size(), 12u);
    // Combined entries come first.
    EXPECT_EQ(json.at("root").at("views").at(0).at("scenarios").at(0).at("name").get<std::string>(),
              "Combined");
    EXPECT_EQ(json.at("root")
                  .at("views")
                  .at(0)
                  .at("scenarios")
                  .at(1)
                  .at("companies")
                  .at(0)
                  .at("name")
                  .get<std::string>(),
              "All");
}

TEST_F(JsonExportTest, AmountsAreHundredthsAndFlagsBooleans) {
    EXPECT_EQ(Int(json.at("format")), 1);
    EXPECT_EQ(Int(json.at("document").at("stamp")), -5);
    EXPECT_EQ(Int(json.at("document").at("fontSize")), 100);
    EXPECT_TRUE(json.at("document").at("series").at(2).at("shown").get<bool>());
    EXPECT_EQ(Int(json.at("document").at("series").at(2).at("colour")), 0xFF0000);
    EXPECT_EQ(json.at("document").at("recoverySource").get<std::string>(), "");
    EXPECT_EQ(Int(json.at("root").at("printOption")), 2);
    EXPECT_EQ(Int(json.at("root").at("views").at(0).at("scenarios").at(1).at("weight")), 100);

    // 100.50 a month, stored as the double 100.5: 10050 hundredths.
    EXPECT_EQ(Row(kIncome, 0).at("name").get<std::string>(), "Sales");
    EXPECT_EQ(Row(kIncome, 0).at("class").get<std::string>(), "CItem");
    EXPECT_EQ(Int(Row(kIncome, 0).at("Expected").at(11)), 10050);
    EXPECT_EQ(Row(kBank, 0).at("class").get<std::string>(), "CBank");
    EXPECT_EQ(Int(Row(kLoan, 0).at("ExpectedOpening")), 500000); // 5000.00
    EXPECT_EQ(Int(Row(kLoan, 0).at("Rate").at(0)), 825);         // 8.25 %
    EXPECT_EQ(Int(Row(kTax, 0).at("ExpectedAdjustments").at(6)), -250);
    EXPECT_EQ(Row(kTax, 0).at("ExpectedFromActual").at(0).type(), Value::value_t::boolean);
    EXPECT_EQ(Row(kNote, 0).at("Text").get<std::string>(), "See\tthe bank");
    EXPECT_EQ(Int(Row(kNote, 0).at("Links").at(0).at("Index")), 0);

    const Value& company =
        json.at("root").at("views").at(0).at("scenarios").at(1).at("companies").at(1);
    const Value& setup = company.at("taxSetups").at(0);
    EXPECT_EQ(setup.at("name").get<std::string>(), "Tax");
    EXPECT_EQ(Int(setup.at("PeriodLength")), 3);
    EXPECT_EQ(Int(setup.at("Rates").at(0).at("SubRates").at(0).at("Value")), 1750); // 17.50 %
    EXPECT_EQ(Int(setup.at("Rates").at(0).at("SubRates").at(0).at("Year")), 2020);
    EXPECT_EQ(company.at("matchings").at(0).at("SourceName").get<std::string>(), "Fees");
    EXPECT_EQ(Int(company.at("matchings").at(0).at("Kind")), 3);
    EXPECT_EQ(company.at("importSource").get<std::string>(), "QuickBooks");
}

TEST_F(JsonExportTest, TextIsUtf8WithEscapes) {
    // The font name holds a line break, quotes, a backslash and the control character 0x01.
    EXPECT_NE(text.find(R"("fontName": "Line\nbreak \"quoted\" \\ \u0001")"), std::string::npos);
    EXPECT_EQ(json.at("document").at("fontName").get<std::string>(),
              "Line\nbreak \"quoted\" \\ \x01");
    // U+00E9 is C3 A9; U+1F600 is F0 9F 98 80; the lone high surrogate becomes U+FFFD (EF BF BD).
    const Value& company =
        json.at("root").at("views").at(0).at("scenarios").at(1).at("companies").at(1);
    EXPECT_EQ(company.at("name").get<std::string>(), "Caf\xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD!");
    EXPECT_EQ(company.at("weight").dump(), "0.1");
    EXPECT_EQ(json.at("root")
                  .at("views")
                  .at(0)
                  .at("scenarios")
                  .at(1)
                  .at("companies")
                  .at(0)
                  .at("weight")
                  .dump(),
              "1");
}

TEST(JsonWriter, DoublesAreShortestAndReadBackExactly) {
    const double values[] = {0.1,
                             1.0 / 3.0,
                             2.5,
                             -0.0,
                             1e-7,
                             123456789012345678.0,
                             std::numeric_limits<double>::denorm_min()};
    for (const double value : values) {
        JsonWriter json;
        json.Double(value);
        std::string written = json.Result();
        double back = 0;
        const auto result = std::from_chars(written.data(), written.data() + written.size(), back);
        EXPECT_EQ(result.ec, std::errc()) << written;
        EXPECT_EQ(back, value) << written;
        EXPECT_EQ(std::signbit(back), std::signbit(value)) << written;
        TestJson::Parse(written); // valid JSON
    }
    JsonWriter tenth;
    tenth.Double(0.1);
    EXPECT_EQ(tenth.Result(), "0.1");
    JsonWriter third;
    third.Double(1.0 / 3.0);
    EXPECT_EQ(third.Result(), "0.3333333333333333"); // 16 digits are needed, 17 are not
}

TEST(JsonWriter, NonFiniteWeightsBecomeNull) {
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        JsonWriter json;
        json.Double(value);
        EXPECT_EQ(json.Result(), "null");
    }
}

TEST(JsonWriter, ControlCharactersAreEscaped) {
    EXPECT_EQ(JsonWriter::Quote("a\x1f\b\f\r\x7f/"), R"("a\u001f\b\f\r)"
                                                     "\x7f"
                                                     R"(/")");
}

TEST(JsonExport, EmptyDocumentIsValid) {
    const CMainDoc doc;
    const Value json = TestJson::Parse(ExportJson(doc));
    EXPECT_EQ(json.at("root").at("views").type(), Value::value_t::array);
    EXPECT_TRUE(json.at("root").at("views").empty());
    EXPECT_EQ(json.at("document").at("fontName").get<std::string>(), "Times New Roman");
    EXPECT_EQ(Int(json.at("document").at("series").at(14).at("colour")), 0xFF00FF);
    EXPECT_EQ(json.at("root").at("name").get<std::string>(), " ");
}

// The key checks above rely on the reader refusing an object that repeats a key, in any object
// however deep, while the same key in two different objects is fine.
TEST(JsonExport, TheTestsReaderRefusesARepeatedKey) {
    EXPECT_THROW(TestJson::Parse(R"({"a": 1, "a": 1})"), std::runtime_error);
    EXPECT_THROW(TestJson::Parse(R"({"a": [{"b": {"c": 1, "d": 2, "c": 3}}]})"),
                 std::runtime_error);
    EXPECT_EQ(KeysOf(TestJson::Parse(R"({"b": {"a": 1}, "a": {"a": 2, "b": 3}})")),
              (Keys{"b", "a"}));
}

} // namespace
