#pragma once
// A helper process of this program's own, for work it must not do itself: a
// duplex pipe to it, a job that ends it with this process and holds it to
// the least Windows allows (restricted token at low integrity, a memory limit,
// no UI access, no processes of its own).

#include <windows.h>

#include <cstddef>
#include <string>

class CHelperProcess {
public:
    CHelperProcess() = default;
    ~CHelperProcess() { Stop(); }
    CHelperProcess(const CHelperProcess&) = delete;
    CHelperProcess& operator=(const CHelperProcess&) = delete;

    // Runs "<exe>" <helperSwitch> <handle of its pipe end>.
    bool Start(const std::wstring& exe, const wchar_t* helperSwitch);
    // Ends it, whatever it is doing.
    void Stop();
    bool Running() const;

    // Both false when the helper ends or the deadline (GetTickCount) passes.
    bool Send(const void* data, size_t size, DWORD deadline);
    bool Receive(void* data, size_t size, DWORD deadline);
    // A copy of the bytes at the start of a section the helper may read, kept
    // between calls up to `keptSize` bytes (mapping a new one costs more than
    // the copy): the helper's handle to it and its size.
    bool ShareBytes(const void* data, size_t size, size_t keptSize, HANDLE& theirs, size_t& sectionSize);
    // Gives up a section larger than `keptSize`.
    void DropLargeSection(size_t keptSize);
    // A handle of the helper's moved into this process, or null.
    HANDLE TakeHandle(HANDLE theirs);

private:
    void DropSection();
    bool Transfer(void* data, size_t size, bool writing, DWORD deadline);

    HANDLE m_process = nullptr;
    HANDLE m_job = nullptr;
    HANDLE m_pipe = nullptr;
    HANDLE m_done = nullptr;  // the event of the pipe's transfers
    HANDLE m_section = nullptr;
    void* m_sectionView = nullptr;
    size_t m_sectionSize = 0;
    HANDLE m_sectionTheirs = nullptr;
};
