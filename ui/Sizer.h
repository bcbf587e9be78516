#pragma once
// Keeps a dialog's controls anchored to its right and bottom edges while it is
// resized, and holds the dialog within size limits while the user drags.

#include <windows.h>

#include <vector>

class CSizer {
public:
    enum Anchor : UINT {
        kMoveY = 1,       // with kBottom: move instead of stretching
        kBottom = 2,      // bottom edge follows the dialog's bottom
        kMoveX = 4,       // with kRight: move instead of stretching
        kRight = 8,       // right edge follows the dialog's right
        kNone = 16,
    };

    explicit CSizer(HWND dialog);

    // flags 0: chosen from where the control lies relative to the centre.
    bool AddControl(HWND control, UINT flags);
    bool AddControl(int id, UINT flags);
    // 0 means no limit; a non-zero maximum below its minimum lowers the minimum.
    void SetLimits(int minWidth, int maxWidth, int minHeight, int maxHeight);
    // WM_SIZE arguments.
    void Size(UINT type, LPARAM packedSize);
    // WM_SIZING arguments.
    void Sizing(UINT edge, RECT* rect);

    void SetEnabled(bool on) { m_enabled = on; }
    void SetRecurse(bool on) { m_recurse = on; }
    void SetSuspended(bool on) { m_suspended = on; }
    // Flags an added control got (0 when not in the list).
    UINT FlagsOf(HWND control) const;

private:
    struct Entry {
        HWND control;
        UINT flags;
        int distX;
        int distY;
    };

    bool m_enabled = true;
    HWND m_dialog;
    int m_minWidth = 0;
    int m_maxWidth = 0;
    int m_minHeight = 0;
    int m_maxHeight = 0;
    bool m_recurse = true;
    bool m_suspended = false;
    int m_centreX = 0;
    int m_centreY = 0;
    std::vector<Entry> m_entries;

    const Entry* Find(HWND control) const;
};
