#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Months.h"
#include "document/Edition.h"
#include "platform/DrawTypes.h"
#include "statement/StatementSection.h"
#include "views/std/StdModelCache.h"

// Where the keyboard focus of the Standard and Basic views stands: nowhere, on one of the tab
// rows, or on a statement section, whose number it then holds (FocusOn).
enum class FocusSection { None = -1, ScenarioTabs = -2, CompanyTabs = -3, YearTabs = -4 };

constexpr FocusSection FocusOn(Statement::StatementSection section) {
    return static_cast<FocusSection>(section);
}

// The statement section the focus stands on; none on a tab row or without focus.
constexpr std::optional<Statement::StatementSection> FocusedSection(FocusSection focus) {
    const int value = static_cast<int>(focus);
    if (value < 0 || value >= Statement::kStatementSections)
        return std::nullopt;
    return static_cast<Statement::StatementSection>(value);
}

constexpr bool OnTabRow(FocusSection focus) {
    return focus == FocusSection::ScenarioTabs || focus == FocusSection::CompanyTabs ||
           focus == FocusSection::YearTabs;
}

// The x extents of the Standard statement's columns in one pass: the description, the tax codes
// (empty without them), each month by its number (empty outside the year's span), Total and %.
struct StdColumns {
    int descLeft = 0;
    int descRight = 0;
    int taxLeft = 0;
    int taxRight = 0;
    // Where the month area begins on this page or screen, before any shift.
    int monthAreaLeft = 0;
    std::array<int, kMonths> monthLeft{};
    std::array<int, kMonths> monthRight{};
    int lastMonthRight = 0;
    int totalLeft = 0;
    int totalRight = 0;
    bool percent = false;
    int percentLeft = 0;
    int percentRight = 0;
    int figureWidth = 0;
};

// Everything the Standard and Basic views keep between drawing passes: selection, focus, the
// print state and the rectangles kept for hit testing. The drawing pass reads and updates it;
// the window, the keyboard and the page loop change it between passes.
struct StdViewState {
    static constexpr int kNoRow = -1;

    // Keyboard focus, with focusRow the row inside a focused section.
    FocusSection focusSection = FocusSection::None;
    int focusRow = kNoRow;

    void ClearFocus() {
        focusSection = FocusSection::None;
        focusRow = kNoRow;
    }
    // Onto one of the tab rows, or onto a section's row.
    void FocusTabRow(FocusSection tabRow) {
        focusSection = tabRow;
        focusRow = kNoRow;
    }
    void FocusStatementRow(Statement::StatementSection section, int row) {
        focusSection = FocusOn(section);
        focusRow = row;
    }

    // -1 selects the combined scenario / consolidated company; selectedYear equal to the year
    // count selects the graphs page.
    int selectedScenario = 0;
    int selectedCompany = 0;
    int selectedYear = 0;

    int hiddenRowCount = 0;
    int scenarioTabOffset = 0;
    int companyTabOffset = 0;

    // Printing (the page loop sets and reads these).
    int printOffsetX = 0;
    int printOffsetY = 0;
    int pageBodyHeight = 0;
    int pageBodyWidth = 0;
    bool moreAcross = false;
    bool moreDown = false;
    int printPage = -1;
    int bandStartX = 0;
    // Set by a printed pass when the statement, fitted to the pages wide asked, would be drawn
    // below the smallest size: it is drawn at that size on more pages across.
    bool printTooWide = false;
    bool printAllScenarios = false;
    bool printAllCompanies = false;
    bool printAllYears = false;
    bool printCashflow = true;
    bool printGraphs = false;
    // The print choices of a new view: the next dialog starts from the tab on screen.
    void ForgetPrintChoices() {
        const StdViewState fresh;
        printAllScenarios = fresh.printAllScenarios;
        printAllCompanies = fresh.printAllCompanies;
        printAllYears = fresh.printAllYears;
        printCashflow = fresh.printCashflow;
        printGraphs = fresh.printGraphs;
    }
    // False while a printed page is only laid out to find where it ends.
    bool drawing = true;

    // Set on construction and resize: the pass re-places the scroll bars.
    bool layoutDirty = true;

    // Series switched on or off for this session by clicks on the legend (the file is never
    // changed); empty until the first click copies the document's flags.
    std::vector<bool> seriesShownOverride;
    // The series drawn: the session's choice once the legend was clicked, else the document's.
    template <std::size_t N>
    std::array<bool, N> SeriesShown(const std::array<bool, N>& documentFlags) const {
        std::array<bool, N> shown = documentFlags;
        if (seriesShownOverride.size() == N)
            std::copy(seriesShownOverride.begin(), seriesShownOverride.end(), shown.begin());
        return shown;
    }

    // Rectangles of the last pass, in device units, for hit testing.
    std::vector<Rect> scenarioTabs;
    std::vector<Rect> companyTabs;
    std::vector<Rect> yearTabs; // the last one is "Graphs"
    Statement::PerSection<std::vector<Rect>> sectionRows;
    std::array<Rect, 16> legendButtons{};
    Rect area;
    Rect body; // the statement below the column headings
    Rect monthArea;
    int descriptionRight = 0; // the description column's right edge
    // Where each statement line was placed, by the model's line, scrolled out of the body or not
    // (empty for a hidden line); and the x extents of the columns it was drawn in.
    std::vector<Rect> lineRects;
    StdColumns columns;

    // The statement of the selected year, shared by the drawing pass and every other reader.
    StdModelCache statement;

    // Scroll ranges computed by the last screen pass.
    int hScrollMax = 0;
    int hScrollPage = 0;
    int vScrollMax = 0;
    int vScrollPage = 0;
    int rowPitch = 0;
};
