#include "ui/NavPaneToolCells.h"

#include "ui/NavPaneTool.h"

int LayNavToolCells(const std::vector<CNavPaneItemTool*>& tools, int edge, bool leftwards,
                    const NavToolCellRule& rule, std::vector<NavToolCell>& cells) {
    int reached = edge;
    for (CNavPaneItemTool* tool : tools) {
        const int width = tool->Is(CNavPaneItemTool::kSeparator) ? rule.separator : rule.cell;
        NavToolCell cell{tool, leftwards ? edge - width : edge, leftwards ? edge : edge + width};
        cells.push_back(cell);
        reached = leftwards ? cell.left : cell.right;
        if (tool->Has(CNavPaneItemTool::kNoCell)) continue;
        edge = leftwards ? cell.left - rule.gap : cell.right + rule.gap;
    }
    return reached;
}

CNavPaneItemTool* NavToolAt(const std::vector<NavToolCell>& cells, int x) {
    CNavPaneItemTool* found = nullptr;
    for (const NavToolCell& cell : cells) {
        // Later tools are drawn over earlier ones sharing their cell.
        if (x >= cell.left && x < cell.right) found = cell.tool;
    }
    return found;
}
