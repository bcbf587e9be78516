#pragma once
// The thumbnail strip ("DX_BandWnd"): one row of thumbnails along the slide
// window's lower edge, the current photo framed in the middle. A click moves
// the show by the number of cells between the clicked one and the centre,
// with a short sliding animation once the show has that photo on screen. The
// right button opens the menu "LentaMenu" of commands on the cell's photo.

#include "picture/Bmp.h"
#include "slideshow/SlideMath.h"
#include "ui/Wnd.h"

class CSlideWnd;
class ISlideAlbum;

class CLentaWnd : public CWnd {
public:
    static const UINT_PTR kSlideTimer = 1;   // 20 ms animation step
    static const UINT_PTR kHideTimer = 2;    // pointer-left test in fullscreen
    static const int kWidth = 320;   // at 96 DPI

    // show may be null (a strip made by the class factory): it then draws
    // only its background and frame and clicks do nothing.
    explicit CLentaWnd(CSlideWnd* show = nullptr) : m_show(show) {}

    bool* ClassRegisteredFlag() override;
    const wchar_t* ClassName() const override { return L"DX_BandWnd"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The strip's width and cell size (its height) at the DPI of its monitor.
    int Width() const;
    int CellSize() const;
    // Hides the strip once the pointer is no longer over it (fullscreen).
    void StartHideTimer(UINT periodMs);
    // Draws the whole strip into dc.
    void Draw(HDC dc);

    const LentaSlide& Slide() const { return m_slide; }
    // The photo on screen moved by `cells`: the thumbnails slide after it.
    void SlideBy(int cells);

    LRESULT OnDestroy() override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnRButtonDown(WPARAM keys, int x, int y) override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnTimer(UINT_PTR id) override;

private:
    ISlideAlbum* Album() const;
    // The photo of the cell at x; -1 without photos.
    int PhotoAt(int x) const;
    int Dpi() const;
    bool Maximized() const;

    CSlideWnd* m_show;
    LentaSlide m_slide;
    int m_dpi = 0;   // 0 until a DPI change tells it
    CBmp m_star;     // a favourite's mark, for the cell size it was made for

};
