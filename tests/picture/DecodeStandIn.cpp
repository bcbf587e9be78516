// A stand-in decode helper: the real one, except that a file whose bytes
// begin with "CRASH" crashes it, one beginning with "HANG" hangs it, and one
// beginning with "JOB" crashes it unless it runs in a job with its limits.

#include <windows.h>

#include <cstring>

#include "picture/DecodeHelperServer.h"

namespace {

// Wine puts the helper in its job but reports no limits (and enforces only
// the kill on close): the limits are checked where the system reports them.
bool InLimitedJob()
{
    BOOL in = FALSE;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    if (!IsProcessInJob(GetCurrentProcess(), nullptr, &in) || !in ||
        !QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits, sizeof(limits), nullptr))
        return false;
    const DWORD wanted = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_ACTIVE_PROCESS |
                         JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    return limits.BasicLimitInformation.LimitFlags == 0 ||
           ((limits.BasicLimitInformation.LimitFlags & wanted) == wanted &&
            limits.BasicLimitInformation.ActiveProcessLimit == 1 && limits.ProcessMemoryLimit >= (SIZE_T(1) << 29));
}

void Cue(const uint8_t* data, size_t size)
{
    if (size >= 3 && std::memcmp(data, "JOB", 3) == 0 && !InLimitedJob())
        *reinterpret_cast<volatile int*>(static_cast<uintptr_t>(size & 0xF)) = 2;
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
