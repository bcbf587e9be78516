#include "slideshow/SlideJob.h"

#include <windows.h>

#include <new>

#include "picture/Picture.h"
#include "picture/ThumbJob.h"

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
           areaW == other.areaW && areaH == other.areaH;
}

bool DecodeSlideHere(const SlideJob& job, CBmp& out)
{
    return LoadPhotoFitted(job.path.c_str(), job.maxW, job.maxH, job.fullscreen, job.areaW, job.areaH, out);
}

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
