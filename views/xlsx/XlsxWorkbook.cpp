#include "views/xlsx/XlsxWorkbook.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include <xlsxwriter.h>

#include "database/CPERT.h"
#include "views/xlsx/SheetNames.h"
#include "views/xlsx/XlsxSheet.h"

namespace {

// A new empty file beside `path`, made with the permissions a new file gets here, or none.
std::filesystem::path CreateBeside(const std::filesystem::path& path, std::string& error) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = path;
        candidate += ".tmp" + std::to_string(random() % 1000000000);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return candidate;
        }
        if (errno != EEXIST) {
            error = std::strerror(errno);
            return {};
        }
    }
    error = "no free temporary name";
    return {};
}

std::string WriteWorkbook(const std::filesystem::path& file,
                          const std::vector<Statement::StatementTable>& tables,
                          const XlsxSettings& settings) {
    lxw_workbook* workbook = workbook_new(file.c_str());
    if (!workbook)
        return "cannot start the workbook";
    const std::string comments = "Varnobel Viewer " + settings.version;
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(settings.title.c_str());
    properties.comments = const_cast<char*>(comments.c_str());
    workbook_set_properties(workbook, &properties);

    XlsxFormats formats(workbook);
    std::vector<std::vector<std::string>> paths;
    for (const Statement::StatementTable& table : tables)
        paths.push_back(table.path);
    const std::vector<std::string> names = SheetNames(paths);
    std::string error;
    for (std::size_t t = 0; t < tables.size() && error.empty(); ++t) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, names[t].c_str());
        if (!sheet) {
            error = "cannot add the worksheet \"" + names[t] + "\"";
            break;
        }
        error = WriteSheet(sheet, formats, tables[t], settings);
    }
    const lxw_error closed = workbook_close(workbook);
    if (error.empty() && closed != LXW_NO_ERROR)
        error = lxw_strerror(closed);
    return error;
}

} // namespace

std::string WriteXlsx(const std::filesystem::path& path,
                      const std::vector<Statement::StatementTable>& tables,
                      const XlsxSettings& settings) {
    if (tables.empty())
        return "no statement to write";
    std::string error;
    const std::filesystem::path temporary = CreateBeside(path, error);
    if (temporary.empty())
        return error;
    error = WriteWorkbook(temporary, tables, settings);
    std::error_code code;
    if (error.empty()) {
        std::filesystem::rename(temporary, path, code);
        if (code)
            error = code.message();
    }
    if (!error.empty())
        std::filesystem::remove(temporary, code);
    return error;
}

XlsxSettings XlsxSettingsOf(const Database::CPERT& root, std::string title, std::string version) {
    XlsxSettings settings;
    settings.title = std::move(title);
    settings.version = std::move(version);
    settings.marginTop = root.marginTop;
    settings.marginLeft = root.marginLeft;
    settings.marginBottom = root.marginBottom;
    settings.marginRight = root.marginRight;
    return settings;
}
