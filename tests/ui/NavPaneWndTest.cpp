// The navigation pane as a real window: mouse and key messages, the scroll
// bar, the class factory and what it paints.

#include <gtest/gtest.h>

#include <oleacc.h>

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

TEST_F(NavPaneWnd, KeepsItsOwnKeysAndLeavesEscapeEnterAndSystemKeysToTheDialog) {
    auto wants = [&](UINT msg, WPARAM key) {
        MSG message = {pane.Hwnd(), msg, key, 0, 0, {0, 0}};
        return SendMessageW(pane.Hwnd(), WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message));
    };
    for (int key : {VK_DOWN, VK_HOME, VK_NEXT, VK_SPACE, VK_TAB, int('A'), VK_DELETE})
        EXPECT_EQ(wants(WM_KEYDOWN, key), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE) << key;
    for (int key : {VK_ESCAPE, VK_RETURN}) {
        EXPECT_EQ(wants(WM_KEYDOWN, key), DLGC_WANTARROWS | DLGC_WANTCHARS) << key;
        EXPECT_EQ(wants(WM_CHAR, key), DLGC_WANTARROWS | DLGC_WANTCHARS) << key;
    }
    EXPECT_EQ(wants(WM_SYSKEYDOWN, VK_F4), DLGC_WANTARROWS | DLGC_WANTCHARS) << "Alt+F4";
    EXPECT_EQ(SendMessageW(pane.Hwnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(NavPaneWnd, ScreenReadersSeeTheRowsAsListItems) {
    CNavPaneItem* first = Add();
    Add()->SetText(L"second");
    auto* child = new CNavPaneItem(L"child");
    pane.AppendChild(first, child);
    pane.SetCurrent(first);
    pane.Select(first);
    SetFocus(pane.Hwnd());
    IAccessible* object = pane.AccessibleObject();
    ASSERT_NE(object, nullptr);
    long count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2) << "the collapsed row's child is not on view";
    VARIANT self, id, role, state;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    id = self;
    ASSERT_EQ(object->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
    id.lVal = 1;
    ASSERT_EQ(object->get_accState(id, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED |
                              STATE_SYSTEM_FOCUSED | STATE_SYSTEM_COLLAPSED);
    id.lVal = 2;
    BSTR name = nullptr;
    ASSERT_EQ(object->get_accName(id, &name), S_OK);
    EXPECT_STREQ(name, L"second");
    SysFreeString(name);
    ASSERT_EQ(object->get_accRole(id, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
    ASSERT_EQ(object->get_accState(id, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(object->accLocation(&left, &top, &width, &height, id), S_OK);
    POINT origin = {0, 0};
    ClientToScreen(pane.Hwnd(), &origin);
    EXPECT_EQ(top - origin.y, 30);
    EXPECT_EQ(height, 30);
    VARIANT hit;
    ASSERT_EQ(object->accHitTest(origin.x + 50, origin.y + 45, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 2);
    SendMessageW(pane.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3) << "expanded";
    object->Release();
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
