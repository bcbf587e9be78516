#pragma once
// A binding without a control: records every value it is told to show and
// every range it is given.

#include <utility>
#include <vector>

#include "settings/IParamDlg.h"
#include "settings/Param.h"

template <class T>
class RecordingBinding : public IParamDlg {
public:
    explicit RecordingBinding(CParam<T>* setting) : m_setting(setting) { setting->Attach(this); }
    ~RecordingBinding() override {
        if (m_setting) m_setting->Detach(this);
    }

    void Init(int, int) override {}
    void Attach(HWND) override {}
    void OnCommand(HWND, WPARAM, LPARAM) override {}
    void OnNotify(HWND, WPARAM, const NMHDR*) override {}
    void Update() override { shown.push_back(m_setting->GetValue()); }
    void SetParam(IParam* param) override {
        if (!param) m_setting = nullptr;
    }
    IParam* GetParam() const override { return m_setting; }
    void SetRange(long minValue, long maxValue) override { ranges.emplace_back(minValue, maxValue); }
    void SetOwner(CParamDlgSet*) override {}

    std::vector<T> shown;
    std::vector<std::pair<long, long>> ranges;

private:
    CParam<T>* m_setting;
};
