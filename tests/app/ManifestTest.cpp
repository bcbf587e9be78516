// What the loader reads from the program's manifest: per-monitor DPI
// awareness (v2, with the older per-monitor form for systems before it), so
// that photos are never stretched by the system, and the version 6 controls.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LumoraProcess.h"

namespace {

class Manifest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = lumora_test::LumoraExePath();
        ACTCTXW request{};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = exe.c_str();
        request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        context = CreateActCtxW(&request);
        ASSERT_NE(INVALID_HANDLE_VALUE, context) << "no manifest the loader accepts, error " << GetLastError();
    }
    void TearDown() override {
        if (context != INVALID_HANDLE_VALUE) ReleaseActCtx(context);
    }

    std::wstring Setting(const wchar_t* space, const wchar_t* name) const {
        wchar_t value[128] = L"";
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context, space, name, value, 128, &written)) return L"(none)";
        return value;
    }

    std::wstring exe;
    HANDLE context = INVALID_HANDLE_VALUE;
};

TEST_F(Manifest, DeclaresPerMonitorDpiAwareness) {
    EXPECT_EQ(L"PerMonitorV2, PerMonitor",
              Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"));
    EXPECT_EQ(L"true/pm", Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"));
}

TEST_F(Manifest, BringsTheVersion6CommonControls) {
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof(data);
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                         &data));
    DeactivateActCtx(0, cookie);
}

}  // namespace
