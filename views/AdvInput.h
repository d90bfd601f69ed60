#pragma once

#include "platform/DrawTypes.h"
#include "views/AdvViewState.h"

class CMainDoc;
namespace Display {
class CLayout;
}
namespace Database {
class CPERT;
}

// What the Advanced view's mouse and keys do to its state, without a window: the window turns
// its events into these calls, then repaints (and scrolls by what they ask).

// What a left click came to.
enum class AdvClick {
    Nothing,          // a row, a total, a note: nothing further
    TabSelected,      // a tab's key became the current key
    SectionFlipped,   // a heading's glyph opened or closed its section or block
    ColumnFlipped,    // a check toggle switched a sub-column on or off
    HighlightCleared, // the content panel or nothing was hit
};

// A left click at the point of the last pass: the statement's objects are asked first, then
// the frame's, in list order. A flipped section or sub-column is switched in the document (in
// memory only), which moves its revision on, so the next pass builds the statement again.
AdvClick ClickAt(CMainDoc& doc, AdvViewState& state, Point point);

// Opens or closes the section or block of a heading of the statement list, as a click on its
// glyph does (in memory only).
void FlipSection(CMainDoc& doc, AdvViewState& state, Display::CLayout& heading);

// Makes the key current and highlighted (a row's key highlights the row; none clears the
// highlight): its view, scenario, company, year and graph become the current key, whose
// statement the next pass builds when they changed.
void FocusKey(AdvViewState& state, const LayoutKey* key);

// The key levels the highlight can stand on, in the order Tab walks them.
enum class AdvLevel { None = -1, View = 0, Scenario, Company, YearOrGraph, Rows };

// The level the highlight stands on.
AdvLevel HighlightLevel(const AdvViewState& state);

// Tab (forward) or Shift+Tab: the highlight moves to the current entry of the next level,
// views → scenarios → companies → years and graphs → rows → views; levels without anything to
// highlight are passed over.
void WalkLevels(AdvViewState& state, bool forward);

// Puts the highlight on the tab of the current entry at a tab level (view, scenario, company,
// or year and graph), found from the current key as the forecast resolves it now, so it needs no
// statement built. Nothing is highlighted when that level has no shown entry.
void HighlightCurrentTab(AdvViewState& state, const Database::CPERT& root, AdvLevel level);

// An arrow key on the highlighted level: the previous or next shown tab (which also becomes
// current), or the previous or next row in drawing order (heading, line or plain total that
// takes a place), one row a press. False when nothing is highlighted, so the key scrolls.
bool StepHighlight(AdvViewState& state, bool forward);

// After the statement was built: keeps the row highlight on an entry of it. A row named by its
// key alone stands on the first entry that shows it; a row of a closed section or block hands
// the highlight to the nearest shown heading above it, which keeps it when opened again.
void SettleHighlight(AdvViewState& state);

// The middle-button pan speed of one axis from the mouse's distance to the anchor: none within
// five units, else the distance beyond four units, times the axis factor.
int PanSpeed(int distance, int factor);
inline constexpr int kPanFactorX = 22;
inline constexpr int kPanFactorY = 43;
