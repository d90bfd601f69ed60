#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "database/LayoutKey.h"
#include "display/CLayout.h"
#include "display/CTab.h"
#include "display/LayoutMetrics.h"
#include "statement/AdvOutline.h"
#include "statement/AdvStatementModel.h"

class CMainDoc;

// The two lists the Advanced view draws, in drawing order, over the statement model they place.
struct AdvStatement {
    using LayoutList = std::vector<std::unique_ptr<Display::CLayout>>;

    // The statement as data: the layout objects of the statement list read their entries.
    std::unique_ptr<Statement::AdvStatementModel> model =
        std::make_unique<Statement::AdvStatementModel>();
    // Page heading, the four panels and every tab.
    LayoutList frame;
    // Column headings, sections, rows, totals, summary rows and note boxes; or one graph page.
    LayoutList statement;
    // The tabs of each panel by key level (the years' with the graphs' tabs), not owned.
    std::vector<Display::CTab*> tabs[Display::LayoutMetrics::kPanels];
    // Expander styles the headings share, owned here so they outlive the objects using them.
    std::vector<std::unique_ptr<std::int32_t>> styles;
    // The stored state each clickable heading opens and closes, by the key the document's
    // SetShownState takes.
    struct Expandable {
        const Display::CLayout* heading = nullptr;
        LayoutKey stateKey;
    };
    std::vector<Expandable> expandables;
    // False when a lookup failed part-way: the lists hold what was built before it.
    bool complete = false;
    // The statement list holds a graph page rather than a year's statement.
    bool graphPage = false;

    // What the lists were built from: they stand for the document until one of these changes.
    struct Stamp {
        std::uint64_t revision = 0; // none: built from nothing, or asked to be built again
        LayoutKey key;
        Statement::AdvOutline outline = Statement::AdvOutline::File;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    Stamp stamp;
};

// Builds the statement model of the key (which should be resolved; see ResolveAdvKey) and both
// lists over it, stamped with the document's revision, the key and the outline. Sections and
// blocks open and close as `outline` says; suppression of empty parts is applied.
AdvStatement BuildAdvStatement(const CMainDoc& doc, const LayoutKey& key,
                               Statement::AdvOutline outline);
