#include "picture/HelperProcess.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Another helper started meanwhile must not inherit this one's pipe end:
// starts take turns and inherit only their own end where Windows allows it.
std::mutex g_starting;
std::atomic<unsigned> g_pipeNumber(0);

#ifdef _WIN64
const SIZE_T kMemoryLimit = SIZE_T(1) << 30;
#else
// A 32-bit helper's address space ends at 2 GB anyway.
const SIZE_T kMemoryLimit = SIZE_T(3) << 29;
#endif

HANDLE LimitedJob()
{
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_ACTIVE_PROCESS |
                                              JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                              JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.BasicLimitInformation.ActiveProcessLimit = 1;
    limits.ProcessMemoryLimit = kMemoryLimit;
    JOBOBJECT_BASIC_UI_RESTRICTIONS ui = {};
    ui.UIRestrictionsClass = JOB_OBJECT_UILIMIT_HANDLES | JOB_OBJECT_UILIMIT_READCLIPBOARD |
                             JOB_OBJECT_UILIMIT_WRITECLIPBOARD | JOB_OBJECT_UILIMIT_SYSTEMPARAMETERS |
                             JOB_OBJECT_UILIMIT_DISPLAYSETTINGS | JOB_OBJECT_UILIMIT_GLOBALATOMS |
                             JOB_OBJECT_UILIMIT_DESKTOP | JOB_OBJECT_UILIMIT_EXITWINDOWS;
    // Without the kill on close a helper could outlive this process.
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
        CloseHandle(job);
        return nullptr;
    }
    SetInformationJobObject(job, JobObjectBasicUIRestrictions, &ui, sizeof(ui));
    return job;
}

// This process's token without its privileges, at low integrity; null where
// the system makes none (the helper then runs with this process's token,
// still in its job).
HANDLE RestrictedToken()
{
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY |
                                                   TOKEN_ADJUST_DEFAULT,
                          &own))
        return nullptr;
    HANDLE restricted = nullptr;
    const BOOL made = CreateRestrictedToken(own, DISABLE_MAX_PRIVILEGE, 0, nullptr, 0, nullptr, 0, nullptr,
                                            &restricted);
    CloseHandle(own);
    if (!made)
        return nullptr;
    SID_IDENTIFIER_AUTHORITY label = SECURITY_MANDATORY_LABEL_AUTHORITY;
    PSID low = nullptr;
    bool lowered = false;
    if (AllocateAndInitializeSid(&label, 1, SECURITY_MANDATORY_LOW_RID, 0, 0, 0, 0, 0, 0, 0, &low)) {
        TOKEN_MANDATORY_LABEL integrity = {};
        integrity.Label.Attributes = SE_GROUP_INTEGRITY;
        integrity.Label.Sid = low;
        lowered = SetTokenInformation(restricted, TokenIntegrityLevel, &integrity,
                                      sizeof(integrity) + GetLengthSid(low)) != FALSE;
        FreeSid(low);
    }
    if (!lowered) {
        CloseHandle(restricted);
        return nullptr;
    }
    return restricted;
}

// Started suspended, so that it runs nothing before it is in its job.
bool CreateHelper(const std::wstring& exe, const std::wstring& commandLine, HANDLE inherited,
                  PROCESS_INFORMATION& info)
{
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<unsigned char> storage(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
    const bool listed = size && InitializeProcThreadAttributeList(attributes, 1, 0, &size) &&
                        UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &inherited,
                                                  sizeof(inherited), nullptr, nullptr);
    STARTUPINFOEXW start = {};
    start.StartupInfo.cb = sizeof(start);
    start.lpAttributeList = listed ? attributes : nullptr;
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
    HANDLE token = RestrictedToken();
    BOOL started = FALSE;
    if (token) {
        started = CreateProcessAsUserW(token, exe.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                       nullptr, &start.StartupInfo, &info);
        CloseHandle(token);
    }
    if (!started)
        started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                                 &start.StartupInfo, &info);
    if (listed)
        DeleteProcThreadAttributeList(attributes);
    return started != FALSE;
}

DWORD Left(DWORD deadline)
{
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

}  // namespace

bool CHelperProcess::Start(const std::wstring& exe, const wchar_t* helperSwitch)
{
    Stop();
    const std::wstring name = L"\\\\.\\pipe\\lumora-helper-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++g_pipeNumber);
    // One instance, made and connected here: nobody else can take it.
    m_pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                              PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096,
                              4096, 0, nullptr);
    if (m_pipe == INVALID_HANDLE_VALUE)
        m_pipe = nullptr;
    m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_job = LimitedJob();
    if (!m_pipe || !m_done || !m_job) {
        Stop();
        return false;
    }
    PROCESS_INFORMATION info = {};
    bool started = false;
    {
        const std::lock_guard<std::mutex> turn(g_starting);
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE theirs = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0,
                                    nullptr);
        if (theirs == INVALID_HANDLE_VALUE) {
            Stop();
            return false;
        }
        const std::wstring line = L"\"" + exe + L"\" " + helperSwitch + L" " +
                                  std::to_wstring(reinterpret_cast<uintptr_t>(theirs));
        started = CreateHelper(exe, line, theirs, info);
        CloseHandle(theirs);
    }
    if (!started) {
        Stop();
        return false;
    }
    m_process = info.hProcess;
    if (!AssignProcessToJobObject(m_job, m_process)) {
        CloseHandle(info.hThread);
        Stop();
        return false;
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    return true;
}

void CHelperProcess::Stop()
{
    DropSection();
    if (m_process) {
        TerminateProcess(m_process, 1);
        CloseHandle(m_process);
    }
    for (HANDLE* h : {&m_job, &m_pipe, &m_done})
        if (*h)
            CloseHandle(*h);
    m_process = m_job = m_pipe = m_done = nullptr;
}

bool CHelperProcess::Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

bool CHelperProcess::Transfer(void* data, size_t size, bool writing, DWORD deadline)
{
    auto* p = static_cast<uint8_t*>(data);
    while (size > 0 && m_pipe) {
        OVERLAPPED io = {};
        io.hEvent = m_done;
        ResetEvent(m_done);
        const DWORD part = static_cast<DWORD>(size);
        const BOOL ok = writing ? WriteFile(m_pipe, p, part, nullptr, &io) : ReadFile(m_pipe, p, part, nullptr, &io);
        if (!ok && GetLastError() != ERROR_IO_PENDING)
            return false;
        // A helper that ends or hangs ends the wait; the transfer is taken
        // back before its buffer goes.
        const HANDLE waits[2] = {m_done, m_process};
        DWORD done = 0;
        if (WaitForMultipleObjects(2, waits, FALSE, Left(deadline)) != WAIT_OBJECT_0) {
            CancelIo(m_pipe);
            GetOverlappedResult(m_pipe, &io, &done, TRUE);
            return false;
        }
        if (!GetOverlappedResult(m_pipe, &io, &done, FALSE) || done == 0)
            return false;
        p += done;
        size -= done;
    }
    return size == 0;
}

bool CHelperProcess::Send(const void* data, size_t size, DWORD deadline)
{
    return Transfer(const_cast<void*>(data), size, true, deadline);
}

bool CHelperProcess::Receive(void* data, size_t size, DWORD deadline) { return Transfer(data, size, false, deadline); }

void CHelperProcess::DropSection()
{
    if (m_sectionView)
        UnmapViewOfFile(m_sectionView);
    if (m_section)
        CloseHandle(m_section);
    m_sectionView = m_section = m_sectionTheirs = nullptr;
    m_sectionSize = 0;
}

void CHelperProcess::DropLargeSection(size_t keptSize)
{
    if (m_sectionSize > keptSize)
        DropSection();
}

bool CHelperProcess::ShareBytes(const void* data, size_t size, size_t keptSize, HANDLE& theirs, size_t& sectionSize)
{
    if (!m_process || size == 0 || size > 0x7FFFFFFF)
        return false;
    if (size > m_sectionSize) {
        DropSection();
        const size_t room = std::max(size, keptSize);
        m_section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(room),
                                       nullptr);
        m_sectionView = m_section ? MapViewOfFile(m_section, FILE_MAP_WRITE, 0, 0, room) : nullptr;
        if (!m_sectionView || !DuplicateHandle(GetCurrentProcess(), m_section, m_process, &m_sectionTheirs,
                                               FILE_MAP_READ, FALSE, 0))
            return false;
        m_sectionSize = room;
    }
    std::memcpy(m_sectionView, data, size);
    theirs = m_sectionTheirs;
    sectionSize = m_sectionSize;
    return true;
}

HANDLE CHelperProcess::TakeHandle(HANDLE theirs)
{
    HANDLE mine = nullptr;
    if (!m_process || !DuplicateHandle(m_process, theirs, GetCurrentProcess(), &mine, 0, FALSE,
                                       DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE))
        return nullptr;
    return mine;
}
