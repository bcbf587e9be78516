#pragma once
// Picture files for the decoder tests, written once per run into a private
// temporary folder.
#include <windows.h>

#include <cstdint>
#include <string>

namespace picfiles {

// 40 x 30: left half opaque red, right half opaque blue; for PNG the right
// half is fully transparent green instead.
const int kW = 40, kH = 30;

const std::wstring& Dir();
// Writes the sample in the format of `mime` ("image/png", ...) under `name`.
std::wstring Sample(const wchar_t* name, const wchar_t* mime);
// A solid w x h BMP.
std::wstring SolidBmp(const wchar_t* name, int w, int h);
// A solid w x h JPEG.
std::wstring SolidJpeg(const wchar_t* name, int w, int h);
// A w x h JPEG (w, h multiples of 32) whose quadrants are red and green
// above, blue and white below, as bytes.
std::string QuadrantJpeg(int w, int h);
std::wstring WriteBytes(const std::wstring& name, const void* data, size_t size);
std::string ReadBytes(const std::wstring& path);

}  // namespace picfiles
