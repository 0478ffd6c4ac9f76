#include "browser/item_colors.h"

namespace {
constexpr ItemColors kPlain{true, SystemColor::Window, SystemColor::Window, SystemColor::WindowText};
constexpr ItemColors kHighlighted{true, SystemColor::Highlight, SystemColor::Highlight, SystemColor::HighlightText};
}  // namespace

ItemColors ItemColorsFor(unsigned action, unsigned state) {
    if (action & ItemAction::DrawEntire) {
        return {true, SystemColor::CurrentBackground, SystemColor::Window, SystemColor::WindowText};
    }
    if (action & ItemAction::SelectionChanged) {
        // The newly selected item keeps its look until the focus reaches it.
        if (state & ItemState::Selected) return {};
        return kPlain;
    }
    if (action & ItemAction::FocusChanged) return (state & ItemState::Focus) ? kHighlighted : kPlain;
    return {};
}
