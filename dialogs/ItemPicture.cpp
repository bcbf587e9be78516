#include "dialogs/ItemPicture.h"

#include "picture/Picture.h"
#include "picture/PixView.h"
#include "ui/NavPaneItem.h"
#include "ui/NavPaneToolPicture.h"

namespace {
const int kBadgeSize = 16;
}  // namespace

CBmp MakeItemPicture(int bitmapId, int size, int badgeId, int dpi) {
    CBmp picture;
    if (size <= 0 || !LoadBmpFromResource(nullptr, bitmapId, picture) || !picture.Resample(size, size)) {
        picture.Reset();
        return picture;
    }
    CBmp badge;
    const int badgeSize = ScaleForDpi(kBadgeSize, dpi);
    if (badgeId && size >= badgeSize && LoadBmpFromResource(nullptr, badgeId, badge) &&
        badge.Resample(badgeSize, badgeSize)) {
        CPixView view;
        view.Wrap(picture);
        badge.Draw(view, size - badgeSize, size - badgeSize);
    }
    PrepareToolPicture(picture);
    return picture;
}

void AddPictureTool(CNavPaneItemAbstract& item, int bitmapId, int size, int badgeId, int dpi) {
    auto* tool = new CNavPaneItemTool;
    tool->m_bmp = MakeItemPicture(bitmapId, size, badgeId, dpi);
    item.AddTool(tool, INavPaneItem::kSideLeft);
}
