#include "views/qt/access/TabAccessible.h"

#include "platform/QtText.h"

TabListAccessible::~TabListAccessible() {
    for (QAccessible::Id id : tabs_)
        QAccessible::deleteAccessibleInterface(id);
}

const AccessTabList* TabListAccessible::Tabs() const {
    const std::vector<AccessTabList>& lists = Access().tabLists;
    return list_ >= 0 && list_ < static_cast<int>(lists.size())
               ? &lists[static_cast<std::size_t>(list_)]
               : nullptr;
}

int TabListAccessible::childCount() const {
    const AccessTabList* tabs = Tabs();
    return tabs ? static_cast<int>(tabs->tabs.size()) : 0;
}

QAccessibleInterface* TabListAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    while (static_cast<int>(tabs_.size()) <= index) {
        auto* tab = new TabAccessible(View(), this, static_cast<int>(tabs_.size()));
        tabs_.push_back(QAccessible::registerAccessibleInterface(tab));
    }
    return QAccessible::accessibleInterface(tabs_[static_cast<std::size_t>(index)]);
}

int TabListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* tab = dynamic_cast<const TabAccessible*>(child);
    return tab && tab->parent() == this && tab->Index() < childCount() ? tab->Index() : -1;
}

QString TabListAccessible::text(QAccessible::Text t) const {
    const AccessTabList* tabs = Tabs();
    return t == QAccessible::Name && tabs ? ToQString(tabs->name) : QString();
}

QRect TabListAccessible::rect() const {
    QRect all;
    for (int i = 0; i < childCount(); ++i)
        all |= child(i)->rect();
    return all;
}

const AccessTab* TabAccessible::Tab() const {
    const std::vector<AccessTabList>& lists = Access().tabLists;
    const int list = list_->List();
    if (list < 0 || list >= static_cast<int>(lists.size()))
        return nullptr;
    const std::vector<AccessTab>& tabs = lists[static_cast<std::size_t>(list)].tabs;
    return tab_ >= 0 && tab_ < static_cast<int>(tabs.size()) ? &tabs[static_cast<std::size_t>(tab_)]
                                                             : nullptr;
}

QAccessibleInterface* TabAccessible::parent() const {
    return const_cast<TabListAccessible*>(list_);
}

QString TabAccessible::text(QAccessible::Text t) const {
    const AccessTab* tab = Tab();
    return t == QAccessible::Name && tab ? ToQString(tab->label) : QString();
}

QRect TabAccessible::rect() const {
    const AccessTab* tab = Tab();
    return tab ? ScreenRect(tab->rect) : QRect();
}

QAccessible::State TabAccessible::state() const {
    QAccessible::State state;
    const AccessTab* tab = Tab();
    if (!tab)
        return state;
    state.selectable = true;
    state.focusable = true;
    state.selected = tab->selected;
    const std::vector<AccessTabList>& lists = Access().tabLists;
    state.focused = lists[static_cast<std::size_t>(list_->List())].highlighted == tab_ && View() &&
                    View()->hasFocus();
    return state;
}

void* TabAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

void TabAccessible::doAction(const QString& action) {
    if (action == pressAction() && View() && Tab())
        View()->ActivateAccessTab(list_->List(), tab_);
}
