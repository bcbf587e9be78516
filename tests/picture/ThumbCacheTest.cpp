// The thumbnail cache on disk: hits only for the unchanged photo, damaged and
// foreign files ignored and replaced, an unusable folder tolerated, a bounded
// folder, and several writers at once (threads, cache objects, processes).
#include "picture/ThumbCache.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace {

const wchar_t kChildFolderVariable[] = L"LUMORA_THUMB_TEST_FOLDER";
// Room for four of the 16 x 16 thumbnails (one 4 KB cluster each) of the six
// keys the concurrent writers share, so they keep evicting.
const uint64_t kTightBound = 4 * 4096;

// Names of one length for n < 90; a new version has another size and time.
ThumbKey Key(int n, uint64_t version = 0)
{
    return ThumbKey{L"C:\\Photos\\photo" + std::to_wstring(10 + n) + L".jpg", 1000 + version,
                    0x01D9000000000000ull + version, 64};
}

// Every pixel tells which key and version it was made for.
CBmp Thumb(int n, uint64_t version = 0, int side = 16)
{
    CBmp b;
    b.Create(side, side);
    b.Fill(0xFF000000u | (static_cast<uint32_t>(n) << 8) | static_cast<uint32_t>(version));
    return b;
}

bool SamePixels(const CBmp& a, const CBmp& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Bits(), a.Bits() + a.ByteSize(), b.Bits());
}

bool Hits(CThumbCache& cache, const ThumbKey& key, const CBmp& want)
{
    CBmp got;
    return cache.Find(key, got) && SamePixels(got, want);
}

int EntryFiles(const std::wstring& folder)
{
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*.thumb").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

// Last written two days ago plus `minutes`.
void Age(const std::wstring& path, int minutes)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t minute = 60 * 10000000ull;
    const uint64_t ticks = ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                           2 * 24 * 60 * minute + static_cast<uint64_t>(minutes) * minute;
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME t{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &t));
    CloseHandle(file);
}

TEST(ThumbCache, HitsOnlyWhileThePhotoIsUnchanged)
{
    TempFolder dir;
    CThumbCache cache(dir.Path() + L"\\new\\Thumbnails");
    ASSERT_TRUE(cache.Enabled());
    cache.Put(Key(1), Thumb(1));
    EXPECT_TRUE(Hits(cache, Key(1), Thumb(1)));
    CBmp untouched = Thumb(9);
    EXPECT_FALSE(cache.Find(Key(1, 1), untouched));  // the photo was replaced
    EXPECT_TRUE(SamePixels(untouched, Thumb(9)));
    cache.Put(Key(1, 1), Thumb(1, 1));
    EXPECT_TRUE(Hits(cache, Key(1, 1), Thumb(1, 1)));
    EXPECT_FALSE(cache.Find(Key(1), untouched));

    // Keys are only names: any path the album can hold.
    const std::wstring deep = L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b');
    for (const ThumbKey& key :
         {ThumbKey{L"C:\\Fotos\\\u00c5r\u00f8\\\u5199\u771f \U0001F600.jpg", 5, 6, 64}, ThumbKey{deep, 5, 6, 64}}) {
        cache.Put(key, Thumb(2));
        EXPECT_TRUE(Hits(cache, key, Thumb(2)));
    }
}

TEST(ThumbCache, DamagedOrForeignEntriesAreMissesAndGetReplaced)
{
    TempFolder dir;
    CThumbCache cache(dir.Path());
    const ThumbKey key = Key(4);
    const std::vector<uint8_t> entry = EncodeThumbEntry(key, Thumb(4));
    const std::string good(entry.begin(), entry.end());
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x40;
    for (const std::string& damage : {good.substr(0, good.size() - 1), flipped, std::string(),
                                      std::string("not a thumbnail at all\r\n")}) {
        TempFolder::File(cache.EntryPath(key), damage);
        CBmp out;
        EXPECT_FALSE(cache.Find(key, out));
        EXPECT_TRUE(out.Empty());
        cache.Put(key, Thumb(4));
        EXPECT_TRUE(Hits(cache, key, Thumb(4)));
    }
    // The whole folder cleared away while the program runs.
    ASSERT_TRUE(DeleteFileW(cache.EntryPath(key).c_str()));
    ASSERT_TRUE(RemoveDirectoryW(dir.Path().c_str()));
    cache.Put(key, Thumb(4));
    EXPECT_TRUE(Hits(cache, key, Thumb(4)));
}

TEST(ThumbCache, UnusableFolderDisablesTheCache)
{
    TempFolder dir;
    const std::wstring file = TempFolder::File(dir.Path() + L"\\file.txt");
    // Beneath a file, on a file system that refuses writes, or none at all.
    for (const std::wstring& folder : {file + L"\\Thumbnails", std::wstring(L"Z:\\proc"), std::wstring()}) {
        CThumbCache cache(folder);
        EXPECT_FALSE(cache.Enabled());
        cache.Put(Key(1), Thumb(1));
        CBmp out;
        EXPECT_FALSE(cache.Find(Key(1), out));
    }
    const std::wstring standard = CThumbCache::DefaultFolder();
    const std::wstring tail = L"\\Arvendal\\Lumora\\Thumbnails";
    ASSERT_GT(standard.size(), tail.size());
    EXPECT_EQ(standard.substr(standard.size() - tail.size()), tail);
}

// Entries of one 4 KB cluster each, ten of them allowed.
TEST(ThumbCache, StaysUnderTheBoundEvictingLeastRecentlyUsed)
{
    TempFolder dir;
    const uint64_t cluster = 4096;
    ASSERT_LE(EncodeThumbEntry(Key(0), Thumb(0, 0, 31)).size(), cluster);
    CThumbCache cache(dir.Path(), 10 * cluster);
    TempFolder::File(dir.Path() + L"\\keep.txt", std::string(20 * cluster, 'k'));
    const std::wstring deadWriter = TempFolder::File(dir.Path() + L"\\0123.99-1.thumbtmp", "partial");
    Age(deadWriter, 0);
    for (int n = 0; n < 10; ++n) {
        cache.Put(Key(n), Thumb(n, 0, 31));
        Age(cache.EntryPath(Key(n)), n);
    }
    CBmp out;
    ASSERT_TRUE(cache.Find(Key(0), out));  // used again: now the most recent
    for (int n = 10; n < 14; ++n)
        cache.Put(Key(n), Thumb(n, 0, 31));

    EXPECT_EQ(EntryFiles(dir.Path()), 10);
    for (int n = 0; n < 14; ++n)
        EXPECT_EQ(cache.Find(Key(n), out), n == 0 || n >= 5) << n;
    EXPECT_NE(GetFileAttributesW((dir.Path() + L"\\keep.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(deadWriter.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Puts and finds the same few keys in two versions for as long as `more`
// says; every hit must be exactly the thumbnail of its key and version.
int WrongHits(CThumbCache& cache, unsigned seed, const std::function<bool(int)>& more)
{
    int wrong = 0;
    for (int round = 0; more(round); ++round) {
        const int n = static_cast<int>(seed % 6);
        const uint64_t version = (seed >> 4) % 2;
        seed = seed * 1103515245u + 12345u;
        if (round % 2)
            cache.Put(Key(n, version), Thumb(n, version));
        CBmp out;
        if (cache.Find(Key(n, version), out) && !SamePixels(out, Thumb(n, version)))
            ++wrong;
    }
    return wrong;
}

// Run by the test below as a second process on the same folder.
TEST(ThumbCacheChild, DISABLED_WritesTheSameKeys)
{
    wchar_t folder[MAX_PATH] = L"";
    ASSERT_TRUE(GetEnvironmentVariableW(kChildFolderVariable, folder, MAX_PATH));
    CThumbCache cache(folder, kTightBound);
    EXPECT_EQ(WrongHits(cache, 99, [](int round) { return round < 600; }), 0);
}

TEST(ThumbCache, WritersInThreadsObjectsAndProcessesNeverMixEntries)
{
    TempFolder dir;
    SetEnvironmentVariableW(kChildFolderVariable, dir.Path().c_str());
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) +
                           L"\" --gtest_filter=ThumbCacheChild.* --gtest_also_run_disabled_tests";
    STARTUPINFOW start = {};
    start.cb = sizeof(start);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &child));

    CThumbCache roomy(dir.Path());
    CThumbCache tight(dir.Path(), kTightBound);
    std::atomic<int> wrong{0};
    const auto untilChildEnds = [&](int round) {
        return round < 300 || WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT;
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < 4; ++t)
        threads.emplace_back([&, t] { wrong += WrongHits(t % 2 ? roomy : tight, t, untilChildEnds); });
    for (std::thread& thread : threads)
        thread.join();

    DWORD childResult = 1;
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(child.hProcess, &childResult);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    EXPECT_EQ(childResult, 0u);
    EXPECT_EQ(wrong, 0);
    for (int n = 0; n < 6; ++n) {
        roomy.Put(Key(n, 1), Thumb(n, 1));
        EXPECT_TRUE(Hits(roomy, Key(n, 1), Thumb(n, 1))) << n;
    }
}

}  // namespace
