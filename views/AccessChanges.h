#pragma once

#include <vector>

#include "views/StatementAccess.h"

// What assistive technology must be told when the view's description changes from one pass to
// the next.
struct AccessChange {
    enum class Kind {
        TableReset,       // rows, columns or texts changed: the table is to be read anew
        TableRenamed,     // the table shows another statement or page
        TableRedescribed, // a graph page plots something else
        TabSelected,      // tab `index` of list `list`
        TabDeselected,
        ControlChanged, // control `index` was checked, unchecked, expanded or collapsed
        FocusRow,       // the highlight moved to row `index` (its first cell takes the focus)
        FocusTab,       // the highlight moved to tab `index` of list `list`
    };
    Kind kind = Kind::TableReset;
    int list = -1;
    int index = -1;

    friend bool operator==(const AccessChange&, const AccessChange&) = default;
};

// The changes from `before` to `after`, in the order to announce them: the table, the tabs, the
// controls, then the focus, which moves only while the view has the keyboard (`focused`). A
// highlighted row takes the focus again when the table under it was read anew.
std::vector<AccessChange> AccessChanges(const StatementAccess& before, const StatementAccess& after,
                                        bool focused);
