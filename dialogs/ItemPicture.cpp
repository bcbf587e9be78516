#include "dialogs/ItemPicture.h"

#include "picture/Picture.h"
#include "picture/PixView.h"
#include "ui/NavPaneItem.h"
#include "ui/NavPaneToolPicture.h"

namespace {
const int kBadgeSize = 16;
}  // namespace

CBmp MakeItemPicture(int bitmapId, int size, int badgeId) {
    CBmp picture;
    if (size <= 0 || !LoadBmpFromResource(nullptr, bitmapId, picture) || !picture.Resample(size, size)) {
        picture.Reset();
        return picture;
    }
    CBmp badge;
    if (badgeId && size >= kBadgeSize && LoadBmpFromResource(nullptr, badgeId, badge) &&
        badge.Resample(kBadgeSize, kBadgeSize)) {
        CPixView view;
        view.Wrap(picture);
        badge.Draw(view, size - kBadgeSize, size - kBadgeSize);
    }
    PrepareToolPicture(picture);
    return picture;
}

void AddPictureTool(CNavPaneItemAbstract& item, int bitmapId, int size, int badgeId) {
    auto* tool = new CNavPaneItemTool;
    tool->m_bmp = MakeItemPicture(bitmapId, size, badgeId);
    item.AddTool(tool, INavPaneItem::kSideLeft);
}
