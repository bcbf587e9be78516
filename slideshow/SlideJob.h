#pragma once
// One photo to make ready for the show, as the slide worker gets it: plain
// values in, a decoded, upright and fitted picture out. The decode itself is
// a function passed in, so that it can run elsewhere (another process) or be
// held back by a test.

#include <cstdint>
#include <functional>
#include <string>

#include "picture/Bmp.h"
#include "picture/FileStamp.h"

struct SlideJob {
    uint64_t ticket = 0;  // given by the worker
    std::wstring path;
    int maxW = 0;
    int maxH = 0;
    bool fullscreen = false;
    int areaW = 0;
    int areaH = 0;
    // Drawn into the picture's lower left corner; empty: none.
    std::wstring caption;
    int dpi = 96;  // of the frame: the caption's least size

    // Asks for the same picture: path, fit and caption.
    bool SameAs(const SlideJob& other) const;
};

enum class SlideOutcome {
    Ready,
    Unusable,  // missing or undecodable, seen so twice
    Later,     // held open by another program, or no memory now: neither shown nor unusable
};

// Counts the results alive in this process: a closed show leaves none behind.
class CResultCount {
public:
    CResultCount();
    CResultCount(const CResultCount&);
    ~CResultCount();
    CResultCount& operator=(const CResultCount&) { return *this; }
    static long Alive();
};

struct SlideResult {
    SlideJob job;
    SlideOutcome outcome = SlideOutcome::Unusable;
    CBmp photo;       // ready: the fitted picture
    FileStamp stamp;  // the file the pixels came from
    CResultCount counted;
};

// The decode: true with the fitted, upright picture in `out`.
using SlideDecode = std::function<bool(const SlideJob& job, CBmp& out)>;

// Decodes in this process (counted as a shown decode).
bool DecodeSlideHere(const SlideJob& job, CBmp& out);

// Runs the decode, again when the file changed meanwhile (never mixed
// pixels), and draws the caption into what it made; a failure counts as
// unusable once it is seen again after a pause.
void MakeSlide(const SlideDecode& decode, SlideResult& result);
