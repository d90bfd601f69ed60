#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QStatusBar>
#include <QString>

#include "platform/LockKeys.h"

class QLabel;

// The frame's status bar: the prompt ("Ready" unless a menu or toolbar tip stands in its place),
// the report of the last reload of the open file, and the CAP, NUM and SCRL panes, each showing
// its word while its key is locked.
class FrameStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit FrameStatusBar(QWidget* parent);

    QString Prompt() const;
    // What the prompt says when no tip stands in its place: "Ready", or why the window is blank.
    void SetIdlePrompt(const QString& text);
    // The report of the last reload, empty until there is one (object name "FollowStatus").
    QString FollowReport() const;
    void SetFollowReport(const QString& report);
    // The CAP, NUM and SCRL panes, in that order.
    QList<QLabel*> LockKeyPanes() const { return {capsPane_, numPane_, scrollPane_}; }
    // Where the lock keys' states come from (the platform's unless a test sets another); the
    // panes follow them at every key press and release and whenever the application is activated.
    using LockKeyReader = std::function<std::optional<LockKeyStates>()>;
    void SetLockKeyReader(LockKeyReader reader);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateLockKeyPanes();

    QLabel* readyLabel_ = nullptr;
    QLabel* followLabel_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
    LockKeyReader lockKeyReader_ = ReadLockKeys;
    bool lockKeyUpdatePending_ = false;
};
