#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// Writing an export's bytes to a file the user names, shared by the command line and the window.
// A name that is a symbolic link is written through: the file it leads to gets the export and the
// link stays, as an editor saving through a link does.

// Whether `output` names the forecast `input` itself: the same path once links are resolved, or
// the same file reached through another name (a hard link). Writing there would replace the
// forecast.
bool IsSameFile(const QString& input, const QString& output);

// Why an export must not be written to `path`: the file there, or the one a link there leads to,
// reads as a forecast, whatever its name. The reason says which file and why; none when the
// export may be written.
std::optional<QString> ForecastRefusal(const QString& path);

// Writes the bytes through a temporary file beside `path` (beside the file a link leads to) and
// moves it into place only when all of them were written, so that the file is either the complete
// new one or left as it was. A file that reads as a forecast is never replaced. The reason goes to
// `error` when it fails.
bool WriteAtomically(const QString& path, const QByteArray& bytes, QString& error);
