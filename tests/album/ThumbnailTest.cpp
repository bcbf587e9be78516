// Thumbnails of the photo entries, and dropping the photos that have none.

#include "tests/album/AlbumTest.h"
#include "tests/support/TempFolder.h"

namespace {

// A 24-bit bottom-up BMP file of one colour.
std::string BmpFile(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const int pixelBytes = stride * height;
    std::string file(54 + pixelBytes, '\0');
    auto put = [&file](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<uint32_t>(pixelBytes), 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) put(54 + y * stride + x * 3, 0x3366CC, 3);
    return file;
}

// The header of a 30000 x 30000 RGBA PNG: 3.6 GB once decoded.
std::string HugePngHeader()
{
    return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x75\x30\0\0\x75\x30\x08\x06\0\0\0", 29) +
           std::string(4, '\0');
}

using Thumbnails = AlbumTest;

TEST_F(Thumbnails, UnusablePhotosAreDroppedAndTheRestKeepOrder)
{
    TempFolder temp;
    const std::wstring first = TempFolder::File(temp.Path() + L"\\first.bmp", BmpFile(8, 6));
    const std::wstring corrupt = TempFolder::File(temp.Path() + L"\\corrupt.jpg", "not a picture at all");
    const std::wstring empty = TempFolder::File(temp.Path() + L"\\empty.bmp", "");
    const std::wstring huge = TempFolder::File(temp.Path() + L"\\huge.png", HugePngHeader());
    const std::wstring second = TempFolder::File(temp.Path() + L"\\second.bmp", BmpFile(3, 9));
    auto album = OpenAlbum();
    album->AddPhoto(first);
    album->AddPhoto(temp.Path() + L"\\missing.jpg");
    album->AddPhoto(corrupt);
    album->AddPhoto(empty);
    album->AddPhoto(L"");
    album->AddPhoto(huge);
    album->AddPhoto(second);
    album->DropUnusablePhotos();
    EXPECT_EQ((std::vector<std::wstring>{first, second}), Paths(*album));
    EXPECT_EQ(21, album->Photos().GetAt(1)->GetThumbnail().Width());
}

}  // namespace
