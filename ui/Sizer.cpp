#include "ui/Sizer.h"

namespace {

// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control) {
    RECT rc;
    GetWindowRect(control, &rc);
    if (!(GetWindowLongPtrW(control, GWL_STYLE) & WS_POPUP))
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

SIZE ClientSize(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return SIZE{rc.right, rc.bottom};
}

const UINT kQuietMove = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

}  // namespace

CSizer::CSizer(HWND dialog) : m_dialog(dialog) {
    const SIZE client = ClientSize(dialog);
    m_centreX = client.cx / 2;
    m_centreY = client.cy / 2;
}

const CSizer::Entry* CSizer::Find(HWND control) const {
    for (const Entry& entry : m_entries)
        if (entry.control == control) return &entry;
    return nullptr;
}

UINT CSizer::FlagsOf(HWND control) const {
    const Entry* entry = Find(control);
    return entry ? entry->flags : 0;
}

bool CSizer::AddControl(HWND control, UINT flags) {
    if (!control || Find(control)) return false;
    const RECT rc = RectInParent(control);
    if (flags == 0) {
        if (m_centreX < rc.left) flags |= kMoveX;
        if (m_centreX < rc.right) flags |= kRight;
        if (m_centreY < rc.top) flags |= kMoveY;
        if (m_centreY < rc.bottom) flags |= kBottom;
        if (flags == 0) flags = kNone;
    }
    const SIZE parent = ClientSize(GetParent(control));
    Entry entry{control, flags, 0, 0};
    if (flags & kMoveX)
        entry.distX = parent.cx - rc.left;
    else if (flags & kRight)
        entry.distX = parent.cx - rc.right;
    if (flags & kMoveY)
        entry.distY = parent.cy - rc.top;
    else if (flags & kBottom)
        entry.distY = parent.cy - rc.bottom;
    m_entries.push_back(entry);
    if (m_recurse) {
        for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            AddControl(child, 0);
    }
    return true;
}

bool CSizer::AddControl(int id, UINT flags) {
    return AddControl(GetDlgItem(m_dialog, id), flags);
}

void CSizer::SetLimits(int minWidth, int maxWidth, int minHeight, int maxHeight) {
    if (maxWidth != 0 && maxWidth < minWidth) minWidth = maxWidth;
    if (maxHeight != 0 && maxHeight < minHeight) minHeight = maxHeight;
    m_minWidth = minWidth;
    m_maxWidth = maxWidth;
    m_minHeight = minHeight;
    m_maxHeight = maxHeight;
}

void CSizer::Size(UINT, LPARAM packedSize) {
    if (m_suspended || !m_enabled) return;
    for (const Entry& entry : m_entries) {
        if (!IsWindow(entry.control)) continue;
        const HWND parent = GetParent(entry.control);
        SIZE size{LOWORD(packedSize), HIWORD(packedSize)};
        if (parent != m_dialog) size = ClientSize(parent);
        RECT rc = RectInParent(entry.control);
        if (entry.flags & kRight) {
            const int x = size.cx - entry.distX;
            if (entry.flags & kMoveX)
                SetWindowPos(entry.control, nullptr, x, rc.top, 0, 0, kQuietMove | SWP_NOSIZE);
            else
                SetWindowPos(entry.control, nullptr, 0, 0, x - rc.left, rc.bottom - rc.top,
                             kQuietMove | SWP_NOMOVE);
        }
        rc = RectInParent(entry.control);
        if (entry.flags & kBottom) {
            const int y = size.cy - entry.distY;
            if (entry.flags & kMoveY)
                SetWindowPos(entry.control, nullptr, rc.left, y, 0, 0, kQuietMove | SWP_NOSIZE);
            else
                SetWindowPos(entry.control, nullptr, 0, 0, rc.right - rc.left, y - rc.top,
                             kQuietMove | SWP_NOMOVE);
        }
    }
}

void CSizer::Sizing(UINT edge, RECT* rect) {
    if (!rect) return;
    const bool leftMoves = edge % 3 == 1;
    const bool rightMoves = edge % 3 == 2;
    const bool topMoves = edge >= 3 && edge <= 5;
    const bool bottomMoves = edge >= 6 && edge <= 8;
    auto fixWidth = [&](int width) {
        if (leftMoves) rect->left = rect->right - width;
        else if (rightMoves) rect->right = rect->left + width;
    };
    auto fixHeight = [&](int height) {
        if (topMoves) rect->top = rect->bottom - height;
        else if (bottomMoves) rect->bottom = rect->top + height;
    };
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (m_minWidth && width < m_minWidth) fixWidth(m_minWidth);
    if (m_maxWidth && width > m_maxWidth) fixWidth(m_maxWidth);
    if (m_minHeight && height < m_minHeight) fixHeight(m_minHeight);
    if (m_maxHeight && height > m_maxHeight) fixHeight(m_maxHeight);
}
