#include "platform/QtApplication.h"

#include "app/frame/FrameExport.h"

#include <optional>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/export/OutputFile.h"
#include "app/frame/CMainFrame.h"
#include "document/MessageSink.h"
#include "platform/Profile.h"
#include "platform/QtText.h"

namespace {

// The entry of the edition's section that keeps the folder File > Export... last wrote to.
constexpr const char* kExportFolder = "ExportFolder";

// What an export to a file came to: a name refused or not to be replaced is Declined.
enum class Step { Written, Declined, Failed };

Step WriteStep(const FrameExport::Source& source, const QString& path,
               WindowExport::Format format) {
    const Text title = Ascii(CMainFrame::kTitle);
    if (const std::optional<QString> refusal = WindowExport::Refusal(path, source.forecastPath)) {
        source.sink.FileError(ToText(*refusal));
        return Step::Declined;
    }
    if (QFileInfo::exists(path)) {
        QMessageBox question(QMessageBox::Question, ToQString(title),
                             QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Yes | QMessageBox::No, source.parent);
        question.setObjectName(QStringLiteral("ReplaceQuestion"));
        question.setDefaultButton(QMessageBox::No);
        question.setTextFormat(Qt::PlainText);
        if (question.exec() != QMessageBox::Yes)
            return Step::Declined;
    }
    const WindowExport::Outcome outcome = WindowExport::Make(format, source.view, source.printer,
                                                             source.parent, source.documentTitle);
    if (outcome.status == WindowExport::Outcome::Status::Cancelled)
        return Step::Failed;
    QString error = outcome.message;
    if (outcome.status == WindowExport::Outcome::Status::Made &&
        WriteAtomically(path, outcome.bytes, error))
        return Step::Written;
    source.sink.Message(ToText(QStringLiteral("Cannot export to \"%1\":\n%2")
                                   .arg(QDir::toNativeSeparators(path), error)),
                        title);
    return Step::Failed;
}

} // namespace

namespace FrameExport {

QString Folder(const Profile& profile, const std::string& section, const QString& forecastPath) {
    const QString folder = ToQString(profile.GetProfileString(section, kExportFolder));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return forecastPath.isEmpty() ? QString() : QFileInfo(forecastPath).absolutePath();
}

void Ask(const Source& source, Profile& profile, const std::string& section) {
    QFileDialog dialog(source.parent, QStringLiteral("Export"),
                       Folder(profile, section, source.forecastPath));
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The question comes once the format's suffix is on the name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(WindowExport::NameFilters());
    dialog.selectFile(source.documentTitle);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const WindowExport::Target target =
            WindowExport::TargetOf(dialog.selectedFiles().first(), dialog.selectedNameFilter());
        profile.WriteProfileString(section, kExportFolder,
                                   ToText(QFileInfo(target.path).absolutePath()));
        if (WriteStep(source, target.path, target.format) != Step::Declined)
            return;
        // Another name, where the user left off.
        dialog.selectFile(target.path);
    }
}

bool Write(const Source& source, const QString& path, WindowExport::Format format) {
    return WriteStep(source, path, format) == Step::Written;
}

} // namespace FrameExport
