#pragma once
// The decode helper's side: serves its parent's requests until the pipe ends.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The pipe handle when the command line starts the helper.
bool IsDecodeHelperCommand(const wchar_t* commandLine, HANDLE& pipe);

// Every request's bytes are shown to `beforeDecode` (null: none), which lets a
// test's stand-in helper crash or hang on cue. Returns the exit code.
int ServeDecodeRequests(HANDLE pipe, void (*beforeDecode)(const uint8_t* data, size_t size));
