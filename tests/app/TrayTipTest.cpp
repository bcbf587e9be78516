// The tray tooltip and the version strings it is built from; the tray menu.

#include <gtest/gtest.h>

#include <utility>

#include "app/TrayMenu.h"
#include "ui/Shortcut.h"
#include "ui/TrayIcon.h"
#include "ui/VersionInfo.h"

namespace {

struct MenuEntry {
    UINT id;
    std::wstring text;
    bool ownerDrawn;
    const CMenuItem* item;
};

MenuEntry EntryAt(const CMenu& menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
    EXPECT_TRUE(GetMenuItemInfoW(menu.Handle(), position, TRUE, &info)) << position;
    const auto* item = reinterpret_cast<const CMenuItem*>(info.dwItemData);
    return {info.wID, item ? item->Text().Str() : L"", (info.fType & MFT_OWNERDRAW) != 0, item};
}

// Width and height of the entry's picture; 0, 0 without one.
std::pair<int, int> ImageSize(const MenuEntry& entry) {
    const CBmp* image = entry.item ? entry.item->Image() : nullptr;
    return image ? std::make_pair(image->Width(), image->Height()) : std::make_pair(0, 0);
}

TEST(TrayMenu, HiddenWindowAndIdleShow) {
    CTrayMenu tray(false, false);
    ASSERT_NE(nullptr, tray.Menu());
    const CMenu& menu = *tray.Menu();
    ASSERT_EQ(3, GetMenuItemCount(menu.Handle()));
    const MenuEntry window = EntryAt(menu, 0), show = EntryAt(menu, 1), exit = EntryAt(menu, 2);
    EXPECT_EQ(1050u, window.id);
    EXPECT_EQ(L"Show", window.text);
    EXPECT_EQ(std::make_pair(48, 48), ImageSize(window));
    EXPECT_EQ(1001u, show.id);
    EXPECT_EQ(L"Run slide show", show.text);
    EXPECT_EQ(std::make_pair(32, 32), ImageSize(show));
    // "Exit" is command 2, the Escape key's.
    EXPECT_EQ(2u, exit.id);
    EXPECT_EQ(L"Exit", exit.text);
    ASSERT_NE(nullptr, exit.item);
    EXPECT_TRUE(exit.item->Coloured());
    EXPECT_EQ(COLORREF(0xAA5533), exit.item->Colour());
    EXPECT_EQ(std::make_pair(24, 24), ImageSize(exit));
    for (const MenuEntry& e : {window, show, exit}) EXPECT_TRUE(e.ownerDrawn) << e.id;
}

TEST(TrayMenu, VisibleWindowAndRunningShow) {
    CTrayMenu shown(true, true);
    CTrayMenu hidden(false, true);   // a second one while the first is up is refused
    EXPECT_EQ(nullptr, hidden.Menu());
    ASSERT_NE(nullptr, shown.Menu());
    ASSERT_EQ(5, GetMenuItemCount(shown.Menu()->Handle()));
    const MenuEntry window = EntryAt(*shown.Menu(), 0), next = EntryAt(*shown.Menu(), 1),
                    pause = EntryAt(*shown.Menu(), 2), show = EntryAt(*shown.Menu(), 3);
    EXPECT_EQ(L"Hide", window.text);
    // Only a running show has a next photo, right above its stop.
    EXPECT_EQ(CTrayMenu::kNextPhoto, next.id);
    EXPECT_EQ(L"Next photo", next.text);
    EXPECT_EQ(std::make_pair(32, 32), ImageSize(next));
    EXPECT_TRUE(next.ownerDrawn);
    EXPECT_EQ(1042u, show.id);
    EXPECT_EQ(L"Stop slide show", show.text);
    EXPECT_EQ(std::make_pair(32, 32), ImageSize(show));
    EXPECT_EQ(CTrayMenu::kPauseHour, pause.id);
    EXPECT_EQ(L"Pause for 1 hour", pause.text);
    EXPECT_TRUE(pause.ownerDrawn);
}

TEST(TrayMenu, PausedByHandTheSameItemResumes) {
    CTrayMenu paused(false, true, true);
    ASSERT_NE(nullptr, paused.Menu());
    const MenuEntry pause = EntryAt(*paused.Menu(), 2);
    EXPECT_EQ(CTrayMenu::kPauseHour, pause.id);
    EXPECT_EQ(L"Resume", pause.text);
}

TEST(TrayMenu, IsGoneOnceClosed) {
    { CTrayMenu tray(true, false); }
    EXPECT_EQ(nullptr, FindNamedMenu(L"TrayIcon"));
    CTrayMenu again(true, false);
    EXPECT_NE(nullptr, again.Menu());
}

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
