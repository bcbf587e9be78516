// Curating from the frame: the photo commands sent to the main window of a
// real application object, with the real clipboard, shell and registry.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "album/FolderFollow.h"
#include "app/TrayMenu.h"
#include "dialogs/Wpp.h"
#include "res/dialogs.h"
#include "tests/dialogs/MainWindowTest.h"

namespace {

// The Wine desktop's trash folder, where the Recycle Bin puts files; made
// as a desktop has it.
std::wstring TrashFile(const std::wstring& name) {
    // Wine passes no HOME: the test's environment names the folder.
    wchar_t data[MAX_PATH] = L"";
    EXPECT_TRUE(GetEnvironmentVariableW(L"LUMORA_TRASH", data, MAX_PATH)) << "LUMORA_TRASH is not set";
    std::wstring trash = L"Z:" + std::wstring(data);
    for (wchar_t& c : trash)
        if (c == L'/') c = L'\\';
    for (const wchar_t* below : {L"", L"\\files", L"\\info"}) CreateDirectoryW((trash + below).c_str(), nullptr);
    return trash + L"\\files\\" + name;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The screen into "<LUMORA_SHOTS>\<name>.bmp" when that folder is set, to
// look at by eye.
void Shoot(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"LUMORA_SHOTS", folder, MAX_PATH)) return;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = w;
    header.biHeight = h;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    std::string bits(stride * static_cast<DWORD>(h), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), &bits[0], reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(header);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    HANDLE out = CreateFileW((std::wstring(folder) + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof(file), &written, nullptr);
    WriteFile(out, &header, sizeof(header), &written, nullptr);
    WriteFile(out, bits.data(), static_cast<DWORD>(bits.size()), &written, nullptr);
    CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// The popup menus on screen, the first opened first.
std::vector<HWND> OpenMenus() {
    std::vector<HWND> menus;
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));)
        if (IsWindowVisible(menu)) menus.insert(menus.begin(), menu);
    return menus;
}

// What `step` sees of the menus on screen, from a timer while a menu loop
// runs; the loop is ended once it returns true, or after the deadline.
struct MenuWatch {
    static MenuWatch* s_current;
    std::function<bool(const std::vector<HWND>&)> step;
    CDeadline deadline;
    bool done = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuWatch& watch = *s_current;
        if (watch.done) return;
        const std::vector<HWND> menus = OpenMenus();
        if ((!menus.empty() && watch.step(menus)) || watch.deadline.Passed()) {
            watch.done = true;
            EndMenu();
        }
    }
};
MenuWatch* MenuWatch::s_current = nullptr;

class CMenuTimer {
public:
    explicit CMenuTimer(std::function<bool(const std::vector<HWND>&)> step) {
        m_watch.step = std::move(step);
        MenuWatch::s_current = &m_watch;
        m_timer = SetTimer(nullptr, 0, 100, MenuWatch::Tick);
    }
    ~CMenuTimer() { KillTimer(nullptr, m_timer); }
    bool Done() const { return m_watch.done && !m_watch.deadline.Passed(); }

private:
    MenuWatch m_watch;
    UINT_PTR m_timer = 0;
};

// Items of a menu window: their count and whether the favourite one is checked.
HMENU MenuOf(HWND window) { return reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)); }

class CurateTest : public MainWindowTest {
protected:
    // Names of their own: the trash outlives the test's folder.
    std::vector<std::wstring> Photos() override {
        const std::wstring tag = std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(GetCurrentProcessId());
        for (const wchar_t* name : {L"a", L"b", L"c"})
            m_photos.push_back(Picture((name + tag + L".bmp").c_str(), 40, 30));
        return m_photos;
    }

    // The show with its first photo on screen, and the switching timer stopped.
    void StartShow() {
        ASSERT_TRUE(m_app->StartShow());
        CSlideWnd& show = m_app->SlideWnd();
        ASSERT_TRUE(WaitUntil("the first photo", [&] { return !show.Switching() && !show.CurrentPath().IsEmpty(); }));
        KillTimer(show.Hwnd(), CSlideWnd::kSwitchTimer);
    }
    std::wstring OnScreen() const { return m_app->SlideWnd().CurrentPath().Str(); }
    void Command(UINT id) { SendMessageW(m_main, WM_COMMAND, id, 0); }
    // Answers the next message boxes with `buttons` in turn, keeping the
    // title and text of the last one.
    void Answer(std::vector<int> buttons) {
        OnNextBox("a message box", [this, buttons](HWND box) {
            wchar_t text[1024] = L"";
            GetWindowTextW(box, text, 1024);
            m_boxTitle = text;
            GetDlgItemTextW(box, 0xFFFF, text, 1024);
            m_boxText = text;
            if (buttons.size() > 1) Answer(std::vector<int>(buttons.begin() + 1, buttons.end()));
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(buttons.front()), 0);
            return true;
        });
    }

    std::vector<std::wstring> m_photos;
    std::wstring m_boxTitle;
    std::wstring m_boxText;
};

TEST_F(CurateTest, CopyPutsTheFileAndItsPictureOnTheClipboard) {
    StartShow();
    const std::wstring photo = OnScreen();
    if (OpenClipboard(m_main)) {
        EmptyClipboard();
        CloseClipboard();
    }
    Command(IDC_PHOTO_COPY);
    ASSERT_TRUE(WaitUntil("the picture on the clipboard", [] { return IsClipboardFormatAvailable(CF_DIB) != FALSE; }));
    ASSERT_TRUE(OpenClipboard(m_main));
    HANDLE drop = GetClipboardData(CF_HDROP);
    wchar_t file[MAX_PATH] = L"";
    if (drop) DragQueryFileW(static_cast<HDROP>(drop), 0, file, MAX_PATH);
    EXPECT_EQ(photo, file);
    HANDLE effect = GetClipboardData(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT));
    ASSERT_NE(nullptr, effect);
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), *static_cast<const DWORD*>(GlobalLock(effect)));
    GlobalUnlock(effect);
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(nullptr, dib);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(40, header->biWidth);
    EXPECT_EQ(30, header->biHeight);
    // The photo's own colour, not the frame's fitted copy.
    const BYTE* pixel = reinterpret_cast<const BYTE*>(header + 1);
    EXPECT_EQ(0x30, pixel[0]);
    EXPECT_EQ(0xE0, pixel[2]);
    GlobalUnlock(dib);
    CloseClipboard();
}

TEST_F(CurateTest, DeleteAnsweredNoChangesNothingAndYesRecyclesTheFileAndMovesOn) {
    StartShow();
    const std::wstring photo = OnScreen();
    Answer({IDNO});
    Command(IDC_PHOTO_DELETE);
    EXPECT_EQ(L"Delete photo", m_boxTitle);
    EXPECT_NE(std::wstring::npos, m_boxText.find(photo));
    EXPECT_TRUE(Exists(photo));
    EXPECT_EQ(3u, m_app->Photos().size());
    EXPECT_EQ(photo, OnScreen());

    const std::wstring name = photo.substr(photo.rfind(L'\\') + 1);
    const std::wstring trashed = TrashFile(name);
    Answer({IDYES});
    Command(IDC_PHOTO_DELETE);
    EXPECT_FALSE(Exists(photo));
    EXPECT_TRUE(Exists(trashed)) << Utf8(trashed);
    DeleteFileW(trashed.c_str());
    DeleteFileW((trashed.substr(0, trashed.rfind(L"\\files\\")) + L"\\info\\" + name + L".trashinfo").c_str());
    EXPECT_EQ(-1, m_app->IndexOfPhoto(photo));
    EXPECT_EQ(2u, m_app->Photos().size());
    ASSERT_TRUE(WaitUntil("the next photo", [&] { return !m_app->SlideWnd().Switching() && OnScreen() != photo; }));
    EXPECT_EQ(std::wstring::npos, ReadText(AlbumPath(L"Trips", L"Slides\\0000"), L"pic_path").find(photo));
}

TEST_F(CurateTest, ReadOnlyOrVanishedPhotoLeavesAlbumAndFileAsTheyWere) {
    StartShow();
    const std::wstring photo = OnScreen();
    ASSERT_TRUE(SetFileAttributesW(photo.c_str(), FILE_ATTRIBUTE_READONLY));
    Answer({IDYES, IDOK});
    Command(IDC_PHOTO_DELETE);
    EXPECT_NE(std::wstring::npos, m_boxText.find(L"cannot be moved to the Recycle Bin")) << Utf8(m_boxText);
    EXPECT_TRUE(Exists(photo));
    SetFileAttributesW(photo.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(3u, m_app->Photos().size());

    ASSERT_TRUE(DeleteFileW(photo.c_str()));
    for (UINT command : {IDC_PHOTO_DELETE, IDC_PHOTO_HIDE, IDC_PHOTO_COPY}) {
        Answer({IDOK});
        Command(command);
        EXPECT_NE(std::wstring::npos, m_boxText.find(L"no longer there")) << command;
    }
    EXPECT_EQ(3u, m_app->Photos().size());
    EXPECT_EQ(L"", ReadText(AlbumPath(L"Trips", L"Slides"), L"HiddenPhotos"));
}

}  // namespace

namespace {

TEST_F(CurateTest, HiddenPhotoLeavesTheAlbumForGoodUntilShownAgain) {
    StartShow();
    const std::wstring photo = OnScreen();
    Command(IDC_PHOTO_HIDE);
    EXPECT_EQ(-1, m_app->IndexOfPhoto(photo));
    ASSERT_TRUE(WaitUntil("the next photo", [&] { return !m_app->SlideWnd().Switching() && OnScreen() != photo; }));
    EXPECT_EQ(photo, ReadText(AlbumPath(L"Trips", L"Slides"), L"HiddenPhotos"));
    EXPECT_TRUE(Exists(photo));

    std::unique_ptr<CWppProfile> reloaded = OpenAlbum(L"Trips");
    EXPECT_EQ(2u, reloaded->Photos().size());
    EXPECT_EQ(-1, reloaded->IndexOfPhoto(photo));
    reloaded->UnhidePhoto(photo);
    ASSERT_TRUE(reloaded->Save());
    EXPECT_EQ(photo, Paths(*OpenAlbum(L"Trips")).back());
    // No list stored: the album stores as it did before.
    EXPECT_EQ(L"", ReadText(AlbumPath(L"Trips", L"Slides"), L"HiddenPhotos"));
}

TEST_F(CurateTest, FollowedFolderNeverBringsBackAHiddenPhotoUntilShownAgain) {
    std::unique_ptr<CWppProfile> album = OpenAlbum(L"Trips");
    album->Folder().SetValue(tstr(Folder()));
    album->HidePhoto(m_photos[1]);
    ASSERT_TRUE(album->Save());

    // Restarted, the folder listed again.
    std::unique_ptr<CWppProfile> restarted = OpenAlbum(L"Trips");
    ApplyFolderPaths(*restarted, {m_photos[0], m_photos[1], m_photos[2]}, [](const tstr& p) { return new CSlide(p); });
    EXPECT_EQ((std::vector<std::wstring>{m_photos[0], m_photos[2]}), Paths(*restarted));
    // Paths compare as the file system does.
    std::wstring upper = m_photos[1];
    CharUpperW(&upper[0]);
    EXPECT_TRUE(restarted->Hidden().Contains(upper));

    restarted->UnhidePhoto(m_photos[1]);
    EXPECT_EQ(2u, restarted->Photos().size());
    ApplyFolderPaths(*restarted, {m_photos[0], m_photos[1], m_photos[2]}, [](const tstr& p) { return new CSlide(p); });
    EXPECT_EQ(m_photos, Paths(*restarted));
}

}  // namespace

namespace {

TEST_F(CurateTest, FavouriteIsStoredBesideThePathAndReadBack) {
    StartShow();
    const std::wstring photo = OnScreen();
    const int index = m_app->IndexOfPhoto(photo);
    const std::wstring key = AlbumPath(L"Trips", L"Slides\\000" + std::to_wstring(index));
    Command(IDC_PHOTO_FAVOURITE);
    EXPECT_EQ(L"1", ReadText(key, L"Favourite"));
    std::unique_ptr<CWppProfile> reloaded = OpenAlbum(L"Trips");
    EXPECT_TRUE(reloaded->Photos()[static_cast<size_t>(index)]->IsFavourite());
    EXPECT_FALSE(reloaded->Photos()[static_cast<size_t>((index + 1) % 3)]->IsFavourite());

    // Moved to another key by a save, the mark goes with it.
    std::iter_swap(reloaded->Photos().Items().begin() + index, reloaded->Photos().Items().begin() + (index + 1) % 3);
    ASSERT_TRUE(reloaded->Save());
    EXPECT_EQ(L"", ReadText(key, L"Favourite"));
    EXPECT_EQ(L"1", ReadText(AlbumPath(L"Trips", L"Slides\\000" + std::to_wstring((index + 1) % 3)), L"Favourite"));

    Command(IDC_PHOTO_FAVOURITE);
    EXPECT_FALSE(m_app->Photos()[static_cast<size_t>(index)]->IsFavourite());
    EXPECT_EQ((std::vector<std::wstring>{L"pic_path"}), ValueNames(key));
}

}  // namespace

namespace {

TEST_F(CurateTest, StripMenuNamesItsCellsPhotoAndTheTraySubmenuTheOneOnScreen) {
    StartShow();
    CSlideWnd& show = m_app->SlideWnd();
    const std::wstring onScreen = OnScreen();
    const int next = (m_app->IndexOfPhoto(onScreen) + 1) % 3;
    const std::wstring nextPath = m_app->Photos()[static_cast<size_t>(next)]->GetPath().Str();
    // The cell's photo, not the one on screen.
    show.RunPhotoCommand(IDC_PHOTO_FAVOURITE, nextPath);
    EXPECT_TRUE(m_app->Photos()[static_cast<size_t>(next)]->IsFavourite());
    EXPECT_FALSE(m_app->Photos()[static_cast<size_t>(m_app->IndexOfPhoto(onScreen))]->IsFavourite());

    show.ShowStrip();
    HWND strip = show.Strip().Hwnd();
    ASSERT_TRUE(WaitUntil("the strip", [&] { return IsWindowVisible(strip) != FALSE; }));
    RECT cells;
    GetWindowRect(strip, &cells);
    const int cell = cells.bottom - cells.top;
    const int x = (cells.right - cells.left - cell) / 2 + cell + cell / 2;   // the cell right of the centre
    SetCursorPos(cells.left + x, cells.top + cell / 2);
    int items = 0;
    UINT favourite = 0;
    {
        CMenuTimer timer([&](const std::vector<HWND>& menus) {
            items = GetMenuItemCount(MenuOf(menus[0]));
            favourite = GetMenuState(MenuOf(menus[0]), IDC_PHOTO_FAVOURITE, MF_BYCOMMAND);
            Shoot(L"strip_menu");
            return true;
        });
        SendMessageW(strip, WM_RBUTTONDOWN, 0, MAKELPARAM(x, cell / 2));
        EXPECT_TRUE(timer.Done()) << "the strip's menu did not show";
    }
    EXPECT_EQ(6, items);
    EXPECT_TRUE(favourite & MF_CHECKED);

    // The tray's submenu opened by the pointer on "This photo".
    int photoItems = 0;
    {
        CTrayMenu tray(false, true, false, m_app->PhotoOnScreenItems());
        int moves = 0;
        CMenuTimer timer([&](const std::vector<HWND>& menus) {
            if (menus.size() > 1) {
                photoItems = GetMenuItemCount(MenuOf(menus[1]));
                Shoot(L"tray_submenu");
                return true;
            }
            RECT item{};
            GetMenuItemRect(nullptr, MenuOf(menus[0]), 2, &item);
            SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
            POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            ScreenToClient(menus[0], &at);
            PostMessageW(menus[0], ++moves % 2 ? WM_MOUSEMOVE : WM_LBUTTONDOWN, 0, MAKELPARAM(at.x, at.y));
            return false;
        });
        tray.Track(m_main);
        EXPECT_TRUE(timer.Done()) << "the tray's submenu did not show";
    }
    EXPECT_EQ(6, photoItems);
}

}  // namespace
