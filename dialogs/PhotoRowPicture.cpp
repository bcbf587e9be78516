#include "dialogs/PhotoRowPicture.h"

void CPaneThumbnails::Close()
{
    m_pane = nullptr;
    m_thumbnails->Forget(this);
}

void CPaneThumbnails::OnThumbnailsArrived(bool)
{
    if (m_pane) InvalidateRect(m_pane, nullptr, FALSE);
}

const CBmp* CPhotoRowPicture::PictureToDraw(int* layer) const
{
    *layer = -1;
    m_shown = m_thumbnails.Get(m_path);
    if (m_shown) return m_shown.get();
    return m_thumbnails.Problem(m_path) == ThumbProblem::None ? &CThumbnails::Placeholder()
                                                              : &CThumbnails::ProblemPlaceholder();
}
