// Caption texts by kind, for photos with and without a date taken.
#include "slideshow/CaptionText.h"

#include <gtest/gtest.h>

namespace {

ExifDate July4()
{
    ExifDate d;
    d.year = 2019;
    d.month = 7;
    d.day = 4;
    return d;
}

TEST(CaptionText, EachKind)
{
    const std::wstring path = L"D:\\Photos\\Lake Tahoe\\IMG_0042.JPG";
    const std::wstring date = LongDateText(July4());
    ASSERT_NE(date.find(L"2019"), std::wstring::npos) << "no long date";
    EXPECT_EQ(CaptionText(CaptionKind::kNone, path, July4()), L"");
    EXPECT_EQ(CaptionText(CaptionKind::kDate, path, July4()), date);
    EXPECT_EQ(CaptionText(CaptionKind::kDateAndFolder, path, July4()), date + L" \x2014 Lake Tahoe");
    EXPECT_EQ(CaptionText(CaptionKind::kFileName, path, July4()), L"IMG_0042.JPG");
    EXPECT_EQ(CaptionText(CaptionKind::kFileName, L"\\\\nas\\share\\a.jpg", ExifDate()), L"a.jpg");
}

TEST(CaptionText, WithoutADate)
{
    const std::wstring path = L"C:\\Users\\Ann\\Pictures\\Beach\\p.jpg";
    EXPECT_EQ(CaptionText(CaptionKind::kDate, path, ExifDate()), L"");
    EXPECT_EQ(CaptionText(CaptionKind::kDateAndFolder, path, ExifDate()), L"Beach");
    EXPECT_EQ(CaptionText(CaptionKind::kDateAndFolder, L"p.jpg", ExifDate()), L"");
    EXPECT_EQ(CaptionKindOf(7), CaptionKind::kNone);
    EXPECT_EQ(CaptionKindOf(-1), CaptionKind::kNone);
    EXPECT_EQ(CaptionKindOf(2), CaptionKind::kDateAndFolder);
}

}  // namespace
