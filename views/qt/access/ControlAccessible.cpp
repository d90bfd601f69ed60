#include "views/qt/access/ControlAccessible.h"

#include "platform/QtText.h"

const AccessControl* ControlAccessible::Control() const {
    const std::vector<AccessControl>& controls = Access().controls;
    return control_ >= 0 && control_ < static_cast<int>(controls.size())
               ? &controls[static_cast<std::size_t>(control_)]
               : nullptr;
}

QString ControlAccessible::text(QAccessible::Text t) const {
    const AccessControl* control = Control();
    return t == QAccessible::Name && control ? ToQString(control->name) : QString();
}

QRect ControlAccessible::rect() const {
    const AccessControl* control = Control();
    return control ? ScreenRect(control->rect) : QRect();
}

QAccessible::Role ControlAccessible::role() const {
    const AccessControl* control = Control();
    return control && control->kind == AccessControlKind::Expander ? QAccessible::Button
                                                                   : QAccessible::CheckBox;
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State state;
    const AccessControl* control = Control();
    if (!control)
        return state;
    if (control->kind == AccessControlKind::Expander) {
        state.expandable = true;
        state.expanded = control->on;
        state.collapsed = !control->on;
    } else {
        state.checkable = true;
        state.checked = control->on;
        state.readOnly = control->kind == AccessControlKind::Plotted;
    }
    return state;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList ControlAccessible::actionNames() const {
    const AccessControl* control = Control();
    if (!control)
        return {};
    if (control->kind == AccessControlKind::Expander)
        return {pressAction()};
    if (control->kind == AccessControlKind::Plotted)
        return {};
    return {toggleAction(), pressAction()};
}

void ControlAccessible::doAction(const QString& action) {
    if ((action == pressAction() || action == toggleAction()) && View() && Control() &&
        Control()->kind != AccessControlKind::Plotted)
        View()->PressAccessControl(control_);
}
