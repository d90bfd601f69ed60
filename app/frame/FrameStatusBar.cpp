#include "platform/QtApplication.h"

#include "app/frame/FrameStatusBar.h"

#include <utility>

#include <QEvent>
#include <QLabel>
#include <QTimer>

FrameStatusBar::FrameStatusBar(QWidget* parent) : QStatusBar(parent) {
    readyLabel_ = new QLabel(QStringLiteral("Ready"), this);
    addWidget(readyLabel_, 1);
    // On the right, where the menus' status tips do not cover it.
    followLabel_ = new QLabel(this);
    followLabel_->setObjectName(QStringLiteral("FollowStatus"));
    addPermanentWidget(followLabel_);

    // Each pane is as wide as its word, shown while its key is locked and blank otherwise.
    const auto makePane = [this](const char* name, const QString& word) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QLatin1String(name));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(word) +
                              2 * pane->fontMetrics().averageCharWidth());
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(pane);
        return pane;
    };
    capsPane_ = makePane("CapsLockPane", QStringLiteral("CAP"));
    numPane_ = makePane("NumLockPane", QStringLiteral("NUM"));
    scrollPane_ = makePane("ScrollLockPane", QStringLiteral("SCRL"));
    // The keys can change while any of the window's widgets, menus or dialogs has the keyboard.
    qApp->installEventFilter(this);
    UpdateLockKeyPanes();
}

void FrameStatusBar::SetIdlePrompt(const QString& text) {
    readyLabel_->setText(text);
}

QString FrameStatusBar::Prompt() const {
    const QString message = currentMessage();
    return message.isEmpty() ? readyLabel_->text() : message;
}

QString FrameStatusBar::FollowReport() const {
    return followLabel_->text();
}

void FrameStatusBar::SetFollowReport(const QString& report) {
    followLabel_->setText(report);
}

void FrameStatusBar::SetLockKeyReader(LockKeyReader reader) {
    lockKeyReader_ = std::move(reader);
    UpdateLockKeyPanes();
}

void FrameStatusBar::UpdateLockKeyPanes() {
    const std::optional<LockKeyStates> states =
        lockKeyReader_ ? lockKeyReader_() : std::optional<LockKeyStates>();
    const auto show = [](QLabel* pane, bool on, const QString& word) {
        const QString text = on ? word : QString();
        if (pane->text() != text)
            pane->setText(text);
    };
    show(capsPane_, states && states->capsLock, QStringLiteral("CAP"));
    show(numPane_, states && states->numLock, QStringLiteral("NUM"));
    show(scrollPane_, states && states->scrollLock, QStringLiteral("SCRL"));
}

bool FrameStatusBar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        // Once for a key, however many widgets the event is offered to on its way up.
        if (!lockKeyUpdatePending_) {
            lockKeyUpdatePending_ = true;
            QTimer::singleShot(0, this, [this] {
                lockKeyUpdatePending_ = false;
                UpdateLockKeyPanes();
            });
        }
        break;
    default:
        break;
    }
    return QStatusBar::eventFilter(watched, event);
}
