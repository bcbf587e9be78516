#pragma once
// The program's owning wide string. Unlike std::wstring it has a null state,
// distinct from the empty string: the settings store deletes a value when it
// is asked to write a null string.

#include <climits>
#include <cstddef>
#include <string>

class tstr {
public:
    tstr() = default;                      // null
    tstr(const wchar_t* text) { Assign(text); }
    tstr(const wchar_t* text, size_t length) : m_text(text, length), m_null(false) {}
    tstr(const std::wstring& text) : m_text(text), m_null(false) {}

    static tstr Null() { return tstr(); }
    static tstr FromInt(long value) { return tstr(std::to_wstring(value)); }

    tstr& operator=(const wchar_t* text) { Assign(text); return *this; }

    // A null pointer makes the string null.
    void Assign(const wchar_t* text) {
        m_null = text == nullptr;
        m_text = text ? text : L"";
    }

    tstr& Append(const tstr& other) {
        m_text += other.m_text;
        m_null = m_null && other.m_null;
        return *this;
    }
    tstr& operator+=(const tstr& other) { return Append(other); }
    tstr& operator+=(const wchar_t* text) { return Append(tstr(text)); }
    tstr& operator+=(wchar_t c) { m_text += c; m_null = false; return *this; }
    friend tstr operator+(tstr left, const tstr& right) { return left.Append(right); }
    friend tstr operator+(tstr left, const wchar_t* right) { return left.Append(tstr(right)); }

    bool IsNull() const { return m_null; }
    bool IsEmpty() const { return m_text.empty(); }     // true for null too
    size_t Length() const { return m_text.size(); }
    const wchar_t* c_str() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }
    wchar_t operator[](size_t i) const { return m_text[i]; }
    wchar_t Last() const { return m_text.empty() ? L'\0' : m_text.back(); }

    // Exact, case-sensitive; a null string equals nothing, not even another null.
    bool Equals(const tstr& other) const {
        return !m_null && !other.m_null && m_text == other.m_text;
    }
    bool operator==(const tstr& other) const { return Equals(other); }
    bool operator!=(const tstr& other) const { return !Equals(other); }

    // Decimal parse: leading blanks and a sign accepted, stops at the first
    // non-digit, 0 without digits, saturates at the 32-bit signed limits.
    long ToInt() const { return ParseInt(m_text.c_str()); }

    static long ParseInt(const wchar_t* text) {
        if (!text) return 0;
        while (*text == L' ' || *text == L'\t' || *text == L'\n' || *text == L'\r' ||
               *text == L'\v' || *text == L'\f')
            ++text;
        bool negative = false;
        if (*text == L'+' || *text == L'-') negative = *text++ == L'-';
        long long value = 0;
        for (; *text >= L'0' && *text <= L'9'; ++text) {
            value = value * 10 + (*text - L'0');
            if (value > 2147483648LL) value = 2147483648LL;
        }
        if (negative) value = -value;
        if (value > INT_MAX) value = INT_MAX;
        if (value < INT_MIN) value = INT_MIN;
        return static_cast<long>(value);
    }

    // Replaces every occurrence of `from` (left to right, not re-scanning the
    // replacement); returns how many were replaced.
    int ReplaceAll(const tstr& from, const tstr& to) {
        if (from.m_text.empty()) return 0;
        int count = 0;
        for (size_t pos = m_text.find(from.m_text); pos != std::wstring::npos;
             pos = m_text.find(from.m_text, pos + to.m_text.size())) {
            m_text.replace(pos, from.m_text.size(), to.m_text);
            ++count;
        }
        return count;
    }

private:
    std::wstring m_text;
    bool m_null = true;
};
