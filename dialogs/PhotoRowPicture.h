#pragma once
// Thumbnails of the photo rows of one pane. A row's picture is asked for as
// the row is drawn, so the rows on screen are made first; until it arrives
// the row shows a placeholder of the same size, and the pane is redrawn as
// thumbnails arrive. Closing (the dialog's end) cancels what only the rows
// waited for.

#include <windows.h>

#include <memory>
#include <unordered_set>
#include <vector>

#include "album/Thumbnails.h"
#include "dialogs/HeldAccept.h"
#include "ui/NavPaneTool.h"

class CPaneThumbnails : public IThumbnailListener {
public:
    CPaneThumbnails() = default;
    CPaneThumbnails(const CPaneThumbnails&) = delete;
    CPaneThumbnails& operator=(const CPaneThumbnails&) = delete;
    ~CPaneThumbnails() { Close(); }

    // Photos found unusable are reported to `dialog` as kUnusableMessage.
    void Open(HWND pane, HWND dialog) {
        m_pane = pane;
        m_dialog = dialog;
    }
    void Close();
    // The thumbnail to draw now, when it is made; null (and asked for)
    // otherwise. It stays valid until the next call: rows keep no thumbnail,
    // so memory holds no more than its bound however many rows were drawn.
    // Once closed nothing is redrawn, so nothing waits on this object.
    const CBmp* Draw(const tstr& path);
    ThumbProblem Problem(const tstr& path) const { return m_thumbnails->Problem(path); }
    // The files of thumbnails in memory are looked at again as they are drawn.
    void Recheck() { m_thumbnails->Recheck(); }
    // Has the workers find out whether a photo added just now can be shown.
    void Check(const tstr& path) {
        if (!m_pane) return;
        m_checked.insert(path.Str());
        m_thumbnails->Request(path, false, this);
    }
    // The photos checked since the last call that turned out unusable.
    // Photos that were in the album before are never among them: they say
    // why in their rows instead.
    std::vector<tstr> TakeUnusableChecked();
    // Told to the dialog when checked photos turned out unusable, and when
    // the checks OK waits for are done.
    static constexpr UINT kUnusableMessage = WM_APP + 3;

    // OK while photos added just now are still checked: true when the
    // dialog must wait, so that none that cannot show is stored. A photo
    // out of reach for now is not waited for.
    bool HoldAccept() { return m_accept.Hold(ChecksPending()); }
    // True, once, when the checks OK waited for are done.
    bool AcceptWhenChecked() { return m_accept.Release(ChecksPending()); }
    bool SetWaitCursor() const { return m_accept.SetWaitCursor(); }

    void OnThumbnailsArrived(bool someUnusable) override;

private:
    std::shared_ptr<CThumbnails> m_thumbnails = CThumbnails::Shared();
    std::shared_ptr<const CBmp> m_drawing;
    HWND m_pane = nullptr;
    HWND m_dialog = nullptr;
    // Moves the checks that are done out of m_checked; true when one found
    // a photo unusable.
    bool SweepChecked();
    bool ChecksPending() {
        SweepChecked();
        return !m_checked.empty();
    }

    std::unordered_set<std::wstring> m_checked;  // not known yet
    std::vector<tstr> m_unusable;                // checked and unusable
    CHeldAccept m_accept;
};

// The left tool of a photo row.
class CPhotoRowPicture : public CNavPaneItemTool {
public:
    CPhotoRowPicture(const tstr& path, CPaneThumbnails& thumbnails) : m_path(path), m_thumbnails(thumbnails) {}

    const CBmp* PictureToDraw(int* layer) const override;

private:
    tstr m_path;
    CPaneThumbnails& m_thumbnails;
};
