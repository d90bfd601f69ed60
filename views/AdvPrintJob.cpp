#include "views/AdvPrintJob.h"

#include <algorithm>
#include <cstdint>

#include "database/CYear.h"
#include "display/PrintArea.h"
#include "document/CMainDoc.h"
#include "statement/PrintOrder.h"
#include "views/PrintTree.h"

namespace {

const Text kTooNarrow = u"The page is too narrow to show the figures beside the descriptions. "
                        u"Choose smaller margins in Page Setup or a wider paper.";

} // namespace

AdvPrintJob::AdvPrintJob(CMainDoc& doc, LayoutKey& currentKey, AdvPageLayout& layout,
                         OptionsDialog dialog)
    : doc_(doc), currentKey_(currentKey), layout_(layout), dialog_(std::move(dialog)) {}

AdvPrintJob::AdvPrintJob(CMainDoc& doc, LayoutKey& currentKey,
                         std::unique_ptr<AdvPageLayout> layout, OptionsDialog dialog)
    : doc_(doc), currentKey_(currentKey), ownedLayout_(std::move(layout)), layout_(*ownedLayout_),
      dialog_(std::move(dialog)) {}

std::vector<LayoutKey> AdvPrintJob::Walk() const {
    std::vector<LayoutKey> keys;
    // Hidden entries print too when their print mark is set.
    for (const Statement::YearInPrintOrder& year :
         Statement::YearsInPrintOrder(doc_.Root(), Statement::HiddenEntries::Included))
        if (CheckOfMark(year.year->printMark) != PrintCheck::Unchecked)
            keys.push_back(year.key);
    return keys;
}

void AdvPrintJob::SetPaperFit(const PaperFit& fit) {
    fit_ = fit;
    layout_.SetPaperFit(fit);
}

bool AdvPrintJob::OnPreparePrinting(PrintInfo& info) {
    savedKey_ = currentKey_;
    if (dialog_ && !dialog_())
        return false;
    if (!info.DoPreparePrinting())
        return false;
    info.previewPages = 1;
    return true;
}

void AdvPrintJob::OnBeginPrinting(DeviceContext& dc, PrintInfo& info) {
    printing_ = true;
    if (printingChanged_)
        printingChanged_(true);
    objects_.clear();
    object_ = 0;
    pagesBefore_ = 0;
    // Counted in 64 bits and stopped just past the loop's limit, which then ends the job with
    // its own message rather than printing for ever.
    std::int64_t total = 0;
    refusal_.clear();
    notice_.clear();
    bool widerThanFit = false;
    const Rect area = PrintArea(dc, doc_.Root());
    for (const LayoutKey& key : Walk()) {
        currentKey_ = key;
        const int counted = layout_.CountPages(dc, area, key);
        if (counted == AdvPageLayout::kTooNarrow || counted == AdvPageLayout::kTooShort) {
            // One page, which says why there are no more.
            refusal_ = counted == AdvPageLayout::kTooNarrow ? kTooNarrow : kNoPrintArea;
            total = 1;
            break;
        }
        widerThanFit = widerThanFit || layout_.WiderThanFit();
        const int pages = std::max(0, counted);
        objects_.push_back({key, pages});
        total += pages;
        if (total > kMaxPrintPages)
            break;
    }
    pagesTotal_ = static_cast<int>(std::min<std::int64_t>(total, kMaxPrintPages + 1));
    if (widerThanFit && refusal_.empty())
        notice_ = fit_.TooWideNotice();
    currentKey_ = savedKey_;
    info.maxPage = pagesTotal_;
    info.continuePrinting = pagesTotal_ > 0;
}

void AdvPrintJob::OnPrepareDC(DeviceContext&, PrintInfo& info) {
    info.continuePrinting = info.currentPage >= 1 && info.currentPage <= pagesTotal_;
}

void AdvPrintJob::OnPrint(DeviceContext& dc, PrintInfo& info) {
    const int page = info.currentPage;
    if (page < 1 || page > pagesTotal_) {
        info.EndJob(pagesTotal_);
        return;
    }
    // The years were counted on the empty area as a page each; none of them would show.
    const Rect area = PrintArea(dc, doc_.Root());
    if (area.IsEmpty()) {
        info.Fail(kNoPrintArea);
        return;
    }
    if (!refusal_.empty()) {
        info.Fail(refusal_);
        return;
    }
    // Forwards past the years that end before the page, or back (a preview going back) to the
    // year that holds it.
    while (object_ < objects_.size() && page > pagesBefore_ + objects_[object_].pages) {
        pagesBefore_ += objects_[object_].pages;
        ++object_;
    }
    while (object_ > 0 && page <= pagesBefore_) {
        --object_;
        pagesBefore_ -= objects_[object_].pages;
    }
    if (object_ >= objects_.size()) {
        info.EndJob(pagesTotal_);
        return;
    }
    const Object& object = objects_[object_];
    currentKey_ = object.key;
    layout_.PrintPage(dc, area, object.key, page - pagesBefore_ - 1);
    if (page == pagesTotal_)
        info.EndJob(pagesTotal_);
}

void AdvPrintJob::OnEndPrinting(PrintInfo&) {
    currentKey_ = savedKey_;
    printing_ = false;
    if (printingChanged_)
        printingChanged_(false);
    if (redraw_)
        redraw_();
}
