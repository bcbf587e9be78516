#pragma once
// A user32 function looked up by name: null where this Windows lacks it
// (or the import libraries do not know it).

#include <windows.h>

template <class Fn>
Fn User32Function(const char* name)
{
    static HMODULE user32 = LoadLibraryW(L"User32.dll");
    const FARPROC proc = user32 ? GetProcAddress(user32, name) : nullptr;
    // Through a generic function pointer: FARPROC's own signature is a lie.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}
