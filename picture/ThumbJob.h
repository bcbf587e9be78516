#pragma once
// One thumbnail to make, as a worker gets it: plain values only. The file's
// size and last-write time are read by the worker just before it decodes,
// so they always describe the pixels it makes.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "picture/Bmp.h"
#include "picture/Fit.h"
#include "picture/Picture.h"

class CThumbCache;

// Why a job made no thumbnail, as the user is told.
enum class ThumbProblem {
    None,
    Missing,      // no file of that name
    NotPicture,   // nothing decodes it
    TooLarge,     // a picture beyond what may be decoded
    Unreachable,  // its drive or share does not answer
};

struct ThumbJob {
    std::wstring path;
    uint64_t fileSize = 0;
    uint64_t lastWriteTime = 0;  // FILETIME
    int thumbSize = kThumbSide;
    ThumbProblem problem = ThumbProblem::None;  // set when none was made
    ExifDate taken;  // set when made, from the photo's EXIF or the cache
};

enum class ThumbOutcome {
    Made,
    Unusable,  // missing, unreadable or undecodable
    Busy,      // held open by someone else, or no memory for now: neither
               // made nor unusable, tried again later
};

// Someone else keeps the file from being read: has it open without sharing
// reading, or for writing. Two entries may well be links to one file.
bool FileHeldBySomeoneElse(const std::wstring& path);

// Where a job looks for and keeps thumbnails, and how it decodes and waits;
// tests give their own.
struct ThumbMaking {
    CThumbCache* cache = nullptr;  // null: none
    std::function<bool(const wchar_t* path, CBmp& thumb, bool* later, ExifDate* taken)> decode = MakePhotoThumbnail;
    std::function<void(DWORD ms)> pause = Sleep;
};

// Fills in the file's size and time and makes its thumbnail, from the disk
// cache when it holds one for this very file; `out` stays empty unless it was
// made.
ThumbOutcome MakeJobThumbnailWith(ThumbJob& job, CBmp& out, const ThumbMaking& making);
// The same with the user's own cache, decoding and waiting for real.
ThumbOutcome MakeJobThumbnail(ThumbJob& job, CBmp& out);
