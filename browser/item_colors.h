#pragma once

// The colours an owner-drawn item of the drive box and the browser lists is
// drawn in, chosen from the draw request's action and state. The highlight
// follows the focus, not the selection: a selected item in a list without
// the focus looks like any other.

// Draw-request actions and item states, as the platform numbers them.
namespace ItemAction {
inline constexpr unsigned DrawEntire = 0x1;
inline constexpr unsigned SelectionChanged = 0x2;
inline constexpr unsigned FocusChanged = 0x4;
}  // namespace ItemAction
namespace ItemState {
inline constexpr unsigned Selected = 0x1;
inline constexpr unsigned Focus = 0x10;
}  // namespace ItemState

// System colour indices, as the platform numbers them.
namespace SystemColor {
inline constexpr int Window = 5;
inline constexpr int WindowText = 8;
inline constexpr int Highlight = 13;
inline constexpr int HighlightText = 14;
// Not a system colour: the background colour the device context already has.
inline constexpr int CurrentBackground = -1;
}  // namespace SystemColor

struct ItemColors {
    bool draw = false;  // false: leave the item as it is
    int fill = SystemColor::CurrentBackground;
    int textBackground = SystemColor::Window;
    int text = SystemColor::WindowText;

    bool operator==(const ItemColors&) const = default;
};

ItemColors ItemColorsFor(unsigned action, unsigned state);
