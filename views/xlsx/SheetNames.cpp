#include "views/xlsx/SheetNames.h"

#include <algorithm>
#include <cstddef>
#include <set>

#include "views/xlsx/CaseFold.h"

namespace {

constexpr std::size_t kMaxUnits = 31;

// A name as code points, so that shortening never splits a character.
using CodePoints = std::u32string;

CodePoints Decode(const std::string& utf8) {
    CodePoints out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const int length = byte < 0x80    ? 1
                           : byte >= 0xF0 ? 4
                           : byte >= 0xE0 ? 3
                           : byte >= 0xC0 ? 2
                                          : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t point = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            point = point << 6 |
                    (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        out += point;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string Encode(const CodePoints& points) {
    std::string out;
    for (char32_t p : points) {
        if (p < 0x80) {
            out += static_cast<char>(p);
        } else if (p < 0x800) {
            out += static_cast<char>(0xC0 | p >> 6);
            out += static_cast<char>(0x80 | (p & 0x3F));
        } else if (p < 0x10000) {
            out += static_cast<char>(0xE0 | p >> 12);
            out += static_cast<char>(0x80 | (p >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (p & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | p >> 18);
            out += static_cast<char>(0x80 | (p >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (p >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (p & 0x3F));
        }
    }
    return out;
}

std::size_t Units(const CodePoints& points) {
    std::size_t units = 0;
    for (char32_t p : points)
        units += p >= 0x10000 ? 2 : 1;
    return units;
}

CodePoints Clean(const std::string& part) {
    CodePoints points = Decode(part);
    for (char32_t& p : points)
        if (p < 0x20 || p == 0x7F ||
            std::u32string_view(U"[]:*?/\\").find(p) != std::u32string_view::npos)
            p = U'_';
    // Blanks at either end say nothing in a tab's name.
    const std::size_t first = points.find_first_not_of(U' ');
    if (first == CodePoints::npos)
        return {};
    return points.substr(first, points.find_last_not_of(U' ') - first + 1);
}

// The parts joined, the longest shortened one character at a time until the whole fits.
CodePoints Join(std::vector<CodePoints> parts, std::size_t limit) {
    std::erase_if(parts, [](const CodePoints& part) { return part.empty(); });
    const auto total = [&parts] {
        std::size_t units = parts.empty() ? 0 : parts.size() - 1;
        for (const CodePoints& part : parts)
            units += Units(part);
        return units;
    };
    while (total() > limit) {
        auto longest = std::max_element(
            parts.begin(), parts.end(),
            [](const CodePoints& a, const CodePoints& b) { return Units(a) < Units(b); });
        longest->pop_back();
        while (!longest->empty() && longest->back() == U' ')
            longest->pop_back();
        if (longest->empty())
            parts.erase(longest);
    }
    CodePoints name;
    for (const CodePoints& part : parts) {
        if (!name.empty())
            name += U'-';
        name += part;
    }
    // Spreadsheets refuse an apostrophe at either end.
    if (!name.empty() && name.front() == U'\'')
        name.front() = U'_';
    if (!name.empty() && name.back() == U'\'')
        name.back() = U'_';
    return name;
}

// Spreadsheets compare sheet names without regard to case, letters beyond A-Z included.
std::string Folded(const CodePoints& name) {
    CodePoints folded = name;
    for (char32_t& p : folded)
        p = FoldCase(p);
    return Encode(folded);
}

} // namespace

std::vector<std::string> SheetNames(const std::vector<std::vector<std::string>>& paths) {
    // "History" is kept by one spreadsheet program for its own sheet.
    std::set<std::string> taken{"history"};
    std::vector<std::string> names;
    // A part every path shares (the one view of a forecast) names nothing apart.
    std::vector<bool> shared;
    if (paths.size() > 1)
        for (std::size_t level = 0; level < paths.front().size(); ++level)
            shared.push_back(std::all_of(paths.begin(), paths.end(), [&](const auto& path) {
                return path.size() == paths.front().size() && path[level] == paths.front()[level];
            }));
    // Paths that are all the same keep their parts, to be numbered apart.
    if (std::all_of(shared.begin(), shared.end(), [](bool same) { return same; }))
        shared.clear();
    for (const std::vector<std::string>& path : paths) {
        std::vector<CodePoints> parts;
        for (std::size_t level = 0; level < path.size(); ++level)
            if (level >= shared.size() || !shared[level])
                parts.push_back(Clean(path[level]));
        const auto shortened = [&parts](std::size_t limit) {
            CodePoints name = Join(parts, limit);
            return name.empty() ? CodePoints(U"Sheet") : name;
        };
        CodePoints name = shortened(kMaxUnits);
        for (int n = 2; taken.contains(Folded(name)); ++n) {
            const CodePoints suffix = Decode(" (" + std::to_string(n) + ")");
            name = shortened(kMaxUnits - suffix.size()) + suffix;
        }
        taken.insert(Folded(name));
        names.push_back(Encode(name));
    }
    return names;
}
