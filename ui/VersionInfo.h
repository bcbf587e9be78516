#pragma once
// One string of a file's version resource.

#include "settings/Tstr.h"

enum VersionKey {
    kVersionCompanyName,
    kVersionFileDescription,
    kVersionFileVersion,
    kVersionInternalName,
    kVersionLegalCopyright,
    kVersionOriginalFilename,
    kVersionProductName,
    kVersionProductVersion,
};

// The value for the first listed translation that has it; empty when the file
// has no version resource, the key is missing or the index is out of range.
tstr ReadVersionString(const tstr& file, int index);
