#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Valid seeds up to this size are replayed at every truncation, larger ones at this many
// evenly spaced lengths.
constexpr std::size_t kEveryTruncationUpTo = 16 * 1024;
constexpr std::size_t kSpacedTruncations = 512;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
}

} // namespace

// Feeds every file under the given folders (or the given files) to the fuzz entry function, and
// every truncation of the valid seeds ("valid-*"), so the ordinary build replays what the
// fuzzer was seeded with and every input it found. A crash ends the process and fails the test.
int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
                if (entry.is_regular_file() && entry.path().extension() != ".expect")
                    files.push_back(entry.path());
        } else {
            files.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());

    std::size_t inputs = 0;
    for (const auto& path : files) {
        const auto bytes = ReadFile(path);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++inputs;
        if (path.filename().string().rfind("valid-", 0) == 0) {
            const std::size_t step =
                bytes.size() <= kEveryTruncationUpTo ? 1 : bytes.size() / kSpacedTruncations + 1;
            for (std::size_t length = 0; length < bytes.size(); length += step) {
                // A copy of exactly that length, so a read past it is caught by the sanitizer.
                const std::vector<std::uint8_t> prefix(
                    bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
                LLVMFuzzerTestOneInput(prefix.data(), prefix.size());
                ++inputs;
            }
        }
    }
    std::printf("replayed %zu inputs from %zu files\n", inputs, files.size());
    return files.empty() ? 1 : 0;
}
