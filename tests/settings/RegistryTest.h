#pragma once
// Registry tests start from a deleted HKCU\Software\Arvendal tree and read
// back what the store wrote with the plain registry calls.

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal"); }
    void TearDown() override { SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal"); }

    struct RawValue {
        bool found = false;
        DWORD type = 0;
        std::vector<BYTE> bytes;
        std::wstring Text() const {
            return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
        }
    };

    static RawValue ReadRaw(const wchar_t* path, const wchar_t* name) {
        RawValue raw;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return raw;
        DWORD size = 0;
        if (RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &size) == ERROR_SUCCESS) {
            raw.bytes.resize(size);
            raw.found = RegQueryValueExW(key, name, nullptr, &raw.type, raw.bytes.data(), &size) == ERROR_SUCCESS;
        }
        RegCloseKey(key);
        return raw;
    }

    static void WriteRaw(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr,
                                                 &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }

    static bool KeyPresent(const wchar_t* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
};
