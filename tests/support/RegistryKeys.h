#pragma once
// What a test reads and writes under HKEY_CURRENT_USER with the plain
// registry calls, around what the program stores.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace hkcu {

struct RawValue {
    bool found = false;
    DWORD type = 0;
    std::vector<BYTE> bytes;
    // The bytes as text, with the terminator if one is stored.
    std::wstring Text() const {
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    }
};

inline RawValue Read(const std::wstring& key, const std::wstring& name) {
    RawValue raw;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return raw;
    DWORD size = 0;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &raw.type, nullptr, &size) == ERROR_SUCCESS) {
        raw.bytes.resize(size);
        raw.found = RegQueryValueExW(handle, name.c_str(), nullptr, &raw.type, raw.bytes.data(), &size) ==
                    ERROR_SUCCESS;
        raw.bytes.resize(size);
    }
    RegCloseKey(handle);
    return raw;
}

// A string value up to its first terminator; false when there is none.
inline bool ReadText(const std::wstring& key, const std::wstring& name, std::wstring& out) {
    const RawValue raw = Read(key, name);
    if (!raw.found || (raw.type != REG_SZ && raw.type != REG_EXPAND_SZ)) return false;
    const std::wstring text = raw.Text();
    out = text.substr(0, text.find(L'\0'));
    return true;
}

// Creates the key as needed.
inline bool Write(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExW(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
                    ERROR_SUCCESS;
    RegCloseKey(handle);
    return ok;
}

inline bool WriteText(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    return Write(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

inline bool KeyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// Sorted names of the sub-keys, or of the values, of a key.
inline std::vector<std::wstring> Names(const std::wstring& key, bool subKeys) {
    std::vector<std::wstring> names;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return names;
    wchar_t name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD length = 1024;
        const LONG result = subKeys ? RegEnumKeyExW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                                    : RegEnumValueW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(handle);
    std::sort(names.begin(), names.end());
    return names;
}
inline std::vector<std::wstring> SubKeys(const std::wstring& key) { return Names(key, true); }
inline std::vector<std::wstring> ValueNames(const std::wstring& key) { return Names(key, false); }

// Every key and value under `key`, as "key" and "key=name=type:text" lines, keys
// in the letter case they are stored with: two snapshots are equal when
// nothing was written, created or deleted in between. Empty without the key.
inline std::vector<std::wstring> Snapshot(const std::wstring& key) {
    std::vector<std::wstring> lines;
    if (!KeyExists(key)) return lines;
    std::function<void(const std::wstring&)> walk = [&](const std::wstring& path) {
        lines.push_back(path);
        for (const std::wstring& name : ValueNames(path)) {
            const RawValue raw = Read(path, name);
            lines.push_back(path + L"=" + name + L"=" + std::to_wstring(raw.type) + L":" + raw.Text());
        }
        for (const std::wstring& sub : SubKeys(path)) walk(path + L"\\" + sub);
    };
    walk(key);
    return lines;
}

}  // namespace hkcu
