// Bindings driven through real controls of a real dialog: the dialog is a
// CDialogParam whose controls are created when it is initialised, before the
// bindings are made, as a template would have created them.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "settings/Edges.h"
#include "settings/ParamDlg.h"
#include "ui/DialogParam.h"

namespace {

using CRanged = CEdges<CParam<unsigned long>, unsigned long>;

enum : int {
    kEdit = 101, kSpin, kTrack, kCheck, kComboData, kComboText,
    kRadio1, kRadio2, kRadio3, kOther,
};

class TestDialog : public CDialogParam {
public:
    std::function<void(TestDialog&)> bind;

    INT_PTR OnInitDialog() override {
        MoveWindow(m_hwnd, 0, 0, 480, 360, FALSE);
        CreateControls();
        if (bind) bind(*this);
        return CDialogParam::OnInitDialog();
    }

private:
    void Control(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    }
    void CreateControls() {
        Control(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kEdit, 10, 10, 100, 22);
        Control(UPDOWN_CLASSW, L"", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, kSpin, 0,
                0, 0, 0);
        SendMessageW(Item(kSpin), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kEdit)), 0);
        Control(TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ, kTrack, 130, 10, 200, 30);
        Control(L"BUTTON", L"Fullscreen", WS_TABSTOP | BS_AUTO3STATE, kCheck, 10, 50, 120, 20);
        Control(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kComboData, 10, 80, 120, 120);
        Control(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kComboText, 140, 80, 120, 120);
        Control(L"BUTTON", L"One", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, kRadio1, 10, 120, 80, 20);
        Control(L"BUTTON", L"Two", BS_AUTORADIOBUTTON, kRadio2, 10, 140, 80, 20);
        Control(L"BUTTON", L"Three", BS_AUTORADIOBUTTON, kRadio3, 10, 160, 80, 20);
        Control(L"BUTTON", L"Other", WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, kOther, 10, 190, 80, 24);
        Control(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 300, 300, 80, 24);
        Control(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 390, 300, 80, 24);
        const wchar_t* places[] = {L"Left", L"Centre", L"Right"};
        for (int i = 0; i < 3; ++i) {
            const LRESULT at = SendMessageW(Item(kComboData), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(places[i]));
            SendMessageW(Item(kComboData), CB_SETITEMDATA, at, 10 * i);   // 0, 10, 20
        }
        for (const wchar_t* minutes : {L"1", L"5", L"30"})
            SendMessageW(Item(kComboText), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(minutes));
    }
};

class BindingsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        // One top-level window for the suite: the dialogs are its children.
        host = CreateWindowExW(0, L"STATIC", L"bindings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(host); }
    void SetUp() override {
        ASSERT_TRUE(host);
        size.SetRange(100, 1000);
        size.SetValue(300);
    }
    void TearDown() override { delete dialog; }
    void Open(std::function<void(TestDialog&)> bind) {
        dialog = new TestDialog;
        dialog->bind = std::move(bind);
        ASSERT_TRUE(dialog->ShowModeless(nullptr, nullptr, host));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();
    }
    void BindTriple(TestDialog& d) {
        BindParam(&d, &size, kParamEdit, kEdit);
        BindParam(&d, &size, kParamUpDown, kSpin);
        BindParam(&d, &size, kParamTrackBar, kTrack);
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Hwnd(), id); }
    std::wstring Text(int id) const {
        wchar_t text[64] = {};
        GetWindowTextW(Item(id), text, 64);
        return text;
    }
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(Item(id), msg, wParam, lParam);
    }
    // What a control sends its dialog when the user changes it.
    void Command(int id, int code) const {
        SendMessageW(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void TrackNotify(int code) const {
        NMHDR header = {Item(kTrack), static_cast<UINT_PTR>(kTrack), static_cast<UINT>(code)};
        SendMessageW(dialog->Hwnd(), WM_NOTIFY, kTrack, reinterpret_cast<LPARAM>(&header));
    }
    int Checked(int id) const { return static_cast<int>(Send(id, BM_GETCHECK)); }

    static HWND host;
    TestDialog* dialog = nullptr;
    CRanged size;
};

HWND BindingsTest::host = nullptr;

// ---- edit, up-down and track bar on one ranged setting ---------------------

TEST_F(BindingsTest, TripleShowsValueAndRange) {
    Open([this](TestDialog& d) { BindTriple(d); });
    EXPECT_EQ(L"300", Text(kEdit));
    EXPECT_EQ(300, Send(kTrack, TBM_GETPOS));
    EXPECT_EQ(100, Send(kTrack, TBM_GETRANGEMIN));
    EXPECT_EQ(1000, Send(kTrack, TBM_GETRANGEMAX));
    int low = 0, high = 0;
    Send(kSpin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(100, low);
    EXPECT_EQ(1000, high);
}

TEST_F(BindingsTest, TypingPastTheMaximumSnapsBackEverywhere) {
    Open([this](TestDialog& d) { BindTriple(d); });
    SetFocus(Item(kEdit));
    Send(kEdit, EM_SETSEL, 0, -1);
    Send(kEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"2000"));
    EXPECT_EQ(1000u, size.GetValue());
    EXPECT_EQ(L"1000", Text(kEdit));
    EXPECT_EQ(1000, Send(kTrack, TBM_GETPOS));
    EXPECT_EQ(1000, Send(kSpin, UDM_GETPOS32));
    // Again, now that 1000 is already the value: the text still snaps back.
    Send(kEdit, EM_SETSEL, 0, -1);
    Send(kEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"2000"));
    EXPECT_EQ(L"1000", Text(kEdit));
    EXPECT_EQ(1000u, size.GetValue());
}

TEST_F(BindingsTest, SpinArrowAndTrackBarFeedTheSetting) {
    Open([this](TestDialog& d) { BindTriple(d); });
    Send(kSpin, UDM_SETPOS32, 0, 500);   // the arrow writes the edit box, the edit box the setting
    EXPECT_EQ(500u, size.GetValue());
    EXPECT_EQ(500, Send(kTrack, TBM_GETPOS));

    SetFocus(Item(kTrack));
    ASSERT_EQ(Item(kTrack), GetFocus());
    Send(kTrack, TBM_SETPOS, TRUE, 700);
    TrackNotify(NM_RELEASEDCAPTURE);
    EXPECT_EQ(700u, size.GetValue());
    EXPECT_EQ(L"700", Text(kEdit));
}

TEST_F(BindingsTest, TrackBarNotificationsWithoutFocusOrOtherCodesAreIgnored) {
    Open([this](TestDialog& d) { BindTriple(d); });
    SetFocus(Item(kEdit));
    Send(kTrack, TBM_SETPOS, TRUE, 800);
    TrackNotify(NM_RELEASEDCAPTURE);
    EXPECT_EQ(300u, size.GetValue());

    SetFocus(Item(kTrack));
    ASSERT_EQ(Item(kTrack), GetFocus());
    TrackNotify(NM_CLICK);
    EXPECT_EQ(300u, size.GetValue());
    TrackNotify(NM_CUSTOMDRAW);
    EXPECT_EQ(800u, size.GetValue());
}

TEST_F(BindingsTest, CancelRestoresStartValuesEvenAfterSave) {
    CParam<int> check;
    check.SetValue(1);
    Open([&](TestDialog& d) {
        BindTriple(d);
        BindParam(&d, &check, kParamCheckBox, kCheck);
    });
    Send(kSpin, UDM_SETPOS32, 0, 600);
    Send(kCheck, BM_CLICK);
    EXPECT_EQ(600u, size.GetValue());
    EXPECT_EQ(2, check.GetValue());
    CRegStore store(L"Arvendal", L"Lumora");   // the owner saves meanwhile
    size.SetName(L"SizeX");
    EXPECT_TRUE(size.Save(store, L"Options\\Bindings"));
    store.DeleteKey(L"");
    Send(kSpin, UDM_SETPOS32, 0, 650);

    SendMessageW(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(300u, size.GetValue());   // the value at OnInit, not at the save
    EXPECT_EQ(1, check.GetValue());
    EXPECT_FALSE(IsWindow(Item(kEdit)));
    EXPECT_TRUE(dialog->Members().empty());
}

TEST_F(BindingsTest, OkKeepsValuesAndDropsBindings) {
    Open([this](TestDialog& d) { BindTriple(d); });
    Send(kSpin, UDM_SETPOS32, 0, 600);
    SendMessageW(dialog->Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(600u, size.GetValue());
    EXPECT_TRUE(dialog->Members().empty());
    size.SetValue(400);   // nothing bound any more
    EXPECT_EQ(400u, size.GetValue());
}

// ---- check box ---------------------------------------------------------------

TEST_F(BindingsTest, CheckBoxStatesGoIntoIntUnchanged) {
    CParam<int> state;
    CParam<bool> flag;
    Open([&](TestDialog& d) {
        BindParam(&d, &state, kParamCheckBox, kCheck);
        BindParam(&d, &flag, kParamCheckBox, kCheck);
    });
    Send(kCheck, BM_CLICK);
    EXPECT_EQ(1, state.GetValue());
    Send(kCheck, BM_CLICK);
    EXPECT_EQ(2, state.GetValue());
    EXPECT_TRUE(flag.GetValue());   // indeterminate is not 0
    Send(kCheck, BM_CLICK);
    EXPECT_EQ(0, state.GetValue());
    EXPECT_FALSE(flag.GetValue());
    state.SetValue(2);
    EXPECT_EQ(BST_INDETERMINATE, Checked(kCheck));
}

// ---- combo boxes ---------------------------------------------------------------

TEST_F(BindingsTest, ComboByItemDataAndByText) {
    CParam<int> align;
    align.SetValue(20);
    CParam<tstr> alignText;
    alignText.SetValue(L"10");
    CParam<int> minutes;
    minutes.SetValue(5);
    Open([&](TestDialog& d) {
        BindParam(&d, &align, kParamComboData, kComboData);
        BindParam(&d, &minutes, kParamComboText, kComboText);
    });
    EXPECT_EQ(2, Send(kComboData, CB_GETCURSEL));
    EXPECT_EQ(1, Send(kComboText, CB_GETCURSEL));

    Send(kComboData, CB_SETCURSEL, 0);
    Command(kComboData, CBN_SELCHANGE);
    EXPECT_EQ(0, align.GetValue());
    minutes.SetValue(30);
    EXPECT_EQ(2, Send(kComboText, CB_GETCURSEL));
    minutes.SetValue(7);   // no such item: nothing selected
    EXPECT_EQ(CB_ERR, Send(kComboText, CB_GETCURSEL));

    // A selection change in any combo box makes every combo binding read its own.
    Send(kComboData, CB_SETCURSEL, 1);
    Send(kComboText, CB_SETCURSEL, 0);
    Command(kComboText, CBN_SELCHANGE);
    EXPECT_EQ(10, align.GetValue());
    EXPECT_EQ(1, minutes.GetValue());
}

TEST_F(BindingsTest, TextSettingOnItemDataComboComparesFormattedData) {
    CParam<tstr> align;
    align.SetValue(L"10");
    Open([&](TestDialog& d) { BindParam(&d, &align, kParamComboData, kComboData); });
    EXPECT_EQ(1, Send(kComboData, CB_GETCURSEL));
    Send(kComboData, CB_SETCURSEL, 2);
    Command(kComboData, CBN_SELCHANGE);
    EXPECT_EQ(L"20", align.GetValue().Str());
}

// With no selection an item-data combo leaves its setting alone, as the
// item-text kind does, instead of storing CB_ERR.
TEST_F(BindingsTest, ComboWithoutSelectionLeavesSettingAlone) {
    CParam<int> align;
    align.SetValue(20);
    CParam<int> minutes;
    minutes.SetValue(5);
    Open([&](TestDialog& d) {
        BindParam(&d, &align, kParamComboData, kComboData);
        BindParam(&d, &minutes, kParamComboText, kComboText);
    });
    Send(kComboData, CB_SETCURSEL, static_cast<WPARAM>(-1));
    Send(kComboText, CB_SETCURSEL, static_cast<WPARAM>(-1));
    Command(kComboData, CBN_SELCHANGE);
    EXPECT_EQ(20, align.GetValue());
    EXPECT_EQ(5, minutes.GetValue());
}

// ---- radio group -----------------------------------------------------------------

TEST_F(BindingsTest, RadioGroupByPosition) {
    CParam<int> choice;
    choice.SetValue(2);
    Open([&](TestDialog& d) { BindParam(&d, &choice, kParamRadio, kRadio1); });
    EXPECT_EQ(BST_UNCHECKED, Checked(kRadio1));
    EXPECT_EQ(BST_UNCHECKED, Checked(kRadio2));
    EXPECT_EQ(BST_CHECKED, Checked(kRadio3));
    Send(kRadio1, BM_CLICK);
    EXPECT_EQ(0, choice.GetValue());
    EXPECT_EQ(BST_UNCHECKED, Checked(kRadio3));
    // The push button after the group is not part of it.
    choice.SetValue(3);
    EXPECT_EQ(BST_UNCHECKED, Checked(kRadio1));
    Send(kRadio2, BM_SETCHECK, BST_UNCHECKED);
    Command(kOther, BN_CLICKED);   // nothing checked: unchanged
    EXPECT_EQ(3, choice.GetValue());
}

// ---- lifetime -----------------------------------------------------------------------

// A dialog destroyed with bindings still in its set detaches and destroys them:
// no setting keeps a binding to a control that is gone.
TEST_F(BindingsTest, DestroyedDialogLeavesNoBindingBehind) {
    int outside = 0;
    CParam<int> choice;
    choice.SetMirror(&outside);
    Open([&](TestDialog& d) { BindParam(&d, &choice, kParamRadio, kRadio1); });
    delete dialog;
    dialog = nullptr;
    choice.SetValue(1);   // would reach a freed binding otherwise
    EXPECT_EQ(1, outside);
}

TEST_F(BindingsTest, DestroyedSettingTakesItsBindingsOutOfTheSet) {
    auto* temporary = new CParam<int>;
    Open([&](TestDialog& d) {
        BindParam(&d, temporary, kParamRadio, kRadio1);
        BindTriple(d);
    });
    EXPECT_EQ(4u, dialog->Members().size());
    delete temporary;
    EXPECT_EQ(3u, dialog->Members().size());
    Command(kRadio1, BN_CLICKED);
    SendMessageW(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(300u, size.GetValue());
}

TEST_F(BindingsTest, SetRefusesBindingTwiceAndNeedsSetAndSetting) {
    CParam<int> value;
    CParamDlgSet set;
    auto* binding = new CParamDlg<int>;
    EXPECT_TRUE(set.Add(&value, binding));
    EXPECT_FALSE(set.Add(&value, binding));
    EXPECT_TRUE(set.Add(&value, nullptr));
    EXPECT_EQ(1u, set.Members().size());
    EXPECT_FALSE(BindParam(nullptr, &value, kParamEdit, kEdit));
    EXPECT_FALSE(BindParam(&set, static_cast<CParam<int>*>(nullptr), kParamEdit, kEdit));
    // Unattached: no control, so nothing is shown and nothing crashes.
    value.SetValue(4);
    set.DetachAll();
    EXPECT_TRUE(set.Members().empty());
}

}  // namespace
