#pragma once
// Whether a photo's file is there, gone for good, or out of reach for now
// (its drive, share or removable disk is not available). An unreachable
// photo is kept in its album and skipped by the show until it is back.

#include "settings/Tstr.h"

enum class PhotoPlace {
    Present,      // the file (or folder) is there
    Gone,         // its folder answers, and it is not in it
    Unreachable,  // the location itself does not answer
};

// Touches the file system: for the UI thread only where a blocking look
// at a sleeping share is acceptable. Works for files and folders alike.
PhotoPlace LocatePhoto(const tstr& path);

// "C:\", "\\server\share\" or "\\?\C:\" ...: the part of the path that must
// answer for anything below it to be reachable; empty for a relative path.
tstr PathRoot(const tstr& path);
