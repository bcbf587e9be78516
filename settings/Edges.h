#pragma once
// A setting with a minimum and a maximum that clamps every value it is given.
// Used as CEdges<CParam<unsigned long>, unsigned long>.

#include "settings/Param.h"

template <class Base, class T>
class CEdges : public virtual Base {
public:
    // The unclamped value goes through first, so that a bound edit box that was
    // typed out of range is told twice and snaps back to the limit even when
    // the limit is the value held before.
    T* SetValue(T value) override {
        Base::SetValue(value);
        if (!Clamp(value)) Base::SetValue(value);
        return Base::GetValuePtr();
    }
    void SetRange(T minValue, T maxValue) override {
        m_minValue = minValue;
        m_maxValue = maxValue;
        Validate();
        Base::SetRange(minValue, maxValue);
    }
    T GetMin() const override { return m_minValue; }
    T GetMax() const override { return m_maxValue; }
    int Refresh(HWND) override {
        T value = Base::GetValue();
        SetRange(m_minValue, m_maxValue);
        Base::RangeToBindings(m_minValue, m_maxValue);
        Clamp(value);
        SetValue(value);
        return 0;
    }
    // Copies the range before the value so the value is clamped by the new range.
    void Assign(const Base& other) override {
        if (auto edges = dynamic_cast<const CEdges*>(&other)) {
            m_minValue = edges->m_minValue;
            m_maxValue = edges->m_maxValue;
        }
        Base::Assign(other);
    }

    virtual void SetClamped(T value) {
        Clamp(value);
        SetValue(value);
    }
    virtual void SetMin(T value) {
        m_minValue = value;
        if (m_maxValue < value) m_maxValue = value;
    }
    virtual void SetMax(T value) {
        m_maxValue = value;
        if (m_minValue > value) m_minValue = value;
    }
    // True when the value was inside the range.
    virtual bool Clamp(T& value) const {
        if (value < m_minValue) { value = m_minValue; return false; }
        if (value > m_maxValue) { value = m_maxValue; return false; }
        return true;
    }
    virtual bool Validate() {
        const T value = Base::GetValue();
        if (value < m_minValue) { SetValue(m_minValue); return false; }
        if (value > m_maxValue) { SetValue(m_maxValue); return false; }
        return true;
    }

private:
    T m_minValue = 0;
    T m_maxValue = 0;
};
