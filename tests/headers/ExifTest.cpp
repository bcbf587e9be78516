// Orientation, embedded thumbnail and date taken from the EXIF block of a JPEG.
#include "ExactBytes.h"
#include "ExifBuilder.h"
#include "picture/ExifReader.h"

#include <gtest/gtest.h>

#include <cstdio>

using exifmake::Put;

namespace {

ExifFacts Read(const std::string& s)
{
    const ExactBytes b(s);
    return ReadJpegExif(b.data(), b.size());
}

const std::string kThumb = exifmake::JpegHead(160, 120);
const std::string kPlain = exifmake::JpegHead(640, 480);

TEST(Exif, EveryOrientationInBothByteOrders)
{
    for (bool big : {false, true})
        for (int o = 1; o <= 8; ++o)
            EXPECT_EQ(Read(exifmake::WithExif(kPlain, {big, o, ""})).orientation, o) << big;
    EXPECT_EQ(Read(kPlain).orientation, 1);
    EXPECT_EQ(Read(exifmake::WithExif(kPlain, {false, 0, ""})).orientation, 1);
    EXPECT_EQ(Read(exifmake::WithExif(kPlain, {false, 9, ""})).orientation, 1);
    EXPECT_EQ(Read(exifmake::WithExif(kPlain, {true, 0x0600, ""})).orientation, 1);
}

TEST(Exif, ThumbnailIsFoundWhereItLies)
{
    for (bool big : {false, true}) {
        const std::string j = exifmake::WithExif(kPlain, {big, 6, kThumb});
        const ExifFacts f = Read(j);
        EXPECT_EQ(f.orientation, 6);
        ASSERT_EQ(f.thumbnailLength, kThumb.size());
        EXPECT_EQ(j.substr(f.thumbnailOffset, f.thumbnailLength), kThumb);
    }
}

TEST(Exif, OnlyTheExifApp1Counts)
{
    // An XMP APP1 first, then the EXIF one.
    const std::string xmp = exifmake::Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
    const std::string j = exifmake::WithExif(kPlain, {false, 3, ""});
    EXPECT_EQ(Read(j.substr(0, 2) + xmp + j.substr(2)).orientation, 3);
    // EXIF after the first scan is not looked for.
    const std::string late = "\xFF\xD8\xFF\xDA" + exifmake::App1(exifmake::Tiff({false, 3, ""}));
    EXPECT_EQ(Read(late).orientation, 1);
    EXPECT_EQ(Read(exifmake::Tiff({false, 3, ""})).orientation, 1);  // not a JPEG
}

// Patches the 32-bit field at `at` of the TIFF block inside `j`.
std::string Patch(std::string j, size_t at, uint32_t v, bool big)
{
    std::string field;
    Put(field, v, 4, big);
    const size_t tiff = j.find("Exif") + 6;
    return j.replace(tiff + at, 4, field);
}

TEST(Exif, BrokenOffsetsAndCountsAreIgnored)
{
    const std::string j = exifmake::WithExif(kPlain, {false, 6, kThumb});
    const size_t next0 = 8 + 2 + 12;  // IFD0's link to IFD1
    const size_t ifd1 = next0 + 4;
    // IFD0 past the end, and far past it.
    EXPECT_EQ(Read(Patch(j, 4, 0x7FFF, false)).orientation, 1);
    EXPECT_EQ(Read(Patch(j, 4, 0xFFFFFFFF, false)).orientation, 1);
    // IFD1 linked to itself, and IFD0 linked to itself: read once each.
    EXPECT_EQ(Read(Patch(j, ifd1 + 2 + 24, static_cast<uint32_t>(ifd1), false)).thumbnailLength, kThumb.size());
    const ExifFacts loop = Read(Patch(j, next0, 8, false));
    EXPECT_EQ(loop.orientation, 6);
    EXPECT_EQ(loop.thumbnailLength, 0u);
    // Thumbnail offset or length reaching past the block, or overflowing.
    const size_t offsetValue = ifd1 + 2 + 8, lengthValue = ifd1 + 2 + 12 + 8;
    EXPECT_EQ(Read(Patch(j, offsetValue, 0xFFFFFFF0, false)).thumbnailLength, 0u);
    EXPECT_EQ(Read(Patch(j, lengthValue, 0xFFFFFFFF, false)).thumbnailLength, 0u);
    EXPECT_EQ(Read(Patch(j, lengthValue, static_cast<uint32_t>(kThumb.size() + 1), false)).thumbnailLength, 0u);
    // Not a JPEG where the offset points.
    EXPECT_EQ(Read(Patch(j, offsetValue, 0, false)).thumbnailLength, 0u);
    // An entry count far beyond the block.
    std::string many = j;
    many[many.find("Exif") + 6 + 8] = '\xFF';
    many[many.find("Exif") + 6 + 9] = '\xFF';
    EXPECT_EQ(Read(many).orientation, 1);
}

std::string Taken(const ExifFacts& f)
{
    if (!f.taken.Known())
        return "none";
    char text[32];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d", f.taken.year, f.taken.month, f.taken.day,
                  f.taken.hour, f.taken.minute, f.taken.second);
    return text;
}

TEST(Exif, DateTakenPrefersTheOriginalOverTheFileDate)
{
    for (bool big : {false, true}) {
        exifmake::ExifFields both{big, 6, kThumb, "2019:03:04 05:06:07", "2012:02:29 23:59:60"};
        const ExifFacts f = Read(exifmake::WithExif(kPlain, both));
        EXPECT_EQ(Taken(f), "2012-02-29 23:59:60") << big;
        EXPECT_EQ(f.orientation, 6);
        EXPECT_EQ(f.thumbnailLength, kThumb.size());
        both.original.clear();
        EXPECT_EQ(Taken(Read(exifmake::WithExif(kPlain, both))), "2019-03-04 05:06:07") << big;
    }
    EXPECT_EQ(Taken(Read(kPlain)), "none");
    // A malformed original counts as none, and the file date stands in.
    EXPECT_EQ(Taken(Read(exifmake::WithExif(kPlain, {false, 1, "", "2001:01:01 00:00:00", "0000:00:00 00:00:00"}))),
              "2001-01-01 00:00:00");
}

TEST(Exif, MalformedDatesAreNoDate)
{
    for (const char* bad : {"0000:00:00 00:00:00", "2019:13:01 00:00:00", "2019:02:29 10:00:00", "1900:02:29 10:00:00",
                            "2019:04:31 10:00:00", "2019:01:01 24:00:00", "2019:01:01 10:60:00", "2019:01:01 10:00:61",
                            "2019-01-01 10:00:00", "20a9:01:01 10:00:00", "2019:01:01", "    :  :     :  :  "}) {
        const std::string text(bad);
        EXPECT_FALSE(ParseExifDate(text.data(), text.size()).Known()) << bad;
        EXPECT_EQ(Taken(Read(exifmake::WithExif(kPlain, {false, 1, "", "", text}))), "none") << bad;
    }
    EXPECT_TRUE(ParseExifDate("2000:02:29 00:00:00", 19).Known());
    EXPECT_FALSE(ParseExifDate("2000:02:29 00:00:0", 18).Known());
    EXPECT_FALSE(ParseExifDate(nullptr, 19).Known());
}

TEST(Exif, CutAndMutatedBlocks)
{
    for (bool big : {false, true}) {
        const std::string j =
            exifmake::WithExif(kPlain, {big, 5, kThumb, "2019:03:04 05:06:07", "2018:12:31 23:59:59"});
        Mutations(j, 4000, [](const ExactBytes& b) {
            const ExifFacts f = ReadJpegExif(b.data(), b.size());
            EXPECT_GE(f.orientation, 1);
            EXPECT_LE(f.orientation, 8);
            if (f.thumbnailLength) {
                ASSERT_LE(f.thumbnailOffset + f.thumbnailLength, b.size());
                EXPECT_EQ(b.data()[f.thumbnailOffset], 0xFF);
                EXPECT_EQ(b.data()[f.thumbnailOffset + 1], 0xD8);
            }
            if (f.taken.Known()) {
                EXPECT_GE(f.taken.month, 1);
                EXPECT_LE(f.taken.month, 12);
                EXPECT_GE(f.taken.day, 1);
                EXPECT_LE(f.taken.day, 31);
            }
        });
    }
}

}  // namespace
