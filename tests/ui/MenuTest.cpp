#include <gtest/gtest.h>

#include "tests/ui/DibSurface.h"
#include "ui/Menu.h"

namespace {

TEST(MenuRegistry, LookupIsExactAndFirstOfDuplicateNamesWins) {
    CMenu* first = CreateNamedMenu(L"strip");
    CMenu* second = CreateNamedMenu(L"strip");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->Handle(), nullptr);
    EXPECT_TRUE(first->Popup());
    EXPECT_EQ(FindNamedMenu(L"strip"), first);
    EXPECT_EQ(FindNamedMenu(L"Strip"), nullptr) << "names compare case-sensitively";
    EXPECT_TRUE(RemoveNamedMenu(L"strip"));
    EXPECT_EQ(FindNamedMenu(L"strip"), second) << "removal takes the first one";
    EXPECT_TRUE(RemoveNamedMenu(L"strip"));
    EXPECT_FALSE(RemoveNamedMenu(L"strip"));
}

TEST(MenuRegistry, RemovedNameIsNotFoundEvenWhenItWasTheCachedOne) {
    CreateNamedMenu(L"tray");
    ASSERT_NE(FindNamedMenu(L"tray"), nullptr);
    ASSERT_TRUE(RemoveNamedMenu(L"tray"));
    EXPECT_EQ(FindNamedMenu(L"tray"), nullptr);
    CMenu* again = CreateNamedMenu(L"tray");
    EXPECT_EQ(FindNamedMenu(L"tray"), again);
    RemoveNamedMenu(L"tray");
}

TEST(MenuRegistry, FailedLookupNeverHidesAMenuCreatedLater) {
    EXPECT_EQ(FindNamedMenu(L"late"), nullptr);
    CMenu* late = CreateNamedMenu(L"late");
    EXPECT_EQ(FindNamedMenu(L"late"), late);
    RemoveNamedMenu(L"late");
}

TEST(MenuRegistry, LongNamesAreFoundWithoutBeingConfused) {
    const std::wstring base(200, L'm');
    CMenu* a = CreateNamedMenu((base + L"a").c_str());
    CMenu* b = CreateNamedMenu((base + L"b").c_str());
    EXPECT_EQ(FindNamedMenu((base + L"a").c_str()), a);
    EXPECT_EQ(FindNamedMenu((base + L"b").c_str()), b);
    RemoveNamedMenu((base + L"a").c_str());
    RemoveNamedMenu((base + L"b").c_str());
}

class MenuItems : public ::testing::Test {
protected:
    void SetUp() override {
        menu = CreateNamedMenu(L"items");
        picture.Create(48, 48);
        picture.Fill(0xFFFF0000);   // opaque red
    }
    void TearDown() override { RemoveNamedMenu(L"items"); }

    MEASUREITEMSTRUCT Measure(CMenuItem* item, UINT proposed = 15) {
        MEASUREITEMSTRUCT m{};
        m.CtlType = ODT_MENU;
        m.itemHeight = proposed;
        m.itemData = reinterpret_cast<ULONG_PTR>(item);
        EXPECT_TRUE(MeasureMenuItem(&m));
        return m;
    }

    CMenu* menu = nullptr;
    CBmp picture;
};

TEST_F(MenuItems, RealiseInsertsItemsInOrderWithThemselvesAsDataAndDeleteTakesThemOut) {
    CMenuItem* show = menu->AddItem(L"Show", 10, 0, MF_OWNERDRAW, false, &picture);
    CMenuItem* exit = menu->AddItem(L"Exit", 11, 1, MF_OWNERDRAW, true, 0u, RGB(200, 0, 0));
    ASSERT_TRUE(menu->Realise());
    ASSERT_EQ(GetMenuItemCount(menu->Handle()), 2);
    EXPECT_EQ(GetMenuItemID(menu->Handle(), 0), 10u);
    EXPECT_EQ(GetMenuItemID(menu->Handle(), 1), 11u);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu->Handle(), 1, TRUE, &info));
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(exit));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(show->Colour(), GetSysColor(COLOR_BTNFACE)) << "caller's image: button-face colour";
    menu->DeleteItems();
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 0);
}

TEST_F(MenuItems, A48PixelImageMakesTheItemAtLeast52High) {
    CMenuItem* item = menu->AddItem(L"Run slide show", 1, 0, MF_OWNERDRAW, false, &picture);
    CMenuItem* plain = menu->AddItem(L"Run slide show", 2, 1, MF_OWNERDRAW, false, nullptr);
    menu->Realise();
    const MEASUREITEMSTRUCT withImage = Measure(item);
    const MEASUREITEMSTRUCT without = Measure(plain);
    EXPECT_GE(withImage.itemHeight, 52u);
    EXPECT_EQ(withImage.itemWidth, without.itemWidth + 52);
    EXPECT_GT(without.itemWidth, 4u);
    if (menu->SystemItemHeight() != 0) {
        EXPECT_EQ(without.itemHeight, static_cast<UINT>(menu->SystemItemHeight()));
    }
    EXPECT_EQ(Measure(item, 80).itemHeight, 80u) << "a taller proposal stands";

    MEASUREITEMSTRUCT notMenu{};
    notMenu.CtlType = ODT_BUTTON;
    notMenu.itemData = reinterpret_cast<ULONG_PTR>(item);
    EXPECT_FALSE(MeasureMenuItem(&notMenu));
}

TEST_F(MenuItems, MissingBitmapResourceLeavesItemWithoutPicture) {
    CMenuItem* item = menu->AddItem(L"Hide", 3, 0, MF_OWNERDRAW, false, 31999u, RGB(0, 0, 0));
    EXPECT_EQ(item->Image(), nullptr);
    menu->Realise();
    EXPECT_GT(Measure(item).itemWidth, 4u);
}

DRAWITEMSTRUCT DrawData(CMenuItem* item, HDC dc, UINT state) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemState = state;
    d.hDC = dc;
    d.rcItem = RECT{0, 0, 200, 52};
    d.itemData = reinterpret_cast<ULONG_PTR>(item);
    return d;
}

TEST_F(MenuItems, ColouredItemFillsWithItsColourBrightenedWhenSelected) {
    const COLORREF colour = RGB(150, 40, 20);
    CMenuItem* item = menu->AddItem(L"Exit", 4, 0, MF_OWNERDRAW, true, 0u, colour);
    CTestDib dib(200, 52);
    ASSERT_TRUE(dib.Valid());
    SetTextColor(dib.Dc(), RGB(1, 2, 3));
    SetBkColor(dib.Dc(), RGB(4, 5, 6));
    const HGDIOBJ font = GetCurrentObject(dib.Dc(), OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(dib.Dc(), OBJ_BRUSH);

    DRAWITEMSTRUCT d = DrawData(item, dib.Dc(), 0);
    ASSERT_TRUE(DrawMenuItem(&d));
    EXPECT_EQ(dib.Pixel(198, 2), DibColour(colour));
    d.itemState = ODS_SELECTED;
    ASSERT_TRUE(DrawMenuItem(&d));
    EXPECT_EQ(dib.Pixel(198, 2), DibColour(RGB(182, 72, 52)));

    // The device context is left as it was found.
    EXPECT_EQ(GetTextColor(dib.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(dib.Dc()), RGB(4, 5, 6));
    EXPECT_EQ(GetCurrentObject(dib.Dc(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dib.Dc(), OBJ_BRUSH), brush);
}

TEST_F(MenuItems, PictureIsCentredInTheColumnAndSelectionLeavesTheColumnOut) {
    CMenuItem* item = menu->AddItem(L"Show", 5, 0, MF_OWNERDRAW, false, &picture);
    CTestDib dib(200, 52);
    dib.Fill(0x00FFFFFF);
    SetBkColor(dib.Dc(), RGB(255, 255, 255));
    DRAWITEMSTRUCT d = DrawData(item, dib.Dc(), ODS_SELECTED);
    ASSERT_TRUE(DrawMenuItem(&d));
    // 48 x 48 in a 52 x 52 column: x from 3, y from 2.
    EXPECT_EQ(dib.Pixel(3, 2), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(50, 49), 0xFF0000u);
    EXPECT_NE(dib.Pixel(52, 51), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(198, 2), DibColour(GetSysColor(COLOR_HIGHLIGHT)));
}

}  // namespace
