#pragma once
// The photos hidden from one album: kept out of its photo list, including
// the listings of a folder it follows, until they are shown again. Stored as
// the album setting "HiddenPhotos", the paths joined by "|" (a character no
// path holds); an album that hides nothing stores nothing.

#include <set>
#include <string>
#include <vector>

#include "settings/Param.h"

class CHiddenPhotos {
public:
    CHiddenPhotos();

    // The stored value, which the album keeps with its other settings.
    CParam<tstr>& Setting() { return m_setting; }
    const CParam<tstr>& Setting() const { return m_setting; }

    // Paths compare ignoring case, as the file system does.
    bool Contains(const tstr& path) const;
    void Hide(const tstr& path);
    // False when it was not hidden.
    bool Unhide(const tstr& path);
    std::vector<tstr> Paths() const;

    static const wchar_t kValueName[];   // "HiddenPhotos"

private:
    // The keys of the stored text, made again when the text changed.
    const std::set<std::wstring>& Keys() const;

    CParam<tstr> m_setting;
    mutable std::wstring m_keysOf;
    mutable std::set<std::wstring> m_keys;
};
