#include "ui/NavPaneModel.h"

#include <algorithm>

#include "ui/NavPaneMetrics.h"
#include "ui/NavPaneWndParent.h"

CNavPaneModel::CNavPaneModel() {
    m_root.m_bNoRow = true;
    m_root.m_bExpanded = true;
    m_root.m_pOwner = this;
}

CNavPaneModel::~CNavPaneModel() = default;

int CNavPaneModel::ChildGap() const { return NavChildGap(); }

// ---- items

bool CNavPaneModel::Append(CNavPaneItem* item) { return AppendChild(&m_root, item); }

bool CNavPaneModel::AppendChild(CNavPaneItem* parent, CNavPaneItem* item) {
    if (!item || !parent || item->m_pOwner || item->m_pParent) return false;
    if (parent != &m_root && !Owns(parent)) return false;
    // Without a parent the item is in no list: no search for it, which
    // would make adding many rows quadratic.
    parent->m_children.Items().push_back(item);
    item->m_pParent = parent;
    item->SetOwner(this);
    if (m_bBottomUp && parent == &m_root) m_nScrollPos = 0;
    Layout();
    if (!m_bNoAutoCurrent && !m_pCurrent) SetCurrent(item);
    return true;
}

bool CNavPaneModel::Remove(CNavPaneItem* item) {
    if (!Owns(item)) return false;
    if (m_pCurrent && m_pCurrent->IsWithin(item)) {
        // Not offered to the receiver: the old current item is going away
        // whatever it says.
        CNavPaneItem* next = NextSibling(item);
        m_pCurrent = next ? next : PrevSibling(item);
    }
    ForgetSubtree(item);
    item->ForEachDescendant([this](CNavPaneItem* child) {
        if (child->m_hosted) OnControlDetached(child->m_hosted);
    });
    if (item->m_hosted) OnControlDetached(item->m_hosted);
    CNavPaneItem* parent = item->m_pParent;
    parent->m_children.Delete(item);
    if (parent != &m_root && !parent->CanExpand()) parent->m_bExpanded = false;
    Layout();
    return true;
}

bool CNavPaneModel::Swap(CNavPaneItem* a, CNavPaneItem* b) {
    if (!Owns(a) || !Owns(b) || a == b || a->m_pParent != b->m_pParent) return false;
    auto& items = a->m_pParent->m_children.Items();
    std::iter_swap(std::find(items.begin(), items.end(), a), std::find(items.begin(), items.end(), b));
    Layout();
    return true;
}

void CNavPaneModel::RemoveAll() {
    ForgetSubtree(&m_root);
    m_root.ForEachDescendant([this](CNavPaneItem* child) {
        if (child->m_hosted) OnControlDetached(child->m_hosted);
    });
    m_pCurrent = nullptr;
    m_root.m_children.DeleteAll();
    m_nScrollPos = 0;
    Layout();
}

void CNavPaneModel::ForgetSubtree(const CNavPaneItem* item) {
    auto within = [item](const CNavPaneItem* other) { return other && other->IsWithin(item); };
    for (CNavPaneItem* selected : m_selection) {
        if (within(selected)) selected->m_bSelected = false;
    }
    m_selection.erase(std::remove_if(m_selection.begin(), m_selection.end(), within), m_selection.end());
    if (within(m_pAnchor)) m_pAnchor = nullptr;
    if (within(m_pDueScrollTo)) m_pDueScrollTo = nullptr;
    // A hot or pressed tool belongs to the hot or pressed row.
    if (within(m_pHotItem)) {
        m_pHotItem = nullptr;
        m_pHotTool = nullptr;
    }
    if (within(m_pPressedItem)) {
        m_pPressedItem = nullptr;
        m_pPressedTool = nullptr;
    }
}

void CNavPaneModel::ForgetTool(const CNavPaneItemTool* tool) {
    if (m_pHotTool == tool) m_pHotTool = nullptr;
    if (m_pPressedTool == tool) {
        m_pPressedTool = nullptr;
        m_pPressedItem = nullptr;
    }
}

// ---- relatives

CNavPaneItem* CNavPaneModel::FirstItem() const { return m_root.m_children.GetAt(0); }

CNavPaneItem* CNavPaneModel::FirstSibling(const CNavPaneItem* item) const {
    return Owns(item) ? item->m_pParent->m_children.GetAt(0) : nullptr;
}

CNavPaneItem* CNavPaneModel::LastSibling(const CNavPaneItem* item) const {
    if (!Owns(item)) return nullptr;
    const auto& siblings = item->m_pParent->m_children;
    return siblings.GetAt(siblings.size() - 1);
}

CNavPaneItem* CNavPaneModel::NextSibling(const CNavPaneItem* item) const {
    if (!Owns(item)) return nullptr;
    const auto& siblings = item->m_pParent->m_children;
    return siblings.GetAt(static_cast<size_t>(siblings.IndexOf(item)) + 1);
}

CNavPaneItem* CNavPaneModel::PrevSibling(const CNavPaneItem* item) const {
    if (!Owns(item)) return nullptr;
    const int at = item->m_pParent->m_children.IndexOf(item);
    return at > 0 ? item->m_pParent->m_children.GetAt(static_cast<size_t>(at) - 1) : nullptr;
}

CNavPaneItem* CNavPaneModel::ParentOf(const CNavPaneItem* item) const {
    return Owns(item) && item->m_pParent != &m_root ? item->m_pParent : nullptr;
}

CNavPaneItem* CNavPaneModel::FirstChild(const CNavPaneItem* item) const {
    return Owns(item) ? item->m_children.GetAt(0) : nullptr;
}

CNavPaneItem* CNavPaneModel::NextVisible(const CNavPaneItem* item) const {
    if (!Owns(item)) return nullptr;
    if (item->m_bExpanded && !item->m_children.empty()) return item->m_children[0];
    for (const CNavPaneItem* at = item; at && at != &m_root; at = at->m_pParent) {
        if (CNavPaneItem* next = NextSibling(at)) return next;
    }
    return nullptr;
}

CNavPaneItem* CNavPaneModel::PrevVisible(const CNavPaneItem* item) const {
    if (!Owns(item)) return nullptr;
    CNavPaneItem* prev = PrevSibling(item);
    if (!prev) return ParentOf(item);
    while (prev->m_bExpanded && !prev->m_children.empty()) prev = prev->m_children[prev->m_children.size() - 1];
    return prev;
}

void CNavPaneModel::ForEachItem(const std::function<void(CNavPaneItem*)>& visit) const {
    m_root.ForEachDescendant(visit);
}

void CNavPaneModel::RescaleRows(int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return;
    auto rescale = [=](int& value) {
        value = static_cast<int>((static_cast<long long>(value) * toDpi + fromDpi / 2) / fromDpi);
    };
    ForEachItem([&](CNavPaneItem* item) {
        rescale(item->m_nNormalHeight);
        rescale(item->m_nCompactHeight);
    });
    rescale(m_nIndentLeft);
    rescale(m_nIndentRight);
}

// ---- current item and selection

bool CNavPaneModel::SetCurrent(CNavPaneItem* item) {
    if (item && !Owns(item)) return false;
    if (item == m_pCurrent) return true;
    if (m_pReceiver && m_pReceiver->OnNavCurrentChanging(item, 0)) return false;
    // The receiver may have emptied the pane meanwhile.
    if (item && !Owns(item)) return false;
    m_pCurrent = item;
    return true;
}

void CNavPaneModel::MarkSelected(CNavPaneItem* item, bool on) {
    item->m_bSelected = on;
    auto at = std::find(m_selection.begin(), m_selection.end(), item);
    if (on && at == m_selection.end()) m_selection.push_back(item);
    if (!on && at != m_selection.end()) m_selection.erase(at);
}

void CNavPaneModel::Select(CNavPaneItem* item) {
    if (!m_bSelection || !Owns(item)) return;
    if (!m_bMultiSelect) ClearSelection();
    MarkSelected(item, true);
    Layout(item);
}

void CNavPaneModel::ClearSelection() {
    for (CNavPaneItem* item : m_selection) item->m_bSelected = false;
    m_selection.clear();
}

void CNavPaneModel::SelectAll() {
    if (!m_bSelection || !m_bMultiSelect) return;
    ForEachItem([this](CNavPaneItem* item) { MarkSelected(item, true); });
}

void CNavPaneModel::Click(CNavPaneItem* item, bool shift, bool ctrl) {
    if (item)
        SetCurrent(item);
    else if (!m_bKeepCurrent)
        SetCurrent(nullptr);
    if (!m_bSelection) return;
    ctrl = ctrl && m_bMultiSelect;
    if (!ctrl) ClearSelection();
    bool ranged = false;
    if (!shift) {
        m_pAnchor = m_pCurrent;
    } else if (m_bMultiSelect && m_pAnchor && m_pCurrent && m_pAnchor->m_pParent == m_pCurrent->m_pParent) {
        const auto& siblings = m_pCurrent->m_pParent->m_children;
        int from = siblings.IndexOf(m_pAnchor), to = siblings.IndexOf(m_pCurrent);
        if (from > to) std::swap(from, to);
        for (int i = from; i <= to; ++i) MarkSelected(siblings[static_cast<size_t>(i)], true);
        ranged = true;
    }
    if (!m_pCurrent) return;
    // Ctrl+Shift adds the range; toggling the clicked end would drop it again.
    MarkSelected(m_pCurrent, ctrl && !ranged ? !m_pCurrent->m_bSelected : true);
}

// ---- input

bool CNavPaneModel::HoverAt(const NavHit& hit) {
    if (m_pPressedTool) return false;
    bool changed = hit.item != m_pHotItem;
    m_pHotItem = hit.item;
    if (hit.tool != m_pHotTool) {
        if (m_pHotTool) m_pHotTool->Set(CNavPaneItemTool::kHot, false);
        if (hit.tool) hit.tool->Set(CNavPaneItemTool::kHot, true);
        m_pHotTool = hit.tool;
        changed = true;
    }
    return changed;
}

bool CNavPaneModel::PressAt(const NavHit& hit) {
    if (!hit.tool || !hit.tool->CanPress()) return false;
    if (m_pPressedTool) m_pPressedTool->Set(CNavPaneItemTool::kPressed, false);
    m_pPressedTool = hit.tool;
    m_pPressedItem = hit.item;
    hit.tool->Set(CNavPaneItemTool::kPressed, true);
    return true;
}

bool CNavPaneModel::ReleaseAt(const NavHit& hit, bool shift, bool ctrl) {
    CNavPaneItemTool* pressed = m_pPressedTool;
    CNavPaneItem* pressedItem = m_pPressedItem;
    m_pPressedTool = nullptr;
    m_pPressedItem = nullptr;
    if (pressed && hit.tool == pressed) {
        pressed->Activate(*pressedItem);
        return true;
    }
    if (pressed) pressed->Set(CNavPaneItemTool::kPressed, false);
    Click(hit.item, shift, ctrl);
    return false;
}

void CNavPaneModel::ToolActivated(CNavPaneItem* item, int toolId) {
    if (m_pReceiver) m_pReceiver->OnNavToolActivated(toolId, item);
}

void CNavPaneModel::ItemExpanded(CNavPaneItem* /*item*/) { Layout(); }

bool CNavPaneModel::KeyDown(unsigned key, bool shift, bool ctrl) {
    if (m_bBottomUp && (key == kNavKeyUp || key == kNavKeyDown)) key = key == kNavKeyUp ? kNavKeyDown : kNavKeyUp;
    switch (key) {
    case kNavKeyLeft:
        if (!m_pCurrent) return true;
        if (m_pCurrent->m_bExpanded) {
            m_pCurrent->Expand(0);
        } else if (CNavPaneItem* parent = ParentOf(m_pCurrent)) {
            if (SetCurrent(parent)) MakeVisible(parent);
        }
        return true;
    case kNavKeyRight:
        if (m_pCurrent && m_pCurrent->CanExpand()) m_pCurrent->Expand(-1);
        return true;
    case kNavKeyUp:
    case kNavKeyDown: {
        CNavPaneItem* next = !m_pCurrent ? FirstItem()
                             : key == kNavKeyUp ? PrevVisible(m_pCurrent)
                                                : NextVisible(m_pCurrent);
        if (!next || !SetCurrent(next)) return true;
        if (m_bSelection) {
            const bool extend = shift && m_bMultiSelect;
            if (!extend) {
                ClearSelection();
                m_pAnchor = next;
            }
            MarkSelected(next, true);
        }
        MakeVisible(next);
        return true;
    }
    case kNavKeyA:
        if (!ctrl) return false;
        SelectAll();
        return true;
    default:
        return false;
    }
}

// ---- layout

void CNavPaneModel::SetClientSize(int width, int height) {
    m_nClientWidth = std::max(0, width);
    m_nClientHeight = std::max(0, height);
}

int CNavPaneModel::BandOf(const CNavPaneItem* item) const {
    int band = item->RowHeight();
    if (item->m_bExpanded && item->m_hosted) band += HostedHeight(item->m_hosted) + 3;
    return band;
}

bool CNavPaneModel::Walk(const CNavPaneItem* parent, int level, int& offset,
                         const std::function<bool(CNavPaneItem*, int, int, int)>& visit) const {
    for (CNavPaneItem* item : parent->m_children) {
        const int band = BandOf(item);
        if (!visit(item, offset, band, level)) return false;
        offset += band;
        if (item->m_bExpanded && !item->m_children.empty()) {
            if (!Walk(item, level + 1, offset, visit)) return false;
            offset += ChildGap();
        }
    }
    return true;
}

int CNavPaneModel::ContentHeight() const {
    int offset = 0;
    Walk(&m_root, 0, offset, [](CNavPaneItem*, int, int, int) { return true; });
    return offset;
}

int CNavPaneModel::OffsetOf(const CNavPaneItem* item, int* band) const {
    int offset = 0, found = -1;
    Walk(&m_root, 0, offset, [&](CNavPaneItem* at, int top, int height, int) {
        if (at != item) return true;
        found = top;
        *band = height;
        return false;
    });
    return found;
}

int CNavPaneModel::ClampScroll(int pos) const { return std::clamp(pos, 0, m_nScrollMax); }

void CNavPaneModel::Layout(CNavPaneItem* scrollTo) {
    if (m_nBatchDepth > 0) {
        m_bLayoutDue = true;
        if (scrollTo) m_pDueScrollTo = scrollTo;
        return;
    }
    const int content = ContentHeight();
    m_nScrollMax = std::max(0, content - m_nClientHeight);
    int band = 0;
    const int offset = scrollTo ? OffsetOf(scrollTo, &band) : -1;
    if (offset >= 0 && m_nScrollMax > 0)
        m_nScrollPos = m_bBottomUp ? offset + band - m_nClientHeight : offset;
    m_nScrollPos = ClampScroll(m_nScrollPos);
    OnLayoutDone();
}

void CNavPaneModel::EndBatch() {
    if (m_nBatchDepth == 0 || --m_nBatchDepth > 0 || !m_bLayoutDue) return;
    CNavPaneItem* scrollTo = m_pDueScrollTo;
    m_bLayoutDue = false;
    m_pDueScrollTo = nullptr;
    Layout(scrollTo);
}

bool CNavPaneModel::ScrollTo(int pos) {
    pos = ClampScroll(pos);
    if (pos == m_nScrollPos) return false;
    m_nScrollPos = pos;
    return true;
}

bool CNavPaneModel::Wheel(int delta) {
    // Away from the user moves towards the top: 30 pixels a notch of 120.
    const int step = static_cast<int>(static_cast<long long>(delta) * 30 / 120);
    return ScrollBy(m_bBottomUp ? step : -step);
}

bool CNavPaneModel::MakeVisible(const CNavPaneItem* item) {
    NavRow row;
    if (!RowOf(item, &row)) return false;
    int shift = 0;  // how far the rows must move up
    if (row.top < 0)
        shift = row.top;
    else if (row.top + row.height > m_nClientHeight)
        shift = std::min(row.top, row.top + row.height - m_nClientHeight);
    return shift != 0 && ScrollBy(m_bBottomUp ? -shift : shift);
}

void CNavPaneModel::ForEachRow(const std::function<bool(CNavPaneItem*, const NavRow&)>& visit) const {
    int offset = 0;
    Walk(&m_root, 0, offset, [&](CNavPaneItem* item, int top, int band, int level) {
        NavRow row;
        row.top = m_bBottomUp ? m_nClientHeight - top - band + m_nScrollPos : top - m_nScrollPos;
        row.height = item->RowHeight();
        row.band = band;
        row.left = level * m_nIndentLeft;
        row.right = m_nClientWidth - level * m_nIndentRight;
        return visit(item, row);
    });
}

bool CNavPaneModel::RowOf(const CNavPaneItem* item, NavRow* row) const {
    bool found = false;
    ForEachRow([&](CNavPaneItem* at, const NavRow& r) {
        if (at != item) return true;
        *row = r;
        found = true;
        return false;
    });
    return found;
}

void CNavPaneModel::ToolCellsOf(const CNavPaneItem* item, const NavRow& row, std::vector<NavToolCell>& cells,
                                int* textLeft, int* textRight) const {
    const NavToolCellRule rule{row.height, row.height, 0};
    *textLeft = LayNavToolCells(item->m_leftTools.Items(), row.left, false, rule, cells);
    *textRight = LayNavToolCells(item->m_rightTools.Items(), row.right, true, rule, cells);
}

NavHit CNavPaneModel::HitTest(int x, int y) const {
    NavHit hit;
    ForEachRow([&](CNavPaneItem* item, const NavRow& row) {
        if (y < row.top || y >= row.top + row.height) return true;
        hit.item = item;
        if (x >= row.left && x < row.right) {
            std::vector<NavToolCell> cells;
            int textLeft, textRight;
            ToolCellsOf(item, row, cells, &textLeft, &textRight);
            hit.tool = NavToolAt(cells, x);
        }
        return false;
    });
    return hit;
}
