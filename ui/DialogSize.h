#pragma once
// A dialog whose controls follow its edges when it is resized. Derived
// classes add their controls to Sizer() in OnInitDialog (after calling this
// class's) and may set limits there. The window rectangle at destruction is
// kept for the owner to persist.

#include <memory>

#include "ui/Dialog.h"
#include "ui/Sizer.h"

class CDialogSize : public virtual CDialog {
public:
    INT_PTR OnInitDialog() override;
    void OnSize(UINT type, int width, int height) override;
    void OnSizing(UINT edge, RECT* rect) override;
    void OnDestroy() override;

    CSizer* Sizer() { return m_sizer.get(); }
    // Left, top, width, height when the dialog was destroyed.
    const RECT& ClosedRect() const { return m_closedRect; }

private:
    std::unique_ptr<CSizer> m_sizer;
    RECT m_closedRect{};
};
