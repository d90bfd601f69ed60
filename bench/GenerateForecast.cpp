#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "bench/LargeForecast.h"

// forecast-generate typical|large OUT: writes the benchmarks' generated forecast to a file, so
// that programs outside the benchmarks (an export of two builds, say) can read the same bytes.
int main(int argc, char** argv) {
    const bool large = argc == 3 && std::strcmp(argv[1], "large") == 0;
    if (argc != 3 || (!large && std::strcmp(argv[1], "typical") != 0)) {
        std::fprintf(stderr, "usage: forecast-generate typical|large OUT\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes =
        LargeForecast(large ? LargeForecast::Large() : LargeForecast::Typical()).Stored();
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "forecast-generate: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
