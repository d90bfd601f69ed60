#pragma once

#include <array>
#include <string>

#include "statement/StatementTable.h"

struct XlsxSettings;
typedef struct lxw_workbook lxw_workbook;
typedef struct lxw_worksheet lxw_worksheet;
typedef struct lxw_format lxw_format;

// The cell formats of a workbook's statements, made once per workbook.
class XlsxFormats {
public:
    explicit XlsxFormats(lxw_workbook* workbook);

    // Bold, filled with the sub-column's colour (the month heading colour for a group heading
    // over sub-columns), centred over figures.
    lxw_format* Heading(const Statement::TableHeading& heading, bool overFigures) const;
    lxw_format* Text(bool bold) const { return text[bold]; }
    lxw_format* Amount(bool bold, bool brackets, bool cents) const {
        return amount[bold][brackets][cents];
    }
    lxw_format* Percent(bool bold) const { return percent[bold]; }

private:
    // Headings by fill (none, group, Actual, Expected, Variance) and by alignment.
    std::array<std::array<lxw_format*, 2>, 5> heading{};
    std::array<lxw_format*, 2> text{};
    std::array<std::array<std::array<lxw_format*, 2>, 2>, 2> amount{};
    std::array<lxw_format*, 2> percent{};
};

// Writes one table into an empty worksheet: heading rows, rows, widths, frozen panes and the
// page setup. Returns the reason when the table does not fit a worksheet, empty otherwise.
std::string WriteSheet(lxw_worksheet* sheet, const XlsxFormats& formats,
                       const Statement::StatementTable& table, const XlsxSettings& settings);
