#pragma once

#include "database/PrintOption.h"
#include "views/AdvPrintJob.h"
#include "views/AdvViewState.h"

namespace Display {
class CLayout;
}

class CMainDoc;

// How the print option builds the statement: "Collapsed" closes every section and block,
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
    void SetPaperFit(const PaperFit& fit) override { fit_ = fit; }
    bool WiderThanFit() const override { return fit_.pagesWide > 0 && across_ > fit_.pagesWide; }
    // The zoom, in percent of its own size, the year laid out last is drawn at: 100 unless
    // fitting to pages wide made it smaller.
    int Zoom() const { return zoom_; }

    // The pages down and across of the year laid out last: the leftmost band of month columns
    // has all the pages down, each band right of it only the pages down that hold a row (the
    // notes print on the leftmost band alone).
    int PagesDown() const { return down_; }
    int PagesAcross() const { return across_; }
    int PagesDownRightOfLeftmost() const { return downLater_; }
    // Every page of the year, bands after the first without their pages of notes.
    int YearPages() const;
    // The geometry of the page laid out last.
    const Display::LayoutMetrics& Metrics() const { return state_.metrics; }

private:
    // Builds the year's statement (unless it is the one built last) and arranges it in `area`
    // until the column widths stop changing.
    void Settle(DeviceContext& dc, const Rect& area, const LayoutKey& key);
    // Arranges the statement built last at the current zoom until its column widths stop
    // changing; answers its bands of pages across.
    int SettleColumns(DeviceContext& dc, const Rect& area);
    // The largest zoom at which the year's columns fit the pages wide the fit asks for.
    int FitZoom(DeviceContext& dc, const Rect& area);
    // Lays out the page in `area` at the given offsets; draws it when `drawing`. False when the
    // widths the rows reported differ from the ones the columns were given.
    bool Pass(DeviceContext& dc, const Rect& area, int hOffset, int vOffset, bool drawing);
    // The pages down, counted from the top, that hold something the bands right of the
    // leftmost print: how far down the last row of figures reaches.
    int PagesDownWithRows() const;
    // The page (from 0) the object was arranged to start on, or -1 above the rows (the column
    // headings).
    int PageOf(const Display::CLayout& object) const;
    // Moves every heading whose next row went to a later page onto that page as well; true
    // when one moved.
    bool KeepHeadingsWithRows();

    CMainDoc& doc_;
    AdvViewState state_;
    bool built_ = false;
    int down_ = 1;
    int across_ = 1;
    int downLater_ = 1;
    PaperFit fit_;
    int zoom_ = 100;
    // The widths the rows reported once the columns settled: every printed page is laid out
    // from them, so that a page whose rows report other widths (a later band, without the
    // notes) shares the columns out among the bands as the counting did.
    int settledDescription_ = 0;
    int settledFigure_ = 0;
    int settledNotes_ = 0;
};
