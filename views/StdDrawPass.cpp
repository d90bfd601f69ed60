#include "views/StdDrawPass.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "core/Amount.h"
#include "core/ClampToInt.h"
#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "display/HeadingText.h"
#include "display/MoneyText.h"
#include "display/Palette.h"
#include "display/StatementFont.h"
#include "display/StdGraphsPage.h"
#include "display/TabRow.h"
#include "display/TextWrap.h"
#include "display/ViewUnits.h"
#include "document/CMainDoc.h"
#include "document/Presentation.h"
#include "statement/StatementModel.h"
#include "views/StdTabLabels.h"
#include "views/std/StdPageBreaks.h"

using namespace Statement;

namespace {

using Kind = StatementLine::Kind;

using Display::kBlack;
using Display::kCurrentRed;
using Display::kHighlightGrey;
using Display::kRowText;
using Display::kRowTint;
using Display::kSurplusText;
using Display::kWhite;

// The strip the scroll bars take at the right and bottom of the window.
constexpr int kScrollStrip = 21;

// The widest figure a month column must hold.
constexpr Amount kWidestFigure = -9'999'999'999;

constexpr const char16_t* kMonthNames[kMonths] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                  u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

using Columns = StdColumns;

int RightmostColumn(const Columns& c) {
    return c.percent ? c.percentRight : c.totalRight;
}

class DrawPass {
public:
    DrawPass(DeviceContext& dc, CMainDoc& doc, StdViewState& state, const StdPassInput& input)
        : dc_(dc), doc_(doc), root_(doc.Root()), state_(state), input_(input),
          printing_(dc.IsPrinting()), out_(!dc.IsPrinting() || state.drawing) {}

    void Run();

private:
    void SetUnits(int zoom);
    // The gap between columns at a zoom.
    int GapAt(int zoom) const { return dc_.HimetricToLogicalX(ScaledHimetric(250, zoom)); }
    static int ScaledHimetric(int hundredthsMm, int zoom) {
        return ClampToInt(static_cast<std::int64_t>(hundredthsMm) * zoom / 100);
    }
    // The heading's tax basis, empty without a tax setup.
    Text FiguresAre(bool exclusive) const;
    void DrawHeadingLine(DeviceContext& dc);
    // Lays out (and draws) a row of tabs at `top` with its panel below; returns the panel's top.
    int DrawTabRow(DeviceContext& dc, int top, const Display::TabRow& row, bool lastRow,
                   std::vector<Rect>& rects) {
        return Display::DrawTabRow(dc, area_, top, units_, row, lastRow, out_, rects);
    }
    int DrawTabRows(DeviceContext& dc);
    void DrawGraphsPage(DeviceContext& dc, int panelTop);
    void LayOutColumns(DeviceContext& dc, const StatementModel& model);
    // The bands of pages across in the current font with columns `gap` apart.
    std::vector<StdPageBreaks::Band> BreakIntoBands(DeviceContext& dc, const StatementModel& model,
                                                    int gap) const;
    // The zoom a printed statement is drawn at: 100, or smaller to fit the pages wide asked.
    int PrintZoom(DeviceContext& dc, const StatementModel& model) const;
    // Places the columns of the band that starts at state_.printOffsetX.
    void LayOutBand(DeviceContext& dc, const StatementModel& model);
    bool TaxColumn(const StatementModel& model) const {
        return model.hasTaxSetup && state_.selectedScenario >= 0 && state_.selectedCompany >= 0;
    }
    void DrawColumnHeadings(DeviceContext& dc, const StatementModel& model, int top);
    void DrawStatement(DeviceContext& dc, int panelTop, const StatementModel& model);
    void DrawLine(DeviceContext& dc, const StatementModel& model, const StatementLine& line, int y,
                  bool focused);
    Text Money(Amount amount) const { return Display::MoneyText(amount, cents_, brackets_); }

    DeviceContext& dc_;
    CMainDoc& doc_;
    Database::CPERT& root_;
    StdViewState& state_;
    const StdPassInput& input_;
    const bool printing_;
    // False while a printed page is only laid out.
    const bool out_;

    StatementSelection selection_;
    Rect area_;
    ViewUnits units_;
    int rowPitch_ = 1;
    bool cents_ = true;
    bool brackets_ = true;
    Columns columns_;
    Rect body_;
    // Printing: the bands of pages across of the year, and the tax column's heading there.
    std::vector<StdPageBreaks::Band> bands_;
    Text taxHeading_;
};

void DrawPass::SetUnits(int zoom) {
    const auto size = [&](int hundredthsMm) {
        const int scaled = ScaledHimetric(hundredthsMm, zoom);
        return Size{dc_.HimetricToLogicalX(scaled), dc_.HimetricToLogicalY(scaled)};
    };
    units_ = ViewUnits{size(50), size(100), size(150), size(250)};
}

Text DrawPass::FiguresAre(bool exclusive) const {
    const Database::CTaxSetup* setup = root_.TaxSetup(0);
    return setup ? Display::FiguresAreText({&setup, 1}, exclusive, Display::BasisCase::Upper)
                 : Text();
}

void DrawPass::DrawHeadingLine(DeviceContext& dc) {
    if (!out_)
        return;
    // The stamp keeps the right end and the tax basis what is left of it, as on the Advanced
    // heading: at a large font neither runs into the other.
    const Rect line =
        printing_ ? area_ : Display::WindowHeadingRect(input_.client, units_.u25.width);
    const Display::HeadingEnds ends =
        Display::FitHeadingEnds(dc, FiguresAre(root_.TaxExclusive(0) != 0),
                                Display::LastModifiedText(doc_.stamp), line.Width());
    dc.SetTextColour(kCurrentRed);
    dc.SetBackColour(kWhite);
    if (!ends.left.empty())
        dc.DrawText(line.left, line.top, ends.left, Align::Left, line);
    if (!ends.right.empty())
        dc.DrawText(line.right, line.top, ends.right, Align::Right, line);
}

int DrawPass::DrawTabRows(DeviceContext& dc) {
    // Printing keeps the window's rectangles for hit testing.
    std::vector<Rect> scratch;
    auto rectsOf = [&](std::vector<Rect>& kept) -> std::vector<Rect>& {
        return printing_ ? scratch : kept;
    };
    const Text basis = FiguresAre(true);
    const int headingHeight = dc.TextExtent(basis.empty() ? Text(u"No Tax") : basis).height;
    int top = area_.top + headingHeight + units_.u1.height;
    const FocusSection focus = state_.focusSection;

    const StdTabLabels labels = MakeStdTabLabels(selection_, input_.edition);
    state_.scenarioTabOffset = labels.scenarioOffset;
    state_.companyTabOffset = labels.companyOffset;
    if (input_.edition != Edition::Basic) {
        const Display::TabRow scenarios{labels.scenarios,
                                        state_.selectedScenario + state_.scenarioTabOffset,
                                        focus == FocusSection::ScenarioTabs,
                                        Display::TabFillsOf(LayoutKey::kScenario, kHighlightGrey)};
        top = DrawTabRow(dc, top, scenarios, false, rectsOf(state_.scenarioTabs));
        const Display::TabRow companies{labels.companies,
                                        state_.selectedCompany + state_.companyTabOffset,
                                        focus == FocusSection::CompanyTabs,
                                        Display::TabFillsOf(LayoutKey::kCompany, kRowTint)};
        top = DrawTabRow(dc, top, companies, false, rectsOf(state_.companyTabs));
    } else {
        state_.scenarioTabs.clear();
        state_.companyTabs.clear();
    }

    const Display::TabRow years{labels.years, state_.selectedYear,
                                focus == FocusSection::YearTabs,
                                Display::TabFillsOf(LayoutKey::kYear, kRowTint)};
    return DrawTabRow(dc, top, years, true, rectsOf(state_.yearTabs));
}

void DrawPass::DrawGraphsPage(DeviceContext& dc, int panelTop) {
    if (!out_)
        return;
    const std::array<bool, CMainDoc::kSeries> shown = state_.SeriesShown(doc_.seriesShown);
    // As far inside the panel's outline on the right and at the bottom as on the left and at
    // the top: the last month's label and the month labels under the plot end inside it.
    const Rect page{area_.left + units_.u25.width, panelTop + units_.u25.height,
                    area_.right - units_.u25.width, area_.bottom - units_.u25.height};
    if (!printing_)
        state_.legendButtons = {};
    DrawStdGraphsPage(dc, doc_, selection_.company, page, units_, shown, input_.offsetYear,
                      !printing_, state_.legendButtons,
                      printing_ ? 0 : input_.offsetYearHeight + rowPitch_ / 2);
}

void DrawPass::LayOutColumns(DeviceContext& dc, const StatementModel& model) {
    Columns& c = columns_;
    const int gap = units_.u25.width;
    const int width = dc.TextExtent(Money(kWidestFigure)).width;
    c.figureWidth = width;

    c.descLeft = area_.left + gap;
    int descWidth = dc.TextExtent(u"NET SURPLUS BEFORE INTEREST").width;
    if (model.hasTaxSetup)
        descWidth =
            std::max(descWidth, dc.TextExtent(u"NET MOVEMENT BEFORE " + model.taxName).width);
    c.descRight = c.descLeft + descWidth;
    c.taxLeft = c.descRight + gap;
    c.taxRight = c.taxLeft + (TaxColumn(model) ? dc.TextExtent(model.taxName).width : 0);
    taxHeading_ = model.taxName;
    c.monthAreaLeft = c.taxRight + gap;

    const int first = c.monthAreaLeft - input_.hScroll;
    c.monthLeft.fill(first);
    c.monthRight.fill(first);
    int x = first;
    for (int position = 0; position < model.span; ++position) {
        const auto month = static_cast<std::size_t>(model.MonthAt(position));
        c.monthLeft[month] = x;
        c.monthRight[month] = x + width;
        x += width + gap;
    }
    const int lastRight =
        model.span > 0 ? c.monthRight[static_cast<std::size_t>(model.lastMonth)] : first;
    c.totalLeft = lastRight + 2 * gap;
    c.totalRight = c.totalLeft + width;
    c.percent = model.percentColumn;
    if (c.percent) {
        c.percentLeft = c.totalRight + 2 * gap;
        c.percentRight = c.percentLeft + width * 2 / 3;
    }
    c.lastMonthRight = lastRight;
}

std::vector<StdPageBreaks::Band>
DrawPass::BreakIntoBands(DeviceContext& dc, const StatementModel& model, int gap) const {
    const int width = dc.TextExtent(Money(kWidestFigure)).width;
    std::vector<StdPageBreaks::Column> columns;
    for (int position = 0; position < model.span; ++position)
        columns.push_back({width, position == 0 ? 0 : gap});
    columns.push_back({width, 2 * gap});
    if (model.percentColumn)
        columns.push_back({width * 2 / 3, 2 * gap});

    StdPageBreaks::Labels labels;
    labels.description = dc.TextExtent(u"NET SURPLUS BEFORE INTEREST").width;
    if (model.hasTaxSetup)
        labels.description = std::max(labels.description,
                                      dc.TextExtent(u"NET MOVEMENT BEFORE " + model.taxName).width);
    labels.tax = TaxColumn(model) ? dc.TextExtent(model.taxName).width : 0;
    labels.gap = gap;
    return StdPageBreaks::Break(columns, model.span, area_.Width(), labels,
                                input_.paper.repeatLabels);
}

int DrawPass::PrintZoom(DeviceContext& dc, const StatementModel& model) const {
    const int pagesWide = std::clamp(input_.paper.pagesWide, 0, PaperFit::kMostPagesWide);
    if (pagesWide == 0)
        return 100;
    const Font previous = dc.CurrentFont();
    const int zoom = PaperFit::FitSize(
        100, PaperFit::SmallestZoom(doc_.fontSize), pagesWide, [&](int candidate) {
            Display::SelectStatementFont(dc, doc_, candidate);
            return static_cast<int>(BreakIntoBands(dc, model, GapAt(candidate)).size());
        });
    dc.SelectFont(previous);
    return zoom;
}

void DrawPass::LayOutBand(DeviceContext& dc, const StatementModel& model) {
    Columns& c = columns_;
    const int gap = units_.u25.width;
    const int width = dc.TextExtent(Money(kWidestFigure)).width;
    c.figureWidth = width;
    // The band whose first column the offset brings to the left: the job moves the offset back
    // by each band's width (pageBodyWidth) for the next.
    std::size_t b = 0;
    while (b + 1 < bands_.size() &&
           static_cast<std::int64_t>(bands_[b + 1].start) <= -std::int64_t{state_.printOffsetX})
        ++b;
    const StdPageBreaks::Band& band = bands_[b];

    c.descLeft = area_.left + gap;
    c.descRight = c.descLeft + band.description;
    c.taxLeft = c.descRight + gap;
    c.taxRight = c.taxLeft + band.tax;
    taxHeading_ = band.tax > 0 ? Display::ElideText(dc, model.taxName, band.tax) : Text();
    c.monthAreaLeft = c.taxRight + gap;

    // Columns of other bands take no room and show nothing.
    const int away = area_.right;
    c.monthLeft.fill(away);
    c.monthRight.fill(away);
    c.totalLeft = c.totalRight = away;
    c.percent = model.percentColumn;
    c.percentLeft = c.percentRight = away;
    c.lastMonthRight = band.description > 0 ? c.descRight : area_.left;
    int x = c.monthAreaLeft;
    const auto place = [&](int column, int& left, int& right, int columnWidth, int gapBefore) {
        if (column < band.first || column >= band.first + band.count)
            return;
        if (column > band.first)
            x += gapBefore;
        left = x;
        right = x + columnWidth;
        x = right;
    };
    for (int position = 0; position < model.span; ++position) {
        const auto month = static_cast<std::size_t>(model.MonthAt(position));
        place(position, c.monthLeft[month], c.monthRight[month], width, gap);
        if (c.monthRight[month] > c.monthLeft[month])
            c.lastMonthRight = c.monthRight[month];
    }
    place(model.span, c.totalLeft, c.totalRight, width, 2 * gap);
    if (c.percent)
        place(model.span + 1, c.percentLeft, c.percentRight, width * 2 / 3, 2 * gap);

    const bool last = b + 1 >= bands_.size();
    state_.moreAcross = !last;
    state_.pageBodyWidth =
        last ? std::max(0, area_.right - c.monthAreaLeft) : bands_[b + 1].start - band.start;
}

void DrawPass::DrawColumnHeadings(DeviceContext& dc, const StatementModel& model, int top) {
    if (!out_)
        return;
    const Columns& c = columns_;
    const int bottom = top + rowPitch_;
    const Rect figures{c.monthAreaLeft, top, area_.right, bottom};
    dc.SetTextColour(kCurrentRed);
    dc.SetBackColour(kWhite);
    if (c.descRight > c.descLeft)
        dc.DrawText(c.descLeft, top, u"Description", Align::Left,
                    Rect{c.descLeft, top, c.descRight, bottom}.Intersected(area_));
    if (c.taxRight > c.taxLeft)
        dc.DrawText(c.taxLeft, top, taxHeading_, Align::Left,
                    Rect{c.taxLeft, top, c.taxRight, bottom}.Intersected(area_));
    const auto heading = [&](int left, int right, const Text& text) {
        const Rect clip = Rect{left, top, right, bottom}.Intersected(figures);
        if (!clip.IsEmpty())
            dc.DrawText(right, top, text, Align::Right, clip);
    };
    for (int position = 0; position < model.span; ++position) {
        const auto month = static_cast<std::size_t>(model.MonthAt(position));
        heading(c.monthLeft[month], c.monthRight[month], kMonthNames[month]);
    }
    heading(c.totalLeft, c.totalRight, u"Total");
    if (c.percent)
        heading(c.percentLeft, c.percentRight, u"%");
}

void DrawPass::DrawLine(DeviceContext& dc, const StatementModel& model, const StatementLine& line,
                        int y, bool focused) {
    const Columns& c = columns_;
    const int bottom = y + rowPitch_;
    const Rect band{area_.left, std::max(y, body_.top), area_.right,
                    std::min(bottom, body_.bottom)};
    if (band.IsEmpty())
        return;
    const Rect figures{c.monthAreaLeft, band.top, area_.right, band.bottom};

    Colour text = kRowText;
    switch (line.kind) {
    case Kind::Heading:
    case Kind::Total:
    case Kind::BankBalance:
    case Kind::Limit:
        text = kBlack;
        break;
    case Kind::Surplus:
        text = kSurplusText;
        break;
    default:
        break;
    }
    const Colour back = focused ? kRowTint : kWhite;
    dc.SetBackColour(back);

    dc.SetTextColour(text);
    // On paper a label longer than its column ends in "…" rather than running on under the
    // clip, where the printout's text would still hold it beside the figures.
    if (c.descRight > c.descLeft)
        dc.DrawText(c.descLeft, y,
                    printing_ ? Display::ElideText(dc, line.label, c.descRight - c.descLeft)
                              : line.label,
                    Align::Left, Rect{c.descLeft, band.top, c.descRight, band.bottom});
    if (c.taxRight > c.taxLeft && !line.taxCode.empty())
        dc.DrawText((c.taxLeft + c.taxRight) / 2, y, line.taxCode, Align::Centre,
                    Rect{c.taxLeft, band.top, c.taxRight, band.bottom});
    if (!line.HasFigures())
        return;

    const auto cell = [&](int left, int right, Amount amount, bool beyond, bool forceCents) {
        const Rect clip = Rect{left, band.top, right, band.bottom}.Intersected(figures);
        if (clip.IsEmpty())
            return;
        if (line.kind == Kind::BankBalance)
            dc.SetTextColour(beyond ? kCurrentRed : kBlack);
        dc.DrawText(right, y, Display::MoneyText(amount, forceCents || cents_, brackets_),
                    Align::Right, clip);
    };
    for (int position = 0; position < model.span; ++position) {
        const auto month = static_cast<std::size_t>(model.MonthAt(position));
        cell(c.monthLeft[month], c.monthRight[month], line.values[month], line.beyondLimit[month],
             false);
    }
    cell(c.totalLeft, c.totalRight, line.total, line.totalBeyondLimit, false);
    if (c.percent && line.percent)
        cell(c.percentLeft, c.percentRight, *line.percent, line.totalBeyondLimit, true);

    // The rules go over the text, whose opaque boxes start at the same top edge and would
    // otherwise cut them into pieces.
    if (line.Ruled() && y >= body_.top && y < body_.bottom) {
        dc.SelectPen(text);
        if (c.lastMonthRight > area_.left)
            dc.Line(area_.left, y, c.lastMonthRight, y);
        if (c.totalRight > c.totalLeft)
            dc.Line(c.totalLeft, y, c.totalRight, y);
        if (c.percent && c.percentRight > c.percentLeft)
            dc.Line(c.percentLeft, y, c.percentRight, y);
    }
}

void DrawPass::DrawStatement(DeviceContext& dc, int panelTop, const StatementModel& model) {
    if (printing_)
        LayOutBand(dc, model);
    else
        LayOutColumns(dc, model);

    const int headingsTop = panelTop + units_.u25.height;
    DrawColumnHeadings(dc, model, headingsTop);
    body_ =
        Rect{area_.left, headingsTop + rowPitch_ + units_.u25.height, area_.right, area_.bottom};
    const Columns& c = columns_;

    PerSection<std::vector<Rect>> rowRects;
    std::vector<Rect> lineRects(model.lines.size());
    for (std::size_t s = 0; s < rowRects.size(); ++s)
        rowRects[s].assign(static_cast<std::size_t>(std::max(0, model.sectionRows[s])), Rect{});

    const bool focusShown = !printing_ && state_.selectedScenario >= 0 &&
                            state_.selectedCompany >= 0 &&
                            FocusedSection(state_.focusSection).has_value();
    // A page too short for one row cannot make progress down; it prints once.
    const bool pagesDown = printing_ && body_.Height() >= rowPitch_;
    std::int64_t y = static_cast<std::int64_t>(body_.top) +
                     (printing_ ? state_.printOffsetY : -static_cast<std::int64_t>(input_.vScroll));
    // Inside the year panel's outline, which the rows' opaque text boxes would otherwise cover.
    if (out_)
        dc.SetClip(Rect{body_.left, body_.top, body_.right - 1, body_.bottom - 1});

    for (std::size_t l = 0; l < model.lines.size(); ++l) {
        const StatementLine& line = model.lines[l];
        const bool ofFocus = focusShown && line.row >= 0 &&
                             FocusOn(line.section) == state_.focusSection &&
                             line.row == state_.focusRow;
        if (line.row >= 0 && (line.blockLines > 0 || line.kind == Kind::Hidden)) {
            const auto row = static_cast<std::size_t>(line.row);
            std::vector<Rect>& sectionRects = rowRects[line.section];
            if (row < sectionRects.size()) {
                const int top = ClampToInt(y);
                const int lines = line.kind == Kind::Hidden ? 0 : line.blockLines;
                sectionRects[row] =
                    Rect{c.descLeft, top, c.totalRight,
                         ClampToInt(y + static_cast<std::int64_t>(lines) * rowPitch_)};
            }
        }
        if (!line.TakesSpace())
            continue;
        lineRects[l] =
            Rect{c.descLeft, ClampToInt(y), RightmostColumn(c), ClampToInt(y + rowPitch_)};

        if (printing_ && line.kind != Kind::Spacer && y > body_.top && y < body_.bottom) {
            const std::int64_t room = body_.bottom - y;
            const bool keep = line.keepRows > 0 && room / rowPitch_ < line.keepRows;
            const bool straddles = y + rowPitch_ > body_.bottom;
            if (keep || straddles) {
                state_.printOffsetY = ClampToInt(state_.printOffsetY + room);
                y = body_.bottom;
            }
        }
        if (printing_ && line.kind != Kind::Spacer && y + rowPitch_ > body_.bottom) {
            if (pagesDown)
                state_.moreDown = true;
            break;
        }

        if (out_ && ofFocus && line.blockLines > 0) {
            const Rect highlight{
                c.descLeft, ClampToInt(y), c.totalRight,
                ClampToInt(y + static_cast<std::int64_t>(line.blockLines) * rowPitch_)};
            if (!highlight.Intersected(body_).IsEmpty()) {
                dc.SelectPen(kRowTint);
                dc.SelectBrush(kRowTint);
                dc.Rectangle(highlight);
            }
        }
        if (out_ && line.kind != Kind::Spacer && y + rowPitch_ > body_.top && y < body_.bottom)
            DrawLine(dc, model, line, ClampToInt(y), ofFocus);
        y += rowPitch_;
    }
    if (out_)
        dc.ResetClip();

    if (printing_) {
        state_.pageBodyHeight = body_.Height();
        return;
    }
    state_.sectionRows = std::move(rowRects);
    state_.lineRects = std::move(lineRects);
    state_.columns = c;
    state_.hiddenRowCount = model.hiddenRowCount;
    const std::int64_t gap = units_.u25.width;
    const std::int64_t width = c.figureWidth;
    const std::int64_t hMax = width + (width + gap) * model.span +
                              (model.percentColumn ? width * 2 / 3 + 4 * gap : 2 * gap);
    state_.hScrollMax = ClampToInt(hMax);
    state_.hScrollPage = std::max(0, area_.right - c.monthAreaLeft);
    state_.vScrollMax = ClampToInt(input_.vScroll + (y - area_.top));
    state_.vScrollPage = std::max(0, body_.Height());
    state_.body = body_;
    state_.monthArea = Rect{c.monthAreaLeft, headingsTop, area_.right, area_.bottom};
    state_.descriptionRight = c.descRight;
}

void DrawPass::Run() {
    doc_.RecalculateIfChanged();
    if (input_.edition == Edition::Basic) {
        state_.selectedScenario = 0;
        state_.selectedCompany = 0;
    }
    selection_ = ResolveStatementSelection(root_, input_.edition, state_.selectedScenario,
                                           state_.selectedCompany, state_.selectedYear);
    const int zoom = printing_ ? 100 : UsableZoom(doc_.zoom);
    SetUnits(zoom);
    if (printing_) {
        area_ = input_.printArea;
    } else {
        const int strip = selection_.graphsPage ? units_.u25.width : kScrollStrip;
        const int stripDown = selection_.graphsPage ? units_.u25.height : kScrollStrip;
        area_ = Rect{input_.client.left, input_.client.top, input_.client.right - strip,
                     input_.client.bottom - stripDown};
        state_.scenarioTabs.clear();
        state_.companyTabs.clear();
        state_.yearTabs.clear();
        for (auto& rows : state_.sectionRows)
            rows.clear();
        state_.lineRects.clear();
        state_.columns = {};
        state_.legendButtons = {};
        state_.area = area_;
        state_.body = Rect{};
        state_.monthArea = Rect{};
        state_.descriptionRight = 0;
        state_.hScrollMax = state_.hScrollPage = state_.vScrollMax = state_.vScrollPage = 0;
        state_.hiddenRowCount = 0;
    }

    // The screen is composed off-screen and copied in two blocks, so a repaint does not flicker.
    std::unique_ptr<DeviceContext> bitmap;
    if (!printing_) {
        if (input_.client.right <= 0 || input_.client.bottom <= 0)
            return;
        bitmap = dc_.CreateCompatibleBitmap(input_.client.right, input_.client.bottom);
    }
    DeviceContext& dc = bitmap ? *bitmap : dc_;
    const Font previousFont = dc.CurrentFont();

    if (selection_.Drawable()) {
        // The view's model, built once per revision and selection.
        const StatementModel* model = nullptr;
        int drawZoom = zoom;
        if (!selection_.graphsPage) {
            model = &state_.statement.Get(doc_, selection_, input_.edition);
            cents_ = model->cents;
            brackets_ = model->brackets;
            if (printing_) {
                drawZoom = PrintZoom(dc, *model);
                SetUnits(drawZoom);
                Display::SelectStatementFont(dc, doc_, drawZoom);
                bands_ = BreakIntoBands(dc, *model, units_.u25.width);
                const int pagesWide = input_.paper.pagesWide;
                state_.printTooWide =
                    pagesWide > 0 && bands_.size() > static_cast<std::size_t>(pagesWide);
            }
        }
        Display::SelectStatementFont(dc, doc_, drawZoom);
        rowPitch_ =
            std::max(1, dc.TextExtent(u"NET SURPLUS BEFORE INTEREST").height + units_.u05.height);
        if (!printing_)
            state_.rowPitch = rowPitch_;
        // The heading keeps its own bounds; long tab labels must not reach into the scroll-bar
        // strips.
        DrawHeadingLine(dc);
        if (out_)
            dc.SetClip(area_);
        const int panelTop = DrawTabRows(dc);
        if (out_)
            dc.ResetClip();
        if (selection_.graphsPage)
            DrawGraphsPage(dc, panelTop);
        else
            DrawStatement(dc, panelTop, *model);
    }

    if (bitmap) {
        const Rect& client = input_.client;
        const int split = std::max(client.top, client.bottom - kScrollStrip);
        dc_.BlockCopy(Rect{client.left, client.top, client.right, split}, *bitmap,
                      Point{client.left, client.top});
        dc_.BlockCopy(Rect{client.left, split, client.right, client.bottom}, *bitmap,
                      Point{client.left, split});
    } else {
        dc.SelectFont(previousFont);
    }
}

} // namespace

void RunStdDrawPass(DeviceContext& dc, CMainDoc& doc, StdViewState& state,
                    const StdPassInput& input) {
    if (!doc.root)
        return;
    DrawPass(dc, doc, state, input).Run();
}
