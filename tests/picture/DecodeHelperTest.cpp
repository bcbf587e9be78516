// Photos decoded in a helper process: the stand-in helper of the tests
// crashes or hangs on cue, or is killed from here, and each such fault costs
// one picture; the next requests are served.

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <atomic>
#include <set>
#include <thread>

#include "PictureFiles.h"
#include "picture/DecodeCount.h"
#include "picture/DecodeHelper.h"
#include "picture/Picture.h"
#include "tests/support/Deadline.h"

using namespace picfiles;

namespace {

const wchar_t kStandIn[] = L"decode_standin.exe";

std::wstring StandInPath()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + kStandIn;
}

// The stand-in helpers running now, of this process.
std::vector<DWORD> Helpers()
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == GetCurrentProcessId() && _wcsicmp(entry.szExeFile, kStandIn) == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

class DecodeHelper : public ::testing::Test {
protected:
    void SetUp() override { Use(20000); }
    void TearDown() override { UseDecodeHelper({}); }
    static void Use(DWORD deadlineMs)
    {
        DecodeHelperSetup setup;
        setup.exe = StandInPath();
        setup.deadlineMs = deadlineMs;
        UseDecodeHelper(setup);
    }
    static std::wstring Cue(const char* text) { return WriteBytes(Utf16(text), text, strlen(text)); }
    static std::wstring Utf16(const char* text) { return std::wstring(text, text + strlen(text)) + L".jpg"; }
    // A good photo decodes.
    static void ExpectServed()
    {
        CBmp b;
        EXPECT_TRUE(LoadPhotoFitted(SolidBmp(L"good.bmp", 80, 40).c_str(), 40, 40, false, 0, 0, b));
        EXPECT_EQ(40, b.Width());
        EXPECT_EQ(20, b.Height());
    }
};

TEST_F(DecodeHelper, GivesThePixelsOfThisProcessAndStaysRunning)
{
    const std::wstring png = Sample(L"h.png", L"image/png"), jpg = SolidJpeg(L"h.jpg", 320, 240);
    CBmp here, fittedHere, thumbHere;
    UseDecodeHelper({});
    ASSERT_TRUE(LoadPhotoFile(png.c_str(), here));
    ASSERT_TRUE(LoadPhotoFitted(jpg.c_str(), 100, 100, false, 0, 0, fittedHere));
    ASSERT_TRUE(MakePhotoThumbnail(jpg.c_str(), thumbHere));

    Use(20000);
    const long starts = DecodeHelperStarts(), shown = DecodesOf(static_cast<int>(DecodeKind::kShownFull));
    CBmp there, fittedThere, thumbThere;
    ASSERT_TRUE(LoadPhotoFile(png.c_str(), there));
    ASSERT_TRUE(LoadPhotoFitted(jpg.c_str(), 100, 100, false, 0, 0, fittedThere));
    ASSERT_TRUE(MakePhotoThumbnail(jpg.c_str(), thumbThere));
    for (const auto& pair : {std::make_pair(&here, &there), std::make_pair(&fittedHere, &fittedThere),
                             std::make_pair(&thumbHere, &thumbThere)}) {
        ASSERT_EQ(pair.first->Width(), pair.second->Width());
        ASSERT_EQ(pair.first->Height(), pair.second->Height());
        EXPECT_EQ(pair.first->HasAlpha(), pair.second->HasAlpha());
        EXPECT_EQ(0, memcmp(pair.first->Bits(), pair.second->Bits(), pair.first->ByteSize()));
    }
    EXPECT_EQ(100, fittedThere.Width());
    EXPECT_EQ(1, DecodeHelperStarts() - starts);
    EXPECT_EQ(2, DecodesOf(static_cast<int>(DecodeKind::kShownFull)) - shown);
    CBmp none;
    EXPECT_FALSE(LoadPhotoFile(Cue("not a picture").c_str(), none));
    EXPECT_EQ(1, DecodeHelperStarts() - starts);
}

TEST_F(DecodeHelper, CrashCostsThatPictureOnly)
{
    const long starts = DecodeHelperStarts();
    CBmp b;
    EXPECT_FALSE(LoadPhotoFile(Cue("CRASH now").c_str(), b));
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(2, DecodeHelperStarts() - starts) << "tried once more in a fresh helper";
    CBmp thumb;
    EXPECT_FALSE(MakePhotoThumbnail(Cue("CRASH again").c_str(), thumb));
    ExpectServed();
}

TEST_F(DecodeHelper, HangPastTheDeadlineCostsThatPictureOnly)
{
    Use(1500);
    const long starts = DecodeHelperStarts();
    CBmp b;
    EXPECT_FALSE(LoadPhotoFile(Cue("HANG forever").c_str(), b));
    EXPECT_EQ(2, DecodeHelperStarts() - starts);
    EXPECT_TRUE(WaitUntil("the hung helpers ended", [] { return Helpers().size() <= 1; }));
    ExpectServed();
}

TEST_F(DecodeHelper, HelperKilledMidRequestCostsThatPictureOnly)
{
    const long starts = DecodeHelperStarts();
    // Helpers of the earlier cases, idle or still ending, were started before this.
    FILETIME begun;
    GetSystemTimeAsFileTime(&begun);
    const auto startedSince = [&begun](HANDLE process) {
        FILETIME created, exited, kernel, user;
        return GetProcessTimes(process, &created, &exited, &kernel, &user) && CompareFileTime(&created, &begun) >= 0;
    };
    std::atomic<bool> decoded(true), finished(false);
    std::thread request([&] {
        CBmp b;
        decoded = LoadPhotoFile(Cue("HANG until killed").c_str(), b);
        finished = true;
    });
    // Both the helper and the one that tries again are killed mid-request.
    std::set<DWORD> killed;
    EXPECT_TRUE(WaitUntil("the request given up", [&] {
        for (DWORD id : Helpers()) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
            if (process && !killed.count(id) && startedSince(process) && TerminateProcess(process, 9)) {
                killed.insert(id);
                WaitForSingleObject(process, kWaitMs);
            }
            if (process) CloseHandle(process);
        }
        return finished.load();
    }, 20000));
    request.join();
    EXPECT_FALSE(decoded);
    EXPECT_EQ(2u, killed.size());
    EXPECT_EQ(2, DecodeHelperStarts() - starts);
    ExpectServed();
}

// A program whose helper cannot start at all still shows its photos.
TEST_F(DecodeHelper, WithoutAHelperToStartPhotosAreDecodedHere)
{
    DecodeHelperSetup setup;
    setup.exe = L"C:\\nowhere\\decode_standin.exe";
    UseDecodeHelper(setup);
    const long starts = DecodeHelperStarts();
    ExpectServed();
    EXPECT_EQ(0, DecodeHelperStarts() - starts);
}

TEST_F(DecodeHelper, RunsInAJob)
{
    ExpectServed();
    const long starts = DecodeHelperStarts();
    CBmp b;
    EXPECT_FALSE(LoadPhotoFile(Cue("JOB limits").c_str(), b));
    EXPECT_EQ(0, DecodeHelperStarts() - starts) << "the helper found itself outside a job, or in one without its limits";
}

TEST_F(DecodeHelper, EachThreadHasItsOwnHelperEndedWithIt)
{
    const long starts = DecodeHelperStarts();
    ExpectServed();
    std::thread other([] { ExpectServed(); });
    other.join();
    EXPECT_EQ(2, DecodeHelperStarts() - starts);
    EXPECT_TRUE(WaitUntil("the other thread's helper ended", [] { return Helpers().size() == 1; }));
}

}  // namespace
