#include "dialogs/PhotoRowPicture.h"

void CPaneThumbnails::Close()
{
    m_pane = nullptr;
    m_drawing.reset();
    m_checked.clear();
    m_thumbnails->Forget(this);
}

std::vector<tstr> CPaneThumbnails::TakeUnusableChecked()
{
    std::vector<tstr> unusable;
    for (auto at = m_checked.begin(); at != m_checked.end();) {
        const CThumbnails::Known known = m_thumbnails->KnownState(tstr(*at));
        if (known == CThumbnails::Known::Unusable) unusable.emplace_back(*at);
        at = known == CThumbnails::Known::No ? std::next(at) : m_checked.erase(at);
    }
    return unusable;
}

void CPaneThumbnails::OnThumbnailsArrived(bool someUnusable)
{
    if (!m_pane) return;
    InvalidateRect(m_pane, nullptr, FALSE);
    // Posted: the rows are not removed while they are being drawn.
    if (someUnusable && m_dialog) PostMessageW(m_dialog, kUnusableMessage, 0, 0);
}

const CBmp* CPaneThumbnails::Draw(const tstr& path)
{
    m_drawing = m_thumbnails->Get(path, m_pane ? this : nullptr);
    return m_drawing.get();
}

const CBmp* CPhotoRowPicture::PictureToDraw(int* layer) const
{
    *layer = -1;
    const CBmp* thumbnail = m_thumbnails.Draw(m_path);
    if (thumbnail) return thumbnail;
    return m_thumbnails.Problem(m_path) == ThumbProblem::None ? &CThumbnails::Placeholder()
                                                              : &CThumbnails::ProblemPlaceholder();
}
