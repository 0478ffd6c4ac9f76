#include "browser/win/drive_combo.h"

#include <cstring>

#include "browser/win/item_painter.h"
#include "browser/win/owner_drawn_items.h"

void DriveCombo::ReadDriveStrings() {
    const DWORD length = ::GetLogicalDriveStringsA(sizeof m_driveStrings - 1, m_driveStrings);
    // 0 is failure; more than the buffer is the size it would need.
    if (length == 0 || length >= sizeof m_driveStrings - 1) std::memset(m_driveStrings, 0, sizeof m_driveStrings);
    m_driveStrings[sizeof m_driveStrings - 1] = '\0';
}

void DriveCombo::FillDrives() {
    ReadDriveStrings();
    for (const char* walk = m_driveStrings; *walk; walk += std::strlen(walk) + 1) AddDrive(walk);
}

void DriveCombo::SetDpi(UINT dpi) {
    m_dpi = dpi;
    SetItemHeights(*this, CB_SETITEMHEIGHT, dpi);
}

int DriveCombo::AddDrive(const char* text) { return AddRecordItem(*this, text); }

bool DriveCombo::GetDriveAt(int index, std::string& out) {
    if (index < 0) return false;
    ReadDriveStrings();
    const char* walk = m_driveStrings;
    for (int skipped = 0; *walk && skipped < index; ++skipped) walk += std::strlen(walk) + 1;
    if (!*walk) return false;
    out = walk;
    return true;
}

void DriveCombo::DrawItem(const DRAWITEMSTRUCT& request) {
    const ItemPainter painter(request);
    const ItemRecord* record = painter.Record();
    if (!record) return;
    const RECT& rect = painter.Rect();
    const UniqueIcon icon = ShellSmallIcon(record->text.get());
    painter.DrawIcon(icon.get(), rect.left, rect.top, ScaleForDpi(16, m_dpi));
    // The drive's name as the shell shows it; the item keeps the root.
    painter.DrawText(ShellDisplayName(record->text.get()).c_str(),
                     {rect.left + ScaleForDpi(20, m_dpi), rect.top + ScaleForDpi(4, m_dpi), rect.right, rect.bottom});
}

void DriveCombo::MeasureItem(MEASUREITEMSTRUCT& request) { request.itemHeight = ItemHeight(m_dpi); }

int DriveCombo::CompareItem(const COMPAREITEMSTRUCT& request) { return CompareItemRecords(request); }

void DriveCombo::DeleteItem(const DELETEITEMSTRUCT& request) { DeleteItemRecord(request); }
