// The navigation pane as a real window: mouse and key messages, the scroll
// bar, the class factory and what it paints.

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/NavTestSupport.h"
#include "ui/ClassFactory.h"
#include "ui/NavPaneWnd.h"
#include "ui/NavPaneWndParent.h"

namespace {

class CRemovingReceiver : public CNavPaneWndParent {
public:
    int OnNavToolActivated(int toolId, CNavPaneItem* item) override {
        tools.push_back(toolId);
        // As the albums page does when an album is deleted from its row.
        if (remove) item->Owner()->Remove(item);
        return 0;
    }
    int OnNavCurrentChanging(CNavPaneItem* item, int) override {
        changes.push_back(item);
        return 0;
    }
    std::vector<int> tools;
    std::vector<CNavPaneItem*> changes;
    bool remove = false;
};

class NavPaneWnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterWindowClassOf<CNavPaneWnd>()); }
    void SetUp() override {
        ASSERT_TRUE(pane.Create(0, WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, parent.Hwnd(),
                                reinterpret_cast<HMENU>(1004)));
        pane.m_pReceiver = &receiver;
    }
    CNavPaneItem* Add(int height = 30) {
        auto* item = new CNavPaneItem(L"item", height);
        pane.Append(item);
        return item;
    }
    void Click(int x, int y, WPARAM keys = 0) {
        SendMessageW(pane.Hwnd(), WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(pane.Hwnd(), WM_LBUTTONUP, keys, MAKELPARAM(x, y));
    }
    bool ScrollBarShown() const { return (GetWindowLongPtrW(pane.Hwnd(), GWL_STYLE) & WS_VSCROLL) != 0; }

    CNavTestParent parent;
    CNavPaneWnd pane;
    CRemovingReceiver receiver;
};

TEST_F(NavPaneWnd, ScrollBarOnlyWhileContentDoesNotFit) {
    Add();
    Add();
    Add();
    EXPECT_FALSE(ScrollBarShown());
    CNavPaneItem* extra = Add();
    EXPECT_TRUE(ScrollBarShown());
    SendMessageW(pane.Hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(pane.ScrollPos(), 20);
    EXPECT_EQ(GetScrollPos(pane.Hwnd(), SB_VERT), 20);
    pane.Remove(extra);
    EXPECT_FALSE(ScrollBarShown());
    EXPECT_EQ(pane.ScrollPos(), 0);
}

TEST_F(NavPaneWnd, ClicksSelectWithShiftAndKeepCurrentOnEmptySpace) {
    CNavPaneItem* rows[3] = {Add(), Add(), Add()};
    Click(100, 5);
    Click(100, 65, MK_SHIFT);
    EXPECT_EQ(pane.Current(), rows[2]);
    EXPECT_EQ(pane.Selection(), (std::vector<CNavPaneItem*>{rows[0], rows[1], rows[2]}));
    EXPECT_EQ(receiver.changes, (std::vector<CNavPaneItem*>{rows[0], rows[2]}));
    Click(100, 95);  // below the last row
    EXPECT_EQ(pane.Current(), rows[2]);
    EXPECT_EQ(pane.Selection(), std::vector<CNavPaneItem*>{rows[2]});
    EXPECT_EQ(GetFocus(), pane.Hwnd());
}

TEST_F(NavPaneWnd, RightArrowExpandsCollapsedItem) {
    EXPECT_EQ(SendMessageW(pane.Hwnd(), WM_GETDLGCODE, 0, 0), 5) << "arrows and all keys";
    CNavPaneItem* common = Add();
    auto* secret = new CNavPaneItem(L"Secret settings!");
    pane.AppendChild(common, secret);
    NavRow row;
    EXPECT_FALSE(pane.RowOf(secret, &row));
    pane.SetCurrent(common);
    SendMessageW(pane.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(common->m_bExpanded);
    ASSERT_TRUE(pane.RowOf(secret, &row));
    EXPECT_EQ(row.top, 30);
    EXPECT_EQ(row.left, 8);
    SendMessageW(pane.Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(pane.Current(), secret);
}

TEST_F(NavPaneWnd, ToolWhoseReceiverRemovesItsRowLeavesNothingBehind) {
    CNavPaneItem* row = Add();
    CNavPaneItem* next = Add();
    row->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kPush, 1012), INavPaneItem::kSideLeft);
    pane.SetCurrent(row);
    receiver.remove = true;
    SendMessageW(pane.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    Click(10, 10);
    EXPECT_EQ(receiver.tools, std::vector<int>{1012});
    EXPECT_EQ(pane.FirstItem(), next);
    EXPECT_EQ(pane.Current(), next);
    EXPECT_EQ(pane.HotTool(), nullptr);
    SendMessageW(pane.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    SendMessageW(pane.Hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(pane.HotItem(), nullptr);
}

TEST_F(NavPaneWnd, PaintsSelectionToolsAndBackground) {
    CNavPaneItem* first = Add();
    Add();
    auto* tool = new CNavPaneItemTool(0, 1);
    ASSERT_TRUE(tool->m_bmp.Create(10, 10));
    tool->m_bmp.Fill(0xFFFF0000);  // opaque red
    first->AddTool(tool, INavPaneItem::kSideLeft);
    pane.Select(first);
    CRendered shot(pane.Hwnd(), 200, 100);
    EXPECT_EQ(shot.At(15, 15), RGB(255, 0, 0)) << "picture centred in its cell";
    EXPECT_EQ(shot.At(150, 15), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(shot.At(150, 45), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shot.At(150, 90), GetSysColor(COLOR_WINDOW)) << "below the rows";
}

TEST_F(NavPaneWnd, TemplateWindowGetsPaneObject) {
    const HWND hwnd = CreateWindowExW(0, L"DX_NavigatePane", L"", WS_CHILD, 0, 0, 50, 50, parent.Hwnd(),
                                      nullptr, ProgramModule(), nullptr);
    ASSERT_NE(hwnd, nullptr);
    auto* made = dynamic_cast<CNavPaneWnd*>(CWnd::FromHandle(hwnd));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->MadeByFactory());
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CLIPCHILDREN, 0);
    made->Append(new CNavPaneItem(L"owned by the pane"));
    DestroyWindow(hwnd);
}

}  // namespace
