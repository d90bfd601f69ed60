#include "views/AdvStatementCsv.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "database/CPERT.h"
#include "database/Categories.h"
#include "display/CColumnHeaders.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CNoteBox.h"
#include "display/CTotal.h"
#include "document/CMainDoc.h"
#include "items/CItem.h"
#include "items/CNote.h"
#include "views/AdvDrawPass.h"
#include "views/StatementCsv.h"

namespace {

using namespace Display;

constexpr int kDrawnColumns = LayoutMetrics::kPercentColumn + 3;
constexpr const char* kSubHeadings[3] = {"Actual", "Expected", "Variance"};

struct YearSpan {
    int start = 0;
    int months = 12;
    int MonthAt(int position) const { return (start + position) % kMonths; }
};

YearSpan SpanOf(const Database::CYear& year) {
    return {((year.startMonth % kMonths) + kMonths) % kMonths, std::clamp(year.months, 0, kMonths)};
}

std::string Heading(const Database::CYear& year, int column) {
    const int sub = column % 3;
    if (column >= LayoutMetrics::kPercentColumn)
        return std::string("Percentage ") + kSubHeadings[sub];
    if (column >= LayoutMetrics::kTotalColumn)
        return std::string("Total ") + kSubHeadings[sub];
    const YearSpan span = SpanOf(year);
    const int position = column / 3;
    const int number = year.year - (span.start + span.months > kMonths ? 1 : 0) +
                       (span.start + position) / kMonths;
    const int twoDigits = ((number % 100) + 100) % 100;
    std::string text = CsvMonthName(span.MonthAt(position));
    text += ' ';
    text += static_cast<char>('0' + twoDigits / 10);
    text += static_cast<char>('0' + twoDigits % 10);
    return text + ' ' + kSubHeadings[sub];
}

// The heading's text as drawn: its own, or the name of its row (a lone tax unindented).
Text HeadingLabel(const CMainDoc& doc, const Database::CYear& year, const CLineHeader& heading) {
    if (!heading.text.empty() || heading.key[LayoutKey::kCategory] == LayoutKey::kNoEntry)
        return heading.text;
    const Item::CBaseItem* row =
        year.FindItem(heading.key[LayoutKey::kCategory], heading.key[LayoutKey::kPosition]);
    if (!row)
        return {};
    (void)doc;
    if (heading.key[LayoutKey::kCategory] == kTax && year.ItemCount(kTax) < 2)
        return row->name;
    return u"  " + row->name;
}

// The rate code an ordinary item shows in tax column t.
Text TaxCode(const CMainDoc& doc, const Database::CYear& year, const CLine& line, int tax) {
    if (line.lineKind != kOrdinaryLine)
        return {};
    const auto* item = dynamic_cast<const Item::CItem*>(
        year.FindItem(line.key[LayoutKey::kCategory], line.key[LayoutKey::kPosition]));
    const Database::CTaxSetup* setup = doc.Root().TaxSetup(tax);
    if (!item || !setup || line.key[LayoutKey::kCategory] == kTotal ||
        static_cast<std::size_t>(tax) >= item->TaxLinks.size())
        return {};
    const Database::CTaxRate* rate = setup->Rate(item->TaxLinks[static_cast<std::size_t>(tax)]);
    return rate ? rate->Code : Text();
}

class Writer {
public:
    Writer(const CMainDoc& doc, const AdvViewState& state, const Database::CYear& year)
        : doc_(doc), state_(state), year_(year), span_(SpanOf(year)) {
        const LayoutMetrics& m = state.metrics;
        for (int t = 0; t < static_cast<int>(m.taxColumns.size()); ++t)
            if (m.taxColumns[static_cast<std::size_t>(t)].Width() > 0)
                taxes_.push_back(t);
        for (int c = 0; c < kDrawnColumns; ++c)
            if (m.figureColumns[static_cast<std::size_t>(c)].Width() > 0)
                columns_.push_back(c);
    }

    std::string Run() {
        Record header{"Line", "Notes"};
        for (int t : taxes_)
            header.push_back(ToUtf8(doc_.Root().TaxSetup(t)->name));
        for (int c : columns_)
            header.push_back(Heading(year_, c));
        Write(header);

        const auto& list = state_.lists.statement;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const CLayout& object = *list[i];
            if (object.hidden || object.suppressed)
                continue;
            if (const auto* line = dynamic_cast<const CLine*>(&object))
                Write(LineRecord(*line, Markers(i)));
            else if (const auto* total = dynamic_cast<const CTotal*>(&object))
                Write(TotalRecord(*total));
            else if (const auto* heading = dynamic_cast<const CLineHeader*>(&object))
                Write(Plain(ToUtf8(HeadingLabel(doc_, year_, *heading)), Markers(i)));
            else if (const auto* box = dynamic_cast<const CNoteBox*>(&object))
                if (box->IsEntry() && box->placed)
                    Write(Plain(ToUtf8(box->number), ToUtf8(NoteText(*box))));
        }
        return out_;
    }

private:
    using Record = std::vector<std::string>;

    void Write(const Record& record) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0)
                out_ += ',';
            out_ += CsvField(record[i]);
        }
        out_ += "\r\n";
    }

    Record Plain(const std::string& label, const std::string& notes) const {
        Record record{label, notes};
        record.resize(2 + taxes_.size() + columns_.size());
        return record;
    }

    // The markers placed on the row at `index`: the note boxes right after it.
    std::string Markers(std::size_t index) const {
        std::string text;
        const auto& list = state_.lists.statement;
        for (std::size_t i = index + 1; i < list.size(); ++i) {
            const auto* box = dynamic_cast<const CNoteBox*>(list[i].get());
            if (!box || box->IsEntry())
                break;
            if (!box->placed || !box->hasText || box->hidden)
                continue;
            if (!text.empty())
                text += ", ";
            text += ToUtf8(NoteName(*box));
        }
        return text;
    }

    const Item::CNote* NoteOf(const CNoteBox& box) const {
        return dynamic_cast<const Item::CNote*>(
            year_.FindItem(kNote, box.key[LayoutKey::kPosition]));
    }

    Text NoteName(const CNoteBox& box) const {
        const Item::CNote* note = NoteOf(box);
        return note ? note->name : Text();
    }

    Text NoteText(const CNoteBox& box) const {
        const Item::CNote* note = NoteOf(box);
        if (!note)
            return {};
        return note->Text.empty() ? Text(u" ") : note->Text;
    }

    // The figure of sub-column `column` as the row draws it, or nothing.
    template <class Figure>
    void Figures(Record& record, std::int32_t totalMode, bool showPercentage,
                 const std::array<Amount, 3>& totals, const std::array<Amount, 3>& percents,
                 const std::array<bool, 3>& percentShown, Figure monthFigure) const {
        std::size_t cell = 2 + taxes_.size();
        for (int c : columns_) {
            const int sub = c % 3;
            std::optional<Amount> value;
            if (c >= LayoutMetrics::kPercentColumn) {
                if (showPercentage && percentShown[static_cast<std::size_t>(sub)])
                    value = percents[static_cast<std::size_t>(sub)];
            } else if (c >= LayoutMetrics::kTotalColumn) {
                if (totalMode != kNoTotals)
                    value = totals[static_cast<std::size_t>(sub)];
            } else {
                value = monthFigure(c / 3, sub);
            }
            if (value)
                record[cell] = DecimalAmountText(*value);
            ++cell;
        }
    }

    Record LineRecord(const CLine& line, const std::string& notes) const {
        Record record = Plain(ToUtf8(line.text), notes);
        for (std::size_t t = 0; t < taxes_.size(); ++t)
            record[2 + t] = ToUtf8(TaxCode(doc_, year_, line, taxes_[t]));
        if (!line.actualValues || !line.expectedValues)
            return record;
        Figures(record, line.totalMode, line.showPercentage, line.totals, line.percents,
                line.percentShown, [&](int position, int sub) -> std::optional<Amount> {
                    if (position >= span_.months)
                        return std::nullopt;
                    const auto m = static_cast<std::size_t>(span_.MonthAt(position));
                    const Amount raw = sub == Database::kActual     ? (*line.actualValues)[m]
                                       : sub == Database::kExpected ? (*line.expectedValues)[m]
                                                                    : line.variance[m];
                    return raw * line.sign;
                });
        return record;
    }

    Record TotalRecord(const CTotal& total) const {
        Record record = Plain(ToUtf8(total.label), std::string());
        Figures(record, total.totalMode, total.showPercentage, total.totals, total.percents,
                total.percentShown, [&](int position, int sub) -> std::optional<Amount> {
                    const auto m = static_cast<std::size_t>(span_.MonthAt(position));
                    return total.shown[static_cast<std::size_t>(sub)][m];
                });
        return record;
    }

    const CMainDoc& doc_;
    const AdvViewState& state_;
    const Database::CYear& year_;
    YearSpan span_;
    std::vector<int> taxes_;
    std::vector<int> columns_;
    std::string out_;
};

} // namespace

std::string AdvStatementCsv(const CMainDoc& doc, const AdvViewState& state) {
    const Database::CYear* year = AdvShownYear(doc, state);
    if (!year)
        return {};
    return Writer(doc, state, *year).Run();
}
