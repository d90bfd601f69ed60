#pragma once

#include <map>
#include <memory>

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "platform/PrintLoop.h"

class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

// The print preview: a tool bar ("Print...", "Next Page", "Prev Page", one or two pages,
// "Zoom In", "Zoom Out", "Close") over the pages of a view's print job, laid out for the
// printer. Each page shown is asked of the job like a printed one, so going back lays the
// earlier pages out again. The job's printing ends (and the view's selection comes back) when
// the preview is destroyed.
class CMy_Preview : public QWidget {
    Q_OBJECT

public:
    // The preview's tool bar: Print, Next and Previous Page, One/Two Page, Zoom In and Out, Close.
    static constexpr int kToolBarId = 30723;
    static constexpr int kMaxZoomLevel = 2;
    // Pages are drawn at this resolution and scaled to the screen.
    static constexpr int kImageDpi = 150;

    // `pages` (1 or 2) is how many pages show side by side; 0 takes the job's choice.
    CMy_Preview(PrintableView& view, QPrinter& printer, int pages, QWidget* parent = nullptr);
    ~CMy_Preview() override;

    // Prepares the job (its options dialog) and lays out the first pages. False when it was
    // cancelled, prints nothing or cannot be laid out; Failure() then says why (nothing when
    // cancelled).
    bool Start();
    const QString& Failure() const { return failure_; }

    // The first page shown, counting from 1.
    int CurrentPage() const { return page_; }
    // Pages side by side when the whole page is shown (1 or 2).
    int PagesShown() const { return pages_; }
    int ZoomLevel() const { return zoom_; }
    // The job's last page once the preview has reached it (or the job counted its pages at the
    // start), else 0.
    int LastPage() const;
    // The image of the n-th page shown (0 or 1); null when that page is not shown.
    QImage ShownPage(int index) const;

    void NextPage();
    void PrevPage();
    void SetPagesShown(int pages);
    void ZoomIn();
    void ZoomOut();
    // A click on a page: zooms in one step around the point clicked, and from the closest
    // zoom back to the whole page.
    void ZoomAtClick(QPoint at);
    // Lays the shown pages out again: margins, font or printer changed.
    void Refresh();

    QPushButton* PrintButton() const { return print_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* PrevButton() const { return prev_; }
    QPushButton* PagesButton() const { return pagesButton_; }
    QPushButton* ZoomInButton() const { return zoomIn_; }
    QPushButton* ZoomOutButton() const { return zoomOut_; }
    QPushButton* CloseButton() const { return close_; }

signals:
    void PrintRequested();
    void CloseRequested();
    // The one/two page toggle changed the number of pages shown.
    void PagesShownChanged(int pages);
    // A page could not be laid out; the preview cannot go on.
    void Failed(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The pages follow the size of the scroll area's viewport.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Begins the job on the printer's metrics and notes whether it knows its length.
    void BeginJob();
    class Canvas;

    // Draws the page into an image; null when the job has no such page or failed.
    QImage RenderPage(int page);
    // Makes the images of the shown pages, stepping back when the first is past the end.
    bool ShowPages(int first);
    void UpdateControls();
    void LayOutCanvas();
    // Display pixels per image pixel at the current zoom and size.
    double DisplayScale() const;

    PrintableView& view_;
    QPrinter& printer_;
    PrintInfo info_;
    PrintSession session_;
    bool started_ = false;
    // Whether the job knew its last page before its first page was drawn.
    bool lengthKnown_ = false;
    QString failure_;
    int page_ = 1;
    int pages_ = 1;
    int zoom_ = 0;
    std::map<int, QImage> images_;

    QPushButton* print_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* prev_ = nullptr;
    QPushButton* pagesButton_ = nullptr;
    QPushButton* zoomIn_ = nullptr;
    QPushButton* zoomOut_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    Canvas* canvas_ = nullptr;
};
