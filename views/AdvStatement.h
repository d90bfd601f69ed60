#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/WideText.h"
#include "database/LayoutKey.h"
#include "display/CLayout.h"
#include "display/CTab.h"
#include "display/LayoutMetrics.h"
#include "views/AdvOutline.h"

class CMainDoc;

namespace Database {
class CPERT;
class CYear;
} // namespace Database

// The two lists the Advanced view draws, in drawing order, and what building them came to.
struct AdvStatement {
    using LayoutList = std::vector<std::unique_ptr<Display::CLayout>>;

    // Page heading, the four panels and every tab.
    LayoutList frame;
    // Column headings, sections, rows, totals, summary rows and note boxes; or one graph page.
    LayoutList statement;
    // The tabs of each panel by key level (the years' with the graphs' tabs), not owned.
    std::vector<Display::CTab*> tabs[Display::LayoutMetrics::kPanels];
    // Expander styles the headings share, owned here so they outlive the objects using them.
    std::vector<std::unique_ptr<std::int32_t>> styles;
    // The forecast state each clickable heading opens and closes (in memory only).
    struct Expandable {
        const Display::CLayout* heading = nullptr;
        std::int32_t* state = nullptr;
    };
    std::vector<Expandable> expandables;
    // False when a lookup failed part-way: the lists hold what was built before it.
    bool complete = false;
    // The statement list holds a graph page rather than a year's statement.
    bool graphPage = false;
};

// The text the taxes of the forecast give the summary rows and the tax section: the names of
// the tax setups the root gives for the first view, joined by "/" (empty without any).
Text AdvTaxText(const Database::CPERT& root);

// How many taxes the forecast names: the tax setups the root gives for the first view.
int AdvTaxCount(const Database::CPERT& root);

// The label of summary row 0-5 of a year: its stored label, followed by the tax text when the
// year's flag for that row is set.
Text AdvSummaryLabel(const Database::CYear& year, int index, const Text& taxText);

// Builds both lists for the key (which should be resolved; see ResolveAdvKey). Sections and
// blocks open and close as `outline` says; suppression of empty parts is applied.
AdvStatement BuildAdvStatement(CMainDoc& doc, const LayoutKey& key, AdvOutline outline);

// Whether a stored section or outline state reads as open (0 and 2 are closed).
constexpr bool AdvStateOpen(int state) {
    return state != 0 && state != 2;
}
