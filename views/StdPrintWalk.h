#pragma once

#include "views/StdViewState.h"

class CMainDoc;

// The order in which the Standard and Basic print jobs visit what they print: each chosen year
// of the statement and then the graphs page, of each chosen company (the consolidated one first)
// of each chosen scenario (the combined one first). The walk moves the view's own selection
// along, as the drawing pass reads it, and puts back the selection it saved when printing ends.
// It reads the print choices from the view's state; the pages of one object are the job's.
class StdPrintWalk {
public:
    StdPrintWalk(const CMainDoc& doc, StdViewState& state, Edition edition);

    // Keeps the selection the view shows (the Basic view has one scenario and company).
    void SaveSelection();
    // Selects the saved selection again.
    void RestoreSelection();

    // Whether the choices print nothing: neither the statement nor the graphs, or only the
    // statement of the current year while the graphs page is the one shown.
    bool NothingToPrint() const;
    // Selects the first object the choices print; false when there is none. Forgets the pages
    // started so far.
    bool Restart();
    // Selects the next object the choices print; false when the walk is complete.
    bool Next();
    // Whether the selected object is a graphs page.
    bool OnGraphsPage() const;

    // Notes that a page starts at the selected object and these print offsets; false when the
    // page before started at the same place, so the job would print it again for ever.
    bool Progresses(int offsetX, int offsetY);

private:
    // Where a page starts.
    struct PageStart {
        int scenario = 0;
        int company = 0;
        int year = 0;
        int offsetX = 0;
        int offsetY = 0;
        friend bool operator==(const PageStart&, const PageStart&) = default;
    };

    bool Basic() const { return edition_ == Edition::Basic; }
    bool GraphsOnly() const { return state_.printGraphs && !state_.printCashflow; }
    int ScenarioCount() const;
    int CompanyCount(int scenario) const;
    // The years of a company (its graphs page comes after them); -1 when it does not exist.
    int YearCount(int scenario, int company) const;
    // The first scenario, company and year of a walk, as the restart and each step set them.
    int FirstScenario() const;
    int FirstCompany() const;
    int FirstYear() const;
    // Whether the selection names an existing year or graphs page the choices print.
    bool Printable() const;
    // Moves to the next object, printable or not: year, graphs page, company, scenario; false
    // when none is left.
    bool Step();
    // Steps until a printable object; false when the walk is complete.
    bool SkipToPrintable();

    const CMainDoc& doc_;
    StdViewState& state_;
    Edition edition_;
    int savedScenario_ = 0;
    int savedCompany_ = 0;
    int savedYear_ = 0;
    bool hasLastStart_ = false;
    PageStart lastStart_;
};
