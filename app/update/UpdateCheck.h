#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUrl>

// The rules of the update check that need no network and no window: the start-up counter, the
// server address, the version file, the installer name and the progress figures.
namespace UpdateCheck {

// Section and values of the settings store.
inline constexpr const char* kSection = "Settings";
inline constexpr const char* kCountEntry = "UpdateCount";
inline constexpr const char* kServerEntry = "UpdateBaseUrl";

// The counter a first run starts from; counts above kHighestCount start a new round.
inline constexpr int kDefaultCount = 7;
inline constexpr int kHighestCount = 6;

// A version file's numbers are read from at most this many characters of their lines, its
// installer name from at most kMaxNameChars.
inline constexpr int kMaxNumberChars = 19;
inline constexpr int kMaxNameChars = 254;
// More than five such lines ever need; a longer answer is read no further.
inline constexpr qsizetype kMaxVersionFileBytes = 64 * 1024;
inline constexpr int kVersionFileLines = 5;

// What this run stores as the counter, and whether it checks for a newer version.
struct CountStep {
    int stored = 0;
    bool check = false;
};
CountStep NextCount(int stored);

// The server folder a setting names, ending in "/"; none when the setting is empty or names
// anything but an https address or an http address on this machine's loopback name.
std::optional<QUrl> ServerFolder(const QString& setting);
// Whether the host is the loopback address by number or by name.
bool IsLoopbackHost(const QString& host);
// The address of a bare file name inside the server folder.
QUrl FileUrl(const QUrl& folder, const QString& fileName);

struct VersionFile {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
    QString installer;
};

// The integer a line starts with, read as atoi reads it from the line's first kMaxNumberChars
// characters; a value past the range of int gives the nearest end of the range.
int LeadingInteger(QByteArrayView line);
// Four numbers and the installer name (trimmed, as UTF-8) from the first five lines; none when
// the text holds fewer than five lines (the fifth may lack its line end).
std::optional<VersionFile> ParseVersionFile(QByteArrayView bytes);
// Whether the text received so far holds every line the version file is read from.
bool HoldsVersionFile(QByteArrayView bytes);
// Positive when the version is newer than the viewer's own, 0 when equal, negative when older.
long long CompareWithOwnVersion(const VersionFile& version);
// "V1.0.5.4"
QString VersionText(const VersionFile& version);

// Whether the name is a bare file name that may be fetched and stored in the local folder: not
// empty, no folder separator, not "." or "..", no control characters, nothing that was not
// UTF-8.
bool IsBareFileName(const QString& name);

// A progress bar's maximum and position for `received` of `total` bytes: each divided by four,
// halved further while the maximum exceeds an int. None while the total is unknown.
struct ProgressSteps {
    int maximum = 0;
    int position = 0;
};
std::optional<ProgressSteps> ProgressFor(qint64 received, qint64 total);

} // namespace UpdateCheck
