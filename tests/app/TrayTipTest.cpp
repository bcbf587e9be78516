// The tray tooltip and the version strings it is built from.

#include <gtest/gtest.h>

#include "app/Shortcut.h"
#include "app/TrayIcon.h"
#include "app/VersionInfo.h"

namespace {

TEST(TrayTip, IsTheTitleAndTheFileVersion) {
    EXPECT_EQ(std::wstring(L"Lumora Photo Frame\n1.2.3.0 ver."),
              BuildTrayTip(nullptr, tstr(L"Lumora Photo Frame")).Str());
}

TEST(TrayTip, GivenTextOfSixtyCharactersIsKept) {
    const std::wstring sixty(60, L'x');
    EXPECT_EQ(sixty, BuildTrayTip(sixty.c_str(), tstr(L"t")).Str());
}

TEST(TrayTip, LongerTextIsCutToSixtyAndDots) {
    const std::wstring sixtyOne(61, L'x');
    EXPECT_EQ(std::wstring(60, L'x') + L"...", BuildTrayTip(sixtyOne.c_str(), tstr(L"t")).Str());
}

TEST(VersionInfo, ReadsTheProgramsOwnVersions) {
    const tstr self = ModulePath(nullptr);
    EXPECT_EQ(std::wstring(L"1.2.3.0"), ReadVersionString(self, kVersionFileVersion).Str());
    EXPECT_EQ(std::wstring(L"1.2.3.0"), ReadVersionString(self, kVersionProductVersion).Str());
    EXPECT_EQ(std::wstring(L"Arvendal"), ReadVersionString(self, kVersionCompanyName).Str());
}

TEST(VersionInfo, EmptyWithoutAVersionResourceOrForABadIndex) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_TRUE(ReadVersionString(tstr(windows) + L"\\win.ini", kVersionFileVersion).IsEmpty());
    EXPECT_TRUE(ReadVersionString(tstr(L"C:\\no\\such\\file.exe"), kVersionFileVersion).IsEmpty());
    EXPECT_TRUE(ReadVersionString(ModulePath(nullptr), 8).IsEmpty());
    EXPECT_TRUE(ReadVersionString(ModulePath(nullptr), -1).IsEmpty());
}

}  // namespace
