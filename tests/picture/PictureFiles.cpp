#include "PictureFiles.h"

#include "tests/support/TempFolder.h"

#include <objidl.h>

#include <gdiplus.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace picfiles {
namespace {

bool EncoderFor(const wchar_t* mime, CLSID& clsid)
{
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<uint8_t> buf(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
    if (bytes == 0 || Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (wcscmp(codecs[i].MimeType, mime) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

std::wstring Save(Gdiplus::Bitmap& bmp, const wchar_t* name, const wchar_t* mime)
{
    CLSID clsid;
    const std::wstring path = Dir() + name;
    EXPECT_TRUE(EncoderFor(mime, clsid)) << "no encoder";
    EXPECT_EQ(bmp.Save(path.c_str(), &clsid, nullptr), Gdiplus::Ok);
    return path;
}

class Environment : public ::testing::Environment {
public:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

}  // namespace

const std::wstring& Dir()
{
    static const TempFolder folder;
    static const std::wstring dir = folder.Path() + L"\\";
    return dir;
}

// Wine's GDI+ GIF encoder writes only a header, so the GIF sample is built
// here: two palette entries, every pixel a literal LZW code, a clear code
// after each pair so the code width stays at 3 bits.
std::wstring SampleGif(const wchar_t* name)
{
    std::string gif = "GIF89a";
    auto le16 = [&](int v) {
        gif += static_cast<char>(v & 255);
        gif += static_cast<char>(v >> 8);
    };
    le16(kW);
    le16(kH);
    gif += std::string("\x80\x00\x00\xFF\x00\x00\x00\x00\xFF", 9);  // red, blue
    gif += ',';
    le16(0);
    le16(0);
    le16(kW);
    le16(kH);
    gif += '\0';
    std::string lzw;
    uint32_t acc = 0;
    int bits = 0;
    auto code = [&](uint32_t c) {
        acc |= c << bits;
        for (bits += 3; bits >= 8; bits -= 8, acc >>= 8)
            lzw += static_cast<char>(acc & 255);
    };
    for (int i = 0; i < kW * kH; ++i) {
        if (i % 2 == 0)
            code(4);
        code(i % kW < kW / 2 ? 0 : 1);
    }
    code(5);
    if (bits)
        lzw += static_cast<char>(acc & 255);
    gif += '\x02';
    for (size_t at = 0; at < lzw.size(); at += 255) {
        const std::string block = lzw.substr(at, 255);
        gif += static_cast<char>(block.size());
        gif += block;
    }
    gif += std::string("\x00\x3B", 2);
    return WriteBytes(name, gif.data(), gif.size());
}

std::wstring Sample(const wchar_t* name, const wchar_t* mime)
{
    if (wcscmp(mime, L"image/gif") == 0)
        return SampleGif(name);
    const bool png = wcscmp(mime, L"image/png") == 0;
    Gdiplus::Bitmap bmp(kW, kH, PixelFormat32bppARGB);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            bmp.SetPixel(x, y, Gdiplus::Color(x < kW / 2 ? 0xFFFF0000 : (png ? 0x0000FF00 : 0xFF0000FF)));
    return Save(bmp, name, mime);
}

std::wstring Solid(const wchar_t* name, int w, int h, const wchar_t* mime)
{
    Gdiplus::Bitmap bmp(w, h, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics g(&bmp);
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 90, 120, 150));
        g.FillRectangle(&brush, 0, 0, w, h);
    }
    return Save(bmp, name, mime);
}

std::wstring SolidBmp(const wchar_t* name, int w, int h) { return Solid(name, w, h, L"image/bmp"); }
std::wstring SolidJpeg(const wchar_t* name, int w, int h) { return Solid(name, w, h, L"image/jpeg"); }

std::string QuadrantJpeg(int w, int h)
{
    Gdiplus::Bitmap bmp(w, h, PixelFormat24bppRGB);
    const Gdiplus::ARGB colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.SetPixel(x, y, Gdiplus::Color(colours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)]));
    return ReadBytes(Save(bmp, L"quadrants.jpg", L"image/jpeg"));
}

std::wstring WriteBytes(const std::wstring& name, const void* data, size_t size)
{
    const std::wstring path = name.find(L'\\') == std::wstring::npos ? Dir() + name : name;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    if (size)
        WriteFile(f, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(f);
    return path;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string data;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return data;
    LARGE_INTEGER size;
    GetFileSizeEx(f, &size);
    data.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ReadFile(f, &data[0], static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(f);
    return data;
}

}  // namespace picfiles
