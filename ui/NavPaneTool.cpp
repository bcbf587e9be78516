#include "ui/NavPaneTool.h"

#include "settings/IParam.h"
#include "ui/NavPaneItem.h"

void CNavPaneItemTool::Activate(INavPaneItem& item) {
    Set(kPressed, false);
    if (Is(kPush)) Set(kHot, false);
    if (Is(kRadio)) {
        if (!Has(kChecked)) {
            Set(kChecked, true);
            item.OnRadioChecked(this);
        }
    } else if (Is(kToggle)) {
        Set(kChecked, !Has(kChecked));
    }
    if (Is(kExpander)) item.Expand(Has(kChecked) ? 1 : 0);
    if (!Is(kPush | kToggle | kRadio)) return;
    if (m_pParam && m_nBindKind == kBindBool) m_pParam->FromString(tstr(Has(kChecked) ? L"1" : L"0"));
    // Last: the receiver may remove the item and this tool with it.
    item.OnToolActivated(m_nId);
}

const CBmp* CNavPaneItemTool::PictureToDraw(int* layer) const {
    const CBmp* picture = (Has(kChecked) && !m_bmpChecked.Empty()) ? &m_bmpChecked : &m_bmp;
    int list = Has(kPressed) ? 3 : Has(kHot) ? 1 : Has(kDisabled) ? 2 : 0;
    // A tool with a checked picture only would be invisible while unchecked:
    // under the pointer it shows that picture greyed, so it can be found.
    if (picture->Empty() && !m_bmpChecked.Empty() && (Has(kHot) || Has(kPressed))) {
        picture = &m_bmpChecked;
        list = 2;
    }
    *layer = picture->LayerFilled(list) ? list : -1;
    return picture->Empty() ? nullptr : picture;
}

long CNavPaneItemTool::BoxColour() const {
    if (!Is(kBox) || (Has(kChecked) && !m_bmpChecked.Empty())) return -1;
    if (Has(kPressed)) return 0x808080;
    if (Has(kHot)) return 0xE0E0E0;
    return 0xC0C0C0;
}
