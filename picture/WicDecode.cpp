#include "picture/WicDecode.h"

#include "picture/Bmp.h"
#include "picture/DecodeMemory.h"
#include "picture/PictureLimits.h"

namespace {

// IWICBitmapSourceTransform, which the MinGW headers lack; only asked for.
const IID kIidSourceTransform = {0x3B16811B, 0x6A43, 0x4EC9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};

}  // namespace

bool CreateWicFactory(CComRef<IWICImagingFactory>& factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.Out())));
}

bool CWicPicture::Open(const uint8_t* data, size_t size)
{
    UINT w = 0, h = 0;
    if (!data || size == 0 || static_cast<DWORD>(size) != size || !CreateWicFactory(m_factory) ||
        !Ok(m_factory->CreateStream(m_stream.Out())) ||
        !Ok(m_stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        !Ok(m_factory->CreateDecoderFromStream(m_stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                               m_decoder.Out())) ||
        !Ok(m_decoder->GetFrame(0, m_frame.Out())) || !Ok(m_frame->GetSize(&w, &h)) || w == 0 || h == 0)
        return false;
    m_width = w;
    m_height = h;
    WICPixelFormatGUID format = {};
    m_opaque = SUCCEEDED(m_frame->GetPixelFormat(&format)) &&
               (format == GUID_WICPixelFormat24bppBGR || format == GUID_WICPixelFormat24bppRGB ||
                format == GUID_WICPixelFormat32bppBGR || format == GUID_WICPixelFormat8bppGray ||
                format == GUID_WICPixelFormat32bppCMYK);
    IUnknown* transform = nullptr;
    m_scalesNatively = SUCCEEDED(m_frame->QueryInterface(kIidSourceTransform, reinterpret_cast<void**>(&transform)));
    if (transform)
        transform->Release();
    return true;
}

bool CWicPicture::Decode(int reduction, CBmp& out)
{
    out.Reset();
    if (!m_frame.Get())
        return false;
    IWICBitmapSource* source = m_frame.Get();
    CComRef<IWICBitmapScaler> scaler;
    if (reduction > 1) {
        // Right after the frame, the scaler hands the reduction to the codec.
        if (!Ok(m_factory->CreateBitmapScaler(scaler.Out())) ||
            !Ok(scaler->Initialize(source, ReducedSide(m_width, reduction), ReducedSide(m_height, reduction),
                                   WICBitmapInterpolationModeFant)))
            return false;
        source = scaler.Get();
    }
    CComRef<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (!Ok(m_factory->CreateFormatConverter(converter.Out())) ||
        !Ok(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                  WICBitmapPaletteTypeCustom)) ||
        !Ok(converter->GetSize(&w, &h)) ||
        !CreateDecodeBlock(out, static_cast<int>(w), static_cast<int>(h), m_noMemory))
        return false;
    if (!Ok(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(out.ByteSize()), out.Bits()))) {
        out.Reset();
        return false;
    }
    // On opaque black, as the other decoders give it.
    if (!m_opaque) {
        out.Premultiply();
        out.ScaleAlpha(0, 255);
    }
    return true;
}

bool CWicPicture::Ok(HRESULT result)
{
    if (result == E_OUTOFMEMORY)
        m_noMemory = true;
    return SUCCEEDED(result);
}
