#include "picture/DecodeHelper.h"

#include "picture/Bmp.h"
#include "picture/DecodeHelperWire.h"
#include "picture/HelperProcess.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <new>

namespace {

std::mutex g_setupLock;
DecodeHelperSetup g_setup;
long g_generation = 0;
std::atomic<long> g_starts(0);

enum class Exchange { kAnswered, kFailed };

// A pause before starting a helper again after it kept failing: crashes in
// a row on one bad file cost little, a helper that dies at every start is
// not restarted in a spin.
DWORD BackOffMs(int failures)
{
    return failures < 2 ? 0 : std::min<DWORD>(8000, 250u << std::min(failures - 2, 5));
}

// The helper of one decoding thread.
class CDecodeHelper {
public:
    bool Decode(const CPictureBytes& bytes, const DecodeCall& call, CBmp& out, PhotoDecoder& decoder);
    // The last answer was "no room for now".
    bool AnsweredLater() const { return m_later; }

private:
    bool Running(const DecodeHelperSetup& setup, long generation);
    Exchange Ask(const CPictureBytes& bytes, DecodeCall call, DWORD deadlineMs, CBmp& out, PhotoDecoder& decoder);
    bool TakePixels(const DecodeAnswer& answer, CBmp& out);

    CHelperProcess m_process;
    long m_generation = -1;
    int m_failures = 0;
    bool m_later = false;
};

bool CDecodeHelper::Running(const DecodeHelperSetup& setup, long generation)
{
    if (m_generation != generation) {
        m_process.Stop();
        m_generation = generation;
        m_failures = 0;
    }
    if (m_process.Running())
        return true;
    Sleep(BackOffMs(m_failures));
    if (!m_process.Start(setup.exe, LUMORA_DECODE_HELPER_SWITCH))
        return false;
    ++g_starts;
    return true;
}

bool CDecodeHelper::Decode(const CPictureBytes& bytes, const DecodeCall& call, CBmp& out, PhotoDecoder& decoder)
{
    DecodeHelperSetup setup;
    long generation = 0;
    {
        const std::lock_guard<std::mutex> lock(g_setupLock);
        setup = g_setup;
        generation = g_generation;
    }
    if (setup.exe.empty())
        return false;
    // A helper that dies or hangs may have met a passing fault: the picture
    // is tried once more in a fresh helper before it counts as unusable.
    for (int attempt = 0; attempt < 2; ++attempt) {
        // No helper at all is no fault of the picture's; the caller decodes
        // it here. After a crash it is.
        if (!Running(setup, generation)) {
            if (attempt == 0)
                return false;
            break;
        }
        if (Ask(bytes, call, setup.deadlineMs, out, decoder) == Exchange::kAnswered) {
            m_failures = 0;
            return true;
        }
        m_process.Stop();
        ++m_failures;
    }
    out.Reset();
    decoder = PhotoDecoder::kNone;
    return true;
}

Exchange CDecodeHelper::Ask(const CPictureBytes& bytes, DecodeCall call, DWORD deadlineMs, CBmp& out,
                            PhotoDecoder& decoder)
{
    out.Reset();
    decoder = PhotoDecoder::kNone;
    m_later = false;
    const DWORD deadline = GetTickCount() + deadlineMs;
    HANDLE theirs = nullptr;
    size_t sectionSize = 0;
    if (!m_process.ShareBytes(bytes.Data(), bytes.Size(), kKeptSectionBytes, theirs, sectionSize))
        return Exchange::kFailed;
    call.bytesSection = reinterpret_cast<uintptr_t>(theirs);
    call.sectionSize = sectionSize;
    DecodeAnswer answer = {};
    const bool answered =
        m_process.Send(&call, sizeof(call), deadline) && m_process.Receive(&answer, sizeof(answer), deadline);
    m_process.DropLargeSection(kKeptSectionBytes);
    if (!answered)
        return Exchange::kFailed;
    m_later = answer.later != 0;
    if (answer.decoder == static_cast<int32_t>(PhotoDecoder::kNone))
        return Exchange::kAnswered;
    if (answer.decoder < static_cast<int32_t>(PhotoDecoder::kWic) ||
        answer.decoder > static_cast<int32_t>(PhotoDecoder::kExifThumbnail) || !TakePixels(answer, out))
        return Exchange::kFailed;  // a helper that says nonsense is not trusted further
    decoder = static_cast<PhotoDecoder>(answer.decoder);
    return Exchange::kAnswered;
}

bool CDecodeHelper::TakePixels(const DecodeAnswer& answer, CBmp& out)
{
    const int size = BmpByteSize(answer.width, answer.height);
    HANDLE section = m_process.TakeHandle(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(answer.pixelsSection)));
    const void* view = section && size ? MapViewOfFile(section, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size))
                                       : nullptr;
    const bool ok = view && out.Create(answer.width, answer.height);
    if (ok) {
        std::memcpy(out.Bits(), view, static_cast<size_t>(size));
        out.SetHasAlpha(answer.hasAlpha != 0);
    }
    if (view)
        UnmapViewOfFile(view);
    if (section)
        CloseHandle(section);
    return ok;
}

}  // namespace

void UseDecodeHelper(const DecodeHelperSetup& setup)
{
    const std::lock_guard<std::mutex> lock(g_setupLock);
    g_setup = setup;
    ++g_generation;
}

namespace {

// One helper per decoding thread, ended with its thread. Fiber-local
// storage calls back as the thread ends; a thread_local with a destructor
// is not safe in the MinGW runtime for threads that end while others run.
VOID NTAPI EndThreadHelper(PVOID helper) { delete static_cast<CDecodeHelper*>(helper); }

CDecodeHelper* ThreadHelper()
{
    static const DWORD slot = FlsAlloc(EndThreadHelper);
    if (slot == FLS_OUT_OF_INDEXES)
        return nullptr;
    auto* helper = static_cast<CDecodeHelper*>(FlsGetValue(slot));
    if (!helper) {
        helper = new (std::nothrow) CDecodeHelper;
        if (helper && !FlsSetValue(slot, helper)) {
            delete helper;
            helper = nullptr;
        }
    }
    return helper;
}

bool HelperSetUp()
{
    const std::lock_guard<std::mutex> lock(g_setupLock);
    return !g_setup.exe.empty();
}

}  // namespace

long DecodeHelperStarts() { return g_starts.load(); }

bool DecodeInHelper(const CPictureBytes& bytes, const PhotoRequest& request, bool imageLibrary, CBmp& out,
                    PhotoDecoder& decoder)
{
    CDecodeHelper* helper = HelperSetUp() ? ThreadHelper() : nullptr;
    if (!helper)
        return false;
    DecodeCall call = {};
    call.mark = kDecodeCallMark;
    call.byteCount = static_cast<uint32_t>(bytes.Size());
    call.sizeKind = request.size.kind;
    call.maxW = request.size.maxW;
    call.maxH = request.size.maxH;
    call.fullscreen = request.size.fullscreen ? 1 : 0;
    call.areaW = request.size.areaW;
    call.areaH = request.size.areaH;
    call.thumbnail = request.thumbnail ? 1 : 0;
    call.imageLibrary = imageLibrary ? 1 : 0;
    call.askLater = request.later ? 1 : 0;
    if (!helper->Decode(bytes, call, out, decoder))
        return false;
    if (request.later && decoder == PhotoDecoder::kNone && helper->AnsweredLater())
        *request.later = true;
    return true;
}
