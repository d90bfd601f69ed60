#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Amount.h"
#include "core/Months.h"
#include "core/WideText.h"
#include "database/CDisplaySettings.h"
#include "database/LayoutKey.h"
#include "database/YearSpan.h"
#include "statement/AdvFigures.h"
#include "statement/AdvOutline.h"
#include "statement/LineKind.h"
#include "statement/OutlineStyle.h"

class CMainDoc;

namespace Database {
class CYear;
} // namespace Database

namespace Statement {

// One figure of the statement: the amount shown (after the line's sign), its text in the year's
// cents and brackets, and whether the statement holds a figure there at all. A month's figure is
// present when its sub-column is switched on and, for a line, the month lies in the year's span;
// a total when the total mode shows totals; a percentage when its income total is not 0 (the
// Variance percentage always). Whether a present Total or Percentage figure is drawn is its
// column's business (AdvStatementModel::columns).
struct AdvCell {
    Amount value = 0;
    bool present = false;

    // The figure's text: at most 27 characters, "(92,233,720,368,547,758.08)", kept in the cell
    // so that a statement of hundreds of rows holds no allocation per figure.
    std::string_view Text() const { return {chars.data(), length}; }
    void SetText(std::string_view text);

  private:
    std::array<char, 30> chars{};
    std::uint8_t length = 0;
};
// Actual, Expected and Variance, in that order (Database::SubColumn).
using AdvTriple = std::array<AdvCell, 3>;

// What an entry of the Advanced statement is.
enum class AdvEntryKind {
    SectionHeading, // a fixed title: "INCOME", "NOTES", …
    BlockHeading,   // the name of a tax summary, the bank, an investment or a loan
    Line,           // a row of figures read from the forecast
    Total,          // a section or block total, drawn plain
    Summary,        // a summary row between sections, drawn blue and ruled
    NoteEntry,      // one note of the NOTES section
};

// A note marker on the row an entry shows: the note's number, in note order then link order.
struct AdvMarker {
    int note = 0; // the note's position in the year
    int link = 0; // the link of the note this marker stands for
    Text name;
    // False for a marker that is not drawn: its note is hidden, its link gone or its row hidden.
    bool shown = false;
};

// One entry of the statement, in drawing order.
struct AdvEntry {
    AdvEntryKind kind = AdvEntryKind::Line;
    // The forecast object shown (a row, or a total row for section totals); none for a fixed
    // title.
    LayoutKey key;
    Text label;
    // Left out of the statement altogether (hidden rows, empty sections, the rules of the
    // subtotal modes).
    bool suppressed = false;
    // In a closed section or block: the figures stand, and feed their totals, but the entry takes
    // no place.
    bool hidden = false;

    // The outline glyph (an expander style). Under the file's outline, a heading with a stored
    // state names it by `stateKey` (the year, the category and, for a block, the row's position:
    // what CMainDoc::SetShownState takes), so that a click can switch it; no category is set
    // where there is nothing to switch.
    std::int32_t glyph = kNoGlyph;
    LayoutKey stateKey;
    // Headings: the lines that should follow it on the same printed page.
    int lines = 1;
    // An empty row above a line, below a total.
    bool gapBefore = false;
    bool gapAfter = false;

    LineKind lineKind = LineKind::Ordinary;
    TotalMode totalMode = TotalMode::SumOfMonths;
    bool showPercentage = true;
    // Totals: added into their parent rather than taken off (which way a variance is bad).
    bool addsToParent = true;

    // Lines of ordinary items: the rate code of each of the document's taxes.
    std::vector<Text> taxCodes;
    // The note markers drawn in this entry's notes cell.
    std::vector<AdvMarker> markers;

    // Figures: by display position (0 the year's first month) and sub-column.
    bool hasFigures = false;
    std::array<AdvTriple, kMonths> months{};
    AdvTriple totals{};
    AdvTriple percents{};
    // Totals: what fed them, in every month of the span whatever the display flags (the graphs
    // plot it).
    TotalFeed fed;

    // NOTES entries: the note's position and its text (a single blank when it has none).
    int note = -1;
    Text noteText;

    bool IsTotal() const { return kind == AdvEntryKind::Total || kind == AdvEntryKind::Summary; }
    bool IsHeading() const {
        return kind == AdvEntryKind::SectionHeading || kind == AdvEntryKind::BlockHeading;
    }
    // Whether the entry stands in the statement, taking its place (not suppressed or hidden).
    bool Shown() const { return !suppressed && !hidden; }
};

// A tax column: headed with the tax's name; the column of a hidden tax summary stays empty.
struct AdvTaxColumn {
    Text name;
    bool shown = true;
};

// The heading groups of the figure columns: twelve months by display position, then Total and
// Percentage.
inline constexpr int kAdvGroups = 14;
inline constexpr int kAdvTotalGroup = 12;
inline constexpr int kAdvPercentGroup = 13;

// The Advanced statement of one year as data: its columns and its entries in drawing order,
// every figure formed. Built once per forecast revision, key and outline; the window, the
// printer and the exports all read it.
struct AdvStatementModel {
    // False when the key reached no year: nothing below is filled.
    bool hasYear = false;
    LayoutKey yearKey;
    Database::YearSpan span;
    int yearNumber = 0;
    // How the year shows amounts: negatives in brackets, cents.
    bool brackets = true;
    bool cents = true;
    // The months' headings by display position ("Jul 99").
    std::array<Text, kMonths> monthHeadings{};
    // The sub-columns the display flags switch on, by group and sub-column.
    std::array<std::array<bool, 3>, kAdvGroups> columns{};
    // The document's taxes by name: the rate codes of the lines follow this order.
    std::vector<Text> taxNames;
    // The tax columns: a real scenario's real company only, one per tax summary the document
    // names.
    std::vector<AdvTaxColumn> taxColumns;
    std::vector<AdvEntry> entries;
    // False when a lookup failed part-way: the entries hold what was built before it.
    bool complete = false;

    bool ColumnShown(int group, Database::SubColumn sub) const {
        return columns[static_cast<std::size_t>(group)][sub];
    }
    // Whether a present Total or Percentage figure is drawn.
    bool TotalDrawn(const AdvEntry& entry, Database::SubColumn sub) const;
    bool PercentDrawn(const AdvEntry& entry, Database::SubColumn sub) const;
};

// Builds the statement of the year at `key` (a resolved key without a graph) with sections and
// blocks opened as `outline` says. A key that reaches no year gives an empty statement.
AdvStatementModel BuildAdvStatementModel(const CMainDoc& doc, const LayoutKey& key,
                                         AdvOutline outline);

// The label of summary row 0-5 of a year: its stored label, followed by the tax text when the
// year's flag for that row is set.
Text AdvSummaryLabel(const Database::CYear& year, int index, const Text& taxText);

// Whether a stored section or outline state reads as open (0 and 2 are closed).
constexpr bool AdvStateOpen(int state) {
    return state != 0 && state != 2;
}

} // namespace Statement
