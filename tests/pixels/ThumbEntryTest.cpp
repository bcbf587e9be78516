// Thumbnail cache entries: what is written reads back only for the exact
// photo it was made from, and damaged bytes of any kind read as a miss.
#include "PixTest.h"
#include "picture/ThumbEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

ThumbKey Key(const std::wstring& path = L"C:\\Fotos\\\u00c5r\u00f8\\\u5199\u771f \U0001F600.jpg")
{
    return ThumbKey{path, 1234567, 0x01D9AABBCCDDEEFFull, 64};
}

std::vector<uint8_t> SmallEntry()
{
    std::mt19937 rng(7);
    return EncodeThumbEntry(Key(), RandomBmp(3, 2, rng));
}

bool Parses(const std::vector<uint8_t>& bytes, const ThumbKey& key = Key())
{
    CBmp out;
    return ParseThumbEntry(bytes.data(), bytes.size(), key, out);
}

TEST(ThumbEntry, RoundTripKeepsPixelsSizeAndAlpha)
{
    std::mt19937 rng(1);
    CBmp thumb = RandomBmp(64, 48, rng);
    thumb.SetHasAlpha(true);
    const std::vector<uint8_t> bytes = EncodeThumbEntry(Key(), thumb);
    CBmp out;
    ASSERT_TRUE(ParseThumbEntry(bytes.data(), bytes.size(), Key(), out));
    EXPECT_EQ(out.Width(), 64);
    EXPECT_EQ(out.Height(), 48);
    EXPECT_TRUE(out.HasAlpha());
    EXPECT_EQ(Bytes(out), Bytes(thumb));
}

// The date taken rides with the thumbnail; entries of the version before
// dates were kept are made again.
TEST(ThumbEntry, KeepsTheDateTakenAndRefusesTheVersionBefore)
{
    ExifDate taken;
    taken.year = 2019;
    taken.month = 2;
    taken.day = 28;
    taken.hour = 23;
    taken.minute = 59;
    taken.second = 58;
    std::vector<uint8_t> bytes = EncodeThumbEntry(Key(), SolidBmp(2, 2, 0), taken);
    CBmp out;
    ExifDate got;
    ASSERT_TRUE(ParseThumbEntry(bytes.data(), bytes.size(), Key(), out, &got));
    EXPECT_EQ(2019, got.year);
    EXPECT_EQ(2, got.month);
    EXPECT_EQ(28, got.day);
    EXPECT_EQ(23, got.hour);
    EXPECT_EQ(59, got.minute);
    EXPECT_EQ(58, got.second);

    bytes = EncodeThumbEntry(Key(), SolidBmp(2, 2, 0));
    ASSERT_TRUE(ParseThumbEntry(bytes.data(), bytes.size(), Key(), out, &got));
    EXPECT_FALSE(got.Known());

    bytes[4] = 1;
    EXPECT_FALSE(Parses(bytes));
}

TEST(ThumbEntry, AnyOtherKeyMisses)
{
    const std::vector<uint8_t> bytes = SmallEntry();
    ASSERT_TRUE(Parses(bytes));
    ThumbKey others[6] = {Key(), Key(), Key(), Key(L"C:\\Fotos\\x.jpg"), Key(Key().path + L"x"),
                          Key(Key().path.substr(1))};
    others[0].fileSize += 1;
    others[1].lastWriteTime += 1;
    others[2].thumbSize = 96;
    for (const ThumbKey& key : others)
        EXPECT_FALSE(Parses(bytes, key));
}

TEST(ThumbEntry, DamagedBytesMissAndLeaveTheOutputAlone)
{
    const std::vector<uint8_t> bytes = SmallEntry();
    CBmp out = SolidBmp(1, 1, 0x11223344);
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(ParseThumbEntry(bytes.data(), size, Key(), out)) << size;
    for (size_t at = 0; at < bytes.size(); ++at)
        for (uint8_t flip : {0x01, 0x80, 0xFF}) {
            std::vector<uint8_t> bad = bytes;
            bad[at] ^= flip;
            EXPECT_FALSE(ParseThumbEntry(bad.data(), bad.size(), Key(), out)) << at;
        }
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(Parses(longer));
    EXPECT_FALSE(ParseThumbEntry(nullptr, 0, Key(), out));
    EXPECT_EQ(Bytes(out), Bytes(SolidBmp(1, 1, 0x11223344)));
}

// Headers that claim huge sizes, long paths or odd lengths must neither read
// past the bytes nor allocate.
TEST(ThumbEntry, RandomMutationsNeverReadOutside)
{
    const std::vector<uint8_t> bytes = SmallEntry();
    std::mt19937 rng(2024);
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bad = bytes;
        for (int e = 1 + static_cast<int>(rng() % 4); e > 0; --e)
            bad[rng() % bad.size()] = static_cast<uint8_t>(rng());
        bad.resize(rng() % 4 == 0 ? rng() % (bad.size() + 8) : bad.size());
        if (bad == bytes)
            continue;
        // Exactly that many bytes on the heap, so ASan sees any read past them.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bad.size() + 1]);
        std::copy(bad.begin(), bad.end(), exact.get());
        CBmp out;
        EXPECT_FALSE(ParseThumbEntry(exact.get(), bad.size(), Key(), out)) << round;
    }
}

TEST(ThumbEntry, RefusesWhatIsNoThumbnail)
{
    EXPECT_TRUE(EncodeThumbEntry(Key(), CBmp()).empty());
    EXPECT_TRUE(EncodeThumbEntry(Key(), SolidBmp(kMaxThumbEntrySide + 1, 1, 0)).empty());
    const std::wstring longest(kMaxThumbEntryPathUnits, L'p');
    EXPECT_TRUE(EncodeThumbEntry(Key(longest + L"p"), SolidBmp(2, 2, 0)).empty());
    // The largest entry there can be is still read.
    const CBmp largest = SolidBmp(kMaxThumbEntrySide, kMaxThumbEntrySide, 0);
    EXPECT_EQ(EncodeThumbEntry(Key(longest), largest).size(), MaxThumbEntryBytes());
}

TEST(ThumbEntry, NameFollowsPathAndThumbSizeOnly)
{
    ThumbKey changed = Key();
    changed.fileSize = 1;
    changed.lastWriteTime = 2;
    EXPECT_EQ(ThumbEntryName(changed), ThumbEntryName(Key()));
    changed.thumbSize = 32;
    EXPECT_NE(ThumbEntryName(changed), ThumbEntryName(Key()));
    EXPECT_NE(ThumbEntryName(Key(L"C:\\Fotos\\x.jpg")), ThumbEntryName(Key()));
    EXPECT_EQ(ThumbEntryName(Key()).find_first_not_of(L"0123456789abcdef"), 16u);
}

}  // namespace
