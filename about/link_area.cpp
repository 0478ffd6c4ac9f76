#include "about/link_area.h"

bool IsInsideLinkArea(const LinkArea& area, long x, long y) {
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}
