#include "slideshow/AlbumSlides.h"

#include "album/OnThisDay.h"
#include "album/PhotoLocation.h"
#include "album/WppProfile.h"
#include "slideshow/CaptionText.h"

namespace {
// Alignment codes and margins are stored unsigned but meant signed.
int Signed(unsigned long value) { return static_cast<int>(static_cast<long>(value)); }
unsigned long Unsigned(int value) { return static_cast<unsigned long>(static_cast<long>(value)); }
const DWORD kUnreachableForMs = 30000;
}  // namespace

SlideSettings CAlbumSlides::Settings() const
{
    SlideSettings s;
    s.timeout = Signed(m_album.Timeout().GetValue());
    s.sizeX = Signed(m_album.SizeX().GetValue());
    s.sizeY = Signed(m_album.SizeY().GetValue());
    s.sliderVis = Signed(m_album.SliderVis().GetValue());
    s.sliderVisIn = Signed(m_album.SliderVisIn().GetValue());
    s.maximized = m_album.Maximized().GetValue() != 0;
    s.placementX = Signed(m_album.PlacementX().GetValue());
    s.placementY = Signed(m_album.PlacementY().GetValue());
    s.marginX = Signed(m_album.MarginX().GetValue());
    s.marginY = Signed(m_album.MarginY().GetValue());
    s.thumbSize = Signed(m_album.ThumbSize().GetValue());
    s.monitor = m_album.Monitor().GetValue();
    s.hideFromCapture = m_album.HideFromCapture().GetValue() != 0;
    return s;
}

void CAlbumSlides::SetMaximized(bool on)
{
    m_album.Maximized().SetValue(on ? 1 : 0);
}

void CAlbumSlides::SetPlacement(int codeX, int codeY, int marginX, int marginY, const tstr& monitor)
{
    m_album.Monitor().SetValue(monitor);
    m_album.PlacementX().SetValue(Unsigned(codeX));
    m_album.PlacementY().SetValue(Unsigned(codeY));
    m_album.MarginX().SetValue(Unsigned(marginX));
    m_album.MarginY().SetValue(Unsigned(marginY));
}

int CAlbumSlides::PhotoCount() const
{
    return static_cast<int>(m_album.Photos().size());
}

tstr CAlbumSlides::PhotoPath(int index) const
{
    if (index < 0 || index >= PhotoCount())
        return tstr(L"");
    const CSlide* slide = m_album.Photos().GetAt(static_cast<size_t>(index));
    return slide ? slide->GetPath() : tstr(L"");
}

const CBmp* CAlbumSlides::Thumbnail(int index)
{
    if (index < 0 || index >= PhotoCount())
        return nullptr;
    const CSlide* slide = m_album.Photos().GetAt(static_cast<size_t>(index));
    if (!slide)
        return nullptr;
    m_shown = m_album.Thumbnails().Get(slide->GetPath(), m_listener);
    // A photo that cannot show is not drawn as one.
    if (!m_shown && m_album.Thumbnails().Problem(slide->GetPath()) != ThumbProblem::None)
        return &CThumbnails::ProblemPlaceholder();
    return m_shown.get();
}

void CAlbumSlides::PhotoFailed(int index)
{
    if (index >= 0 && index < PhotoCount())
        m_album.Thumbnails().ShowFailed(m_album.Photos()[static_cast<size_t>(index)]->GetPath());
}

bool CAlbumSlides::IsReachable(int index) const
{
    const tstr path = PhotoPath(index);
    const std::wstring root = PathRoot(path).Str();
    const auto known = m_unreachableRoots.find(root);
    if (known != m_unreachableRoots.end()) {
        if (GetTickCount() - known->second < kUnreachableForMs)
            return false;
        m_unreachableRoots.erase(known);
    }
    if (LocatePhoto(path) != PhotoPlace::Unreachable)
        return true;
    if (!root.empty())
        m_unreachableRoots[root] = GetTickCount();
    return false;
}

std::wstring CAlbumSlides::CaptionFor(const tstr& path) const
{
    const CaptionKind kind = CaptionKindOf(m_album.Caption().GetValue());
    if (kind == CaptionKind::kNone)
        return std::wstring();
    const ExifDate taken = m_album.Thumbnails().Taken(path);
    const std::wstring text = CaptionText(kind, path.Str(), taken);
    return m_album.OnThisDay().GetValue() ? WithYearsAgo(text, YearsAgoOnThisDay(taken, Today())) : text;
}

bool CAlbumSlides::IsFavourite(int index) const
{
    const CSlide* slide = index >= 0 ? m_album.Photos().GetAt(static_cast<size_t>(index)) : nullptr;
    return slide && slide->IsFavourite();
}

int CAlbumSlides::NextToShow(int index)
{
    if (m_album.Shuffled())
        return m_album.NextInRound();
    return m_album.OnThisDay().GetValue() ? m_album.NextOnThisDay(index) : ISlideAlbum::NextToShow(index);
}

void CAlbumSlides::PhotoShown(int index)
{
    m_album.PhotoShown(index);
}

void CAlbumSlides::PhotoPassed(int index)
{
    m_album.PhotoPassed(index);
}

int CAlbumSlides::CurrentIndex() const
{
    // The album brings a stale index (photos deleted, list reloaded) back into range.
    return m_album.CurrentIndex();
}

void CAlbumSlides::SetCurrentIndex(int index)
{
    m_album.Index().SetValue(index);
}
