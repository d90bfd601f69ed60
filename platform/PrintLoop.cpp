#include "platform/PrintLoop.h"

#include <algorithm>
#include <exception>
#include <new>

namespace {

const Text kStartFailed = u"The print job could not be started.";
const Text kDeviceFailed = u"The printer stopped accepting pages; nothing was printed.";
const Text kFinishFailed = u"The print job could not be finished.";

Text TooManyPages() {
    return u"The print job was stopped: it would print more than " + DecimalText(kMaxPrintPages) +
           u" pages.";
}

} // namespace

PrintSession::~PrintSession() {
    End();
}

bool PrintSession::Prepare() {
    // The view may have saved its selection before a dialog said no: it is put back either way.
    prepared_ = true;
    bool accepted = false;
    try {
        accepted = view_.OnPreparePrinting(info_);
    } catch (const std::exception&) {
        accepted = false;
    }
    if (!accepted)
        End();
    return accepted;
}

void PrintSession::Begin(DeviceContext& dc) {
    view_.OnBeginPrinting(dc, info_);
}

PrintSession::Page PrintSession::Print(DeviceContext& dc, int page) {
    if (!prepared_)
        return Page::Beyond;
    info_.currentPage = page;
    info_.failure.clear();
    // The loop's own rule: a job of unknown length has at least its first page; a view that
    // knows better says so.
    info_.continuePrinting = info_.maxPage != PrintInfo::kUnknownPage || page == 1;
    try {
        view_.OnPrepareDC(dc, info_);
        if (!info_.continuePrinting || page > info_.maxPage)
            return Page::Beyond;
        view_.OnPrint(dc, info_);
    } catch (const std::bad_alloc&) {
        info_.Fail(u"There is not enough memory to print.");
    } catch (const std::exception& failure) {
        info_.Fail(u"The print job failed: " + FromUtf8(failure.what()));
    }
    if (!info_.failure.empty())
        return Page::Failed;
    return page > info_.maxPage ? Page::Beyond : Page::Printed;
}

void PrintSession::End() {
    if (!prepared_)
        return;
    prepared_ = false;
    view_.OnEndPrinting(info_);
}

PrintResult RunPrintLoop(PrintableView& view, PageTarget& target, PrintInfo& info) {
    PrintSession session(view, info);
    if (!session.Prepare())
        return {PrintResult::Status::Cancelled, 0, {}};
    if (info.maxPage < info.minPage) {
        // The view knew before the device was opened: nothing reaches it.
        session.End();
        return {PrintResult::Status::Nothing, 0, {}};
    }
    if (!target.StartDoc()) {
        session.End();
        return {PrintResult::Status::Failed, 0, kStartFailed};
    }
    DeviceContext& dc = target.Context();

    PrintResult result{PrintResult::Status::Printed, 0, {}};
    const auto fail = [&](const Text& message) {
        result.status = PrintResult::Status::Failed;
        result.message = message;
    };
    try {
        session.Begin(dc);
        const int first = std::max(info.fromPage, info.minPage);
        for (int page = first; page <= info.toPage && page <= info.maxPage; ++page) {
            if (page > kMaxPrintPages) {
                fail(TooManyPages());
                break;
            }
            if (info.pageStarting && !info.pageStarting(page)) {
                result.status = PrintResult::Status::Cancelled;
                break;
            }
            if (!target.StartPage()) {
                fail(kDeviceFailed);
                break;
            }
            const PrintSession::Page printed = session.Print(dc, page);
            if (printed == PrintSession::Page::Failed) {
                target.EndPage(false);
                fail(info.failure);
                break;
            }
            const bool keep = printed == PrintSession::Page::Printed;
            if (!target.EndPage(keep)) {
                fail(kDeviceFailed);
                break;
            }
            if (!keep)
                break;
            ++result.pages;
        }
    } catch (const std::exception& failure) {
        fail(u"The print job failed: " + FromUtf8(failure.what()));
    }
    // The view's selection comes back before anything else can go wrong.
    session.End();

    if (result.status != PrintResult::Status::Printed) {
        target.AbortDoc();
        result.pages = 0;
        return result;
    }
    if (result.pages == 0) {
        target.AbortDoc();
        return {PrintResult::Status::Nothing, 0, {}};
    }
    if (!target.EndDoc())
        return {PrintResult::Status::Failed, 0, kFinishFailed};
    return result;
}
