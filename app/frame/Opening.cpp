#include "platform/QtApplication.h"

#include "app/frame/Opening.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <vector>

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "platform/QtText.h"
#include "platform/RecentFileList.h"

namespace {

const QString kFileFilter =
    QStringLiteral("Varnobel Viewer Files (*.cfa *.cfs *.cff *.cfb);;All Files (*)");

// Gathers what a read reports, so that a file the read refuses gives one message that names it:
// the document's own lines, then its closing "Unexpected file format.". A read that succeeds
// passes its messages on as they came.
class OpenReport : public MessageSink {
public:
    void Message(const Text& text, const Text& title) override {
        messages_.push_back({text, title});
    }
    void OpenFailed(const Text& text) override { closing_ = text; }
    void FileError(const Text& text) override { fileError_ = text; }
    void Found(const Text& text) override { found_ = text; }

    // What the user is told of a failed read of `path`: a file that could not be read at all
    // says why in words that already name it; a refused one is named, then its lines follow,
    // joined by `separator`.
    Text Failure(const QString& path, std::u16string_view separator) const {
        if (!fileError_.empty())
            return fileError_;
        Text text = u"Cannot open \"" + ToText(path) + u"\":";
        for (const Box& message : messages_)
            text.append(separator).append(message.text);
        if (!found_.empty())
            text.append(separator).append(found_);
        if (!closing_.empty())
            text.append(separator).append(closing_);
        return text;
    }

    // Tells `sink` what a read that succeeded reported.
    void PassOn(MessageSink& sink) const {
        for (const Box& message : messages_)
            sink.Message(message.text, message.title);
    }

private:
    struct Box {
        Text text;
        Text title;
    };
    std::vector<Box> messages_;
    Text found_;
    Text closing_;
    Text fileError_;
};

std::filesystem::path FileOf(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

namespace Opening {

bool Read(CMainDoc& doc, const QString& path, MessageSink& sink, bool* empty) {
    OpenReport report;
    const CMainDoc::OpenResult result = doc.Load(FileOf(path), report);
    if (empty)
        *empty = result == CMainDoc::OpenResult::Empty;
    switch (result) {
    case CMainDoc::OpenResult::Loaded:
    case CMainDoc::OpenResult::Empty:
        break;
    case CMainDoc::OpenResult::Unreadable:
        sink.FileError(report.Failure(path, u"\n"));
        return false;
    case CMainDoc::OpenResult::Rejected:
        sink.OpenFailed(report.Failure(path, u"\n"));
        return false;
    }
    report.PassOn(sink);
    return true;
}

std::optional<QString> ReadAgain(CMainDoc& doc, const QString& path) {
    OpenReport report;
    if (doc.Load(FileOf(path), report, CMainDoc::EmptyFile::Refused) ==
        CMainDoc::OpenResult::Loaded)
        return std::nullopt;
    return ToQString(report.Failure(path, u" "));
}

QString AskFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), kFileFilter);
}

QString DroppedFile(const QMimeData& data) {
    if (!data.hasUrls() || data.urls().isEmpty() || !data.urls().first().isLocalFile())
        return QString();
    return data.urls().first().toLocalFile();
}

} // namespace Opening

RecentFileMenu::RecentFileMenu(QMenu& menu, RecentFileList& recent, OpenFunction open)
    : QObject(&menu), recent_(recent), open_(std::move(open)) {
    for (int i = 0; i < RecentFileList::kDefaultSize; ++i) {
        QAction* action = menu.addAction(QString(), this, [this, i] { Open(i); });
        action->setStatusTip(QStringLiteral("Open this document"));
        actions_.append(action);
    }
    Update();
}

void RecentFileMenu::Open(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= recent_.Files().size())
        return;
    // A file that no longer opens leaves the list.
    if (!open_(ToQString(recent_.Files()[static_cast<std::size_t>(index)]))) {
        recent_.Remove(index);
        Update();
    }
}

void RecentFileMenu::Update() {
    const int count = static_cast<int>(
        std::min<std::size_t>(recent_.Files().size(), static_cast<std::size_t>(actions_.size())));
    for (int i = 0; i < actions_.size(); ++i) {
        QAction* action = actions_[i];
        if (i < count) {
            QString name = ToQString(recent_.DisplayName(i));
            name.replace(u'&', QStringLiteral("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (i == 0) {
            // An empty list shows one disabled entry, as a placeholder for the files to come.
            action->setText(QStringLiteral("Recent File"));
            action->setEnabled(false);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

QList<QAction*> RecentFileMenu::Shown() const {
    QList<QAction*> shown;
    for (QAction* action : actions_)
        if (action->isVisible() && action->isEnabled())
            shown.append(action);
    return shown;
}
