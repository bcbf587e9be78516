#include <gtest/gtest.h>

#include <random>

#include "album/FieldText.h"

// Fields that look like the text's own marks, empty and absent ones, and
// characters beyond ASCII come back as they went in.
TEST(FieldText, EveryFieldComesBackAsItWas)
{
    const std::vector<TextField> fields{TextField(L"C:\\Fotos\\3:x-1.jpg"), TextField(), TextField(L""),
                                        TextField(L"-"), TextField(L"12:"), TextField(L"\u65e5\u672c \u00e9")};
    const std::wstring text = JoinFields(fields);
    EXPECT_EQ(L"18:C:\\Fotos\\3:x-1.jpg-0:1:-3:12:4:\u65e5\u672c \u00e9", text);
    std::vector<TextField> back;
    ASSERT_TRUE(SplitFields(text, back));
    EXPECT_EQ(fields, back);
    ASSERT_TRUE(SplitFields(L"", back));
    EXPECT_TRUE(back.empty());
}

TEST(FieldText, RefusesWhatItDidNotWrite)
{
    std::vector<TextField> out;
    for (const wchar_t* bad : {L"4:abc", L"3abc", L":abc", L"x", L"3:abc5", L"99999999999999999999999:a", L"-2", L"01:a"})
        EXPECT_FALSE(SplitFields(bad, out)) << bad;
}

// Lengths that claim more than there is must neither read past the text nor allocate.
TEST(FieldText, RandomMutationsNeverReadOutside)
{
    const std::wstring good = JoinFields({TextField(L"Profile"), TextField(), TextField(L"C:\\a.jpg"), TextField(L"1")});
    std::mt19937 rng(7);
    const wchar_t alphabet[] = L"0123456789:-a";
    for (int round = 0; round < 20000; ++round) {
        std::wstring bad = good;
        for (int e = 1 + static_cast<int>(rng() % 3); e > 0; --e) bad[rng() % bad.size()] = alphabet[rng() % 13];
        bad.resize(rng() % 4 == 0 ? rng() % (bad.size() + 1) : bad.size());
        std::vector<TextField> out;
        if (SplitFields(bad, out)) {
            EXPECT_EQ(bad, JoinFields(out)) << round;
        }
    }
}
