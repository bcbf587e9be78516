#pragma once
// Decoding through the Windows Imaging Component: every codec the system
// has, the frame size before the pixels are asked for, and reduced decoding
// where the codec does it itself (JPEG at 1/2, 1/4 or 1/8 on Windows).
// The calling thread must have COM initialised (either apartment).

#include "picture/GdiOwners.h"

#include <wincodec.h>

#include <cstddef>
#include <cstdint>

class CBmp;

bool CreateWicFactory(CComRef<IWICImagingFactory>& factory);

class CWicPicture {
public:
    // The first frame of the picture in `data`, which must outlive this
    // object. Wine's codecs decode the pixels here already.
    bool Open(const uint8_t* data, size_t size);
    uint32_t Width() const { return m_width; }
    uint32_t Height() const { return m_height; }
    // Whether the codec decodes reduced sizes without the full picture.
    bool ScalesNatively() const { return m_scalesNatively; }
    // Each side divided by `reduction` (rounded up); transparent areas come
    // out on opaque black.
    bool Decode(int reduction, CBmp& out);
    // A call failed for want of memory, the codec's or ours.
    bool NoMemory() const { return m_noMemory; }

private:
    bool Ok(HRESULT result);

    CComRef<IWICImagingFactory> m_factory;
    CComRef<IWICStream> m_stream;
    CComRef<IWICBitmapDecoder> m_decoder;
    CComRef<IWICBitmapFrameDecode> m_frame;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    bool m_scalesNatively = false;
    bool m_opaque = false;  // a pixel format without alpha
    bool m_noMemory = false;
};
