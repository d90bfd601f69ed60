#include "views/xlsx/XlsxSheet.h"

#include <algorithm>
#include <vector>

#include <xlsxwriter.h>

#include "display/Palette.h"
#include "views/xlsx/XlsxWorkbook.h"

using Statement::StatementTable;
using Statement::TableCell;
using Statement::TableColumnRole;
using Statement::TableHeading;
using Statement::TableRow;
using Statement::TableRowKind;

namespace {

// What a worksheet holds at most.
constexpr std::size_t kMaxRows = 1048576;
constexpr std::size_t kMaxColumns = 16384;
constexpr std::size_t kMaxCellChars = 32767;
constexpr double kMinWidth = 6;
constexpr double kMaxWidth = 80;
// Margins beyond this are taken as damage rather than a wish: no page would be left.
constexpr int kMaxMarginMm = 100;

lxw_color_t ToLxw(Colour colour) {
    return static_cast<lxw_color_t>(RedOf(colour) << 16 | GreenOf(colour) << 8 | BlueOf(colour));
}

std::size_t CodePoints(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The text cut to what a cell holds, at a character boundary.
std::string CellText(const std::string& text) {
    std::size_t points = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++points > kMaxCellChars)
            return text.substr(0, i);
    return text;
}

// The width a cell's content asks for, in characters.
std::size_t ContentWidth(const TableCell& cell, const StatementTable& table) {
    switch (cell.kind) {
    case TableCell::Kind::Text:
        return CodePoints(cell.text);
    case TableCell::Kind::Amount:
        return AmountText(cell.value, table.cents, table.brackets).size();
    case TableCell::Kind::Percent:
        return DecimalAmountText(cell.value).size();
    case TableCell::Kind::Empty:
        break;
    }
    return 0;
}

// A difference cell: the formula of the two figures to its left, holding its value for readers
// that do not calculate; the value alone where either is missing.
void WriteDifference(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const TableRow& source,
                     const TableCell& cell, lxw_format* format) {
    const double value = static_cast<double>(cell.value) / 100.0;
    if (column < 2 || !source.cells[column - 1].IsFigure() || !source.cells[column - 2].IsFigure()) {
        worksheet_write_number(sheet, row, column, value, format);
        return;
    }
    char newer[32];
    char older[32];
    lxw_rowcol_to_cell(newer, row, static_cast<lxw_col_t>(column - 1));
    lxw_rowcol_to_cell(older, row, static_cast<lxw_col_t>(column - 2));
    const std::string formula = std::string("=") + newer + "-" + older;
    worksheet_write_formula_num(sheet, row, column, formula.c_str(), format, value);
}

double MarginInches(int millimetres) {
    return std::clamp(millimetres, 0, kMaxMarginMm) / 25.4;
}

} // namespace

XlsxFormats::XlsxFormats(lxw_workbook* workbook) {
    const Colour fills[5] = {Display::kWhite, Display::kMonthHeading, Display::kSubColumn[0],
                             Display::kSubColumn[1], Display::kSubColumn[2]};
    for (std::size_t fill = 0; fill < heading.size(); ++fill)
        for (std::size_t centred = 0; centred < 2; ++centred) {
            lxw_format* format = workbook_add_format(workbook);
            format_set_bold(format);
            if (fill > 0) {
                format_set_pattern(format, LXW_PATTERN_SOLID);
                format_set_bg_color(format, ToLxw(fills[fill]));
            }
            format_set_align(format, centred ? LXW_ALIGN_CENTER : LXW_ALIGN_LEFT);
            format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
            heading[fill][centred] = format;
        }
    for (int bold = 0; bold < 2; ++bold) {
        const auto add = [&](const char* numberFormat) {
            lxw_format* format = workbook_add_format(workbook);
            if (bold)
                format_set_bold(format);
            if (numberFormat)
                format_set_num_format(format, numberFormat);
            return format;
        };
        text[bold] = add(nullptr);
        percent[bold] = add("0.00");
        amount[bold][1][1] = add("#,##0.00;(#,##0.00)");
        amount[bold][0][1] = add("#,##0.00;-#,##0.00");
        amount[bold][1][0] = add("#,##0;(#,##0)");
        amount[bold][0][0] = add("#,##0;-#,##0");
    }
}

lxw_format* XlsxFormats::Heading(const TableHeading& cell, bool overFigures) const {
    const std::size_t fill = cell.subColumn >= 0 && cell.subColumn < 3
                                 ? static_cast<std::size_t>(cell.subColumn) + 2
                                 : (cell.group ? 1 : 0);
    return heading[fill][overFigures];
}

std::string WriteSheet(lxw_worksheet* sheet, const XlsxFormats& formats,
                       const StatementTable& table, const XlsxSettings& settings) {
    const std::size_t headingRows = table.headings.size();
    if (table.columns.size() > kMaxColumns || table.rows.size() + headingRows > kMaxRows)
        return "the statement \"" + table.Title() + "\" is larger than a worksheet";
    std::vector<std::size_t> widths(table.columns.size(), 0);

    for (std::size_t r = 0; r < headingRows; ++r)
        for (const TableHeading& cell : table.headings[r]) {
            if (cell.column >= table.columns.size() || (r > 0 && cell.text.empty()))
                continue;
            const bool figures = table.columns[cell.column].role == TableColumnRole::Figure;
            // Above two heading rows, the label, notes and tax headings take both.
            const std::size_t lastRow = !figures && r == 0 ? headingRows - 1 : r;
            const std::size_t lastColumn =
                std::min(cell.column + std::max<std::size_t>(cell.span, 1), table.columns.size()) -
                1;
            lxw_format* format = formats.Heading(cell, figures);
            const auto row = static_cast<lxw_row_t>(r);
            const auto column = static_cast<lxw_col_t>(cell.column);
            if (lastRow == r && lastColumn == cell.column)
                worksheet_write_string(sheet, row, column, cell.text.c_str(), format);
            else
                worksheet_merge_range(sheet, row, column, static_cast<lxw_row_t>(lastRow),
                                      static_cast<lxw_col_t>(lastColumn), cell.text.c_str(),
                                      format);
            if (lastColumn == cell.column)
                widths[cell.column] = std::max(widths[cell.column], CodePoints(cell.text));
        }

    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const TableRow& source = table.rows[r];
        const bool bold =
            source.kind == TableRowKind::Heading || source.kind == TableRowKind::Summary;
        const auto row = static_cast<lxw_row_t>(headingRows + r);
        for (std::size_t c = 0; c < source.cells.size() && c < table.columns.size(); ++c) {
            const TableCell& cell = source.cells[c];
            const auto column = static_cast<lxw_col_t>(c);
            if (cell.kind == TableCell::Kind::Text && !cell.text.empty())
                worksheet_write_string(sheet, row, column, CellText(cell.text).c_str(),
                                       formats.Text(bold));
            else if (cell.IsFigure() && table.columns[c].difference)
                WriteDifference(sheet, row, column, source, cell,
                                cell.kind == TableCell::Kind::Amount
                                    ? formats.Amount(bold, table.brackets, table.cents)
                                    : formats.Percent(bold));
            else if (cell.kind == TableCell::Kind::Amount)
                worksheet_write_number(sheet, row, column, static_cast<double>(cell.value) / 100.0,
                                       formats.Amount(bold, table.brackets, table.cents));
            else if (cell.kind == TableCell::Kind::Percent)
                worksheet_write_number(sheet, row, column, static_cast<double>(cell.value) / 100.0,
                                       formats.Percent(bold));
            widths[c] = std::max(widths[c], ContentWidth(cell, table));
        }
    }

    for (std::size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             std::clamp(static_cast<double>(widths[c]) + 2, kMinWidth, kMaxWidth),
                             nullptr);
    worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(headingRows),
                           static_cast<lxw_col_t>(table.LeadingColumns()));
    worksheet_set_landscape(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    if (headingRows > 0)
        worksheet_repeat_rows(sheet, 0, static_cast<lxw_row_t>(headingRows - 1));
    worksheet_repeat_columns(sheet, 0, 0);
    worksheet_set_margins(sheet, MarginInches(settings.marginLeft),
                          MarginInches(settings.marginRight), MarginInches(settings.marginTop),
                          MarginInches(settings.marginBottom));
    return {};
}
