#pragma once

#include <string>
#include <vector>

#include "platform/win/controls.h"
#include "platform/win/win_handles.h"

// A browser list (folders or files): one item per name, drawn with the
// shell's icon of the entry and its name; ".." is drawn as the text for
// going up with its own icon. Each item holds an ItemRecord with the name.
class IconListBox : public CListBox {
public:
    IconListBox();

    // Draws for the display scale `dpi` from now on: icons, item heights and
    // text offsets. Set before the list is filled, and again when the window
    // moves to a display of another scale.
    void SetDpi(UINT dpi);

    // The folder whose entries the list shows (UTF-8), kept without a trailing
    // backslash.
    void SetFolder(const char* path);
    // Index where the item landed, or LB_ERR / LB_ERRSPACE.
    int AddItem(const char* text);
    // Empties the list and adds `names`, with drawing suspended and the
    // list's storage reserved up front: a folder of thousands of entries
    // fills in one go instead of growing and repainting item by item.
    void ReplaceItems(const std::vector<std::string>& names);
    std::string GetItemText(int index) const { return GetText(index); }

    void DrawItem(const DRAWITEMSTRUCT& request) override;
    void MeasureItem(MEASUREITEMSTRUCT& request) override;
    int CompareItem(const COMPAREITEMSTRUCT& request) override;
    void DeleteItem(const DELETEITEMSTRUCT& request) override;

private:
    UINT m_dpi = 96;
    std::string m_folder;
    std::string m_goUpText;
    UniqueIcon m_goUpIcon;
    UniqueIcon m_plainFileIcon;
};
