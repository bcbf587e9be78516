// The pane's item tree, selection, keyboard walk, layout and tool behaviour,
// driven without a window.

#include <gtest/gtest.h>

#include <vector>

#include "ui/NavPaneModel.h"
#include "ui/NavPaneToolPicture.h"
#include "ui/NavPaneWndParent.h"

namespace {

class CRecorder : public CNavPaneWndParent {
public:
    int OnNavToolActivated(int toolId, CNavPaneItem* item) override {
        tools.push_back(toolId);
        lastItem = item;
        return 0;
    }
    int OnNavCurrentChanging(CNavPaneItem* item, int) override {
        changes.push_back(item);
        return refuse ? 1 : 0;
    }
    std::vector<int> tools;
    std::vector<CNavPaneItem*> changes;
    CNavPaneItem* lastItem = nullptr;
    bool refuse = false;
};

CNavPaneItem* Row(const wchar_t* text, int height = 20) { return new CNavPaneItem(text, height); }

class NavModel : public ::testing::Test {
protected:
    void SetUp() override {
        pane.m_pReceiver = &receiver;
        pane.SetClientSize(100, 100);
        for (int i = 0; i < 4; ++i) {
            rows[i] = Row(L"row");
            pane.Append(rows[i]);
        }
    }
    // Top of a root-level row while nothing is scrolled or expanded.
    static int YOf(int index) { return index * 20 + 5; }
    void ClickAt(int index, bool shift = false, bool ctrl = false) {
        pane.ReleaseAt(pane.HitTest(50, YOf(index)), shift, ctrl);
    }
    std::vector<CNavPaneItem*> Selected() const { return pane.Selection(); }

    CNavPaneModel pane;
    CRecorder receiver;
    CNavPaneItem* rows[4] = {};
};

// ---- selection

TEST_F(NavModel, ShiftClickSelectsSiblingsBetweenAnchorAndClick) {
    ClickAt(3);
    ClickAt(1, true);
    EXPECT_EQ(Selected(), (std::vector<CNavPaneItem*>{rows[1], rows[2], rows[3]}));
    EXPECT_EQ(pane.Current(), rows[1]);
    EXPECT_EQ(pane.Anchor(), rows[3]) << "Shift keeps the anchor";
}

TEST_F(NavModel, ShiftClickUnderAnotherParentSelectsOnlyTheClickedItem) {
    CNavPaneItem* child = Row(L"child");
    pane.AppendChild(rows[0], child);
    rows[0]->Expand(1);
    pane.ReleaseAt(pane.HitTest(50, 25), false, false);  // the child, below its parent
    ASSERT_EQ(pane.Current(), child);
    pane.ReleaseAt(pane.HitTest(50, 20 * 3 + 5 + 5), true, false);  // rows[2], past the gap
    EXPECT_EQ(pane.Current(), rows[2]);
    EXPECT_EQ(Selected(), std::vector<CNavPaneItem*>{rows[2]});
}

TEST_F(NavModel, CtrlClickTogglesAndKeepsSelectionOrder) {
    ClickAt(2);
    ClickAt(0, false, true);
    ClickAt(3, false, true);
    EXPECT_EQ(Selected(), (std::vector<CNavPaneItem*>{rows[2], rows[0], rows[3]}));
    ClickAt(0, false, true);
    EXPECT_EQ(Selected(), (std::vector<CNavPaneItem*>{rows[2], rows[3]}));
    EXPECT_FALSE(rows[0]->m_bSelected);
}

TEST_F(NavModel, CtrlShiftClickAddsTheWholeRange) {
    ClickAt(0);
    ClickAt(2, true, true);
    EXPECT_EQ(Selected(), (std::vector<CNavPaneItem*>{rows[0], rows[1], rows[2]}));
}

TEST_F(NavModel, WithoutMultipleSelectionModifiersSelectOneItem) {
    pane.m_bMultiSelect = false;
    ClickAt(0);
    ClickAt(2, true, true);
    EXPECT_EQ(Selected(), std::vector<CNavPaneItem*>{rows[2]});
    pane.Select(rows[1]);
    EXPECT_EQ(Selected(), std::vector<CNavPaneItem*>{rows[1]});
}

TEST_F(NavModel, ClickInEmptySpaceKeepsCurrentItem) {
    ClickAt(1);
    ClickAt(3, false, true);
    pane.ReleaseAt(pane.HitTest(50, 95), false, false);
    EXPECT_EQ(pane.Current(), rows[3]);
    EXPECT_EQ(Selected(), std::vector<CNavPaneItem*>{rows[3]});

    pane.m_bKeepCurrent = false;
    pane.ReleaseAt(pane.HitTest(50, 95), false, false);
    EXPECT_EQ(pane.Current(), nullptr);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(NavModel, ReceiverCanRefuseNewCurrentItem) {
    ClickAt(0);
    receiver.refuse = true;
    ClickAt(2);
    EXPECT_EQ(pane.Current(), rows[0]);
    EXPECT_EQ(receiver.changes.back(), rows[2]);
}

TEST_F(NavModel, FirstItemBecomesCurrentOnlyWithAutoCurrent) {
    EXPECT_EQ(pane.Current(), nullptr);
    CNavPaneModel other;
    other.m_bNoAutoCurrent = false;
    CNavPaneItem* first = Row(L"first");
    other.Append(first);
    other.Append(Row(L"second"));
    EXPECT_EQ(other.Current(), first);
}

// ---- removal

TEST_F(NavModel, RemovingCurrentItemMovesToNextSiblingElsePrevious) {
    pane.SetCurrent(rows[1]);
    pane.Remove(rows[1]);
    EXPECT_EQ(pane.Current(), rows[2]);
    pane.Remove(rows[3]);
    pane.SetCurrent(rows[2]);
    pane.Remove(rows[2]);
    EXPECT_EQ(pane.Current(), rows[0]) << "the last one hands over to the previous";
    pane.Remove(rows[0]);
    EXPECT_EQ(pane.Current(), nullptr);
}

TEST_F(NavModel, RemovingParentOfCurrentItemMovesToParentsSibling) {
    CNavPaneItem* child = Row(L"child");
    pane.AppendChild(rows[2], child);
    pane.SetCurrent(child);
    pane.Remove(rows[2]);
    EXPECT_EQ(pane.Current(), rows[3]);
}

// Removal left the Shift anchor, the hot row and the hot and pressed tools
// pointing at freed objects.
TEST_F(NavModel, RemovalClearsEveryReferenceToRemovedItems) {
    auto* tool = new CNavPaneItemTool(CNavPaneItemTool::kPush, 5);
    rows[1]->AddTool(tool, INavPaneItem::kSideLeft);
    ClickAt(2);
    ClickAt(1, false, true);  // the anchor
    const NavHit hit = pane.HitTest(5, YOf(1));
    ASSERT_EQ(hit.tool, tool);
    pane.HoverAt(hit);
    pane.PressAt(hit);
    ASSERT_EQ(pane.PressedTool(), tool);
    pane.Remove(rows[1]);
    EXPECT_EQ(pane.Anchor(), nullptr);
    EXPECT_EQ(pane.HotItem(), nullptr);
    EXPECT_EQ(pane.HotTool(), nullptr);
    EXPECT_EQ(pane.PressedTool(), nullptr);
    EXPECT_EQ(Selected(), std::vector<CNavPaneItem*>{rows[2]});
    // The release that follows must not reach the dead tool.
    EXPECT_FALSE(pane.ReleaseAt(pane.HitTest(5, YOf(1)), false, false));
}

TEST_F(NavModel, RemovingToolForgetsHotAndPressedTool) {
    auto* tool = new CNavPaneItemTool(CNavPaneItemTool::kPush, 5);
    rows[0]->AddTool(tool, INavPaneItem::kSideRight);
    const NavHit hit = pane.HitTest(95, YOf(0));
    ASSERT_EQ(hit.tool, tool);
    pane.HoverAt(hit);
    pane.PressAt(hit);
    rows[0]->RemoveTool(tool);
    EXPECT_EQ(pane.HotTool(), nullptr);
    EXPECT_EQ(pane.PressedTool(), nullptr);
}

TEST_F(NavModel, RemoveAllForgetsCurrentAndSelection) {
    ClickAt(2);
    pane.HoverAt(pane.HitTest(50, YOf(2)));
    pane.RemoveAll();
    EXPECT_EQ(pane.Current(), nullptr);
    EXPECT_EQ(pane.Anchor(), nullptr);
    EXPECT_EQ(pane.HotItem(), nullptr);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(pane.FirstItem(), nullptr);
}

TEST_F(NavModel, SwapOnlyBetweenSiblings) {
    CNavPaneItem* child = Row(L"child");
    pane.AppendChild(rows[0], child);
    EXPECT_FALSE(pane.Swap(child, rows[1]));
    EXPECT_TRUE(pane.Swap(rows[1], rows[3]));
    EXPECT_EQ(pane.NextSibling(rows[0]), rows[3]);
    EXPECT_EQ(pane.LastSibling(rows[0]), rows[1]);
}

// ---- keyboard

class NavKeys : public NavModel {
protected:
    void SetUp() override {
        NavModel::SetUp();
        child1 = Row(L"child 1");
        child2 = Row(L"child 2");
        pane.AppendChild(rows[1], child1);
        pane.AppendChild(rows[1], child2);
    }
    CNavPaneItem* child1 = nullptr;
    CNavPaneItem* child2 = nullptr;
};

TEST_F(NavKeys, RightArrowExpandsCollapsedParentAndDownEntersIt) {
    pane.SetCurrent(rows[1]);
    EXPECT_EQ(pane.NextVisible(rows[1]), rows[2]) << "children of a collapsed item are skipped";
    EXPECT_TRUE(pane.KeyDown(kNavKeyRight, false, false));
    EXPECT_TRUE(rows[1]->m_bExpanded);
    pane.KeyDown(kNavKeyDown, false, false);
    EXPECT_EQ(pane.Current(), child1);
    pane.KeyDown(kNavKeyRight, false, false);  // a leaf does not expand
    EXPECT_FALSE(child1->m_bExpanded);
    pane.KeyDown(kNavKeyUp, false, false);
    EXPECT_EQ(pane.Current(), rows[1]) << "up from the first child goes to the parent";
}

TEST_F(NavKeys, UpFromNextSiblingEntersLastChildOfExpandedItem) {
    rows[1]->Expand(1);
    pane.SetCurrent(rows[2]);
    pane.KeyDown(kNavKeyUp, false, false);
    EXPECT_EQ(pane.Current(), child2);
}

TEST_F(NavKeys, LeftArrowCollapsesThenGoesToParent) {
    rows[1]->Expand(1);
    pane.SetCurrent(child2);
    pane.KeyDown(kNavKeyLeft, false, false);
    EXPECT_EQ(pane.Current(), rows[1]);
    pane.KeyDown(kNavKeyLeft, false, false);
    EXPECT_FALSE(rows[1]->m_bExpanded);
    pane.KeyDown(kNavKeyLeft, false, false);
    EXPECT_EQ(pane.Current(), rows[1]) << "the root is never current";
}

TEST_F(NavKeys, ArrowsSelectAndShiftExtends) {
    pane.KeyDown(kNavKeyDown, false, false);
    EXPECT_EQ(pane.Current(), rows[0]) << "with no current item the first row becomes current";
    pane.KeyDown(kNavKeyDown, true, false);
    pane.KeyDown(kNavKeyDown, true, false);
    EXPECT_EQ(Selected(), (std::vector<CNavPaneItem*>{rows[0], rows[1], rows[2]}));
    pane.KeyDown(kNavKeyDown, false, false);
    EXPECT_EQ(Selected(), std::vector<CNavPaneItem*>{rows[3]});
    EXPECT_TRUE(pane.KeyDown(kNavKeyA, false, true));
    EXPECT_EQ(Selected().size(), 6u) << "Ctrl+A takes children too";
    EXPECT_FALSE(pane.KeyDown(kNavKeyA, false, false));
}

TEST_F(NavKeys, BottomUpExchangesUpAndDown) {
    pane.m_bBottomUp = true;
    pane.SetCurrent(rows[2]);
    pane.KeyDown(kNavKeyUp, false, false);
    EXPECT_EQ(pane.Current(), rows[3]);
}

TEST_F(NavKeys, CollapsingCollapsesTheSubtreeAndSyncsExpanderTool) {
    auto* expander = new CNavPaneItemTool(CNavPaneItemTool::kExpander | CNavPaneItemTool::kToggle, 1);
    rows[1]->AddTool(expander, INavPaneItem::kSideLeft);
    pane.AppendChild(child1, Row(L"grandchild"));
    rows[1]->Expand(1);
    child1->Expand(1);
    EXPECT_TRUE(expander->Has(CNavPaneItemTool::kChecked));
    rows[1]->Expand(-1);
    EXPECT_FALSE(child1->m_bExpanded);
    EXPECT_FALSE(expander->Has(CNavPaneItemTool::kChecked));
    rows[0]->Expand(1);
    EXPECT_FALSE(rows[0]->m_bExpanded) << "nothing to show";
}

// ---- layout and scrolling

TEST_F(NavModel, ContentThatFitsNeedsNoScrolling) {
    EXPECT_EQ(pane.ContentHeight(), 80);
    EXPECT_FALSE(pane.ScrollBarNeeded());
    EXPECT_FALSE(pane.ScrollTo(10));
    EXPECT_EQ(pane.ScrollPos(), 0);
    EXPECT_FALSE(pane.Wheel(-120));
}

TEST_F(NavModel, ScrollingIsClampedAndMakesRowsVisible) {
    CNavPaneItem* last = Row(L"last", 40);
    pane.Append(last);
    ASSERT_EQ(pane.ScrollMax(), 20);
    pane.Layout(last);
    EXPECT_EQ(pane.ScrollPos(), 20) << "as far as the range goes towards the item";
    EXPECT_TRUE(pane.Wheel(120));
    EXPECT_EQ(pane.ScrollPos(), 0) << "a notch away from the user is 30 pixels up, clamped";
    EXPECT_TRUE(pane.MakeVisible(last));
    EXPECT_EQ(pane.ScrollPos(), 20);
    EXPECT_FALSE(pane.MakeVisible(rows[2])) << "already fully visible";
    pane.MakeVisible(rows[0]);
    EXPECT_EQ(pane.ScrollPos(), 0);
    NavRow row;
    pane.ScrollTo(15);
    ASSERT_TRUE(pane.RowOf(rows[1], &row));
    EXPECT_EQ(row.top, 5);
    EXPECT_EQ(pane.HitTest(50, 4).item, rows[0]);
}

TEST_F(NavModel, ExpandedLevelAddsIndentAndGap) {
    pane.m_nIndentLeft = 24;
    pane.m_nIndentRight = 3;
    CNavPaneItem* child = Row(L"child", 10);
    pane.AppendChild(rows[0], child);
    rows[0]->Expand(1);
    NavRow row;
    ASSERT_TRUE(pane.RowOf(child, &row));
    EXPECT_EQ(row.left, 24);
    EXPECT_EQ(row.right, 97);
    ASSERT_TRUE(pane.RowOf(rows[1], &row));
    EXPECT_GT(row.top, 30) << "a gap after the children";
}

// A move to a monitor of twice the DPI doubles every row, child rows and
// indents included, and the move back restores them exactly.
TEST_F(NavModel, RowsAndIndentsFollowADpiChange) {
    pane.m_nIndentLeft = 24;
    CNavPaneItem* child = Row(L"child", 10);
    pane.AppendChild(rows[0], child);
    const int normal = child->m_nNormalHeight;
    pane.RescaleRows(96, 192);
    pane.Layout();
    EXPECT_EQ(pane.ContentHeight(), 160);
    EXPECT_EQ(child->m_nCompactHeight, 20);
    EXPECT_EQ(child->m_nNormalHeight, 2 * normal);
    EXPECT_EQ(pane.m_nIndentLeft, 48);
    pane.RescaleRows(192, 96);
    EXPECT_EQ(rows[3]->m_nCompactHeight, 20);
    EXPECT_EQ(child->m_nNormalHeight, normal);
    EXPECT_EQ(pane.m_nIndentLeft, 24);
    pane.RescaleRows(0, 96);   // an unknown DPI changes nothing
    EXPECT_EQ(pane.m_nIndentLeft, 24);
}

class CLayoutCounter : public CNavPaneModel {
public:
    int layouts = 0;

protected:
    void OnLayoutDone() override { ++layouts; }
};

TEST(NavBatch, RowsAddedInNestedBatchesAreLaidOutOnceAtTheOuterEnd) {
    CLayoutCounter pane;
    pane.SetClientSize(100, 100);
    CNavPaneItem* last = nullptr;
    {
        CNavPaneBatch outer(pane);
        {
            CNavPaneBatch inner(pane);
            for (int i = 0; i < 10; ++i) pane.Append(last = Row(L"row"));
        }
        pane.Select(last);
        EXPECT_EQ(pane.layouts, 0);
        EXPECT_EQ(pane.ScrollMax(), 0) << "not laid out yet";
    }
    EXPECT_EQ(pane.layouts, 1);
    EXPECT_EQ(pane.ScrollMax(), 100);
    EXPECT_EQ(pane.ScrollPos(), 100) << "scrolled to the row selected within the batch";
    CNavPaneBatch empty(pane);
    EXPECT_EQ(pane.layouts, 1);
}

TEST(NavBatch, RowToScrollToRemovedWithinTheBatchIsForgotten) {
    CLayoutCounter pane;
    pane.SetClientSize(100, 100);
    CNavPaneItem* rows[10] = {};
    for (CNavPaneItem*& row : rows) pane.Append(row = Row(L"row"));
    pane.ScrollTo(40);
    {
        CNavPaneBatch batch(pane);
        pane.Select(rows[9]);
        pane.Remove(rows[9]);
        pane.Remove(rows[8]);
    }
    EXPECT_EQ(pane.ScrollMax(), 60);
    EXPECT_EQ(pane.ScrollPos(), 40) << "no scrolling towards the removed row";
}

// ---- tools

TEST_F(NavModel, RadioToolUnchecksSameGroupInSiblingsOnly) {
    CNavPaneItemTool* radios[3];
    for (int i = 0; i < 3; ++i) {
        radios[i] = new CNavPaneItemTool(CNavPaneItemTool::kRadio | CNavPaneItemTool::kToggle, 1030);
        rows[i]->AddTool(radios[i], INavPaneItem::kSideLeft);
    }
    radios[2]->m_nGroup = 7;
    radios[0]->Set(CNavPaneItemTool::kChecked, true);
    radios[2]->Set(CNavPaneItemTool::kChecked, true);
    const NavHit hit = pane.HitTest(5, YOf(1));
    pane.PressAt(hit);
    EXPECT_TRUE(pane.ReleaseAt(hit, false, false));
    EXPECT_TRUE(radios[1]->Has(CNavPaneItemTool::kChecked));
    EXPECT_FALSE(radios[0]->Has(CNavPaneItemTool::kChecked));
    EXPECT_TRUE(radios[2]->Has(CNavPaneItemTool::kChecked)) << "another group";
    EXPECT_EQ(receiver.tools, std::vector<int>{1030});
    EXPECT_EQ(receiver.lastItem, rows[1]);
    EXPECT_EQ(pane.Current(), nullptr) << "a tool click does not change the current item";
}

TEST_F(NavModel, ToolActsOnlyWhenReleasedOverItself) {
    auto* toggle = new CNavPaneItemTool(CNavPaneItemTool::kToggle, 9);
    auto* picture = new CNavPaneItemTool(0, 8);
    rows[0]->AddTool(toggle, INavPaneItem::kSideLeft);
    rows[0]->AddTool(picture, INavPaneItem::kSideLeft);
    EXPECT_FALSE(pane.PressAt(pane.HitTest(25, YOf(0)))) << "a plain picture cannot be pressed";
    pane.PressAt(pane.HitTest(5, YOf(0)));
    pane.HoverAt(pane.HitTest(25, YOf(0)));
    EXPECT_EQ(pane.HotTool(), nullptr) << "hover is frozen while a tool is pressed";
    EXPECT_FALSE(pane.ReleaseAt(pane.HitTest(25, YOf(0)), false, false));
    EXPECT_FALSE(toggle->Has(CNavPaneItemTool::kPressed | CNavPaneItemTool::kChecked));
    EXPECT_TRUE(receiver.tools.empty());
    pane.PressAt(pane.HitTest(5, YOf(0)));
    pane.ReleaseAt(pane.HitTest(5, YOf(0)), false, false);
    EXPECT_TRUE(toggle->Has(CNavPaneItemTool::kChecked));
    EXPECT_EQ(receiver.tools, std::vector<int>{9});
}

TEST(NavToolCells, SeparatorGapAndSharedCell) {
    CNavPaneItemTool add(0x90, 1), remove(0x90, 2), gap(CNavPaneItemTool::kSeparator), up(0x90, 3);
    std::vector<NavToolCell> cells;
    EXPECT_EQ(LayNavToolCells({&add, &remove, &gap, &up}, 7, false, {25, 4, 1}, cells), 89);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[1].left, 33);
    EXPECT_EQ(cells[2].right - cells[2].left, 4);
    EXPECT_EQ(cells[3].left, 64);
    EXPECT_EQ(NavToolAt(cells, 32), nullptr) << "the pixel between two cells";

    cells.clear();
    add.Set(CNavPaneItemTool::kNoCell, true);
    LayNavToolCells({&add, &remove}, 100, true, {20, 20, 0}, cells);
    EXPECT_EQ(cells[1].left, 80);
    EXPECT_EQ(NavToolAt(cells, 90), &remove) << "the later tool is on top";
}

TEST(NavToolPicture, StateListsAndPictureChoice) {
    CNavPaneItemTool tool(CNavPaneItemTool::kPush, 1);
    ASSERT_TRUE(tool.m_bmp.Create(4, 4));
    tool.m_bmp.Fill(0xFF808080);
    PrepareToolPicture(tool.m_bmp);
    EXPECT_FALSE(tool.m_bmp.LayerFilled(0));
    ASSERT_EQ(tool.m_bmp.GetLayer(1).size(), 2u);
    EXPECT_EQ(tool.m_bmp.GetLayer(1)[0]->offsetX, 2);
    EXPECT_EQ(tool.m_bmp.GetLayer(3).size(), 3u);
    int layer = 0;
    EXPECT_EQ(tool.PictureToDraw(&layer), &tool.m_bmp);
    EXPECT_EQ(layer, -1);
    tool.Set(CNavPaneItemTool::kHot | CNavPaneItemTool::kDisabled, true);
    tool.PictureToDraw(&layer);
    EXPECT_EQ(layer, 1) << "hot wins over disabled";
    EXPECT_FALSE(tool.CanPress());

    ASSERT_TRUE(tool.m_bmpChecked.Create(2, 2));
    tool.Set(CNavPaneItemTool::kChecked, true);
    EXPECT_EQ(tool.PictureToDraw(&layer), &tool.m_bmpChecked);
    EXPECT_EQ(layer, -1);

    // A radio with a checked picture only: nothing while unchecked and away,
    // the checked picture greyed under the pointer.
    CNavPaneItemTool radio(CNavPaneItemTool::kRadio | CNavPaneItemTool::kToggle, 2);
    ASSERT_TRUE(radio.m_bmpChecked.Create(4, 4));
    PrepareToolPicture(radio.m_bmpChecked);
    EXPECT_EQ(radio.PictureToDraw(&layer), nullptr);
    radio.Set(CNavPaneItemTool::kHot, true);
    EXPECT_EQ(radio.PictureToDraw(&layer), &radio.m_bmpChecked);
    EXPECT_EQ(layer, 2);
    radio.Set(CNavPaneItemTool::kChecked, true);
    radio.PictureToDraw(&layer);
    EXPECT_EQ(layer, 1);
}

}  // namespace
