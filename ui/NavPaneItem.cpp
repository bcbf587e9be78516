#include "ui/NavPaneItem.h"

#include "ui/NavPaneMetrics.h"
#include "ui/NavPaneModel.h"

// ---- tool lists shared with the tool bar

bool CNavPaneItemAbstract::AddTool(CNavPaneItemTool* tool, int side) {
    if (!tool || OwnsTool(tool)) return false;
    (side == kSideLeft ? m_leftTools : m_rightTools).Add(tool);
    return true;
}

bool CNavPaneItemAbstract::RemoveTool(CNavPaneItemTool* tool) {
    CCollector<CNavPaneItemTool*>* list = m_leftTools.IndexOf(tool) >= 0    ? &m_leftTools
                                          : m_rightTools.IndexOf(tool) >= 0 ? &m_rightTools
                                                                            : nullptr;
    if (!list) return false;
    OnToolRemoving(tool);
    return list->Delete(tool);
}

void CNavPaneItemAbstract::RemoveAllTools() {
    for (CNavPaneItemTool* tool : m_leftTools) OnToolRemoving(tool);
    for (CNavPaneItemTool* tool : m_rightTools) OnToolRemoving(tool);
    m_leftTools.DeleteAll();
    m_rightTools.DeleteAll();
}

bool CNavPaneItemAbstract::OwnsTool(const CNavPaneItemTool* tool) const {
    return m_leftTools.IndexOf(tool) >= 0 || m_rightTools.IndexOf(tool) >= 0;
}

// ---- pane rows

CNavPaneItem::CNavPaneItem()
    : m_nNormalHeight(NavNormalRowHeight()), m_nCompactHeight(NavCompactRowHeight()) {}

CNavPaneItem::CNavPaneItem(const wchar_t* text, int compactHeight) : CNavPaneItem() {
    SetText(text);
    if (compactHeight > 0) m_nCompactHeight = compactHeight;
}

CNavPaneItem::~CNavPaneItem() = default;

void CNavPaneItem::OnToolActivated(int toolId) {
    if (m_pOwner) m_pOwner->ToolActivated(this, toolId);
}

void CNavPaneItem::Expand(int how) {
    if (m_bNoRow) return;
    bool on = how < 0 ? !m_bExpanded : how != 0;
    if (!CanExpand()) on = false;
    m_bExpanded = on;
    if (!on) {
        // A collapsed item hides its whole subtree; nothing below stays open.
        ForEachDescendant([](CNavPaneItem* child) {
            child->m_bExpanded = false;
            child->SyncExpanderTools();
        });
    }
    SyncExpanderTools();
    if (m_pOwner) m_pOwner->ItemExpanded(this);
}

HWND__* CNavPaneItem::GetPaneWindow() const { return m_pOwner ? m_pOwner->PaneWindow() : nullptr; }

bool CNavPaneItem::AttachControl(HWND__* control) {
    if (m_hosted || !control) return false;
    m_hosted = control;
    if (m_pOwner) m_pOwner->Layout();
    return true;
}

bool CNavPaneItem::DetachControl() {
    if (!m_hosted) return false;
    HWND__* control = m_hosted;
    m_hosted = nullptr;
    if (m_pOwner) m_pOwner->OnControlDetached(control);
    if (!CanExpand()) m_bExpanded = false;
    if (m_pOwner) m_pOwner->Layout();
    return true;
}

void CNavPaneItem::OnRadioChecked(CNavPaneItemTool* tool) {
    if (!m_pParent) return;
    for (CNavPaneItem* sibling : m_pParent->m_children) {
        if (sibling == this) continue;
        for (auto* list : {&sibling->m_leftTools, &sibling->m_rightTools}) {
            for (CNavPaneItemTool* other : *list) {
                if (other->Is(CNavPaneItemTool::kRadio) && other->m_nGroup == tool->m_nGroup)
                    other->Set(CNavPaneItemTool::kChecked, false);
            }
        }
    }
}

bool CNavPaneItem::IsWithin(const CNavPaneItem* ancestor) const {
    for (const CNavPaneItem* at = this; at; at = at->m_pParent) {
        if (at == ancestor) return true;
    }
    return false;
}

void CNavPaneItem::ForEachDescendant(const std::function<void(CNavPaneItem*)>& visit) const {
    for (CNavPaneItem* child : m_children) {
        visit(child);
        child->ForEachDescendant(visit);
    }
}

void CNavPaneItem::OnToolRemoving(CNavPaneItemTool* tool) {
    if (m_pOwner) m_pOwner->ForgetTool(tool);
}

void CNavPaneItem::SetOwner(CNavPaneModel* owner) {
    m_pOwner = owner;
    for (CNavPaneItem* child : m_children) child->SetOwner(owner);
}

void CNavPaneItem::SyncExpanderTools() {
    for (auto* list : {&m_leftTools, &m_rightTools}) {
        for (CNavPaneItemTool* tool : *list) {
            if (!tool->Is(CNavPaneItemTool::kExpander)) continue;
            tool->Set(CNavPaneItemTool::kChecked, m_bExpanded);
            break;
        }
    }
}
