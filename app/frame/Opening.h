#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QObject>
#include <QString>

class CMainDoc;
class MessageSink;
class QAction;
class QMenu;
class QMimeData;
class QWidget;
class RecentFileList;

// Getting a forecast file into the window: reading it, the file dialog, a file dropped on the
// window, and the recent files of the File menu.
namespace Opening {

// Reads `path` into `doc` as File > Open does. A file that cannot be read, or that the read
// refuses, is told once through `sink`, named, with the read's own lines after the name; the
// forecast stays as it was. What a read that succeeds reports is passed on. True when read;
// `empty`, when given, says whether it was a zero-length file, read as the empty forecast.
bool Read(CMainDoc& doc, const QString& path, MessageSink& sink, bool* empty = nullptr);
// Reads `path` again after another program saved it: none when it was read, else why not, on
// one line. An empty file is refused: another program is still writing it.
std::optional<QString> ReadAgain(CMainDoc& doc, const QString& path);

// File > Open's dialog: the chosen file, empty when cancelled.
QString AskFile(QWidget* parent);
// The local file a drag brings (the first of its addresses), empty when it brings none.
QString DroppedFile(const QMimeData& data);

} // namespace Opening

// The recent files at the end of the File menu, numbered "&1 name"; an empty list shows one
// disabled "Recent File" entry. Choosing one opens it; a file that no longer opens leaves the
// list.
class RecentFileMenu : public QObject {
    Q_OBJECT

public:
    using OpenFunction = std::function<bool(const QString& path)>;

    // Adds the entries to `menu` where it ends now.
    RecentFileMenu(QMenu& menu, RecentFileList& recent, OpenFunction open);

    // Shows the list as it is now.
    void Update();
    // The entries that name a file, in menu order.
    QList<QAction*> Shown() const;

private:
    void Open(int index);

    RecentFileList& recent_;
    OpenFunction open_;
    QList<QAction*> actions_;
};
