#include "browser/item_colors.h"

namespace {
constexpr ItemColors kPlain{true, SystemColor::Window, SystemColor::Window, SystemColor::WindowText};
constexpr ItemColors kHighlighted{true, SystemColor::Highlight, SystemColor::Highlight, SystemColor::HighlightText};
}  // namespace

ItemColors ItemColorsFor(unsigned action, unsigned state) {
    if (action & DrawAction::DrawEntire) {
        return {true, SystemColor::CurrentBackground, SystemColor::Window, SystemColor::WindowText};
    }
    if (action & DrawAction::SelectionChanged) {
        // The newly selected item keeps its look until the focus reaches it.
        if (state & DrawState::Selected) return {};
        return kPlain;
    }
    if (action & DrawAction::FocusChanged) return (state & DrawState::Focus) ? kHighlighted : kPlain;
    return {};
}
