#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>

#include "document/Edition.h"
#include "statement/compare/ForecastComparison.h"

class CMainDoc;
class CMainView;
class ChangesOverlay;
class ChangesPane;
class QAction;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QThread;

// Comparing the forecast on screen with an older version: File > Compare With... and Stop
// Comparing, View > Show Changes, the Changes pane, the marks over the view, and the offer to
// compare with the previous version after the followed file was read again. The comparison
// runs off the window's thread on copies of both versions; a progress bar shows when it takes
// longer than a quarter of a second.
class ChangesController : public QObject {
    Q_OBJECT

public:
    // `filePath` names the file of the forecast on screen.
    ChangesController(QMainWindow& frame, CMainDoc& doc, CMainView& view, Edition edition,
                      std::function<QString()> filePath);
    ~ChangesController() override;

    // Compare With... and Stop Comparing, after a separator.
    void AddToFileMenu(QMenu& menu) const;
    // Show Changes and the pane's own toggle.
    void AddToViewMenu(QMenu& menu) const;
    QAction* CompareAction() const { return compare_; }
    QAction* StopAction() const { return stop_; }
    QAction* ShowAction() const { return show_; }
    ChangesPane& Pane() const { return *pane_; }
    ChangesOverlay& Overlay() const { return *overlay_; }
    // The comparison on screen, none before one finished or after Stop.
    const Statement::ForecastComparison* Comparison() const { return comparison_.get(); }
    bool Running() const { return thread_ != nullptr; }

    // Compares the forecast on screen (read from `newerPath`) with the version in `olderPath`.
    void CompareWith(const QString& olderPath, const QString& newerPath);
    // Ends the comparison: marks, pane and offer go.
    void Stop();
    // The forecast on screen was read again; `previous` holds the version it replaced, which the
    // status bar offers to compare with.
    void Reloaded(std::vector<std::uint8_t> previous, const QString& path);

signals:
    // A comparison finished (or failed, with the reason).
    void Finished(const QString& failure);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the older version comes from: a file, or the bytes of the previous version.
    struct Older {
        QString path;
        std::vector<std::uint8_t> bytes;
    };
    void Start(Older older, const QString& newerPath);
    void Done(std::uint64_t generation,
              std::shared_ptr<const Statement::ForecastComparison> comparison,
              const QString& failure);
    void ShowCurrent();

    QMainWindow& frame_;
    CMainDoc& doc_;
    CMainView& view_;
    Edition edition_;
    std::function<QString()> filePath_;
    QAction* compare_ = nullptr;
    QAction* stop_ = nullptr;
    QAction* show_ = nullptr;
    ChangesPane* pane_ = nullptr;
    ChangesOverlay* overlay_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* offer_ = nullptr;
    QThread* thread_ = nullptr;
    // Moves on with every start and stop, so a result that comes late is dropped.
    std::uint64_t generation_ = 0;
    std::shared_ptr<const Statement::ForecastComparison> comparison_;
    const Statement::StatementChanges* paneShows_ = nullptr;
    std::vector<std::uint8_t> previous_;
    QString previousPath_;
};
