#include "browser/win/icon_list_box.h"

#include <algorithm>
#include <climits>

#include "browser/win/item_painter.h"
#include "browser/win/owner_drawn_items.h"
#include "text/path_rules.h"
#include "platform/win/resource_string.h"
#include "platform/win/wide_text.h"
#include "text/text_services.h"
#include "resources/resource.h"

namespace {
UniqueIcon LoadResourceIcon(int id, UINT dpi) {
    const int size = ScaleForDpi(32, dpi);
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}
}  // namespace

IconListBox::IconListBox() : m_goUpText(Utf8FromAnsi(LoadResourceString(IDS_GO_UP))) {}

void IconListBox::SetDpi(UINT dpi) {
    m_dpi = dpi;
    m_goUpIcon = LoadResourceIcon(IDI_GO_UP, dpi);
    m_plainFileIcon = LoadResourceIcon(IDI_PLAIN_FILE, dpi);
    SetItemHeights(*this, LB_SETITEMHEIGHT, dpi);
}

void IconListBox::SetFolder(const char* path) {
    m_folder = path;
    TextServices::Utf8().RemoveBackslash(m_folder);
}

int IconListBox::AddItem(const char* text) { return AddRecordItem(*this, text); }

void IconListBox::ReplaceItems(const std::vector<std::string>& names) {
    SetRedraw(FALSE);
    ResetContent();
    std::size_t bytes = 0;
    for (const std::string& name : names) bytes += name.size() + 1;
    InitStorage(static_cast<int>(std::min<std::size_t>(names.size(), INT_MAX)),
                static_cast<int>(std::min<std::size_t>(bytes, INT_MAX)));
    for (const std::string& name : names) AddItem(name.c_str());
    SetRedraw(TRUE);
    Invalidate();
}

void IconListBox::DrawItem(const DRAWITEMSTRUCT& request) {
    const ItemPainter painter(request);
    const ItemRecord* record = painter.Record();
    if (!record) return;
    const RECT& rect = painter.Rect();
    const bool goUp = kParentItem == record->text.get();

    // ".." in the folder list has its own icon; the shell is not asked for it.
    const bool goUpIcon = request.CtlID == IDC_FOLDER_LIST && goUp;
    const UniqueIcon shellIcon =
        goUpIcon ? UniqueIcon()
                 : ShellSmallIcon((m_folder + "\\" + record->text.get()).c_str(), request.CtlID == IDC_FOLDER_LIST);
    // The resource icons are 32 x 32 with their picture in the top-left
    // 16 x 16 corner; the rest is transparent. All of it scales with the
    // display, so the picture keeps the small icons' size.
    const int top = rect.bottom - static_cast<int>(ItemHeight(m_dpi));
    if (goUpIcon) {
        painter.DrawIcon(m_goUpIcon.get(), rect.left, top, ScaleForDpi(32, m_dpi));
    } else if (shellIcon) {
        painter.DrawIcon(shellIcon.get(), rect.left, top, ScaleForDpi(16, m_dpi));
    } else if (request.CtlID == IDC_FILE_LIST) {
        painter.DrawIcon(m_plainFileIcon.get(), rect.left, top, ScaleForDpi(32, m_dpi));
    }
    painter.DrawText(goUp ? m_goUpText.c_str() : record->text.get(),
                     {rect.left + ScaleForDpi(20, m_dpi), rect.top, rect.right, rect.bottom});
}

void IconListBox::MeasureItem(MEASUREITEMSTRUCT& request) { request.itemHeight = ItemHeight(m_dpi); }

int IconListBox::CompareItem(const COMPAREITEMSTRUCT& request) { return CompareItemRecords(request); }

void IconListBox::DeleteItem(const DELETEITEMSTRUCT& request) { DeleteItemRecord(request); }
