#pragma once

#include <QAccessibleInterface>
#include <QPointer>

#include "views/StatementAccess.h"
#include "views/qt/CMainView.h"

// The base of the accessible objects that stand for a painted part of an edition's view (a tab,
// a control, the statement table and its cells): they hold no QObject of their own, read the
// view's description of its last pass, and are valid while the view lives.
class AccessPart : public QAccessibleInterface {
public:
    explicit AccessPart(CMainView* view) : view_(view) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    CMainView* View() const { return view_.data(); }
    // The view's description, empty once the view is gone.
    const StatementAccess& Access() const;
    // A rectangle of the view's last pass on the screen.
    QRect ScreenRect(const Rect& rect) const;
    // The view's own accessible object.
    QAccessibleInterface* ViewInterface() const;

private:
    QPointer<CMainView> view_;
};

// A part without parts of its own: a cell, a heading, a tab or a control.
class AccessLeaf : public AccessPart {
public:
    using AccessPart::AccessPart;

    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};
