// Decoding real files of each format, the fallback order, bad inputs and
// thumbnails. Wine's OLE decoder also reads PNG; Windows' does not.
#include "PictureFiles.h"
#include "picture/DecodeMemory.h"
#include "picture/Picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace picfiles;

namespace {

uint32_t Pixel(const CBmp& b, int x, int y) { return b.Pixel(x, y); }

// Colour within `tol` per channel (lossy formats); alpha exact.
void ExpectColour(const CBmp& b, int x, int y, uint32_t want, int tol)
{
    const uint32_t got = Pixel(b, x, y);
    for (int s = 0; s < 32; s += 8) {
        const int g = (got >> s) & 255, w = (want >> s) & 255;
        EXPECT_LE(std::abs(g - w), s == 24 ? 0 : tol) << std::hex << got << " vs " << want << " at " << std::dec << x
                                                      << "," << y;
    }
}

void ExpectSample(const CBmp& b, int tol)
{
    ASSERT_EQ(b.Width(), kW);
    ASSERT_EQ(b.Height(), kH);
    ExpectColour(b, 3, 3, 0xFFFF0000, tol);
    ExpectColour(b, kW - 3, kH - 3, 0xFF0000FF, tol);
}

TEST(PictureDecoder, ReadsBmpJpegGifOpaque)
{
    CBmp b;
    ASSERT_TRUE(DecodeWithPictureDecoder(Sample(L"s.bmp", L"image/bmp").c_str(), b));
    ExpectSample(b, 0);
    ASSERT_TRUE(DecodeWithPictureDecoder(Sample(L"s.jpg", L"image/jpeg").c_str(), b));
    ExpectSample(b, 40);
    const std::wstring gif = Sample(L"s.gif", L"image/gif");
    ASSERT_TRUE(DecodeWithImageLibrary(gif.c_str(), b));
    ExpectSample(b, 0);
    ASSERT_TRUE(DecodeWithPictureDecoder(gif.c_str(), b));
    ExpectSample(b, 0);
}

TEST(ImageLibrary, TiffFallsThroughToGdiPlus)
{
    const std::wstring tif = Sample(L"s.tif", L"image/tiff");
    CBmp b;
    EXPECT_FALSE(DecodeWithPictureDecoder(tif.c_str(), b));
    EXPECT_TRUE(b.Empty());
    ASSERT_TRUE(LoadPhotoFile(tif.c_str(), b));
    ExpectSample(b, 0);
}

TEST(ImageLibrary, PngTransparencyBecomesOpaqueBlack)
{
    const std::wstring png = Sample(L"t.png", L"image/png");
    CBmp b;
    ASSERT_TRUE(DecodeWithImageLibrary(png.c_str(), b));
    ExpectColour(b, 3, 3, 0xFFFF0000, 0);
    ExpectColour(b, kW - 3, 3, 0xFF000000, 0);
    // Wine's picture decoder reads PNG, Windows' does not; either way a photo
    // goes through WIC first, which puts transparent areas on opaque black.
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    CBmp decoded;
    EXPECT_EQ(DecodeWithPictureDecoder(png.c_str(), decoded), wine);
    ASSERT_TRUE(LoadPhotoFile(png.c_str(), b));
    EXPECT_EQ(Pixel(b, kW - 3, 3), 0xFF000000u) << std::hex << Pixel(b, kW - 3, 3);
    ExpectColour(b, 3, 3, 0xFFFF0000, 0);
}

uint32_t Crc(const uint8_t* p, size_t n)
{
    uint32_t c = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void PutChunk(std::string& png, const char* type, const std::string& data)
{
    auto be32 = [&](uint32_t v) {
        for (int s = 24; s >= 0; s -= 8)
            png += static_cast<char>((v >> s) & 255);
    };
    be32(static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    be32(Crc(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

std::string HugePng()
{
    std::string png("\x89PNG\r\n\x1a\n", 8);
    const std::string ihdr("\x00\x00\x75\x30\x00\x00\x75\x30\x08\x06\x00\x00\x00", 13);  // 30000 x 30000 RGBA
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", std::string("\x78\x01\x01\x00\x00\xff\xff\x00\x00\x00\x01", 11));
    PutChunk(png, "IEND", "");
    return png;
}

TEST(BadInput, EachYieldsAnEmptyPictureOrACorrectOne)
{
    const std::string jpeg = ReadBytes(Sample(L"whole.jpg", L"image/jpeg"));
    ASSERT_GT(jpeg.size(), 100u);
    std::string noise(4096, '\0');
    std::mt19937 rng(3);
    for (char& c : noise)
        c = static_cast<char>(rng());
    const std::string huge = HugePng();
    const std::wstring files[] = {
        WriteBytes(L"zero.jpg", "", 0),
        WriteBytes(L"truncated.jpg", jpeg.data(), jpeg.size() / 2),
        WriteBytes(L"random.jpg", noise.data(), noise.size()),
        WriteBytes(L"huge.png", huge.data(), huge.size()),
        Dir() + L"missing.jpg",
        Dir() + L"no_such_folder\\x.bmp",
    };
    for (const std::wstring& f : files) {
        CBmp b;
        b.Create(2, 2);
        const bool ok = LoadPhotoFile(f.c_str(), b);
        EXPECT_EQ(ok, !b.Empty());
        if (ok) {  // a truncated JPEG may decode with its missing part filled
            EXPECT_EQ(b.Width(), kW);
            EXPECT_EQ(b.Height(), kH);
        }
        CBmp thumb;
        EXPECT_EQ(MakePhotoThumbnail(f.c_str(), thumb), ok);
    }
    CBmp b;
    EXPECT_FALSE(LoadPhotoFile(L"", b));
    EXPECT_FALSE(LoadPhotoFile(nullptr, b));
}

TEST(BadInput, FileHeldOpenElsewhereIsSkippedCleanly)
{
    const std::wstring path = Sample(L"locked.bmp", L"image/bmp");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CBmp b;
    EXPECT_FALSE(LoadPhotoFile(path.c_str(), b));
    EXPECT_TRUE(b.Empty());
    CloseHandle(h);
    EXPECT_TRUE(LoadPhotoFile(path.c_str(), b));
}

// Fault: a decoder's allocation that failed (other decodes took the room
// meanwhile) made a good photo unusable; it is tried again later. A file
// that is no picture stays unusable.
TEST(BadInput, DecodeWithoutMemoryForNowIsLaterNotUnusable)
{
    std::string noise(4096, '\0');
    std::mt19937 rng(5);
    for (char& c : noise)
        c = static_cast<char>(rng());
    const std::wstring noPicture = WriteBytes(L"noise.jpg", noise.data(), noise.size());
    FailDecodeBlocksOver(64);
    struct TurnOff {
        ~TurnOff() { FailDecodeBlocksOver(0); }
    } turnOff;
    for (const std::wstring& path : {Sample(L"memory.jpg", L"image/jpeg"), Sample(L"memory.png", L"image/png")}) {
        bool later = false;
        CBmp thumb;
        EXPECT_FALSE(MakePhotoThumbnail(path.c_str(), thumb, &later));
        EXPECT_TRUE(later) << "a decode without memory was taken for an unusable picture";
    }
    bool later = false;
    CBmp thumb;
    EXPECT_FALSE(MakePhotoThumbnail(noPicture.c_str(), thumb, &later));
    EXPECT_FALSE(later);
    FailDecodeBlocksOver(0);
    EXPECT_TRUE(MakePhotoThumbnail(Sample(L"memory.jpg", L"image/jpeg").c_str(), thumb, &later));
}

TEST(Paths, NonAsciiAndLongerThanMaxPath)
{
    const std::string bmp = ReadBytes(Sample(L"plain.bmp", L"image/bmp"));
    CBmp b;
    const std::wstring unicode = WriteBytes(L"\x0444\x043E\x0442\x043E \x00FC\x20AC.bmp", bmp.data(), bmp.size());
    ASSERT_TRUE(LoadPhotoFile(unicode.c_str(), b));
    ExpectSample(b, 0);

    std::wstring dir = Dir();
    while (dir.size() < 300) {
        dir += std::wstring(60, L'd') + L"\\";
        CreateDirectoryW((L"\\\\?\\" + dir).c_str(), nullptr);
    }
    const std::wstring longPath = dir + L"photo.bmp";
    WriteBytes(L"\\\\?\\" + longPath, bmp.data(), bmp.size());
    ASSERT_GT(longPath.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(LoadPhotoFile(longPath.c_str(), b));
    ExpectSample(b, 0);
}

TEST(Thumbnails, SixtyFourOnTheLongSideAtLeastOnePixelOnTheShort)
{
    const struct {
        const wchar_t* name;
        int w, h, tw, th;
    } cases[] = {{L"wide.bmp", 200, 100, 64, 32},
                 {L"tall.bmp", 100, 200, 32, 64},
                 {L"square.bmp", 64, 64, 64, 64},
                 {L"strip.bmp", 10000, 10, 64, 1}};
    for (const auto& c : cases) {
        CBmp thumb;
        ASSERT_TRUE(MakePhotoThumbnail(SolidBmp(c.name, c.w, c.h).c_str(), thumb)) << c.w << "x" << c.h;
        EXPECT_EQ(thumb.Width(), c.tw);
        EXPECT_EQ(thumb.Height(), c.th);
    }
}

TEST(Thumbnails, KeptWhenPresentAndNoSecondDecoderWithoutADot)
{
    CBmp thumb;
    thumb.Create(3, 3);
    EXPECT_TRUE(MakePhotoThumbnail(L"C:\\nowhere\\x.bmp", thumb));
    EXPECT_EQ(thumb.Width(), 3);

    // WIC, tried first, knows a TIFF by its bytes whatever the name; a name
    // without a '.' only keeps GDI+ out, which under Wine reads nothing WIC
    // does not.
    const std::string tiff = ReadBytes(Sample(L"k.tif", L"image/tiff"));
    CBmp a, b;
    EXPECT_TRUE(MakePhotoThumbnail(WriteBytes(L"tiff_with.tif", tiff.data(), tiff.size()).c_str(), a));
    PhotoRequest request;
    request.thumbnail = true;
    EXPECT_EQ(DecodePhoto(WriteBytes(L"tiff_without", tiff.data(), tiff.size()).c_str(), request, b),
              PhotoDecoder::kWic);
}

TEST(Handles, AlphaRuleOnLoad)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = -1;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    uint32_t* px = static_cast<uint32_t*>(bits);
    px[0] = 0x00112233;
    px[1] = 0x00445566;
    CBmp b;
    ASSERT_TRUE(LoadBmpFromHandle(dib, b));
    EXPECT_FALSE(b.HasAlpha());
    EXPECT_EQ(b.Pixel(1, 0), 0xFF445566u);
    px[1] = 0x07445566;
    ASSERT_TRUE(LoadBmpFromHandle(dib, b));
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_EQ(b.Pixel(0, 0), 0x00112233u);
    DeleteObject(dib);
    EXPECT_FALSE(LoadBmpFromHandle(nullptr, b));
    EXPECT_TRUE(b.Empty());
}

}  // namespace
