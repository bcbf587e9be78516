#pragma once
// The commands on one photo from the frame (res/dialogs.h: hide, open its
// location, open, copy, favourite, delete), run on the UI thread for the
// photo the slide window names. A photo that is gone, out of reach or no
// longer in the album fails with a message and changes nothing. The copy's
// picture is decoded on a worker; the clipboard is filled when it comes.

#include <windows.h>

#include <memory>

#include "settings/Tstr.h"

class CBmp;
class CSlideWorker;
class CWpp;

class CPhotoCommands {
public:
    static constexpr UINT kCopyReadyMessage = WM_APP + 0x40;
    static constexpr int kMaxCopySide = 4096;

    explicit CPhotoCommands(CWpp& app);
    // A copy under way is dropped without waiting.
    ~CPhotoCommands();
    CPhotoCommands(const CPhotoCommands&) = delete;
    CPhotoCommands& operator=(const CPhotoCommands&) = delete;

    // Messages are owned by `owner`.
    void Run(UINT id, const tstr& path, HWND owner);
    // The copy's picture came (kCopyReadyMessage to the main window).
    void OnCopyReady();

private:
    // False, after telling the user, when the photo cannot be worked on.
    bool StillThere(const tstr& path, HWND owner, bool inAlbum);
    void Hide(const tstr& path);
    void ToggleFavourite(const tstr& path);
    void Copy(const tstr& path);
    void Delete(const tstr& path, HWND owner);
    // The photo left the album: saved, and the show moves on.
    void Removed(const tstr& path, bool wasOnScreen);

    CWpp& m_app;
    std::unique_ptr<CSlideWorker> m_copier;
    uint64_t m_copyTicket = 0;
};

// The message box text `textId` with "%1" replaced by `path`.
int ShowPhotoMessage(HWND owner, UINT textId, const tstr& path, const tstr& caption, UINT type);
