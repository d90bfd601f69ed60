#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "database/LayoutKey.h"
#include "platform/DrawTypes.h"
#include "platform/PrintLoop.h"
#include "views/PaperFit.h"

class CMainDoc;
class DeviceContext;

// Lays one year of the Advanced statement out on paper: how many pages it needs and what each
// of them shows. Pages run down first, then across.
class AdvPageLayout {
public:
    // What CountPages answers when the paper is too narrow to show the year's figures beside its
    // descriptions.
    static constexpr int kTooNarrow = -1;
    // What it answers when the margins leave no room for one row below the headings.
    static constexpr int kTooShort = -2;

    virtual ~AdvPageLayout() = default;
    // Arranges the year at `key` for `area`, the PrintArea of `dc`, with its column widths
    // settled, and answers the pages it needs (at least 1), or kTooNarrow or kTooShort.
    virtual int CountPages(DeviceContext& dc, const Rect& area, const LayoutKey& key) = 0;
    // Lays out page `page` (from 0) of the year at `key` in `area` and draws it.
    virtual void PrintPage(DeviceContext& dc, const Rect& area, const LayoutKey& key, int page) = 0;
    // How the statement is laid across the paper; the labels repeat on every band whatever it
    // says. Takes effect from the next CountPages.
    virtual void SetPaperFit(const PaperFit&) {}
    // After CountPages: the year takes more pages across than the fit asks for even drawn at
    // the smallest size fitting allows.
    virtual bool WiderThanFit() const { return false; }
};

// The print job of the Advanced view: the options dialog, then a counting pass over every year
// of every company, scenario and view, so that the job's length is known before the first page;
// then any page in any order, the walk stepping forwards or back to the year that holds it. Only
// years whose print mark is set give pages. The view's key is moved along and put back at the
// end; the window, the preview and the PDF export share the job.
class AdvPrintJob : public PrintableView {
public:
    // Shows the options dialog; false unless closed with OK.
    using OptionsDialog = std::function<bool()>;

    AdvPrintJob(CMainDoc& doc, LayoutKey& currentKey, AdvPageLayout& layout, OptionsDialog dialog);
    // The job keeps the layout.
    AdvPrintJob(CMainDoc& doc, LayoutKey& currentKey, std::unique_ptr<AdvPageLayout> layout,
                OptionsDialog dialog);

    // Called when printing ends, so the window shows its own key again.
    void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }
    // Told when the job starts moving the view's key along the years and when it has put it
    // back: in between the window must not draw its statement.
    void SetPrintingChanged(std::function<void(bool)> changed) { printingChanged_ = std::move(changed); }
    bool Printing() const { return printing_; }
    // The pages the counting pass found.
    int PageCount() const { return pagesTotal_; }
    // Fit to pages wide: each year is drawn smaller until its columns fit `fit.pagesWide` pages
    // across, never below PaperFit::kSmallestPoints. For the jobs that start after it.
    void SetPaperFit(const PaperFit& fit);
    // What the counting pass found the user should know though the job prints: empty, or that
    // some years would need a font below the smallest to fit the pages wide asked for (they
    // print at the smallest, on more pages across).
    const Text& Notice() const { return notice_; }

    bool OnPreparePrinting(PrintInfo& info) override;
    void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) override;
    void OnPrepareDC(DeviceContext& dc, PrintInfo& info) override;
    void OnPrint(DeviceContext& dc, PrintInfo& info) override;
    void OnEndPrinting(PrintInfo& info) override;

private:
    // A year of the walk and the pages it gives.
    struct Object {
        LayoutKey key;
        int pages = 0;
    };

    // The years of the forecast whose print mark is set, in print order.
    std::vector<LayoutKey> Walk() const;

    CMainDoc& doc_;
    LayoutKey& currentKey_;
    std::unique_ptr<AdvPageLayout> ownedLayout_;
    AdvPageLayout& layout_;
    OptionsDialog dialog_;
    std::function<void()> redraw_;
    std::function<void(bool)> printingChanged_;
    LayoutKey savedKey_;
    bool printing_ = false;
    std::vector<Object> objects_;
    int pagesTotal_ = 0;
    // A year that the paper cannot show: the job fails on its first page with the reason.
    Text refusal_;
    PaperFit fit_;
    Text notice_;
    // Where the walk stands: the object and the pages of the objects before it.
    std::size_t object_ = 0;
    int pagesBefore_ = 0;
};

// The job with its layout on paper (the statement printed as the print option says).
std::unique_ptr<AdvPrintJob> MakeAdvPrintJob(CMainDoc& doc, LayoutKey& currentKey,
                                             AdvPrintJob::OptionsDialog dialog);
