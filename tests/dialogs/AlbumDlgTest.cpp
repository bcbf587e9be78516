// The album dialog and its photos page, driven through the real dialog and
// panes: moving, deleting and adding photos, naming, OK and Cancel.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "dialogs/AlbumDlg.h"
#include "dialogs/AlbumNewDlg.h"
#include "dialogs/OpenPictures.h"
#include "dialogs/PhotoPage.h"
#include "res/dialogs.h"
#include "tests/album/ThumbnailKit.h"
#include "tests/dialogs/DialogTest.h"
#include "tests/ui/DibSurface.h"

namespace {

using FileList = std::vector<std::wstring>;

class AlbumDlgTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        m_album = std::make_unique<CWppProfile>();
        m_album->SetSingleInstance(false);
        m_album->SetAlbumName(L"Trips");
        for (const wchar_t* name : {L"1.bmp", L"2.bmp", L"3.bmp"}) m_album->AddPhoto(Picture(name));
        m_albums.Add(m_album.get());
        m_other = new CWppProfile;
        m_other->SetAlbumName(L"Family");
        m_albums.Add(m_other);
    }
    void TearDown() override {
        m_dialog.reset();
        m_albums.Remove(m_album.get());
        DialogTest::TearDown();
    }

    HWND Open() {
        m_dialog = std::make_unique<CAlbumDlg>(m_album.get(), m_albums);
        HWND dialog = m_dialog->ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ALBUM), nullptr);
        EXPECT_NE(nullptr, dialog);
        return dialog;
    }
    CNavPaneWnd& Photos(HWND dialog) { return *Pane(dialog, IDC_PAGE_ITEMS); }
    // Ctrl+click on the n-th row (from 1), as the user extends a selection.
    void CtrlClick(HWND dialog, int row) {
        Photos(dialog).Click(Rows(Photos(dialog))[static_cast<size_t>(row - 1)], false, true);
    }
    // The settings page chosen in the page list, found by a control on it.
    HWND OpenPage(HWND dialog, int pageId, int controlId) {
        CNavPaneWnd* pages = Pane(dialog, IDC_PAGE_LIST);
        pages->SetCurrent(ItemWithId(*pages, pageId));
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (Shown(child) && GetDlgItem(child, controlId)) return child;
        return nullptr;
    }
    FileList RowNames(HWND dialog) {
        FileList names;
        for (CNavPaneItem* item : Rows(Photos(dialog))) {
            const std::wstring& path = item->Text();
            names.push_back(path.substr(path.find_last_of(L'\\') + 1));
        }
        return names;
    }

    std::unique_ptr<CWppProfile> m_album;
    CWppProfile* m_other = nullptr;
    CCollector<CWppProfile*> m_albums;
    std::unique_ptr<CAlbumDlg> m_dialog;
};

TEST_F(AlbumDlgTest, OpensOnThePhotosPage) {
    HWND dialog = Open();
    CNavPaneWnd* pages = Pane(dialog, IDC_PAGE_LIST);
    ASSERT_NE(nullptr, pages);
    ASSERT_NE(nullptr, pages->Current());
    EXPECT_EQ(IDC_PAGE_PHOTOS, pages->Current()->m_nId);
    EXPECT_EQ(L"Photos (3)", pages->Current()->Text());
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp"}), RowNames(dialog));
    wchar_t name[64] = L"";
    GetDlgItemTextW(dialog, IDC_ALBUM_NAME, name, 64);
    EXPECT_STREQ(L"Trips", name);
    EXPECT_TRUE(Shown(GetDlgItem(dialog, IDC_PAGE_TOOLBAR)));
}

TEST_F(AlbumDlgTest, MoveUpFollowsTheSelectionOrder) {
    HWND dialog = Open();
    CtrlClick(dialog, 2);
    CtrlClick(dialog, 3);
    SendMessageW(dialog, WM_COMMAND, IDC_MOVE_UP, 0);
    EXPECT_EQ((FileList{L"2.bmp", L"3.bmp", L"1.bmp"}), FileNames(*m_album));
    EXPECT_EQ(FileNames(*m_album), RowNames(dialog));
}

TEST_F(AlbumDlgTest, MoveUpWithTheLaterPhotoChosenFirst) {
    HWND dialog = Open();
    CtrlClick(dialog, 3);
    CtrlClick(dialog, 2);
    SendMessageW(dialog, WM_COMMAND, IDC_MOVE_UP, 0);
    EXPECT_EQ((FileList{L"2.bmp", L"1.bmp", L"3.bmp"}), FileNames(*m_album));
    EXPECT_EQ(FileNames(*m_album), RowNames(dialog));
}

TEST_F(AlbumDlgTest, BlockAtAnEdgeDoesNotMove) {
    HWND dialog = Open();
    CtrlClick(dialog, 1);
    CtrlClick(dialog, 2);
    SendMessageW(dialog, WM_COMMAND, IDC_MOVE_UP, 0);
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp"}), FileNames(*m_album));
    // Walked in selection order: 1 waits for 2, which then moves alone.
    SendMessageW(dialog, WM_COMMAND, IDC_MOVE_DOWN, 0);
    EXPECT_EQ((FileList{L"1.bmp", L"3.bmp", L"2.bmp"}), FileNames(*m_album));
    EXPECT_EQ(FileNames(*m_album), RowNames(dialog));
}

TEST_F(AlbumDlgTest, DeleteAsksAndRemovesTheSelectedPhotos) {
    HWND dialog = Open();
    CtrlClick(dialog, 1);
    CtrlClick(dialog, 3);
    std::wstring question;
    AnswerMessageBox(IDOK, &question);
    SendMessageW(dialog, WM_COMMAND, IDC_DELETE_PHOTOS, 0);
    EXPECT_EQ(L"Do you want to delete selected photos?", question);
    EXPECT_EQ((FileList{L"2.bmp"}), FileNames(*m_album));
    EXPECT_EQ(L"Photos (1)", Pane(dialog, IDC_PAGE_LIST)->Current()->Text());
}

TEST_F(AlbumDlgTest, DeleteWithNothingSelectedStillAsksAndSelectsTheCurrentRow) {
    HWND dialog = Open();
    CNavPaneWnd& photos = Photos(dialog);
    photos.ClearSelection();
    ASSERT_NE(nullptr, photos.Current());
    std::wstring question;
    AnswerMessageBox(IDOK, &question);
    SendMessageW(dialog, WM_COMMAND, IDC_DELETE_PHOTOS, 0);
    EXPECT_FALSE(question.empty());
    EXPECT_EQ(3u, m_album->Photos().size());
    ASSERT_EQ(1u, photos.Selection().size());
    EXPECT_EQ(photos.Current(), photos.Selection().front());
}

// Nothing is decoded on the UI thread as photos are added. Fault: a file
// that is no picture (the "*.*" filter) stayed in the album and was stored;
// the workers check it and it leaves, as from a followed folder.
TEST_F(AlbumDlgTest, AddedPhotosAreAppendedAndSelectedAndWhatIsNoPictureLeaves) {
    HWND dialog = Open();
    const std::wstring broken = TempFolder::File(Folder() + L"\\broken.bmp", "not a picture");
    const int added = AddPhotoFiles(Photos(dialog), m_dialog->Host().RowThumbnails(), *m_album,
                                    {Picture(L"4.bmp"), broken, Picture(L"5.bmp")});
    EXPECT_EQ(3, added);
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp", L"4.bmp", L"broken.bmp", L"5.bmp"}), FileNames(*m_album));
    EXPECT_EQ(FileNames(*m_album), RowNames(dialog));
    EXPECT_EQ(3u, Photos(dialog).Selection().size());
    // The entry keeps its value name; its key follows its position on save.
    EXPECT_EQ(L"pic_path", m_album->Photos()[3]->PathParam().GetName().Str());

    EXPECT_TRUE(WaitUntil("the broken file dropped", [&] { return FileNames(*m_album).size() == 5; }));
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp", L"4.bmp", L"5.bmp"}), FileNames(*m_album));
    EXPECT_EQ(FileNames(*m_album), RowNames(dialog));
}

// How many pixels of the first row of the photos pane, drawn into a DIB,
// have about that colour (resampling may round each channel down a little).
int FirstRowPixels(CNavPaneWnd& pane, uint32_t rgb) {
    RECT client;
    GetClientRect(pane.Hwnd(), &client);
    CTestDib dib(client.right, client.bottom);
    pane.Paint(dib.Dc(), client);
    auto alike = [rgb](uint32_t pixel) {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF)) > 3)
                return false;
        return true;
    };
    int found = 0;
    for (int y = 0; y < 64 && y < client.bottom; ++y)
        for (int x = 0; x < 64; ++x) found += alike(dib.Pixel(x, y));
    return found;
}

const uint32_t kPlaceholderGrey = 0xA0A0A0;
const uint32_t kPictureColour = 0xE09030;

TEST_F(AlbumDlgTest, RowsShowAPlaceholderUntilTheirThumbnailArrives) {
    HWND dialog = Open();
    CNavPaneWnd& pane = Photos(dialog);
    EXPECT_GT(FirstRowPixels(pane, kPlaceholderGrey), 1000);
    EXPECT_EQ(0, FirstRowPixels(pane, kPictureColour));
    // The 8 x 6 picture's thumbnail is 64 x 48, as big as the placeholder.
    ASSERT_TRUE(WaitUntil("the first row's thumbnail", [&] { return FirstRowPixels(pane, kPictureColour) > 2500; }));
    EXPECT_EQ(0, FirstRowPixels(pane, kPlaceholderGrey));
}

// Rows keep no thumbnail once drawn: what memory lets go of is freed, so its
// bound holds however many rows a large album's page has drawn.
TEST_F(AlbumDlgTest, RowsKeepNoThumbnailAlive) {
    HWND dialog = Open();
    CNavPaneWnd& pane = Photos(dialog);
    ASSERT_TRUE(WaitUntil("the first row's thumbnail", [&] { return FirstRowPixels(pane, kPictureColour) > 2500; }));
    CThumbnails& thumbnails = m_album->Thumbnails();
    ASSERT_TRUE(WaitUntil("every row's thumbnail", [&] { return thumbnails.Outstanding() == 0; }));
    FirstRowPixels(pane, kPictureColour);  // every row drawn with its thumbnail
    std::vector<std::weak_ptr<const CBmp>> blocks;
    for (const CSlide* photo : m_album->Photos()) {
        blocks.push_back(thumbnails.Get(photo->GetPath(), nullptr));
        thumbnails.FileChanged(photo->GetPath());
    }
    int alive = 0;
    for (const auto& block : blocks) alive += block.expired() ? 0 : 1;
    EXPECT_LE(alive, 1) << "rows still hold thumbnails memory let go of";  // the one drawn last
}

// The workers' decodes wait at a gate the test opens.
class AlbumDlgGatedTest : public AlbumDlgTest {
protected:
    struct Gate {
        HANDLE open = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::mutex lock;
        std::vector<std::wstring> entered;
        ~Gate() { CloseHandle(open); }
    };
    void SetUp() override {
        // Made before the album: the album and the rows share this instance.
        m_thumbnails = CThumbnails::Shared([gate = m_gate](ThumbJob& job, CBmp& out) {
            {
                const std::lock_guard<std::mutex> hold(gate->lock);
                gate->entered.push_back(job.path);
            }
            WaitForSingleObject(gate->open, kWaitMs);
            return MakeJobThumbnail(job, out);
        });
        AlbumDlgTest::SetUp();
    }
    void TearDown() override {
        SetEvent(m_gate->open);
        AlbumDlgTest::TearDown();
    }
    std::vector<std::wstring> Entered() {
        const std::lock_guard<std::mutex> hold(m_gate->lock);
        return m_gate->entered;
    }

    std::shared_ptr<Gate> m_gate = std::make_shared<Gate>();
    std::shared_ptr<CThumbnails> m_thumbnails;
};

// Fault: OK pressed while photos added just now were still being checked
// stored them all, a file that is no picture too. OK waits for the checks.
TEST_F(AlbumDlgGatedTest, OkWaitsForTheChecksOfPhotosAddedJustNow) {
    HWND dialog = Open();
    const std::wstring broken = TempFolder::File(Folder() + L"\\broken.bmp", "not a picture");
    AddPhotoFiles(Photos(dialog), m_dialog->Host().RowThumbnails(), *m_album, {broken, Picture(L"4.bmp")});
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(dialog)) << "OK did not wait for the checks";
    SetEvent(m_gate->open);
    ASSERT_TRUE(WaitUntil("the dialog closed once the checks were done", [&] { return !IsWindow(dialog); }));
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp", L"4.bmp"}), FileNames(*m_album));
}

// Closing cancels what only the rows waited for; a decode that was under way
// still arrives, after the rows and their pane are gone, and is kept.
TEST_F(AlbumDlgGatedTest, ClosingTheDialogCancelsItsRowsThumbnails) {
    HWND dialog = Open();
    FirstRowPixels(Photos(dialog), kPlaceholderGrey);  // the rows ask for their thumbnails
    CThumbnails& thumbnails = m_album->Thumbnails();
    ASSERT_EQ(m_thumbnails.get(), &thumbnails) << "an earlier instance outlived its test";
    EXPECT_EQ(3u, thumbnails.Outstanding());
    // Every worker holds a row's job: none is taken and not yet under way.
    const size_t workers = std::min<size_t>(3, static_cast<size_t>(CThumbPool::WorkerCount()));
    ASSERT_TRUE(WaitUntil("every worker's decode under way", [&] { return Entered().size() == workers; }));
    m_dialog.reset();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(0u, thumbnails.Outstanding());

    const std::vector<std::wstring> underWay = Entered();
    SetEvent(m_gate->open);
    ASSERT_TRUE(WaitUntil("the decodes under way kept", [&] {
        for (const std::wstring& path : underWay)
            if (thumbnails.KnownState(path) != CThumbnails::Known::Usable) return false;
        return true;
    }));
    for (const CSlide* photo : m_album->Photos()) {
        const std::wstring& path = photo->GetPath().Str();
        if (std::find(underWay.begin(), underWay.end(), path) == underWay.end()) {
            EXPECT_EQ(CThumbnails::Known::No, thumbnails.KnownState(path)) << Utf8(path) << " was made after all";
        }
    }
    EXPECT_EQ(underWay, Entered());
}

TEST_F(AlbumDlgTest, CancelRestoresPhotosSettingsAndName) {
    HWND dialog = Open();
    CtrlClick(dialog, 1);
    AnswerMessageBox(IDOK);
    SendMessageW(dialog, WM_COMMAND, IDC_DELETE_PHOTOS, 0);
    AddPhotoFiles(Photos(dialog), m_dialog->Host().RowThumbnails(), *m_album, {Picture(L"9.bmp")});
    m_album->Timeout().SetValue(33);
    m_album->Monitor().SetValue(tstr(L"\\\\.\\DISPLAY2"));
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"Elsewhere");
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp"}), FileNames(*m_album));
    EXPECT_EQ(5ul, m_album->Timeout().GetValue());
    EXPECT_EQ(L"", m_album->Monitor().GetValue().Str());
    EXPECT_EQ(L"Trips", m_album->GetAlbumName().Str());
}

TEST_F(AlbumDlgTest, SwitchingPageEditsTimeoutAndShuffleLiveAndCancelRevertsThem) {
    HWND dialog = Open();
    HWND page = OpenPage(dialog, IDC_PAGE_SWITCH, IDC_TIMEOUT_EDIT);
    EXPECT_FALSE(Shown(GetDlgItem(dialog, IDC_PAGE_ITEMS)));
    EXPECT_FALSE(Shown(GetDlgItem(dialog, IDC_PAGE_TOOLBAR)));
    ASSERT_NE(nullptr, page);
    SetWindowTextW(GetDlgItem(page, IDC_TIMEOUT_EDIT), L"90");
    EXPECT_EQ(60ul, m_album->Timeout().GetValue());
    SendDlgItemMessageW(page, IDC_SHUFFLE, BM_CLICK, 0, 0);
    EXPECT_TRUE(m_album->Shuffled());
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(5ul, m_album->Timeout().GetValue());
    EXPECT_FALSE(m_album->Shuffled());
}

TEST_F(AlbumDlgTest, SliderPageTurnsHidingFromCaptureOffAndCancelTakesItBack) {
    HWND dialog = Open();
    HWND page = OpenPage(dialog, IDC_PAGE_SLIDER, IDC_HIDE_FROM_CAPTURE);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page, IDC_HIDE_FROM_CAPTURE));
    SendDlgItemMessageW(page, IDC_HIDE_FROM_CAPTURE, BM_CLICK, 0, 0);
    EXPECT_EQ(0, m_album->HideFromCapture().GetValue());
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(1, m_album->HideFromCapture().GetValue());
}

TEST_F(AlbumDlgTest, SliderPageChoosesCaptionAndOnThisDayAndCancelTakesThemBack) {
    HWND dialog = Open();
    HWND page = OpenPage(dialog, IDC_PAGE_SLIDER, IDC_CAPTION);
    ASSERT_NE(nullptr, page);
    HWND combo = GetDlgItem(page, IDC_CAPTION);
    ASSERT_EQ(4, SendMessageW(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageW(combo, CB_GETCURSEL, 0, 0));
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(L"File name", text);
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_CAPTION, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    SendDlgItemMessageW(page, IDC_ON_THIS_DAY, BM_CLICK, 0, 0);
    EXPECT_EQ(3, m_album->Caption().GetValue());
    EXPECT_EQ(1, m_album->OnThisDay().GetValue());
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(0, m_album->Caption().GetValue());
    EXPECT_EQ(0, m_album->OnThisDay().GetValue());
}

TEST_F(AlbumDlgTest, OkRenamesAndRefusesNamesInUse) {
    HWND dialog = Open();
    std::wstring warning;
    AnswerMessageBox(IDOK, &warning);
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"family");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"Album with such name already exists", warning);
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(L"Trips", m_album->GetAlbumName().Str());

    AnswerMessageBox(IDOK, &warning);
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"a\\b");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(IsWindow(dialog));

    AnswerMessageBox(IDOK, &warning);
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"x*app*");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"Album name can't contain \"*firm*\", \"*app*\" or \"*prof*\"", warning);
    ASSERT_TRUE(IsWindow(dialog));

    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"Holidays");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(L"Holidays", m_album->GetAlbumName().Str());
    EXPECT_EQ(L"Trips", m_album->RenamedFrom().Str());
}

TEST_F(AlbumDlgTest, KeepingItsOwnNameIsAccepted) {
    HWND dialog = Open();
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(L"Trips", m_album->GetAlbumName().Str());
    EXPECT_TRUE(m_album->RenamedFrom().IsEmpty());
}

// ---- new album

TEST_F(AlbumDlgTest, NewAlbumRefusesATakenNameAndTakesAFreeOne) {
    CAlbumNewDlg ask(m_albums);
    HWND dialog = ask.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ALBUM_NEW), nullptr);
    ASSERT_NE(nullptr, dialog);
    std::wstring warning;
    AnswerMessageBox(IDOK, &warning);
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"Family");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"Album with such name already exists", warning);
    ASSERT_TRUE(IsWindow(dialog));

    AnswerMessageBox(IDOK, &warning);
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(AnswerPending());

    // The setting still follows the edit after a refusal.
    SetDlgItemTextW(dialog, IDC_ALBUM_NAME, L"Garden");
    EXPECT_EQ(L"Garden", ask.Name().Str());
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(L"Garden", ask.Name().Str());
}

// ---- the open-file result

TEST_F(AlbumDlgTest, OpenFileResultWithOneFile) {
    const std::wstring path = Picture(L"one.bmp");
    std::wstring buffer = path + L'\0' + L'\0';
    const std::vector<tstr> paths = ParseOpenFileResult(buffer.c_str(), buffer.size());
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(path, paths[0].Str());
}

TEST_F(AlbumDlgTest, OpenFileResultWithSeveralFilesKeepsTheirOrder) {
    std::wstring buffer = Folder() + L'\0' + L"b.bmp" + L'\0' + L"a.bmp" + L'\0' + L'\0';
    const std::vector<tstr> paths = ParseOpenFileResult(buffer.c_str(), buffer.size());
    ASSERT_EQ(2u, paths.size());
    EXPECT_EQ(Folder() + L"\\b.bmp", paths[0].Str());
    EXPECT_EQ(Folder() + L"\\a.bmp", paths[1].Str());
}

TEST_F(AlbumDlgTest, OpenFileResultStaysInItsBufferAndKeepsLongPathsWhole) {
    const std::wstring name(300, L'n');
    std::wstring buffer = Folder() + L'\0' + name + L'\0' + L'\0';
    std::vector<tstr> paths = ParseOpenFileResult(buffer.c_str(), buffer.size());
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(Folder() + L"\\" + name, paths[0].Str());

    const std::wstring unterminated = Folder() + L'\0' + L"abc";
    paths = ParseOpenFileResult(unterminated.data(), unterminated.size());
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(Folder() + L"\\abc", paths[0].Str());
    EXPECT_TRUE(ParseOpenFileResult(L"", 1).empty());
    EXPECT_TRUE(ParseOpenFileResult(nullptr, 10).empty());
}

}  // namespace

// ---- Add folder and a followed folder

class FolderDlgTest : public AlbumDlgTest {
protected:
    // Answers the "Add folder" box with `folder` and the two check boxes.
    void AnswerAddFolder(const std::wstring& folder, bool subfolders, bool follow) {
        OnNextBox("the Add folder box", [=](HWND box) {
            if (!GetDlgItem(box, IDC_FOLDER_FOLLOW)) return false;
            SetDlgItemTextW(box, IDC_FOLDER_PATH, folder.c_str());
            if (subfolders) SendDlgItemMessageW(box, IDC_FOLDER_SUBFOLDERS, BM_CLICK, 0, 0);
            if (follow) SendDlgItemMessageW(box, IDC_FOLDER_FOLLOW, BM_CLICK, 0, 0);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        });
    }
    // Handles messages until the rows are `names` (the listing comes from a worker).
    ::testing::AssertionResult RowsBecome(HWND dialog, const FileList& names) {
        return WaitUntil("the rows of the folder's pictures", [&] { return RowNames(dialog) == names; });
    }
};

TEST_F(FolderDlgTest, AddedOnceWithSubfoldersInNaturalOrder) {
    HWND dialog = Open();
    TempFolder source;
    TempFolder::File(source.Path() + L"\\p10.bmp", BmpBytes(4, 3));
    TempFolder::File(source.Path() + L"\\p9.bmp", BmpBytes(4, 3));
    TempFolder::File(source.Folder(L"inner") + L"\\q.bmp", BmpBytes(4, 3));
    AnswerAddFolder(source.Path(), true, false);
    SendMessageW(dialog, WM_COMMAND, IDC_ADD_FOLDER, 0);
    EXPECT_TRUE(RowsBecome(dialog, {L"1.bmp", L"2.bmp", L"3.bmp", L"p9.bmp", L"p10.bmp", L"q.bmp"}));
    EXPECT_FALSE(m_album->FollowsFolder());
    EXPECT_FALSE(Shown(GetDlgItem(dialog, IDC_UNLINK_FOLDER)));
}

// Fault: OK right after "Add folder" closed the dialog before the folder was
// listed, and the folder's pictures were lost without a word.
TEST_F(FolderDlgTest, OkWaitsForTheFolderBeingListedAndCancelStillEndsTheWait) {
    TempFolder source;
    TempFolder::File(source.Path() + L"\\p.bmp", BmpBytes(4, 3));
    for (int button : {IDCANCEL, IDOK}) {
        HWND dialog = Open();
        AnswerAddFolder(source.Path(), false, false);
        SendMessageW(dialog, WM_COMMAND, IDC_ADD_FOLDER, 0);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(IsWindow(dialog)) << "OK did not wait for the listing";
        if (button == IDCANCEL) SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil("the end of the dialog", [&] { return !IsWindow(dialog); }));
        EXPECT_EQ((button == IDOK ? FileList{L"1.bmp", L"2.bmp", L"3.bmp", L"p.bmp"}
                                  : FileList{L"1.bmp", L"2.bmp", L"3.bmp"}),
                  FileNames(*m_album));
    }
}

TEST_F(FolderDlgTest, FollowedFolderLocksTheListUntilUnlinkedAndCancelRestoresAll) {
    HWND dialog = Open();
    TempFolder source;
    TempFolder::File(source.Path() + L"\\b.bmp", BmpBytes(4, 3));
    TempFolder::File(source.Folder(L"inner") + L"\\c.bmp", BmpBytes(4, 3));
    AnswerAddFolder(source.Path(), false, true);
    SendMessageW(dialog, WM_COMMAND, IDC_ADD_FOLDER, 0);
    EXPECT_TRUE(RowsBecome(dialog, {L"b.bmp"}));
    EXPECT_EQ(source.Path(), m_album->Folder().GetValue().Str());
    EXPECT_EQ(0, m_album->Subfolders().GetValue());
    EXPECT_TRUE(Shown(GetDlgItem(dialog, IDC_UNLINK_FOLDER)));
    wchar_t line[512] = L"";
    GetDlgItemTextW(dialog, IDC_FOLDER_LINK_TEXT, line, 512);
    EXPECT_EQ(L"In step with " + source.Path(), std::wstring(line));

    // The folder decides the list: deleting is not offered.
    CtrlClick(dialog, 1);
    SendMessageW(dialog, WM_COMMAND, IDC_DELETE_PHOTOS, 0);
    EXPECT_EQ(FileList{L"b.bmp"}, FileNames(*m_album));

    SendMessageW(dialog, WM_COMMAND, IDC_UNLINK_FOLDER, 0);
    EXPECT_FALSE(m_album->FollowsFolder());
    EXPECT_FALSE(Shown(GetDlgItem(dialog, IDC_UNLINK_FOLDER)));
    EXPECT_EQ(FileList{L"b.bmp"}, RowNames(dialog));

    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp"}), FileNames(*m_album));
    EXPECT_FALSE(m_album->FollowsFolder());
}

TEST_F(FolderDlgTest, FolderAndSubfoldersAreStoredOnlyWhenSet) {
    std::unique_ptr<CWppProfile> album = OpenAlbum(L"Trips");
    album->Folder().SetValue(L"C:\\Photos");
    album->Subfolders().SetValue(1);
    ASSERT_TRUE(album->Save());
    EXPECT_EQ(L"C:\\Photos", ReadText(AlbumPath(L"Trips", L"Slides"), L"Folder"));
    EXPECT_EQ(L"1", ReadText(AlbumPath(L"Trips", L"Slides"), L"Subfolders"));
    std::unique_ptr<CWppProfile> loaded(CWppProfile::NewAlbumObject(L"Trips"));
    loaded->Load();
    EXPECT_TRUE(loaded->FollowsFolder());
    EXPECT_EQ(1, loaded->Subfolders().GetValue());

    album->Unlink();
    ASSERT_TRUE(album->Save());
    const auto names = ValueNames(AlbumPath(L"Trips", L"Slides"));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), L"Folder"));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), L"Subfolders"));
}

// A typo must not make the album follow nothing (and empty it).
TEST_F(FolderDlgTest, FolderThatIsNotThereIsRefused) {
    HWND dialog = Open();
    const std::vector<std::wstring> tries = {Folder() + L"\\no such folder",
                                             TempFolder::File(Folder() + L"\\plain.txt"), L"relative"};
    size_t tried = 0, warned = 0;
    OnNextBox("the Add folder box, tried with each folder", [&](HWND box) {
        // The warning, owned by the box (the harness may hand over either).
        if (HWND warning = FindWindowW(L"#32770", L"Warning")) {
            // One warning for each try, however often it is seen closing.
            if (tried > warned) ++warned;
            PostMessageW(warning, WM_COMMAND, IDOK, 0);
            return false;
        }
        if (!GetDlgItem(box, IDC_FOLDER_FOLLOW)) return false;
        if (tried > warned) return false;   // the warning is still on its way
        if (tried == tries.size()) {
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        SetDlgItemTextW(box, IDC_FOLDER_PATH, tries[tried++].c_str());
        SendDlgItemMessageW(box, IDC_FOLDER_FOLLOW, BM_CLICK, 0, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return false;
    });
    SendMessageW(dialog, WM_COMMAND, IDC_ADD_FOLDER, 0);
    EXPECT_EQ(tries.size(), warned);
    EXPECT_FALSE(m_album->FollowsFolder());
    EXPECT_EQ((FileList{L"1.bmp", L"2.bmp", L"3.bmp"}), FileNames(*m_album));
}
