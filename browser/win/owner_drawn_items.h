#pragma once

#include <windows.h>

#include <memory>

#include "browser/item_record.h"
#include "platform/win/dpi.h"

// What the drive box and the browser lists share about their items.

// Every item is one small icon high: 16 pixels at 100%, scaled with the display.
inline UINT ItemHeight(UINT dpi) { return static_cast<UINT>(ScaleForDpi(16, dpi)); }

// Gives every item of a list or combo box (`setHeight` is LB_SETITEMHEIGHT
// or CB_SETITEMHEIGHT) the height for `dpi`; a combo box's selection field,
// item -1, too.
template <typename Control>
void SetItemHeights(const Control& control, UINT setHeight, UINT dpi) {
    const int first = setHeight == CB_SETITEMHEIGHT ? -1 : 0;
    for (int index = first, count = control.GetCount(); index < count; ++index) {
        ::SendMessageA(control.m_hWnd, setHeight, static_cast<WPARAM>(index), ItemHeight(dpi));
    }
    control.Invalidate();
}

// Adds `text` to a sorted list or combo box and attaches a new ItemRecord
// to the item; the control's DeleteItem frees it.
template <typename Control>
int AddRecordItem(const Control& control, const char* text) {
    auto record = std::make_unique<ItemRecord>(text);
    const int index = control.AddString(text);
    if (index < 0) return index;
    if (control.SetItemDataPtr(index, record.get()) >= 0) record.release();
    return index;
}

inline void DeleteItemRecord(const DELETEITEMSTRUCT& request) {
    delete reinterpret_cast<ItemRecord*>(request.itemData);
}

inline int CompareItemRecords(const COMPAREITEMSTRUCT& request) {
    const auto* first = reinterpret_cast<const ItemRecord*>(request.itemData1);
    const auto* second = reinterpret_cast<const ItemRecord*>(request.itemData2);
    if (!first || !second) return first ? 1 : (second ? -1 : 0);
    return CompareItemRecords(*first, *second);
}
