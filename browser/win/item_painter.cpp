#include "browser/win/item_painter.h"

#include <shellapi.h>

#include "browser/item_colors.h"
#include "browser/item_record.h"
#include "platform/win/wide_text.h"

namespace {
COLORREF ColorOf(SystemColor color, HDC dc) {
    switch (color) {
        case SystemColor::Window:
            return ::GetSysColor(COLOR_WINDOW);
        case SystemColor::WindowText:
            return ::GetSysColor(COLOR_WINDOWTEXT);
        case SystemColor::Highlight:
            return ::GetSysColor(COLOR_HIGHLIGHT);
        case SystemColor::HighlightText:
            return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        case SystemColor::CurrentBackground:
            break;
    }
    return ::GetBkColor(dc);
}
}  // namespace

ItemPainter::ItemPainter(const DRAWITEMSTRUCT& request) : m_request(request) {
    if (request.itemID == static_cast<UINT>(-1) || request.itemData == 0) return;
    const ItemColors colors = ItemColorsFor({.drawEntire = (request.itemAction & ODA_DRAWENTIRE) != 0,
                                             .selectionChanged = (request.itemAction & ODA_SELECT) != 0,
                                             .focusChanged = (request.itemAction & ODA_FOCUS) != 0,
                                             .selected = (request.itemState & ODS_SELECTED) != 0,
                                             .focused = (request.itemState & ODS_FOCUS) != 0});
    if (!colors.draw) return;
    m_record = reinterpret_cast<const ItemRecord*>(request.itemData);

    const UniqueBrush fill(::CreateSolidBrush(ColorOf(colors.fill, request.hDC)));
    ::FillRect(request.hDC, &request.rcItem, fill.get());
    m_oldBackground = ::SetBkColor(request.hDC, ColorOf(colors.textBackground, request.hDC));
    m_oldTextColor = ::SetTextColor(request.hDC, ColorOf(colors.text, request.hDC));
}

ItemPainter::~ItemPainter() {
    if (m_oldBackground != CLR_INVALID) ::SetBkColor(m_request.hDC, m_oldBackground);
    if (m_oldTextColor != CLR_INVALID) ::SetTextColor(m_request.hDC, m_oldTextColor);
}

void ItemPainter::DrawIcon(HICON icon, int x, int y, int size) const {
    if (icon) ::DrawIconEx(m_request.hDC, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}

void ItemPainter::DrawText(const char* text, RECT rect) const {
    const std::wstring wide = Utf16FromUtf8(text);
    ::DrawTextW(m_request.hDC, wide.c_str(), static_cast<int>(wide.size()), &rect, 0);
}

UniqueIcon ShellSmallIcon(const char* path, bool folder) {
    std::wstring wide = Utf16FromUtf8(path);
    SHFILEINFOW info{};
    DWORD flags = SHGFI_ICON | SHGFI_SMALLICON;
    if (wide.size() >= MAX_PATH) {
        // By the name alone, without reading the file system.
        wide.erase(0, wide.find_last_of(L'\\') + 1);
        flags |= SHGFI_USEFILEATTRIBUTES;
    }
    const DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (!::SHGetFileInfoW(wide.c_str(), attributes, &info, sizeof info, flags)) return UniqueIcon();
    return UniqueIcon(info.hIcon);
}

std::string ShellDisplayName(const char* root) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(Utf16FromUtf8(root).c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return {};
    return Utf8FromUtf16(info.szDisplayName);
}
