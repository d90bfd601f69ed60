#include "document/JsonExport.h"

#include <cstddef>

#include "database/CCompany.h"
#include "database/CMatchingList.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/JsonWriter.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"

namespace {

constexpr int kFormat = 1;

using Layout = JsonWriter::Layout;

class Exporter {
  public:
    explicit Exporter(JsonWriter& json) : json_(json) {}

    void Document(const CMainDoc& doc);

  private:
    template <class Array> void Ints(std::string_view key, const Array& values) {
        json_.Key(key).BeginArray(Layout::Inline);
        for (const auto value : values)
            json_.Int(value);
        json_.EndArray();
    }

    template <class Array> void Bools(std::string_view key, const Array& values) {
        json_.Key(key).BeginArray(Layout::Inline);
        for (const bool value : values)
            json_.Bool(value);
        json_.EndArray();
    }

    void Base(const Database::CBase& base);
    void Root(const Database::CPERT& root);
    void View(const Database::CTabView& view);
    void Scenario(const Database::CScenario& scenario);
    void Company(const Database::CCompany& company);
    void Matchings(const Database::CMatchingList& matchings);
    void TaxSetup(const Database::CTaxSetup& setup);
    void Year(const Database::CYear& year);
    void Display(const Database::CDisplaySettings& display);
    void Graph(const Database::CGraphSettings& graph);
    void Row(const Item::CBaseItem& row);
    void ItemFields(const Item::CItem& item);
    void BankFields(const Item::CBank& bank);
    void LoanFields(const Item::CLoan& loan);
    void TaxSumFields(const Item::CTaxSum& sum);
    void NoteFields(const Item::CNote& note);

    JsonWriter& json_;
};

void Exporter::Document(const CMainDoc& doc) {
    json_.BeginObject();
    json_.Key("format").Int(kFormat);

    json_.Key("document").BeginObject();
    json_.Key("recoveryFile").String(doc.recoveryFile);
    json_.Key("recoverySource").String(doc.recoverySource);
    json_.Key("fontName").String(doc.fontName);
    json_.Key("fontSize").Int(doc.fontSize);
    json_.Key("zoom").Int(doc.zoom);
    json_.Key("stamp").Int(doc.stamp);
    json_.Key("series").BeginArray();
    for (std::size_t i = 0; i < CMainDoc::kSeries; ++i) {
        json_.BeginObject();
        json_.Key("shown").Bool(doc.seriesShown[i]);
        json_.Key("colour").Int(doc.seriesColour[i]);
        json_.EndObject();
    }
    json_.EndArray();
    json_.Key("offsetYear").Int(doc.offsetYearChecked);
    json_.EndObject();

    json_.Key("root");
    Root(doc.Root());
    json_.EndObject();
}

void Exporter::Base(const Database::CBase& base) {
    json_.Key("name").String(base.name);
    json_.Key("hidden").Bool(base.hidden);
    json_.Key("value").Int(base.value);
}

void Exporter::Root(const Database::CPERT& root) {
    json_.BeginObject();
    Base(root);
    json_.Key("brackets").Int(root.brackets);
    json_.Key("cents").Int(root.cents);
    json_.Key("percentage").Int(root.percentage);
    json_.Key("margins").BeginObject();
    json_.Key("top").Int(root.marginTop);
    json_.Key("left").Int(root.marginLeft);
    json_.Key("bottom").Int(root.marginBottom);
    json_.Key("right").Int(root.marginRight);
    json_.EndObject();
    json_.Key("printOption").Int(root.printOption);
    json_.Key("views").BeginArray();
    for (const auto& view : root.views)
        View(*view);
    json_.EndArray();
    json_.EndObject();
}

void Exporter::View(const Database::CTabView& view) {
    json_.BeginObject();
    Base(view);
    json_.Key("taxExclusive").Int(view.taxExclusive);
    json_.Key("scenarios").BeginArray();
    for (const auto& scenario : view.scenarios)
        Scenario(*scenario);
    json_.EndArray();
    json_.EndObject();
}

void Exporter::Scenario(const Database::CScenario& scenario) {
    json_.BeginObject();
    Base(scenario);
    json_.Key("weight").Int(scenario.weight);
    json_.Key("companies").BeginArray();
    for (const auto& company : scenario.companies)
        Company(*company);
    json_.EndArray();
    json_.EndObject();
}

void Exporter::Company(const Database::CCompany& company) {
    json_.BeginObject();
    Base(company);
    json_.Key("weight").Double(company.weight);
    json_.Key("importFile").String(company.importFile);
    json_.Key("importSource").String(company.importSource);
    json_.Key("importTaxFlag").Bool(company.importTaxFlag);
    json_.Key("matchings");
    Matchings(company.matchings);
    json_.Key("taxSetups").BeginArray();
    for (const auto& setup : company.taxSetups)
        TaxSetup(*setup);
    json_.EndArray();
    json_.Key("years").BeginArray();
    for (const auto& year : company.years)
        Year(*year);
    json_.EndArray();
    json_.EndObject();
}

void Exporter::Matchings(const Database::CMatchingList& matchings) {
    json_.BeginArray();
    BaseStruct::List::Iterator it(matchings.Entries);
    while (const BaseStruct::Object* object = it.Next()) {
        const auto* entry = dynamic_cast<const Import::Matching*>(object);
        if (!entry)
            continue;
        json_.BeginObject();
        json_.Key("SourceName").String(entry->SourceName ? entry->SourceName->Wide() : Text());
        json_.Key("MatchText").String(entry->MatchText ? entry->MatchText->Wide() : Text());
        json_.Key("Category").Int(entry->Category);
        json_.Key("Index").Int(entry->Index);
        json_.Key("Kind").Int(entry->Kind);
        json_.EndObject();
    }
    json_.EndArray();
}

void Exporter::TaxSetup(const Database::CTaxSetup& setup) {
    json_.BeginObject();
    Base(setup);
    json_.Key("PeriodStart").Int(setup.PeriodStart);
    json_.Key("PeriodLength").Int(setup.PeriodLength);
    json_.Key("PaymentDelay").Int(setup.PaymentDelay);
    json_.Key("Compound").Bool(setup.Compound);
    json_.Key("Rates").BeginArray();
    for (const auto& rate : setup.Rates) {
        json_.BeginObject();
        Base(*rate);
        json_.Key("Code").String(rate->Code);
        json_.Key("SubRates").BeginArray();
        for (const auto& sub : rate->SubRates) {
            json_.BeginObject();
            Base(*sub);
            json_.Key("Year").Int(sub->Year);
            json_.Key("Month").Int(sub->Month);
            json_.Key("Value").Int(sub->Value);
            json_.EndObject();
        }
        json_.EndArray();
        json_.EndObject();
    }
    json_.EndArray();
    json_.EndObject();
}

void Exporter::Year(const Database::CYear& year) {
    json_.BeginObject();
    Base(year);
    json_.Key("year").Int(year.year);
    json_.Key("startMonth").Int(year.startMonth);
    json_.Key("months").Int(year.months);
    json_.Key("incomeExpected").Int(year.incomeExpected);
    json_.Key("incomeActual").Int(year.incomeActual);
    Ints("sectionStates", year.sectionState);
    json_.Key("subtotals").BeginArray();
    for (std::size_t i = 0; i < Database::CYear::kSubtotals; ++i) {
        json_.BeginObject();
        json_.Key("label").String(year.subtotalLabel[i]);
        json_.Key("mode").Int(year.subtotalMode[i]);
        json_.Key("flag").Bool(year.subtotalFlag[i]);
        json_.EndObject();
    }
    json_.EndArray();
    json_.Key("display");
    Display(year.display);
    json_.Key("graphs").BeginArray();
    for (const auto& graph : year.graphs)
        Graph(*graph);
    json_.EndArray();
    json_.Key("categories").BeginArray();
    for (int category = 0; category < kCategories; ++category) {
        json_.BeginArray();
        for (const auto& row : year.Items(category))
            Row(*row);
        json_.EndArray();
    }
    json_.EndArray();
    json_.EndObject();
}

void Exporter::Display(const Database::CDisplaySettings& display) {
    json_.BeginObject();
    json_.Key("taxExclusive").Bool(display.taxExclusive);
    json_.Key("brackets").Bool(display.brackets);
    json_.Key("cents").Bool(display.cents);
    json_.Key("includeHidden").Bool(display.includeHidden);
    Bools("showActual", display.showActual);
    Bools("showExpected", display.showExpected);
    Bools("showVariance", display.showVariance);
    json_.Key("totalExpected").Bool(display.totalExpected);
    json_.Key("percentageExpected").Bool(display.percentageExpected);
    json_.Key("totalActual").Bool(display.totalActual);
    json_.Key("percentageActual").Bool(display.percentageActual);
    json_.Key("totalVariance").Bool(display.totalVariance);
    json_.Key("percentageVariance").Bool(display.percentageVariance);
    json_.Key("extraA").Bool(display.extraA);
    json_.Key("extraB").Bool(display.extraB);
    json_.EndObject();
}

void Exporter::Graph(const Database::CGraphSettings& graph) {
    json_.BeginObject();
    Base(graph);
    json_.Key("months").BeginArray();
    for (const auto& kind : graph.months) {
        json_.BeginArray(Layout::Inline);
        for (const auto& series : kind) {
            json_.BeginArray(Layout::Inline);
            for (const bool month : series)
                json_.Bool(month);
            json_.EndArray();
        }
        json_.EndArray();
    }
    json_.EndArray();
    json_.Key("seriesOn").BeginArray();
    for (const auto& kind : graph.seriesOn) {
        json_.BeginArray(Layout::Inline);
        for (const bool on : kind)
            json_.Bool(on);
        json_.EndArray();
    }
    json_.EndArray();
    json_.Key("colour").BeginArray();
    for (const auto& kind : graph.colour) {
        json_.BeginArray(Layout::Inline);
        for (const std::uint32_t colour : kind)
            json_.Int(colour);
        json_.EndArray();
    }
    json_.EndArray();
    json_.EndObject();
}

void Exporter::Row(const Item::CBaseItem& row) {
    json_.BeginObject();
    Base(row);
    json_.Key("class").Utf8String(row.ClassName());
    json_.Key("NoteCount").Int(row.NoteCount);
    if (const auto* item = dynamic_cast<const Item::CItem*>(&row))
        ItemFields(*item);
    else if (const auto* bank = dynamic_cast<const Item::CBank*>(&row))
        BankFields(*bank);
    else if (const auto* loan = dynamic_cast<const Item::CLoan*>(&row))
        LoanFields(*loan);
    else if (const auto* sum = dynamic_cast<const Item::CTaxSum*>(&row))
        TaxSumFields(*sum);
    else if (const auto* note = dynamic_cast<const Item::CNote*>(&row))
        NoteFields(*note);
    json_.EndObject();
}

void Exporter::ItemFields(const Item::CItem& item) {
    json_.Key("TaxSide").Int(item.TaxSide);
    Ints("Expected", item.Expected);
    Ints("Actual", item.Actual);
    Ints("Percent", item.Percent);
    Ints("PctType", item.PctType);
    Ints("TaxLinks", item.TaxLinks);
}

void Exporter::BankFields(const Item::CBank& bank) {
    json_.Key("NoCrInterest").Bool(bank.NoCrInterest);
    json_.Key("NoOdInterest").Bool(bank.NoOdInterest);
    json_.Key("NoOdLimit").Bool(bank.NoOdLimit);
    json_.Key("ActualOpening").Int(bank.ActualOpening);
    json_.Key("ExpectedOpening").Int(bank.ExpectedOpening);
    Ints("ActualCrInterest", bank.ActualCrInterest);
    Ints("ActualOdInterest", bank.ActualOdInterest);
    Ints("ActualBalance", bank.ActualBalance);
    Ints("ActualAdjustments", bank.ActualAdjustments);
    Ints("ActualOdLimit", bank.ActualOdLimit);
    Ints("ExpectedCrInterest", bank.ExpectedCrInterest);
    Ints("ExpectedOdInterest", bank.ExpectedOdInterest);
    Ints("ExpectedBalance", bank.ExpectedBalance);
    Ints("ExpectedAdjustments", bank.ExpectedAdjustments);
    Ints("ExpectedOdLimit", bank.ExpectedOdLimit);
    Ints("OdRateWithin", bank.OdRateWithin);
    Ints("OdRateBeyond", bank.OdRateBeyond);
    Ints("CrRate", bank.CrRate);
    Bools("ResetToActual", bank.ResetToActual);
}

void Exporter::LoanFields(const Item::CLoan& loan) {
    json_.Key("Side").Int(loan.Side);
    json_.Key("ExpectedOpening").Int(loan.ExpectedOpening);
    json_.Key("ActualOpening").Int(loan.ActualOpening);
    json_.Key("OutlineState").Int(loan.OutlineState);
    Ints("ExpectedBalance", loan.ExpectedBalance);
    Ints("ExpectedAdvances", loan.ExpectedAdvances);
    Ints("Rate", loan.Rate);
    Ints("ExpectedInterest", loan.ExpectedInterest);
    Ints("ExpectedPayments", loan.ExpectedPayments);
    Ints("ExpectedInterestPaid", loan.ExpectedInterestPaid);
    Ints("ExpectedPrincipalPaid", loan.ExpectedPrincipalPaid);
    Ints("ExpectedAdjustments", loan.ExpectedAdjustments);
    Ints("ActualBalance", loan.ActualBalance);
    Ints("ActualAdvances", loan.ActualAdvances);
    Ints("ActualInterest", loan.ActualInterest);
    Ints("ActualPayments", loan.ActualPayments);
    Ints("ActualInterestPaid", loan.ActualInterestPaid);
    Ints("ActualPrincipalPaid", loan.ActualPrincipalPaid);
    Ints("ActualAdjustments", loan.ActualAdjustments);
    Bools("ResetToActual", loan.ResetToActual);
}

void Exporter::TaxSumFields(const Item::CTaxSum& sum) {
    json_.Key("OutlineState").Int(sum.OutlineState);
    Ints("ExpectedOnSales", sum.ExpectedOnSales);
    Ints("ExpectedOnExpenses", sum.ExpectedOnExpenses);
    Ints("ExpectedPayments", sum.ExpectedPayments);
    Ints("ExpectedRefunds", sum.ExpectedRefunds);
    Ints("ExpectedAdjustments", sum.ExpectedAdjustments);
    Ints("ActualOnSales", sum.ActualOnSales);
    Ints("ActualOnExpenses", sum.ActualOnExpenses);
    Ints("ActualPayments", sum.ActualPayments);
    Ints("ActualRefunds", sum.ActualRefunds);
    Ints("ActualAdjustments", sum.ActualAdjustments);
    Bools("ExpectedFromActual", sum.ExpectedFromActual);
}

void Exporter::NoteFields(const Item::CNote& note) {
    json_.Key("Text").String(note.Text);
    json_.Key("Links").BeginArray();
    for (const auto& link : note.Links) {
        json_.BeginObject();
        json_.Key("Category").Int(link->Category);
        json_.Key("Index").Int(link->Index);
        json_.EndObject();
    }
    json_.EndArray();
}

} // namespace

std::string ExportJson(const CMainDoc& doc) {
    JsonWriter json;
    Exporter(json).Document(doc);
    return json.Result();
}
