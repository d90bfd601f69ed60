#pragma once

#include "database/PrintOption.h"
#include "views/AdvPrintJob.h"
#include "views/AdvViewState.h"

class CMainDoc;

// How the print option builds the statement: "Collasped" closes every section and block,
// "Expanded" opens them all, "As Selected" and "Per Display" keep them as on screen.
Statement::AdvOutline PrintOutline(PrintOption option);

// Lays the Advanced statement of one year out on paper, inside the page margins, at zoom 100:
// its column widths settled first, rows breaking at the page bottoms, and the month groups
// spread across pages whole, the description column repeated on each. It keeps a statement of
// its own, so the window's is left as it was.
class AdvPrintLayout : public AdvPageLayout {
public:
    explicit AdvPrintLayout(CMainDoc& doc) : doc_(doc) {}

    int CountPages(DeviceContext& dc, const Rect& area, const LayoutKey& key) override;
    void PrintPage(DeviceContext& dc, const Rect& area, const LayoutKey& key, int page) override;

    // The pages down and across of the year laid out last.
    int PagesDown() const { return down_; }
    int PagesAcross() const { return across_; }
    // The geometry of the page laid out last.
    const Display::LayoutMetrics& Metrics() const { return state_.metrics; }

private:
    // Builds the year's statement (unless it is the one built last) and arranges it in `area`
    // until the column widths stop changing.
    void Settle(DeviceContext& dc, const Rect& area, const LayoutKey& key);
    // Lays out the page in `area` at the given offsets; draws it when `drawing`. False when the
    // widths the rows reported differ from the ones the columns were given.
    bool Pass(DeviceContext& dc, const Rect& area, int hOffset, int vOffset, bool drawing);

    CMainDoc& doc_;
    AdvViewState state_;
    bool built_ = false;
    int down_ = 1;
    int across_ = 1;
};
