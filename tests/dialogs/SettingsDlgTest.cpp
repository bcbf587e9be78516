// The program settings dialog over a real application object and the real
// (Wine) registry: the album list, OK and Cancel, making an album current,
// renaming, the autostart shortcut, the keyboard and screen readers, and
// photos that cannot show.

#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <memory>

#include "album/AlbumBackup.h"
#include "dialogs/SettingsDlg.h"
#include "dialogs/Wpp.h"
#include "res/dialogs.h"
#include "slideshow/AlbumSlides.h"
#include "tests/dialogs/DialogTest.h"
#include "ui/Shortcut.h"
#include "ui/ToolBarWnd.h"

namespace {

using FileList = std::vector<std::wstring>;

class SettingsDlgTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        StoreAlbum(L"Trips", {Picture(L"t1.bmp"), Picture(L"t2.bmp")});
        StoreAlbum(L"Family", {Picture(L"f1.bmp")});
        StoreAlbum(L"Garden", {Picture(L"g1.bmp"), Picture(L"g2.bmp"), Picture(L"g3.bmp")});
        StoreText(kProfiles, L"Profile", L"Trips");
        m_app = std::make_unique<CWpp>();
        m_app->ReinitAlbum();
        m_app->Load();
        m_link = StartupShortcutPath(m_app->GetTitle()).Str();
        DeleteFileW(m_link.c_str());
    }
    void TearDown() override {
        m_dialog.reset();
        m_app.reset();
        DeleteFileW(m_link.c_str());
        DialogTest::TearDown();
    }

    HWND Open() {
        m_dialog = std::make_unique<CSettingsDlg>(*m_app);
        m_hwnd = m_dialog->ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr);
        EXPECT_NE(nullptr, m_hwnd);
        return m_hwnd;
    }
    CNavPaneWnd& Pages() { return *Pane(m_hwnd, IDC_PAGE_LIST); }
    CNavPaneWnd& Items() { return *Pane(m_hwnd, IDC_PAGE_ITEMS); }
    void ChoosePage(int id) { ASSERT_TRUE(Pages().SetCurrent(ItemWithId(Pages(), id))); }
    CNavPaneItem* AlbumRow(const wchar_t* name) { return ItemWithText(Items(), name); }
    // Clicks the tool of a row: left tools by position, or the first right one.
    void ClickTool(CNavPaneItem* item, int leftIndex) {
        ASSERT_NE(nullptr, item);
        CNavPaneItemTool* tool = leftIndex >= 0 ? item->m_leftTools[static_cast<size_t>(leftIndex)]
                                                : item->m_rightTools[0];
        tool->Activate(*item);
    }
    void Command(int id) { SendMessageW(m_hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    // On the albums page: the album dialog of a row, given a new name and OK.
    void Rename(const wchar_t* from, const wchar_t* to) {
        OnNextBox("the album dialog", [to](HWND box) {
            if (!GetDlgItem(box, IDC_ALBUM_NAME) || !GetDlgItem(box, IDC_PAGE_LIST)) return false;
            SetDlgItemTextW(box, IDC_ALBUM_NAME, to);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        });
        ClickTool(AlbumRow(from), 1);
        EXPECT_FALSE(AnswerPending());
    }
    // On the albums page: the new-album dialog, given a name and OK.
    void NewAlbum(const wchar_t* name) {
        OnNextBox("the new-album dialog", [name](HWND box) {
            if (!GetDlgItem(box, IDC_ALBUM_NAME) || GetDlgItem(box, IDC_PAGE_LIST)) return false;
            SetDlgItemTextW(box, IDC_ALBUM_NAME, name);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        });
        Command(IDC_NEW_ALBUM);
        EXPECT_FALSE(AnswerPending());
    }
    // "Add folder" (command 1010): its "Browse..." opens the folder picker,
    // where the folder is chosen in the tree and OK is pressed on a later
    // tick, once the tree has followed; then OK in the "Add folder" box.
    static void PickFolderInNextPicker(const std::wstring& folder) {
        enum Step { Browse, Choose, Confirm, Accept };
        auto step = std::make_shared<Step>(Browse);
        OnNextBox("the Add folder box with the folder chosen in its picker", [folder, step](HWND box) {
            // The harness may hand over the "Add folder" box while the
            // picker it owns is up.
            const bool addFolder = GetDlgItem(box, IDC_FOLDER_BROWSE) != nullptr;
            HWND picker = addFolder ? OwnedBox(box) : box;
            HWND tree = picker ? FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
            if (*step == Browse && addFolder) {
                PostMessageW(box, WM_COMMAND, IDC_FOLDER_BROWSE, 0);
                *step = Choose;
            } else if (*step == Choose && tree) {
                SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
                *step = Confirm;
            } else if (*step == Confirm && tree && TreeView_GetSelection(tree)) {
                PostMessageW(picker, WM_COMMAND, IDOK, 0);
                *step = Accept;
            } else if (*step == Accept && addFolder && !picker &&
                       GetWindowTextLengthW(GetDlgItem(box, IDC_FOLDER_PATH)) > 0) {
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return true;
            }
            return false;
        });
    }
    // A visible dialog box owned by `owner`, or null.
    static HWND OwnedBox(HWND owner) {
        OwnerSearch search = {owner, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindOwned, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    struct OwnerSearch {
        HWND owner, found;
    };
    static BOOL CALLBACK FindOwned(HWND hwnd, LPARAM data) {
        auto* search = reinterpret_cast<OwnerSearch*>(data);
        if (GetWindow(hwnd, GW_OWNER) == search->owner && IsWindowVisible(hwnd)) search->found = hwnd;
        return TRUE;
    }
    FileList StoredFileNames(const wchar_t* album) { return FileNames(*OpenAlbum(album)); }
    // A key message for `control` given to the dialog manager, as the
    // message loop gives it.
    void Key(HWND control, WPARAM key, UINT msg = WM_KEYDOWN) {
        MSG message = {control, msg, key, 0, GetTickCount(), {0, 0}};
        if (!IsDialogMessageW(m_hwnd, &message)) DispatchMessageW(&message);
    }
    // What the photo's row says once painting has asked for its thumbnail.
    std::wstring ShownRow(const std::wstring& path) {
        CNavPaneItem* row = ItemWithText(Items(), path);
        if (!row) return L"(no row)";
        RECT client = {};
        GetClientRect(Items().Hwnd(), &client);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(Items().Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return row->ShownText();
    }
    struct Child {
        std::wstring name;
        long role;
        long state;
    };
    // The children an accessible object gives, as a screen reader reads them.
    static std::vector<Child> Children(IAccessible* object) {
        std::vector<Child> children;
        long count = 0;
        if (!object || FAILED(object->get_accChildCount(&count))) return children;
        for (long id = 1; id <= count; ++id) {
            VARIANT child, role, state;
            VariantInit(&child);
            child.vt = VT_I4;
            child.lVal = id;
            BSTR name = nullptr;
            object->get_accName(child, &name);
            object->get_accRole(child, &role);
            object->get_accState(child, &state);
            children.push_back({name ? name : L"", role.lVal, state.lVal});
            SysFreeString(name);
        }
        return children;
    }
    bool LinkExists() const { return GetFileAttributesW(m_link.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::unique_ptr<CWpp> m_app;
    std::unique_ptr<CSettingsDlg> m_dialog;
    HWND m_hwnd = nullptr;
    std::wstring m_link;
};

TEST_F(SettingsDlgTest, OpensOnThePhotosOfTheCurrentAlbumAndRecordsItself) {
    Open();
    EXPECT_EQ(m_hwnd, m_app->GetModalDialog());
    ASSERT_NE(nullptr, Pages().Current());
    EXPECT_EQ(L"Photos (2)", Pages().Current()->Text());
    EXPECT_EQ(2u, Rows(Items()).size());
    EXPECT_EQ(3u, m_dialog->Albums().size());
    ASSERT_NE(nullptr, GetDlgItem(m_hwnd, IDC_SETTINGS_STATUS));
    DestroyWindow(m_hwnd);
    EXPECT_EQ(nullptr, m_app->GetModalDialog());
}

TEST_F(SettingsDlgTest, CommonSettingsHidesItsSecretChildUntilExpanded) {
    Open();
    CNavPaneItem* common = ItemWithId(Pages(), IDC_PAGE_COMMON);
    ASSERT_NE(nullptr, common);
    ASSERT_EQ(1u, common->Children().size());
    EXPECT_EQ(L"Secret settings!", common->Children()[0]->Text());
    ChoosePage(IDC_PAGE_COMMON);
    EXPECT_EQ(nullptr, Pages().NextVisible(common));
    Pages().KeyDown(kNavKeyRight, false, false);
    ASSERT_EQ(common->Children()[0], Pages().NextVisible(common));
    ASSERT_TRUE(Pages().SetCurrent(common->Children()[0]));
    EXPECT_FALSE(Shown(GetDlgItem(m_hwnd, IDC_PAGE_ITEMS)));
    EXPECT_FALSE(Shown(GetDlgItem(m_hwnd, IDC_PAGE_TOOLBAR)));
}

TEST_F(SettingsDlgTest, OkWithoutChangesRewritesEveryAlbumAsItWas) {
    // The first OK writes the settings the hand-made albums leave out.
    Open();
    Command(IDOK);
    EXPECT_FALSE(IsWindow(m_hwnd));
    const std::vector<std::wstring> before = ProfilesSnapshot();
    EXPECT_EQ(L"7", ReadText(AlbumPath(L"Garden", L"Slides"), L"timeout"));
    Open();
    Command(IDOK);
    EXPECT_EQ(before, ProfilesSnapshot());
}

TEST_F(SettingsDlgTest, DeletingTwoOfThreeAlbumsThenOkRemovesBothKeys) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    ASSERT_EQ(3u, Rows(Items()).size());
    Items().Click(AlbumRow(L"Trips"), false, false);
    Items().Click(AlbumRow(L"Garden"), false, true);
    std::wstring question;
    AnswerMessageBox(IDOK, &question);
    Command(IDC_DELETE_ALBUM);
    EXPECT_EQ(L"Do you want to detete selected album?", question);
    EXPECT_EQ(1u, m_dialog->Albums().size());
    // Nothing is gone from the store before OK.
    EXPECT_TRUE(KeyPresent(AlbumPath(L"Garden").c_str()));
    Command(IDOK);
    EXPECT_EQ((FileList{L"Family"}), SubKeys(kProfiles));
    // The current album was among them: the remaining one takes over.
    EXPECT_EQ(L"Family", m_app->GetAlbumName().Str());
    EXPECT_EQ(L"Family", ReadText(kProfiles, L"Profile"));
    EXPECT_EQ((FileList{L"f1.bmp"}), FileNames(*m_app));
}

TEST_F(SettingsDlgTest, DeletingEveryAlbumIsRefused) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Items().SelectAll();
    std::wstring warning;
    AnswerMessageBox(IDOK, &warning);
    Command(IDC_DELETE_ALBUM);
    EXPECT_EQ(L"You can't delete last album. Atleast one album must exist", warning);
    EXPECT_EQ(3u, m_dialog->Albums().size());
    EXPECT_EQ(3u, Rows(Items()).size());
}

TEST_F(SettingsDlgTest, CancelAfterAddingPhotosReloadsTheCurrentAlbum) {
    Open();
    Picture(L"new1.bmp");
    Picture(L"new2.bmp");
    SetCurrentDirectoryW(Folder().c_str());
    // The open-file dialog: several names typed into its file name box.
    OnNextBox("the open-file dialog", [](HWND box) {
        HWND name = GetDlgItem(box, 0x47c);  // file name combo box
        if (!name) name = GetDlgItem(box, 0x480);
        if (!name) return false;
        SetWindowTextW(name, L"\"new2.bmp\" \"new1.bmp\"");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    Command(IDC_ADD_PHOTOS);
    EXPECT_FALSE(AnswerPending());
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp", L"new2.bmp", L"new1.bmp"}), FileNames(*m_app));
    EXPECT_EQ(L"Photos (4)", Pages().Current()->Text());
    EXPECT_EQ(2u, Items().Selection().size());
    Command(IDCANCEL);
    EXPECT_FALSE(IsWindow(m_hwnd));
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp"}), FileNames(*m_app));
    EXPECT_EQ(2u, SubKeys(AlbumPath(L"Trips", L"Slides")).size());
}

TEST_F(SettingsDlgTest, OkKeepsWhatThePagesChangedInTheCurrentAlbum) {
    Open();
    ChoosePage(IDC_PAGE_SWITCH);
    m_app->Timeout().SetValue(12);
    Command(IDOK);
    EXPECT_EQ(L"12", ReadText(AlbumPath(L"Trips", L"Slides"), L"timeout"));
    EXPECT_EQ(L"Trips", ReadText(kProfiles, L"Profile"));
}

// A drop of the frame while the dialog is open sets the alignment, the
// margins and the monitor together; Cancel takes back all of them.
TEST_F(SettingsDlgTest, CancelTakesBackADropMadeWhileOpen) {
    Open();
    m_app->PlacementX().SetValue(0);
    m_app->PlacementY().SetValue(1);
    m_app->MarginX().SetValue(40);
    m_app->MarginY().SetValue(30);
    m_app->Monitor().SetValue(tstr(L"\\\\.\\DISPLAY2"));
    Command(IDCANCEL);
    CWpp stored;
    stored.ReinitAlbum();
    stored.Load();
    EXPECT_EQ(stored.PlacementX().GetValue(), m_app->PlacementX().GetValue());
    EXPECT_EQ(stored.PlacementY().GetValue(), m_app->PlacementY().GetValue());
    EXPECT_EQ(stored.MarginX().GetValue(), m_app->MarginX().GetValue());
    EXPECT_EQ(stored.MarginY().GetValue(), m_app->MarginY().GetValue());
    EXPECT_EQ(L"", m_app->Monitor().GetValue().Str());
}

TEST_F(SettingsDlgTest, MakeCurrentKeepsAnIdleShowIdleAndOkStoresTheChoice) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    ClickTool(AlbumRow(L"Garden"), 0);
    EXPECT_EQ(L"Garden", m_app->GetAlbumName().Str());
    EXPECT_EQ((FileList{L"g1.bmp", L"g2.bmp", L"g3.bmp"}), FileNames(*m_app));
    EXPECT_FALSE(m_app->IsShowRunning());
    EXPECT_EQ(L"Photos (3)", ItemWithId(Pages(), IDC_PAGE_PHOTOS)->Text());
    Command(IDOK);
    EXPECT_EQ(L"Garden", ReadText(kProfiles, L"Profile"));
    EXPECT_EQ(3u, SubKeys(kProfiles).size());
    EXPECT_EQ(2u, SubKeys(AlbumPath(L"Trips", L"Slides")).size());
}

TEST_F(SettingsDlgTest, MakeCurrentRestartsARunningShowAndCancelGoesBack) {
    ASSERT_TRUE(m_app->StartShow());
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    ClickTool(AlbumRow(L"Family"), 0);
    EXPECT_EQ(L"Family", m_app->GetAlbumName().Str());
    EXPECT_TRUE(m_app->IsShowRunning());
    Command(IDCANCEL);
    EXPECT_EQ(L"Trips", m_app->GetAlbumName().Str());
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp"}), FileNames(*m_app));
    EXPECT_TRUE(m_app->IsShowRunning());
    EXPECT_EQ(L"Trips", ReadText(kProfiles, L"Profile"));
    m_app->StopShow();
}

TEST_F(SettingsDlgTest, RenamingTheCurrentAlbumMovesItsKeyOnOk) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Trips", L"Journeys");
    ASSERT_NE(nullptr, AlbumRow(L"Journeys"));
    EXPECT_EQ(L"Journeys", m_app->GetAlbumName().Str());
    Command(IDOK);
    EXPECT_EQ((FileList{L"Family", L"Garden", L"Journeys"}), SubKeys(kProfiles));
    EXPECT_EQ(2u, SubKeys(AlbumPath(L"Journeys", L"Slides")).size());
    EXPECT_EQ(L"Journeys", ReadText(kProfiles, L"Profile"));
}

TEST_F(SettingsDlgTest, NewAlbumIsSavedOnOk) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    NewAlbum(L"Winter");
    ASSERT_NE(nullptr, AlbumRow(L"Winter"));
    EXPECT_EQ(Items().Current(), AlbumRow(L"Winter"));
    EXPECT_FALSE(KeyPresent(AlbumPath(L"Winter").c_str()));
    Command(IDOK);
    EXPECT_TRUE(KeyPresent(AlbumPath(L"Winter", L"Slides").c_str()));
    EXPECT_EQ(L"Trips", ReadText(kProfiles, L"Profile"));
    // Placed at the bottom right as a loaded album would be, not "not chosen".
    EXPECT_EQ(L"2", ReadText(AlbumPath(L"Winter", L"Slides"), L"PlacementX"));
    EXPECT_EQ(L"2", ReadText(AlbumPath(L"Winter", L"Slides"), L"PlacementY"));
}

// Old keys of renamed albums go after every album is written: the old name
// may belong to another album of the list by then.
TEST_F(SettingsDlgTest, NewAlbumMayTakeTheOldNameOfARenamedOne) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Family", L"Relatives");
    NewAlbum(L"Family");
    Command(IDOK);
    EXPECT_EQ((FileList{L"Family", L"Garden", L"Relatives", L"Trips"}), SubKeys(kProfiles));
    EXPECT_EQ(FileList{}, StoredFileNames(L"Family"));
    EXPECT_EQ(FileList{L"f1.bmp"}, StoredFileNames(L"Relatives"));
}

TEST_F(SettingsDlgTest, RenamesAlongAChainKeepEveryAlbum) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Garden", L"Park");
    Rename(L"Family", L"Garden");
    Command(IDOK);
    EXPECT_EQ((FileList{L"Garden", L"Park", L"Trips"}), SubKeys(kProfiles));
    EXPECT_EQ(FileList{L"f1.bmp"}, StoredFileNames(L"Garden"));
    EXPECT_EQ((FileList{L"g1.bmp", L"g2.bmp", L"g3.bmp"}), StoredFileNames(L"Park"));
}

TEST_F(SettingsDlgTest, AlbumCreatedFilledFromAFolderRenamedAndMadeCurrentShows) {
    // The picker's tree leaves hidden folders out, the temporary one among
    // them, and does not follow paths into the shell's special folders.
    TempFolder winter(L"C:\\");
    for (const wchar_t* name : {L"w1.bmp", L"w2.bmp"})
        CopyFileW(Picture(name, 40, 30).c_str(), (winter.Path() + L"\\" + name).c_str(), FALSE);
    TempFolder::File(winter.Path() + L"\\notes.txt");
    ASSERT_TRUE(m_app->StartShow());
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    NewAlbum(L"Winter");
    // An empty album stops the show for now, without a message box.
    ClickTool(AlbumRow(L"Winter"), 0);
    EXPECT_EQ(L"Winter", m_app->GetAlbumName().Str());
    EXPECT_FALSE(m_app->IsShowRunning());
    ChoosePage(IDC_PAGE_PHOTOS);
    PickFolderInNextPicker(winter.Path());
    Command(IDC_ADD_FOLDER);
    EXPECT_FALSE(AnswerPending());
    // The folder is listed on a worker; its pictures arrive as a message.
    ASSERT_TRUE(WaitUntil("the folder's two pictures", [&] { return m_app->Photos().size() >= 2; }));
    FileList names = FileNames(*m_app);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((FileList{L"w1.bmp", L"w2.bmp"}), names);
    EXPECT_EQ(L"Photos (2)", Pages().Current()->Text());
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Winter", L"Snow");
    Command(IDOK);

    EXPECT_EQ(L"Snow", ReadText(kProfiles, L"Profile"));
    EXPECT_EQ((FileList{L"Family", L"Garden", L"Snow", L"Trips"}), SubKeys(kProfiles));
    EXPECT_EQ(2u, StoredFileNames(L"Snow").size());
    ASSERT_TRUE(m_app->IsShowRunning());
    HWND slide = m_app->SlideWnd().Hwnd();
    // The frame appears with its first photo, decoded on the slide worker.
    EXPECT_TRUE(WaitUntil("the frame on screen", [&] { return IsWindowVisible(slide) != FALSE; }));
    EXPECT_EQ(L"Snow", m_app->GetAlbumName().Str());
    m_app->StopShow();
}

// Fault: a refused write was reported as done, and OK went on to delete the
// keys of deleted and renamed albums. Writes of OK throughout its course are
// refused in turn (every 17th: each refusal costs a message box; the album
// tests refuse every single write of a save): each time a message names an
// album and the system's reason, the dialog stays open and the store is as
// it was; then OK goes through.
TEST_F(SettingsDlgTest, EveryRefusedWriteOfOkKeepsTheDialogOpenAndTheStoreAsItWas) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Garden", L"Park");
    Rename(L"Family", L"Garden");
    Rename(L"Trips", L"TRIPS");
    NewAlbum(L"Winter");
    Items().Click(AlbumRow(L"Winter"), false, false);
    AnswerMessageBox(IDOK);
    Command(IDC_DELETE_ALBUM);
    const std::vector<std::wstring> before = ProfilesSnapshot();
    wchar_t system[256] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_ACCESS_DENIED, 0,
                   system, 256, nullptr);
    const std::wstring reason(system, std::wcscspn(system, L"\r\n"));
    ASSERT_FALSE(reason.empty());
    std::wstring message;
    unsigned long refused = 1;
    for (;; refused += 17) {
        message.clear();
        AnswerMessageBox(IDOK, &message);
        CRegStore::FailNthWrite(refused, ERROR_ACCESS_DENIED);
        Command(IDOK);
        if (!IsWindow(m_hwnd)) break;
        ASSERT_FALSE(AnswerPending()) << "write " << refused << " refused without a message";
        ASSERT_NE(std::wstring::npos, message.find(L"\" could not be saved.")) << message;
        ASSERT_NE(std::wstring::npos, message.find(reason)) << message;
        ASSERT_EQ(before, ProfilesSnapshot()) << "write " << refused << " refused";
    }
    EXPECT_NE(0ul, CRegStore::WritesBeforeFailure());
    CRegStore::FailNthWrite(0, 0);
    // The answer made ready for the OK that went through takes this box.
    MessageBoxW(nullptr, L"", L"", MB_OK);
    EXPECT_GT(refused, 50ul);   // the refusals reached every album
    EXPECT_EQ((FileList{L"Garden", L"Park", L"TRIPS"}), SubKeys(kProfiles));
    EXPECT_EQ(FileList{L"f1.bmp"}, StoredFileNames(L"Garden"));
    EXPECT_EQ((FileList{L"g1.bmp", L"g2.bmp", L"g3.bmp"}), StoredFileNames(L"Park"));
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp"}), StoredFileNames(L"TRIPS"));
    EXPECT_EQ(L"TRIPS", ReadText(kProfiles, L"Profile"));
}

// A registry that refuses every write from some point on refuses the undoing
// too: the dialog stays open and says why, and what the next start or save
// does first puts the store back as it was. An album saved before the
// refusal and then put back is written again by the OK that goes through.
TEST_F(SettingsDlgTest, OkRefusedFromAnyWriteOnLeavesTheStoreAsItWasOnceTakenBack) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Garden", L"Park");
    m_app->Timeout().SetValue(12);
    // As its album dialog leaves an album that is not the current one.
    auto* family = dynamic_cast<CWppProfile*>(AlbumRow(L"Family")->m_pData);
    ASSERT_NE(nullptr, family);
    family->Timeout().SetValue(9);
    const std::vector<std::wstring> before = ProfilesSnapshot();
    unsigned long refused = 1;
    for (;; refused += 2) {
        std::wstring message;
        AnswerMessageBox(IDOK, &message);
        CRegStore::FailNthWrite(refused, ERROR_ACCESS_DENIED, true);
        Command(IDOK);
        CRegStore::FailNthWrite(0, 0);
        if (!IsWindow(m_hwnd)) break;
        ASSERT_FALSE(AnswerPending()) << "writes from " << refused << " on refused without a message";
        ASSERT_NE(std::wstring::npos, message.find(L"\" could not be saved.")) << message;
        ASSERT_TRUE(CAlbumBackup::RestoreUnfinished(m_app->GetStore()));
        ASSERT_EQ(before, ProfilesSnapshot()) << "writes from " << refused << " on refused";
    }
    MessageBoxW(nullptr, L"", L"", MB_OK);
    EXPECT_GT(refused, 10ul);
    EXPECT_EQ((FileList{L"Family", L"Park", L"Trips"}), SubKeys(kProfiles));
    EXPECT_EQ((FileList{L"g1.bmp", L"g2.bmp", L"g3.bmp"}), StoredFileNames(L"Park"));
    EXPECT_EQ(L"12", ReadText(AlbumPath(L"Trips", L"Slides"), L"timeout"));
    EXPECT_EQ(L"9", ReadText(AlbumPath(L"Family", L"Slides"), L"timeout"));
}

// Fault: the current album was found by its exact name. With "Profile" and
// the key differing in letter case no radio tool was checked, and OK took the
// application's photos for a deleted album's and replaced them.
TEST_F(SettingsDlgTest, CurrentAlbumIsFoundIgnoringLetterCase) {
    StoreText(kProfiles, L"Profile", L"TRIPS");
    m_app->ReinitAlbum();
    m_app->Load();
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    ASSERT_NE(nullptr, AlbumRow(L"Trips"));
    EXPECT_TRUE(AlbumRow(L"Trips")->m_leftTools[0]->Has(CNavPaneItemTool::kChecked));
    EXPECT_FALSE(AlbumRow(L"Family")->m_leftTools[0]->Has(CNavPaneItemTool::kChecked));
    m_app->AddPhoto(Picture(L"t3.bmp"));   // as the photos page adds one
    Command(IDOK);
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp", L"t3.bmp"}), FileNames(*m_app));
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp", L"t3.bmp"}), StoredFileNames(L"Trips"));
}

TEST_F(SettingsDlgTest, RenamingTheCurrentAlbumInLetterCaseOnlyRenamesItsKey) {
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    Rename(L"Trips", L"TRIPS");
    EXPECT_TRUE(AlbumRow(L"TRIPS")->m_leftTools[0]->Has(CNavPaneItemTool::kChecked));
    Command(IDOK);
    EXPECT_EQ((FileList{L"Family", L"Garden", L"TRIPS"}), SubKeys(kProfiles));
    EXPECT_EQ(L"TRIPS", ReadText(kProfiles, L"Profile"));
    EXPECT_EQ((FileList{L"t1.bmp", L"t2.bmp"}), StoredFileNames(L"TRIPS"));
}

// Fault: Cancel's reload filled an empty current album, and that save
// removed "Handle" while the program ran: a later start ran a second copy.
TEST_F(SettingsDlgTest, CancelNeverTouchesTheHandle) {
    StoreAlbum(L"Empty", {});
    StoreText(kProfiles, L"Profile", L"Empty");
    m_app->ReinitAlbum();
    m_app->Load();
    const std::wstring main = L"Software\\Arvendal\\Lumora\\Options\\Windows\\Main";
    StoreText(main, L"Handle", L"4242");
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    ClickTool(AlbumRow(L"Family"), 0);
    Command(IDCANCEL);
    EXPECT_EQ(L"Empty", m_app->GetAlbumName().Str());
    EXPECT_EQ(L"4242", ReadText(main, L"Handle"));
}

TEST_F(SettingsDlgTest, StartWithWindowsChangesTheShortcutOnlyOnOk) {
    Open();
    ChoosePage(IDC_PAGE_COMMON);
    CNavPaneItem* item = ItemWithText(Items(), L"Start with Windows");
    ClickTool(item, -1);
    EXPECT_TRUE(m_app->Autostart().GetValue());
    EXPECT_FALSE(LinkExists());
    Command(IDOK);
    EXPECT_TRUE(LinkExists());

    Open();
    ChoosePage(IDC_PAGE_COMMON);
    EXPECT_TRUE(m_app->Autostart().GetValue());
    ClickTool(ItemWithText(Items(), L"Start with Windows"), -1);
    Command(IDCANCEL);
    EXPECT_TRUE(LinkExists());
    EXPECT_TRUE(m_app->Autostart().GetValue());

    Open();
    ChoosePage(IDC_PAGE_COMMON);
    ClickTool(ItemWithText(Items(), L"Start with Windows"), -1);
    Command(IDOK);
    EXPECT_FALSE(LinkExists());
}

// ---- keyboard and screen readers

TEST_F(SettingsDlgTest, EscapeAndEnterReachTheDialogFromEveryListWhileArrowsStayInIt) {
    const std::vector<std::wstring> before = ProfilesSnapshot();
    Open();
    Items().SetCurrent(Rows(Items())[0]);
    SetFocus(Items().Hwnd());
    Key(Items().Hwnd(), VK_DOWN);
    EXPECT_EQ(Rows(Items())[1], Items().Current());
    Key(Items().Hwnd(), VK_ESCAPE);
    EXPECT_FALSE(IsWindow(m_hwnd)) << "Escape in the photo list";
    Open();
    SetFocus(Pages().Hwnd());
    Key(Pages().Hwnd(), VK_DOWN);
    EXPECT_EQ(L"Albums", Pages().Current()->Text());
    Key(Pages().Hwnd(), VK_ESCAPE);
    EXPECT_FALSE(IsWindow(m_hwnd)) << "Escape in the page list";
    EXPECT_EQ(before, ProfilesSnapshot()) << "both as Cancel";
    Open();
    ChoosePage(IDC_PAGE_ALBUMS);
    SetFocus(Items().Hwnd());
    Key(Items().Hwnd(), VK_RETURN);
    EXPECT_FALSE(IsWindow(m_hwnd)) << "Enter in the album list";
    EXPECT_NE(before, ProfilesSnapshot()) << "as OK, which writes what the hand-made albums leave out";
}

TEST_F(SettingsDlgTest, TabReachesTheToolBarWhoseToolsTakeTheArrowsAndSpace) {
    Open();
    const HWND bar = GetDlgItem(m_hwnd, IDC_PAGE_TOOLBAR);
    Items().ClearSelection();
    Items().Select(Rows(Items())[0]);
    SetFocus(Pages().Hwnd());
    Key(Pages().Hwnd(), VK_TAB);
    ASSERT_EQ(bar, GetFocus());
    for (int i = 0; i < 4; ++i) Key(bar, VK_RIGHT);
    Key(bar, VK_SPACE);
    Key(bar, VK_SPACE, WM_KEYUP);
    EXPECT_TRUE(WaitUntil("Move down run by Space",
                          [&] { return FileNames(*m_app) == FileList{L"t2.bmp", L"t1.bmp"}; }));
    Key(bar, VK_TAB);
    EXPECT_EQ(Items().Hwnd(), GetFocus());
}

TEST_F(SettingsDlgTest, ScreenReadersReadThePagesPhotosAndTools) {
    Open();
    SetFocus(Pages().Hwnd());
    IAccessible* pages = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(Pages().Hwnd(), OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&pages)));
    const std::vector<Child> pageRows = Children(pages);
    pages->Release();
    ASSERT_EQ(5u, pageRows.size());
    const wchar_t* pageNames[] = {L"Photos (2)", L"Albums", L"Slider window settings", L"Slider switching settings",
                                  L"Common settings"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(pageNames[i], pageRows[i].name);
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, pageRows[i].role);
    }
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED, pageRows[0].state);
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_COLLAPSED, pageRows[4].state);

    IAccessible* items = Items().AccessibleObject();
    const std::vector<Child> photoRows = Children(items);
    items->Release();
    ASSERT_EQ(2u, photoRows.size());
    EXPECT_EQ(Folder() + L"\\t1.bmp", photoRows[0].name);
    EXPECT_EQ(Folder() + L"\\t2.bmp", photoRows[1].name);

    auto* bar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(GetDlgItem(m_hwnd, IDC_PAGE_TOOLBAR)));
    ASSERT_NE(nullptr, bar);
    IAccessible* tools = bar->AccessibleObject();
    const std::vector<Child> toolList = Children(tools);
    tools->Release();
    const wchar_t* toolNames[] = {L"Add photos", L"Add a folder of photos", L"Delete the selected photos",
                                  L"Move the selected photos up", L"Move the selected photos down",
                                  L"Show hidden photos"};
    ASSERT_EQ(6u, toolList.size());
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(toolNames[i], toolList[i].name);
        EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, toolList[i].role);
        EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, toolList[i].state);
    }
}

// ---- photos that cannot show

TEST_F(SettingsDlgTest, PhotoRowsAndTheStripSayWhyAPhotoCannotShow) {
    const std::wstring gone = Picture(L"gone.bmp");
    const std::wstring note = TempFolder::File(Folder() + L"\\note.jpg", "not a picture");
    const std::wstring offline = L"R:\\never mapped\\p.jpg";
    while (!m_app->Photos().empty()) m_app->Photos().DeleteIndex(0);
    for (const std::wstring& path : {gone, note, offline}) m_app->AddPhoto(path);
    const std::wstring dash = L"  \x2014  ";
    Open();
    ASSERT_TRUE(WaitUntil("each row's first look", [&] {
        return ShownRow(note) == note + dash + L"Not a picture" &&
               ShownRow(offline) == offline + dash + L"Offline, will retry" &&
               m_app->Thumbnails().KnownState(gone.c_str()) == CThumbnails::Known::Usable;
    }));
    EXPECT_EQ(gone, ShownRow(gone));
    CAlbumSlides strip(*m_app, nullptr);
    EXPECT_NE(&CThumbnails::ProblemPlaceholder(), strip.Thumbnail(0));
    EXPECT_EQ(&CThumbnails::ProblemPlaceholder(), strip.Thumbnail(1));

    DeleteFileW(gone.c_str());
    // The page shown again looks at its files.
    ChoosePage(IDC_PAGE_ALBUMS);
    ChoosePage(IDC_PAGE_PHOTOS);
    EXPECT_TRUE(WaitUntil("the deleted photo's row saying so",
                          [&] { return ShownRow(gone) == gone + dash + L"File not found"; }));
    EXPECT_EQ(&CThumbnails::ProblemPlaceholder(), strip.Thumbnail(0));
}

TEST_F(SettingsDlgTest, AFollowedFolderShowsItsStateAboveTheList) {
    TempFolder empty;
    const struct {
        std::wstring folder;
        std::wstring state;
    } cases[] = {{empty.Path(), L"No pictures in this folder yet"},
                 {empty.Path() + L"\\gone", L"The folder was not found"},
                 {L"R:\\never mapped", L"The folder is offline: Lumora will try again"}};
    for (const auto& c : cases) {
        m_app->Folder().SetValue(c.folder);
        Open();
        const HWND line = GetDlgItem(m_hwnd, IDC_FOLDER_LINK_TEXT);
        const std::wstring expected = c.state + L"  \x2014  In step with " + c.folder;
        EXPECT_TRUE(WaitUntil("the state of " + Utf8(c.folder), [&] {
            wchar_t text[512] = L"";
            GetWindowTextW(line, text, 512);
            return expected == text;
        }));
        EXPECT_TRUE(Shown(line));
        // Cut where it is too narrow, the state stays whole.
        EXPECT_EQ(SS_ENDELLIPSIS, GetWindowLongPtrW(line, GWL_STYLE) & SS_ELLIPSISMASK);
    }
}

}  // namespace
