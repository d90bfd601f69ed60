#include "views/PrintTree.h"

#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"

namespace {

PrintTreeItem* AddChild(PrintTreeItem* parent, Database::CBase& object) {
    if (!parent)
        return nullptr;
    auto child = std::make_unique<PrintTreeItem>();
    child->label = object.DisplayName();
    child->object = &object;
    child->parent = parent;
    parent->children.push_back(std::move(child));
    return parent->children.back().get();
}

// Adds the object under its parent in both trees (in the second only when neither it nor an
// ancestor is hidden) and links the two items.
std::pair<PrintTreeItem*, PrintTreeItem*> AddBoth(PrintTreeItem* all, PrintTreeItem* shown,
                                                  Database::CBase& object) {
    PrintTreeItem* inAll = AddChild(all, object);
    PrintTreeItem* inShown = object.IsHidden() ? nullptr : AddChild(shown, object);
    if (inShown) {
        inAll->linked = inShown;
        inShown->linked = inAll;
    }
    return {inAll, inShown};
}

std::unique_ptr<PrintTreeItem> MakeRoot() {
    auto root = std::make_unique<PrintTreeItem>();
    root->label = u"All";
    return root;
}

} // namespace

PrintTreePair::PrintTreePair(Database::CPERT& root)
    : root_(root), all_(MakeRoot()), shown_(MakeRoot()) {
    all_->linked = shown_.get();
    shown_->linked = all_.get();
    for (const auto& view : root.views) {
        const auto [viewAll, viewShown] = AddBoth(all_.get(), shown_.get(), *view);
        for (const auto& scenario : view->scenarios) {
            const auto [scenarioAll, scenarioShown] = AddBoth(viewAll, viewShown, *scenario);
            for (const auto& company : scenario->companies) {
                const auto [companyAll, companyShown] =
                    AddBoth(scenarioAll, scenarioShown, *company);
                for (const auto& year : company->years) {
                    const auto [yearAll, yearShown] = AddBoth(companyAll, companyShown, *year);
                    const PrintCheck state = CheckOfMark(year->printMark);
                    yearAll->year = year.get();
                    yearAll->state = state;
                    if (yearShown) {
                        yearShown->year = year.get();
                        yearShown->state = state;
                    }
                }
            }
        }
    }
    DeriveAll(*all_);
    DeriveAll(*shown_);
}

PrintCheck CheckOfMark(std::int32_t mark) {
    if (mark == MarkOf(PrintCheck::Unchecked))
        return PrintCheck::Unchecked;
    if (mark == MarkOf(PrintCheck::Partly))
        return PrintCheck::Partly;
    return PrintCheck::Checked;
}

PrintCheck PrintTreePair::Derived(const PrintTreeItem& parent) {
    bool checked = false;
    bool unchecked = false;
    for (const auto& child : parent.children) {
        if (child->state == PrintCheck::Checked)
            checked = true;
        else if (child->state == PrintCheck::Unchecked)
            unchecked = true;
        else
            return PrintCheck::Partly;
    }
    if (checked && unchecked)
        return PrintCheck::Partly;
    return checked ? PrintCheck::Checked : PrintCheck::Unchecked;
}

void PrintTreePair::DeriveAll(PrintTreeItem& item) {
    if (item.children.empty())
        return;
    for (const auto& child : item.children)
        DeriveAll(*child);
    item.state = Derived(item);
}

void PrintTreePair::DeriveUp(PrintTreeItem* from) {
    for (PrintTreeItem* item = from; item; item = item->parent)
        item->state = Derived(*item);
}

void PrintTreePair::SetAll(PrintTreeItem& item, PrintCheck state) {
    item.state = state;
    for (const auto& child : item.children)
        SetAll(*child, state);
}

bool PrintTreePair::AnyYearChecked(const PrintTreeItem& tree) {
    if (tree.year && tree.state != PrintCheck::Unchecked)
        return true;
    for (const auto& child : tree.children)
        if (AnyYearChecked(*child))
            return true;
    return false;
}

PrintTreeItem* PrintTreePair::ItemOf(PrintTreeItem& tree, const Database::CYear* year) {
    if (tree.year && tree.year == year)
        return &tree;
    for (const auto& child : tree.children)
        if (PrintTreeItem* found = ItemOf(*child, year))
            return found;
    return nullptr;
}

void PrintTreePair::CheckIfNone(const Database::CYear* year) {
    if (!year || AnyYearChecked(*all_))
        return;
    if (PrintTreeItem* item = ItemOf(*all_, year))
        Toggle(*item);
}

void PrintTreePair::Toggle(PrintTreeItem& item) {
    const PrintCheck state =
        item.state == PrintCheck::Unchecked ? PrintCheck::Checked : PrintCheck::Unchecked;
    SetAll(item, state);
    DeriveUp(item.parent);
    if (item.linked) {
        SetAll(*item.linked, state);
        DeriveUp(item.linked->parent);
    }
}

namespace {

void StoreFrom(const PrintTreeItem& item) {
    if (item.year)
        item.year->printMark = MarkOf(item.state);
    for (const auto& child : item.children)
        StoreFrom(*child);
}

} // namespace

void PrintTreePair::StoreMarks(const PrintTreeItem& tree) const {
    for (const auto& view : root_.views)
        for (const auto& scenario : view->scenarios)
            for (const auto& company : scenario->companies)
                for (const auto& year : company->years)
                    year->printMark = MarkOf(PrintCheck::Unchecked);
    StoreFrom(tree);
}

void MarkShownYears(Database::CPERT& root) {
    for (const auto& view : root.views)
        for (const auto& scenario : view->scenarios)
            for (const auto& company : scenario->companies)
                for (const auto& year : company->years)
                    year->printMark =
                        MarkOf(view->hidden || scenario->hidden || company->hidden || year->hidden
                                   ? PrintCheck::Unchecked
                                   : PrintCheck::Checked);
}
