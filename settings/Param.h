#pragma once
// A typed setting (T = bool, int, unsigned long, tstr): a named value that
// loads from and saves to the store, keeps a committed copy for Cancel, may
// have a default that is never written, may keep an outside variable in step
// and tells every bound control when it changes.

#include <initializer_list>
#include <vector>

#include "settings/Collector.h"
#include "settings/IParam.h"
#include "settings/IParamDlg.h"
#include "settings/ParamText.h"
#include "settings/RegStore.h"

template <class T>
class CParam : public IParamReg, public IParam {
public:
    CParam() = default;
    CParam(const CParam&) = delete;
    CParam& operator=(const CParam&) = delete;

    // Bindings that belong to this setting die with it; others are only let go.
    ~CParam() override {
        std::vector<IParamDlg*> held;
        held.swap(m_bindings.Items());
        for (IParamDlg* binding : held) {
            if (binding->GetParam() == static_cast<IParam*>(this)) {
                binding->SetParam(nullptr);
                delete binding;
            }
        }
    }

    // IParamReg
    tstr GetName() const override { return m_name; }
    void SetName(const tstr& name) override { m_name = name; }

    bool LoadText(const tstr& text, const tstr& section) override {
        if (m_name.IsEmpty() || text.IsNull()) return false;
        const std::wstring& all = text.Str();
        const std::wstring header = L"[" + section.Str() + L"]";
        size_t at = all.find(header);
        if (at == std::wstring::npos) return false;
        at += header.size();
        const size_t nextSection = all.find(L"\n[", at);
        const size_t line = all.find(L"\n" + m_name.Str(), at);
        if (line == std::wstring::npos || (nextSection != std::wstring::npos && line > nextSection))
            return false;
        size_t from = all.find_first_not_of(L" =\t\n\r", line + 1 + m_name.Length());
        if (from == std::wstring::npos) return true;
        // Only a value ended by a line break is taken; the separator skip above
        // may already have passed a bare line end, then the next line is read.
        const size_t end = all.find(L'\r', from);
        if (end != std::wstring::npos) SetValue(ParamText::FromText<T>(tstr(all.substr(from, end - from))));
        return true;
    }

    bool Load(CRegStore& store, const tstr& section) override {
        if (m_name.IsEmpty()) return false;
        if (!section.IsEmpty()) m_section = section;
        tstr text;
        if (store.ReadString(section, m_name, text)) SetValue(ParamText::FromText<T>(text));
        return true;
    }

    bool SaveText(tstr& text, const tstr& prefix) const override {
        if (m_name.IsEmpty() || text.IsNull()) return false;
        text += prefix;
        text += L"\\";
        text += m_name;
        text += L"=";
        text += ParamText::Format(m_value);
        text += L"\n";
        return true;
    }

    bool Save(CRegStore& store, const tstr& section) override {
        if (m_name.IsEmpty()) return false;
        if (!section.IsEmpty()) m_section = section;
        if (m_hasDefault && ParamText::Same(m_value, m_default)) return store.WriteString(m_section, m_name, tstr());
        return store.WriteString(m_section, m_name, ParamText::Format(m_value));
    }

    void Commit() override { m_saved = m_value; }
    void Revert() override { SetValue(m_saved); }
    void Clear() override { SetValue(ParamText::FromText<T>(tstr(L""))); }

    void ClearSteps() override { m_steps.clear(); }
    void StepNext() override {
        if (m_steps.empty()) return;
        for (size_t i = 0; i < m_steps.size(); ++i) {
            const T step = m_steps[i];
            if (ParamText::Less(m_value, step)) { SetValue(step); return; }
        }
        if (m_stepWrap) SetValue(T(m_steps.front()));
    }
    void StepPrev() override {
        if (m_steps.empty()) return;
        for (size_t i = m_steps.size(); i-- > 0;) {
            const T step = m_steps[i];
            if (ParamText::Less(step, m_value)) { SetValue(step); return; }
        }
        if (m_stepWrap) SetValue(T(m_steps.back()));
    }
    void SetStepWrap(int wrap) override { m_stepWrap = wrap; }

    // IParam
    bool Attach(IParamDlg* binding) override { return m_bindings.Add(binding); }
    bool Detach(IParamDlg* binding) override { return m_bindings.Remove(binding); }
    void DetachAll() override { m_bindings.RemoveAll(); }
    bool IsModified() const override { return !ParamText::Same(m_value, m_saved); }
    void ResetToDefault() override {
        if (m_hasDefault) SetValue(m_default);
    }
    void FromString(const tstr& text) override { ParamText::Parse(text, m_value); }
    tstr ToString(tstr& out) const override {
        out = ParamText::Format(m_value);
        return out;
    }
    void PushRange() override { SetRange(GetMin(), GetMax()); }
    int Refresh(HWND) override {
        RangeToBindings(GetMin(), GetMax());
        return 0;
    }

    // Typed operations
    T* GetValuePtr() { return &m_value; }
    const T& GetValue() const { return m_value; }

    // Equal values change nothing and notify nobody, which is what ends the
    // echo of a control reporting back the value it was just given.
    virtual T* SetValue(T value) {
        if (!ParamText::Same(value, m_value)) {
            m_value = value;
            if (m_mirror) *m_mirror = value;
            // By index: a control's echo may re-enter here while we walk.
            for (size_t i = 0; i < m_bindings.size(); ++i) m_bindings[i]->Update();
        }
        return GetValuePtr();
    }
    virtual void SetRange(T minValue, T maxValue) { RangeToBindings(minValue, maxValue); }
    // Appends the values before the first StepEnd<T>() (-1 as T).
    virtual void AddSteps(std::initializer_list<T> values) {
        for (const T& step : values) {
            if (ParamText::Same(step, ParamText::StepEnd<T>())) break;
            m_steps.push_back(step);
        }
    }
    virtual T GetMin() const { return ParamText::Zero<T>(); }
    virtual T GetMax() const { return ParamText::Zero<T>(); }

    // Copies another setting's state: its value through SetValue (mirror and
    // bound controls follow), its committed value and its default directly.
    virtual void Assign(const CParam& other) {
        SetValue(other.m_value);
        m_saved = other.m_saved;
        m_default = other.m_default;
        m_hasDefault = other.m_hasDefault;
    }

    void SetDefault(T value) {
        m_default = value;
        m_hasDefault = true;
    }
    void SetMirror(T* mirror) { m_mirror = mirror; }

    const T& GetSaved() const { return m_saved; }
    const tstr& GetSection() const { return m_section; }
    bool HasDefault() const { return m_hasDefault; }
    const T& GetDefault() const { return m_default; }

protected:
    void RangeToBindings(T minValue, T maxValue) {
        for (size_t i = 0; i < m_bindings.size(); ++i)
            m_bindings[i]->SetRange(ParamText::ToNumber(minValue), ParamText::ToNumber(maxValue));
    }

private:
    T m_value = ParamText::Zero<T>();
    T m_saved = ParamText::Zero<T>();
    T* m_mirror = nullptr;
    tstr m_name = tstr(L"");
    tstr m_section;
    T m_default = ParamText::Zero<T>();
    bool m_hasDefault = false;
    CCollector<IParamDlg*> m_bindings;
    std::vector<T> m_steps;
    int m_stepWrap = 0;
};
