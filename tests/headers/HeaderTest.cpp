// Stored sizes from the headers of JPEG, PNG, GIF and BMP files.
#include "ExactBytes.h"
#include "ExifBuilder.h"
#include "picture/PictureHeader.h"

#include <gtest/gtest.h>

using exifmake::Put;

namespace {

PictureHeader Read(const std::string& s)
{
    const ExactBytes b(s);
    return ReadPictureHeader(b.data(), b.size());
}

void ExpectSize(const std::string& s, PictureFormat format, uint32_t w, uint32_t h)
{
    const PictureHeader got = Read(s);
    EXPECT_EQ(got.format, format);
    EXPECT_EQ(got.width, w);
    EXPECT_EQ(got.height, h);
}

std::string Png(uint32_t w, uint32_t h)
{
    std::string png("\x89PNG\r\n\x1A\n", 8);
    Put(png, 13, 4, true);
    png += "IHDR";
    Put(png, w, 4, true);
    Put(png, h, 4, true);
    return png + std::string("\x08\x06\0\0\0\0\0\0\0", 9);
}

std::string Gif(uint32_t sw, uint32_t sh, uint32_t left, uint32_t top, uint32_t w, uint32_t h)
{
    std::string gif = "GIF89a";
    Put(gif, sw, 2, false);
    Put(gif, sh, 2, false);
    gif += std::string("\x81\0\0", 3) + std::string(12, '\x10');  // 4-entry colour table
    gif += std::string("\x21\xF9\x04\x01\0\0\0\0", 8);              // graphic control extension
    gif += std::string("\x21\xFE\x03", 3) + "abc" + std::string("\x02xy\0", 4);  // a comment in two sub-blocks
    gif += ',';
    for (uint32_t v : {left, top, w, h})
        Put(gif, v, 2, false);
    return gif + std::string("\0\x02\x01\x44\0;", 6);
}

std::string Bmp(int32_t w, int32_t h)
{
    std::string bmp = "BM";
    Put(bmp, 0, 4, false);
    Put(bmp, 0, 4, false);
    Put(bmp, 54, 4, false);
    Put(bmp, 40, 4, false);
    Put(bmp, static_cast<uint32_t>(w), 4, false);
    Put(bmp, static_cast<uint32_t>(h), 4, false);
    return bmp + std::string(28, '\0');
}

TEST(Header, JpegFrameSizeAfterOtherSegments)
{
    ExpectSize(exifmake::JpegHead(4032, 3024), PictureFormat::kJpeg, 4032, 3024);
    ExpectSize(exifmake::JpegHead(60000, 1), PictureFormat::kJpeg, 60000, 1);
    // EXIF with a thumbnail in front, fill bytes before the marker, a
    // progressive frame header.
    std::string j = exifmake::WithExif(exifmake::JpegHead(300, 200), {false, 6, exifmake::JpegHead(8, 8)});
    ExpectSize(j, PictureFormat::kJpeg, 300, 200);
    j = exifmake::JpegHead(640, 480);
    const size_t sof = j.find("\xFF\xC0");
    j[sof + 1] = '\xC2';
    j.insert(sof, "\xFF\xFF");
    ExpectSize(j, PictureFormat::kJpeg, 640, 480);
}

// Decoders pass over stray bytes before a marker (and a stuffed 0xFF 0x00)
// with a warning; such a photo shows everywhere else.
TEST(Header, JpegWithStrayBytesBeforeAMarker)
{
    std::string j = exifmake::JpegHead(640, 480);
    j.insert(j.find("\xFF\xC0"), std::string("\0\x12junk\xFF\0", 8));
    ExpectSize(j, PictureFormat::kJpeg, 640, 480);
    j = exifmake::WithExif(exifmake::JpegHead(300, 200), {false, 6, exifmake::JpegHead(8, 8)});
    j.insert(2, "xy");
    ExpectSize(j, PictureFormat::kJpeg, 300, 200);
}

TEST(Header, JpegWithoutAReadableFrameHeaderHasNoSize)
{
    const std::string j = exifmake::JpegHead(640, 480);
    ExpectSize(j.substr(0, j.find("\xFF\xC0") + 6), PictureFormat::kJpeg, 0, 0);  // cut inside it
    ExpectSize(exifmake::JpegHead(640, 0), PictureFormat::kJpeg, 0, 0);         // height left to a DNL
    std::string scanFirst = j;
    scanFirst[j.find("\xFF\xC0") + 1] = '\xDA';
    ExpectSize(scanFirst, PictureFormat::kJpeg, 0, 0);
}

TEST(Header, PngGifBmp)
{
    ExpectSize(Png(30000, 30000), PictureFormat::kPng, 30000, 30000);
    ExpectSize(Png(0x80000000u, 1), PictureFormat::kPng, 0, 0);
    ExpectSize(Gif(10, 10, 0, 0, 10, 10), PictureFormat::kGif, 10, 10);
    ExpectSize(Gif(10, 10, 5, 5, 65535, 40), PictureFormat::kGif, 65540, 45);  // image beyond the screen
    ExpectSize(Bmp(300, 200), PictureFormat::kBmp, 300, 200);
    ExpectSize(Bmp(300, -200), PictureFormat::kBmp, 300, 200);  // top-down
    ExpectSize(Bmp(300, INT32_MIN), PictureFormat::kBmp, 0, 0);
    ExpectSize(Bmp(-300, 200), PictureFormat::kBmp, 0, 0);
    std::string core = "BM" + std::string(12, '\0');
    Put(core, 12, 4, false);
    Put(core, 640, 2, false);
    Put(core, 480, 2, false);
    ExpectSize(core + std::string(4, '\0'), PictureFormat::kBmp, 640, 480);
}

TEST(Header, OtherBytesAreUnknown)
{
    ExpectSize("This is a text file named photo.bmp\r\n", PictureFormat::kUnknown, 0, 0);
    ExpectSize("", PictureFormat::kUnknown, 0, 0);
    ExpectSize(std::string("II*\0", 4), PictureFormat::kUnknown, 0, 0);
    EXPECT_EQ(ReadPictureHeader(nullptr, 100).format, PictureFormat::kUnknown);
}

// Cut and changed headers never read outside their bytes (the sanitizers
// watch), and a size once read is one the header holds.
TEST(Header, CutAndMutatedHeaders)
{
    const std::string samples[] = {
        exifmake::WithExif(exifmake::JpegHead(640, 480), {true, 8, exifmake::JpegHead(8, 8)}),
        Png(300, 200),
        Gif(10, 10, 5, 5, 100, 40),
        Bmp(300, -200),
    };
    for (const std::string& s : samples)
        Mutations(s, 3000, [](const ExactBytes& b) {
            const PictureHeader h = ReadPictureHeader(b.data(), b.size());
            EXPECT_EQ(h.width == 0, h.height == 0);
            EXPECT_TRUE(h.width == 0 || h.format != PictureFormat::kUnknown);
        });
}

}  // namespace
