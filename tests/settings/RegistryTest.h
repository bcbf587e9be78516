#pragma once
// Registry tests start from a deleted HKCU\Software\Arvendal tree and read
// back what the store wrote with the plain registry calls.

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "settings/RegStore.h"
#include "tests/support/RegistryKeys.h"

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal"); }
    void TearDown() override {
        CRegStore::FailNthWrite(0, 0);
        SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal");
    }

    using RawValue = hkcu::RawValue;

    static RawValue ReadRaw(const wchar_t* path, const wchar_t* name) { return hkcu::Read(path, name); }
    static void WriteRaw(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_TRUE(hkcu::Write(path, name, type, data, size)) << "could not write the value";
    }
    static bool KeyPresent(const wchar_t* path) { return hkcu::KeyExists(path); }
};
