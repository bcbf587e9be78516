// One thumbnail job: telling a photo someone else holds from one that is
// unusable, without getting in the way of anyone reading it.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "picture/ThumbCache.h"
#include "picture/ThumbJob.h"
#include "tests/headers/ExifBuilder.h"
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
    ThumbMaking making;
    int pauses = 0;
    making.pause = [&](DWORD) {
        if (pauses++ == 0)
            MoveFileExW(WriteBytes(L"arriving.tmp", photo.data(), photo.size()).c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING);
    };
    ThumbJob job;
    job.path = path;
    CBmp out;
    EXPECT_EQ(ThumbOutcome::Made, MakeJobThumbnailWith(job, out, making));
    EXPECT_FALSE(out.Empty());
    EXPECT_EQ(1, pauses);

    job.path = Dir() + L"never there.jpg";
    EXPECT_EQ(ThumbOutcome::Unusable, MakeJobThumbnailWith(job, out, making));
    EXPECT_TRUE(out.Empty());
    EXPECT_EQ(2, pauses);
}

// The disk cache spares the second decode of a file and keeps its date
// taken, but never keeps the pixels of a file rewritten while it was decoded.
TEST(ThumbJob, CacheHitsOnlyForTheFileAsDecoded)
{
    CThumbCache cache(Dir() + L"job cache");
    ThumbMaking making;
    making.cache = &cache;
    int decodes = 0;
    bool rewrite = false;
    making.decode = [&](const wchar_t* path, CBmp& thumb, bool* later, ExifDate* taken) {
        ++decodes;
        const bool made = MakePhotoThumbnail(path, thumb, later, taken);
        if (rewrite) {
            const std::string other = QuadrantJpeg(32, 32);
            WriteBytes(L"rewritten.jpg", other.data(), other.size());
        }
        return made;
    };
    const std::string photo =
        exifmake::WithExif(QuadrantJpeg(64, 64), exifmake::ExifFields(false, 0, "", "", "2019:07:14 09:05:30"));
    ThumbJob job;
    job.path = WriteBytes(L"cached.jpg", photo.data(), photo.size());
    CBmp out;
    ASSERT_EQ(ThumbOutcome::Made, MakeJobThumbnailWith(job, out, making));
    EXPECT_EQ(2019, job.taken.year);
    job.taken = ExifDate();
    ASSERT_EQ(ThumbOutcome::Made, MakeJobThumbnailWith(job, out, making));
    EXPECT_EQ(1, decodes) << "the second make was no cache hit";
    EXPECT_EQ(2019, job.taken.year);
    EXPECT_EQ(7, job.taken.month);
    EXPECT_EQ(14, job.taken.day);
    EXPECT_EQ(30, job.taken.second);

    rewrite = true;
    job.path = WriteBytes(L"rewritten.jpg", photo.data(), photo.size());
    ASSERT_EQ(ThumbOutcome::Made, MakeJobThumbnailWith(job, out, making));
    EXPECT_FALSE(cache.Find({job.path, job.fileSize, job.lastWriteTime, job.thumbSize}, out))
        << "the thumbnail of a file rewritten during its decode was stored";
}

// Memory short for now (other decodes took it) is no reason to drop a photo.
TEST(ThumbJob, NoRoomForNowIsBusyNotUnusable)
{
    ThumbMaking making;
    making.pause = [](DWORD) {};
    making.decode = [](const wchar_t*, CBmp&, bool* later, ExifDate*) {
        *later = true;
        return false;
    };
    ThumbJob job;
    job.path = SolidJpeg(L"no room.jpg", 16, 16);
    CBmp out;
    EXPECT_EQ(ThumbOutcome::Busy, MakeJobThumbnailWith(job, out, making));
}
