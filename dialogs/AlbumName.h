#pragma once
// The name check of the new-album and album dialogs.

#include <windows.h>

#include <vector>

#include "settings/Collector.h"
#include "settings/Tstr.h"

class CWppProfile;

// Names of the albums in the list, leaving out `except` (may be null).
std::vector<tstr> OtherAlbumNames(const CCollector<CWppProfile*>& albums, const CWppProfile* except);

// True when `name` can name an album next to `others`; `keptName`, the
// album's name as stored, is accepted even with a placeholder in it.
// Otherwise shows why (a name that is taken, ignoring case, gives "Album with
// such name already exists") in a warning box owned by `owner` and returns false.
bool AcceptAlbumName(HWND owner, const tstr& name, const std::vector<tstr>& others, const tstr& keptName = tstr());
