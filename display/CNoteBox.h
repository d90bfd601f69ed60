#pragma once

#include <cstdint>
#include <vector>

#include "display/CLayout.h"
#include "display/TextWrap.h"

namespace Display {

// A note shown either as an entry of the NOTES section (its number and whole text, wrapped) or
// as a marker on a row it is linked to (its number in the notes column; several read
// "1, 2, 3"). A highlighted marker opens the note's text in a box below the row, pushing the
// rows under it down.
class CNoteBox : public CLayout {
  public:
    CNoteBox();
    // `linkIndex` negative: a NOTES entry; otherwise the link of the note this marker shows.
    // `previousBox` is the marker placed just before this one on the same row (not owned).
    CNoteBox(const LayoutKey& noteKey, std::int32_t link, CNoteBox* previousBox,
             std::int32_t styleValue = kConnectorEnd);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    LayoutKind GetKind() const override { return LayoutKind::NoteBox; }
    bool OnLeftmostPageOnly() const override { return true; }

    bool IsEntry() const { return linkIndex < 0; }

    Rect popupRect;
    std::int32_t linkIndex = -1;
    bool hasText = false;
    Text number;
    CNoteBox* previous = nullptr;

  private:
    void ArrangeEntry(ArrangeContext& context, const Text& noteText);
    void ArrangeMarker(ArrangeContext& context, const Text& noteText, const LayoutKey& rowKey);

    std::int32_t ownStyle_ = kConnectorEnd;
    // The note's text as wrapped for the last width and font, kept across passes.
    WrappedText wrapped_;
    Rect textRect_;
    // A marker whose note is also the highlighted NOTES entry opens on the panel colour.
    bool notesHighlighted_ = false;
    // This pass opened the note's box under the row, here or at an earlier marker of the note.
    bool opened_ = false;
};

} // namespace Display
