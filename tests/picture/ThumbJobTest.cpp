// One thumbnail job: telling a photo someone else holds from one that is
// unusable, without getting in the way of anyone reading it.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "picture/ThumbJob.h"
#include "tests/picture/PictureFiles.h"

using namespace picfiles;

namespace {

struct ProbeLoop {
    std::wstring path;
    std::atomic<bool> stop{false};
};

DWORD WINAPI ProbeUntilStopped(void* param)
{
    auto* loop = static_cast<ProbeLoop*>(param);
    while (!loop->stop)
        FileHeldBySomeoneElse(loop->path);
    return 0;
}

DWORD WINAPI WriteWhenPaused(void* param)
{
    const auto* bytes = static_cast<const std::string*>(param);
    Sleep(20);
    const std::wstring temp = WriteBytes(L"arriving.tmp", bytes->data(), bytes->size());
    MoveFileExW(temp.c_str(), (Dir() + L"arriving.jpg").c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}

}  // namespace

// Another worker or the show reads the photo while a failed job checks it.
TEST(ThumbJob, ProbingNeverKeepsAReaderOut)
{
    ProbeLoop loop;
    loop.path = SolidJpeg(L"probed.jpg", 16, 16);
    HANDLE prober = CreateThread(nullptr, 0, ProbeUntilStopped, &loop, 0, nullptr);
    ASSERT_NE(nullptr, prober);
    int refused = 0;
    for (int i = 0; i < 2000; ++i) {
        HANDLE reader =
            CreateFileW(loop.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (reader == INVALID_HANDLE_VALUE)
            ++refused;
        else
            CloseHandle(reader);
    }
    loop.stop = true;
    WaitForSingleObject(prober, INFINITE);
    CloseHandle(prober);
    EXPECT_EQ(0, refused);
}

// A photo missing for a moment (an editor replacing it) is looked at again
// before it counts as unusable; one that stays missing is unusable.
TEST(ThumbJob, FailureCountsOnlyWhenSeenAgain)
{
    const std::string photo = QuadrantJpeg(64, 64);
    const std::wstring path = Dir() + L"arriving.jpg";
    DeleteFileW(path.c_str());
    HANDLE writer = CreateThread(nullptr, 0, WriteWhenPaused, const_cast<std::string*>(&photo), 0, nullptr);
    ASSERT_NE(nullptr, writer);
    ThumbJob job;
    job.path = path;
    CBmp out;
    EXPECT_EQ(ThumbOutcome::Made, MakeJobThumbnail(job, out));
    EXPECT_FALSE(out.Empty());
    WaitForSingleObject(writer, INFINITE);
    CloseHandle(writer);

    job.path = Dir() + L"never there.jpg";
    EXPECT_EQ(ThumbOutcome::Unusable, MakeJobThumbnail(job, out));
    EXPECT_TRUE(out.Empty());
}
