#include "app/ShowAlbum.h"

#include "album/WppProfile.h"

namespace {
int AsInt(unsigned long value) {
    return static_cast<int>(static_cast<unsigned int>(value));
}
}  // namespace

SlideSettings CShowAlbum::Settings() const {
    CWppProfile& a = m_album;
    SlideSettings s;
    s.timeout = AsInt(a.Timeout().GetValue());
    s.sizeX = AsInt(a.SizeX().GetValue());
    s.sizeY = AsInt(a.SizeY().GetValue());
    s.sliderVis = AsInt(a.SliderVis().GetValue());
    s.sliderVisIn = AsInt(a.SliderVisIn().GetValue());
    s.maximized = a.Maximized().GetValue() != 0;
    s.placementX = AsInt(a.PlacementX().GetValue());
    s.placementY = AsInt(a.PlacementY().GetValue());
    s.marginX = AsInt(a.MarginX().GetValue());
    s.marginY = AsInt(a.MarginY().GetValue());
    s.thumbSize = AsInt(a.ThumbSize().GetValue());
    return s;
}

void CShowAlbum::SetMaximized(bool on) {
    m_album.Maximized().SetValue(on ? 1 : 0);
}

void CShowAlbum::SetPlacement(int codeX, int codeY, int marginX, int marginY) {
    m_album.PlacementX().SetValue(static_cast<unsigned long>(codeX));
    m_album.PlacementY().SetValue(static_cast<unsigned long>(codeY));
    m_album.MarginX().SetValue(static_cast<unsigned long>(marginX));
    m_album.MarginY().SetValue(static_cast<unsigned long>(marginY));
}

int CShowAlbum::PhotoCount() const {
    return static_cast<int>(m_album.Photos().size());
}

tstr CShowAlbum::PhotoPath(int index) const {
    const CSlide* slide = index < 0 ? nullptr : m_album.Photos().GetAt(static_cast<size_t>(index));
    return slide ? slide->GetPath() : tstr(L"");
}

const CBmp* CShowAlbum::Thumbnail(int index) {
    CSlide* slide = index < 0 ? nullptr : m_album.Photos().GetAt(static_cast<size_t>(index));
    if (!slide || !slide->MakeThumbnail()) return nullptr;
    return &slide->GetThumbnail();
}

int CShowAlbum::CurrentIndex() const {
    return m_album.CurrentIndex();
}

void CShowAlbum::SetCurrentIndex(int index) {
    m_album.Index().SetValue(index);
}
