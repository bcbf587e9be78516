// The tool bar: where its tools go, what a click or the keyboard sends, what
// it paints, and what its tooltips and screen readers say.

#include <gtest/gtest.h>

#include <oleacc.h>

#include <vector>

#include "tests/ui/NavTestSupport.h"
#include "ui/ClassFactory.h"
#include "ui/ToolBarWnd.h"

namespace {

class ToolBar : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterWindowClassOf<CToolBarWnd>()); }
    void SetUp() override {
        ASSERT_TRUE(bar.Create(0, WS_CHILD | WS_VISIBLE, 0, 0, 200, 27, parent.Hwnd(),
                               reinterpret_cast<HMENU>(1002)));
        // The photos configuration: add, delete, a gap, up, down.
        for (int id : {1008, 1009, 0, 1031, 1032}) {
            auto* tool = new CNavPaneItemTool(id ? 0x90 : CNavPaneItemTool::kSeparator, id);
            bar.AddTool(tool, INavPaneItem::kSideLeft);
            tools.push_back(tool);
        }
        bar.AddTool(new CNavPaneItemTool(0x90, 77), INavPaneItem::kSideRight);
        parent.Commands();
    }
    void Press(int x, int y) { SendMessageW(bar.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    CNavTestParent parent;
    CToolBarWnd bar;
    std::vector<CNavPaneItemTool*> tools;
};

TEST_F(ToolBar, CellsRunFromBothEndsWithNarrowSeparator) {
    std::vector<NavToolCell> cells;
    bar.Cells(cells);
    ASSERT_EQ(cells.size(), 6u);
    const int lefts[] = {7, 33, 59, 64, 90};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cells[i].left, lefts[i]) << i;
    EXPECT_EQ(cells[2].right, 63);
    EXPECT_EQ(cells[5].right, 193);
    EXPECT_EQ(cells[5].left, 168);
    EXPECT_EQ(bar.GetRowHeight(), 22);
    EXPECT_EQ(bar.ToolAt(20, 0), nullptr) << "outside the inset";
    EXPECT_EQ(bar.ToolAt(20, 13), tools[0]);
    EXPECT_EQ(bar.ToolAt(120, 13), nullptr);
}

TEST_F(ToolBar, ClickPostsToolIdToParent) {
    Press(70, 13);
    EXPECT_TRUE(tools[3]->Has(CNavPaneItemTool::kPressed));
    Release(70, 13);
    EXPECT_FALSE(tools[3]->Has(CNavPaneItemTool::kPressed));
    EXPECT_EQ(parent.Commands(), std::vector<WPARAM>{1031});
    Press(180, 13);
    Release(180, 13);
    EXPECT_EQ(parent.Commands(), std::vector<WPARAM>{77});
}

TEST_F(ToolBar, ReleaseAwayFromPressedToolSendsNothing) {
    Press(20, 13);
    Release(40, 13);
    EXPECT_TRUE(parent.Commands().empty());
    EXPECT_EQ(bar.PressedTool(), nullptr);
    EXPECT_FALSE(tools[0]->Has(CNavPaneItemTool::kPressed));
    Press(61, 13);  // the separator
    Release(61, 13);
    EXPECT_TRUE(parent.Commands().empty());
}

TEST_F(ToolBar, RemovingToolsForgetsHotAndPressedTool) {
    SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 13));
    ASSERT_EQ(bar.HotTool(), tools[0]);
    Press(20, 13);
    bar.RemoveTool(tools[0]);
    EXPECT_EQ(bar.HotTool(), nullptr);
    EXPECT_EQ(bar.PressedTool(), nullptr);
    Release(20, 13);
    EXPECT_TRUE(parent.Commands().empty());
    SendMessageW(bar.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(180, 13));
    bar.RemoveAllTools();
    EXPECT_EQ(bar.HotTool(), nullptr);
    std::vector<NavToolCell> cells;
    bar.Cells(cells);
    EXPECT_TRUE(cells.empty());
}

TEST_F(ToolBar, PaintsFaceGripAndPressedPictureOffset) {
    ASSERT_TRUE(tools[0]->m_bmp.Create(1, 1));
    tools[0]->m_bmp.Fill(0xFF0000FF);  // one opaque blue pixel
    {
        CRendered shot(bar.Hwnd(), 200, 27);
        EXPECT_EQ(shot.At(150, 13), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(shot.At(3, 13), GetSysColor(COLOR_BTNHIGHLIGHT)) << "grip";
        EXPECT_EQ(shot.At(19, 13), RGB(0, 0, 255));
    }
    Press(20, 13);
    CRendered shot(bar.Hwnd(), 200, 27);
    EXPECT_EQ(shot.At(20, 14), RGB(0, 0, 255)) << "one pixel right and down";
    EXPECT_EQ(shot.At(19, 13), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolBar, ArrowsMoveThePressableToolsAndSpaceRunsTheFocusedOne) {
    EXPECT_EQ(SendMessageW(bar.Hwnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
    tools[1]->Set(CNavPaneItemTool::kDisabled, true);
    SetFocus(bar.Hwnd());
    ASSERT_EQ(GetFocus(), bar.Hwnd());
    EXPECT_EQ(bar.FocusTool(), tools[0]);
    SendMessageW(bar.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(bar.FocusTool(), tools[3]) << "past the disabled tool and the separator";
    SendMessageW(bar.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(bar.Hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(parent.Commands(), std::vector<WPARAM>{1031});
    SendMessageW(bar.Hwnd(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(bar.FocusTool(), bar.m_rightTools[0]);
    SendMessageW(bar.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(bar.FocusTool(), bar.m_rightTools[0]) << "stays at the end";
    SendMessageW(bar.Hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(parent.Commands().empty()) << "a release without its press";
    bar.RemoveTool(bar.m_rightTools[0]);
    EXPECT_EQ(bar.FocusTool(), nullptr);
}

TEST_F(ToolBar, TooltipsAndScreenReadersNameEveryTool) {
    const wchar_t* names[] = {L"Add photos", L"Delete", L"", L"Up", L"Down"};
    for (size_t i = 0; i < tools.size(); ++i) tools[i]->m_name = names[i];
    bar.m_rightTools[0]->m_name = L"Other";
    tools[1]->Set(CNavPaneItemTool::kDisabled, true);
    tools[4]->Set(CNavPaneItemTool::kChecked, true);
    CRendered shot(bar.Hwnd(), 200, 27);
    EXPECT_EQ(bar.Tips().Text(bar.Hwnd(), 1), L"Add photos");
    EXPECT_EQ(bar.Tips().Text(bar.Hwnd(), 4), L"Down");
    EXPECT_EQ(bar.Tips().Text(bar.Hwnd(), 5), L"Other");

    SetFocus(bar.Hwnd());
    IAccessible* object = bar.AccessibleObject();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(reinterpret_cast<IAccessible*>(SendMessageW(bar.Hwnd(), WM_GETOBJECT, 0, OBJID_WINDOW)), nullptr);
    long count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 5) << "the separator is no child";
    const long states[] = {STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, STATE_SYSTEM_UNAVAILABLE,
                           STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED,
                           STATE_SYSTEM_FOCUSABLE};
    const wchar_t* childNames[] = {L"Add photos", L"Delete", L"Up", L"Down", L"Other"};
    for (long id = 1; id <= count; ++id) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = id;
        BSTR name = nullptr;
        ASSERT_EQ(object->get_accName(child, &name), S_OK);
        EXPECT_STREQ(name, childNames[id - 1]);
        SysFreeString(name);
        VARIANT role, state;
        ASSERT_EQ(object->get_accRole(child, &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
        ASSERT_EQ(object->get_accState(child, &state), S_OK);
        EXPECT_EQ(state.lVal, states[id - 1]) << id;
    }
    long left = 0, top = 0, width = 0, height = 0;
    VARIANT up;
    VariantInit(&up);
    up.vt = VT_I4;
    up.lVal = 3;
    ASSERT_EQ(object->accLocation(&left, &top, &width, &height, up), S_OK);
    POINT origin = {0, 0};
    ClientToScreen(bar.Hwnd(), &origin);
    EXPECT_EQ(left - origin.x, 64);
    EXPECT_EQ(width, 25);
    up.lVal = 6;
    BSTR none = nullptr;
    EXPECT_EQ(object->get_accName(up, &none), E_INVALIDARG);
    DestroyWindow(bar.Hwnd());
    EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED) << "a client outliving the bar";
    object->Release();
}

}  // namespace
