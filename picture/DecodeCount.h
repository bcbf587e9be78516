#pragma once
// How many pictures this process has decoded, by purpose: shows whether the
// thumbnail cache spares the decoders. Counted from any thread.

enum class DecodeKind {
    kThumbnailFromExif,  // the small JPEG a photo's EXIF block carries
    kThumbnailFull,      // a whole photo decoded to make its thumbnail
    kShownFull,          // a whole photo decoded to be shown
    kCount
};

void CountDecode(DecodeKind kind);
// 0 for a kind out of range.
long DecodesOf(int kind);
