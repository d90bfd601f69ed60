#pragma once

namespace Dialog {

// The control numbers every dialog gives its OK and Cancel buttons, which name the buttons.
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

} // namespace Dialog
