#pragma once

#include <vector>

#include "views/qt/access/AccessPart.h"

// One row of the view's index tabs (views, scenarios, companies, or years with the graph
// pages) as a page tab list; its tabs are made when first asked for.
class TabListAccessible : public AccessPart {
public:
    TabListAccessible(CMainView* view, int list) : AccessPart(view), list_(list) {}
    ~TabListAccessible() override;

    QAccessibleInterface* parent() const override { return ViewInterface(); }
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::PageTabList; }
    QAccessible::State state() const override { return {}; }

    int List() const { return list_; }

private:
    const AccessTabList* Tabs() const;

    int list_;
    mutable std::vector<QAccessible::Id> tabs_;
};

// One index tab: selected when it shows the current entry, focused while the keyboard
// highlight stands on it; pressing it shows its entry as a click does.
class TabAccessible : public AccessLeaf, public QAccessibleActionInterface {
public:
    TabAccessible(CMainView* view, const TabListAccessible* list, int tab)
        : AccessLeaf(view), list_(list), tab_(tab) {}

    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Index() const { return tab_; }

private:
    const AccessTab* Tab() const;

    const TabListAccessible* list_;
    int tab_;
};
