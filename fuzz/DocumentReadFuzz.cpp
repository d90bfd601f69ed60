#include <cstddef>
#include <cstdint>
#include <span>

#include "document/CMainDoc.h"
#include "document/JsonExport.h"
#include "fuzz/DiscardingSink.h"

// One input: read it as a forecast file, recalculate whatever tree the document then holds and
// export it, so every figure the file can put in reaches the calculation and the text forms.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DiscardingSink sink;
    CMainDoc doc;
    if (doc.Read(std::span<const std::uint8_t>(data, size), "fuzz.cfs", sink)) {
        doc.Recalculate();
        volatile std::size_t exported = ExportJson(doc).size();
        (void)exported;
    }
    return 0;
}
