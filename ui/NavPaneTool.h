#pragma once
// A small picture or button at either end of a navigation pane row or on the
// tool bar. The tool knows how it reacts to a click; the item it sits on
// (INavPaneItem) hears about the outcome.

#include <string>

#include "picture/Bmp.h"

class INavPaneItem;
class IParam;

class CNavPaneItemTool {
public:
    // Behaviour flags. 0x40 and 0x80 are set by callers and mean nothing here.
    enum : int {
        kRadio = 0x02,      // together with kToggle
        kExpander = 0x04,
        kToggle = 0x08,
        kPush = 0x10,
        kSeparator = 0x20,
        kBox = 0x100,       // a box behind the picture
    };
    // State flags.
    enum : int {
        kPressed = 0x01,
        kChecked = 0x02,
        kDisabled = 0x04,
        kHot = 0x08,
        kNoCell = 0x10,     // shares the next tool's cell
    };
    // Binding kinds.
    enum : int { kBindNone = 0, kBindBool = 1 };

    explicit CNavPaneItemTool(int behaviour = 0, int id = 0) : m_nBehaviour(behaviour), m_nId(id) {}
    CNavPaneItemTool(const CNavPaneItemTool&) = delete;
    CNavPaneItemTool& operator=(const CNavPaneItemTool&) = delete;
    virtual ~CNavPaneItemTool() = default;

    bool Has(int state) const { return (m_nState & state) != 0; }
    void Set(int state, bool on) { m_nState = on ? (m_nState | state) : (m_nState & ~state); }
    bool Is(int behaviour) const { return (m_nBehaviour & behaviour) != 0; }
    // Only toggles (radios included) and push buttons can be pressed; a
    // disabled tool cannot.
    bool CanPress() const { return Is(kToggle | kPush) && !Has(kDisabled); }

    // The setting gets "1" or "0" whenever a toggle changes; not owned.
    void Bind(IParam* param, int kind) { m_pParam = param; m_nBindKind = param ? kind : kBindNone; }

    // The button was released over the pressed tool. The item may be gone
    // (and this tool with it) when this returns: callers touch neither.
    void Activate(INavPaneItem& item);

    // The picture to draw and the state layer list to draw it with (-1: the
    // plain picture); null when the tool has nothing to show. A tool whose
    // picture is made elsewhere gives it here; valid while the row is drawn.
    virtual const CBmp* PictureToDraw(int* layer) const;
    // Colour (0x00BBGGRR) of the box behind the picture; -1 when none.
    long BoxColour() const;

    int m_nBehaviour = 0;
    int m_nState = 0;
    int m_nId = 0;
    int m_nGroup = 0;
    CBmp m_bmp;
    CBmp m_bmp2;
    CBmp m_bmpChecked;
    // What its tooltip and screen readers call it; empty: its row's text.
    std::wstring m_name;

private:
    IParam* m_pParam = nullptr;
    int m_nBindKind = kBindNone;
};
