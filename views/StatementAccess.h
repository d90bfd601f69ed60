#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/Amount.h"
#include "core/WideText.h"
#include "platform/DrawTypes.h"
#include "statement/StatementTable.h"

// What a screen reader is told about an edition's view: the statement (or graphs page) as a
// table, the rows of tabs and the controls, each with where it was last drawn. Built from the
// statement models and the view's state, never from pixels; the window side turns it into the
// platform's accessibility objects.

// One cell as a reader reads it: the text drawn there, and for a figure its amount.
struct AccessCell {
    Text text;
    std::optional<Amount> figure;

    friend bool operator==(const AccessCell&, const AccessCell&) = default;
};

// A statement table as a reader reads it: its column headings, and each cell's text as drawn,
// figures in the statement's brackets and cents (percentages with two decimals).
struct AccessTable {
    std::vector<Text> headings;
    std::vector<std::vector<AccessCell>> rows;
    // For each row, the model's line or entry (or the graph's series) it shows.
    std::vector<std::size_t> sources;

    int RowCount() const { return static_cast<int>(rows.size()); }
    int ColumnCount() const { return static_cast<int>(headings.size()); }
    // The cell at a row and column; an empty one outside the table.
    const AccessCell& At(int row, int column) const;

    friend bool operator==(const AccessTable&, const AccessTable&) = default;
};

AccessTable AccessTableOf(const Statement::StatementTable& table);

// "Income, Tax by month from Apr 24 to Mar 26": the series of a graph page's table and its
// months; "Nothing plotted" for none.
Text GraphDescription(const AccessTable& table);

// Where a column of the table was last drawn across, and whether any of it is in sight (a figure
// column can be scrolled sideways out of the window).
struct AccessSpan {
    int left = 0;
    int right = 0;
    bool seen = true;
    // A figure column, which scrolls sideways; the others stay put.
    bool scrolls = false;

    friend bool operator==(const AccessSpan&, const AccessSpan&) = default;
};

struct AccessTab {
    Text label;
    bool selected = false;
    Rect rect;

    friend bool operator==(const AccessTab&, const AccessTab&) = default;
};

// One row of tabs: the views, scenarios, companies or years (with the graph pages).
struct AccessTabList {
    Text name;
    std::vector<AccessTab> tabs;
    // The tab the keyboard highlight stands on, or -1.
    int highlighted = -1;

    friend bool operator==(const AccessTabList&, const AccessTabList&) = default;
};

enum class AccessControlKind {
    Expander,  // a section's or block's open/close box: a button, expanded or collapsed
    SubColumn, // a sub-column's check box under a column heading
    Series,    // a graph legend's button that switches a series on or off
    Plotted,   // a graph legend's entry that only says what is plotted: checked, and fixed
};

struct AccessControl {
    AccessControlKind kind = AccessControlKind::Expander;
    Text name;
    // Expanded, or checked.
    bool on = false;
    Rect rect;

    friend bool operator==(const AccessControl&, const AccessControl&) = default;
};

struct StatementAccess {
    // The table's name: the path of tabs to what it shows.
    Text name;
    // What a graphs page plots; empty for a statement.
    Text description;
    AccessTable table;
    Rect tableRect;
    // Where each row was last drawn, scrolled out of the table's place or not; empty where the
    // view keeps no place for it.
    std::vector<Rect> rowRects;
    // Where each column was last drawn across; empty where the view keeps no place for columns,
    // and a cell then takes its whole row's place.
    std::vector<AccessSpan> columnSpans;
    // The strip the column headings were drawn in, and the part of the table rows are seen in
    // (the whole table where empty).
    Rect headingsRect;
    Rect rowsRect;
    // Across, where figure columns are seen: right of the columns that stay put.
    AccessSpan figuresSeen;
    // The table row the keyboard highlight stands on, or -1.
    int highlightedRow = -1;
    std::vector<AccessTabList> tabLists;
    std::vector<AccessControl> controls;

    // Where a cell was last drawn: its row's place across its column, its row's place where the
    // view keeps no columns, the table's where it keeps no rows.
    Rect CellRect(int row, int column) const;
    // Whether any of a cell is in sight, neither scrolled up, down nor sideways out of view.
    bool CellSeen(int row, int column) const;
    // Where a column's heading was drawn; empty where the view keeps no place for it.
    Rect HeadingRect(int column) const;
    // How far to scroll sideways (negative: to the left) to bring the whole of a figure column
    // into sight, its left edge first where it is wider than the room; 0 for a column in sight,
    // one that stays put, or one with no place.
    int ScrollToColumn(int column) const;

    // Whether the rows and columns, or their texts, differ (a reader must read the table again).
    bool TableDiffers(const StatementAccess& other) const {
        return name != other.name || description != other.description || table != other.table;
    }
    friend bool operator==(const StatementAccess&, const StatementAccess&) = default;
};
