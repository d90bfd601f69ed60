#pragma once

#include <array>
#include <cstdint>

#include "core/ObjectList.h"
#include "database/CBase.h"
#include "database/CDisplaySettings.h"
#include "database/CGraphSettings.h"
#include "database/Categories.h"
#include "database/LayoutKey.h"
#include "items/CBaseItem.h"

namespace Database {

// One year of a company: its rows in thirteen category lists, graphs, display settings,
// section states and the labels of the six derived subtotal lines.
class CYear : public CBase {
public:
    static constexpr double kVersion = 1.4;
    static constexpr int kSectionStates = 14;
    static constexpr int kSubtotals = 6;

    // A new year holds the bank row and the eighteen total rows; reading a record replaces them.
    CYear();

    const char* ClassName() const override { return "CYear"; }
    void Serialize(Archive& ar) override;
    Text DisplayName() const override { return DecimalText(year); }

    // The row at (category, index); fails with "Not Found". Inline, as are the two below: the
    // calculation looks rows up for every row it consolidates and scales.
    Item::CBaseItem& ItemAt(int category, int index) const {
        if (!IsCategory(category))
            ThrowNotFound();
        return Items(category).At(index);
    }
    // The row at (category, index), or none.
    Item::CBaseItem* FindItem(int category, int index) const {
        return IsCategory(category) ? Items(category).Find(index) : nullptr;
    }
    int ItemCount(int category) const {
        return IsCategory(category) ? static_cast<int>(Items(category).Count()) : 0;
    }
    ObjectList<Item::CBaseItem>& Items(int category) { return items[static_cast<std::size_t>(category)]; }
    const ObjectList<Item::CBaseItem>& Items(int category) const { return items[static_cast<std::size_t>(category)]; }

    CGraphSettings& Graph(int index) const { return graphs.At(index); }
    int GraphCount() const { return static_cast<int>(graphs.Count()); }
    int HiddenGraphCount() const;

    // Rows of a category whose hidden flag is clear; for the bank category a selector 1, 2, 3
    // counts the banks whose NoCrInterest, NoOdInterest or NoOdLimit flag is clear instead.
    int VisibleCount(int category, int bankSelector = 0) const;

    // (category, -1): that section's state (category 14: the graphs section); (category, index):
    // the row's own outline state. None otherwise.
    std::int32_t* SectionState(int category, int index);

    // The object at a key, from level 4 on.
    CObject* ObjectAt(const LayoutKey& key);

    Text SubtotalLabel(int index) const;
    std::int32_t SubtotalMode(int index) const;
    bool SubtotalFlag(int index) const;

    // Merges a source year's shape and figures into this one; true on failure.
    bool Merge(const CYear* source, int p, int q, bool copyIdentity);

    // The last calendar month of the year.
    int LastMonth() const;

    std::int32_t year = 2000;
    std::int32_t startMonth = 3;
    std::int32_t months = 12;
    Amount incomeExpected = 0;
    Amount incomeActual = 0;
    std::array<ObjectList<Item::CBaseItem>, kCategories> items;
    std::array<std::int32_t, kSectionStates> sectionState;
    CDisplaySettings display;
    ObjectList<CGraphSettings> graphs;
    std::array<Text, kSubtotals> subtotalLabel;
    std::array<std::int32_t, kSubtotals> subtotalMode{};
    std::array<bool, kSubtotals> subtotalFlag{};
    // Whether the Advanced print job prints this year: 0 no, 1 yes, 2 partly (as the options
    // tree showed it). Set by the printing options only; the file holds none, so every load
    // starts clear.
    std::int32_t printMark = 0;

private:
    static bool IsCategory(int category) { return category >= 0 && category < kCategories; }

    // Numbers the notes 1, 2, ... and adds their links to the rows' note counts (records
    // before 1.2 stored neither).
    void RenumberNotes();
};

} // namespace Database
