#include "platform/QtApplication.h"

#include "app/frame/ChangesController.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include "document/CMainDoc.h"
#include "document/StreamMessageSink.h"
#include "views/export/ForecastCompare.h"
#include "views/qt/CMainView.h"
#include "app/frame/ChangesOverlay.h"
#include "app/frame/ChangesPane.h"

using Statement::ForecastComparison;

namespace {

// Shown only when a comparison takes longer than this.
constexpr int kProgressDelayMs = 250;

// Reads one version: from its file, or from bytes with the file's name; the reader's messages
// when it cannot.
QString ReadVersion(CMainDoc& doc, const QString& path, const std::vector<std::uint8_t>& bytes,
                    bool fromBytes) {
    std::ostringstream messages;
    StreamMessageSink sink(messages);
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const bool read = fromBytes ? doc.Read(bytes, file, sink)
                                : doc.Load(file, sink) == CMainDoc::OpenResult::Loaded;
    if (read && doc.root)
        return {};
    const std::string text = messages.str();
    return QStringLiteral("Cannot read \"%1\": %2")
        .arg(QFileInfo(path).fileName(), text.empty()
                                             ? QStringLiteral("the file holds no forecast.")
                                             : QString::fromStdString(text).trimmed());
}

} // namespace

ChangesController::ChangesController(QMainWindow& frame, CMainDoc& doc, CMainView& view,
                                     Edition edition, std::function<QString()> filePath)
    : QObject(&frame), frame_(frame), doc_(doc), view_(view), edition_(edition),
      filePath_(std::move(filePath)) {
    compare_ = new QAction(QStringLiteral("Co&mpare With..."), this);
    compare_->setObjectName(QStringLiteral("compareWithAction"));
    compare_->setStatusTip(
        QStringLiteral("Shows what changed since an older version of this forecast"));
    stop_ = new QAction(QStringLiteral("Stop Co&mparing"), this);
    stop_->setObjectName(QStringLiteral("stopComparingAction"));
    stop_->setEnabled(false);
    show_ = new QAction(QStringLiteral("Show &Changes"), this);
    show_->setObjectName(QStringLiteral("showChangesAction"));
    show_->setCheckable(true);
    show_->setChecked(true);
    show_->setEnabled(false);

    pane_ = new ChangesPane(&frame);
    frame.addDockWidget(Qt::RightDockWidgetArea, pane_);
    pane_->hide();
    overlay_ = new ChangesOverlay(view);
    view.cellDescription = [this](int row, int column) {
        return overlay_->MarksShown() ? overlay_->CellDescription(row, column) : QString();
    };
    view.installEventFilter(this);

    progress_ = new QProgressBar(&frame);
    progress_->setObjectName(QStringLiteral("compareProgress"));
    progress_->setRange(0, 0);
    progress_->setMaximumWidth(160);
    progress_->setFormat(QStringLiteral("Comparing"));
    progress_->setAccessibleName(QStringLiteral("Comparing"));
    frame.statusBar()->addPermanentWidget(progress_);
    progress_->hide();
    offer_ = new QPushButton(QStringLiteral("Compare with the previous version"), &frame);
    offer_->setObjectName(QStringLiteral("comparePreviousButton"));
    offer_->setFlat(true);
    frame.statusBar()->addPermanentWidget(offer_);
    offer_->hide();

    connect(compare_, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            &frame_, QStringLiteral("Compare With"), QString(),
            QStringLiteral("Forecasts (*.cfb *.cfs *.cfa *.cff);;All files (*)"));
        if (!path.isEmpty())
            CompareWith(path, filePath_());
    });
    connect(stop_, &QAction::triggered, this, &ChangesController::Stop);
    connect(show_, &QAction::toggled, this, [this](bool shown) { overlay_->SetMarksShown(shown); });
    connect(offer_, &QPushButton::clicked, this, [this] {
        offer_->hide();
        Start({previousPath_, std::move(previous_)}, previousPath_);
    });
    connect(pane_, &ChangesPane::ChangeActivated, this, [this](const Statement::Change& change) {
        const auto [row, column] = overlay_->CellOf(change);
        if (row < 0)
            return;
        if (column >= 0)
            view_.FocusAccessCell(row, column);
        else
            view_.FocusAccessRow(row);
        view_.setFocus();
    });
}

void ChangesController::AddToFileMenu(QMenu& menu) const {
    menu.addSeparator();
    menu.addAction(compare_);
    menu.addAction(stop_);
}

void ChangesController::AddToViewMenu(QMenu& menu) const {
    menu.addAction(show_);
    menu.addAction(pane_->toggleViewAction());
}

ChangesController::~ChangesController() {
    if (thread_)
        thread_->wait();
}

void ChangesController::CompareWith(const QString& olderPath, const QString& newerPath) {
    Start({olderPath, {}}, newerPath);
}

void ChangesController::Start(Older older, const QString& newerPath) {
    if (!doc_.root)
        return;
    if (thread_) {
        // One comparison at a time: the running one's result is dropped.
        ++generation_;
        thread_->wait();
        thread_ = nullptr;
    }
    const std::uint64_t generation = ++generation_;
    // The window's forecast stays the window's: the worker reads a copy of it.
    auto newer = std::make_shared<std::vector<std::uint8_t>>(doc_.Store());
    const Edition edition = edition_;
    thread_ = QThread::create(
        [this, generation, older = std::move(older), newer, newerPath, edition]() mutable {
            CMainDoc was;
            CMainDoc is;
            QString failure = ReadVersion(was, older.path, older.bytes, !older.bytes.empty());
            if (failure.isEmpty())
                failure = ReadVersion(is, newerPath, *newer, true);
            std::shared_ptr<const ForecastComparison> comparison;
            if (failure.isEmpty()) {
                was.Recalculate();
                is.Recalculate();
                comparison =
                    std::make_shared<const ForecastComparison>(CompareForecasts(was, is, edition));
            }
            QMetaObject::invokeMethod(
                this,
                [this, generation, comparison, failure] { Done(generation, comparison, failure); },
                Qt::QueuedConnection);
        });
    QThread* thread = thread_;
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    frame_.statusBar()->showMessage(QStringLiteral("Comparing..."));
    QTimer::singleShot(kProgressDelayMs, this, [this, generation] {
        if (generation == generation_ && thread_)
            progress_->show();
    });
}

void ChangesController::Done(std::uint64_t generation,
                             std::shared_ptr<const ForecastComparison> comparison,
                             const QString& failure) {
    if (generation != generation_)
        return;
    if (thread_) {
        thread_->wait();
        thread_ = nullptr;
    }
    progress_->hide();
    frame_.statusBar()->clearMessage();
    if (!failure.isEmpty()) {
        QMessageBox::warning(&frame_, QStringLiteral("Compare With"), failure);
        emit Finished(failure);
        return;
    }
    comparison_ = std::move(comparison);
    overlay_->SetComparison(comparison_);
    stop_->setEnabled(true);
    show_->setEnabled(true);
    paneShows_ = overlay_->ShownChanges();
    pane_->Show(*comparison_, paneShows_, doc_.root && doc_.Root().cents != 0);
    if (!pane_->isVisible()) {
        pane_->show();
        // Wide enough for a change's row and its older amount side by side.
        frame_.resizeDocks({pane_}, {std::max(pane_->width(), 460)}, Qt::Horizontal);
    }
    frame_.statusBar()->showMessage(
        comparison_->Changed()
            ? QStringLiteral("%1 figures changed").arg(comparison_->ChangedFigures())
            : QStringLiteral("No changes"),
        5000);
    emit Finished({});
}

void ChangesController::Stop() {
    ++generation_;
    if (thread_) {
        thread_->wait();
        thread_ = nullptr;
    }
    comparison_.reset();
    paneShows_ = nullptr;
    overlay_->SetComparison(nullptr);
    pane_->Clear();
    pane_->hide();
    progress_->hide();
    stop_->setEnabled(false);
    show_->setEnabled(false);
}

void ChangesController::Reloaded(std::vector<std::uint8_t> previous, const QString& path) {
    Stop();
    previous_ = std::move(previous);
    previousPath_ = path;
    offer_->setVisible(!previous_.empty());
}

void ChangesController::ShowCurrent() {
    if (!comparison_)
        return;
    const Statement::StatementChanges* shown = overlay_->ShownChanges();
    if (shown == paneShows_)
        return;
    paneShows_ = shown;
    pane_->Show(*comparison_, shown, doc_.root && doc_.Root().cents != 0);
}

bool ChangesController::eventFilter(QObject* watched, QEvent* event) {
    // After the view's pass the statement on screen may be another: the pane follows it.
    if (watched == &view_ && event->type() == QEvent::Paint && comparison_)
        QTimer::singleShot(0, this, [this] { ShowCurrent(); });
    return QObject::eventFilter(watched, event);
}
