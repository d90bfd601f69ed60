#pragma once

#include "platform/DrawTypes.h"

// The named colours of the statements. Both editions take a colour from here wherever they
// mean the same thing by it, so the two cannot drift apart.
namespace Display {

inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);
// Headings, column headings and the current tab's label; shown graph series in a legend;
// figures beyond a limit.
inline constexpr Colour kCurrentRed = Rgb(200, 0, 0);
// The Advanced statement's title, section headings and summary rows.
inline constexpr Colour kHeadingBlue = Rgb(0, 0, 200);
// Tab outlines and the labels of the other tabs; hidden graph series in a legend.
inline constexpr Colour kHighlightGrey = Rgb(170, 170, 170);

// The tab rows, darkest at the top: each row's panel, and the lighter fill of its other tabs.
inline constexpr Colour kPanelGrey = Rgb(205, 205, 205);
inline constexpr Colour kLightPanel = Rgb(230, 230, 230);
inline constexpr Colour kLighterPanel = Rgb(245, 245, 245);

// The fill behind the row that has the focus or the highlight.
inline constexpr Colour kRowTint = Rgb(205, 205, 205);
// The Standard statement's ordinary rows and its surplus lines.
inline constexpr Colour kRowText = Rgb(130, 130, 130);
inline constexpr Colour kSurplusText = Rgb(100, 100, 255);

// The Advanced statement's figure cells.
inline constexpr Colour kGroupTint = Rgb(150, 200, 200);
inline constexpr Colour kMonthHeading = Rgb(200, 255, 255);
// Actual, Expected and Variance cells, plain and on a highlighted row.
inline constexpr Colour kSubColumn[3] = {Rgb(200, 255, 200), Rgb(255, 255, 200),
                                         Rgb(200, 200, 255)};
inline constexpr Colour kSubColumnDark[3] = {Rgb(150, 200, 150), Rgb(200, 200, 150),
                                             Rgb(150, 150, 200)};

} // namespace Display
