#pragma once
// What a photo's EXIF block says about showing it: its orientation, the
// small JPEG many cameras and phones embed, and when it was taken. Read from
// the file's own bytes because the platform decoders do not all answer for it.

#include <cstddef>
#include <cstdint>

// A calendar date and time as the camera wrote it (local time, no zone).
struct ExifDate {
    int year = 0;  // 0: no date
    int month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool Known() const { return year != 0; }
};

// "YYYY:MM:DD HH:MM:SS" as EXIF writes it, checked against the calendar;
// anything else (the "0000:00:00 00:00:00" of cameras without a clock,
// letters, a cut text) gives no date.
ExifDate ParseExifDate(const char* text, size_t length);

struct ExifFacts {
    int orientation = 1;         // 1..8; 1 when absent or out of range
    size_t thumbnailOffset = 0;  // of the embedded JPEG within the data
    size_t thumbnailLength = 0;  // 0: none
    // DateTimeOriginal of the Exif directory, else DateTime of the first;
    // never the file's time: a copy made today is no photo taken today.
    ExifDate taken;
};

// From the first Exif APP1 segment of a JPEG; defaults for anything else.
// Never reads outside the `size` bytes given.
ExifFacts ReadJpegExif(const uint8_t* data, size_t size);
