#pragma once
// What a photo's caption says, by the album's "Caption" setting.

#include <string>

#include "picture/ExifReader.h"

enum class CaptionKind { kNone = 0, kDate = 1, kDateAndFolder = 2, kFileName = 3 };

// The kind a stored "Caption" value names; kNone for anything unknown.
CaptionKind CaptionKindOf(int stored);

// The date taken as the user's locale writes a long date; empty without one.
std::wstring LongDateText(const ExifDate& taken);

// The caption for the photo at `path`: empty where there is nothing to say
// (no caption, or a date caption for a photo without a date).
std::wstring CaptionText(CaptionKind kind, const std::wstring& path, const ExifDate& taken);

// The caption of a photo taken on this day `years` ago, which says so
// first ("3 years ago today"); the caption as it is for 0 years.
std::wstring WithYearsAgo(const std::wstring& caption, int years);
