// The real program with pictures that crash decoders on Windows between
// good photos: the show goes on, the bad ones are dropped, and no decode
// helper outlives the program.

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "LumoraProcess.h"
#include "tests/support/BmpFile.h"
#include "tests/support/TempFolder.h"

using namespace lumora_test;

namespace {

std::string Bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }
std::string Le16(int v) { return Bytes({v & 0xFF, v >> 8 & 0xFF}); }
std::string Le32(uint32_t v) { return Le16(static_cast<int>(v & 0xFFFF)) + Le16(static_cast<int>(v >> 16)); }

// 8 x 8, neither a global nor a local colour table.
std::string GifWithoutColours() {
    return "GIF89a" + Le16(8) + Le16(8) + Bytes({0, 0, 0, 0x2C}) + Le16(0) + Le16(0) + Le16(8) + Le16(8) +
           Bytes({0, 2, 4, 0x84, 0x8F, 0xA9, 0xCB, 0, 0x3B});
}

// Its header claims 4000 x 3000 pixels; 300 bytes follow.
std::string ShortBmp() {
    return "BM" + Le32(54 + 4000 * 3000 * 3) + Le32(0) + Le32(54) + Le32(40) + Le32(4000) + Le32(3000) + Le16(1) +
           Le16(24) + Le32(0) + Le32(4000 * 3000 * 3) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + std::string(300, 'x');
}

// 64 x 64 grey in four strips whose offsets point past the file and into its header.
std::string TiffWithWrongStrips() {
    const auto entry = [](int tag, int type, uint32_t count, uint32_t value) {
        return Le16(tag) + Le16(type) + Le32(count) + Le32(value);
    };
    const uint32_t arrays = 8 + 2 + 8 * 12 + 4;
    std::string tiff = "II" + Le16(42) + Le32(8) + Le16(8) + entry(256, 3, 1, 64) + entry(257, 3, 1, 64) +
                       entry(258, 3, 1, 8) + entry(259, 3, 1, 1) + entry(262, 3, 1, 1) +
                       entry(273, 4, 4, arrays) + entry(278, 3, 1, 16) + entry(279, 4, 4, arrays + 16) + Le32(0);
    tiff += Le32(0xFFFFFF00u) + Le32(4) + Le32(100000) + Le32(0x7FFFFFFFu);
    tiff += Le32(1024) + Le32(1024) + Le32(0xFFFFFFF0u) + Le32(1024);
    return tiff;
}

// Running processes of this build's program, by the system's list.
int LumoraProcesses() {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, L"lumora.exe") == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// Processes of the Linux list whose command line runs this build's program.
int LinuxProcesses() {
    const std::string exe = Lower(Utf8(LumoraExePath()));
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (find == INVALID_HANDLE_VALUE) return -1;
    do {
        if (!iswdigit(found.cFileName[0])) continue;
        HANDLE file = CreateFileW((std::wstring(L"Z:\\proc\\") + found.cFileName + L"\\cmdline").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        char line[4096];
        DWORD got = 0;
        if (ReadFile(file, line, sizeof(line) - 1, &got, nullptr) &&
            Lower(std::string(line, got)).find(exe) != std::string::npos)
            ++count;
        CloseHandle(file);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

// The slide window's shape: 'w'ide, 't'all or 's'quare.
char Shape(HWND slide) {
    RECT r = {};
    GetWindowRect(slide, &r);
    const long w = r.right - r.left, h = r.bottom - r.top;
    return w > h * 3 / 2 ? 'w' : h > w * 3 / 2 ? 't' : 's';
}

TEST(BadPictures, ShowGoesOnWithoutThemAndNoHelperOutlivesTheProgram) {
    ResetRegistry();
    MarkNotFirstRun();
    WriteValue(L"Options\\Common", L"ConfirmExit", L"0");
    TempFolder temp;
    const std::wstring dir = temp.Path() + L"\\";
    const std::wstring wide = TempFolder::File(dir + L"wide.bmp", BmpBytes(160, 40));
    const std::wstring tall = TempFolder::File(dir + L"tall.bmp", BmpBytes(40, 160));
    const std::wstring square = TempFolder::File(dir + L"square.bmp", BmpBytes(100, 100));
    const std::vector<std::wstring> album = {wide, TempFolder::File(dir + L"nocolours.gif", GifWithoutColours()),
                                             tall, TempFolder::File(dir + L"short.bmp", ShortBmp()),
                                             square, TempFolder::File(dir + L"strips.tif", TiffWithWrongStrips())};
    StorePhotos(album);

    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    HWND slide = nullptr;
    ASSERT_TRUE(WaitUntil("the slide window", [&] { return (slide = lumora.FindShownWindow(L"SlideWnd")) != nullptr; }));
    ASSERT_TRUE(WaitUntil("the wide photo first", [&] { return Shape(slide) == 'w'; }));
    // Three rounds by "Next photo": the good ones in their order, each in turn.
    const char order[] = "tswtswtsw";
    for (const char* next = order; *next; ++next) {
        PostMessageW(main, WM_COMMAND, 1060, 0);
        ASSERT_TRUE(WaitUntil(std::string("photo '") + *next + "' after " + std::to_string(next - order) + " switches",
                              [&] { return Shape(slide) == *next; }));
        ASSERT_TRUE(lumora.Running());
    }
    PostMessageW(main, WM_COMMAND, 999, 0);
    DWORD code = 1;
    ASSERT_TRUE(lumora.WaitExit(code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ((std::vector<std::wstring>{wide, tall, square}), StoredPhotos());
    EXPECT_TRUE(WaitUntil("no decode helper left", [] { return LumoraProcesses() == 0; }));
    EXPECT_EQ(0, LinuxProcesses());
    ResetRegistry();
}

// Killed, the program runs no code of its own at its end: its helpers end
// with the job it holds them in.
TEST(BadPictures, HelpersEndWhenTheProgramIsKilled) {
    ResetRegistry();
    MarkNotFirstRun();
    TempFolder temp;
    StorePhotos({TempFolder::File(temp.Path() + L"\\a.bmp", BmpBytes(50, 40))});
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    ASSERT_NE(nullptr, lumora.WaitMainWindow());
    ASSERT_TRUE(WaitUntil("the slide window", [&] { return lumora.FindShownWindow(L"SlideWnd") != nullptr; }));
    ASSERT_TRUE(WaitUntil("a decode helper", [] { return LumoraProcesses() >= 2 && LinuxProcesses() >= 2; }));
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, lumora.Id());
    ASSERT_NE(nullptr, process);
    TerminateProcess(process, 7);
    CloseHandle(process);
    EXPECT_TRUE(WaitUntil("no decode helper left", [] { return LumoraProcesses() == 0 && LinuxProcesses() == 0; }));
    ResetRegistry();
}

}  // namespace
