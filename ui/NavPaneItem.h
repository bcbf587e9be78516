#pragma once
// Rows of the navigation pane. INavPaneItem is what a tool talks to when it
// is clicked; the tool bar implements it too. CNavPaneItemAbstract keeps the
// two tool lists both share; CNavPaneItem adds the tree, the text and the
// flags of a pane row.

#include <functional>
#include <string>

#include "settings/Collector.h"
#include "ui/NavPaneTool.h"

struct HWND__;  // HWND without the platform headers
class CNavPaneItemData;
class CNavPaneModel;

class INavPaneItem {
public:
    enum : int { kSideRight = 0, kSideLeft = 1 };

    virtual void OnToolActivated(int toolId) = 0;
    // 1 expand, 0 collapse, -1 toggle.
    virtual void Expand(int how) = 0;
    virtual HWND__* GetPaneWindow() const = 0;
    virtual bool AddTool(CNavPaneItemTool* tool, int side) = 0;
    // A child window shown below the row while the item is expanded.
    virtual bool AttachControl(HWND__* control) = 0;
    virtual bool DetachControl() = 0;
    virtual void OnRadioChecked(CNavPaneItemTool* tool) = 0;
    virtual int GetRowHeight() const = 0;
    virtual ~INavPaneItem() = default;
};

class CNavPaneItemAbstract : public INavPaneItem {
public:
    // Takes ownership; side 1 left, 0 right.
    bool AddTool(CNavPaneItemTool* tool, int side) override;
    bool AttachControl(HWND__*) override { return false; }
    bool DetachControl() override { return false; }
    void OnRadioChecked(CNavPaneItemTool*) override {}
    // Searched in the left list, then in the right one.
    bool RemoveTool(CNavPaneItemTool* tool);
    void RemoveAllTools();
    bool OwnsTool(const CNavPaneItemTool* tool) const;

    CCollector<CNavPaneItemTool*> m_leftTools;
    CCollector<CNavPaneItemTool*> m_rightTools;

protected:
    // Called before a tool is destroyed, so the owner can forget it.
    virtual void OnToolRemoving(CNavPaneItemTool* tool) = 0;
};

class CNavPaneItem : public CNavPaneItemAbstract {
public:
    CNavPaneItem();
    explicit CNavPaneItem(const wchar_t* text, int compactHeight = 0);
    ~CNavPaneItem() override;

    void OnToolActivated(int toolId) override;
    void Expand(int how) override;
    HWND__* GetPaneWindow() const override;
    bool AttachControl(HWND__* control) override;
    bool DetachControl() override;
    void OnRadioChecked(CNavPaneItemTool* tool) override;
    int GetRowHeight() const override { return m_nCompactHeight; }

    // Height of the row itself.
    int RowHeight() const { return m_bUseCompact ? m_nCompactHeight : m_nNormalHeight; }
    bool CanExpand() const { return !m_children.empty() || m_hosted != nullptr; }
    void SetText(const wchar_t* text) { m_text = text ? text : L""; }
    const std::wstring& Text() const { return m_text; }
    // What the row shows and screen readers read: the text, unless the row
    // has more to say.
    virtual std::wstring ShownText() const { return m_text; }

    CNavPaneModel* Owner() const { return m_pOwner; }
    HWND__* HostedControl() const { return m_hosted; }
    const CCollector<CNavPaneItem*>& Children() const { return m_children; }
    // True when this is the item or one of its ancestors.
    bool IsWithin(const CNavPaneItem* ancestor) const;

    int m_nNormalHeight;
    int m_nCompactHeight;
    bool m_bUseCompact = true;
    unsigned m_nTextFormat = 0x8824;  // end ellipsis, no prefix, single line, centred
    int m_nId = 0;
    bool m_bOwnColors = false;
    unsigned long m_crItem = 0xA0A0A0;
    unsigned long m_crText = 0;
    CNavPaneItemData* m_pData = nullptr;  // not owned
    bool m_bNoRow = false;
    bool m_bSelected = false;
    bool m_bExpanded = false;

private:
    friend class CNavPaneModel;

    void OnToolRemoving(CNavPaneItemTool* tool) override;
    void SetOwner(CNavPaneModel* owner);
    void ForEachDescendant(const std::function<void(CNavPaneItem*)>& visit) const;
    void SyncExpanderTools();

    std::wstring m_text;
    CCollector<CNavPaneItem*> m_children;
    CNavPaneModel* m_pOwner = nullptr;
    CNavPaneItem* m_pParent = nullptr;
    HWND__* m_hosted = nullptr;
};
