#include <gtest/gtest.h>

#include "tests/ui/TestWnd.h"

namespace {

class WndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterWindowClassOf<CTestWnd>()); }
};

bool CreatePopup(CWnd& wnd) {
    return wnd.Create(0, WS_POPUP, 0, 0, 100, 50, nullptr, nullptr);
}

TEST_F(WndTest, CreatedWindowRoutesMessagesToHandlers) {
    CTestWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_EQ(CWnd::FromHandle(wnd.Hwnd()), &wnd);
    EXPECT_EQ(wnd.creates, 1);
    EXPECT_FALSE(wnd.MadeByFactory());
    EXPECT_EQ(SendMessageW(wnd.Hwnd(), WM_COMMAND, 7, 0), 42);
    EXPECT_EQ(wnd.lastCommand, 7u);
    // Coordinates are the signed words of lparam.
    SendMessageW(wnd.Hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(-5, -7));
    EXPECT_EQ(wnd.lastX, -5);
    EXPECT_EQ(wnd.lastY, -7);
    EXPECT_FALSE(CreatePopup(wnd)) << "a second window for one object";
}

TEST_F(WndTest, WindowDestroyedElsewhereUnbindsAndObjectCanCreateAgain) {
    CTestWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    const HWND first = wnd.Hwnd();
    DestroyWindow(first);
    EXPECT_EQ(wnd.destroys, 1);
    EXPECT_EQ(wnd.Hwnd(), nullptr) << "a dead handle may belong to another window later";
    EXPECT_FALSE(wnd.Exists());
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_EQ(SendMessageW(wnd.Hwnd(), WM_COMMAND, 8, 0), 42);
    wnd.Destroy();
    EXPECT_EQ(wnd.destroys, 2);
    EXPECT_EQ(wnd.Hwnd(), nullptr);
}

TEST_F(WndTest, DeletingObjectDestroysItsWindow) {
    auto* wnd = new CTestWnd;
    ASSERT_TRUE(CreatePopup(*wnd));
    const HWND hwnd = wnd->Hwnd();
    delete wnd;
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WndTest, FactoryMakesObjectForWindowCreatedElsewhereAndDeletesItWithWindow) {
    const int before = CTestWnd::live;
    int foreignData = 0;   // creation data that is not an object
    const HWND hwnd = CreateWindowExW(0, L"DX_TestWnd", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, ProgramModule(), &foreignData);
    ASSERT_NE(hwnd, nullptr);
    auto* wnd = static_cast<CTestWnd*>(CWnd::FromHandle(hwnd));
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(wnd->MadeByFactory());
    EXPECT_EQ(wnd->Hwnd(), hwnd);
    EXPECT_EQ(CTestWnd::live, before + 1);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, 3, 0), 42);
    DestroyWindow(hwnd);
    EXPECT_EQ(CTestWnd::live, before);
}

TEST_F(WndTest, ExceptionInHandlerDoesNotUnwindThroughUser32) {
    CTestWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_EQ(SendMessageW(wnd.Hwnd(), WM_COMMAND, CTestWnd::kThrowingCommand, 0), 0);
    EXPECT_TRUE(wnd.Exists());
    EXPECT_EQ(SendMessageW(wnd.Hwnd(), WM_COMMAND, 5, 0), 42);
}

TEST_F(WndTest, ModalOwnerBlocksInputUntilItIsClosed) {
    CTestWnd owner, wnd;
    ASSERT_TRUE(CreatePopup(owner));
    ASSERT_TRUE(CreatePopup(wnd));
    wnd.SetModalOwner(owner.Hwnd());
    SendMessageW(wnd.Hwnd(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(wnd.keys, 0);
    EXPECT_EQ(SendMessageW(wnd.Hwnd(), WM_COMMAND, 4, 0), 42) << "only input is refused";
    owner.Destroy();
    SendMessageW(wnd.Hwnd(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(wnd.keys, 1);
    EXPECT_EQ(wnd.ModalOwner(), nullptr);
}

TEST_F(WndTest, ModalLoopEndsWhenWindowIsGone) {
    CTestWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    PostMessageW(wnd.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(wnd.RunModalLoop(), 1);
    EXPECT_FALSE(wnd.Exists());
}

CWnd* MakeNothing(HWND) { return nullptr; }
CWnd* MakeOther(HWND) { return reinterpret_cast<CWnd*>(1); }
void DeleteNothing(CWnd*) {}

TEST(ClassFactory, NewestRegistrationOfANameWins) {
    RegisterClassFactory(L"DX_Twice", &MakeNothing, &DeleteNothing);
    RegisterClassFactory(L"DX_Twice", &MakeOther, &DeleteNothing);
    WndFactoryCreate create = nullptr;
    WndFactoryDestroy destroy = nullptr;
    ASSERT_TRUE(FindClassFactory(L"DX_Twice", &create, &destroy));
    EXPECT_EQ(create, &MakeOther);
    EXPECT_FALSE(FindClassFactory(L"dx_twice", &create, &destroy)) << "names compare exactly";
}

}  // namespace
