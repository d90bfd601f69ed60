#include "platform/QtApplication.h"

#include "app/frame/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include <QByteArray>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>

#include "core/ClampToInt.h"
#include "platform/Profile.h"

namespace {

// The smallest window a restored placement may give; anything less is a damaged value.
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 150;
// How much of a restored window must lie on a screen for its position to be kept.
constexpr int kMinimumVisible = 40;

// value × current ÷ saved, rounded to the nearest integer (halves away from zero) and kept in
// the range of int. 64 bits hold the product of any two ints.
int ScaleRounded(int value, int current, int saved) {
    const std::int64_t product = static_cast<std::int64_t>(value) * current;
    const std::int64_t twice = 2 * static_cast<std::int64_t>(saved);
    const std::int64_t rounded =
        product >= 0 ? (2 * product + saved) / twice : -((-2 * product + saved) / twice);
    return ClampToInt(rounded);
}

const QScreen* ScreenOf(const QMainWindow& window) {
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

} // namespace

namespace WindowPlacement {

QRect Scale(const QRect& saved, const QSize& savedScreen, const QSize& currentScreen) {
    const int savedWidth = savedScreen.width() > 0 ? savedScreen.width() : currentScreen.width();
    const int savedHeight =
        savedScreen.height() > 0 ? savedScreen.height() : currentScreen.height();
    if (savedWidth <= 0 || savedHeight <= 0)
        return saved;
    return QRect(ScaleRounded(saved.left(), currentScreen.width(), savedWidth),
                 ScaleRounded(saved.top(), currentScreen.height(), savedHeight),
                 ScaleRounded(saved.width(), currentScreen.width(), savedWidth),
                 ScaleRounded(saved.height(), currentScreen.height(), savedHeight));
}

void Show(QMainWindow& window, const Profile& profile, const std::string& section) {
    if (profile.GetProfileInt(section, "maximized", 0) != 0) {
        window.showMaximized();
        return;
    }
    const QScreen* screen = ScreenOf(window);
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), screenSize);
    // The placement the window gets on a first run: most of the screen, centred.
    QRect proposed(QPoint(), QSize(available.width() * 4 / 5, available.height() * 4 / 5));
    proposed.moveCenter(available.center());

    const QSize savedScreen(profile.GetProfileInt(section, "screenx", screenSize.width()),
                            profile.GetProfileInt(section, "screeny", screenSize.height()));
    const QRect saved(profile.GetProfileInt(section, "left", proposed.left()),
                      profile.GetProfileInt(section, "top", proposed.top()),
                      profile.GetProfileInt(section, "width", proposed.width()),
                      profile.GetProfileInt(section, "height", proposed.height()));
    QRect placement = Scale(saved, savedScreen, screenSize);

    // Damaged values: a window too small to use, larger than the screen, or out of sight.
    if (placement.width() < kMinimumWidth || placement.height() < kMinimumHeight)
        placement.setSize(proposed.size());
    placement.setWidth(std::min(placement.width(), std::max(available.width(), kMinimumWidth)));
    placement.setHeight(std::min(placement.height(), std::max(available.height(), kMinimumHeight)));
    bool visible = false;
    for (const QScreen* each : QGuiApplication::screens()) {
        const QRect overlap = each->availableGeometry().intersected(placement);
        visible =
            visible || (overlap.width() >= kMinimumVisible && overlap.height() >= kMinimumVisible);
    }
    if (!visible)
        placement.moveCenter(available.center());

    window.resize(placement.size());
    window.move(placement.topLeft());
    window.show();
}

void Save(const QMainWindow& window, Profile& profile, const std::string& section) {
    if (window.isMaximized()) {
        profile.WriteProfileInt(section, "maximized", 1);
        return;
    }
    const QScreen* screen = ScreenOf(window);
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    profile.WriteProfileInt(section, "maximized", 0);
    profile.WriteProfileInt(section, "screenx", screenSize.width());
    profile.WriteProfileInt(section, "screeny", screenSize.height());
    // The window's position with its frame, and the size it is given back as (the window
    // manager adds its frame again), so a restore on the same screen reproduces it exactly.
    profile.WriteProfileInt(section, "top", window.pos().y());
    profile.WriteProfileInt(section, "left", window.pos().x());
    profile.WriteProfileInt(section, "height", window.height());
    profile.WriteProfileInt(section, "width", window.width());
}

void RestoreBars(QMainWindow& window, const Profile& profile, const std::string& key) {
    const std::string state = profile.GetProfileBinary(key, "State");
    if (!state.empty())
        window.restoreState(QByteArray(state.data(), static_cast<qsizetype>(state.size())));
    window.statusBar()->setVisible(profile.GetProfileInt(key, "StatusBar", 1) != 0);
}

void SaveBars(const QMainWindow& window, Profile& profile, const std::string& key) {
    const QByteArray state = window.saveState();
    profile.WriteProfileBinary(
        key, "State", std::string_view(state.constData(), static_cast<std::size_t>(state.size())));
    profile.WriteProfileInt(key, "StatusBar", window.statusBar()->isVisible() ? 1 : 0);
}

} // namespace WindowPlacement
