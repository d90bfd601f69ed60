#pragma once

#include "views/qt/access/AccessPart.h"

// A control painted in the view: a section's or block's expander (a button, expanded or
// collapsed), a sub-column's check box ("Jun 24 Actual"), a Standard graph legend's series button
// (a check box) or an Advanced graph legend's entry (a check box, checked and read only, with no
// action, since a click on it changes nothing). Pressing or toggling it does what a click on it
// does.
class ControlAccessible : public AccessLeaf, public QAccessibleActionInterface {
public:
    ControlAccessible(CMainView* view, int control) : AccessLeaf(view), control_(control) {}

    QAccessibleInterface* parent() const override { return ViewInterface(); }
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Index() const { return control_; }

private:
    const AccessControl* Control() const;

    int control_;
};
