#include "database/CYear.h"

#include <limits>
#include <memory>

#include "database/Archive.h"
#include "database/ClassRegistry.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CNote.h"

namespace Database {
namespace {

constexpr const char16_t* kTotalNames[kTotalRows] = {
    u"Income",
    u"Direct Costs",
    u"Gross Surplus",
    u"Expenses",
    u"Net Surplus Before Interest",
    u"Interest",
    u"Net Surplus Before Other Income",
    u"Other Income",
    u"Net Surplus",
    u"Capital Receipts",
    u"Capital Expenses",
    u"Capital Payments",
    u"Net Movement Before ", // the tax setup's name completes it
    u"",                     // the tax total takes the tax setup's name
    u"Net Cash Movement",
    u"Bank A/C",
    u"Investments",
    u"Loans",
};

constexpr const char16_t* kSubtotalLabels[CYear::kSubtotals] = {
    u"GROSS SURPLUS", u"NET SURPLUS BEFORE INTEREST", u"NET SURPLUS BEFORE OTHER INCOME",
    u"NET SURPLUS",   u"NET MOVEMENT BEFORE ",        u"NET CASH MOVEMENT",
};

bool IsSubtotal(int index) {
    return index >= 0 && index < CYear::kSubtotals;
}

// The order in which a merge walks the categories: tax summaries first.
constexpr int kMergeOrder[kCategories] = {kTax, 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12};

} // namespace

CYear::CYear() {
    sectionState.fill(1);
    for (int i = 0; i < kSubtotals; ++i)
        subtotalLabel[static_cast<std::size_t>(i)] = kSubtotalLabels[i];
    subtotalFlag[4] = true;

    Items(kBank).Append(std::make_unique<Item::CBank>());
    for (const char16_t* totalName : kTotalNames) {
        auto total = std::make_unique<Item::CItem>();
        total->name = totalName;
        Items(kTotal).Append(std::move(total));
    }
}

void CYear::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.IsLoading()) {
        for (auto& list : items)
            list.Clear();
        graphs.Clear();
    }
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;

    ar.Int32(year);
    ar.Int32(startMonth);
    ar.Int32(months);
    display.Serialize(ar);
    ar.List(graphs);
    for (int g = 0; g <= kTotal; ++g)
        ar.List(Items(g));

    if (version >= 1.1)
        ar.List(Items(kNote));
    // Before 1.2 rows did not keep their note counts and notes had no stored numbers.
    if (ar.IsLoading() && version < 1.2)
        RenumberNotes();

    if (version >= 1.2)
        for (auto& state : sectionState)
            ar.Int32(state);

    if (version >= 1.4) {
        for (int i = 0; i < kSubtotals; ++i) {
            const auto k = static_cast<std::size_t>(i);
            ar.String(subtotalLabel[k]);
            ar.Int32(subtotalMode[k]);
            ar.Flag(subtotalFlag[k]);
        }
    }
}

void CYear::RenumberNotes() {
    int number = 0;
    for (const auto& entry : Items(kNote)) {
        entry->name = DecimalText(++number);
        const auto* note = dynamic_cast<const Item::CNote*>(entry.get());
        if (!note)
            continue;
        for (const auto& link : note->Links) {
            Item::CBaseItem* row = FindItem(link->Category, link->Index);
            // A damaged count must not overflow.
            if (row && row->NoteCount < std::numeric_limits<std::int32_t>::max())
                ++row->NoteCount;
        }
    }
}

int CYear::HiddenGraphCount() const {
    int count = 0;
    for (const auto& graph : graphs)
        if (graph->IsHidden())
            ++count;
    return count;
}

int CYear::VisibleCount(int category, int bankSelector) const {
    if (!IsCategory(category))
        return 0;
    const bool bankFlags = category == kBank && bankSelector >= 1 && bankSelector <= 3;
    int count = 0;
    for (const auto& row : Items(category)) {
        if (!bankFlags) {
            if (!row->IsHidden())
                ++count;
            continue;
        }
        const auto* bank = dynamic_cast<const Item::CBank*>(row.get());
        if (!bank)
            continue;
        const bool off = bankSelector == 1   ? bank->NoCrInterest
                         : bankSelector == 2 ? bank->NoOdInterest
                                             : bank->NoOdLimit;
        if (!off)
            ++count;
    }
    return count;
}

std::int32_t* CYear::SectionState(int category, int index) {
    if (index == -1) {
        if (IsCategory(category))
            return &sectionState[static_cast<std::size_t>(category)];
        if (category == 14)
            return &sectionState[kSectionStates - 1];
        return nullptr;
    }
    if (index < 0)
        return nullptr;
    Item::CBaseItem* row = FindItem(category, index);
    return row ? row->Setting() : nullptr;
}

CObject* CYear::ObjectAt(const LayoutKey& key) {
    if (key[LayoutKey::kCategory] != LayoutKey::kNoEntry ||
        key[LayoutKey::kPosition] != LayoutKey::kNoEntry)
        return &ItemAt(key[LayoutKey::kCategory], key[LayoutKey::kPosition]);
    if (key[LayoutKey::kGraph] == LayoutKey::kNoEntry)
        return this;
    return &Graph(key[LayoutKey::kGraph]);
}

Text CYear::SubtotalLabel(int index) const {
    return IsSubtotal(index) ? subtotalLabel[static_cast<std::size_t>(index)] : Text();
}

std::int32_t CYear::SubtotalMode(int index) const {
    return IsSubtotal(index) ? subtotalMode[static_cast<std::size_t>(index)] : 0;
}

bool CYear::SubtotalFlag(int index) const {
    return IsSubtotal(index) ? subtotalFlag[static_cast<std::size_t>(index)] : false;
}

bool CYear::Merge(const CYear* source, int p, int q, bool copyIdentity) {
    if (!source)
        return true;
    if (source == this) // merging a year into itself changes nothing
        return false;

    if (copyIdentity) {
        for (auto& list : items)
            list.Clear();
        graphs.Clear();
        display.CopyFrom(source->display);
        subtotalLabel = source->subtotalLabel;
        subtotalMode = source->subtotalMode;
        subtotalFlag = source->subtotalFlag;
    }

    for (int i = 0; i < source->GraphCount(); ++i) {
        const CGraphSettings& from = source->Graph(i);
        CGraphSettings* to = graphs.Find(i);
        if (!to) {
            auto graph = std::make_unique<CGraphSettings>();
            graph->name = from.name;
            to = &graphs.Append(std::move(graph));
        }
        if (p < 1)
            to->name = from.name;
        else
            to->CopyFrom(from);
    }

    if (copyIdentity) {
        year = source->year;
        startMonth = source->startMonth;
        months = source->months;
    }

    // The item merge takes the year merge's flags as (mode, copy actuals, copy name).
    const bool copyActuals = q != 0;
    for (int category : kMergeOrder) {
        int index = 0;
        for (const auto& from : source->Items(category)) {
            if (Item::CBaseItem* to = FindItem(category, index)) {
                if (to->CopyFrom(*from, p, copyActuals, copyIdentity) != 0)
                    return true;
            } else {
                auto created = ClassRegistry::Create(from->ClassName());
                auto* row = dynamic_cast<Item::CBaseItem*>(created.get());
                if (!row || row->CopyFrom(*from, p, copyActuals, copyIdentity) != 0)
                    return true;
                created.release();
                Items(category).Append(std::unique_ptr<Item::CBaseItem>(row));
            }
            ++index;
        }
    }
    return false;
}

int CYear::LastMonth() const {
    // Widened so that any stored start month and month count give a month 0-11.
    const long long last = (static_cast<long long>(startMonth) + months - 1) % 12;
    return static_cast<int>(last < 0 ? last + 12 : last);
}

} // namespace Database
