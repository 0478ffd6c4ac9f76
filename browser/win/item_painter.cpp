#include "browser/win/item_painter.h"

#include <shellapi.h>

#include "browser/item_colors.h"
#include "browser/item_record.h"

namespace {
COLORREF ColorOf(int systemColor, HDC dc) {
    return systemColor == SystemColor::CurrentBackground ? ::GetBkColor(dc) : ::GetSysColor(systemColor);
}
}  // namespace

ItemPainter::ItemPainter(const DRAWITEMSTRUCT& request) : m_request(request) {
    if (request.itemID == static_cast<UINT>(-1) || request.itemData == 0) return;
    const ItemColors colors = ItemColorsFor(request.itemAction, request.itemState);
    if (!colors.draw) return;
    m_record = reinterpret_cast<const ItemRecord*>(request.itemData);

    const UniqueBrush fill(::CreateSolidBrush(ColorOf(colors.fill, request.hDC)));
    ::FillRect(request.hDC, &request.rcItem, fill.get());
    m_oldBackground = ::SetBkColor(request.hDC, ::GetSysColor(colors.textBackground));
    m_oldTextColor = ::SetTextColor(request.hDC, ::GetSysColor(colors.text));
}

ItemPainter::~ItemPainter() {
    if (m_oldBackground != CLR_INVALID) ::SetBkColor(m_request.hDC, m_oldBackground);
    if (m_oldTextColor != CLR_INVALID) ::SetTextColor(m_request.hDC, m_oldTextColor);
}

void ItemPainter::DrawIcon(HICON icon, int x, int y, int size) const {
    if (icon) ::DrawIconEx(m_request.hDC, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}

void ItemPainter::DrawText(const char* text, RECT rect) const {
    ::DrawTextA(m_request.hDC, text, -1, &rect, 0);
}

UniqueIcon ShellSmallIcon(const char* path) {
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return UniqueIcon();
    return UniqueIcon(info.hIcon);
}

std::string ShellDisplayName(const char* root) {
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return {};
    return info.szDisplayName;
}
