#include "dialogs/PhotoRowPicture.h"

void CPaneThumbnails::Close()
{
    m_pane = nullptr;
    m_thumbnails->Forget(this);
}

void CPaneThumbnails::OnThumbnailsArrived(bool someUnusable)
{
    if (!m_pane) return;
    InvalidateRect(m_pane, nullptr, FALSE);
    // Posted: the rows are not removed while they are being drawn.
    if (someUnusable && m_dialog) PostMessageW(m_dialog, kUnusableMessage, 0, 0);
}

const CBmp* CPhotoRowPicture::PictureToDraw(int* layer) const
{
    *layer = -1;
    m_shown = m_thumbnails.Get(m_path);
    return m_shown ? m_shown.get() : &CThumbnails::Placeholder();
}
