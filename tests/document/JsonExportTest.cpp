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
#include "document/MiniJson.h"
#include "document/RecordingMessageSink.h"
#include "document/SmallForecast.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"

namespace {

using Keys = std::vector<std::string>;
using MiniJson::Value;

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
        json = MiniJson::Parse(text);
    }

    const Value& Year() const {
        return json["root"]["views"][0]["scenarios"][1]["companies"][1]["years"][0];
    }
    const Value& Row(int category, std::size_t index) const {
        return Year()["categories"][static_cast<std::size_t>(category)][index];
    }

    CMainDoc doc;
    std::string text;
    Value json;
};

TEST_F(JsonExportTest, HasExactlyTheListedKeysInOrder) {
    EXPECT_EQ(json.Keys(), (Keys{"format", "document", "root"}));
    EXPECT_EQ(json["document"].Keys(), (Keys{"recoveryFile", "recoverySource", "fontName",
                                             "fontSize", "zoom", "stamp", "series", "offsetYear"}));
    EXPECT_EQ(json["document"]["series"][0].Keys(), (Keys{"shown", "colour"}));

    const Value& root = json["root"];
    EXPECT_EQ(root.Keys(),
              Plus(kBase, {"brackets", "cents", "percentage", "margins", "printOption", "views"}));
    EXPECT_EQ(root["margins"].Keys(), (Keys{"top", "left", "bottom", "right"}));
    const Value& view = root["views"][0];
    EXPECT_EQ(view.Keys(), Plus(kBase, {"taxExclusive", "scenarios"}));
    const Value& scenario = view["scenarios"][1];
    EXPECT_EQ(scenario.Keys(), Plus(kBase, {"weight", "companies"}));
    const Value& company = scenario["companies"][1];
    EXPECT_EQ(company.Keys(), Plus(kBase, {"weight", "importFile", "importSource", "importTaxFlag",
                                           "matchings", "taxSetups", "years"}));
    EXPECT_EQ(company["matchings"][0].Keys(),
              (Keys{"SourceName", "MatchText", "Category", "Index", "Kind"}));
    const Value& setup = company["taxSetups"][0];
    EXPECT_EQ(setup.Keys(),
              Plus(kBase, {"PeriodStart", "PeriodLength", "PaymentDelay", "Compound", "Rates"}));
    EXPECT_EQ(setup["Rates"][0].Keys(), Plus(kBase, {"Code", "SubRates"}));
    EXPECT_EQ(setup["Rates"][0]["SubRates"][0].Keys(), Plus(kBase, {"Year", "Month", "Value"}));

    EXPECT_EQ(Year().Keys(),
              Plus(kBase, {"year", "startMonth", "months", "incomeExpected", "incomeActual",
                           "sectionStates", "subtotals", "display", "graphs", "categories"}));
    EXPECT_EQ(Year()["subtotals"][0].Keys(), (Keys{"label", "mode", "flag"}));
    EXPECT_EQ(
        Year()["display"].Keys(),
        (Keys{"taxExclusive", "brackets", "cents", "includeHidden", "showActual", "showExpected",
              "showVariance", "totalExpected", "percentageExpected", "totalActual",
              "percentageActual", "totalVariance", "percentageVariance", "extraA", "extraB"}));
    EXPECT_EQ(Year()["graphs"][0].Keys(), Plus(kBase, {"months", "seriesOn", "colour"}));

    const Keys rowBase = Plus(kBase, {"class", "NoteCount"});
    EXPECT_EQ(Row(kIncome, 0).Keys(),
              Plus(rowBase, {"TaxSide", "Expected", "Actual", "Percent", "PctType", "TaxLinks"}));
    EXPECT_EQ(Row(kBank, 0).Keys(),
              Plus(rowBase,
                   {"NoCrInterest", "NoOdInterest", "NoOdLimit", "ActualOpening", "ExpectedOpening",
                    "ActualCrInterest", "ActualOdInterest", "ActualBalance", "ActualAdjustments",
                    "ActualOdLimit", "ExpectedCrInterest", "ExpectedOdInterest", "ExpectedBalance",
                    "ExpectedAdjustments", "ExpectedOdLimit", "OdRateWithin", "OdRateBeyond",
                    "CrRate", "ResetToActual"}));
    EXPECT_EQ(Row(kLoan, 0).Keys(), Plus(rowBase, {"Side",
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
    EXPECT_EQ(Row(kTax, 0).Keys(),
              Plus(rowBase,
                   {"OutlineState", "ExpectedOnSales", "ExpectedOnExpenses", "ExpectedPayments",
                    "ExpectedRefunds", "ExpectedAdjustments", "ActualOnSales", "ActualOnExpenses",
                    "ActualPayments", "ActualRefunds", "ActualAdjustments", "ExpectedFromActual"}));
    EXPECT_EQ(Row(kNote, 0).Keys(), Plus(rowBase, {"Text", "Links"}));
    EXPECT_EQ(Row(kNote, 0)["Links"][0].Keys(), (Keys{"Category", "Index"}));
}

TEST_F(JsonExportTest, ListsHaveTheirFixedLengths) {
    EXPECT_EQ(json["document"]["series"].elements.size(), 16u);
    EXPECT_EQ(Year()["sectionStates"].elements.size(), 14u);
    EXPECT_EQ(Year()["subtotals"].elements.size(), 6u);
    EXPECT_EQ(Year()["categories"].elements.size(), 13u);
    // A new year holds the bank row and the eighteen total rows.
    EXPECT_EQ(Year()["categories"][kBank].elements.size(), 1u);
    EXPECT_EQ(Year()["categories"][kTotal].elements.size(), 18u);
    const Value& graph = Year()["graphs"][0];
    ASSERT_EQ(graph["months"].elements.size(), 3u);
    ASSERT_EQ(graph["months"][2].elements.size(), 18u);
    EXPECT_EQ(graph["months"][2][17].elements.size(), 12u);
    EXPECT_EQ(graph["seriesOn"][1].elements.size(), 18u);
    EXPECT_EQ(graph["colour"][0].elements.size(), 18u);
    EXPECT_EQ(Year()["display"]["showVariance"].elements.size(), 12u);
    EXPECT_EQ(Row(kIncome, 0)["PctType"].elements.size(), 12u);
    // Combined entries come first.
    EXPECT_EQ(json["root"]["views"][0]["scenarios"][0]["name"].text, "Combined");
    EXPECT_EQ(json["root"]["views"][0]["scenarios"][1]["companies"][0]["name"].text, "All");
}

TEST_F(JsonExportTest, AmountsAreHundredthsAndFlagsBooleans) {
    EXPECT_EQ(json["format"].Int(), 1);
    EXPECT_EQ(json["document"]["stamp"].Int(), -5);
    EXPECT_EQ(json["document"]["fontSize"].Int(), 100);
    EXPECT_TRUE(json["document"]["series"][2]["shown"].boolean);
    EXPECT_EQ(json["document"]["series"][2]["colour"].Int(), 0xFF0000);
    EXPECT_EQ(json["document"]["recoverySource"].text, "");
    EXPECT_EQ(json["root"]["printOption"].Int(), 2);
    EXPECT_EQ(json["root"]["views"][0]["scenarios"][1]["weight"].Int(), 100);

    // 100.50 a month, stored as the double 100.5: 10050 hundredths.
    EXPECT_EQ(Row(kIncome, 0)["name"].text, "Sales");
    EXPECT_EQ(Row(kIncome, 0)["class"].text, "CItem");
    EXPECT_EQ(Row(kIncome, 0)["Expected"][11].Int(), 10050);
    EXPECT_EQ(Row(kBank, 0)["class"].text, "CBank");
    EXPECT_EQ(Row(kLoan, 0)["ExpectedOpening"].Int(), 500000); // 5000.00
    EXPECT_EQ(Row(kLoan, 0)["Rate"][0].Int(), 825);            // 8.25 %
    EXPECT_EQ(Row(kTax, 0)["ExpectedAdjustments"][6].Int(), -250);
    EXPECT_EQ(Row(kTax, 0)["ExpectedFromActual"][0].kind, Value::Kind::Bool);
    EXPECT_EQ(Row(kNote, 0)["Text"].text, "See\tthe bank");
    EXPECT_EQ(Row(kNote, 0)["Links"][0]["Index"].Int(), 0);

    const Value& company = json["root"]["views"][0]["scenarios"][1]["companies"][1];
    const Value& setup = company["taxSetups"][0];
    EXPECT_EQ(setup["name"].text, "Tax");
    EXPECT_EQ(setup["PeriodLength"].Int(), 3);
    EXPECT_EQ(setup["Rates"][0]["SubRates"][0]["Value"].Int(), 1750); // 17.50 %
    EXPECT_EQ(setup["Rates"][0]["SubRates"][0]["Year"].Int(), 2020);
    EXPECT_EQ(company["matchings"][0]["SourceName"].text, "Fees");
    EXPECT_EQ(company["matchings"][0]["Kind"].Int(), 3);
    EXPECT_EQ(company["importSource"].text, "QuickBooks");
}

TEST_F(JsonExportTest, TextIsUtf8WithEscapes) {
    // The font name holds a line break, quotes, a backslash and the control character 0x01.
    EXPECT_NE(text.find(R"("fontName": "Line\nbreak \"quoted\" \\ \u0001")"), std::string::npos);
    EXPECT_EQ(json["document"]["fontName"].text, "Line\nbreak \"quoted\" \\ \x01");
    // U+00E9 is C3 A9; U+1F600 is F0 9F 98 80; the lone high surrogate becomes U+FFFD (EF BF BD).
    const Value& company = json["root"]["views"][0]["scenarios"][1]["companies"][1];
    EXPECT_EQ(company["name"].text, "Caf\xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD!");
    EXPECT_EQ(company["weight"].text, "0.1");
    EXPECT_EQ(json["root"]["views"][0]["scenarios"][1]["companies"][0]["weight"].text, "1");
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
        MiniJson::Parse(written); // valid JSON
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
    const Value json = MiniJson::Parse(ExportJson(doc));
    EXPECT_EQ(json["root"]["views"].kind, Value::Kind::Array);
    EXPECT_TRUE(json["root"]["views"].elements.empty());
    EXPECT_EQ(json["document"]["fontName"].text, "Times New Roman");
    EXPECT_EQ(json["document"]["series"][14]["colour"].Int(), 0xFF00FF);
    EXPECT_EQ(json["root"]["name"].text, " ");
}

} // namespace
