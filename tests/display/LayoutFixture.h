#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

#include "display/ArrangeContext.h"
#include "display/CLayout.h"
#include "display/DrawContext.h"
#include "display/LayoutMetrics.h"
#include "display/CLine.h"
#include "display/CTotal.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/AdvStatementModel.h"
#include "views/StatementForecast.h"

// Layout objects of the Advanced statement arranged and drawn over a forecast, in list order,
// on a recorder: 8 × 16 units a character, rows 16 high with a gap of 4.
class LayoutFixture {
  public:
    static constexpr int kLine = 16;
    static constexpr int kGap = 4;
    static constexpr int kFigure = 100;

    explicit LayoutFixture(DeviceCaps caps = DeviceCaps::Screen(4000, 3000), int startMonth = 0)
        : forecast({100}, {1.0}, 1, startMonth), dc(caps) {
        arrange.dc = &dc;
        arrange.doc = &forecast.doc;
        arrange.metrics = &metrics;
        arrange.currentKey = &current;
        arrange.highlightKey = &highlight;
        arrange.notesHighlightKey = &notesHighlight;
        draw.dc = &dc;
        draw.doc = &forecast.doc;
        draw.metrics = &metrics;
        draw.highlightKey = &highlight;
        draw.year = &Year();
        draw.display = &Year().display;
        Columns();
    }

    Database::CYear& Year() { return forecast.Year(0, 0, 0); }

    // Every column laid out: expander 0-16, description 20-220, notes 230-280, then the figure
    // columns kFigure wide, each group after a gap of 10.
    void Columns() {
        metrics = Display::LayoutMetrics{};
        metrics.printing = dc.IsPrinting();
        metrics.page = {0, 0, 4000, 3000};
        metrics.pageRect = {metrics.page, metrics.page, metrics.page, Rect{0, 0, 8000, 3000}};
        metrics.rowCursor = {0, 0, 8000, kLine};
        metrics.gapSize = {kGap, kGap};
        metrics.tabMargin = {6, 6};
        metrics.tabInset = {2, 2};
        metrics.cornerSize = {10, 10};
        metrics.expanderColumn = {0, 0, 16, 3000};
        metrics.descriptionColumn = {20, 0, 220, 3000};
        metrics.notesColumn = {230, 0, 280, 3000};
        metrics.markerColumn = {20, 0, 40, 3000};
        metrics.noteNumberColumn = {20, 0, 40, 3000};
        metrics.notesTextArea = {50, 0, 290, 3000};
        metrics.popupArea = {30, 0, 290, 3000};
        metrics.figureAreaLeft = 290;
        int left = 300;
        for (int group = 0; group < 14; ++group) {
            for (int k = 0; k < 3; ++k) {
                metrics.figureColumns[static_cast<std::size_t>(3 * group + k)] =
                    {left, 0, left + kFigure, 3000};
                left += kFigure;
            }
            left += 10;
        }
    }

    template <class Object, class... Args> Object& Add(Args&&... args) {
        auto object = std::make_unique<Object>(std::forward<Args>(args)...);
        Object& added = *object;
        objects.push_back(std::move(object));
        return added;
    }

    // One pass: every object arranged, then every object drawn. Every pass starts from the
    // metrics as they stood before the first, as the view fills them afresh each time.
    void Pass() {
        if (!fresh_)
            fresh_ = std::make_unique<Display::LayoutMetrics>(metrics);
        metrics = *fresh_;
        for (auto& object : objects)
            object->Arrange(arrange);
        dc.Clear();
        for (auto& object : objects)
            object->Draw(draw);
    }

    // The texts drawn inside a row's vertical extent, left to right.
    std::vector<const DrawOp*> TextsOnRow(const Rect& row) const {
        std::vector<const DrawOp*> texts;
        for (const DrawOp* op : dc.OfKind(DrawOp::Kind::Text))
            if (op->point.y >= row.top && op->point.y < row.bottom)
                texts.push_back(op);
        return texts;
    }

    LayoutKey RowKey(int category, int position) const {
        return LayoutKey(0, 0, 0, 0, category, position);
    }

    // The statement model of the fixture's year, built when first asked for (so after the
    // forecast is set up) or again after Rebuild.
    const Statement::AdvStatementModel& Model() {
        if (!model_)
            model_ = std::make_unique<Statement::AdvStatementModel>(
                Statement::BuildAdvStatementModel(forecast.doc, current, outline));
        return *model_;
    }
    void Rebuild() { model_.reset(); }

    // The model's first line showing the row as `kind`, or its first total labelled so.
    const Statement::AdvEntry& Line(int category, int position,
                                    Statement::LineKind kind = Statement::LineKind::Ordinary) {
        for (const Statement::AdvEntry& entry : Model().entries)
            if (entry.kind == Statement::AdvEntryKind::Line &&
                entry.key == RowKey(category, position) && entry.lineKind == kind)
                return entry;
        throw std::out_of_range("no such line");
    }
    const Statement::AdvEntry& Total(const Text& label) {
        for (const Statement::AdvEntry& entry : Model().entries)
            if (entry.IsTotal() && entry.label == label)
                return entry;
        throw std::out_of_range("no such total");
    }
    Display::CLine& AddLine(int category, int position,
                            Statement::LineKind kind = Statement::LineKind::Ordinary) {
        return Add<Display::CLine>(Model(), Line(category, position, kind));
    }
    Display::CTotal& AddTotal(const Text& label) { return Add<Display::CTotal>(Model(), Total(label)); }

    StatementForecast forecast;
    RecordingDeviceContext dc;
    Display::LayoutMetrics metrics;
    LayoutKey current{0, 0, 0, 0};
    LayoutKey highlight;
    LayoutKey notesHighlight;
    Display::ArrangeContext arrange;
    Display::DrawContext draw;
    std::vector<std::unique_ptr<Display::CLayout>> objects;

    Statement::AdvOutline outline = Statement::AdvOutline::Open;

  private:
    std::unique_ptr<Display::LayoutMetrics> fresh_;
    std::unique_ptr<Statement::AdvStatementModel> model_;
};
