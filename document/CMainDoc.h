#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/WideText.h"
#include "database/CPERT.h"
#include "database/LayoutKey.h"
#include "document/Presentation.h"

class Archive;
class MessageSink;

// A part of a year's statement whose display the user switches in the window (in memory only):
// the open state of a section or block, or one sub-column of a figure group.
struct ShownPart {
    enum class Kind { Outline, SubColumn };
    // The figure groups after the twelve calendar months.
    static constexpr int kTotalGroup = 12;
    static constexpr int kPercentGroup = 13;

    Kind kind = Kind::Outline;
    // Sub-columns: a calendar month 0-11, kTotalGroup or kPercentGroup, and which of its three.
    int group = 0;
    int sub = 0;
};

// The holder of one forecast: the root of the tree and the presentation settings that travel in
// the file. It reads files and never changes them; storing exists for tools and tests.
class CMainDoc {
public:
    static constexpr int kSeries = 16;
    static constexpr std::array<std::uint32_t, kSeries> kDefaultSeriesColours = {
        0x0000FF00, 0x000000FF, 0x00FF0000, 0x000000DC, 0x00DC0000, 0x00000096,
        0x00960000, 0x0000C800, 0x00007DFF, 0x007D7DFF, 0x00FF7D00, 0x00FF7DFF,
        0x00FF7D7D, 0x00000000, 0x00FF00FF, 0x00FF00FF};

    CMainDoc();
    virtual ~CMainDoc() = default;

    // Empties the forecast and resets font, size, zoom and stamp (series keep their values).
    virtual bool NewDocument();

    enum class OpenResult {
        Loaded,     // the file was read
        Empty,      // a zero-length file: the document holds the empty forecast
        Unreadable, // the file could not be opened or read; reported as a file error
        Rejected,   // the contents were refused; reported as message boxes and an open failure
    };

    // What a zero-length file is: nothing to read (an open), or a failure (a file read again
    // while another program is still writing it).
    enum class EmptyFile { Accepted, Refused };

    // Opens a file: reads it whole and reads the document from its bytes. Reports through the
    // sink; on failure the previous forecast and settings stay whole.
    OpenResult Load(const std::filesystem::path& path, MessageSink& sink,
                    EmptyFile empty = EmptyFile::Accepted);
    bool Open(const std::filesystem::path& path, MessageSink& sink) {
        const OpenResult result = Load(path, sink);
        return result == OpenResult::Loaded || result == OpenResult::Empty;
    }

    // Reads a document from bytes that came from `path` (used for the recovery-file name).
    // Empty bytes give the empty forecast: the document as constructed, nothing of the forecast
    // before it kept.
    bool Read(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
              MessageSink& sink);

    // Whether the file at `path` (links followed) begins as a forecast file does: with the
    // auto-recovery prefix or a forecast header of any version. A file that cannot be read does
    // not.
    static bool IsForecastFile(const std::filesystem::path& path);

    // Writes the document in the current format (header, settings, root).
    std::vector<std::uint8_t> Store();

    // The document never becomes modified.
    void SetModifiedFlag(bool) {}

    void SetFontName(const Text& name) { fontName = name; }
    void SetFontSize(std::int32_t size) { fontSize = size; }
    void SetZoom(std::int32_t percent) { zoom = percent; }
    void SetMargins(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right);

    // Recalculates every figure of the forecast.
    void Recalculate();
    // Recalculates only when what the figures are calculated from changed since the last
    // calculation (see Revision); true when it did. Drawing calls this before every pass, so a
    // repaint or a printed page of an unchanged forecast costs no calculation.
    bool RecalculateIfChanged();

    // A count that every change of what the figures are calculated from moves on: a read, New,
    // and whatever the callers report through Changed (a merge, a switched display flag).
    std::uint64_t Revision() const { return revision_; }
    // Reports a change of the tree's inputs made from outside the document.
    void Changed() { ++revision_; }
    // Switches a part of the statement of the year at `key` and moves the revision on, so that
    // every statement of it is built again. An outline state is the stored state of the section
    // of the key's category (no position) or of the row at category and position (what
    // CYear::SectionState addresses); a sub-column's state is its display flag (non-zero shows
    // it). False, changing nothing, when the key reaches no such state.
    bool SetShownState(const LayoutKey& key, ShownPart part, std::int32_t state);

    Database::CPERT& Root() { return *root; }
    const Database::CPERT& Root() const { return *root; }

    // Tree queries, delegated to the root.
    int ViewCount() const;
    int HiddenViewCount() const;
    int HiddenScenarioCount(int view) const;
    int HiddenCompanyCount(int view, int scenario) const;
    int ScenarioCount() const;
    int CompanyCount() const;
    Database::CObject* ObjectAt(const LayoutKey& key) const;
    // The object at a key, or none when a level does not resolve (ObjectAt fails instead).
    Database::CObject* FindObject(const LayoutKey& key) const;
    Database::CTabView& View(int index) const;

    std::unique_ptr<Database::CPERT> root;
    Text fontName = u"Times New Roman";
    std::int32_t fontSize = kDefaultFontSize;
    std::int32_t zoom = kDefaultZoom;
    std::int64_t stamp = 0;
    std::array<bool, kSeries> seriesShown{};
    std::array<std::uint32_t, kSeries> seriesColour = kDefaultSeriesColours;
    std::int32_t offsetYearChecked = 0;
    Text recoveryFile;
    Text recoverySource;
    // The full path of the auto-recovery file that was opened last, to delete on the next read.
    std::filesystem::path recoveryPath;

private:
    std::uint64_t revision_ = 1;
    // The revision and root the figures were last calculated for.
    std::uint64_t calculatedRevision_ = 0;
    const Database::CPERT* calculatedRoot_ = nullptr;

    struct Settings;

    void BecomeEmpty();
    void DeletePreviousRecoveryFile(const std::filesystem::path& reading);
    void ReadSettings(Archive& ar, const std::filesystem::path& path, Settings& settings,
                      MessageSink& sink, std::optional<Text>& finding);
};
