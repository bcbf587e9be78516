#pragma once
// Conversions shared by the settings and their bindings: numbers travel as
// "%d" text (an unsigned long by its 32 bits), text back through decimal
// parsing; a bool is written 0 or 1 and read as "not 0".

#include "settings/Tstr.h"

namespace ParamText {

inline void Parse(const tstr& text, bool& out) { out = text.ToInt() != 0; }
inline void Parse(const tstr& text, int& out) { out = static_cast<int>(text.ToInt()); }
inline void Parse(const tstr& text, unsigned long& out) {
    out = static_cast<unsigned long>(static_cast<unsigned int>(text.ToInt()));
}
inline void Parse(const tstr& text, tstr& out) { out = text; }

template <class T>
T FromText(const tstr& text) {
    T value{};
    Parse(text, value);
    return value;
}

inline tstr Format(bool value) { return tstr(value ? L"1" : L"0"); }
inline tstr Format(int value) { return tstr::FromInt(value); }
inline tstr Format(unsigned long value) {
    return tstr::FromInt(static_cast<int>(static_cast<unsigned int>(value)));
}
inline tstr Format(const tstr& value) { return value; }

// The 32-bit number a control shows or reports for a value.
inline long ToNumber(bool value) { return value ? 1 : 0; }
inline long ToNumber(int value) { return value; }
inline long ToNumber(unsigned long value) { return static_cast<int>(static_cast<unsigned int>(value)); }
inline long ToNumber(const tstr& value) { return value.ToInt(); }

// A number read from a control, as a value of the setting's type.
template <class T>
T FromNumber(long number) {
    return FromText<T>(tstr::FromInt(number));
}
template <> inline bool FromNumber<bool>(long number) { return number != 0; }
template <> inline int FromNumber<int>(long number) { return static_cast<int>(number); }
template <> inline unsigned long FromNumber<unsigned long>(long number) {
    return static_cast<unsigned long>(static_cast<unsigned int>(number));
}

// Equality as SetValue sees it: a null text equals nothing.
template <class T>
bool Same(const T& a, const T& b) { return a == b; }
inline bool Same(const tstr& a, const tstr& b) { return a.Equals(b); }

// Order used by stepping: signed for int, unsigned for unsigned long, false <
// true; texts in code-unit order.
template <class T>
bool Less(const T& a, const T& b) { return a < b; }
inline bool Less(const tstr& a, const tstr& b) { return a.Str() < b.Str(); }

// Initial value: 0, false, or the text "0".
template <class T>
T Zero() { return T{}; }
template <> inline tstr Zero<tstr>() { return tstr(L"0"); }

// Ends an AddSteps list: -1 converted to the type.
template <class T>
T StepEnd() { return FromNumber<T>(-1); }
template <> inline bool StepEnd<bool>() { return true; }

}  // namespace ParamText
