#include "tools/ForecastCompose.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/WideText.h"
#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "items/CBank.h"
#include "items/CBaseItem.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"

namespace ForecastCompose {

namespace {

using Path = std::string;
// Keys sorted, as the unknown-key check reports the first in that order.
using Json = nlohmann::json;

[[noreturn]] void Fail(const Path& path, const std::string& what) {
    throw ComposeError(path.empty() ? what : path + ": " + what);
}

Path Member(const Path& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
}

Path Element(const Path& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// An integral JSON number that a 64-bit signed integer holds exactly; 1.0 and 1e3 count as
// integers, 1.5, 1e30 and "1" are refused.
std::int64_t Integer(const Json& value, const Path& path) {
    if (value.is_number_unsigned()) {
        const std::uint64_t number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            Fail(path, "integer out of range");
        return static_cast<std::int64_t>(number);
    }
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    if (!value.is_number_float())
        Fail(path, "expected an integer");
    const double number = value.get<double>();
    if (!std::isfinite(number) || number != std::trunc(number))
        Fail(path, "expected an integer");
    // 2^63 is the first whole double past the range; -2^63 itself is inside it.
    constexpr double kLimit = 9223372036854775808.0;
    if (number >= kLimit || number < -kLimit)
        Fail(path, "integer out of range");
    return static_cast<std::int64_t>(number);
}

void Convert(const Json& value, const Path& path, bool& target) {
    if (!value.is_boolean())
        Fail(path, "expected true or false");
    target = value.get<bool>();
}

void Convert(const Json& value, const Path& path, std::int64_t& target) {
    target = Integer(value, path);
}

void Convert(const Json& value, const Path& path, std::int32_t& target) {
    const std::int64_t number = Integer(value, path);
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        Fail(path, "integer out of the 32-bit range");
    target = static_cast<std::int32_t>(number);
}

// Colours: 0x00BBGGRR, any unsigned 32-bit value.
void Convert(const Json& value, const Path& path, std::uint32_t& target) {
    const std::int64_t number = Integer(value, path);
    if (number < 0 || number > std::numeric_limits<std::uint32_t>::max())
        Fail(path, "integer out of the range 0 to 4294967295");
    target = static_cast<std::uint32_t>(number);
}

void Convert(const Json& value, const Path& path, double& target) {
    if (!value.is_number())
        Fail(path, "expected a number");
    target = value.get<double>();
}

void Convert(const Json& value, const Path& path, Text& target) {
    if (!value.is_string())
        Fail(path, "expected a string");
    // The parser has already refused ill-formed UTF-8 and unpaired surrogate escapes.
    target = FromUtf8(value.get_ref<const std::string&>());
}

const Json& ArrayOf(const Json& value, const Path& path) {
    if (!value.is_array())
        Fail(path, "expected an array");
    return value;
}

template <class T, std::size_t N>
void Convert(const Json& value, const Path& path, std::array<T, N>& target) {
    const Json& array = ArrayOf(value, path);
    if (array.size() != N)
        Fail(path, "expected an array of " + std::to_string(N) + " elements, found " +
                       std::to_string(array.size()));
    for (std::size_t i = 0; i < N; ++i)
        Convert(array[i], Element(path, i), target[i]);
}

template <class T> void Convert(const Json& value, const Path& path, std::vector<T>& target) {
    const Json& array = ArrayOf(value, path);
    std::vector<T> result(array.size());
    for (std::size_t i = 0; i < array.size(); ++i)
        Convert(array[i], Element(path, i), result[i]);
    target = std::move(result);
}

// One JSON object being read: every key must be read or named as ignored before Finish.
class Fields {
public:
    Fields(const Json& value, Path path) : path_(std::move(path)), object_(value) {
        if (!value.is_object())
            Fail(path_, "expected an object");
    }

    const Path& Where() const { return path_; }

    bool Has(const char* key) const { return object_.contains(key); }

    // The value under a key (marking it read), or none when the key is absent.
    const Json* Take(const char* key) {
        known_.insert(key);
        const auto found = object_.find(key);
        return found == object_.end() ? nullptr : &*found;
    }

    Path PathOf(const char* key) const { return Member(path_, key); }

    // Reads a key into the target when present; the target keeps its value otherwise.
    template <class T> void Read(const char* key, T& target) {
        if (const Json* value = Take(key))
            Convert(*value, PathOf(key), target);
    }

    // The elements of an array under a key, each with its path; none when the key is absent.
    template <class F> void Each(const char* key, F visit) {
        const Json* value = Take(key);
        if (value == nullptr)
            return;
        const Path path = PathOf(key);
        const Json& array = ArrayOf(*value, path);
        for (std::size_t i = 0; i < array.size(); ++i)
            visit(array[i], Element(path, i));
    }

    // Keys that the export writes but the file does not keep: the viewer calculates them.
    void Ignore(std::initializer_list<const char*> keys) {
        for (const char* key : keys)
            known_.insert(key);
    }

    void Finish() const {
        for (const auto& [key, value] : object_.items())
            if (!known_.contains(key))
                Fail(Member(path_, key), "unknown key");
    }

private:
    Path path_;
    const Json& object_;
    std::set<std::string, std::less<>> known_;
};

void ReadBase(Fields& fields, Database::CBase& base) {
    fields.Read("name", base.name);
    fields.Read("hidden", base.hidden);
    fields.Read("value", base.value);
}

void ReadSubRate(const Json& value, const Path& path, Database::CTaxSubRate& subRate) {
    Fields fields(value, path);
    ReadBase(fields, subRate);
    fields.Read("Year", subRate.Year);
    fields.Read("Month", subRate.Month);
    fields.Read("Value", subRate.Value);
    fields.Finish();
}

void ReadRate(const Json& value, const Path& path, Database::CTaxRate& rate) {
    Fields fields(value, path);
    ReadBase(fields, rate);
    fields.Read("Code", rate.Code);
    fields.Each("SubRates", [&](const Json& element, const Path& where) {
        auto subRate = std::make_unique<Database::CTaxSubRate>();
        ReadSubRate(element, where, *subRate);
        rate.SubRates.Append(std::move(subRate));
    });
    fields.Finish();
}

void ReadTaxSetup(const Json& value, const Path& path, Database::CTaxSetup& setup) {
    Fields fields(value, path);
    ReadBase(fields, setup);
    fields.Read("PeriodStart", setup.PeriodStart);
    fields.Read("PeriodLength", setup.PeriodLength);
    fields.Read("PaymentDelay", setup.PaymentDelay);
    fields.Read("Compound", setup.Compound);
    fields.Each("Rates", [&](const Json& element, const Path& where) {
        auto rate = std::make_unique<Database::CTaxRate>();
        ReadRate(element, where, *rate);
        setup.Rates.Append(std::move(rate));
    });
    fields.Finish();
}

void ReadDisplay(const Json& value, const Path& path, Database::CDisplaySettings& display) {
    Fields fields(value, path);
    fields.Read("taxExclusive", display.taxExclusive);
    fields.Read("brackets", display.brackets);
    fields.Read("cents", display.cents);
    fields.Read("includeHidden", display.includeHidden);
    fields.Read("showActual", display.showActual);
    fields.Read("showExpected", display.showExpected);
    fields.Read("showVariance", display.showVariance);
    fields.Read("totalExpected", display.totalExpected);
    fields.Read("percentageExpected", display.percentageExpected);
    fields.Read("totalActual", display.totalActual);
    fields.Read("percentageActual", display.percentageActual);
    fields.Read("totalVariance", display.totalVariance);
    fields.Read("percentageVariance", display.percentageVariance);
    fields.Read("extraA", display.extraA);
    fields.Read("extraB", display.extraB);
    fields.Finish();
}

void ReadGraph(const Json& value, const Path& path, Database::CGraphSettings& graph) {
    Fields fields(value, path);
    ReadBase(fields, graph);
    fields.Read("months", graph.months);
    fields.Read("seriesOn", graph.seriesOn);
    fields.Read("colour", graph.colour);
    fields.Finish();
}

void ReadItem(Fields& fields, Item::CItem& item) {
    fields.Read("TaxSide", item.TaxSide);
    fields.Read("Expected", item.Expected);
    fields.Read("Actual", item.Actual);
    fields.Read("Percent", item.Percent);
    fields.Read("PctType", item.PctType);
    fields.Read("TaxLinks", item.TaxLinks);
}

void ReadBank(Fields& fields, Item::CBank& bank) {
    fields.Read("NoCrInterest", bank.NoCrInterest);
    fields.Read("NoOdInterest", bank.NoOdInterest);
    fields.Read("NoOdLimit", bank.NoOdLimit);
    fields.Read("ActualOpening", bank.ActualOpening);
    fields.Read("ExpectedOpening", bank.ExpectedOpening);
    fields.Read("ActualCrInterest", bank.ActualCrInterest);
    fields.Read("ActualOdInterest", bank.ActualOdInterest);
    fields.Read("ActualAdjustments", bank.ActualAdjustments);
    fields.Read("ActualOdLimit", bank.ActualOdLimit);
    fields.Read("ExpectedAdjustments", bank.ExpectedAdjustments);
    fields.Read("ExpectedOdLimit", bank.ExpectedOdLimit);
    fields.Read("OdRateWithin", bank.OdRateWithin);
    fields.Read("OdRateBeyond", bank.OdRateBeyond);
    fields.Read("CrRate", bank.CrRate);
    fields.Read("ResetToActual", bank.ResetToActual);
    fields.Ignore({"ActualBalance", "ExpectedCrInterest", "ExpectedOdInterest", "ExpectedBalance"});
}

void ReadLoan(Fields& fields, Item::CLoan& loan) {
    fields.Read("Side", loan.Side);
    fields.Read("ExpectedOpening", loan.ExpectedOpening);
    fields.Read("ActualOpening", loan.ActualOpening);
    fields.Read("OutlineState", loan.OutlineState);
    fields.Read("ExpectedAdvances", loan.ExpectedAdvances);
    fields.Read("Rate", loan.Rate);
    fields.Read("ExpectedPayments", loan.ExpectedPayments);
    fields.Read("ExpectedAdjustments", loan.ExpectedAdjustments);
    fields.Read("ActualAdvances", loan.ActualAdvances);
    fields.Read("ActualInterest", loan.ActualInterest);
    fields.Read("ActualPayments", loan.ActualPayments);
    fields.Read("ActualAdjustments", loan.ActualAdjustments);
    fields.Read("ResetToActual", loan.ResetToActual);
    fields.Ignore({"ExpectedBalance", "ExpectedInterest", "ExpectedInterestPaid",
                   "ExpectedPrincipalPaid", "ActualBalance", "ActualInterestPaid",
                   "ActualPrincipalPaid"});
}

void ReadTaxSum(Fields& fields, Item::CTaxSum& sum) {
    fields.Read("OutlineState", sum.OutlineState);
    fields.Read("ExpectedAdjustments", sum.ExpectedAdjustments);
    fields.Read("ActualAdjustments", sum.ActualAdjustments);
    fields.Read("ExpectedFromActual", sum.ExpectedFromActual);
    fields.Ignore({"ExpectedOnSales", "ExpectedOnExpenses", "ExpectedPayments", "ExpectedRefunds",
                   "ActualOnSales", "ActualOnExpenses", "ActualPayments", "ActualRefunds"});
}

void ReadNote(Fields& fields, Item::CNote& note) {
    fields.Read("Text", note.Text);
    fields.Each("Links", [&](const Json& element, const Path& where) {
        Fields link(element, where);
        std::int32_t category = -1;
        std::int32_t index = -1;
        link.Read("Category", category);
        link.Read("Index", index);
        link.Finish();
        note.AddLink(category, index);
    });
}

std::unique_ptr<Item::CBaseItem> ReadRow(const Json& value, const Path& path) {
    Fields fields(value, path);
    Text className;
    const Json* classValue = fields.Take("class");
    if (classValue == nullptr)
        Fail(path, "a row needs its \"class\"");
    Convert(*classValue, fields.PathOf("class"), className);

    std::unique_ptr<Item::CBaseItem> row;
    if (className == u"CItem") {
        auto item = std::make_unique<Item::CItem>();
        ReadItem(fields, *item);
        row = std::move(item);
    } else if (className == u"CBank") {
        auto bank = std::make_unique<Item::CBank>();
        ReadBank(fields, *bank);
        row = std::move(bank);
    } else if (className == u"CLoan") {
        auto loan = std::make_unique<Item::CLoan>();
        ReadLoan(fields, *loan);
        row = std::move(loan);
    } else if (className == u"CTaxSum") {
        auto sum = std::make_unique<Item::CTaxSum>();
        ReadTaxSum(fields, *sum);
        row = std::move(sum);
    } else if (className == u"CNote") {
        auto note = std::make_unique<Item::CNote>();
        ReadNote(fields, *note);
        row = std::move(note);
    } else if (className == u"CBaseItem") {
        row = std::make_unique<Item::CBaseItem>();
    } else {
        Fail(fields.PathOf("class"), "unknown row class \"" + ToUtf8(className) +
                                         "\" (expected CItem, CBank, CLoan, CTaxSum, CNote or "
                                         "CBaseItem)");
    }
    // Applied after the class's own constructor, which names a bank "Bank A/C".
    ReadBase(fields, *row);
    fields.Read("NoteCount", row->NoteCount);
    fields.Finish();
    return row;
}

void ReadYear(const Json& value, const Path& path, Database::CYear& year) {
    Fields fields(value, path);
    ReadBase(fields, year);
    fields.Read("year", year.year);
    fields.Read("startMonth", year.startMonth);
    fields.Read("months", year.months);
    fields.Ignore({"incomeExpected", "incomeActual"});
    fields.Read("sectionStates", year.sectionState);

    if (const Json* subtotals = fields.Take("subtotals")) {
        const Path where = fields.PathOf("subtotals");
        const Json& array = ArrayOf(*subtotals, where);
        if (array.size() != Database::CYear::kSubtotals)
            Fail(where, "expected an array of " + std::to_string(Database::CYear::kSubtotals) +
                            " elements, found " + std::to_string(array.size()));
        for (std::size_t k = 0; k < array.size(); ++k) {
            Fields subtotal(array[k], Element(where, k));
            subtotal.Read("label", year.subtotalLabel[k]);
            subtotal.Read("mode", year.subtotalMode[k]);
            subtotal.Read("flag", year.subtotalFlag[k]);
            subtotal.Finish();
        }
    }

    if (const Json* display = fields.Take("display"))
        ReadDisplay(*display, fields.PathOf("display"), year.display);

    fields.Each("graphs", [&](const Json& element, const Path& where) {
        auto graph = std::make_unique<Database::CGraphSettings>();
        ReadGraph(element, where, *graph);
        year.graphs.Append(std::move(graph));
    });

    if (const Json* categories = fields.Take("categories")) {
        const Path where = fields.PathOf("categories");
        const Json& lists = ArrayOf(*categories, where);
        if (lists.size() != kCategories)
            Fail(where, "expected an array of " + std::to_string(kCategories) +
                            " row lists, found " + std::to_string(lists.size()));
        // The listed rows replace the bank and totals a new year starts with.
        for (int category = 0; category < kCategories; ++category) {
            const auto k = static_cast<std::size_t>(category);
            const Path listPath = Element(where, k);
            const Json& rows = ArrayOf(lists[k], listPath);
            auto& list = year.Items(category);
            list.Clear();
            for (std::size_t i = 0; i < rows.size(); ++i)
                list.Append(ReadRow(rows[i], Element(listPath, i)));
        }
    }
    fields.Finish();
}

void ReadCompany(const Json& value, const Path& path, Database::CCompany& company) {
    Fields fields(value, path);
    ReadBase(fields, company);
    fields.Read("weight", company.weight);
    fields.Read("importFile", company.importFile);
    fields.Read("importSource", company.importSource);
    fields.Read("importTaxFlag", company.importTaxFlag);
    fields.Each("matchings", [&](const Json& element, const Path& where) {
        Fields matching(element, where);
        Text sourceName;
        Text matchText;
        std::int32_t category = 0;
        std::int32_t index = 0;
        std::int32_t kind = 0;
        matching.Read("SourceName", sourceName);
        matching.Read("MatchText", matchText);
        matching.Read("Category", category);
        matching.Read("Index", index);
        matching.Read("Kind", kind);
        matching.Finish();
        company.matchings.Add(sourceName, matchText, category, index, kind);
    });
    fields.Each("taxSetups", [&](const Json& element, const Path& where) {
        auto setup = std::make_unique<Database::CTaxSetup>();
        ReadTaxSetup(element, where, *setup);
        company.taxSetups.Append(std::move(setup));
    });
    fields.Each("years", [&](const Json& element, const Path& where) {
        auto year = std::make_unique<Database::CYear>();
        ReadYear(element, where, *year);
        company.years.Append(std::move(year));
    });
    fields.Finish();
}

void ReadScenario(const Json& value, const Path& path, Database::CScenario& scenario) {
    Fields fields(value, path);
    ReadBase(fields, scenario);
    fields.Read("weight", scenario.weight);
    fields.Each("companies", [&](const Json& element, const Path& where) {
        auto company = std::make_unique<Database::CCompany>();
        ReadCompany(element, where, *company);
        scenario.companies.Append(std::move(company));
    });
    fields.Finish();
}

void ReadView(const Json& value, const Path& path, Database::CTabView& view) {
    Fields fields(value, path);
    ReadBase(fields, view);
    // Not kept in the view's record: reading a view always sets it.
    fields.Ignore({"taxExclusive"});
    fields.Each("scenarios", [&](const Json& element, const Path& where) {
        auto scenario = std::make_unique<Database::CScenario>();
        ReadScenario(element, where, *scenario);
        view.scenarios.Append(std::move(scenario));
    });
    fields.Finish();
}

void ReadRoot(const Json& value, const Path& path, Database::CPERT& root) {
    Fields fields(value, path);
    ReadBase(fields, root);
    fields.Read("brackets", root.brackets);
    fields.Read("cents", root.cents);
    fields.Read("percentage", root.percentage);
    if (const Json* margins = fields.Take("margins")) {
        Fields margin(*margins, fields.PathOf("margins"));
        margin.Read("top", root.marginTop);
        margin.Read("left", root.marginLeft);
        margin.Read("bottom", root.marginBottom);
        margin.Read("right", root.marginRight);
        margin.Finish();
    }
    fields.Read("printOption", root.printOption);
    fields.Each("views", [&](const Json& element, const Path& where) {
        auto view = std::make_unique<Database::CTabView>();
        ReadView(element, where, *view);
        root.views.Append(std::move(view));
    });
    fields.Finish();
}

void ReadDocument(const Json& value, const Path& path, CMainDoc& doc) {
    Fields fields(value, path);
    // The recovery names describe the file an export was read from, not the forecast.
    fields.Ignore({"recoveryFile", "recoverySource"});
    fields.Read("fontName", doc.fontName);
    fields.Read("fontSize", doc.fontSize);
    fields.Read("zoom", doc.zoom);
    fields.Read("stamp", doc.stamp);
    if (const Json* series = fields.Take("series")) {
        const Path where = fields.PathOf("series");
        const Json& array = ArrayOf(*series, where);
        if (array.size() != CMainDoc::kSeries)
            Fail(where, "expected an array of " + std::to_string(CMainDoc::kSeries) +
                            " elements, found " + std::to_string(array.size()));
        for (std::size_t k = 0; k < array.size(); ++k) {
            Fields entry(array[k], Element(where, k));
            entry.Read("shown", doc.seriesShown[k]);
            entry.Read("colour", doc.seriesColour[k]);
            entry.Finish();
        }
    }
    fields.Read("offsetYear", doc.offsetYearChecked);
    fields.Finish();
}

// The place of a parse error as a person counts it; `offset` is the byte the parser stopped at.
std::string LineAndColumn(std::string_view json, std::size_t offset) {
    int line = 1;
    int column = 1;
    for (std::size_t i = 0; i < offset && i < json.size(); ++i) {
        if (json[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's reason without its own exception prefix and place, which we state ourselves.
std::string Reason(const Json::parse_error& error) {
    const std::string_view what = error.what();
    const std::size_t column = what.find(", column ");
    const std::size_t colon = what.find(": ", column == std::string_view::npos ? 0 : column);
    return std::string(colon == std::string_view::npos ? what : what.substr(colon + 2));
}

Json Parse(std::string_view json) {
    try {
        return Json::parse(json);
    } catch (const Json::parse_error& error) {
        const std::size_t offset = error.byte > 0 ? error.byte - 1 : 0;
        Fail("", "invalid JSON at " + LineAndColumn(json, offset) + ": " + Reason(error));
    }
}

} // namespace

std::unique_ptr<CMainDoc> DocumentFromJson(const QByteArray& json) {
    const Json parsed =
        Parse(std::string_view(json.constData(), static_cast<std::size_t>(json.size())));
    if (!parsed.is_object())
        Fail("", "expected a JSON object at the top level");

    auto doc = std::make_unique<CMainDoc>();
    Fields top(parsed, "");
    std::int32_t format = 1;
    top.Read("format", format);
    if (format != 1)
        Fail("format", "unsupported format " + std::to_string(format) + " (expected 1)");
    if (const Json* document = top.Take("document"))
        ReadDocument(*document, "document", *doc);
    if (const Json* root = top.Take("root"))
        ReadRoot(*root, "root", doc->Root());
    top.Finish();
    return doc;
}

std::vector<std::uint8_t> Compose(const QByteArray& json) {
    return DocumentFromJson(json)->Store();
}

} // namespace ForecastCompose
