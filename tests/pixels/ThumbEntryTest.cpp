// Thumbnail cache entries: what is written reads back only for the exact
// photo it was made from, and damaged bytes of any kind read as a miss.
#include "PixTest.h"
#include "picture/ThumbEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

ThumbKey Key(const std::wstring& path = L"C:\\Photos\\a.jpg")
{
    return ThumbKey{path, 1234567, 0x01D9AABBCCDDEEFFull, 64};
}

std::vector<uint8_t> SmallEntry(CBmp& thumb)
{
    std::mt19937 rng(7);
    thumb = RandomBmp(3, 2, rng);
    return EncodeThumbEntry(Key(), thumb);
}

bool Parses(const std::vector<uint8_t>& bytes, const ThumbKey& key = Key())
{
    CBmp out;
    return ParseThumbEntry(bytes.data(), bytes.size(), key, out);
}

TEST(ThumbEntry, RoundTripKeepsPixelsSizeAndAlpha)
{
    std::mt19937 rng(1);
    const std::wstring longPath = L"\\\\server\\share\\" + std::wstring(300, L'x') + L".jpg";
    for (const std::wstring& path : {std::wstring(L"C:\\Fotos\\\u00c5r\u00f8\\\u5199\u771f \U0001F600.jpg"), longPath}) {
        CBmp thumb = RandomBmp(64, 48, rng);
        thumb.SetHasAlpha(true);
        const ThumbKey key = Key(path);
        const std::vector<uint8_t> bytes = EncodeThumbEntry(key, thumb);
        CBmp out;
        ASSERT_TRUE(ParseThumbEntry(bytes.data(), bytes.size(), key, out));
        EXPECT_EQ(out.Width(), 64);
        EXPECT_EQ(out.Height(), 48);
        EXPECT_TRUE(out.HasAlpha());
        EXPECT_EQ(Bytes(out), Bytes(thumb));
        EXPECT_LE(bytes.size(), MaxThumbEntryBytes());
    }
}

TEST(ThumbEntry, AnyOtherKeyMisses)
{
    CBmp thumb;
    const std::vector<uint8_t> bytes = SmallEntry(thumb);
    ASSERT_TRUE(Parses(bytes));
    ThumbKey key = Key();
    key.fileSize += 1;
    EXPECT_FALSE(Parses(bytes, key));
    key = Key();
    key.lastWriteTime += 1;
    EXPECT_FALSE(Parses(bytes, key));
    key = Key();
    key.thumbSize = 96;
    EXPECT_FALSE(Parses(bytes, key));
    EXPECT_FALSE(Parses(bytes, Key(L"C:\\Photos\\A.jpg")));
    EXPECT_FALSE(Parses(bytes, Key(L"C:\\Photos\\a.jp")));
    EXPECT_FALSE(Parses(bytes, Key(L"C:\\Photos\\a.jpgx")));
}

TEST(ThumbEntry, DamagedBytesMissAndLeaveTheOutputAlone)
{
    CBmp thumb;
    const std::vector<uint8_t> bytes = SmallEntry(thumb);
    CBmp out = SolidBmp(1, 1, 0x11223344);
    for (size_t size = 0; size < bytes.size(); ++size) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(ParseThumbEntry(cut.data(), cut.size(), Key(), out)) << size;
    }
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
    EXPECT_EQ(out.Width(), 1);
    EXPECT_EQ(out.Pixel(0, 0), 0x11223344u);
}

// Headers that claim huge sizes, long paths or odd lengths must neither read
// past the bytes nor allocate.
TEST(ThumbEntry, RandomMutationsNeverReadOutside)
{
    CBmp thumb;
    const std::vector<uint8_t> bytes = SmallEntry(thumb);
    std::mt19937 rng(2024);
    int parsed = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bad = bytes;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e)
            bad[rng() % bad.size()] = static_cast<uint8_t>(rng());
        bad.resize(rng() % 4 == 0 ? rng() % (bad.size() + 8) : bad.size());
        if (bad == bytes)
            continue;
        // A copy of exactly that size, so ASan sees any read past its end.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bad.size() + 1]);
        std::copy(bad.begin(), bad.end(), exact.get());
        CBmp out;
        if (ParseThumbEntry(exact.get(), bad.size(), Key(), out))
            ++parsed;
    }
    EXPECT_EQ(parsed, 0);
}

TEST(ThumbEntry, RefusesWhatIsNoThumbnail)
{
    EXPECT_TRUE(EncodeThumbEntry(Key(), CBmp()).empty());
    EXPECT_TRUE(EncodeThumbEntry(Key(), SolidBmp(kMaxThumbEntrySide + 1, 1, 0)).empty());
    EXPECT_FALSE(EncodeThumbEntry(Key(), SolidBmp(kMaxThumbEntrySide, 1, 0)).empty());
    const std::wstring tooLong(kMaxThumbEntryPathUnits + 1, L'p');
    EXPECT_TRUE(EncodeThumbEntry(Key(tooLong), SolidBmp(2, 2, 0)).empty());
}

TEST(ThumbEntry, NameFollowsPathAndThumbSizeOnly)
{
    ThumbKey changed = Key();
    changed.fileSize = 1;
    changed.lastWriteTime = 2;
    EXPECT_EQ(ThumbEntryName(changed), ThumbEntryName(Key()));
    changed.thumbSize = 32;
    EXPECT_NE(ThumbEntryName(changed), ThumbEntryName(Key()));
    EXPECT_NE(ThumbEntryName(Key(L"C:\\Photos\\b.jpg")), ThumbEntryName(Key()));
    const std::wstring name = ThumbEntryName(Key());
    EXPECT_EQ(name.size(), 16 + std::wstring(kThumbEntrySuffix).size());
    EXPECT_EQ(name.find_first_not_of(L"0123456789abcdef"), 16u);
}

}  // namespace
