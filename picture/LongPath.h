#pragma once
// Paths handed to the file functions. Beyond MAX_PATH the platform takes
// only the "\\?\" form of an absolute path.

#include <string>

// The path itself while it is short enough, else its "\\?\" (or "\\?\UNC\")
// form; relative and already prefixed paths are left as they are.
std::wstring LongPathForm(const std::wstring& path);
