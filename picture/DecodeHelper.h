#pragma once
// Photos decoded in a helper process: this same program started with a
// private switch, one helper per decoding thread, started on first use and
// kept running between requests. A decoder that crashes or hangs there costs
// one picture, never this process.

#include <windows.h>

#include <string>

#include "picture/Picture.h"
#include "picture/PictureBytes.h"

struct DecodeHelperSetup {
    std::wstring exe;          // empty: photos are decoded in this process
    DWORD deadlineMs = 20000;  // for one picture
};

// Before the first decode (the program at start-up, a test between cases);
// helpers of an earlier setup are replaced on their thread's next request.
void UseDecodeHelper(const DecodeHelperSetup& setup);
// Helpers started so far by this process.
long DecodeHelperStarts();

// A helper's answer in `decoder` (kNone: the picture is unusable, also after
// a crash or hang of two helpers in turn). False when no helper is set up or
// none can be started at all: the caller decodes in this process then.
bool DecodeInHelper(const CPictureBytes& bytes, const PhotoRequest& request, bool imageLibrary, CBmp& out,
                    PhotoDecoder& decoder);
