#pragma once

#include <QByteArray>
#include <QString>

// Writing an export's bytes to a file the user names, shared by the command line and the window.

// Whether `output` names the forecast `input` itself: the same path once links are resolved, or
// the same file reached through another name (a hard link). Writing there would replace the
// forecast.
bool IsSameFile(const QString& input, const QString& output);

// Writes the bytes through a temporary file beside `path` and moves it into place only when all
// of them were written, so that `path` is either the complete new file or left as it was. The
// reason goes to `error` when it fails.
bool WriteAtomically(const QString& path, const QByteArray& bytes, QString& error);
