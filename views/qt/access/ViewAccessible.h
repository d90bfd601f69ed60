#pragma once

#include <vector>

#include <QAccessibleWidget>

#include "views/StatementAccess.h"

class CMainView;

// An edition's view to assistive technology: besides its real child widgets (the scroll bars and
// the "Offset Year" box) it holds what it paints as objects of their own, each reading the
// view's description of its last pass: the rows of tabs as page tab lists, the statement (or
// graph page) as a table, and the expanders and check boxes. The keyboard highlight is the focus.
class ViewAccessible : public QAccessibleWidget {
public:
    explicit ViewAccessible(CMainView* view);
    ~ViewAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* Table() const;
    QAccessibleInterface* TabList(int list) const;
    QAccessibleInterface* Tab(int list, int tab) const;
    QAccessibleInterface* Control(int control) const;
    // What has the focus in a description of the view: the highlighted row's first cell or the
    // highlighted tab; none without a highlight.
    QAccessibleInterface* FocusOf(const StatementAccess& access) const;

private:
    CMainView* View() const;
    const StatementAccess& Access() const;
    int ListCount() const;
    int ControlCount() const;

    mutable QAccessible::Id table_ = 0;
    mutable std::vector<QAccessible::Id> lists_;
    mutable std::vector<QAccessible::Id> controls_;
};

// Lets Qt make a ViewAccessible for every edition's view; once is enough.
void InstallStatementAccessibility();

// Tells assistive technology what changed between two descriptions of the view: the table read
// anew (another statement, a reload, a toggled column), tabs selected and deselected, controls
// checked or expanded, and the focus when the keyboard highlight moved while the view has the
// keyboard.
void AnnounceAccessChanges(CMainView& view, const StatementAccess& before,
                           const StatementAccess& after);
