#include "browser/item_colors.h"

namespace {
constexpr ItemColors kPlain{true, SystemColor::Window, SystemColor::Window, SystemColor::WindowText};
constexpr ItemColors kHighlighted{true, SystemColor::Highlight, SystemColor::Highlight, SystemColor::HighlightText};
}  // namespace

ItemColors ItemColorsFor(const ItemDrawRequest& request) {
    if (request.drawEntire) return {true, SystemColor::CurrentBackground, SystemColor::Window, SystemColor::WindowText};
    if (request.selectionChanged) {
        // The newly selected item keeps its look until the focus reaches it.
        if (request.selected) return {};
        return kPlain;
    }
    if (request.focusChanged) return request.focused ? kHighlighted : kPlain;
    return {};
}
