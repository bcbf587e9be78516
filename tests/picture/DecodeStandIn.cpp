// A stand-in decode helper: the real one, except that a file whose bytes
// begin with "CRASH" crashes it and one beginning with "HANG" hangs it.

#include <windows.h>

#include <cstring>

#include "picture/DecodeHelperServer.h"

namespace {

void Cue(const uint8_t* data, size_t size)
{
    if (size >= 5 && std::memcmp(data, "CRASH", 5) == 0)
        *reinterpret_cast<volatile int*>(static_cast<uintptr_t>(size & 0xF)) = 1;  // an access violation
    if (size >= 4 && std::memcmp(data, "HANG", 4) == 0)
        for (;;)
            Sleep(INFINITE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    HANDLE pipe = nullptr;
    return IsDecodeHelperCommand(commandLine, pipe) ? ServeDecodeRequests(pipe, Cue) : 2;
}
