#pragma once

#include <string>

#include "platform/win/controls.h"

// The drive box: one item per drive root, drawn with the shell's icon and
// display name of the drive. Each item holds an ItemRecord with the root.
class DriveCombo : public CComboBox {
public:
    // Adds every root of the system's drive list, in list order. Run once,
    // on the empty box.
    void FillDrives();
    // Draws for the display scale `dpi` from now on, as the browser lists do.
    void SetDpi(UINT dpi);
    // Index where the drive landed, or CB_ERR.
    int AddDrive(const char* text);
    // The root at position `index` of a fresh reading of the drive list;
    // false when the list is shorter (a drive has gone since start-up).
    bool GetDriveAt(int index, std::string& out);

    void DrawItem(const DRAWITEMSTRUCT& request) override;
    void MeasureItem(MEASUREITEMSTRUCT& request) override;
    int CompareItem(const COMPAREITEMSTRUCT& request) override;
    void DeleteItem(const DELETEITEMSTRUCT& request) override;

private:
    UINT m_dpi = 96;
    // Reads the drive list into m_driveStrings; empty when it cannot be read.
    void ReadDriveStrings();

    // The drive list as last read: roots such as "A:\", each ended by a NUL,
    // the list by an empty string. All 26 roots and the end fit.
    char m_driveStrings[261] = {};
};
