#include "dialogs/PhotoRowPicture.h"

void CPaneThumbnails::Close()
{
    m_pane = nullptr;
    m_drawing.reset();
    m_checked.clear();
    m_unusable.clear();
    m_accept.Drop();
    m_thumbnails->Forget(this);
}

bool CPaneThumbnails::SweepChecked()
{
    bool unusable = false;
    for (auto at = m_checked.begin(); at != m_checked.end();) {
        const tstr path(*at);
        const CThumbnails::Known known = m_thumbnails->KnownState(path);
        if (known == CThumbnails::Known::No && !m_thumbnails->Busy(path)) {
            ++at;
            continue;
        }
        if (known == CThumbnails::Known::Unusable) {
            m_unusable.push_back(path);
            unusable = true;
        }
        at = m_checked.erase(at);
    }
    return unusable;
}

std::vector<tstr> CPaneThumbnails::TakeUnusableChecked()
{
    SweepChecked();
    std::vector<tstr> unusable;
    unusable.swap(m_unusable);
    return unusable;
}

void CPaneThumbnails::OnThumbnailsArrived(bool)
{
    if (!m_pane) return;
    InvalidateRect(m_pane, nullptr, FALSE);
    // Looked at as they arrive, while memory still holds them.
    const bool unusable = SweepChecked();
    // Posted: the rows are not removed while they are being drawn.
    if (m_dialog && (unusable || (m_accept.Held() && m_checked.empty())))
        PostMessageW(m_dialog, kUnusableMessage, 0, 0);
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
