#pragma once

#include <cstdint>

#include "display/CLayout.h"

namespace Statement {
struct AdvEntry;
}

namespace Display {

// The heading that opens a section or block: a fixed title, or the name of the row whose block
// it opens. Its glyph opens and closes the section.
class CLineHeader : public CLayout {
  public:
    CLineHeader() = default;
    // The style is shared and not owned: the section's open/closed state.
    CLineHeader(const Text& title, int lineCount, std::int32_t* sharedStyle);
    // The heading of a section or block as the statement model holds it.
    CLineHeader(const Statement::AdvEntry& entry, std::int32_t* sharedStyle);

    void Arrange(ArrangeContext& context) override;
    void Draw(DrawContext& context) override;
    // A hit on the glyph opens or closes the section (the view then rebuilds).
    bool HitTest(int x, int y) override;
    // The NOTES heading goes with its notes.
    bool OnLeftmostPageOnly() const override;

    Text text;
    Rect textRect;
    // Lines the heading wants on the same printed page as itself (five at most).
    int lines = 1;
    // Printing: the heading starts a page, because what follows it would not fit below it.
    bool startsPage = false;

};

} // namespace Display
