#include "picture/WicCodecs.h"

#include "picture/GdiOwners.h"
#include "picture/PictureBytes.h"
#include "picture/WicDecode.h"

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> DecoderFileTypes()
{
    std::vector<std::wstring> types;
    CComScope com;
    CComRef<IWICImagingFactory> factory;
    CComRef<IEnumUnknown> codecs;
    if (!CreateWicFactory(factory) ||
        FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, codecs.Out())))
        return types;
    for (;;) {
        CComRef<IUnknown> item;
        CComRef<IWICBitmapCodecInfo> info;
        ULONG got = 0;
        if (codecs->Next(1, item.Out(), &got) != S_OK || got != 1)
            break;
        GUID container = {};
        UINT length = 0;
        if (FAILED(item->QueryInterface(IID_IWICBitmapCodecInfo, reinterpret_cast<void**>(info.Out()))) ||
            FAILED(info->GetContainerFormat(&container)) || container == GUID_ContainerFormatIco ||
            FAILED(info->GetFileExtensions(0, nullptr, &length)) || length == 0)
            continue;
        std::wstring list(length, L'\0');
        if (FAILED(info->GetFileExtensions(length, &list[0], &length)))
            continue;
        // ".jpg,.jpeg" (Windows) or ".jpg;.jpeg" (Wine).
        std::wstring type;
        for (wchar_t c : list + L",") {
            if (c == L',' || c == L';' || c == L' ' || c == L'\0') {
                if (!type.empty())
                    types.push_back(type);
                type.clear();
            } else if (c != L'.') {
                type += c;
            }
        }
    }
    return types;
}

// A 16 x 16 JPEG from the system's own encoder, opened again: whether its
// frame offers the codec's own reduced decoding.
bool ProbeJpegScaling()
{
    CComScope com;
    CComRef<IWICImagingFactory> factory;
    CComRef<IStream> stream;
    CComRef<IWICBitmapEncoder> encoder;
    CComRef<IWICBitmapFrameEncode> frame;
    const UINT side = 16, stride = side * 3;
    std::vector<BYTE> pixels(stride * side, 0x80);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (!CreateWicFactory(factory) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Out())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Out(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(side, side)) || FAILED(frame->SetPixelFormat(&format)) ||
        format != GUID_WICPixelFormat24bppBGR ||
        FAILED(frame->WritePixels(side, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    HGLOBAL block = nullptr;
    STATSTG stat = {};
    if (FAILED(GetHGlobalFromStream(stream.Get(), &block)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return false;
    const void* data = GlobalLock(block);
    CPictureBytes bytes;
    const bool copied = data && bytes.Assign(data, static_cast<size_t>(stat.cbSize.QuadPart));
    if (data)
        GlobalUnlock(block);
    CWicPicture jpeg;
    return copied && jpeg.Open(bytes.Data(), bytes.Size()) && jpeg.ScalesNatively();
}

}  // namespace

bool SystemDecodesFileName(const wchar_t* name)
{
    static const std::vector<std::wstring> types = DecoderFileTypes();
    const wchar_t* dot = name ? wcsrchr(name, L'.') : nullptr;
    if (!dot || !dot[1])
        return false;
    for (const std::wstring& type : types)
        if (CompareStringOrdinal(dot + 1, -1, type.c_str(), -1, TRUE) == CSTR_EQUAL)
            return true;
    return false;
}

bool JpegScalesNatively()
{
    static const bool scales = ProbeJpegScaling();
    return scales;
}
