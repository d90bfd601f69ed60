#pragma once

#include <functional>
#include <limits>

#include "core/WideText.h"

class DeviceContext;

// What the page loop and a view tell each other about one print job: the page asked for, the
// job's last page once the view knows it, and whether the job goes on.
struct PrintInfo {
    // The last page of a job whose length is not known yet.
    static constexpr int kUnknownPage = std::numeric_limits<int>::max();

    // True while the pages go to the preview rather than a device.
    bool preview = false;
    int minPage = 1;
    // The job's last page: set by the view when the job is complete (0: nothing to print).
    int maxPage = kUnknownPage;
    // The pages the print dialog asked for.
    int fromPage = 1;
    int toPage = kUnknownPage;
    // The page being prepared or printed.
    int currentPage = 1;
    // Cleared by the view when the job is complete.
    bool continuePrinting = true;
    // Pages the preview shows side by side when it starts.
    int previewPages = 1;
    // The loop's own preparation, run by the view once its options are chosen: the system print
    // dialog unless previewing. False cancels the job.
    std::function<bool(PrintInfo&)> preparePrinting;
    // Called before each page the device receives; false cancels the job.
    std::function<bool(int page)> pageStarting;
    // Why the job cannot go on; the loop ends it and reports this.
    Text failure;

    // Runs the loop's preparation.
    bool DoPreparePrinting() { return preparePrinting ? preparePrinting(*this) : true; }
    // The job is complete after `lastPage` pages.
    void EndJob(int lastPage) {
        maxPage = lastPage;
        continuePrinting = false;
    }
    // The job ends without printing, for the reason given.
    void Fail(const Text& reason) {
        failure = reason;
        continuePrinting = false;
    }
};

// The print operations of a view, in the order the page loop calls them: prepare (may cancel),
// begin, then for each page prepare the context and print, and end.
class PrintableView {
public:
    virtual ~PrintableView() = default;
    // Chooses what to print (options dialog, then info.DoPreparePrinting()); false cancels.
    virtual bool OnPreparePrinting(PrintInfo& info) = 0;
    virtual void OnBeginPrinting(DeviceContext& dc, PrintInfo& info) = 0;
    // Marks whether the job continues with info.currentPage.
    virtual void OnPrepareDC(DeviceContext& dc, PrintInfo& info) = 0;
    // Lays the job out up to info.currentPage and draws that page.
    virtual void OnPrint(DeviceContext& dc, PrintInfo& info) = 0;
    // Puts back what printing changed; called once for every job that was prepared.
    virtual void OnEndPrinting(PrintInfo& info) = 0;
};

// Where the pages of a job go: a printer, a PDF writer or a recorder.
class PageTarget {
public:
    virtual ~PageTarget() = default;
    // Opens the document; false when the device cannot start.
    virtual bool StartDoc() = 0;
    // The context pages are drawn on, valid from StartDoc until EndDoc or AbortDoc.
    virtual DeviceContext& Context() = 0;
    // Before each page; false when the device failed.
    virtual bool StartPage() = 0;
    // After each page: `keep` is false when the page turned out not to exist (nothing was
    // drawn on it). False when the device failed.
    virtual bool EndPage(bool keep) = 0;
    // Finishes the document; false when the device failed.
    virtual bool EndDoc() = 0;
    // Drops the document: nothing is printed.
    virtual void AbortDoc() = 0;
};

// One job from preparation to end, page by page in any order: the page loop prints pages 1, 2,
// … through it, the preview whichever pages it shows. Ends printing when destroyed.
class PrintSession {
public:
    enum class Page {
        Printed, // the page was drawn
        Beyond,  // the job has no such page (it is complete, or nothing is printed)
        Failed,  // the job cannot go on: info.failure says why
    };

    PrintSession(PrintableView& view, PrintInfo& info) : view_(view), info_(info) {}
    ~PrintSession();
    PrintSession(const PrintSession&) = delete;
    PrintSession& operator=(const PrintSession&) = delete;

    // The view's preparation; false when the job was cancelled (the session is then over).
    bool Prepare();
    void Begin(DeviceContext& dc);
    // Prepares the context for `page` and prints it.
    Page Print(DeviceContext& dc, int page);
    // Ends printing once, if it was prepared.
    void End();

    PrintInfo& Info() { return info_; }

private:
    PrintableView& view_;
    PrintInfo& info_;
    bool prepared_ = false;
};

// How a job through RunPrintLoop ended.
struct PrintResult {
    enum class Status {
        Printed,   // `pages` pages went to the device
        Cancelled, // a dialog was cancelled, or the user stopped the job; nothing printed
        Nothing,   // the options chose nothing to print; nothing printed
        Failed,    // the device or the view could not go on: `message`; nothing printed
    };
    Status status = Status::Cancelled;
    int pages = 0;
    Text message;
};

// A job that reaches this page fails rather than run on (a damaged forecast could ask for
// millions).
inline constexpr int kMaxPrintPages = 100000;

// The page loop: prepares the view's job, opens the device and prints pages from
// info.fromPage until the view marks the job complete (or info.toPage), then ends printing.
PrintResult RunPrintLoop(PrintableView& view, PageTarget& target, PrintInfo& info);
