#pragma once
// What the system's imaging codecs can do, asked once per process; any
// thread may ask.

// Whether a file name's type (the text after its last '.') is one an
// installed decoder lists (HEIF, WebP, camera RAW where installed). Icons
// are not photos and are left out.
bool SystemDecodesFileName(const wchar_t* name);

// Whether the JPEG codec decodes at 1/2, 1/4 and 1/8 without the full
// picture (Windows' does; Wine's decodes everything when a file is opened).
bool JpegScalesNatively();
