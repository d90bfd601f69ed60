#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/WideText.h"

namespace Database {
class CBase;
class CPERT;
class CYear;
} // namespace Database

// The check state of an item of the Advanced print options' trees; the values are the trees'
// state image numbers, so a year's print mark is its state - 1.
enum class PrintCheck { Unchecked = 1, Checked = 2, Partly = 3 };

// A year's print mark as a check state, and back: the mark is the state's image number less 1.
// A mark the dialog cannot store counts as checked.
PrintCheck CheckOfMark(std::int32_t mark);
constexpr std::int32_t MarkOf(PrintCheck check) {
    return static_cast<std::int32_t>(check) - 1;
}

// One item of a print options tree: a view, scenario, company or year, or the root "All".
struct PrintTreeItem {
    Text label;
    // The forecast object; none for the root.
    Database::CBase* object = nullptr;
    // Set for a year item.
    Database::CYear* year = nullptr;
    PrintTreeItem* parent = nullptr;
    // The item of the same object in the other tree; none when the object is hidden and so
    // absent from the tree without hidden entries.
    PrintTreeItem* linked = nullptr;
    PrintCheck state = PrintCheck::Unchecked;
    std::vector<std::unique_ptr<PrintTreeItem>> children;
};

// The two trees of the Advanced print options: one with every view, scenario, company and year
// of the forecast, one without the hidden entries (and so without anything beneath them). Their
// items are linked, and a check given in one is given in the other.
class PrintTreePair {
public:
    // Builds both trees from the forecast, each year checked as its print mark says and every
    // other item derived from its children.
    explicit PrintTreePair(Database::CPERT& root);

    // The tree with the hidden entries.
    PrintTreeItem& Everything() { return *all_; }
    // The tree without them.
    PrintTreeItem& Shown() { return *shown_; }

    // A click on the item's check: a checked or partly checked item becomes unchecked, an
    // unchecked one checked, with all its descendants; then its ancestors follow, and the same
    // happens in the other tree from the linked item.
    void Toggle(PrintTreeItem& item);

    // Clears every year's print mark, then stores each year's state from the given tree.
    void StoreMarks(const PrintTreeItem& tree) const;

    // Whether any year of the tree is checked.
    static bool AnyYearChecked(const PrintTreeItem& tree);
    // When no year is checked, checks `year` (the year on screen) in both trees, so that a first
    // print has something to print.
    void CheckIfNone(const Database::CYear* year);

    // The state a parent takes from its children: partly checked when any child is partly
    // checked or both checked and unchecked children exist, checked when some are checked and
    // none unchecked, unchecked otherwise (no children included).
    static PrintCheck Derived(const PrintTreeItem& parent);

private:
    static void SetAll(PrintTreeItem& item, PrintCheck state);
    static PrintTreeItem* ItemOf(PrintTreeItem& tree, const Database::CYear* year);
    static void DeriveUp(PrintTreeItem* from);
    static void DeriveAll(PrintTreeItem& item);

    Database::CPERT& root_;
    std::unique_ptr<PrintTreeItem> all_;
    std::unique_ptr<PrintTreeItem> shown_;
};

// Marks every year that is shown (neither it nor its view, scenario or company hidden) for
// printing and clears the others' marks, as ticking "All" in the tree without hidden entries
// does.
void MarkShownYears(Database::CPERT& root);
