#pragma once

// The colours an owner-drawn item of the drive box and the browser lists is
// drawn in, chosen from what the draw request asks for and the item's state.
// The highlight follows the focus, not the selection: a selected item in a
// list without the focus looks like any other.

struct ItemDrawRequest {
    // What is to be drawn: the whole item, or the change of its selection or
    // of its focus.
    bool drawEntire = false;
    bool selectionChanged = false;
    bool focusChanged = false;
    // The item's state.
    bool selected = false;
    bool focused = false;
};

// The system colours an item is drawn in; the platform's adapter numbers them.
enum class SystemColor {
    Window,
    WindowText,
    Highlight,
    HighlightText,
    // Not a system colour: the background colour the device context already has.
    CurrentBackground,
};

struct ItemColors {
    bool draw = false;  // false: leave the item as it is
    SystemColor fill = SystemColor::CurrentBackground;
    SystemColor textBackground = SystemColor::Window;
    SystemColor text = SystemColor::WindowText;

    bool operator==(const ItemColors&) const = default;
};

ItemColors ItemColorsFor(const ItemDrawRequest& request);
