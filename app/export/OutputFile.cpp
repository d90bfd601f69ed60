#include "app/export/OutputFile.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "document/CMainDoc.h"

bool IsSameFile(const QString& input, const QString& output) {
    namespace fs = std::filesystem;
    const fs::path in(QFile::encodeName(input).toStdString());
    const fs::path out(QFile::encodeName(output).toStdString());
    std::error_code error;
    if (fs::equivalent(in, out, error))
        return true;
    const fs::path inResolved = fs::weakly_canonical(fs::absolute(in, error), error);
    if (error)
        return false;
    const fs::path outResolved = fs::weakly_canonical(fs::absolute(out, error), error);
    return !error && inResolved == outResolved;
}

std::optional<QString> ForecastRefusal(const QString& path) {
    // The file is opened for reading as the write would open it: through any links.
    if (!CMainDoc::IsForecastFile(QFile::encodeName(path).toStdString()))
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isSymLink())
        return QStringLiteral("it reads as a forecast file, and an export never replaces a "
                              "forecast.");
    const QString target = info.canonicalFilePath();
    return QStringLiteral("it is a link to \"%1\", which reads as a forecast file, and an export "
                          "never replaces a forecast.")
        .arg(QDir::toNativeSeparators(target.isEmpty() ? info.symLinkTarget() : target));
}

bool WriteAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    if (const std::optional<QString> refusal = ForecastRefusal(path)) {
        error = *refusal;
        return false;
    }
    // QSaveFile follows links to the file they lead to.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
