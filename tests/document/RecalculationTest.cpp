#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "database/CPERT.h"
#include "database/CTabView.h"
#include "document/CMainDoc.h"
#include "document/JsonExport.h"
#include "document/RecordingMessageSink.h"

// Every repaint recalculates the whole forecast from its inputs, so a second calculation, or
// one of a freshly read copy, must give every figure to the cent: nothing carried, grown or
// looked up during one calculation may leak into the next.
namespace {

namespace fs = std::filesystem;

void Load(CMainDoc& doc, const fs::path& path, bool exclusive) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty()) << path;
    RecordingMessageSink sink;
    ASSERT_TRUE(doc.Read(bytes, path, sink)) << path;
    for (const auto& view : doc.Root().views)
        view->taxExclusive = exclusive ? 1 : 0;
}

// Where two exports first differ, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    return "at byte " + std::to_string(at) + ": \"" + a.substr(at, 60) + "\" against \"" +
           b.substr(at, 60) + "\"";
}

class Recalculation : public ::testing::TestWithParam<std::tuple<const char*, bool>> {};

} // namespace

TEST_P(Recalculation, GivesTheSameFiguresEveryTime) {
    const auto [name, exclusive] = GetParam();
    const fs::path path = fs::path(VARNOBEL_EXAMPLES) / name;

    CMainDoc doc;
    Load(doc, path, exclusive);
    const std::string read = ExportJson(doc);
    doc.Recalculate();
    const std::string once = ExportJson(doc);
    // The calculation did something, so the comparisons below compare figures it formed.
    ASSERT_NE(once, read);

    doc.Recalculate();
    const std::string twice = ExportJson(doc);
    EXPECT_TRUE(twice == once) << "second calculation " << FirstDifference(once, twice);

    CMainDoc fresh;
    Load(fresh, path, exclusive);
    fresh.Recalculate();
    const std::string copy = ExportJson(fresh);
    EXPECT_TRUE(copy == once) << "fresh copy " << FirstDifference(once, copy);
}

INSTANTIATE_TEST_SUITE_P(Examples, Recalculation,
                         ::testing::Combine(::testing::Values("sample.cfs", "basic.cfb"),
                                            ::testing::Bool()));
