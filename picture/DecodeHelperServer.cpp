#include "picture/DecodeHelperServer.h"

#include "picture/DecodeHelperWire.h"
#include "picture/DecodeHere.h"
#include "picture/GdiOwners.h"

#include <cstring>
#include <cwchar>

namespace {

// A crash ends the helper at once: no error box, no debugger; the parent
// sees the pipe break.
LONG CALLBACK EndOnCrash(EXCEPTION_POINTERS* info)
{
    TerminateProcess(GetCurrentProcess(), info ? info->ExceptionRecord->ExceptionCode : 1);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool Transfer(HANDLE pipe, void* data, size_t size, bool writing)
{
    auto* p = static_cast<uint8_t*>(data);
    while (size > 0) {
        DWORD done = 0;
        const BOOL ok = writing ? WriteFile(pipe, p, static_cast<DWORD>(size), &done, nullptr)
                                : ReadFile(pipe, p, static_cast<DWORD>(size), &done, nullptr);
        if (!ok || done == 0)
            return false;
        p += done;
        size -= done;
    }
    return true;
}

HANDLE AsHandle(uint64_t value) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value)); }

// The parent's section of bytes, mapped while it lasts, and the bytes as
// the decoders take them, in a block used again.
class CInbox {
public:
    ~CInbox() { Close(); }
    const CPictureBytes* Take(const DecodeCall& call)
    {
        if (call.bytesSection != m_handle || call.sectionSize != m_size) {
            Close();
            m_handle = call.bytesSection;
            m_size = call.sectionSize;
            m_view = m_size < 0x80000000u ? MapViewOfFile(AsHandle(m_handle), FILE_MAP_READ, 0, 0,
                                                          static_cast<SIZE_T>(m_size))
                                          : nullptr;
        }
        const bool taken = m_view && call.byteCount <= m_size && m_bytes.Assign(m_view, call.byteCount);
        return taken ? &m_bytes : nullptr;
    }
    // A large section and block are not kept.
    void Done()
    {
        if (m_size > kKeptSectionBytes) {
            Close();
            m_bytes.Free();
        }
    }

private:
    void Close()
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        if (m_handle)
            CloseHandle(AsHandle(m_handle));
        m_view = nullptr;
        m_handle = 0;
    }

    uint64_t m_handle = 0;
    uint64_t m_size = 0;
    const void* m_view = nullptr;
    CPictureBytes m_bytes;
};

// The section stays open here until the parent takes it over.
HANDLE PixelsSection(const CBmp& picture)
{
    const DWORD size = static_cast<DWORD>(BmpByteSize(picture.Width(), picture.Height()));
    HANDLE section = size ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr)
                          : nullptr;
    void* view = section ? MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, size) : nullptr;
    if (!view) {
        if (section)
            CloseHandle(section);
        return nullptr;
    }
    std::memcpy(view, picture.Bits(), size);
    UnmapViewOfFile(view);
    return section;
}

DecodeAnswer Answer(const DecodeCall& call, CInbox& inbox, void (*beforeDecode)(const uint8_t*, size_t))
{
    DecodeAnswer answer = {};
    const CPictureBytes* taken = inbox.Take(call);
    if (!taken || call.sizeKind < PhotoSize::kStored || call.sizeKind > PhotoSize::kWithin)
        return answer;
    const CPictureBytes& bytes = *taken;
    if (beforeDecode)
        beforeDecode(bytes.Data(), bytes.Size());
    PhotoRequest request;
    request.size.kind = static_cast<PhotoSize::Kind>(call.sizeKind);
    request.size.maxW = call.maxW;
    request.size.maxH = call.maxH;
    request.size.fullscreen = call.fullscreen != 0;
    request.size.areaW = call.areaW;
    request.size.areaH = call.areaH;
    request.thumbnail = call.thumbnail != 0;
    bool later = false;
    if (call.askLater)
        request.later = &later;
    CBmp picture;
    const PhotoDecoder decoder = DecodePhotoHere(bytes, request, call.imageLibrary != 0, picture);
    answer.later = later ? 1 : 0;
    HANDLE section = decoder == PhotoDecoder::kNone ? nullptr : PixelsSection(picture);
    if (!section)
        return answer;
    answer.decoder = static_cast<int32_t>(decoder);
    answer.width = picture.Width();
    answer.height = picture.Height();
    answer.hasAlpha = picture.HasAlpha() ? 1 : 0;
    answer.pixelsSection = reinterpret_cast<uintptr_t>(section);
    return answer;
}

}  // namespace

bool IsDecodeHelperCommand(const wchar_t* commandLine, HANDLE& pipe)
{
    const wchar_t* at = commandLine ? std::wcsstr(commandLine, LUMORA_DECODE_HELPER_SWITCH L" ") : nullptr;
    if (!at)
        return false;
    const unsigned long long value = std::wcstoull(at + std::wcslen(LUMORA_DECODE_HELPER_SWITCH L" "), nullptr, 10);
    pipe = AsHandle(value);
    return value != 0;
}

int ServeDecodeRequests(HANDLE pipe, void (*beforeDecode)(const uint8_t* data, size_t size))
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    CComScope com;
    CInbox inbox;
    for (;;) {
        DecodeCall call = {};
        if (!Transfer(pipe, &call, sizeof(call), false) || call.mark != kDecodeCallMark)
            return 0;
        DecodeAnswer answer = Answer(call, inbox, beforeDecode);
        inbox.Done();
        if (!Transfer(pipe, &answer, sizeof(answer), true))
            return 0;
    }
}
