#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/LargeForecast.h"
#include "database/Archive.h"
#include "database/CBase.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "fuzz/StatementSeeds.h"
#include "support/ByteBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    std::printf("%s: %zu bytes\n", path.string().c_str(), bytes.size());
}

Bytes Generated(int views, int scenarios, int companies, int years, int rows) {
    LargeForecast::Shape shape{views, scenarios, companies, years, rows, 7};
    return LargeForecast(shape).Stored();
}

// One combined company with one year of a few rows, without the total rows and graphs a year
// normally holds: a few kilobytes that still hold most record classes.
Bytes Lean() {
    CMainDoc doc;
    LargeForecast({1, 0, 0, 1, 40, 5}).Build(doc);
    auto& year = doc.Root().View(0).Scenario(-1).Company(-1).Year(0);
    year.Items(kTotal).Clear();
    year.graphs.Clear();
    for (int category : {kIncome, kDirectCost, kExpense, kNote})
        while (year.ItemCount(category) > 1)
            year.Items(category).RemoveFirst();
    return doc.Store();
}

// A root record older than 1.3: one view whose scenario list follows the root's settings
// directly, with no view record around it. Version 1.0 has no margins.
Bytes OldRoot(double version) {
    CMainDoc doc;
    LargeForecast({1, 2, 1, 1, 4, 3}).Build(doc);
    Archive ar;
    Text header = u"Cashflow file v2.0";
    ar.String(header);
    ar.String(doc.fontName);
    ar.Int32(doc.fontSize);
    ar.Int32(doc.zoom);
    ar.Time(doc.stamp);
    for (int i = 0; i < CMainDoc::kSeries; ++i) {
        bool shown = doc.seriesShown[static_cast<std::size_t>(i)];
        ar.Flag(shown);
        ar.UInt32(doc.seriesColour[static_cast<std::size_t>(i)]);
    }
    ar.Int32(doc.offsetYearChecked);
    Database::CBase base;
    base.name = u"Old forecast";
    base.Serialize(ar);
    ar.Double(version);
    std::int32_t taxExclusive = 0;
    std::int32_t on = 1;
    ar.Int32(taxExclusive);
    ar.Int32(on);
    ar.Int32(on);
    ar.Int32(on);
    ar.List(doc.Root().View(0).scenarios);
    if (version >= 1.1) {
        std::int32_t margin = 12;
        for (int i = 0; i < 4; ++i)
            ar.Int32(margin);
    }
    return ar.Bytes();
}

Bytes WithHeader(const Bytes& file, std::u16string_view header) {
    const std::size_t stored = ByteBuilder().Wide(u"Cashflow file v2.0").Size();
    Bytes out = ByteBuilder().Wide(header).Bytes();
    out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(stored), file.end());
    return out;
}

Bytes WithRecoveryPrefix(const Bytes& file) {
    Bytes out = ByteBuilder().Wide(u"Cashflow auto recovery file").Wide(u"Forecast.cfs").Bytes();
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

// The first new-class tag naming `from` names `to` instead.
Bytes WithClassName(Bytes file, const std::string& from, const std::string& to) {
    const Bytes tag = ByteBuilder().NewClass(from).Bytes();
    const auto at = std::search(file.begin(), file.end(), tag.begin(), tag.end());
    if (at == file.end())
        return file;
    const Bytes replacement = ByteBuilder().NewClass(to).Bytes();
    const auto offset = at - file.begin();
    file.erase(at, at + static_cast<std::ptrdiff_t>(tag.size()));
    file.insert(file.begin() + offset, replacement.begin(), replacement.end());
    return file;
}

// The views list claims 0xFFFFFFFF views.
Bytes HugeViewCount() {
    ByteBuilder b;
    b.Wide(u"Cashflow file v2.0").Wide(u"Arial").I32(100).I32(100).U32(0x8000000A).I64(0);
    for (int i = 0; i < CMainDoc::kSeries; ++i)
        b.U8(0).U32(0);
    b.I32(0).Base(u"Root").F64(1.4).I32(1).I32(1).I32(1).U16(0xFFFF).U32(0xFFFFFFFF);
    return b.Bytes();
}

} // namespace

// Writes the read fuzzer's seed corpus into the first folder, the damaged files the document
// tests walk into the second (their .expect files are written by hand) and the statement
// fuzzer's seeds into the third, when given.
int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR TEST_DATA_DIR [STATEMENT_CORPUS_DIR]\n", argv[0]);
        return 2;
    }
    if (argc == 4)
        WriteStatementSeeds(argv[3], VARNOBEL_EXAMPLES);
    const std::filesystem::path corpus(argv[1]);
    const std::filesystem::path data(argv[2]);
    std::filesystem::create_directories(corpus);
    std::filesystem::create_directories(data);

    const Bytes lean = Lean();
    Write(corpus / "valid-lean.cfs", lean);
    Write(corpus / "valid-one-year.cfs", Generated(1, 0, 0, 1, 40));
    Write(corpus / "valid-tiny.cfs", Generated(1, 1, 1, 1, 12));
    Write(corpus / "valid-two-views.cfs", Generated(2, 1, 1, 1, 6));
    Write(corpus / "valid-recovery.cfs", WithRecoveryPrefix(lean));
    Write(corpus / "valid-old-root-1.2.cfs", OldRoot(1.2));
    Write(corpus / "valid-old-root-1.0.cfs", OldRoot(1.0));
    Write(corpus / "valid-header-2.cfs", WithHeader(lean, u"Cashflow file v2"));

    const std::vector<std::pair<std::string, Bytes>> damaged = {
        {"truncated",
         Bytes(lean.begin(), lean.begin() + static_cast<std::ptrdiff_t>(lean.size() / 2))},
        {"header-2.1", WithHeader(lean, u"Cashflow file v2.1")},
        {"header-1.9", WithHeader(lean, u"Cashflow file v1.9")},
        {"not-a-forecast", ByteBuilder().Wide(u"Hello").I32(1).Bytes()},
        {"unknown-class", WithClassName(lean, "CTabView", "CTabViex")},
        {"row-as-year", WithClassName(lean, "CYear", "CItem")},
        {"huge-view-count", HugeViewCount()},
        {"recovery-header-2.1", WithRecoveryPrefix(WithHeader(lean, u"Cashflow file v2.1"))},
    };
    for (const auto& [name, bytes] : damaged) {
        Write(corpus / ("damaged-" + name + ".cfs"), bytes);
        Write(data / (name + ".cfs"), bytes);
    }
    return 0;
}
