// The tool bar: where its tools go, what a click sends, and what it paints.

#include <gtest/gtest.h>

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

}  // namespace
