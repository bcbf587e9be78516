// Measuring and drawing of owner-drawn menu items.
#include <algorithm>

#include "picture/GdiOwners.h"
#include "picture/Picture.h"
#include "ui/Dpi.h"
#include "ui/Menu.h"

namespace {

// Menus are measured for the system DPI, as the system menu font is.
int Scaled(int value) {
    return ScaleForDpi(value, SystemDpi());
}

const CMenuItem* ItemOf(ULONG_PTR data) {
    return reinterpret_cast<const CMenuItem*>(data);
}

HFONT CreateMenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

void Fill(HDC dc, const RECT& rc, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &rc, brush.Get());
}

}  // namespace

bool MeasureMenuItem(MEASUREITEMSTRUCT* measure) {
    if (!measure || measure->CtlType != ODT_MENU || !measure->itemData) return false;
    const CMenuItem* item = ItemOf(measure->itemData);
    const CBmp* image = item->Image();
    int height = static_cast<int>(measure->itemHeight);

    CWindowDC screen(nullptr);
    CGdiObject<HFONT> font(CreateMenuFont());
    RECT text{0, 0, 0, 0};
    {
        CSelectObject useFont(screen.Get(), font.Get());
        DrawTextW(screen.Get(), item->Text().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    }
    int width = text.right - text.left;
    if (image) {
        height = std::max(height, image->Height() + Scaled(4));
        width += image->Width() + Scaled(4);
    }
    measure->itemWidth = static_cast<UINT>(width + Scaled(4));
    const int systemHeight = item->Menu() ? item->Menu()->SystemItemHeight() : 0;
    if (!image && systemHeight != 0) height = systemHeight;
    measure->itemHeight = static_cast<UINT>(height);
    return true;
}

bool DrawMenuItem(const DRAWITEMSTRUCT* draw) {
    if (!draw || draw->CtlType != ODT_MENU || !draw->itemData) return false;
    const CMenuItem* item = ItemOf(draw->itemData);
    const CBmp* image = item->Image();
    const HDC dc = draw->hDC;
    const RECT& rc = draw->rcItem;
    const int h = rc.bottom - rc.top;
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool coloured = item->Coloured();
    const COLORREF white = RGB(255, 255, 255);

    SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = GetTextColor(dc);
    const COLORREF oldBack = GetBkColor(dc);
    if (selected) {
        if (coloured) {
            SetTextColor(dc, white);
            Fill(dc, rc, ToneColour(item->Colour(), 32, 0));
        } else {
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            RECT fill = rc;
            if (image) fill.left += h;
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
            if (!disabled && image) {
                RECT column{rc.left, rc.top, rc.left + h + Scaled(2), rc.bottom};
                DrawEdge(dc, &column, BDR_RAISEDINNER, BF_RECT);
            }
        }
    } else if (coloured) {
        Fill(dc, rc, item->Colour());
        SetTextColor(dc, white);
    } else {
        Fill(dc, rc, GetBkColor(dc));
    }

    RECT textRect = rc;
    textRect.left += Scaled(4) + (image ? h : 0);
    if (disabled) SetTextColor(dc, coloured ? white : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, item->Text().c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);

    if (image) {
        DrawBmp(dc, *image, rc.left + (h - image->Width()) / 2 + 1,
                rc.top + (h - image->Height()) / 2);
        // A checked item shows its picture pressed in.
        if (draw->itemState & ODS_CHECKED) {
            RECT column{rc.left, rc.top, rc.left + h + Scaled(2), rc.bottom};
            DrawEdge(dc, &column, BDR_SUNKENOUTER, BF_RECT);
        }
    }
    return true;
}
