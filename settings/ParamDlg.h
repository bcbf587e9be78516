#pragma once
// Binding of a setting of type T (tstr, bool, int, unsigned long) to one
// dialog control. The kind says what the control is:

#include "settings/IParamDlg.h"
#include "settings/Param.h"

enum ParamDlgKind {
    kParamCheckBox = 1,     // BM_GETCHECK / BM_SETCHECK
    kParamEdit = 2,         // window text, live on EN_UPDATE
    kParamNone = 3,
    kParamComboData = 4,    // item data of the selected item
    kParamRadio = 5,        // position of the checked button in its group
    kParamRadioData = 6,    // "RADIO_DATA" property of the checked button
    kParamUpDown = 7,       // range only
    kParamTrackBar = 8,     // position, while the track bar has the focus
    kParamColour = 9,       // colour chooser on a click
    kParamCustom = 10,      // state through messages WM_USER + 2 (read) and WM_USER + 1 (write)
    kParamComboText = 11,   // text of the selected item
};

template <class T>
class CParamDlg : public IParamDlg {
public:
    CParamDlg() = default;
    CParamDlg(const CParamDlg&) = delete;
    CParamDlg& operator=(const CParamDlg&) = delete;
    ~CParamDlg() override;

    void Init(int kind, int controlId) override;
    void Attach(HWND dialog) override;
    void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(HWND dialog, WPARAM wParam, const NMHDR* header) override;
    void Update() override;
    void SetParam(IParam* param) override;
    IParam* GetParam() const override { return m_param; }
    void SetRange(long minValue, long maxValue) override;
    void SetOwner(CParamDlgSet* owner) override { m_owner = owner; }

    HWND Window() const { return m_window; }

private:
    bool Live() const { return m_window && m_typed; }
    void Store(const T& value) { m_typed->SetValue(value); }
    void ReadRadio();
    void ShowRadio();
    void ReadCombo(bool byText);
    void ShowCombo(bool byText);
    void ChooseColour();

    HWND m_window = nullptr;
    int m_kind = 0;
    int m_controlId = 0;
    IParam* m_param = nullptr;
    CParam<T>* m_typed = nullptr;   // m_param as its own type; null for a setting of another type
    CParamDlgSet* m_owner = nullptr;
};

extern template class CParamDlg<tstr>;
extern template class CParamDlg<bool>;
extern template class CParamDlg<int>;
extern template class CParamDlg<unsigned long>;
