#include "app/export/OutputFile.h"

#include <filesystem>
#include <system_error>

#include <QFile>
#include <QSaveFile>

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

bool WriteAtomically(const QString& path, const QByteArray& bytes, QString& error) {
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
