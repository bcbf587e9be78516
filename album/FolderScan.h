#pragma once
// Finding the picture files of a folder or of a whole tree, and the
// platform's folder picker.

#include <windows.h>

#include <atomic>
#include <vector>

#include "settings/Tstr.h"

// A picture is a name whose text after the last "." is JPG, JPEG, GIF or BMP,
// in any letter case, or a type an installed image decoder lists.
bool IsPictureFileName(const wchar_t* name);

// The folder with exactly one trailing backslash added when it has none.
tstr WithBackslash(const tstr& folder);

// Full paths of the picture files directly in the folder, in the order the
// platform lists them; sub-folders are not entered. Paths of any length.
std::vector<tstr> ListPictureFiles(const tstr& folder);

// The folder picker: `path` preselects a folder when it is not empty and
// receives the chosen one; false when the user cancels (path unchanged).
bool ChooseFolder(HWND owner, const wchar_t* title, tstr& path);

// ---- Whole trees, for albums that follow a folder

struct PictureFile {
    tstr path;
    unsigned long long size = 0;
    unsigned long long written = 0;   // last write, FILETIME ticks

    bool operator==(const PictureFile& other) const {
        return path == other.path && size == other.size && written == other.written;
    }
};

struct PictureTree {
    enum Result {
        Listed,       // every folder that answered was listed
        FolderGone,   // the folder is missing (or a file) where it should be
        Unreachable,  // the folder, or a folder below it, did not answer
        Cancelled,
    };
    Result result = Cancelled;
    // Each folder's pictures in natural name order ("IMG_2" before
    // "IMG_10"), a folder's own pictures before those of its sub-folders.
    std::vector<PictureFile> files;
};

// True when the path names a folder that answers.
bool IsFolder(const tstr& path);

// Folders deeper than this below the listed one are not entered.
const int kMaxFolderDepth = 32;

// Lists the pictures of `folder`, and of its sub-folders when asked. Links
// and junctions to folders are not followed, hidden and system folders are
// skipped, paths of any length work. Folders that refuse access are left
// out. `cancel` (may be null) is polled between entries. For workers.
PictureTree ListPictureTree(const tstr& folder, bool subfolders, const std::atomic<bool>* cancel);
