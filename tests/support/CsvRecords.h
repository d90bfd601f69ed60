#pragma once

#include <string>
#include <vector>

// Reading back the CSV exports in tests.
namespace CsvRecords {

// The fields of an RFC 4180 record set.
inline std::vector<std::vector<std::string>> Parse(const std::string& csv) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
            records.back().back() += csv[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            records.back().emplace_back();
        else if (!quoted && c == '\r')
            continue;
        else if (!quoted && c == '\n')
            records.emplace_back(1);
        else
            records.back().back() += c;
    }
    records.pop_back(); // after the last line end
    return records;
}

// Hundredths of a decimal text.
inline long long Cents(const std::string& text) {
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    fraction = (fraction + "00").substr(0, 2);
    const bool negative = !whole.empty() && whole[0] == '-';
    const long long units = std::stoll(negative ? whole.substr(1) : whole);
    const long long cents = units * 100 + std::stoll(fraction);
    return negative ? -cents : cents;
}

} // namespace CsvRecords
