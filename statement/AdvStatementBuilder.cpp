#include <algorithm>
#include <array>
#include <deque>
#include <map>

#include "core/Failure.h"
#include "database/CDisplaySettings.h"
#include "database/CPERT.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "document/CMainDoc.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"
#include "statement/AdvFigures.h"
#include "statement/AdvStatementModel.h"
#include "statement/BlockLines.h"
#include "statement/NoteMarker.h"
#include "statement/StatementModel.h"
#include "statement/Taxes.h"

namespace Statement {
namespace {

using Database::CYear;
using Kind = AdvEntryKind;

constexpr int kNone = LayoutKey::kNoEntry;

// The glyphs of rows and totals.
constexpr std::int32_t kStyleRow = kConnectorThrough;
constexpr std::int32_t kStyleTotal = kLineThrough;

// Summary rows by index, in statement order.
enum Summary {
    kGrossSurplus,
    kNetBeforeInterest,
    kNetBeforeOtherIncome,
    kNetSurplus,
    kNetBeforeTax,
    kNetCashMovement,
};
constexpr int kSummaries = CYear::kSubtotals;
static_assert(kNetCashMovement + 1 == kSummaries);

// The sections between the summary rows, in statement order.
enum PlainSectionIndex {
    kIncomeSection,
    kDirectCostsSection,
    kExpensesSection,
    kInterestSection,
    kOtherIncomeSection,
    kCapitalReceiptsSection,
    kCapitalExpensesSection,
    kCapitalPaymentsSection,
    kPlainSections,
};

// How a year's stored subtotal mode shows a summary row; a number outside these shows it.
enum class SubtotalMode { Automatic = 0, Shown = 1, Hidden = 2 };

// The year total row a summary row stands for.
constexpr std::array<int, kSummaries> kSummaryTotalRow = {
    kTotalGrossSurplus, kTotalNetBeforeInterest, kTotalNetBeforeOtherIncome,
    kTotalNetSurplus,   kTotalNetBeforeTax,      kTotalNetCashMovement};

bool Visible(const Item::CBaseItem* row) {
    return row && !row->hidden;
}

// A total while the statement is built: the lines and child totals before it feed it, and when
// it takes its place it forms its figures and feeds its own parent once.
struct PendingTotal {
    Text label{};
    TotalMode mode = TotalMode::SumOfMonths;
    bool gapAfter = false;
    PendingTotal* parent = nullptr;
    bool addsToParent = true;
    std::int32_t glyph = kNoGlyph;
    bool plain = true;
    LayoutKey key{};
    TotalFeed feed{};
    // Set by a line of a hidden tax summary or of a hidden loan's opening balance.
    bool suppressed = false;
};

class Builder {
public:
    Builder(const CMainDoc& doc, const LayoutKey& key, AdvOutline outline, AdvStatementModel& out)
        : doc_(doc), root_(doc.Root()), key_(key), outline_(outline), out_(out) {}

    void Run() {
        year_ = &dynamic_cast<const CYear&>(*doc_.ObjectAt(YearKey()));
        span_ = Database::SpanOf(*year_);
        taxText_ = TaxText(root_);
        taxes_ = DocumentTaxes(root_);
        Columns();
        // Headings, lines and totals: about six entries a row at most, and the fixed ones.
        int rows = 0;
        for (int category = 0; category <= kNote; ++category)
            rows += year_->ItemCount(category);
        out_.entries.reserve(static_cast<std::size_t>(rows) * 6 + 64);
        CollectMarkers();
        BuildSections();
    }

private:
    // One statement section's parts, for the suppression rules.
    struct Section {
        std::size_t heading = 0;
        std::size_t total = 0;
        // Whether any of its lines would be drawn were it open.
        bool hasLines = false;
    };

    LayoutKey YearKey() const {
        LayoutKey key = key_;
        key[LayoutKey::kGraph] = kNone;
        key[LayoutKey::kCategory] = kNone;
        key[LayoutKey::kPosition] = kNone;
        return key;
    }

    LayoutKey RowKey(int category, int index) const {
        LayoutKey key = YearKey();
        key[LayoutKey::kCategory] = category;
        key[LayoutKey::kPosition] = index;
        return key;
    }

    // The columns: month headings, the sub-columns switched on, the taxes and their columns.
    void Columns() {
        out_.hasYear = true;
        out_.yearKey = YearKey();
        out_.span = span_;
        out_.yearNumber = year_->year;
        const Database::CDisplaySettings& display = year_->display;
        out_.brackets = display.brackets;
        out_.cents = display.cents;
        const long long firstYear = span_.FirstYear(year_->year);
        for (int i = 0; i < kMonths; ++i) {
            const int m = span_.Month(i);
            const int twoDigits =
                static_cast<int>((((firstYear + (span_.start + i) / kMonths) % 100) + 100) % 100);
            Text heading = MonthAbbreviation(m);
            heading += u' ';
            heading += static_cast<char16_t>(u'0' + twoDigits / 10);
            heading += static_cast<char16_t>(u'0' + twoDigits % 10);
            out_.monthHeadings[static_cast<std::size_t>(i)] = heading;
            for (Database::SubColumn k : Database::kSubColumns)
                out_.columns[static_cast<std::size_t>(i)][k] = MonthShown(display, k, m);
        }
        out_.columns[kAdvTotalGroup] = {display.totalActual, display.totalExpected,
                                        display.totalVariance};
        out_.columns[kAdvPercentGroup] = {display.percentageActual, display.percentageExpected,
                                          display.percentageVariance};
        for (const Database::CTaxSetup* tax : taxes_)
            out_.taxNames.push_back(tax->name);
        if (key_[LayoutKey::kScenario] >= 0 && key_[LayoutKey::kCompany] >= 0) {
            const int count =
                std::min(year_->ItemCount(kTax), static_cast<int>(taxes_.size()));
            for (int t = 0; t < count; ++t)
                out_.taxColumns.push_back({taxes_[static_cast<std::size_t>(t)]->name,
                                           Visible(year_->FindItem(kTax, t))});
        }
    }

    // A new entry at the end, made in place: entries are large, and a statement has hundreds.
    AdvEntry& NewEntry(AdvEntryKind kind) {
        AdvEntry& entry = out_.entries.emplace_back();
        entry.kind = kind;
        return entry;
    }
    std::size_t Last() const { return out_.entries.size() - 1; }
    AdvEntry& At(std::size_t index) { return out_.entries[index]; }

    // The note links of the year by the row they mark, in note order and then link order.
    // Links to later banks, to totals and notes, and to missing rows mark nothing.
    void CollectMarkers() {
        for (int n = 0; n < year_->ItemCount(kNote); ++n) {
            const auto* note = dynamic_cast<const Item::CNote*>(year_->FindItem(kNote, n));
            if (!note)
                continue;
            for (int l = 0; l < note->LinkCount(); ++l) {
                const Item::CNoteItem& link = note->Link(l);
                const int category = link.Category;
                if (category < 0 || category > kLoan || (category == kBank && link.Index != 0))
                    continue;
                const Item::CBaseItem* row = year_->FindItem(category, link.Index);
                if (!row)
                    continue;
                markers_[{category, link.Index}].push_back(
                    {n, l, MarkerLabel(note->name), !note->IsHidden() && !row->IsHidden()});
            }
        }
    }

    // The markers of the notes linked to a row go on the entry just made for it.
    void AddMarkers(int category, int index) {
        const auto found = markers_.find({category, index});
        if (found != markers_.end())
            out_.entries.back().markers = found->second;
    }

    // A stored outline state and the key that names it (see AdvEntry::stateKey).
    struct StoredState {
        const std::int32_t* value = nullptr;
        LayoutKey key;
    };

    // The state of the section of a category, or of the block of the row at (category, index).
    StoredState StateOf(int category, int index = -1) const {
        LayoutKey key = YearKey();
        key[LayoutKey::kCategory] = category;
        if (index >= 0)
            key[LayoutKey::kPosition] = index;
        // The year's accessors of stored states are not const; nothing is written through them.
        CYear& year = const_cast<CYear&>(*year_);
        return {index < 0 ? year.SectionState(category, -1)
                          : year.ItemAt(category, index).Setting(),
                key};
    }

    // Whether a heading with this stored state opens under the outline choice (no state: open).
    bool Opens(const std::int32_t* state) const {
        switch (outline_) {
        case AdvOutline::Open:
            return true;
        case AdvOutline::Closed:
            return false;
        case AdvOutline::File:
            break;
        }
        return !state || AdvStateOpen(*state);
    }

    // The glyph of a heading. Read from the file, a box state is shown (and flipped by a click)
    // in place; any other state reads as open. Forced open or closed, the glyph says so.
    void HeadingGlyph(AdvEntry& entry, const StoredState& stored, bool open) const {
        const std::int32_t* state = stored.value;
        if (state && outline_ == AdvOutline::File)
            entry.stateKey = stored.key;
        if (!state) {
            entry.glyph = kNoGlyph;
            return;
        }
        if (outline_ == AdvOutline::File && *state >= kPlusBox && *state <= kMinusBoxUp) {
            entry.glyph = *state;
            return;
        }
        const bool connector = *state == kPlusBoxUp || *state == kMinusBoxUp;
        entry.glyph = (connector ? kPlusBoxUp : kPlusBox) + (open ? 1 : 0);
    }

    // A section heading; `open` says whether its rows take place.
    std::size_t Heading(const Text& title, int lines, const StoredState& state, bool& open) {
        open = Opens(state.value);
        AdvEntry& entry = NewEntry(Kind::SectionHeading);
        entry.label = title;
        entry.lines = lines;
        HeadingGlyph(entry, state, open);
        return Last();
    }

    // A block heading showing the row's name (a lone tax summary's unindented), opened by the
    // row's outline state (the bank's by its category's section state), followed by the row's
    // note markers. A hidden row's block has no heading.
    std::size_t BlockHeading(int category, int index, bool& open) {
        const StoredState state = category == kBank ? StateOf(kBank) : StateOf(category, index);
        open = Opens(state.value);
        AdvEntry& entry = NewEntry(Kind::BlockHeading);
        entry.key = RowKey(category, index);
        HeadingGlyph(entry, state, open);
        const Item::CBaseItem* row = year_->FindItem(category, index);
        if (row) {
            const bool lone = dynamic_cast<const Item::CTaxSum*>(row) && year_->ItemCount(kTax) < 2;
            entry.label = lone ? row->name : u"  " + row->name;
            entry.suppressed = row->IsHidden();
        }
        AddMarkers(category, index);
        return Last();
    }

    // A line of the row at (category, index), read as `kind`, feeding `total`.
    std::size_t Line(int category, int index, LineKind kind, PendingTotal* total,
                     bool gapBefore = false) {
        AdvEntry& entry = NewEntry(Kind::Line);
        entry.key = RowKey(category, index);
        entry.lineKind = kind;
        entry.gapBefore = gapBefore;
        entry.glyph = kStyleRow;

        const Item::CBaseItem* object = year_->FindItem(category, index);
        BlockLine line;
        if (const auto* item = Item::RowAs<Item::CItem>(object)) {
            line.words = item->name;
            line.actual = &item->Actual;
            line.expected = &item->Expected;
            if (kind == LineKind::Ordinary) {
                for (std::size_t t = 0; t < taxes_.size(); ++t) {
                    const Database::CTaxRate* rate =
                        t < item->TaxLinks.size() ? taxes_[t]->Rate(item->TaxLinks[t]) : nullptr;
                    entry.taxCodes.push_back(rate ? rate->Code : Text());
                }
            }
        } else if (const auto* loan = dynamic_cast<const Item::CLoan*>(object)) {
            line = LoanLine(*loan, kind, {category == kLoan, false});
            // The cash lines name their row; the block's own lines are indented under its heading.
            const bool cash = kind == LineKind::CashAdvance || kind == LineKind::CashInterest ||
                              kind == LineKind::CashPrincipal;
            if (!cash)
                line.words = u"  " + line.words;
            if (loan->IsHidden() && kind == LineKind::BalanceOpening && total)
                total->suppressed = true;
        } else if (const auto* tax = dynamic_cast<const Item::CTaxSum*>(object)) {
            line = TaxLine(*tax, kind, year_->display.taxExclusive);
            line.words = (taxes_.size() < 2 ? Text() : Text(u"  ")) + line.words;
            if (tax->IsHidden() && total)
                total->suppressed = true;
        } else if (const auto* bank = dynamic_cast<const Item::CBank*>(object)) {
            line = BankLine(*bank, kind);
        }

        entry.label = line.words;
        entry.totalMode = line.totalMode;
        entry.showPercentage = line.showPercentage;
        entry.suppressed = line.suppressed || (object && object->IsHidden());
        if (!entry.suppressed && line.HasFigures()) {
            FormLineFigures(entry, *line.actual, *line.expected, line.sign, *year_);
            // Every line adds its figures as shown: one shown negative takes its amount off.
            if (total)
                total->feed.Add(Signed(*line.actual, line.sign), Signed(*line.expected, line.sign),
                                +1, span_);
        }
        return Last();
    }

    // A total to be fed by what is built before it takes its place (PlaceTotal).
    PendingTotal* MakeTotal(PendingTotal total) { return &pending_.emplace_back(std::move(total)); }

    // The total takes its place: its figures are what was fed, and it feeds its parent once.
    std::size_t PlaceTotal(PendingTotal& total) {
        AdvEntry& entry = NewEntry(total.plain ? Kind::Total : Kind::Summary);
        entry.key = total.key;
        entry.label = total.label;
        entry.glyph = total.glyph;
        entry.gapAfter = total.gapAfter;
        entry.totalMode = total.mode;
        entry.addsToParent = total.addsToParent;
        entry.suppressed = total.suppressed;
        FormTotalFigures(entry, total.feed, *year_);
        if (total.parent)
            total.parent->feed.Add(total.feed.actual, total.feed.expected,
                                   total.addsToParent ? 1 : -1, span_);
        return Last();
    }

    // Hides what was added from `first` on: closed parts still feed their totals but take no
    // place.
    void HideFrom(std::size_t first) {
        for (std::size_t i = first; i < out_.entries.size(); ++i)
            out_.entries[i].hidden = true;
    }

    // Lines of an ordinary category with their markers; whether any would be drawn.
    bool ItemLines(int category, PendingTotal* total) {
        bool any = false;
        for (int i = 0; i < year_->ItemCount(category); ++i) {
            Line(category, i, LineKind::Ordinary, total);
            AddMarkers(category, i);
            any = any || Visible(year_->FindItem(category, i));
        }
        return any;
    }

    // One cash line of the given kind per loan or investment.
    bool CashLines(int category, LineKind kind, PendingTotal* total) {
        bool any = false;
        for (int i = 0; i < year_->ItemCount(category); ++i) {
            Line(category, i, kind, total);
            any = any || Visible(year_->FindItem(category, i));
        }
        return any;
    }

    // One interest line per bank; a bank switched off for that interest shows none.
    bool BankInterestLines(LineKind kind, PendingTotal* total) {
        bool any = false;
        for (int i = 0; i < year_->ItemCount(kBank); ++i) {
            Line(kBank, i, kind, total);
            const auto* bank = dynamic_cast<const Item::CBank*>(year_->FindItem(kBank, i));
            if (Visible(bank) &&
                !(kind == LineKind::BankCrInterest ? bank->NoCrInterest : bank->NoOdInterest))
                any = true;
        }
        return any;
    }

    // A section: heading, the rows `rows` adds (given the total to feed), then the total, which
    // feeds `parent`.
    template <class Rows>
    Section PlainSection(const Text& title, const StoredState& state, const Text& totalLabel,
                         int totalRow, PendingTotal* parent, bool addsToParent, Rows rows) {
        Section section;
        bool open = true;
        section.heading = Heading(title, 1, state, open);
        PendingTotal* total = MakeTotal({.label = totalLabel,
                                         .gapAfter = true,
                                         .parent = parent,
                                         .addsToParent = addsToParent,
                                         .glyph = kStyleTotal,
                                         .key = RowKey(kTotal, totalRow)});
        const std::size_t first = out_.entries.size();
        section.hasLines = rows(total);
        if (!open)
            HideFrom(first);
        section.total = PlaceTotal(*total);
        return section;
    }

    // One block per tax summary, then the tax section's total.
    void TaxSection(PendingTotal* parent) {
        const int visible = year_->VisibleCount(kTax);
        PendingTotal* sectionTotal =
            MakeTotal({.label = u"Total " + taxText_,
                       .gapAfter = true,
                       .parent = parent,
                       .glyph = kStyleTotal,
                       .key = RowKey(kTotal, kTotalTax)});
        for (int t = 0; t < year_->ItemCount(kTax); ++t) {
            bool open = true;
            BlockHeading(kTax, t, open);
            const Text name = year_->ItemAt(kTax, t).name;
            const bool single = visible < 2;
            PendingTotal* blockTotal = MakeTotal({.label = (single ? u"Total " : u"  Total ") + name,
                                                  .gapAfter = true,
                                                  .parent = sectionTotal,
                                                  .glyph = single ? kStyleTotal : kStyleRow,
                                                  .key = RowKey(kTax, t)});
            const std::size_t first = out_.entries.size();
            for (LineKind kind : {LineKind::TaxOnSales, LineKind::TaxOnExpenses,
                                  LineKind::TaxPayments, LineKind::TaxRefunds,
                                  LineKind::TaxAdjustments})
                Line(kTax, t, kind, blockTotal);
            if (!open)
                HideFrom(first);
            PlaceTotal(*blockTotal);
        }
        const std::size_t total = PlaceTotal(*sectionTotal);
        if (visible < 2)
            At(total).suppressed = true;
    }

    // The block of the first bank: heading, opening balance, net movement, adjustments, closing
    // balance and, after a gap, the overdraft limit.
    void BankBlock(PendingTotal& netMovement, PendingTotal& closing) {
        bool open = true;
        BlockHeading(kBank, 0, open);
        std::vector<std::size_t> body;
        body.push_back(Line(kBank, 0, LineKind::BankOpening, &closing));
        const std::size_t movement = PlaceTotal(netMovement);
        body.push_back(movement);
        body.push_back(Line(kBank, 0, LineKind::BankAdjustments, &closing));
        const std::size_t closingBalance = PlaceTotal(closing);
        body.push_back(closingBalance);
        body.push_back(Line(kBank, 0, LineKind::BankOdLimit, nullptr, true));
        if (!open)
            for (std::size_t index : body)
                if (index != closingBalance)
                    At(index).hidden = true;
        if (!Visible(year_->FindItem(kBank, 0))) {
            At(movement).suppressed = true;
            At(closingBalance).suppressed = true;
        }
    }

    // INVESTMENTS or LOANS: per row a block of its balance lines and its own total, then the
    // section's total.
    Section BalanceSection(int category, const Text& title, const Text& totalLabel, int totalRow) {
        Section section;
        bool open = true;
        section.heading = Heading(title, 1, StateOf(category), open);
        PendingTotal* sectionTotal = MakeTotal({.label = totalLabel,
                                                .mode = TotalMode::LastMonth,
                                                .gapAfter = true,
                                                .glyph = kStyleTotal,
                                                .key = RowKey(kTotal, totalRow)});
        const std::size_t sectionFirst = out_.entries.size();
        for (int i = 0; i < year_->ItemCount(category); ++i) {
            bool blockOpen = true;
            BlockHeading(category, i, blockOpen);
            const Text name = year_->ItemAt(category, i).name;
            PendingTotal* blockTotal =
                MakeTotal({.label = u"  Total " + name,
                           .mode = TotalMode::LastMonth,
                           .gapAfter = true,
                           .parent = sectionTotal,
                           .glyph = kStyleRow,
                           .key = RowKey(category, i)});
            const std::size_t first = out_.entries.size();
            for (LineKind kind : {LineKind::BalanceOpening, LineKind::BalanceAdvances,
                                  LineKind::BalanceInterest, LineKind::BalancePayments,
                                  LineKind::BalanceAdjustments})
                Line(category, i, kind, blockTotal);
            if (!blockOpen)
                HideFrom(first);
            PlaceTotal(*blockTotal);
            section.hasLines = section.hasLines || Visible(year_->FindItem(category, i));
        }
        if (!open)
            HideFrom(sectionFirst);
        section.total = PlaceTotal(*sectionTotal);
        return section;
    }

    // NOTES: one entry per note; the heading counts the visible notes plus one.
    void NotesSection() {
        const int notes = year_->ItemCount(kNote);
        const int visible = year_->VisibleCount(kNote);
        bool open = true;
        const std::size_t heading = Heading(u"NOTES", visible + 1, StateOf(kNote), open);
        const std::size_t first = out_.entries.size();
        for (int n = 0; n < notes; ++n) {
            AdvEntry& entry = NewEntry(Kind::NoteEntry);
            entry.key = RowKey(kNote, n);
            entry.note = n;
            entry.glyph = n + 1 < notes ? kStyleRow : kConnectorEnd;
            const auto* note = dynamic_cast<const Item::CNote*>(year_->FindItem(kNote, n));
            entry.suppressed = !note || note->IsHidden();
            if (note) {
                entry.label = note->name;
                entry.noteText = note->Text.empty() ? Text(u" ") : note->Text;
            }
        }
        if (!open)
            HideFrom(first);
        if (visible == 0)
            At(heading).suppressed = true;
    }

    void BuildSections() {
        // Totals feed totals further down, so the ones fed from above are made first.
        PendingTotal* closing = nullptr;
        PendingTotal* netMovement = nullptr;
        if (year_->FindItem(kBank, 0)) {
            closing = MakeTotal({.label = u"Closing Balance",
                                 .mode = TotalMode::LastMonth,
                                 .glyph = kStyleTotal,
                                 .key = RowKey(kBank, 0)});
            // "Adjustments" and "Closing Balance" follow it, so the block's line runs on.
            netMovement = MakeTotal({.label = u"Net Movement",
                                     .parent = closing,
                                     .glyph = kStyleRow,
                                     .key = RowKey(kBank, 0)});
        }
        std::array<PendingTotal*, kSummaries> s{};
        PendingTotal* next = netMovement;
        for (int k = kSummaries - 1; k >= 0; --k) {
            s[static_cast<std::size_t>(k)] =
                MakeTotal({.label = AdvSummaryLabel(*year_, k, taxText_),
                           .gapAfter = true,
                           .parent = next,
                           .plain = false,
                           .key = RowKey(kTotal, kSummaryTotalRow[static_cast<std::size_t>(k)])});
            next = s[static_cast<std::size_t>(k)];
        }
        std::array<std::size_t, kSummaries> summary{};
        const auto place = [&](int k) {
            summary[static_cast<std::size_t>(k)] = PlaceTotal(*s[static_cast<std::size_t>(k)]);
        };

        std::array<Section, kPlainSections> sections;
        sections[kIncomeSection] = PlainSection(
            u"INCOME", StateOf(kIncome), u"Total Income", kTotalIncome, s[kGrossSurplus], true,
            [&](PendingTotal* t) { return ItemLines(kIncome, t); });
        sections[kDirectCostsSection] =
            PlainSection(u"DIRECT COSTS", StateOf(kDirectCost), u"Total Direct Costs",
                         kTotalDirectCosts, s[kGrossSurplus], false,
                         [&](PendingTotal* t) { return ItemLines(kDirectCost, t); });
        place(kGrossSurplus);
        sections[kExpensesSection] = PlainSection(
            u"EXPENSES", StateOf(kExpense), u"Total Expenses", kTotalExpenses,
            s[kNetBeforeInterest], false, [&](PendingTotal* t) { return ItemLines(kExpense, t); });
        place(kNetBeforeInterest);
        sections[kInterestSection] = PlainSection(
            u"INTEREST", {}, u"Total Interest", kTotalInterest, s[kNetBeforeOtherIncome],
            false, [&](PendingTotal* t) {
                const bool loans = CashLines(kLoan, LineKind::CashInterest, t);
                const bool banks = BankInterestLines(LineKind::BankOdInterest, t);
                return loans || banks;
            });
        place(kNetBeforeOtherIncome);
        sections[kOtherIncomeSection] = PlainSection(
            u"OTHER INCOME", StateOf(kOtherIncome), u"Total Other Income", kTotalOtherIncome,
            s[kNetSurplus], true, [&](PendingTotal* t) {
                const bool items = ItemLines(kOtherIncome, t);
                const bool investments = CashLines(kInvestment, LineKind::CashInterest, t);
                const bool banks = BankInterestLines(LineKind::BankCrInterest, t);
                return items || investments || banks;
            });
        place(kNetSurplus);
        sections[kCapitalReceiptsSection] = PlainSection(
            u"CAPITAL RECEIPTS", StateOf(kCapitalReceipt), u"Total Capital Receipts",
            kTotalCapitalReceipts, s[kNetBeforeTax], true, [&](PendingTotal* t) {
                const bool items = ItemLines(kCapitalReceipt, t);
                const bool loans = CashLines(kLoan, LineKind::CashAdvance, t);
                const bool investments = CashLines(kInvestment, LineKind::CashPrincipal, t);
                return items || loans || investments;
            });
        sections[kCapitalExpensesSection] =
            PlainSection(u"CAPITAL EXPENSES", StateOf(kCapitalExpense), u"Total Capital Expenses",
                         kTotalCapitalExpenses, s[kNetBeforeTax], false,
                         [&](PendingTotal* t) { return ItemLines(kCapitalExpense, t); });
        sections[kCapitalPaymentsSection] = PlainSection(
            u"CAPITAL PAYMENTS", StateOf(kCapitalPayment), u"Total Capital Payments",
            kTotalCapitalPayments, s[kNetBeforeTax], false, [&](PendingTotal* t) {
                const bool items = ItemLines(kCapitalPayment, t);
                const bool investments = CashLines(kInvestment, LineKind::CashAdvance, t);
                const bool loans = CashLines(kLoan, LineKind::CashPrincipal, t);
                return items || investments || loans;
            });
        place(kNetBeforeTax);
        TaxSection(s[kNetCashMovement]);
        place(kNetCashMovement);
        if (closing)
            BankBlock(*netMovement, *closing);
        const Section investments =
            BalanceSection(kInvestment, u"INVESTMENTS", u"Total Investments", kTotalInvestments);
        const Section loans = BalanceSection(kLoan, u"LOANS", u"Total Loans", kTotalLoans);
        NotesSection();

        for (const Section& section : sections)
            SuppressIfEmpty(section);
        SuppressIfEmpty(investments);
        SuppressIfEmpty(loans);
        SuppressSummaries(sections, summary);
    }

    void SuppressIfEmpty(const Section& section) {
        if (section.hasLines)
            return;
        At(section.heading).suppressed = true;
        At(section.total).suppressed = true;
    }

    // Summary rows by the year's subtotal modes: Hidden never shows, Shown always; Automatic
    // drops the first three while at most one section above has lines, or when the section just
    // above is empty.
    void SuppressSummaries(const std::array<Section, kPlainSections>& sections,
                           const std::array<std::size_t, kSummaries>& summary) {
        // The section just above each of the first three summary rows.
        constexpr std::array<int, 3> kLastAbove = {kDirectCostsSection, kExpensesSection,
                                                   kInterestSection};
        for (int k = 0; k < kSummaries; ++k) {
            const auto mode = static_cast<SubtotalMode>(year_->SubtotalMode(k));
            bool suppress = mode == SubtotalMode::Hidden;
            if (mode == SubtotalMode::Automatic && k <= kNetBeforeOtherIncome) {
                const int last = kLastAbove[static_cast<std::size_t>(k)];
                int count = 0;
                for (int i = 0; i <= last; ++i)
                    count += sections[static_cast<std::size_t>(i)].hasLines ? 1 : 0;
                suppress = count <= 1 || !sections[static_cast<std::size_t>(last)].hasLines;
            }
            if (suppress)
                At(summary[static_cast<std::size_t>(k)]).suppressed = true;
        }
    }

    const CMainDoc& doc_;
    const Database::CPERT& root_;
    LayoutKey key_;
    AdvOutline outline_;
    AdvStatementModel& out_;
    const CYear* year_ = nullptr;
    Database::YearSpan span_;
    Text taxText_;
    std::vector<const Database::CTaxSetup*> taxes_;
    std::deque<PendingTotal> pending_;
    std::map<std::pair<int, int>, std::vector<AdvMarker>> markers_;
};

} // namespace

Text AdvSummaryLabel(const Database::CYear& year, int index, const Text& taxText) {
    Text label = year.SubtotalLabel(index);
    if (year.SubtotalFlag(index))
        label += taxText;
    return label;
}

bool AdvStatementModel::TotalDrawn(const AdvEntry& entry, Database::SubColumn sub) const {
    return entry.totals[sub].present && ColumnShown(kAdvTotalGroup, sub);
}

bool AdvStatementModel::PercentDrawn(const AdvEntry& entry, Database::SubColumn sub) const {
    return entry.showPercentage && entry.percents[sub].present &&
           ColumnShown(kAdvPercentGroup, sub);
}

AdvStatementModel BuildAdvStatementModel(const CMainDoc& doc, const LayoutKey& key,
                                         AdvOutline outline) {
    CountStatementBuilt();
    AdvStatementModel model;
    if (!doc.root || key[LayoutKey::kGraph] != kNone)
        return model;
    try {
        Builder(doc, key, outline, model).Run();
        model.complete = true;
    } catch (const TextFailure&) {
        // A lookup that fails ends the build; what was built so far is shown.
    } catch (const std::bad_cast&) {
        // The key reaches something other than a year.
    }
    return model;
}

} // namespace Statement
