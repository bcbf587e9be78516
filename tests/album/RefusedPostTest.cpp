// Results whose post to the UI thread is refused (its queue is full): the
// thumbnail and the followed folder go on as if the post had been late.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "album/FolderWatch.h"
#include "album/WorkerPost.h"
#include "tests/album/ThumbnailKit.h"
#include "tests/support/Deadline.h"
#include "tests/support/BmpFile.h"
#include "tests/support/TempFolder.h"

namespace {

HANDLE g_refused = CreateEventW(nullptr, TRUE, FALSE, nullptr);
std::atomic<int> g_toRefuse{0};

bool RefusingPost(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_toRefuse.fetch_sub(1) > 0) {
        SetEvent(g_refused);
        return false;
    }
    return PostMessageW(target, message, wParam, lParam) != FALSE;
}

class RefusedPost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEvent(g_refused);
        g_toRefuse = 1;
        SetWorkerPost(RefusingPost);
    }
    void TearDown() override { SetWorkerPost(nullptr); }

    TempFolder m_temp;
};

TEST_F(RefusedPost, ThumbnailIsMadeWhenNextAskedFor)
{
    const std::wstring photo = TempFolder::File(m_temp.Path() + L"\\photo.bmp", BmpBytes(8, 6));
    CThumbnails thumbnails;
    CCountingListener row;
    EXPECT_EQ(nullptr, thumbnails.Get(photo.c_str(), &row));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_refused, kWaitMs)) << "no post was refused";
    // Each redraw asks again.
    EXPECT_TRUE(WaitUntil("the thumbnail after its refused result", [&] {
        return thumbnails.Get(photo.c_str(), &row) != nullptr;
    }));
    EXPECT_EQ(1, row.calls);
}

TEST_F(RefusedPost, FollowingGoesOnAndHandsTheListingAgain)
{
    TempFolder::File(m_temp.Path() + L"\\photo.bmp", BmpBytes(8, 6));
    HWND target = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const UINT listed = WM_APP + 5;
    CFolderWatch watch;
    ASSERT_TRUE(watch.Start(m_temp.Path().c_str(), false, true, target, listed));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_refused, kWaitMs)) << "no post was refused";
    MSG msg;
    ASSERT_TRUE(NextMessage(msg, listed, listed, "the listing handed again"));
    FolderListing listing;
    ASSERT_TRUE(watch.TakeListing(msg.wParam, listing));
    EXPECT_EQ(1u, listing.files.size());
    watch.Stop();
    DestroyWindow(target);
}

}  // namespace
