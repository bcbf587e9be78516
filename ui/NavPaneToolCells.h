#pragma once
// Where the tools of one list go along a row: cells laid from a start edge
// to the right, or from an end edge to the left. A tool with the no-cell
// state shares the cell of the tool after it.

#include <vector>

class CNavPaneItemTool;

struct NavToolCell {
    CNavPaneItemTool* tool;
    int left;
    int right;  // exclusive
};

struct NavToolCellRule {
    int cell;       // width of an ordinary cell
    int separator;  // width of a separator cell
    int gap;        // pixels between two cells
};

// Appends one cell per tool to cells; returns the edge reached (the right end
// of the last cell, or the left end when laying leftwards).
int LayNavToolCells(const std::vector<CNavPaneItemTool*>& tools, int edge, bool leftwards,
                    const NavToolCellRule& rule, std::vector<NavToolCell>& cells);
// The tool drawn on top at x, or null.
CNavPaneItemTool* NavToolAt(const std::vector<NavToolCell>& cells, int x);
