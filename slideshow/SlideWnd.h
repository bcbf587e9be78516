#pragma once
// The photo frame on the desktop ("SlideWnd"): a frameless, topmost, layered
// tool window showing one photo of the album at a time. Timer 1 moves on to
// the next photo; when the pointer enters, the window turns click-through,
// fades to its inside opacity and shows the thumbnail strip. Dragging the top
// band moves it and stores the alignment in the album.
//
// The application owns one CSlideWnd, gives it the current album and drives
// it with Start, Stop and Step.

#include "settings/Tstr.h"
#include "picture/Bmp.h"
#include "slideshow/LentaWnd.h"
#include "slideshow/Placement.h"
#include "slideshow/SlideSettings.h"
#include "ui/Wnd.h"

class CSlideWnd : public CWnd {
public:
    static const UINT_PTR kSwitchTimer = 1;
    static const UINT_PTR kLeaveTimer = 3;   // 300 ms pointer-left test
    // Display changes come in bursts; one re-placement after the last.
    static const UINT_PTR kReplaceTimer = 4;
    static const UINT kReplaceDelayMs = 100;
    // The fade out before a pause hides the window.
    static const UINT_PTR kPauseHideTimer = 5;
    static const UINT kPauseFadeMs = 400;
    static const int kMaxTriesPerSwitch = 8;
    // The walking direction of the album's own switching order (see Advance).
    static const int kSwitchOrder = 0;
    static const DWORD kExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    static const DWORD kStyle = WS_POPUP | WS_VISIBLE;

    CSlideWnd();
    ~CSlideWnd() override;

    // Registers "SlideWnd" and "DX_BandWnd" with their class factories; once
    // at start-up.
    static bool RegisterClasses();

    // The album the show runs on; not owned. Null stops nothing by itself.
    void SetAlbum(ISlideAlbum* album) { m_album = album; }
    ISlideAlbum* Album() const { return m_album; }

    // Creates the window, shows the album's current photo and starts timer 1.
    // False without an album, without photos, or when the window cannot be
    // made; the caller tells the user.
    bool Start();
    // Destroys the window and the strip with it.
    void Stop();
    bool IsRunning() const { return Exists(); }
    // Moves the show by delta photos with wrap-around and restarts timer 1;
    // with no photos left timer 1 stays stopped.
    void Step(int delta);
    // Moves on as the switching timer does, in the album's switching order
    // (its shuffled round, when it keeps one), and restarts timer 1.
    void Advance();
    // Decodes, fits, places and shows one photo; false, changing nothing,
    // when it gives no pixels.
    bool ShowPhoto(const tstr& path);
    // Shows the current photo again on the album's monitor as it is now
    // (fitted again in fullscreen), keeping the pointer state and timer 1.
    void PlaceAgain();
    // Shows the photo at index or, when it is out of reach or cannot be
    // decoded, the next one walking in `direction` (+1, -1, or kSwitchOrder)
    // that can (at most
    // kMaxTriesPerSwitch decodes, so that a run of broken files cannot hold up
    // the UI thread), and makes it current; false when none of those can.
    bool ShowUsableFrom(int index, int direction);
    void StartSwitchTimer();
    void StopSwitchTimer();
    // Stores "Maximized"; the next photo is shown accordingly.
    void SetFullScreen(bool on);

    // Hidden with every timer stopped (faded out first when `fade`), the
    // photo kept; Resume shows it again, placed for the monitors as they are
    // now, switching with a full period. Stepping waits for the resume.
    void Pause(bool fade);
    void Resume();
    bool IsPaused() const { return m_paused; }
    // Battery saver: at most one switch in 10 minutes, no fades.
    void SetSaving(bool on);

    // Sizes the strip for its DPI and lays it over the window's lower edge;
    // creates it first when needed.
    void PlaceStrip();
    void ShowStrip();
    void HideStrip();
    // The main window's request while the pointer is over the tray icon in
    // fullscreen: the strip shows for about two seconds. Nothing without a strip.
    void ShowStripForTray();

    bool IsFullScreen() const { return m_fullScreen; }
    bool PointerInside() const { return m_pointerInside; }
    const CBmp& CurrentImage() const { return m_image; }
    const tstr& CurrentPath() const { return m_path; }
    CLentaWnd& Strip() { return m_strip; }

    bool* ClassRegisteredFlag() override;
    const wchar_t* ClassName() const override { return L"SlideWnd"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnMouseLeave() override;
    void OnTimer(UINT_PTR id) override;

private:
    SlideSettings Settings() const;
    // The album's monitor, or the primary one while that is not attached.
    SlideMonitor ShowMonitor() const;
    // Puts the fitted photo on the screen (constant alpha or per pixel).
    void Present(CBmp& photo);
    void PlaceAgainSoon();
    void StorePlacement();
    void PointerEntered();
    void PointerLeft();
    LRESULT OnEraseBackground(HDC dc);
    void Fade(HWND hwnd, int start, int target, int step);
    void HidePaused();
    // Excluded from capture when the album asks, on both windows.
    void ApplyCaptureAffinity();

    CBmp m_image;
    tstr m_path;
    CLentaWnd m_strip;
    bool m_fullScreen = false;
    bool m_pointerInside = false;
    // The last photo went out through UpdateLayeredWindow.
    bool m_perPixel = false;
    bool m_moving = false;   // in the drag loop
    bool m_paused = false;
    bool m_saving = false;
    ISlideAlbum* m_album = nullptr;
};
