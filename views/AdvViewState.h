#pragma once

#include <cstdint>

#include "database/LayoutKey.h"
#include "display/LayoutMetrics.h"
#include "platform/DrawTypes.h"
#include "views/AdvKey.h"
#include "views/AdvStatement.h"

// Everything the Advanced view keeps between drawing passes: the key shown, the highlights,
// the statement's objects and their metrics, and what the last pass found for scrolling. The
// window, the keyboard and the exports change it between passes; the pass reads and updates it.
struct AdvViewState {
    // The forecast object shown: view, scenario, company, year and graph.
    LayoutKey currentKey = AdvInitialKey();
    // The highlighted tab or row (no level set: none) and the highlighted NOTES entry.
    LayoutKey highlightKey;
    // On the rows: the statement model's entry the highlight stands on, which tells apart rows
    // that show the same forecast row and names a section heading (whose key is empty). -1 until
    // the next pass finds the first row showing highlightKey.
    int highlightEntry = -1;
    LayoutKey notesHighlightKey;
    // How sections and blocks open.
    Statement::AdvOutline outline = Statement::AdvOutline::File;

    AdvStatement lists;
    Display::LayoutMetrics metrics;

    // Asks the next pass to scroll the highlighted row into view; the pass leaves the change in
    // scrollDelta.
    bool bringIntoView = false;
    int scrollDelta = 0;

    // What the last screen pass found, in the window's units.
    Rect body; // the statement below the column headings
    int hScrollMax = 0;
    int hScrollPage = 0;
    int vScrollMax = 0;
    int vScrollPage = 0;
    int lineHeight = 0;
    // False when the rows reported other widths than the columns were given: the next pass
    // lays the columns out again.
    bool settled = false;
    // How many times the statement has been built.
    int builds = 0;

    // Whether the lists stand for the document at `revision` with the current key and outline;
    // when not, the next pass builds them again (a plain repaint or scroll does not).
    bool ListsCurrent(std::uint64_t revision) const {
        return lists.stamp == AdvStatement::Stamp{revision, currentKey, outline};
    }
    // Has the next pass build the lists again although nothing they were built from changed.
    void BuildAgain() { lists.stamp = {}; }
};
