#pragma once
// Receiver of a navigation pane's notifications. Every operation does nothing
// and returns 0 here; a dialog overrides what it needs. The item tells which
// pane it belongs to (CNavPaneItem::Owner, GetPaneWindow).

#include <cstdint>

class CNavPaneItem;

class CNavPaneWndParent {
public:
    virtual ~CNavPaneWndParent() = default;
    // A push, toggle or radio tool of the item was clicked.
    virtual int OnNavToolActivated(int /*toolId*/, CNavPaneItem* /*item*/) { return 0; }
    // WM_KEYDOWN before the pane handles it; nonzero consumes the key.
    virtual int OnNavKeyDown(unsigned /*msg*/, unsigned /*key*/, intptr_t /*keyData*/) { return 0; }
    // A mouse message over a row (item may be null), before the pane acts.
    virtual int OnNavItemMouse(unsigned /*msg*/, int /*x*/, int /*y*/, CNavPaneItem* /*item*/) { return 0; }
    // The same after the pane acted.
    virtual int OnNavPaneMouse(unsigned /*msg*/, int /*x*/, int /*y*/, CNavPaneItem* /*item*/) { return 0; }
    // The current item is about to become item (null: none); nonzero refuses.
    virtual int OnNavCurrentChanging(CNavPaneItem* /*item*/, int /*reserved*/) { return 0; }
    // Never called by the pane.
    virtual int OnNavReserved() { return 0; }
};
