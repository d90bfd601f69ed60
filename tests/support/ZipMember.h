#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// One member of a zip file (an xlsx workbook's part), read through unzip; empty when missing.
inline std::string ZipMember(const std::filesystem::path& zip, const std::string& member) {
    const std::string command = "unzip -p '" + zip.string() + "' '" + member + "' 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}
