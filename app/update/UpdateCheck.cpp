#include "app/update/UpdateCheck.h"

#include <algorithm>
#include <limits>

#include "app/Version.h"
#include "core/ClampToInt.h"

namespace UpdateCheck {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

CountStep NextCount(int stored) {
    const int count = (stored > kHighestCount ? -1 : stored) + 1;
    return {count, count == 0};
}

bool IsLoopbackHost(const QString& host) {
    return host == QLatin1String("127.0.0.1") ||
           host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

std::optional<QUrl> ServerFolder(const QString& setting) {
    QUrl url(setting.trimmed(), QUrl::StrictMode);
    if (setting.trimmed().isEmpty() || !url.isValid() || url.host().isEmpty())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("https") &&
        !(scheme == QLatin1String("http") && IsLoopbackHost(url.host())))
        return std::nullopt;
    if (!url.path().endsWith(u'/'))
        url.setPath(url.path() + u'/');
    return url;
}

QUrl FileUrl(const QUrl& folder, const QString& fileName) {
    // Encoded whole, so that no character of the name can leave the folder or start a query.
    const QUrl relative(QString::fromLatin1(QUrl::toPercentEncoding(fileName)));
    return folder.resolved(relative);
}

int LeadingInteger(QByteArrayView line) {
    line = line.first(std::min<qsizetype>(line.size(), kMaxNumberChars));
    qsizetype i = 0;
    while (i < line.size() && IsCSpace(line[i]))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    // Nineteen digits can pass even a 64-bit integer: stop growing once past an int.
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (; i < line.size() && IsDigit(line[i]); ++i)
        value = std::min(value * 10 + (line[i] - '0'), kLimit);
    if (negative)
        value = -value;
    return ClampToInt(value);
}

bool HoldsVersionFile(QByteArrayView bytes) {
    return std::count(bytes.begin(), bytes.end(), '\n') >= kVersionFileLines;
}

std::optional<VersionFile> ParseVersionFile(QByteArrayView bytes) {
    QByteArrayView lines[kVersionFileLines];
    qsizetype start = 0;
    for (int n = 0; n < kVersionFileLines; ++n) {
        if (start >= bytes.size())
            return std::nullopt;
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            // Only the last line may end with the text.
            if (n != kVersionFileLines - 1)
                return std::nullopt;
            end = bytes.size();
        }
        lines[n] = bytes.sliced(start, end - start);
        start = end + 1;
    }
    VersionFile version;
    version.major = LeadingInteger(lines[0]);
    version.minor = LeadingInteger(lines[1]);
    version.build = LeadingInteger(lines[2]);
    version.revision = LeadingInteger(lines[3]);
    const QByteArrayView name = lines[4].first(std::min<qsizetype>(lines[4].size(), kMaxNameChars));
    version.installer = QString::fromUtf8(name.toByteArray().trimmed());
    return version;
}

long long CompareWithOwnVersion(const VersionFile& version) {
    long long difference = static_cast<long long>(version.major) - ViewerVersion::kMajor;
    if (difference == 0)
        difference = static_cast<long long>(version.minor) - ViewerVersion::kMinor;
    if (difference == 0)
        difference = static_cast<long long>(version.build) - ViewerVersion::kBuild;
    if (difference == 0)
        difference = static_cast<long long>(version.revision) - ViewerVersion::kRevision;
    return difference;
}

QString VersionText(const VersionFile& version) {
    return QStringLiteral("V%1.%2.%3.%4")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.build)
        .arg(version.revision);
}

bool IsBareFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        // U+FFFD stands where the name's bytes were not UTF-8.
        return c == u'/' || c == u'\\' || c == QChar::ReplacementCharacter ||
               c.category() == QChar::Other_Control;
    });
}

std::optional<ProgressSteps> ProgressFor(qint64 received, qint64 total) {
    if (total <= 0)
        return std::nullopt;
    unsigned long long maximum = static_cast<unsigned long long>(total) / 4;
    unsigned long long position =
        std::min(static_cast<unsigned long long>(std::max<qint64>(received, 0)) / 4, maximum);
    while (maximum > static_cast<unsigned long long>(std::numeric_limits<int>::max())) {
        maximum /= 2;
        position /= 2;
    }
    return ProgressSteps{static_cast<int>(maximum), static_cast<int>(position)};
}

} // namespace UpdateCheck
