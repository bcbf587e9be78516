#include "slideshow/SlideJob.h"

#include <windows.h>

#include <new>

#include "picture/Caption.h"
#include "picture/Picture.h"
#include "picture/ThumbJob.h"
#include "slideshow/LayeredWindow.h"

namespace {
const int kHeldRetries = 5;
const DWORD kHeldPauseMs = 200;
const DWORD kConfirmPauseMs = 100;
const int kRewrittenRetries = 3;
LONG s_resultsAlive = 0;
}  // namespace

CResultCount::CResultCount() { InterlockedIncrement(&s_resultsAlive); }
CResultCount::CResultCount(const CResultCount&) { InterlockedIncrement(&s_resultsAlive); }
CResultCount::~CResultCount() { InterlockedDecrement(&s_resultsAlive); }
long CResultCount::Alive() { return InterlockedCompareExchange(&s_resultsAlive, 0, 0); }

bool SlideJob::SameAs(const SlideJob& other) const
{
    return path == other.path && maxW == other.maxW && maxH == other.maxH && fullscreen == other.fullscreen &&
           areaW == other.areaW && areaH == other.areaH && caption == other.caption && dpi == other.dpi;
}

bool DecodeSlideHere(const SlideJob& job, CBmp& out)
{
    return LoadPhotoFitted(job.path.c_str(), job.maxW, job.maxH, job.fullscreen, job.areaW, job.areaH, out);
}

namespace {

// On the photo's part of the frame: in fullscreen the part the presentation
// keeps well opaque. The frame is as high as the picture in either mode.
void DrawSlideCaption(SlideResult& result)
{
    const SlideJob& job = result.job;
    CBmp& photo = result.photo;
    if (job.caption.empty())
        return;
    const RECT whole = {0, 0, photo.Width(), photo.Height()};
    const RECT on = job.fullscreen ? OpaqueSideOf(photo.Width(), photo.Height()) : whole;
    DrawCaption(photo, on, job.caption.c_str(), photo.Height(), job.dpi);
}

}  // namespace

void MakeSlide(const SlideDecode& decode, SlideResult& result)
{
    int held = 0;
    int rewritten = 0;
    bool failedBefore = false;
    for (;;) {
        result.photo.Reset();
        result.stamp = FileStamp::Of(result.job.path);
        bool decoded = false;
        try {
            decoded = result.stamp.Known() && decode(result.job, result.photo);
        } catch (const std::bad_alloc&) {
            result.photo.Reset();
            result.outcome = SlideOutcome::Later;
            return;
        }
        if (decoded) {
            // Written while it was decoded: the pixels may be half old, half new.
            if (FileStamp::Of(result.job.path) == result.stamp || ++rewritten > kRewrittenRetries) {
                DrawSlideCaption(result);
                result.outcome = SlideOutcome::Ready;
                return;
            }
            continue;
        }
        result.photo.Reset();
        if (FileHeldBySomeoneElse(result.job.path)) {
            if (held++ == kHeldRetries) {
                result.outcome = SlideOutcome::Later;
                return;
            }
            Sleep(kHeldPauseMs);
            continue;
        }
        if (failedBefore) {
            result.outcome = SlideOutcome::Unusable;
            return;
        }
        failedBefore = true;
        Sleep(kConfirmPauseMs);
    }
}
