#pragma once
// Everything of the navigation pane that is not the platform window: the item
// tree under a row-less root, the current item, the selection, hover and
// press state, the row layout and the scroll position. CNavPaneWnd adds the
// window, painting and input; tests drive this part directly.

#include <functional>
#include <vector>

#include "ui/NavPaneItem.h"
#include "ui/NavPaneToolCells.h"

class CNavPaneWndParent;

// Key codes the pane reacts to (the platform's virtual-key values).
enum : unsigned {
    kNavKeyTab = 0x09,
    kNavKeyLeft = 0x25,
    kNavKeyUp = 0x26,
    kNavKeyRight = 0x27,
    kNavKeyDown = 0x28,
    kNavKeyA = 0x41,
};

// One visible row in client coordinates.
struct NavRow {
    int top;
    int height;  // the row itself
    int band;    // the row plus the hosted control below it
    int left;    // after the indent of its level
    int right;
};

struct NavHit {
    CNavPaneItem* item = nullptr;
    CNavPaneItemTool* tool = nullptr;
};

class CNavPaneModel {
public:
    CNavPaneModel();
    CNavPaneModel(const CNavPaneModel&) = delete;
    CNavPaneModel& operator=(const CNavPaneModel&) = delete;
    virtual ~CNavPaneModel();

    // Items; the pane takes ownership of what it is given.
    bool Append(CNavPaneItem* item);
    bool AppendChild(CNavPaneItem* parent, CNavPaneItem* item);
    // Clears every reference to the item and its children, moves the current
    // item to a neighbour when needed, then destroys it.
    bool Remove(CNavPaneItem* item);
    bool Swap(CNavPaneItem* a, CNavPaneItem* b);
    void RemoveAll();

    // Relatives; null where there is none. The root is never returned.
    CNavPaneItem* FirstItem() const;
    CNavPaneItem* FirstSibling(const CNavPaneItem* item) const;
    CNavPaneItem* LastSibling(const CNavPaneItem* item) const;
    CNavPaneItem* NextSibling(const CNavPaneItem* item) const;
    CNavPaneItem* PrevSibling(const CNavPaneItem* item) const;
    CNavPaneItem* ParentOf(const CNavPaneItem* item) const;
    CNavPaneItem* FirstChild(const CNavPaneItem* item) const;
    // Rows as the arrow keys walk them.
    CNavPaneItem* NextVisible(const CNavPaneItem* item) const;
    CNavPaneItem* PrevVisible(const CNavPaneItem* item) const;
    // Every item, parents before their children.
    void ForEachItem(const std::function<void(CNavPaneItem*)>& visit) const;

    // Current item and selection.
    CNavPaneItem* Current() const { return m_pCurrent; }
    // The receiver may refuse; false then.
    bool SetCurrent(CNavPaneItem* item);
    // Adds the item to the selection (alone unless multiple selection is on)
    // and lays out scrolled to it.
    void Select(CNavPaneItem* item);
    void ClearSelection();
    void SelectAll();
    const std::vector<CNavPaneItem*>& Selection() const { return m_selection; }
    CNavPaneItem* FirstSelected() const { return m_selection.empty() ? nullptr : m_selection.front(); }

    // Layout and scrolling. Within a batch Layout only notes that it is
    // due (and the latest row to scroll to); the batch's end lays out once.
    void SetClientSize(int width, int height);
    // Row heights and indents made for one DPI brought to another; the
    // caller lays out again.
    void RescaleRows(int fromDpi, int toDpi);
    void Layout(CNavPaneItem* scrollTo = nullptr);
    void BeginBatch() { ++m_nBatchDepth; }
    void EndBatch();
    int ContentHeight() const;
    int ScrollPos() const { return m_nScrollPos; }
    int ScrollMax() const { return m_nScrollMax; }
    bool ScrollBarNeeded() const { return m_nScrollMax > 0; }
    // Clamped; true when the position changed.
    bool ScrollTo(int pos);
    bool ScrollBy(int delta) { return ScrollTo(m_nScrollPos + delta); }
    int PageSize() const { return m_nClientHeight - 10; }
    bool Wheel(int delta);
    bool MakeVisible(const CNavPaneItem* item);
    // Stops when visit returns false.
    void ForEachRow(const std::function<bool(CNavPaneItem*, const NavRow&)>& visit) const;
    bool RowOf(const CNavPaneItem* item, NavRow* row) const;
    // Tool cells of a row and the text area between them.
    void ToolCellsOf(const CNavPaneItem* item, const NavRow& row, std::vector<NavToolCell>& cells,
                     int* textLeft, int* textRight) const;
    NavHit HitTest(int x, int y) const;

    // Input, as the window sees it. Each returns true when a redraw is due.
    bool HoverAt(const NavHit& hit);
    bool Leave() { return HoverAt(NavHit()); }
    bool PressAt(const NavHit& hit);
    // True when a pressed tool was released over itself and acted; otherwise
    // the click made its row current and updated the selection.
    bool ReleaseAt(const NavHit& hit, bool shift, bool ctrl);
    void Click(CNavPaneItem* item, bool shift, bool ctrl);
    // Arrows and Ctrl+A; false for keys the pane leaves alone.
    bool KeyDown(unsigned key, bool shift, bool ctrl);

    CNavPaneItem* Anchor() const { return m_pAnchor; }
    CNavPaneItem* HotItem() const { return m_pHotItem; }
    CNavPaneItemTool* HotTool() const { return m_pHotTool; }
    CNavPaneItemTool* PressedTool() const { return m_pPressedTool; }
    CNavPaneItem* Root() { return &m_root; }

    // Options.
    CNavPaneWndParent* m_pReceiver = nullptr;
    int m_nIndentLeft = 8;
    int m_nIndentRight = 0;
    bool m_bSelection = true;
    bool m_bMultiSelect = true;
    bool m_bKeepCurrent = true;
    bool m_bNoAutoCurrent = true;
    bool m_bBottomUp = false;
    bool m_bEraseBkgnd = true;

protected:
    // Platform side: the window, the height of a hosted control, and the
    // work after every layout (scroll bar, hosted controls, redraw).
    virtual HWND__* PaneWindow() const { return nullptr; }
    virtual int HostedHeight(HWND__* /*control*/) const { return 0; }
    virtual void OnLayoutDone() {}
    // A control that is no longer hosted; the window hides it.
    virtual void OnControlDetached(HWND__* /*control*/) {}
    // Space after an expanded level of children.
    virtual int ChildGap() const;

private:
    friend class CNavPaneItem;

    void ToolActivated(CNavPaneItem* item, int toolId);
    void ItemExpanded(CNavPaneItem* item);
    void ForgetTool(const CNavPaneItemTool* tool);
    void ForgetSubtree(const CNavPaneItem* item);
    void MarkSelected(CNavPaneItem* item, bool on);
    int BandOf(const CNavPaneItem* item) const;
    // Stack offset of the item's band from the first row, or -1.
    int OffsetOf(const CNavPaneItem* item, int* band) const;
    bool Walk(const CNavPaneItem* parent, int level, int& offset,
              const std::function<bool(CNavPaneItem*, int offset, int band, int level)>& visit) const;
    int ClampScroll(int pos) const;
    bool Owns(const CNavPaneItem* item) const { return item && item != &m_root && item->Owner() == this; }

    CNavPaneItem m_root;
    CNavPaneItem* m_pCurrent = nullptr;
    CNavPaneItem* m_pAnchor = nullptr;
    CNavPaneItem* m_pHotItem = nullptr;
    CNavPaneItemTool* m_pHotTool = nullptr;
    CNavPaneItem* m_pPressedItem = nullptr;
    CNavPaneItemTool* m_pPressedTool = nullptr;
    std::vector<CNavPaneItem*> m_selection;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_nScrollPos = 0;
    int m_nScrollMax = 0;
    int m_nBatchDepth = 0;
    bool m_bLayoutDue = false;
    CNavPaneItem* m_pDueScrollTo = nullptr;
};

// Adding or removing many rows: one layout at the end instead of one per row.
class CNavPaneBatch {
public:
    explicit CNavPaneBatch(CNavPaneModel& pane) : m_pane(pane) { m_pane.BeginBatch(); }
    ~CNavPaneBatch() { m_pane.EndBatch(); }
    CNavPaneBatch(const CNavPaneBatch&) = delete;
    CNavPaneBatch& operator=(const CNavPaneBatch&) = delete;

private:
    CNavPaneModel& m_pane;
};
