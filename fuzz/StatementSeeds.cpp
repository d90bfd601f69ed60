#include "fuzz/StatementSeeds.h"

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/LargeForecast.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "fuzz/DrawChoices.h"
#include "items/CItem.h"
#include "items/CNote.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Change = std::function<void(CMainDoc&)>;

// One view with a combined and one real scenario, each with a combined and one real company of
// one year: the smallest forecast whose statement every edition draws.
Bytes Stored(int rows, const Change& change) {
    CMainDoc doc;
    LargeForecast({1, 1, 1, 1, rows, 11}).Build(doc);
    change(doc);
    return doc.Store();
}

Database::CScenario& Scenario(CMainDoc& doc, int index) {
    return doc.Root().View(0).Scenario(index);
}

// The year the Advanced view shows first, and the one the Standard view does.
Database::CYear& Combined(CMainDoc& doc) {
    return Scenario(doc, -1).Company(-1).Year(0);
}
Database::CYear& Real(CMainDoc& doc) {
    return Scenario(doc, 0).Company(0).Year(0);
}

Change Presentation(std::int32_t zoom, std::int32_t fontSize) {
    return [=](CMainDoc& doc) {
        doc.zoom = zoom;
        doc.fontSize = fontSize;
    };
}

Change Months(std::int32_t combinedStart, std::int32_t combinedMonths, std::int32_t realStart,
              std::int32_t realMonths) {
    return [=](CMainDoc& doc) {
        Combined(doc).startMonth = combinedStart;
        Combined(doc).months = combinedMonths;
        Real(doc).startMonth = realStart;
        Real(doc).months = realMonths;
    };
}

// Only the real company keeps its year, so the Standard statement counts its own rows (the
// combined company has no year at that index) and the file holds the long year once.
void LongYear(CMainDoc& doc) {
    Scenario(doc, -1).Company(-1).years.Clear();
    Scenario(doc, -1).Company(0).years.Clear();
    Scenario(doc, 0).Company(-1).years.Clear();
}

// Words, a run without a break, and many short lines: wrapped into a narrow box it takes tens of
// thousands of lines.
Text LongNoteText(std::size_t length) {
    Text text;
    while (text.size() < length / 3)
        text += u"Spring prices ";
    text.append(length / 3, u'x');
    while (text.size() < length)
        text += u"a\r\n";
    text.resize(length);
    return text;
}

// The year's first note; a small year has none until this adds it.
Item::CNote& FirstNote(Database::CYear& year) {
    if (year.ItemCount(kNote) == 0) {
        auto note = std::make_unique<Item::CNote>();
        note->name = u"1";
        year.Items(kNote).Append(std::move(note));
    }
    return dynamic_cast<Item::CNote&>(year.ItemAt(kNote, 0));
}

// A row and a scenario tab whose names alone, at the largest zoom and font, are wider than an
// int can count.
void LongNames(CMainDoc& doc) {
    const Text name(300000, u'W');
    Combined(doc).ItemAt(kIncome, 0).name = name;
    Scenario(doc, -1).name = name;
}

void LongNote(CMainDoc& doc) {
    FirstNote(Combined(doc)).Text = LongNoteText(70000);
}

// A long note linked to one row thousands of times, arranged once a marker.
void LongLinkedNote(CMainDoc& doc) {
    Item::CNote& note = FirstNote(Combined(doc));
    note.Text = LongNoteText(70000);
    for (int i = 0; i < 6600; ++i)
        note.AddLink(kIncome, 0);
}

// Markers of a long note number on one row: together, at the largest zoom and font, wider than
// an int can count, even with each marker's number cut.
void LongNumberedLinks(CMainDoc& doc) {
    Item::CNote& note = FirstNote(Combined(doc));
    note.name = Text(200, u'9');
    for (int i = 0; i < 5000; ++i)
        note.AddLink(kIncome, 0);
}

// A note with a long number linked to one row thousands of times: every marker reads the
// number again.
void LongNumberManyLinks(CMainDoc& doc) {
    Item::CNote& note = FirstNote(Combined(doc));
    note.name = Text(60000, u'7');
    for (int i = 0; i < 12000; ++i)
        note.AddLink(kIncome, 0);
}

// One note linked to the first income row and the bank over and over, beyond what a sixteen-bit
// count holds.
void ManyLinks(CMainDoc& doc) {
    Item::CNote& note = FirstNote(Combined(doc));
    note.Text = u"Linked everywhere";
    for (int i = 0; i < 66000; ++i)
        note.AddLink(i % 2 == 0 ? kIncome : kBank, 0);
    Combined(doc).ItemAt(kIncome, 0).NoteCount += 33000;
    Combined(doc).ItemAt(kBank, 0).NoteCount += 33000;
}

// A window of 1600 × 1000 scrolled half way, A4 at 600 dpi, and the keys of another scenario and
// company, the graphs page and an Advanced graph page besides the defaults.
DrawChoices Sensible() {
    DrawChoices c;
    c.width = 1600;
    c.height = 1000;
    c.hScroll = 128;
    c.vScroll = 128;
    c.paper = 2;
    c.stdKeys = {{0, 0, 0}, {-1, -1, 0}, {0, 0, 1}};
    c.outline = Statement::AdvOutline::Open;
    c.advKeys = {LayoutKey(0, 0, 0, 0), LayoutKey(0, -1, -1, 0, LayoutKey::kNoEntry,
                                                  LayoutKey::kNoEntry, 0),
                 LayoutKey(0, 0, -1, 0)};
    return c;
}

DrawChoices Overridden(int width, int height, std::int32_t zoom, std::int32_t fontSize) {
    DrawChoices c = Sensible();
    c.width = width;
    c.height = height;
    c.zoom = zoom;
    c.fontSize = fontSize;
    c.hScroll = 255;
    c.vScroll = 255;
    c.paper = 4; // landscape at 96 dpi
    c.outline = Statement::AdvOutline::Closed;
    return c;
}

Bytes WithChoices(Bytes file, const DrawChoices& choices) {
    const Bytes tail = WriteChoices(choices);
    file.insert(file.end(), tail.begin(), tail.end());
    return file;
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    std::printf("%s: %zu bytes\n", path.string().c_str(), bytes.size());
}

} // namespace

void WriteStatementSeeds(const std::filesystem::path& folder,
                         const std::filesystem::path& examples) {
    std::filesystem::create_directories(folder);
    constexpr int kRows = 12;
    const DrawChoices sensible = Sensible();
    const Bytes small = Stored(kRows, [](CMainDoc&) {});
    const std::vector<std::pair<std::string, Bytes>> seeds = {
        {"zoom-font-zero", Stored(kRows, Presentation(0, 0))},
        {"zoom-font-negative", Stored(kRows, Presentation(-609542420, -1906935219))},
        {"zoom-font-int-max", Stored(kRows, Presentation(INT_MAX, INT_MAX))},
        {"zoom-above-1000-font-min", Stored(kRows, Presentation(1001, INT_MIN))},
        {"zoom-1000-font-int-max", Stored(kRows, Presentation(1000, INT_MAX))},
        {"months-12-from-december-and-1", Stored(kRows, Months(11, 12, 6, 1))},
        {"months-0-and-13", Stored(kRows, Months(-1, 13, 13, 0))},
        {"rows-2000", Stored(2000, LongYear)},
        {"note-70000-characters", Stored(kRows, LongNote)},
        {"note-66000-links", Stored(kRows, ManyLinks)},
        {"basic-example", ReadFile(examples / "basic.cfb")},
    };
    for (const auto& [name, bytes] : seeds)
        Write(folder / (name + ".cfs"), WithChoices(bytes, sensible));

    // The largest window at the largest zoom and font, and an empty one.
    Write(folder / "client-largest-zoom-1000-font-10000.cfs",
          WithChoices(small, Overridden(DrawChoices::kMaxClientSide, DrawChoices::kMaxClientSide,
                                        1000, 10000)));
    // Wider than an int at the largest zoom and font: tabs, descriptions and note markers.
    const DrawChoices largest = Overridden(1600, 1000, 1000, 10000);
    Write(folder / "names-300000-characters-zoom-1000-font-10000.cfs",
          WithChoices(Stored(kRows, LongNames), largest));
    Write(folder / "note-markers-wider-than-int-zoom-1000-font-10000.cfs",
          WithChoices(Stored(kRows, LongNumberedLinks), largest));
    Write(folder / "note-70000-characters-6600-links.cfs",
          WithChoices(Stored(kRows, LongLinkedNote), sensible));
    Write(folder / "note-number-60000-characters-12000-links.cfs",
          WithChoices(Stored(kRows, LongNumberManyLinks), sensible));
    Write(folder / "client-empty-zoom-int-min.cfs",
          WithChoices(small, Overridden(0, 0, INT_MIN, 1)));
}
