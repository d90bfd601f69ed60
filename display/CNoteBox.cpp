#include "display/CNoteBox.h"

#include <algorithm>
#include <cstdint>

#include "core/ClampToInt.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "document/CMainDoc.h"
#include "items/CNote.h"
#include "platform/DeviceContext.h"
#include "statement/NoteMarker.h"

namespace Display {
namespace {

const Item::CNote* FindNote(CMainDoc& doc, const LayoutKey& key) {
    return dynamic_cast<const Item::CNote*>(doc.FindObject(key));
}

} // namespace

CNoteBox::CNoteBox() {
    style = &ownStyle_;
}

CNoteBox::CNoteBox(const LayoutKey& noteKey, std::int32_t link, CNoteBox* previousBox,
                   std::int32_t styleValue)
    : CLayout(noteKey), linkIndex(link), previous(previousBox), ownStyle_(styleValue) {
    style = &ownStyle_;
}

void CNoteBox::Arrange(ArrangeContext& context) {
    placed = false;
    opened_ = false;
    if (hidden || context.metrics->RightOfLeftmostPage())
        return;
    const Item::CNote* note = FindNote(*context.doc, key);
    if (!note)
        return;
    // Not copied: a note linked to thousands of rows is arranged once a marker.
    static const Text kBlank(u" ");
    const Text& noteText = note->Text.empty() ? kBlank : note->Text;

    if (note->IsHidden()) {
        // A hidden note leaves no gap: the next marker on the row continues from the last
        // visible one, with the separator only when one came before.
        const Rect& notesColumn = context.metrics->notesColumn;
        bounds.right = previous ? previous->bounds.right : notesColumn.left;
        hasText = previous ? previous->hasText : false;
        return;
    }
    hasText = true;
    number = IsEntry() ? note->name : Statement::MarkerLabel(note->name);
    placed = true;
    if (IsEntry()) {
        ArrangeEntry(context, noteText);
        return;
    }
    const Item::CNoteItem* link = note->Links.Find(linkIndex);
    if (!link) {
        placed = false;
        return;
    }
    LayoutKey rowKey = key;
    rowKey[LayoutKey::kCategory] = link->Category;
    rowKey[LayoutKey::kPosition] = link->Index;
    rowKey[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    const auto* row = dynamic_cast<const Database::CBase*>(context.doc->FindObject(rowKey));
    if (!row || row->IsHidden()) {
        placed = false;
        return;
    }
    ArrangeMarker(context, noteText, rowKey);
}

void CNoteBox::ArrangeEntry(ArrangeContext& context, const Text& noteText) {
    LayoutMetrics& metrics = *context.metrics;
    DeviceContext& dc = *context.dc;
    const int gap = metrics.RowGap();
    highlighted = context.notesHighlightKey && key == *context.notesHighlightKey;
    const Rect& area = metrics.notesTextArea;
    const int height = wrapped_.Wrap(dc, noteText, area.Width());
    metrics.PageBreak(height + gap);
    const int top = metrics.rowCursor.top;
    metrics.rowCursor = Offset(metrics.rowCursor, 0, height + gap);
    textRect_ = {area.left, top, area.right, top + height};
    bounds = {metrics.noteNumberColumn.left, top, area.right, top + height};
    expanderCell = ColumnCell(metrics.expanderColumn, bounds);
    if (*style == kConnectorStub)
        expanderCell.bottom -= height / 2;
    expander.Set(expanderCell, metrics.ContentArea(), style);
    popupRect = Rect{};
}

void CNoteBox::ArrangeMarker(ArrangeContext& context, const Text& noteText,
                             const LayoutKey& rowKey) {
    LayoutMetrics& metrics = *context.metrics;
    DeviceContext& dc = *context.dc;
    const int gap = metrics.RowGap();
    // The note opens under the row the highlight stands on (the marker shares its entry).
    highlighted = context.highlightEntry >= 0
                      ? entryIndex == context.highlightEntry
                      : context.highlightKey && rowKey == *context.highlightKey;
    notesHighlighted_ = context.notesHighlightKey && key == *context.notesHighlightKey;
    popupRect = Rect{};
    const Rect& cursor = metrics.rowCursor;

    if (!highlighted) {
        int left = metrics.notesColumn.left;
        if (previous) {
            number = Statement::MarkerText(number, previous->hasText);
            left = previous->bounds.right;
        }
        const Size size = dc.TextExtent(number);
        // Markers take no row of their own: they stand on the line of the row just arranged.
        const int top = cursor.top - size.height - gap;
        bounds = {left, top, AddClamped(left, size.width), top + size.height};
        metrics.notesWidth = std::max(
            metrics.notesWidth,
            AddClamped(bounds.right, -static_cast<std::int64_t>(metrics.notesColumn.left)));
        expanderCell = ColumnCell(metrics.expanderColumn, bounds);
        expander.Set(expanderCell, metrics.ContentArea(), style);
        return;
    }

    // A note linked to the row more than once opens once: its markers stand together, and the
    // first of them has the box. (A file linking one long note to a row thousands of times
    // would otherwise stack as many copies of its text.)
    if (previous && previous->key == key && previous->opened_) {
        opened_ = true;
        placed = false;
        bounds = Rect{};
        wrapped_ = WrappedText();
        return;
    }
    opened_ = true;

    // The opened note: its number in the marker column under the row, its text in a box beside
    // it, and the rows below pushed down by the box's height.
    const Size size = dc.TextExtent(number);
    const int margin = metrics.tabMargin.width;
    Rect popup = metrics.popupArea;
    const int textWidth = popup.right - (metrics.markerColumn.left + margin + size.width + margin) -
                          2 * margin;
    const int textHeight = wrapped_.Wrap(dc, noteText, std::max(textWidth, 1));
    const int height = textHeight + 2 * gap;
    metrics.PageBreak(height + gap);
    const int cursorTop = metrics.rowCursor.top;
    const int left = metrics.markerColumn.left + margin;
    const int top = metrics.rowCursor.top + gap;
    bounds = {left, top, left + size.width, top + size.height};
    popup.left = bounds.right + margin;
    popup.top = top;
    popup.bottom = top + height;
    popupRect = popup;
    textRect_ = {popup.left + margin, popup.top + gap, popup.right - margin, popup.bottom - gap};
    metrics.rowCursor = Offset(metrics.rowCursor, 0, height + gap);
    bounds.right = popupRect.right;
    bounds.bottom = popupRect.bottom - gap;
    // The tree line runs past the box, from under the row to where the next row starts.
    expanderCell = ColumnCell(metrics.expanderColumn, Rect{popup.left, cursorTop, popup.right,
                                                           metrics.rowCursor.top});
    expander.Set(expanderCell, metrics.ContentArea(), style);
}

void CNoteBox::Draw(DrawContext& context) {
    const LayoutMetrics& metrics = *context.metrics;
    if (!placed || metrics.RightOfLeftmostPage() || !FindNote(*context.doc, key))
        return;
    DeviceContext& dc = *context.dc;
    const Rect& content = metrics.ContentArea();
    const bool screen = !dc.IsPrinting();

    if (!IsEntry()) {
        dc.SetTextColour(kCurrentRed);
        dc.SetBackTransparent();
        if (!highlighted || !screen) {
            if (Meets(bounds, content))
                DrawTextInCell(dc, number, Align::Left, bounds, content);
        } else if (Meets(popupRect, content)) {
            // Only the part of the box inside the content area is drawn, however long the note.
            const Colour fill = notesHighlighted_ ? kLightPanel : kWhite;
            dc.SetClip(content);
            dc.SelectPen(kBlack);
            dc.SelectBrush(fill);
            dc.RoundRect(popupRect, metrics.cornerSize.width, metrics.cornerSize.height);
            dc.SetTextColour(kBlack);
            wrapped_.Draw(dc, textRect_, content);
            dc.ResetClip();
            expander.DrawLine(dc);
            dc.SetTextColour(kCurrentRed);
            DrawTextInCell(dc, number, Align::Left, bounds, content);
            dc.SelectBrush(kWhite);
        }
        dc.SetTextColour(kBlack);
        dc.SetBackColour(kWhite);
        return;
    }

    if (!Meets(bounds, content))
        return;
    dc.SetTextColour(kBlack);
    dc.SetBackTransparent();
    if (highlighted && screen)
        dc.FillRect(bounds.Intersected(content), kRowTint);
    const Rect numberCell{metrics.noteNumberColumn.left, bounds.top, metrics.noteNumberColumn.right,
                          bounds.bottom};
    DrawTextInCell(dc, number, Align::Left, numberCell, content);
    wrapped_.Draw(dc, textRect_, content);
    expander.Draw(dc, metrics.RowGap());
    dc.SetBackColour(kWhite);
}

} // namespace Display
