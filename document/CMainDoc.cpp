#include "document/CMainDoc.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "calc/CalculationDriver.h"
#include "core/Failure.h"
#include "database/Archive.h"
#include "database/CDisplaySettings.h"
#include "database/CYear.h"
#include "document/MessageSink.h"

namespace {

constexpr std::u16string_view kRecoveryPrefix = u"Cashflow auto recovery file";
constexpr std::u16string_view kHeaderPrefix = u"Cashflow file v";
constexpr double kFormatVersion = 2.0;
constexpr std::u16string_view kStoredHeader = u"Cashflow file v2.0";

constexpr std::u16string_view kFormatTitle = u"File Format Not Supported";
constexpr std::u16string_view kNotSupportedText =
    u"This file format is not supported. Please update to the lastest version.";
constexpr std::u16string_view kNoLongerSupportedText =
    u"This file format is not longer supported. Load and save your data file in V1.3.0.0 to "
    u"V1.3.8.5 of Varnobel Standard to update the file format.";
constexpr std::u16string_view kUnexpectedFormat = u"Unexpected file format.";

// No forecast comes near this; it keeps a mistaken or hostile path from exhausting memory.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 30;
// Enough bytes for the first text of any forecast file the editing product writes.
constexpr std::size_t kPrefixProbeSize = 4096;

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The leading decimal number of a text, read as strtod reads it in the "C" locale (leading
// blanks, sign, digits with an optional point, optional exponent); 0 when there is none. Written
// out because strtod follows the process locale, which the window sets from the environment.
double LeadingNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string digits; // mantissa and exponent in from_chars form, without the sign
    std::size_t mantissaDigits = 0;
    // Decimal exponent of the first significant digit's position, to tell overflow from underflow.
    long long magnitude = 0;
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        digits += static_cast<char>(text[i]);
        ++mantissaDigits;
        significant = significant || text[i] != u'0';
        if (significant)
            ++magnitude;
    }
    if (i < text.size() && text[i] == u'.') {
        digits += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            digits += static_cast<char>(text[i]);
            ++mantissaDigits;
            if (!significant && text[i] == u'0')
                --magnitude;
            significant = significant || text[i] != u'0';
        }
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += static_cast<char>(text[j++]);
        const std::size_t firstDigit = j;
        long long value = 0;
        for (; j < text.size() && IsDigit(text[j]); ++j) {
            exponent += static_cast<char>(text[j]);
            if (value < 100000000)
                value = value * 10 + (text[j] - u'0');
        }
        if (j > firstDigit) {
            digits += exponent;
            magnitude += exponent[1] == '-' ? -value : value;
        }
    }
    double result = 0.0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (parsed.ec == std::errc::result_out_of_range)
        result = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -result : result;
}

Text PathText(const std::filesystem::path& path) {
    return FromUtf8(path.string());
}

Text FileErrorText(const std::filesystem::path& path, const std::string& reason) {
    return u"Cannot open \"" + PathText(path) + u"\": " + FromUtf8(reason) + u".";
}

// Reads a whole file. Fails with a reason for a missing, unreadable or oversized file.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string& reason) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) {
        reason = ec.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        reason = std::make_error_code(std::errc::is_a_directory).message();
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = errno != 0 ? std::generic_category().message(errno) : "cannot be opened";
        return false;
    }
    bytes.clear();
    // Reserve the size the file reports, so the buffer is not regrown (and briefly held twice)
    // while a large forecast is read; a file that grows meanwhile is still read to its end.
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size <= kMaxFileSize)
        bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > kMaxFileSize) {
            reason = "the file is too large to be a forecast";
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (in.bad()) {
        reason = "read error";
        return false;
    }
    return true;
}

bool IsForecastHeader(const Text& text) {
    return text.compare(0, kHeaderPrefix.size(), kHeaderPrefix) == 0;
}

// The first text of the file at `path`, or none when the file cannot be read or does not begin
// with a text. Only the file's head is read unless that text reaches past it.
std::optional<Text> FirstText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> head(kPrefixProbeSize);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const auto first = [](std::span<const std::uint8_t> bytes) -> std::optional<Text> {
        try {
            Archive ar(bytes);
            Text text;
            ar.String(text);
            return text;
        } catch (const ArchiveFailure&) {
            return std::nullopt;
        }
    };
    if (std::optional<Text> text = first(head); text || head.size() < kPrefixProbeSize)
        return text;
    std::vector<std::uint8_t> whole;
    std::string reason;
    if (!ReadWholeFile(path, whole, reason))
        return std::nullopt;
    return first(whole);
}

// Whether the file at `path` still begins with the auto-recovery prefix.
bool StartsWithRecoveryPrefix(const std::filesystem::path& path) {
    const std::optional<Text> first = FirstText(path);
    return first && *first == kRecoveryPrefix;
}

// What the read found where it stopped: the archive failure of a file no message box explained.
Text Finding(const ArchiveFailure& failure, std::size_t position, std::size_t size) {
    const Text at = u"At byte " + DecimalText(static_cast<long long>(position));
    switch (failure.GetKind()) {
    case ArchiveFailure::Kind::EndOfFile:
        return u"The file ends after " + DecimalText(static_cast<long long>(size)) +
               u" bytes, before the forecast in it does.";
    case ArchiveFailure::Kind::BadClass:
        return at + u" the file holds a record of a kind no forecast holds there.";
    case ArchiveFailure::Kind::BadSchema:
        return at + u" the file holds a record of a version the viewer does not read.";
    case ArchiveFailure::Kind::BadIndex:
        break;
    }
    return at + u" the file refers to a record it does not hold.";
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return !ec && same;
}

std::filesystem::path AbsolutePath(const std::filesystem::path& path) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute;
}

} // namespace

// The settings read before the root, held apart until the whole file has been read.
struct CMainDoc::Settings {
    Text fontName;
    std::int32_t fontSize = 0;
    std::int32_t zoom = 0;
    std::int64_t stamp = 0;
    std::array<bool, kSeries> seriesShown{};
    std::array<std::uint32_t, kSeries> seriesColour{};
    std::int32_t offsetYearChecked = 0;
    Text recoveryFile;
    Text recoverySource;
    std::filesystem::path recoveryPath;
};

CMainDoc::CMainDoc() : root(std::make_unique<Database::CPERT>()) {}

bool CMainDoc::IsForecastFile(const std::filesystem::path& path) {
    const std::optional<Text> first = FirstText(path);
    return first && (*first == kRecoveryPrefix || IsForecastHeader(*first));
}

bool CMainDoc::NewDocument() {
    root->views.Clear();
    Changed();
    fontName = u"Times New Roman";
    fontSize = kDefaultFontSize;
    zoom = kDefaultZoom;
    stamp = -1;
    return true;
}

CMainDoc::OpenResult CMainDoc::Load(const std::filesystem::path& path, MessageSink& sink,
                                    EmptyFile empty) {
    std::vector<std::uint8_t> bytes;
    std::string reason;
    errno = 0;
    if (!ReadWholeFile(path, bytes, reason)) {
        sink.FileError(FileErrorText(path, reason));
        return OpenResult::Unreadable;
    }
    if (bytes.empty() && empty == EmptyFile::Refused) {
        sink.FileError(FileErrorText(path, "the file is empty"));
        return OpenResult::Unreadable;
    }
    if (!Read(bytes, path, sink))
        return OpenResult::Rejected;
    return bytes.empty() ? OpenResult::Empty : OpenResult::Loaded;
}

bool CMainDoc::Read(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
                    MessageSink& sink) {
    DeletePreviousRecoveryFile(path);
    // A zero-length file holds nothing of a forecast: what is shown is the empty forecast, never
    // the one before it under the new file's name.
    if (bytes.empty()) {
        BecomeEmpty();
        return true;
    }

    Settings settings;
    auto fresh = std::make_unique<Database::CPERT>();
    // A root record too old to hold margins keeps the ones in use.
    fresh->marginTop = root->marginTop;
    fresh->marginLeft = root->marginLeft;
    fresh->marginBottom = root->marginBottom;
    fresh->marginRight = root->marginRight;

    Archive ar(bytes);
    // What the read found when it stopped; left empty where a message box has said it.
    std::optional<Text> finding;
    try {
        try {
            ReadSettings(ar, path, settings, sink, finding);
            fresh->Serialize(ar);
            // Anything after the root record is not part of the forecast.
        } catch (const TextFailure&) {
            sink.Message(Text(kNotSupportedText), Text(kFormatTitle));
            finding = Text();
            throw ArchiveFailure(ArchiveFailure::Kind::BadIndex);
        }
    } catch (const ArchiveFailure& failure) {
        if (!finding)
            finding = Finding(failure, ar.Position(), bytes.size());
        if (!finding->empty())
            sink.Found(*finding);
        sink.OpenFailed(Text(kUnexpectedFormat));
        return false;
    } catch (const std::exception&) {
        // Nothing else should escape the reader; if it does, the file is refused all the same.
        sink.OpenFailed(Text(kUnexpectedFormat));
        return false;
    }

    root = std::move(fresh);
    Changed();
    fontName = std::move(settings.fontName);
    fontSize = settings.fontSize;
    zoom = settings.zoom;
    stamp = settings.stamp;
    seriesShown = settings.seriesShown;
    seriesColour = settings.seriesColour;
    offsetYearChecked = settings.offsetYearChecked;
    recoveryFile = std::move(settings.recoveryFile);
    recoverySource = std::move(settings.recoverySource);
    recoveryPath = std::move(settings.recoveryPath);
    return true;
}

void CMainDoc::BecomeEmpty() {
    root = std::make_unique<Database::CPERT>();
    Changed();
    fontName = u"Times New Roman";
    fontSize = kDefaultFontSize;
    zoom = kDefaultZoom;
    stamp = 0;
    seriesShown = {};
    seriesColour = kDefaultSeriesColours;
    offsetYearChecked = 0;
    recoveryFile.clear();
    recoverySource.clear();
    recoveryPath.clear();
}

void CMainDoc::DeletePreviousRecoveryFile(const std::filesystem::path& reading) {
    if (recoveryPath.empty() && recoveryFile.empty())
        return;
    // The recovery file read again keeps its name: a read that fails leaves it the forecast shown,
    // and one that succeeds names what the file holds now.
    if (!recoveryPath.empty() && SameFile(recoveryPath, reading))
        return;
    // Deleted by the full path it was opened from, and only while it still is a recovery file:
    // the file of that name may have been replaced since.
    if (!recoveryPath.empty() && StartsWithRecoveryPrefix(recoveryPath)) {
        std::error_code ignored;
        std::filesystem::remove(recoveryPath, ignored);
    }
    recoveryFile.clear();
    recoveryPath.clear();
}

void CMainDoc::ReadSettings(Archive& ar, const std::filesystem::path& path, Settings& settings,
                            MessageSink& sink, std::optional<Text>& finding) {
    Text header;
    ar.String(header);
    if (header == kRecoveryPrefix) {
        settings.recoveryFile = PathText(path.filename());
        settings.recoveryPath = AbsolutePath(path);
        ar.String(settings.recoverySource);
        ar.String(header);
    } else {
        // A plain file keeps the recovery source of the forecast before it.
        settings.recoverySource = recoverySource;
    }

    if (!IsForecastHeader(header)) {
        finding = Text(u"The file does not begin as a forecast file does.");
        throw ArchiveFailure(ArchiveFailure::Kind::BadIndex);
    }
    const double version = LeadingNumber(std::u16string_view(header).substr(kHeaderPrefix.size()));
    if (version > kFormatVersion)
        ThrowNotSupported();
    if (!(version >= kFormatVersion)) {
        sink.Message(Text(kNoLongerSupportedText), Text(kFormatTitle));
        finding = Text();
        throw ArchiveFailure(ArchiveFailure::Kind::BadIndex);
    }

    ar.String(settings.fontName);
    ar.Int32(settings.fontSize);
    ar.Int32(settings.zoom);
    ar.Time(settings.stamp);
    for (int i = 0; i < kSeries; ++i) {
        ar.Flag(settings.seriesShown[static_cast<std::size_t>(i)]);
        ar.UInt32(settings.seriesColour[static_cast<std::size_t>(i)]);
    }
    ar.Int32(settings.offsetYearChecked);
}

std::vector<std::uint8_t> CMainDoc::Store() {
    Archive ar;
    Text header(kStoredHeader);
    ar.String(header);
    ar.String(fontName);
    ar.Int32(fontSize);
    ar.Int32(zoom);
    ar.Time(stamp);
    for (int i = 0; i < kSeries; ++i) {
        ar.Flag(seriesShown[static_cast<std::size_t>(i)]);
        ar.UInt32(seriesColour[static_cast<std::size_t>(i)]);
    }
    ar.Int32(offsetYearChecked);
    root->Serialize(ar);
    return ar.Bytes();
}

void CMainDoc::Recalculate() {
    Database::Recalculate(*root);
    calculatedRevision_ = revision_;
    calculatedRoot_ = root.get();
}

bool CMainDoc::RecalculateIfChanged() {
    // A root put in place from outside counts as a change too.
    if (calculatedRevision_ == revision_ && calculatedRoot_ == root.get())
        return false;
    Recalculate();
    return true;
}

bool CMainDoc::SetShownState(const LayoutKey& key, ShownPart part, std::int32_t state) {
    LayoutKey yearKey = key;
    yearKey[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    yearKey[LayoutKey::kCategory] = LayoutKey::kNoEntry;
    yearKey[LayoutKey::kPosition] = LayoutKey::kNoEntry;
    auto* year = dynamic_cast<Database::CYear*>(FindObject(yearKey));
    if (!year)
        return false;
    if (part.kind == ShownPart::Kind::Outline) {
        const int position = key[LayoutKey::kPosition];
        std::int32_t* stored = year->SectionState(key[LayoutKey::kCategory],
                                                  key.IsSet(LayoutKey::kPosition) ? position : -1);
        if (!stored)
            return false;
        const bool calculated = calculatedRevision_ == revision_;
        *stored = state;
        ++revision_;
        // The figures are not formed from outline states: a calculation that was current stays so.
        if (calculated)
            calculatedRevision_ = revision_;
        return true;
    }
    Database::CDisplaySettings& display = year->display;
    const bool shown = state != 0;
    if (part.sub < Database::kActual || part.sub > Database::kVariance || part.group < 0 ||
        part.group > ShownPart::kPercentGroup)
        return false;
    const auto sub = static_cast<Database::SubColumn>(part.sub);
    if (part.group < kMonths) {
        MonthFlags& flags = sub == Database::kActual     ? display.showActual
                            : sub == Database::kExpected ? display.showExpected
                                                         : display.showVariance;
        flags[static_cast<std::size_t>(part.group)] = shown;
    } else {
        const bool totals = part.group == ShownPart::kTotalGroup;
        bool& flag = sub == Database::kActual
                         ? (totals ? display.totalActual : display.percentageActual)
                     : sub == Database::kExpected
                         ? (totals ? display.totalExpected : display.percentageExpected)
                         : (totals ? display.totalVariance : display.percentageVariance);
        flag = shown;
    }
    // Which months count changes with the sub-columns, so the figures do.
    ++revision_;
    return true;
}

void CMainDoc::SetMargins(std::int32_t top, std::int32_t left, std::int32_t bottom,
                          std::int32_t right) {
    root->marginTop = top;
    root->marginLeft = left;
    root->marginBottom = bottom;
    root->marginRight = right;
}

int CMainDoc::ViewCount() const {
    return root->ViewCount();
}

int CMainDoc::HiddenViewCount() const {
    return root->HiddenViewCount();
}

int CMainDoc::HiddenScenarioCount(int view) const {
    const Database::CTabView* found = root->views.Find(view);
    return found ? found->HiddenScenarioCount() : 0;
}

int CMainDoc::HiddenCompanyCount(int view, int scenario) const {
    const Database::CTabView* found = root->views.Find(view);
    const Database::CScenario* entry = found ? found->FindScenario(scenario) : nullptr;
    return entry ? entry->HiddenCompanyCount() : 0;
}

int CMainDoc::ScenarioCount() const {
    const Database::CTabView* first = root->views.Find(0);
    return first && first->ScenarioCount() > 0 ? first->ScenarioCount() - 1 : 0;
}

int CMainDoc::CompanyCount() const {
    return root->CompanyCount();
}

Database::CObject* CMainDoc::ObjectAt(const LayoutKey& key) const {
    return root->ObjectAt(key);
}

Database::CObject* CMainDoc::FindObject(const LayoutKey& key) const {
    try {
        return root ? root->ObjectAt(key) : nullptr;
    } catch (const TextFailure&) {
        return nullptr;
    }
}

Database::CTabView& CMainDoc::View(int index) const {
    return root->View(index);
}
