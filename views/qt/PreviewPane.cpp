#include "views/qt/PreviewPane.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "platform/QtDeviceContext.h"
#include "platform/QtPageImages.h"
#include "platform/QtText.h"

namespace {

// Space around and between the pages on the screen, in display pixels.
constexpr int kGap = 16;
// A page image is never larger than this on a side (a damaged page size cannot eat memory).
constexpr int kMaxImageSide = 6000;
constexpr double kZoomFactors[CMy_Preview::kMaxZoomLevel + 1] = {1.0, 2.0, 3.0};

} // namespace

// The grey desk the page images lie on.
class CMy_Preview::Canvas : public QWidget {
public:
    explicit Canvas(CMy_Preview& preview) : QWidget(nullptr), preview_(preview) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const int shown = preview_.zoom_ == 0 ? preview_.pages_ : 1;
        std::vector<QImage> pages;
        for (int i = 0; i < shown; ++i)
            pages.push_back(preview_.ShownPage(i));
        QtPageImages::PaintDesk(*this, pages, preview_.DisplayScale(), kGap);
    }

private:
    CMy_Preview& preview_;
};

CMy_Preview::CMy_Preview(PrintableView& view, QPrinter& printer, int pages, QWidget* parent)
    : QWidget(parent), view_(view), printer_(printer), session_(view, info_),
      pages_(pages == 1 || pages == 2 ? pages : 0) {
    setObjectName(QStringLiteral("CMy_Preview"));
    info_.preview = true;

    auto* bar = new QWidget(this);
    bar->setObjectName(QString::number(kToolBarId));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    const auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromLatin1(text), bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        return b;
    };
    print_ = button("&Print...", "Print");
    next_ = button("&Next Page", "NextPage");
    prev_ = button("Pre&v Page", "PrevPage");
    pagesButton_ = button("&Two Page", "NumPage");
    zoomIn_ = button("Zoom &In", "ZoomIn");
    zoomOut_ = button("Zoom &Out", "ZoomOut");
    close_ = button("&Close", "Close");
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("PageLabel"));
    row->addWidget(pageLabel_);
    row->addStretch(1);

    connect(print_, &QPushButton::clicked, this, &CMy_Preview::PrintRequested);
    connect(next_, &QPushButton::clicked, this, &CMy_Preview::NextPage);
    connect(prev_, &QPushButton::clicked, this, &CMy_Preview::PrevPage);
    connect(pagesButton_, &QPushButton::clicked, this,
            [this] { SetPagesShown(pages_ == 2 ? 1 : 2); });
    connect(zoomIn_, &QPushButton::clicked, this, &CMy_Preview::ZoomIn);
    connect(zoomOut_, &QPushButton::clicked, this, &CMy_Preview::ZoomOut);
    connect(close_, &QPushButton::clicked, this, &CMy_Preview::CloseRequested);

    canvas_ = new Canvas(*this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->viewport()->installEventFilter(this);
    // A click on a page must not take the keys away from the preview: Page Up, Page Down and
    // Escape turn pages and close it wherever the user clicked.
    scroll_->setFocusPolicy(Qt::NoFocus);
    canvas_->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scroll_, 1);
    setFocusPolicy(Qt::StrongFocus);
    UpdateControls();
}

CMy_Preview::~CMy_Preview() {
    // The view's selection comes back before the widgets go.
    session_.End();
}

bool CMy_Preview::Start() {
    if (started_)
        return true;
    failure_.clear();
    if (!session_.Prepare())
        return false;
    if (pages_ == 0)
        pages_ = std::clamp(info_.previewPages, 1, 2);
    BeginJob();
    started_ = true;
    if (!ShowPages(1)) {
        if (failure_.isEmpty())
            failure_ = QStringLiteral("There is nothing to print with these options.");
        return false;
    }
    return true;
}

void CMy_Preview::BeginJob() {
    // The job's own setting up measures with the printer's metrics. A job that counts its pages
    // there knows its length from the start.
    QtPageImages::Measure(QtDeviceContext::PageCaps(printer_),
                          [this](DeviceContext& dc) { session_.Begin(dc); });
    lengthKnown_ = info_.maxPage != PrintInfo::kUnknownPage;
}

int CMy_Preview::LastPage() const {
    return info_.maxPage == PrintInfo::kUnknownPage ? 0 : info_.maxPage;
}

QImage CMy_Preview::ShownPage(int index) const {
    const auto found = images_.find(page_ + index);
    return found == images_.end() ? QImage() : found->second;
}

QImage CMy_Preview::RenderPage(int page) {
    PrintSession::Page result = PrintSession::Page::Beyond;
    QImage image = QtPageImages::Render(QtDeviceContext::PageCaps(printer_), kImageDpi,
                                        kMaxImageSide, [&](DeviceContext& dc) {
                                            result = session_.Print(dc, page);
                                            return result == PrintSession::Page::Printed;
                                        });
    if (result == PrintSession::Page::Failed)
        failure_ = ToQString(info_.failure);
    return image;
}

bool CMy_Preview::ShowPages(int first) {
    // Pages already drawn are kept rather than asked of the job again.
    std::map<int, QImage> drawn = std::move(images_);
    images_.clear();
    const auto page = [&](int number) {
        const auto found = drawn.find(number);
        return found != drawn.end() ? found->second : RenderPage(number);
    };
    first = std::max(1, first);
    QImage image = page(first);
    if (image.isNull() && failure_.isEmpty() && first > 1 && LastPage() > 0) {
        // Past the end: the last page instead.
        first = std::min(first - 1, LastPage());
        image = page(first);
    }
    if (image.isNull()) {
        UpdateControls();
        return false;
    }
    page_ = first;
    images_[first] = image;
    if (pages_ == 2 && zoom_ == 0 && (LastPage() == 0 || first + 1 <= LastPage())) {
        QImage second = page(first + 1);
        if (!failure_.isEmpty()) {
            images_.clear();
            UpdateControls();
            return false;
        }
        if (!second.isNull())
            images_[first + 1] = second;
    }
    UpdateControls();
    LayOutCanvas();
    canvas_->update();
    return true;
}

void CMy_Preview::UpdateControls() {
    const int shown = std::min(zoom_ == 0 ? pages_ : 1,
                               static_cast<int>(std::max<std::size_t>(images_.size(), 1)));
    const int lastShown = page_ + shown - 1;
    next_->setEnabled(started_ && (LastPage() == 0 || lastShown < LastPage()));
    prev_->setEnabled(started_ && page_ > 1);
    pagesButton_->setText(pages_ == 2 ? QStringLiteral("&One Page") : QStringLiteral("&Two Page"));
    pagesButton_->setEnabled(zoom_ == 0);
    zoomIn_->setEnabled(zoom_ < kMaxZoomLevel);
    zoomOut_->setEnabled(zoom_ > 0);
    if (images_.empty())
        pageLabel_->clear();
    else if (shown > 1 && lengthKnown_)
        pageLabel_->setText(
            QStringLiteral("Pages %1-%2 of %3").arg(page_).arg(lastShown).arg(LastPage()));
    else if (shown > 1)
        pageLabel_->setText(QStringLiteral("Pages %1-%2").arg(page_).arg(lastShown));
    else if (lengthKnown_)
        pageLabel_->setText(QStringLiteral("Page %1 of %2").arg(page_).arg(LastPage()));
    else
        pageLabel_->setText(QStringLiteral("Page %1").arg(page_));
}

double CMy_Preview::DisplayScale() const {
    const int shown = zoom_ == 0 ? pages_ : 1;
    int width = 0;
    int height = 0;
    int count = 0;
    for (int i = 0; i < shown; ++i) {
        const QImage image = ShownPage(i);
        if (image.isNull())
            continue;
        width += image.width();
        height = std::max(height, image.height());
        ++count;
    }
    if (height == 0)
        return 1.0;
    // The gaps keep their size on the screen; the pages take the rest of the viewport.
    const QSize viewport = scroll_->viewport()->size();
    const double across = static_cast<double>(viewport.width() - (count + 1) * kGap) / width;
    const double down = static_cast<double>(viewport.height() - 2 * kGap) / height;
    return std::max(0.05, std::min(across, down)) * kZoomFactors[zoom_];
}

void CMy_Preview::LayOutCanvas() {
    const double scale = DisplayScale();
    int width = kGap;
    int height = 0;
    for (int i = 0; i < (zoom_ == 0 ? pages_ : 1); ++i) {
        const QImage image = ShownPage(i);
        if (image.isNull())
            continue;
        width += static_cast<int>(std::lround(image.width() * scale)) + kGap;
        height = std::max(height, static_cast<int>(std::lround(image.height() * scale)));
    }
    const QSize viewport = scroll_->viewport()->size();
    canvas_->resize(std::max(viewport.width(), width),
                    std::max(viewport.height(), height + 2 * kGap));
}

void CMy_Preview::NextPage() {
    if (!next_->isEnabled())
        return;
    if (!ShowPages(page_ + 1) && !failure_.isEmpty())
        emit Failed(failure_);
}

void CMy_Preview::PrevPage() {
    if (page_ <= 1)
        return;
    if (!ShowPages(page_ - 1) && !failure_.isEmpty())
        emit Failed(failure_);
}

void CMy_Preview::SetPagesShown(int pages) {
    pages = pages == 2 ? 2 : 1;
    if (pages == pages_)
        return;
    pages_ = pages;
    emit PagesShownChanged(pages_);
    if (started_ && !ShowPages(page_) && !failure_.isEmpty())
        emit Failed(failure_);
}

void CMy_Preview::ZoomIn() {
    if (zoom_ >= kMaxZoomLevel)
        return;
    ++zoom_;
    UpdateControls();
    LayOutCanvas();
    canvas_->update();
}

void CMy_Preview::ZoomOut() {
    if (zoom_ <= 0)
        return;
    --zoom_;
    // The second page comes back with the whole-page view.
    if (zoom_ == 0 && pages_ == 2 && started_) {
        if (!ShowPages(page_) && !failure_.isEmpty())
            emit Failed(failure_);
        return;
    }
    UpdateControls();
    LayOutCanvas();
    canvas_->update();
}

void CMy_Preview::ZoomAtClick(QPoint at) {
    // The point of the desk under the pointer, as a share of the desk, stays under it.
    const QPoint onCanvas = canvas_->mapFrom(scroll_->viewport(), at);
    const double shareX = static_cast<double>(onCanvas.x()) / std::max(1, canvas_->width());
    const double shareY = static_cast<double>(onCanvas.y()) / std::max(1, canvas_->height());
    if (zoom_ < kMaxZoomLevel) {
        ZoomIn();
    } else {
        while (zoom_ > 0)
            ZoomOut();
    }
    scroll_->horizontalScrollBar()->setValue(
        static_cast<int>(std::lround(shareX * canvas_->width())) - at.x());
    scroll_->verticalScrollBar()->setValue(
        static_cast<int>(std::lround(shareY * canvas_->height())) - at.y());
}

void CMy_Preview::Refresh() {
    if (!started_)
        return;
    // The job may have grown or shrunk: its length is found again, every page anew.
    info_.maxPage = PrintInfo::kUnknownPage;
    BeginJob();
    images_.clear();
    if (!ShowPages(page_) && !failure_.isEmpty())
        emit Failed(failure_);
}

void CMy_Preview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        NextPage();
        break;
    case Qt::Key_PageUp:
        PrevPage();
        break;
    case Qt::Key_Escape:
        emit CloseRequested();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool CMy_Preview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize)
        LayOutCanvas();
    if (watched == scroll_->viewport() && event->type() == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        const auto* click = static_cast<QMouseEvent*>(event);
        if (click->button() == Qt::LeftButton && !images_.empty())
            ZoomAtClick(click->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}
