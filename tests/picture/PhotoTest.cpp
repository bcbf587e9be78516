// Which decoder reads what under Wine, photos turned upright, the EXIF
// thumbnail, and pictures too big to decode. Under Wine every format here
// goes through WIC, whose JPEG codec cannot decode reduced sizes itself.
#include "PictureFiles.h"
#include "picture/DecodeCount.h"
#include "picture/Picture.h"
#include "picture/WicCodecs.h"
#include "tests/headers/ExifBuilder.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

using namespace picfiles;

namespace {

const uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

bool Near(uint32_t got, uint32_t want)
{
    for (int s = 0; s < 32; s += 8)
        if (std::abs(static_cast<int>((got >> s) & 255) - static_cast<int>((want >> s) & 255)) > 48)
            return false;
    return true;
}

// Corners of the upright picture: top-left, top-right, bottom-left, bottom-right.
void ExpectCorners(const CBmp& b, const uint32_t (&want)[4], int o)
{
    ASSERT_FALSE(b.Empty()) << o;
    const int w = b.Width(), h = b.Height();
    const uint32_t got[4] = {b.Pixel(2, 2), b.Pixel(w - 3, 2), b.Pixel(2, h - 3), b.Pixel(w - 3, h - 3)};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Near(got[i], want[i])) << "orientation " << o << " corner " << i << std::hex << " " << got[i];
}

PhotoDecoder Decode(const std::wstring& path, CBmp& out, bool thumbnail = false)
{
    PhotoRequest request;
    request.thumbnail = thumbnail;
    if (thumbnail)
        request.size.kind = PhotoSize::kThumbnail;
    return DecodePhoto(path.c_str(), request, out);
}

TEST(WineDecoders, WicReadsEveryFormatBadFilesNone)
{
    CBmp b;
    for (const auto& f : {std::make_pair(L"w.bmp", L"image/bmp"), std::make_pair(L"w.jpg", L"image/jpeg"),
                          std::make_pair(L"w.png", L"image/png"), std::make_pair(L"w.gif", L"image/gif"),
                          std::make_pair(L"w.tif", L"image/tiff")})
        EXPECT_EQ(Decode(Sample(f.first, f.second), b), PhotoDecoder::kWic) << f.first;
    const std::string text = "Not a picture, only named like one.\r\n";
    EXPECT_EQ(Decode(WriteBytes(L"text.bmp", text.data(), text.size()), b), PhotoDecoder::kNone);
    EXPECT_EQ(Decode(WriteBytes(L"empty.jpg", "", 0), b), PhotoDecoder::kNone);
    EXPECT_EQ(Decode(Dir() + L"absent.jpg", b), PhotoDecoder::kNone);
    EXPECT_TRUE(b.Empty());
    // Wine's JPEG codec offers no reduced decoding.
    EXPECT_FALSE(JpegScalesNatively());
}

TEST(Orientation, EveryExifValueTurnsTheStoredPictureUpright)
{
    const std::string jpeg = QuadrantJpeg(64, 32);
    const uint32_t R = kRed, G = kGreen, B = kBlue, W = kWhite;
    const uint32_t upright[9][4] = {{}, {R, G, B, W}, {G, R, W, B}, {W, B, G, R}, {B, W, R, G},
                                    {R, B, G, W}, {B, R, W, G}, {W, G, B, R}, {G, W, R, B}};
    for (bool big : {false, true})
        for (int o = 1; o <= 8; ++o) {
            const std::string j = exifmake::WithExif(jpeg, {big, o, ""});
            const std::wstring path = WriteBytes(L"o" + std::to_wstring(o) + L".jpg", j.data(), j.size());
            CBmp b;
            ASSERT_EQ(Decode(path, b), PhotoDecoder::kWic);
            EXPECT_EQ(b.Width(), o >= 5 ? 32 : 64);
            EXPECT_EQ(b.Height(), o >= 5 ? 64 : 32);
            ExpectCorners(b, upright[o], o);
            CBmp thumb;
            ASSERT_TRUE(MakePhotoThumbnail(path.c_str(), thumb));
            EXPECT_EQ(thumb.Width(), o >= 5 ? 32 : 64);
            ExpectCorners(thumb, upright[o], o);
        }
}

TEST(Orientation, PortraitStoredSidewaysIsFittedUpright)
{
    const std::string j = exifmake::WithExif(QuadrantJpeg(64, 32), {false, 6, ""});
    const std::wstring path = WriteBytes(L"portrait.jpg", j.data(), j.size());
    CBmp b;
    ASSERT_TRUE(LoadPhotoFitted(path.c_str(), 480, 320, false, 0, 0, b));
    EXPECT_EQ(b.Width(), 160);  // 32 x 64 upright: 480 wide, then 320 high
    EXPECT_EQ(b.Height(), 320);
    ExpectCorners(b, {kBlue, kRed, kWhite, kGreen}, 6);
}

// The counts tell a start served by the thumbnail cache from one that decodes.
TEST(DecodeCount, EachDecodeCountsOnceForItsPurpose)
{
    const std::string main = QuadrantJpeg(256, 128);
    const std::string thumbed = exifmake::WithExif(main, {false, 1, QuadrantJpeg(128, 64)});
    const std::wstring withThumb = WriteBytes(L"counted.jpg", thumbed.data(), thumbed.size());
    const std::wstring plain = WriteBytes(L"plain.jpg", main.data(), main.size());
    const auto counts = [] {
        return std::vector<long>{DecodesOf(static_cast<int>(DecodeKind::kThumbnailFromExif)),
                                 DecodesOf(static_cast<int>(DecodeKind::kThumbnailFull)),
                                 DecodesOf(static_cast<int>(DecodeKind::kShownFull))};
    };
    const std::vector<long> before = counts();
    CBmp b;
    ASSERT_EQ(Decode(withThumb, b, true), PhotoDecoder::kExifThumbnail);
    ASSERT_EQ(Decode(plain, b, true), PhotoDecoder::kWic);
    ASSERT_EQ(Decode(withThumb, b), PhotoDecoder::kWic);
    ASSERT_EQ(Decode(plain, b), PhotoDecoder::kWic);
    EXPECT_EQ(Decode(Dir() + L"absent.jpg", b), PhotoDecoder::kNone);
    EXPECT_EQ((std::vector<long>{before[0] + 1, before[1] + 1, before[2] + 2}), counts());
    EXPECT_EQ(0, DecodesOf(-1));
    EXPECT_EQ(0, DecodesOf(static_cast<int>(DecodeKind::kCount)));
}

TEST(ExifThumbnail, UsedWhenBigEnoughAndShapedLikeThePhoto)
{
    const std::string main = QuadrantJpeg(256, 128);
    const struct {
        std::string thumb;
        PhotoDecoder decoder;
    } cases[] = {{QuadrantJpeg(128, 64), PhotoDecoder::kExifThumbnail},
                 {QuadrantJpeg(64, 32), PhotoDecoder::kExifThumbnail},
                 {QuadrantJpeg(32, 32), PhotoDecoder::kWic},     // smaller than a thumbnail
                 {QuadrantJpeg(128, 128), PhotoDecoder::kWic}};  // another shape
    for (const auto& c : cases) {
        const std::string j = exifmake::WithExif(main, {false, 8, c.thumb});
        CBmp b;
        EXPECT_EQ(Decode(WriteBytes(L"thumbed.jpg", j.data(), j.size()), b, true), c.decoder);
        ASSERT_EQ(b.Width(), 32);
        ASSERT_EQ(b.Height(), 64);
        ExpectCorners(b, {kGreen, kWhite, kRed, kBlue}, 8);
    }
}

TEST(ExifThumbnail, BrokenOffsetsFallBackToThePhoto)
{
    std::string j = exifmake::WithExif(QuadrantJpeg(256, 128), {true, 3, QuadrantJpeg(128, 64)});
    const size_t offsetValue = j.find("Exif") + 6 + 8 + 2 + 12 + 4 + 2 + 8;
    j.replace(offsetValue, 4, std::string("\x7F\xFF\xFF\x00", 4));
    CBmp b;
    EXPECT_EQ(Decode(WriteBytes(L"broken_exif.jpg", j.data(), j.size()), b, true), PhotoDecoder::kWic);
    ExpectCorners(b, {kWhite, kBlue, kGreen, kRed}, 3);
}

std::string PngHead(uint32_t w, uint32_t h)
{
    std::string png("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    exifmake::Put(png, w, 4, true);
    exifmake::Put(png, h, 4, true);
    return png + std::string("\x08\x06\0\0\0\0\0\0\0", 9);
}

TEST(TooBig, RefusedFromTheHeaderBeforeAnyDecoder)
{
    const std::string png = PngHead(30000, 30000), jpeg = exifmake::JpegHead(20000, 10000);
    const std::wstring good = Sample(L"beside.bmp", L"image/bmp");
    CBmp b;
    EXPECT_EQ(Decode(WriteBytes(L"huge30000.png", png.data(), png.size()), b), PhotoDecoder::kNone);
    // 200 megapixels: Windows' JPEG codec would decode it at a half; Wine's cannot.
    EXPECT_EQ(Decode(WriteBytes(L"huge.jpg", jpeg.data(), jpeg.size()), b), PhotoDecoder::kNone);
    EXPECT_FALSE(DecodeWithPictureDecoder((Dir() + L"huge30000.png").c_str(), b));
    EXPECT_FALSE(DecodeWithImageLibrary((Dir() + L"huge30000.png").c_str(), b));
    EXPECT_EQ(Decode(good, b), PhotoDecoder::kWic);
}

TEST(TooBig, SixtyThousandByOneJpeg)
{
    const std::wstring path = SolidJpeg(L"line.jpg", 60000, 1);
    CBmp b;
    ASSERT_TRUE(LoadPhotoFile(path.c_str(), b));
    EXPECT_EQ(b.Width(), 60000);
    ASSERT_TRUE(LoadPhotoFitted(path.c_str(), 480, 320, false, 0, 0, b));
    EXPECT_EQ(b.Width(), 480);
    EXPECT_EQ(b.Height(), 1);
    CBmp thumb;
    ASSERT_TRUE(MakePhotoThumbnail(path.c_str(), thumb));
    EXPECT_EQ(thumb.Width(), 64);
    EXPECT_EQ(thumb.Height(), 1);
}

// Stray bytes before a marker: decoders pass over them, so the header reader
// must too, or a good photo is refused unseen.
TEST(HeaderReader, StrayBytesBeforeAMarkerStillDecode)
{
    std::string jpeg = QuadrantJpeg(64, 64);
    jpeg.insert(jpeg.find("\xFF\xC0"), "stray");
    CBmp b;
    ASSERT_EQ(Decode(WriteBytes(L"stray.jpg", jpeg.data(), jpeg.size()), b), PhotoDecoder::kWic);
    EXPECT_EQ(b.Width(), 64);
}

TEST(Sharing, ReadersShareWritersAndLockersDoNot)
{
    const std::wstring path = Sample(L"shared.jpg", L"image/jpeg");
    CBmp b;
    const struct {
        DWORD access, share;
        bool decodes;
    } holders[] = {{GENERIC_READ, FILE_SHARE_READ, true},
                   {GENERIC_WRITE, FILE_SHARE_READ, false},
                   {GENERIC_READ, 0, false}};
    for (const auto& h : holders) {
        HANDLE held = CreateFileW(path.c_str(), h.access, h.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(LoadPhotoFile(path.c_str(), b), h.decodes);
        CloseHandle(held);
    }
}

// Workers decode on threads of their own, several at once.
TEST(Threads, ConcurrentDecodesGiveTheSamePictures)
{
    const std::string j = exifmake::WithExif(QuadrantJpeg(128, 64), {false, 6, QuadrantJpeg(64, 32)});
    const std::vector<std::wstring> files = {WriteBytes(L"t1.jpg", j.data(), j.size()), Sample(L"t2.png", L"image/png"),
                                             Sample(L"t3.bmp", L"image/bmp"), Sample(L"t4.tif", L"image/tiff")};
    std::vector<CBmp> expected(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        ASSERT_TRUE(LoadPhotoFile(files[i].c_str(), expected[i]));
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            CoInitializeEx(nullptr, t % 2 ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED);
            for (int round = 0; round < 10; ++round)
                for (size_t i = 0; i < files.size(); ++i) {
                    CBmp b, thumb;
                    if (!LoadPhotoFile(files[i].c_str(), b) || b.ByteSize() != expected[i].ByteSize() ||
                        memcmp(b.Bits(), expected[i].Bits(), static_cast<size_t>(b.ByteSize())) != 0 ||
                        !MakePhotoThumbnail(files[i].c_str(), thumb))
                        ++mismatches[t];
                }
            CoUninitialize();
        });
    for (std::thread& w : workers)
        w.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
