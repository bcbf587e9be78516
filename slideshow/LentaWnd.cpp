#include "slideshow/LentaWnd.h"

#include "slideshow/FavouriteStar.h"
#include "slideshow/LayeredWindow.h"
#include "slideshow/LentaDraw.h"
#include "picture/PixView.h"
#include "slideshow/SlideSettings.h"
#include "slideshow/SlideWnd.h"
#include "slideshow/PhotoMenu.h"
#include "ui/Dpi.h"
#include "ui/Menu.h"

#include <algorithm>

namespace {
bool s_registered = false;
const wchar_t kMenuName[] = L"LentaMenu";
const int kMenuStarSize = 16;   // at the system DPI

bool CursorOver(HWND hwnd)
{
    RECT rect;
    POINT pt;
    return GetWindowRect(hwnd, &rect) && GetCursorPos(&pt) && PtInRect(&rect, pt);
}

// COLORREF (R in the low byte) to a stored pixel (B in the low byte).
uint32_t PixelOf(COLORREF c)
{
    return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}
}  // namespace

bool* CLentaWnd::ClassRegisteredFlag() { return &s_registered; }

ISlideAlbum* CLentaWnd::Album() const
{
    return m_show ? m_show->Album() : nullptr;
}

int CLentaWnd::Dpi() const
{
    return m_dpi ? m_dpi : WindowDpi(m_hwnd);
}

int CLentaWnd::Width() const
{
    return ScaleForDpi(kWidth, Dpi());
}

int CLentaWnd::CellSize() const
{
    const ISlideAlbum* album = Album();
    return ScaleForDpi(album ? album->Settings().thumbSize : 64, Dpi());
}

bool CLentaWnd::Maximized() const
{
    const ISlideAlbum* album = Album();
    return album && album->Settings().maximized;
}

LRESULT CLentaWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND) {
        Draw(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    if (msg == WM_MEASUREITEM && MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
        return TRUE;
    if (msg == WM_DRAWITEM && DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    if (msg == WM_DPICHANGED) {
        // Its place follows the slide window, not the suggested rectangle.
        m_dpi = LOWORD(wParam);
        if (m_show)
            m_show->PlaceStrip();
        Redraw(true);
        return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CLentaWnd::StartHideTimer(UINT periodMs)
{
    KillTimer(m_hwnd, kHideTimer);
    SetTimer(m_hwnd, kHideTimer, periodMs, nullptr);
}

void CLentaWnd::Draw(HDC dc)
{
    RECT client;
    if (!GetClientRect(m_hwnd, &client))
        return;
    CPixView canvas;
    if (!canvas.Create(client.right, client.bottom))
        return;
    // Faded out the strip stays visible, but shows nothing: it asks for no
    // thumbnails then.
    ISlideAlbum* album = GetWindowAlpha(m_hwnd) == 0 ? nullptr : Album();
    const int starSize = std::max(8, CellSize() / 4);
    if (m_star.Width() != starSize)
        MakeFavouriteStar(starSize, m_star);
    DrawLenta(canvas, album, CellSize(), m_slide.offset, PixelOf(GetSysColor(COLOR_WINDOWTEXT)),
              ScaleForDpi(3, Dpi()), m_star.Empty() ? nullptr : &m_star);

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = canvas.Width();
    bi.bmiHeader.biHeight = -canvas.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, canvas.Width(), canvas.Height(), 0, 0, 0, canvas.Height(),
                      canvas.Bits(), &bi, DIB_RGB_COLORS);
}

LRESULT CLentaWnd::OnDestroy()
{
    // The next strip may open on another monitor.
    m_dpi = 0;
    return CWnd::OnDestroy();
}

void CLentaWnd::OnLButtonDown(WPARAM, int x, int)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int k = LentaCellsFromCentre(x, client.right, CellSize());
    if (k == 0 || !m_show)
        return;
    m_show->Step(k, true);
}

int CLentaWnd::PhotoAt(int x) const
{
    const ISlideAlbum* album = Album();
    RECT client;
    if (!album || !GetClientRect(m_hwnd, &client))
        return -1;
    const int k = LentaCellsFromCentre(x, client.right, CellSize());
    return StepIndex(album->CurrentIndex(), k, album->PhotoCount());
}

void CLentaWnd::OnRButtonDown(WPARAM, int x, int)
{
    if (FindNamedMenu(kMenuName))
        return;
    ISlideAlbum* album = Album();
    const int photo = PhotoAt(x);
    // Named now: the show may move on while the menu is open.
    const tstr path = album && photo >= 0 ? album->PhotoPath(photo) : tstr(L"");
    CBmp star;
    MakeFavouriteStar(ScaleForDpi(kMenuStarSize, SystemDpi()), star);
    CMenu* menu = CreateNamedMenu(kMenuName);
    if (!path.IsEmpty())
        AddPhotoCommands(*menu, 0, album->IsFavourite(photo), star.Empty() ? nullptr : &star);
    UINT chosen = 0;
    POINT cursor{};
    if (menu->Realise() && GetCursorPos(&cursor)) {
        const BOOL id = TrackPopupMenuEx(menu->Handle(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         cursor.x, cursor.y, m_hwnd, nullptr);
        chosen = id > 0 ? static_cast<UINT>(id) : 0;
    }
    menu->DeleteItems();
    RemoveNamedMenu(kMenuName);
    if (m_show && IsPhotoCommand(chosen))
        m_show->RunPhotoCommand(chosen, path);
}

void CLentaWnd::SlideBy(int cells)
{
    if (!m_hwnd || cells == 0)
        return;
    m_slide.Start(cells);
    SetTimer(m_hwnd, kSlideTimer, 20, nullptr);
}

void CLentaWnd::OnMouseMove(WPARAM, int, int)
{
    KillTimer(m_hwnd, kHideTimer);
    if (Maximized())
        SetTimer(m_hwnd, kHideTimer, 500, nullptr);
}

void CLentaWnd::OnTimer(UINT_PTR id)
{
    if (id == kSlideTimer) {
        if (!m_slide.Tick())
            KillTimer(m_hwnd, kSlideTimer);
        Redraw(true);
    } else if (id == kHideTimer) {
        if (!Maximized()) {
            KillTimer(m_hwnd, kHideTimer);
        } else if (!CursorOver(m_hwnd)) {
            KillTimer(m_hwnd, kHideTimer);
            if (m_show)
                m_show->HideStrip();
        }
    }
}
