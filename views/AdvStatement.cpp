#include "views/AdvStatement.h"

#include <array>
#include <map>

#include "core/Failure.h"
#include "database/CPERT.h"
#include "database/Categories.h"
#include "display/CColumnHeaders.h"
#include "display/CGraphPage.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CNoteBox.h"
#include "display/CPage.h"
#include "display/CPageHeader.h"
#include "display/CTab.h"
#include "display/CTotal.h"
#include "document/CMainDoc.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"

namespace {

using namespace Display;
using Database::CYear;

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

class Builder {
public:
    Builder(CMainDoc& doc, const LayoutKey& key, AdvOutline outline, AdvStatement& out)
        : doc_(doc), root_(doc.Root()), key_(key), outline_(outline), out_(out) {}

    void Run() {
        BuildTabs();
        if (key_[LayoutKey::kGraph] != kNone) {
            out_.graphPage = true;
            out_.statement.push_back(std::make_unique<CGraphPage>(key_));
            return;
        }
        year_ = &dynamic_cast<CYear&>(*doc_.ObjectAt(YearKey()));
        taxText_ = AdvTaxText(root_);
        CollectMarkers();
        Add(std::make_unique<CColumnHeaders>(doc_, YearKey()));
        BuildSections();
    }

private:
    // One statement section's parts, for the suppression rules.
    struct Section {
        CLineHeader* heading = nullptr;
        CTotal* total = nullptr;
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

    template <class T> T* Add(std::unique_ptr<T> object) {
        T* raw = object.get();
        out_.statement.push_back(std::move(object));
        return raw;
    }

    // The tabs of every level along the key, one per shown entry. A level the key does not
    // reach fails with "Not Found" and ends the build with the tabs made so far.
    void BuildTabs() {
        LayoutKey tabKey;
        for (int v = 0; v < root_.ViewCount(); ++v)
            if (!root_.View(v).hidden) {
                tabKey[LayoutKey::kView] = v;
                AddTab(tabKey, LayoutKey::kView);
            }
        const Database::CTabView& view = root_.View(key_[LayoutKey::kView]);
        tabKey[LayoutKey::kView] = key_[LayoutKey::kView];
        for (int s = -1; s <= view.ScenarioCount() - 2; ++s)
            if (!view.Scenario(s).hidden) {
                tabKey[LayoutKey::kScenario] = s;
                AddTab(tabKey, LayoutKey::kScenario);
            }
        const Database::CScenario& scenario = view.Scenario(key_[LayoutKey::kScenario]);
        tabKey[LayoutKey::kScenario] = key_[LayoutKey::kScenario];
        for (int c = -1; c <= scenario.CompanyCount() - 2; ++c)
            if (!scenario.Company(c).hidden) {
                tabKey[LayoutKey::kCompany] = c;
                AddTab(tabKey, LayoutKey::kCompany);
            }
        const Database::CCompany& company = scenario.Company(key_[LayoutKey::kCompany]);
        tabKey[LayoutKey::kCompany] = key_[LayoutKey::kCompany];
        for (int y = 0; y < company.YearCount(); ++y)
            if (!company.Year(y).hidden) {
                tabKey[LayoutKey::kYear] = y;
                AddTab(tabKey, LayoutKey::kYear);
            }
        const CYear& year = company.Year(key_[LayoutKey::kYear]);
        tabKey[LayoutKey::kYear] = key_[LayoutKey::kYear];
        for (int g = 0; g < year.GraphCount(); ++g)
            if (!year.Graph(g).hidden) {
                tabKey[LayoutKey::kGraph] = g;
                AddTab(tabKey, LayoutKey::kGraph);
            }
    }

    void AddTab(const LayoutKey& key, int level) {
        tabs_.push_back(std::make_unique<CTab>(key, level));
        out_.tabs[LayoutMetrics::PanelOf(level)].push_back(tabs_.back().get());
    }

public:
    // The frame list from the tabs made: the heading, the four nested panels (each knowing its
    // tabs), then the tabs, which are drawn over the panels' edges.
    void FinishFrame() {
        out_.frame.push_back(std::make_unique<CPageHeader>());
        for (int level = LayoutKey::kView; level < LayoutMetrics::kPanels; ++level) {
            std::vector<const CTab*> panelTabs(out_.tabs[level].begin(), out_.tabs[level].end());
            out_.frame.push_back(std::make_unique<CPage>(level, std::move(panelTabs)));
        }
        for (auto& tab : tabs_)
            out_.frame.push_back(std::move(tab));
        tabs_.clear();
    }

private:
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
                if (!year_->FindItem(category, link.Index))
                    continue;
                markers_[{category, link.Index}].push_back({n, l});
            }
        }
    }

    // The markers of the notes linked to a row, right after the object that shows it.
    void AddMarkers(int category, int index) {
        const auto found = markers_.find({category, index});
        if (found == markers_.end())
            return;
        CNoteBox* previous = nullptr;
        for (const auto& [note, link] : found->second)
            previous =
                Add(std::make_unique<CNoteBox>(RowKey(kNote, note), link, previous, kNoGlyph));
    }

    // A style some objects share, kept alive by the statement.
    std::int32_t* OwnStyle(std::int32_t value) {
        out_.styles.push_back(std::make_unique<std::int32_t>(value));
        return out_.styles.back().get();
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
    std::int32_t* HeadingStyle(std::int32_t* state, bool open) {
        if (!state)
            return OwnStyle(kNoGlyph);
        if (outline_ == AdvOutline::File && *state >= kPlusBox && *state <= kMinusBoxUp)
            return state;
        const bool connector = *state == kPlusBoxUp || *state == kMinusBoxUp;
        return OwnStyle((connector ? kPlusBoxUp : kPlusBox) + (open ? 1 : 0));
    }

    void Expandable(const CLayout* heading, std::int32_t* state) {
        if (state && outline_ == AdvOutline::File)
            out_.expandables.push_back({heading, state});
    }

    // A section heading; `open` says whether its rows take place.
    CLineHeader* Heading(const Text& title, int lines, std::int32_t* state, bool& open) {
        open = Opens(state);
        CLineHeader* heading =
            Add(std::make_unique<CLineHeader>(title, lines, HeadingStyle(state, open)));
        Expandable(heading, state);
        return heading;
    }

    // A block heading showing the row's name, opened by the row's outline state (the bank's by
    // its category's section state), followed by the row's note markers.
    CLineHeader* BlockHeading(int category, int index, bool& open) {
        CYear& year = const_cast<CYear&>(*year_);
        std::int32_t* state = category == kBank ? year.SectionState(kBank, -1)
                                                : year.ItemAt(category, index).Setting();
        open = Opens(state);
        CLineHeader* heading = Add(
            std::make_unique<CLineHeader>(RowKey(category, index), 1, HeadingStyle(state, open)));
        Expandable(heading, state);
        AddMarkers(category, index);
        return heading;
    }

    // Every line adds into its total: one shown negative (payments, tax on expenses) takes its
    // amount off through its sign.
    CLine* Line(int category, int index, int kind, CTotal* total, bool gapBefore = false) {
        return Add(std::make_unique<CLine>(RowKey(category, index), kind, total, true, gapBefore,
                                           kStyleRow));
    }

    std::unique_ptr<CTotal> MakeTotal(const Text& label, int mode, bool gapAfter, CTotal* parent,
                                      bool adds, std::int32_t style, bool plain,
                                      const LayoutKey& key) {
        return std::make_unique<CTotal>(label, mode, gapAfter ? 1 : 0, parent, adds ? 1 : 0, style,
                                        plain ? 1 : 0, 1, key);
    }

    // Hides what was added from `first` on: closed parts still feed their totals but take no
    // place.
    void HideFrom(std::size_t first) {
        for (std::size_t i = first; i < out_.statement.size(); ++i)
            out_.statement[i]->SetHidden(1);
    }

    // Lines of an ordinary category with their markers; whether any would be drawn.
    bool ItemLines(int category, CTotal* total) {
        bool any = false;
        for (int i = 0; i < year_->ItemCount(category); ++i) {
            Line(category, i, kOrdinaryLine, total);
            AddMarkers(category, i);
            any = any || Visible(year_->FindItem(category, i));
        }
        return any;
    }

    // One cash line of the given kind per loan or investment.
    bool CashLines(int category, int kind, CTotal* total) {
        bool any = false;
        for (int i = 0; i < year_->ItemCount(category); ++i) {
            Line(category, i, kind, total);
            any = any || Visible(year_->FindItem(category, i));
        }
        return any;
    }

    // One interest line per bank; a bank switched off for that interest shows none.
    bool BankInterestLines(int kind, CTotal* total) {
        bool any = false;
        for (int i = 0; i < year_->ItemCount(kBank); ++i) {
            Line(kBank, i, kind, total);
            const auto* bank = dynamic_cast<const Item::CBank*>(year_->FindItem(kBank, i));
            if (Visible(bank) &&
                !(kind == kBankCrInterest ? bank->NoCrInterest : bank->NoOdInterest))
                any = true;
        }
        return any;
    }

    // A section: heading, the rows `rows` adds (given the total to feed), then the total, which
    // feeds `parent`.
    template <class Rows>
    Section PlainSection(const Text& title, std::int32_t* state, const Text& totalLabel,
                         int totalRow, CTotal* parent, bool addsToParent, Rows rows) {
        Section section;
        bool open = true;
        section.heading = Heading(title, 1, state, open);
        auto total = MakeTotal(totalLabel, kSumOfMonths, true, parent, addsToParent, kStyleTotal,
                               true, RowKey(kTotal, totalRow));
        const std::size_t first = out_.statement.size();
        section.hasLines = rows(total.get());
        if (!open)
            HideFrom(first);
        section.total = Add(std::move(total));
        return section;
    }

    // One block per tax summary, then the tax section's total; returns that total.
    CTotal* TaxSection(CTotal* parent) {
        const int visible = year_->VisibleCount(kTax);
        auto sectionTotal = MakeTotal(u"Total " + taxText_, kSumOfMonths, true, parent, true,
                                      kStyleTotal, true, RowKey(kTotal, kTotalTax));
        for (int t = 0; t < year_->ItemCount(kTax); ++t) {
            bool open = true;
            BlockHeading(kTax, t, open);
            const Text name = year_->ItemAt(kTax, t).name;
            const bool single = visible < 2;
            auto blockTotal = MakeTotal((single ? u"Total " : u"  Total ") + name, kSumOfMonths,
                                        true, sectionTotal.get(), true,
                                        single ? kStyleTotal : kStyleRow, true, RowKey(kTax, t));
            const std::size_t first = out_.statement.size();
            CTotal* feeds = blockTotal.get();
            Line(kTax, t, kTaxOnSales, feeds);
            Line(kTax, t, kTaxOnExpenses, feeds);
            Line(kTax, t, kTaxPayments, feeds);
            Line(kTax, t, kTaxRefunds, feeds);
            Line(kTax, t, kTaxAdjustments, feeds);
            if (!open)
                HideFrom(first);
            Add(std::move(blockTotal));
        }
        CTotal* total = Add(std::move(sectionTotal));
        if (visible < 2)
            total->SetSuppressed(1);
        return total;
    }

    // The block of the first bank: heading, opening balance, net movement, adjustments, closing
    // balance and, after a gap, the overdraft limit. `netMovement` was made earlier, since the
    // net cash movement feeds it.
    void BankBlock(std::unique_ptr<CTotal> netMovement, std::unique_ptr<CTotal> closing) {
        bool open = true;
        CLineHeader* heading = BlockHeading(kBank, 0, open);
        (void)heading;
        std::vector<CLayout*> body;
        body.push_back(Line(kBank, 0, kBankOpening, closing.get()));
        CTotal* movement = Add(std::move(netMovement));
        body.push_back(movement);
        body.push_back(Line(kBank, 0, kBankAdjustments, closing.get()));
        CTotal* closingBalance = Add(std::move(closing));
        body.push_back(Line(kBank, 0, kBankOdLimit, nullptr, true));
        if (!open)
            for (CLayout* object : body)
                object->SetHidden(1);
        if (!Visible(year_->FindItem(kBank, 0))) {
            movement->SetSuppressed(1);
            closingBalance->SetSuppressed(1);
        }
    }

    // INVESTMENTS or LOANS: per row a block of its balance lines and its own total, then the
    // section's total.
    Section BalanceSection(int category, const Text& title, const Text& totalLabel, int totalRow) {
        const bool loan = category == kLoan;
        Section section;
        bool open = true;
        section.heading = Heading(
            title, 1, &const_cast<CYear&>(*year_).sectionState[static_cast<std::size_t>(category)],
            open);
        auto sectionTotal = MakeTotal(totalLabel, kLastMonth, true, nullptr, true, kStyleTotal,
                                      true, RowKey(kTotal, totalRow));
        const std::size_t sectionFirst = out_.statement.size();
        for (int i = 0; i < year_->ItemCount(category); ++i) {
            bool blockOpen = true;
            BlockHeading(category, i, blockOpen);
            const Text name = year_->ItemAt(category, i).name;
            auto blockTotal = MakeTotal(u"  Total " + name, kLastMonth, true, sectionTotal.get(),
                                        true, kStyleRow, true, RowKey(category, i));
            const std::size_t first = out_.statement.size();
            CTotal* feeds = blockTotal.get();
            Line(category, i, kBalanceOpening, feeds);
            Line(category, i, kBalanceAdvances, feeds);
            Line(category, i, kBalanceInterest, feeds);
            Line(category, i, kBalancePayments, feeds);
            Line(category, i, kBalanceAdjustments, feeds);
            if (!blockOpen)
                HideFrom(first);
            Add(std::move(blockTotal));
            section.hasLines = section.hasLines || Visible(year_->FindItem(category, i));
        }
        (void)loan;
        if (!open)
            HideFrom(sectionFirst);
        section.total = Add(std::move(sectionTotal));
        return section;
    }

    // NOTES: one entry per note; the heading counts the visible notes plus one.
    void NotesSection() {
        const int notes = year_->ItemCount(kNote);
        const int visible = year_->VisibleCount(kNote);
        bool open = true;
        CLineHeader* heading =
            Heading(u"NOTES", visible + 1, &const_cast<CYear&>(*year_).sectionState[kNote], open);
        const std::size_t first = out_.statement.size();
        for (int n = 0; n < notes; ++n)
            Add(std::make_unique<CNoteBox>(RowKey(kNote, n), -1, nullptr,
                                           n + 1 < notes ? kStyleRow : kConnectorEnd));
        if (!open)
            HideFrom(first);
        if (visible == 0)
            heading->SetSuppressed(1);
    }

    void BuildSections() {
        CYear& year = const_cast<CYear&>(*year_);
        std::int32_t* states = year.sectionState.data();

        // Totals feed totals further down, so the ones fed from above are made first.
        std::unique_ptr<CTotal> closing;
        std::unique_ptr<CTotal> netMovement;
        if (year_->FindItem(kBank, 0)) {
            closing = MakeTotal(u"Closing Balance", kLastMonth, false, nullptr, true, kStyleTotal,
                                true, RowKey(kBank, 0));
            netMovement = MakeTotal(u"Net Movement", kSumOfMonths, false, closing.get(), true,
                                    kConnectorEnd, true, RowKey(kBank, 0));
        }
        std::array<std::unique_ptr<CTotal>, kSummaries> summaries;
        CTotal* next = netMovement.get();
        for (int k = kSummaries - 1; k >= 0; --k) {
            summaries[static_cast<std::size_t>(k)] = MakeTotal(
                AdvSummaryLabel(*year_, k, taxText_), kSumOfMonths, true, next, true, kNoGlyph,
                false, RowKey(kTotal, kSummaryTotalRow[static_cast<std::size_t>(k)]));
            next = summaries[static_cast<std::size_t>(k)].get();
        }
        std::array<CTotal*, kSummaries> summary{};
        const auto place = [&](int k) {
            summary[static_cast<std::size_t>(k)] =
                Add(std::move(summaries[static_cast<std::size_t>(k)]));
        };
        const auto s = [&](int k) { return summaries[static_cast<std::size_t>(k)].get(); };

        std::array<Section, kPlainSections> sections;
        sections[kIncomeSection] =
            PlainSection(u"INCOME", &states[kIncome], u"Total Income", kTotalIncome,
                         s(kGrossSurplus), true, [&](CTotal* t) { return ItemLines(kIncome, t); });
        sections[kDirectCostsSection] = PlainSection(
            u"DIRECT COSTS", &states[kDirectCost], u"Total Direct Costs", kTotalDirectCosts,
            s(kGrossSurplus), false, [&](CTotal* t) { return ItemLines(kDirectCost, t); });
        place(kGrossSurplus);
        sections[kExpensesSection] = PlainSection(
            u"EXPENSES", &states[kExpense], u"Total Expenses", kTotalExpenses,
            s(kNetBeforeInterest), false, [&](CTotal* t) { return ItemLines(kExpense, t); });
        place(kNetBeforeInterest);
        sections[kInterestSection] =
            PlainSection(u"INTEREST", nullptr, u"Total Interest", kTotalInterest,
                         s(kNetBeforeOtherIncome), false, [&](CTotal* t) {
                             const bool loans = CashLines(kLoan, kCashInterest, t);
                             const bool banks = BankInterestLines(kBankOdInterest, t);
                             return loans || banks;
                         });
        place(kNetBeforeOtherIncome);
        sections[kOtherIncomeSection] =
            PlainSection(u"OTHER INCOME", &states[kOtherIncome], u"Total Other Income",
                         kTotalOtherIncome, s(kNetSurplus), true, [&](CTotal* t) {
                             const bool items = ItemLines(kOtherIncome, t);
                             const bool investments = CashLines(kInvestment, kCashInterest, t);
                             const bool banks = BankInterestLines(kBankCrInterest, t);
                             return items || investments || banks;
                         });
        place(kNetSurplus);
        sections[kCapitalReceiptsSection] =
            PlainSection(u"CAPITAL RECEIPTS", &states[kCapitalReceipt], u"Total Capital Receipts",
                         kTotalCapitalReceipts, s(kNetBeforeTax), true, [&](CTotal* t) {
                             const bool items = ItemLines(kCapitalReceipt, t);
                             const bool loans = CashLines(kLoan, kCashAdvance, t);
                             const bool investments = CashLines(kInvestment, kCashPrincipal, t);
                             return items || loans || investments;
                         });
        sections[kCapitalExpensesSection] =
            PlainSection(u"CAPITAL EXPENSES", &states[kCapitalExpense], u"Total Capital Expenses",
                         kTotalCapitalExpenses, s(kNetBeforeTax), false,
                         [&](CTotal* t) { return ItemLines(kCapitalExpense, t); });
        sections[kCapitalPaymentsSection] =
            PlainSection(u"CAPITAL PAYMENTS", &states[kCapitalPayment], u"Total Capital Payments",
                         kTotalCapitalPayments, s(kNetBeforeTax), false, [&](CTotal* t) {
                             const bool items = ItemLines(kCapitalPayment, t);
                             const bool investments = CashLines(kInvestment, kCashAdvance, t);
                             const bool loans = CashLines(kLoan, kCashPrincipal, t);
                             return items || investments || loans;
                         });
        place(kNetBeforeTax);
        TaxSection(s(kNetCashMovement));
        place(kNetCashMovement);
        if (closing)
            BankBlock(std::move(netMovement), std::move(closing));
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

    static void SuppressIfEmpty(const Section& section) {
        if (section.hasLines)
            return;
        section.heading->SetSuppressed(1);
        section.total->SetSuppressed(1);
    }

    // Summary rows by the year's subtotal modes: Hidden never shows, Shown always; Automatic
    // drops the first three while at most one section above has lines, or when the section just
    // above is empty.
    void SuppressSummaries(const std::array<Section, kPlainSections>& sections,
                           const std::array<CTotal*, kSummaries>& summary) const {
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
                summary[static_cast<std::size_t>(k)]->SetSuppressed(1);
        }
    }

    CMainDoc& doc_;
    Database::CPERT& root_;
    std::vector<std::unique_ptr<CTab>> tabs_;
    LayoutKey key_;
    AdvOutline outline_;
    AdvStatement& out_;
    const CYear* year_ = nullptr;
    Text taxText_;
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> markers_;
};

} // namespace

Text AdvTaxText(const Database::CPERT& root) {
    Text text;
    for (int i = 0; const Database::CTaxSetup* setup = root.TaxSetup(i); ++i) {
        if (i > 0)
            text += u"/";
        text += setup->name;
    }
    return text;
}

int AdvTaxCount(const Database::CPERT& root) {
    int count = 0;
    while (root.TaxSetup(count))
        ++count;
    return count;
}

Text AdvSummaryLabel(const Database::CYear& year, int index, const Text& taxText) {
    Text label = year.SubtotalLabel(index);
    if (year.SubtotalFlag(index))
        label += taxText;
    return label;
}

AdvStatement BuildAdvStatement(CMainDoc& doc, const LayoutKey& key, AdvOutline outline) {
    AdvStatement out;
    Builder builder(doc, key, outline, out);
    try {
        builder.Run();
        out.complete = true;
    } catch (const TextFailure&) {
        // A lookup that fails ends the build; what was built so far is shown.
    }
    builder.FinishFrame();
    return out;
}
