#include "app/frame/FileFollower.h"

#include <utility>

#include <QFileInfo>

FileFollower::FileFollower(ReloadFunction reload, BusyFunction busy, QObject* parent)
    : QObject(parent), reload_(std::move(reload)), busy_(std::move(busy)), watcher_(this),
      quiet_(this) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kDefaultQuietMs);
    connect(&quiet_, &QTimer::timeout, this, &FileFollower::QuietPeriodEnded);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::Changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileFollower::FolderChanged);
}

void FileFollower::Follow(const QString& path) {
    Unwatch();
    quiet_.stop();
    dirty_ = false;
    if (path.isEmpty()) {
        path_.clear();
        folder_.clear();
        lastRead_ = Stamp{};
        return;
    }
    const QFileInfo info(path);
    path_ = info.absoluteFilePath();
    folder_ = info.absolutePath();
    lastRead_ = CurrentStamp();
    if (enabled_)
        Watch();
}

void FileFollower::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled_) {
        Unwatch();
        quiet_.stop();
        dirty_ = false;
        return;
    }
    if (path_.isEmpty())
        return;
    Watch();
    if (CurrentStamp() != lastRead_)
        MarkChanged();
}

void FileFollower::SetQuietInterval(int milliseconds) {
    quiet_.setInterval(milliseconds);
}

FileFollower::Stamp FileFollower::CurrentStamp() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return Stamp{};
    return Stamp{true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void FileFollower::Watch() {
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!folder_.isEmpty() && !watcher_.directories().contains(folder_) &&
        QFileInfo(folder_).isDir())
        watcher_.addPath(folder_);
    if (QFileInfo::exists(path_))
        watcher_.addPath(path_);
}

void FileFollower::Unwatch() {
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
}

void FileFollower::Changed() {
    if (enabled_ && !path_.isEmpty())
        MarkChanged();
}

void FileFollower::MarkChanged() {
    dirty_ = true;
    Watch();
    // Every further change starts the quiet period again.
    quiet_.start();
}

void FileFollower::FolderChanged() {
    if (!enabled_ || path_.isEmpty())
        return;
    // Other files come and go in the folder; only a change to this one counts. A new file
    // renamed over it is watched from now on.
    const bool watched = watcher_.files().contains(path_);
    if (CurrentStamp() != lastRead_ || (!watched && QFileInfo::exists(path_)))
        MarkChanged();
}

void FileFollower::QuietPeriodEnded() {
    if (!enabled_ || path_.isEmpty())
        return;
    if (busy_ && busy_()) {
        // Asked again after another quiet period, until whatever holds the forecast is done.
        quiet_.start();
        return;
    }
    dirty_ = false;
    // Taken before the read, so a change made while reading is noticed as a change of its own.
    lastRead_ = CurrentStamp();
    Watch();
    if (reload_)
        reload_(path_);
}
