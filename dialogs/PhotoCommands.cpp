#include "dialogs/PhotoCommands.h"

#include "album/PhotoLocation.h"
#include "app/PhotoShell.h"
#include "dialogs/Wpp.h"
#include "picture/Picture.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "slideshow/SlideWorker.h"
#include "ui/ResString.h"

namespace {

bool DecodeForClipboard(const SlideJob& job, CBmp& out)
{
    return LoadPhotoWithin(job.path.c_str(), job.maxW, out);
}

}  // namespace

int ShowPhotoMessage(HWND owner, UINT textId, const tstr& path, const tstr& caption, UINT type)
{
    std::wstring text = LoadResString(nullptr, textId).Str();
    const size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, path.Str());
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

CPhotoCommands::CPhotoCommands(CWpp& app) : m_app(app) {}

CPhotoCommands::~CPhotoCommands() = default;

void CPhotoCommands::Run(UINT id, const tstr& path, HWND owner)
{
    // A list still being read would bring back what a change here took out.
    const bool changesAlbum = id == IDC_PHOTO_HIDE || id == IDC_PHOTO_FAVOURITE || id == IDC_PHOTO_DELETE;
    if (path.IsEmpty() || (changesAlbum && m_app.PhotoListPending())) return;
    if (!StillThere(path, owner, changesAlbum)) return;
    switch (id) {
    case IDC_PHOTO_HIDE:
        Hide(path);
        break;
    case IDC_PHOTO_OPEN_LOCATION:
        if (!OpenPhotoLocation(path))
            ShowPhotoMessage(owner, IDS_PHOTO_NOT_OPENED, path, LoadResString(nullptr, kCaptionError), MB_OK | MB_ICONERROR);
        break;
    case IDC_PHOTO_OPEN:
        if (!OpenPhoto(path, owner))
            ShowPhotoMessage(owner, IDS_PHOTO_NOT_OPENED, path, LoadResString(nullptr, kCaptionError), MB_OK | MB_ICONERROR);
        break;
    case IDC_PHOTO_COPY:
        Copy(path);
        break;
    case IDC_PHOTO_DELETE:
        Delete(path, owner);
        break;
    case IDC_PHOTO_FAVOURITE:
        ToggleFavourite(path);
        break;
    }
}

bool CPhotoCommands::StillThere(const tstr& path, HWND owner, bool inAlbum)
{
    if (LocatePhoto(path) == PhotoPlace::Present && (!inAlbum || m_app.IndexOfPhoto(path) >= 0)) return true;
    ShowPhotoMessage(owner, IDS_PHOTO_GONE, path, LoadResString(nullptr, kCaptionWarning), MB_OK | MB_ICONWARNING);
    return false;
}

void CPhotoCommands::Hide(const tstr& path)
{
    const bool onScreen = path == m_app.SlideWnd().CurrentPath();
    m_app.HidePhoto(path);
    Removed(path, onScreen);
}

void CPhotoCommands::ToggleFavourite(const tstr& path)
{
    const CSlide* photo = m_app.Photos()[static_cast<size_t>(m_app.IndexOfPhoto(path))];
    m_app.SetFavourite(path, !photo->IsFavourite());
    m_app.Save();
    CLentaWnd& strip = m_app.SlideWnd().Strip();
    if (strip.Exists()) strip.Redraw(true);
}

void CPhotoCommands::Delete(const tstr& path, HWND owner)
{
    const tstr caption = LoadResString(nullptr, IDS_DELETE_PHOTO_CAPTION);
    if (ShowPhotoMessage(owner, IDS_DELETE_PHOTO_QUESTION, path, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    // The question may have stood a while.
    if (!StillThere(path, owner, true)) return;
    if (!CanRecycle(path) || !RecyclePhoto(path, owner)) {
        ShowPhotoMessage(owner, IDS_PHOTO_NOT_RECYCLED, path, caption, MB_OK | MB_ICONWARNING);
        return;
    }
    const bool onScreen = path == m_app.SlideWnd().CurrentPath();
    m_app.RemovePhoto(path);
    Removed(path, onScreen);
}

void CPhotoCommands::Removed(const tstr&, bool wasOnScreen)
{
    m_app.Save();
    CSlideWnd& show = m_app.SlideWnd();
    if (!m_app.IsShowRunning()) return;
    if (m_app.Photos().empty()) {
        SendMessageW(m_app.MainDlg().Hwnd(), WM_COMMAND, IDC_MAIN_STOP, 0);
        return;
    }
    show.AlbumChanged();
    // The current index already names the photo after the one that left.
    if (wasOnScreen && m_app.Shuffled())
        show.Advance();
    else if (wasOnScreen)
        show.Step(0);
    else if (show.Strip().Exists())
        show.Strip().Redraw(true);
}

void CPhotoCommands::Copy(const tstr& path)
{
    if (!m_copier) {
        HWND main = m_app.MainDlg().Hwnd();
        m_copier = std::make_unique<CSlideWorker>([main] { PostMessageW(main, kCopyReadyMessage, 0, 0); },
                                                  DecodeForClipboard);
    }
    m_copier->Cancel(m_copyTicket);
    SlideJob job;
    job.path = path.Str();
    job.maxW = kMaxCopySide;
    m_copyTicket = m_copier->Submit(job);
}

void CPhotoCommands::OnCopyReady()
{
    while (m_copier) {
        std::unique_ptr<SlideResult> result = m_copier->Take();
        if (!result) return;
        if (result->job.ticket != m_copyTicket) continue;
        m_copyTicket = 0;
        const tstr path(result->job.path);
        HWND main = m_app.MainDlg().Hwnd();
        // Not a picture after all: the file alone still pastes.
        if (result->outcome != SlideOutcome::Ready) result->photo.Reset();
        if (!PutPhotoOnClipboard(main, path, result->photo))
            ShowPhotoMessage(m_app.PhotoCommandOwner(), IDS_PHOTO_NOT_COPIED, path,
                             LoadResString(nullptr, kCaptionError), MB_OK | MB_ICONERROR);
    }
}
