#pragma once

#include <functional>

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Follows one file on disk and asks for it to be read again when it changes: written in place,
// replaced by a new file renamed over it, removed, or created again. Editors write in several
// steps, so the read waits until the file has been quiet for a moment; it also waits while
// something that must keep the forecast it started with is under way (a print, a preview, a
// modal dialog). A read that fails is not repeated until the file changes again.
class FileFollower : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultQuietMs = 500;

    // Reads the followed file again (and reports how that went).
    using ReloadFunction = std::function<void(const QString& path)>;
    // Whether a read must wait for now.
    using BusyFunction = std::function<bool()>;

    FileFollower(ReloadFunction reload, BusyFunction busy, QObject* parent = nullptr);

    // Follows the file at `path`, whose contents as they are now count as read. An empty path
    // follows nothing.
    void Follow(const QString& path);
    // Follows nothing any more.
    void Stop() { Follow(QString()); }
    // The followed file (absolute), empty when none.
    const QString& Path() const { return path_; }

    // Switched off, nothing is watched or read; switched on again, a file that changed
    // meanwhile is read once it is quiet.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }

    // How long the file must stay unchanged before it is read.
    void SetQuietInterval(int milliseconds);

    // Whether a change has been noticed and not yet read.
    bool Pending() const { return dirty_ || quiet_.isActive(); }

private:
    // What tells one version of the file from another without reading it.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime changed; // the metadata change time: a file renamed over the old one has its own

        bool operator==(const Stamp&) const = default;
    };

    Stamp CurrentStamp() const;
    // Watches the file as it is now on disk (a replaced file is a new one to the system) and its
    // folder, where a new file appears under the name.
    void Watch();
    void Unwatch();
    void Changed();
    void MarkChanged();
    void FolderChanged();
    void QuietPeriodEnded();

    ReloadFunction reload_;
    BusyFunction busy_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    QString path_;
    QString folder_;
    Stamp lastRead_;
    bool dirty_ = false;
    bool enabled_ = true;
};
