#include <gtest/gtest.h>

#include <functional>

#include "tests/support/BoxWatch.h"
#include "tests/ui/TestWnd.h"
#include "tests/ui/ui_test_ids.h"
#include "ui/Dialog.h"
#include "ui/DialogSize.h"
#include "ui/ResString.h"
#include "ui/StatusDlg.h"

namespace {

// Runs `onInit` when the dialog starts, then presses `button`.
class CPressDlg : public CDialog {
public:
    explicit CPressDlg(WPARAM button) : m_button(button) {}
    INT_PTR OnInitDialog() override {
        if (onInit) onInit(*this);
        PostMessageW(Hwnd(), WM_COMMAND, m_button, 0);
        return CDialog::OnInitDialog();
    }
    std::function<void(CPressDlg&)> onInit;

private:
    WPARAM m_button;
};

class DialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterWindowClassOf<CTestWnd>()); }

    CBoxWatch boxes;   // a modal dialog that does not end fails instead of hanging
};

TEST_F(DialogTest, OkAndCancelEndModalDialogWithOneAndTwo) {
    CPressDlg ok(IDOK), cancel(IDCANCEL);
    EXPECT_EQ(ok.ShowModal(nullptr, MAKEINTRESOURCEW(IDD_FACTORY), nullptr), 1);
    EXPECT_EQ(cancel.ShowModal(nullptr, MAKEINTRESOURCEW(IDD_FACTORY), nullptr), 2);
    EXPECT_EQ(ok.Hwnd(), nullptr);
    EXPECT_FALSE(ok.IsModal());
}

TEST_F(DialogTest, DerivedOkDecidesTheResult) {
    class COwnOk : public CPressDlg {
    public:
        COwnOk() : CPressDlg(IDOK) {}
        void OnOK() override { End(7); }
    } dlg;
    EXPECT_EQ(dlg.ShowModal(nullptr, MAKEINTRESOURCEW(IDD_FACTORY), nullptr), 7);
    EXPECT_EQ(dlg.ShowModal(nullptr, nullptr, nullptr), 7) << "an empty template runs too";
}

TEST_F(DialogTest, TemplateControlOfProgramClassBecomesObjectOwnedByItsWindow) {
    const int before = CTestWnd::live;
    CPressDlg dlg(IDOK);
    CWnd* control = nullptr;
    bool byFactory = false;
    dlg.onInit = [&](CPressDlg& d) {
        EXPECT_EQ(CDialog::FromHandle(d.Hwnd()), &d);
        control = CWnd::FromHandle(d.Item(IDC_TESTWND));
        byFactory = control && control->MadeByFactory();
        EXPECT_EQ(CTestWnd::live, before + 1);
    };
    dlg.ShowModal(nullptr, MAKEINTRESOURCEW(IDD_FACTORY), nullptr);
    EXPECT_NE(control, nullptr);
    EXPECT_TRUE(byFactory);
    EXPECT_EQ(CTestWnd::live, before);
}

TEST_F(DialogTest, ModelessWithoutTemplateIsAChildOwnedByTheObject) {
    CTestWnd parent;
    ASSERT_TRUE(parent.Create(0, WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    auto* dlg = new CDialog;
    const HWND hwnd = dlg->ShowModeless(nullptr, nullptr, parent.Hwnd());
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(dlg->Hwnd(), hwnd);
    EXPECT_EQ(CDialog::FromHandle(hwnd), dlg);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(dlg->IsModal());
    // Cancel on a modeless dialog destroys it.
    SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(dlg->Hwnd(), nullptr);

    const HWND second = dlg->ShowModeless(nullptr, nullptr, parent.Hwnd());
    delete dlg;
    EXPECT_FALSE(IsWindow(second));
}

TEST_F(DialogTest, ExceptionInDialogHandlerDoesNotUnwindThroughUser32) {
    class CThrowing : public CDialog {
    public:
        INT_PTR OnCommand(WPARAM, LPARAM) override { throw std::bad_alloc(); }
    } dlg;
    CTestWnd parent;
    ASSERT_TRUE(parent.Create(0, WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    const HWND hwnd = dlg.ShowModeless(nullptr, nullptr, parent.Hwnd());
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_COMMAND, IDOK, 0), 0);
    EXPECT_TRUE(IsWindow(hwnd));
}

class CSizedDlg : public CDialogSize {
public:
    INT_PTR OnInitDialog() override {
        const INT_PTR result = CDialogSize::OnInitDialog();
        for (int id : {IDC_RIGHT_TOP, IDC_SPANNING, IDC_UPPER_LEFT, IDC_LOWER_RIGHT})
            Sizer()->AddControl(id, 0);
        if (onInit) onInit(*this);
        return result;
    }
    std::function<void(CSizedDlg&)> onInit;
};

RECT ChildRect(HWND dialog, int id) {
    RECT rc;
    GetWindowRect(GetDlgItem(dialog, id), &rc);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

TEST_F(DialogTest, ResizableDialogAnchorsControlsByWhereTheyLie) {
    CSizedDlg dlg;
    ASSERT_NE(dlg.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_SIZED), nullptr), nullptr);
    CSizer* sizer = dlg.Sizer();
    ASSERT_NE(sizer, nullptr);
    EXPECT_EQ(sizer->FlagsOf(dlg.Item(IDC_RIGHT_TOP)), CSizer::kRight | CSizer::kMoveX);
    EXPECT_EQ(sizer->FlagsOf(dlg.Item(IDC_SPANNING)), CSizer::kRight | CSizer::kBottom);
    EXPECT_EQ(sizer->FlagsOf(dlg.Item(IDC_UPPER_LEFT)), CSizer::kNone);
    EXPECT_EQ(sizer->FlagsOf(dlg.Item(IDC_LOWER_RIGHT)), 15u);
    EXPECT_FALSE(sizer->AddControl(IDC_SPANNING, 0)) << "added once only";

    const HWND h = dlg.Hwnd();
    const RECT rightTop = ChildRect(h, IDC_RIGHT_TOP), spanning = ChildRect(h, IDC_SPANNING),
               upperLeft = ChildRect(h, IDC_UPPER_LEFT), lowerRight = ChildRect(h, IDC_LOWER_RIGHT);
    RECT window;
    GetWindowRect(h, &window);
    SetWindowPos(h, nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top + 60, SWP_NOMOVE | SWP_NOZORDER);

    RECT now = ChildRect(h, IDC_RIGHT_TOP);
    EXPECT_EQ(now.left, rightTop.left + 100);
    EXPECT_EQ(now.right - now.left, rightTop.right - rightTop.left);
    EXPECT_EQ(now.top, rightTop.top);
    now = ChildRect(h, IDC_SPANNING);
    EXPECT_EQ(now.left, spanning.left);
    EXPECT_EQ(now.right, spanning.right + 100);
    EXPECT_EQ(now.bottom, spanning.bottom + 60);
    now = ChildRect(h, IDC_UPPER_LEFT);
    EXPECT_TRUE(EqualRect(&now, &upperLeft));
    now = ChildRect(h, IDC_LOWER_RIGHT);
    EXPECT_EQ(now.left, lowerRight.left + 100);
    EXPECT_EQ(now.top, lowerRight.top + 60);
    EXPECT_EQ(now.bottom - now.top, lowerRight.bottom - lowerRight.top);

    GetWindowRect(h, &window);
    DestroyWindow(h);
    const RECT& closed = dlg.ClosedRect();
    EXPECT_EQ(closed.left, window.left);
    EXPECT_EQ(closed.right, window.right - window.left) << "kept as left, top, width, height";
    EXPECT_EQ(dlg.Sizer(), nullptr);
}

TEST(Sizer, LimitsHoldTheDraggedSideAndZeroMeansNoLimit) {
    CSizer sizer(nullptr);
    sizer.SetLimits(300, 0, 200, 0);
    RECT narrow{100, 100, 250, 250};
    sizer.Sizing(WMSZ_LEFT, &narrow);
    EXPECT_EQ(narrow.left, -50);
    EXPECT_EQ(narrow.right, 250);
    RECT low{100, 100, 500, 150};
    sizer.Sizing(WMSZ_BOTTOMRIGHT, &low);
    EXPECT_EQ(low.bottom, 300);
    EXPECT_EQ(low.right, 500);
    RECT huge{0, 0, 5000, 4000};
    sizer.Sizing(WMSZ_RIGHT, &huge);
    EXPECT_EQ(huge.right, 5000);

    sizer.SetLimits(300, 250, 0, 0);   // maximum below minimum lowers the minimum
    RECT wide{0, 0, 400, 100};
    sizer.Sizing(WMSZ_TOPRIGHT, &wide);
    EXPECT_EQ(wide.right, 250);
    RECT slim{0, 0, 240, 100};
    sizer.Sizing(WMSZ_RIGHT, &slim);
    EXPECT_EQ(slim.right, 250);
}

class CStatusSized : public CStatusDlg<CSizedDlg> {
public:
    int StatusBarId() const override { return 500; }
};

TEST_F(DialogTest, StatusBarSitsAtTheBottomAndFollowsResizing) {
    CStatusSized dlg;
    HWND barAtInit = nullptr;
    dlg.onInit = [&](CSizedDlg& d) { barAtInit = d.Item(500); };
    ASSERT_NE(dlg.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_SIZED), nullptr), nullptr);
    const HWND h = dlg.Hwnd();
    ASSERT_NE(dlg.StatusBar(), nullptr);
    EXPECT_EQ(barAtInit, dlg.StatusBar()) << "the derived init can already write to it";
    RECT client, bar;
    GetClientRect(h, &client);
    bar = ChildRect(h, 500);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.right, client.right);
    const RECT lowerRight = ChildRect(h, IDC_LOWER_RIGHT);
    EXPECT_LE(lowerRight.bottom, bar.top) << "controls reaching under the bar end at it";

    RECT window;
    GetWindowRect(h, &window);
    SetWindowPos(h, nullptr, 0, 0, window.right - window.left + 80,
                 window.bottom - window.top + 40, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(h, &client);
    bar = ChildRect(h, 500);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.right, client.right);
    dlg.SetStatusText(L"ready");
    wchar_t text[16] = L"";
    SendMessageW(dlg.StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"ready");
}

TEST(ResString, LoadsTextsIntoA1023CharacterBuffer) {
    EXPECT_STREQ(LoadResString(nullptr, IDS_HELLO).c_str(), L"Hello");
    EXPECT_STREQ(LoadResString(nullptr, kCaptionConfirmation).c_str(), L"Confirmation");
    const tstr missing = LoadResString(nullptr, 4321);
    EXPECT_FALSE(missing.IsNull());
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_EQ(LoadResString(nullptr, IDS_LONG).Length(), 1022u);
}

}  // namespace
