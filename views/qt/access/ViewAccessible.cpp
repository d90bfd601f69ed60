#include "views/qt/access/ViewAccessible.h"

#include "views/AccessChanges.h"
#include "views/qt/CMainView.h"
#include "views/qt/access/ControlAccessible.h"
#include "views/qt/access/TabAccessible.h"
#include "views/qt/access/TableAccessible.h"

namespace {

// The interface of an id kept in `ids` at `index`, made by `make` the first time.
template <class Make>
QAccessibleInterface* Kept(std::vector<QAccessible::Id>& ids, int index, Make make) {
    if (index < 0)
        return nullptr;
    while (static_cast<int>(ids.size()) <= index)
        ids.push_back(QAccessible::registerAccessibleInterface(make(static_cast<int>(ids.size()))));
    return QAccessible::accessibleInterface(ids[static_cast<std::size_t>(index)]);
}

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    if (key == QLatin1String("CMainView"))
        if (auto* view = qobject_cast<CMainView*>(object))
            return new ViewAccessible(view);
    return nullptr;
}

} // namespace

ViewAccessible::ViewAccessible(CMainView* view) : QAccessibleWidget(view, QAccessible::Client) {}

ViewAccessible::~ViewAccessible() {
    for (QAccessible::Id id : controls_)
        QAccessible::deleteAccessibleInterface(id);
    for (QAccessible::Id id : lists_)
        QAccessible::deleteAccessibleInterface(id);
    if (table_)
        QAccessible::deleteAccessibleInterface(table_);
}

CMainView* ViewAccessible::View() const {
    return static_cast<CMainView*>(widget());
}

const StatementAccess& ViewAccessible::Access() const {
    return View()->Access();
}

int ViewAccessible::ListCount() const {
    return static_cast<int>(Access().tabLists.size());
}

int ViewAccessible::ControlCount() const {
    return static_cast<int>(Access().controls.size());
}

// Children: the tab lists, the table, the controls, then the child widgets.
int ViewAccessible::childCount() const {
    return ListCount() + 1 + ControlCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* ViewAccessible::child(int index) const {
    const int lists = ListCount();
    const int controls = ControlCount();
    if (index < 0)
        return nullptr;
    if (index < lists)
        return TabList(index);
    if (index == lists)
        return Table();
    if (index < lists + 1 + controls)
        return Control(index - lists - 1);
    return QAccessibleWidget::child(index - lists - 1 - controls);
}

int ViewAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int lists = ListCount();
    const int controls = ControlCount();
    if (!child)
        return -1;
    if (child == Table())
        return lists;
    if (const auto* list = dynamic_cast<const TabListAccessible*>(child))
        return list->List() < lists && list == TabList(list->List()) ? list->List() : -1;
    if (const auto* control = dynamic_cast<const ControlAccessible*>(child))
        return control->Index() < controls && control == Control(control->Index())
                   ? lists + 1 + control->Index()
                   : -1;
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : lists + 1 + controls + widgetIndex;
}

QAccessibleInterface* ViewAccessible::Table() const {
    if (!table_)
        table_ = QAccessible::registerAccessibleInterface(new TableAccessible(View()));
    return QAccessible::accessibleInterface(table_);
}

QAccessibleInterface* ViewAccessible::TabList(int list) const {
    if (list >= ListCount())
        return nullptr;
    return Kept(lists_, list, [&](int i) { return new TabListAccessible(View(), i); });
}

QAccessibleInterface* ViewAccessible::Tab(int list, int tab) const {
    QAccessibleInterface* tabs = TabList(list);
    return tabs ? tabs->child(tab) : nullptr;
}

QAccessibleInterface* ViewAccessible::Control(int control) const {
    if (control >= ControlCount())
        return nullptr;
    return Kept(controls_, control, [&](int i) { return new ControlAccessible(View(), i); });
}

QAccessibleInterface* ViewAccessible::FocusOf(const StatementAccess& access) const {
    if (access.highlightedRow >= 0) {
        auto* table = static_cast<TableAccessible*>(Table());
        return table->cellAt(access.highlightedRow, 0);
    }
    for (std::size_t list = 0; list < access.tabLists.size(); ++list)
        if (access.tabLists[list].highlighted >= 0)
            return Tab(static_cast<int>(list), access.tabLists[list].highlighted);
    return nullptr;
}

QAccessibleInterface* ViewAccessible::focusChild() const {
    if (!View()->hasFocus())
        return nullptr;
    return FocusOf(Access());
}

void InstallStatementAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void AnnounceAccessChanges(CMainView& view, const StatementAccess& before,
                           const StatementAccess& after) {
    auto* iface = dynamic_cast<ViewAccessible*>(QAccessible::queryAccessibleInterface(&view));
    if (!iface)
        return;
    auto* table = static_cast<TableAccessible*>(iface->Table());
    const auto send = [](QAccessibleInterface* to, QAccessible::Event type) {
        if (!to)
            return;
        QAccessibleEvent event(to, type);
        QAccessible::updateAccessibility(&event);
    };
    using Kind = AccessChange::Kind;
    for (const AccessChange& change : AccessChanges(before, after, view.hasFocus())) {
        switch (change.kind) {
        case Kind::TableReset: {
            QAccessibleTableModelChangeEvent reset(table,
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            // The cells made so far stand for what was there before, whether anyone listens or not.
            table->modelChange(&reset);
            QAccessible::updateAccessibility(&reset);
            break;
        }
        case Kind::TableRenamed:
            send(table, QAccessible::NameChanged);
            break;
        case Kind::TableRedescribed:
            send(table, QAccessible::DescriptionChanged);
            break;
        case Kind::TabSelected:
        case Kind::TabDeselected:
            send(iface->Tab(change.list, change.index), change.kind == Kind::TabSelected
                                                            ? QAccessible::SelectionAdd
                                                            : QAccessible::SelectionRemove);
            break;
        case Kind::ControlChanged: {
            QAccessibleInterface* control = iface->Control(change.index);
            QAccessible::State changed;
            if (control && control->role() == QAccessible::Button)
                changed.expanded = changed.collapsed = true;
            else
                changed.checked = true;
            if (control) {
                QAccessibleStateChangeEvent event(control, changed);
                QAccessible::updateAccessibility(&event);
            }
            break;
        }
        case Kind::FocusRow:
            send(table->cellAt(change.index, 0), QAccessible::Focus);
            break;
        case Kind::FocusTab:
            send(iface->Tab(change.list, change.index), QAccessible::Focus);
            break;
        }
    }
}
