#pragma once
// The photo frame on the desktop ("SlideWnd"): a frameless, topmost, layered
// tool window showing one photo of the album at a time. Timer 1 moves on to
// the next photo; when the pointer enters, the window turns click-through,
// fades to its inside opacity and shows the thumbnail strip. Dragging the top
// band moves it and stores the alignment in the album.
//
// The application owns one CSlideWnd, gives it the current album and drives
// it with Start, Stop and Step.
//
// Photos are decoded and fitted on the slide worker, never on the UI thread:
// while a photo shows, the one the next switch shows is made ready. A switch
// whose photo is not ready keeps the photo on screen until its decode arrives.

#include <memory>

#include "settings/Tstr.h"
#include "picture/Bmp.h"
#include "slideshow/SlideJob.h"
#include "slideshow/SlideWorker.h"
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
    // Shown with its first photo.
    static const DWORD kStyle = WS_POPUP;
    // The slide worker has a result to take.
    static const UINT kSlideReadyMessage = WM_APP + 0x60;

    CSlideWnd();
    ~CSlideWnd() override;

    // Registers "SlideWnd" and "DX_BandWnd" with their class factories; once
    // at start-up.
    static bool RegisterClasses();

    // The album the show runs on; not owned. Null stops nothing by itself.
    void SetAlbum(ISlideAlbum* album);
    ISlideAlbum* Album() const { return m_album; }
    // How photos are decoded from the next Start on; tests hold it back.
    void SetDecode(SlideDecode decode) { m_decode = std::move(decode); }
    // The album's photo list changed (edited, reloaded): decodes under way
    // for it are dropped, and a switch waiting for one asks again.
    void AlbumChanged();

    // Creates the window, asks for the album's current photo and starts
    // timer 1; the window shows with the photo. False without an album,
    // without photos, or when the window cannot be made; the caller tells
    // the user.
    bool Start();
    // Destroys the window and the strip with it.
    void Stop();
    bool IsRunning() const { return Exists(); }
    // Moves the show by delta photos with wrap-around and restarts timer 1;
    // with no photos left timer 1 stays stopped. From the strip, its
    // thumbnails slide once the photo is on screen.
    void Step(int delta, bool fromStrip = false);
    // Moves on as the switching timer does, in the album's switching order
    // (its shuffled round, when it keeps one), and restarts timer 1.
    void Advance();
    // Has one photo fitted, placed and shown as the settings say now, when
    // its decode arrives; a photo that gives no pixels changes nothing.
    // False without a window or path.
    bool ShowPhoto(const tstr& path);
    // Shows the current photo again on the album's monitor as it is now
    // (fitted again in fullscreen), keeping the pointer state and timer 1.
    void PlaceAgain();
    // Switches to the photo at index or, when it is out of reach or cannot
    // be decoded, the next one walking in `direction` (+1, -1, or
    // kSwitchOrder) that can (at most kMaxTriesPerSwitch decodes), and makes
    // it current; with none of those the photo on screen stays.
    void ShowUsableFrom(int index, int direction);
    // A switch, or a photo fitted anew, waits for its decode.
    bool Switching() const { return m_walk.active || m_refitTicket != 0; }
    // The photo the next switch shows is decoded and waits.
    bool NextReady() const { return m_prepared.result != nullptr; }
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

    // Photo commands (res/dialogs.h) go to `target` (the main window) as
    // WM_COMMAND; while one runs, CommandPhoto names the photo it is about:
    // the one RunPhotoCommand was given, else the photo on screen.
    void SetCommandTarget(HWND target) { m_commandTarget = target; }
    void RunPhotoCommand(UINT id, const tstr& path);
    const tstr& CommandPhoto() const { return m_commandPhoto.IsEmpty() ? m_path : m_commandPhoto; }

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
    // A switch under way: where it is in its walk through the album.
    struct Walk {
        bool active = false;
        int at = -1;
        int direction = 0;
        int walked = 0;
        int decoded = 0;
        int lastTried = -1;
        int from = 0;         // the album's current index, as the walk knows it
        uint64_t ticket = 0;  // the decode it waits for
        int stripCells = 0;   // asked for by a strip click
    };
    // The photo the next switch shows, asked for or ready.
    struct Prepared {
        int index = -1;
        SlideJob job;  // its ticket is 0 when nothing is asked for
        std::unique_ptr<SlideResult> result;
    };

    SlideJob JobFor(const tstr& path) const;
    // Walks on until a photo is asked for or ready, or the tries run out.
    void ContinueWalk();
    // Where a walk goes on once the album changed under it.
    int WalkRestart();
    void StepWalk();
    // Takes the prepared photo for the job when it is still good: true with
    // the walk finished or waiting for it.
    bool UsePrepared(int index, const SlideJob& job);
    void OnSlideReady();
    void OnResult(SlideResult& result);
    // The walk's photo decoded, or found unusable.
    void WalkResult(SlideResult& result);
    int IndexOfPath(const std::wstring& path) const;
    void FinishSwitch(int index, SlideResult& result);
    void PrepareNext();
    void DropPrepared();
    void CancelWalk();
    // Presents the fitted photo and brings the strip along.
    void ShowResult(SlideResult& result);
    // Puts m_image on the screen (constant alpha or per pixel).
    void Present();
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
    SlideDecode m_decode = DecodeSlideHere;
    std::unique_ptr<CSlideWorker> m_worker;
    Walk m_walk;
    Prepared m_prepared;
    uint64_t m_refitTicket = 0;  // ShowPhoto's decode
    CLentaWnd m_strip;
    bool m_fullScreen = false;
    bool m_pointerInside = false;
    // The last photo went out through UpdateLayeredWindow.
    bool m_perPixel = false;
    bool m_moving = false;   // in the drag loop
    bool m_paused = false;
    bool m_saving = false;
    ISlideAlbum* m_album = nullptr;
    HWND m_commandTarget = nullptr;
    tstr m_commandPhoto = tstr(L"");
};
