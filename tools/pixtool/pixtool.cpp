// Command-line access to the pixel core on raw BGRA files: u32 LE width,
// u32 LE height, then width*height*4 bytes B, G, R, A, rows top to bottom.
#include "picture/Bmp.h"
#include "picture/PixView.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

uint32_t ReadLe32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

bool Fail(const std::string& msg)
{
    std::fprintf(stderr, "pixtool: %s\n", msg.c_str());
    return false;
}

bool ReadRaw(const char* path, CBmp& out)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return Fail(std::string("cannot open ") + path);
    unsigned char head[8];
    bool ok = std::fread(head, 1, 8, f) == 8;
    const uint32_t w = ok ? ReadLe32(head) : 0, h = ok ? ReadLe32(head + 4) : 0;
    if (!ok)
        Fail(std::string(path) + ": shorter than its 8-byte header");
    else if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF ||
             BmpByteSize(static_cast<int>(w), static_cast<int>(h)) == 0)
        ok = Fail(std::string(path) + ": bad size " + std::to_string(w) + "x" + std::to_string(h));
    else if (!out.Create(static_cast<int>(w), static_cast<int>(h)))
        ok = Fail(std::string(path) + ": out of memory");
    else if (std::fread(out.Bits(), 1, static_cast<size_t>(out.ByteSize()), f) != static_cast<size_t>(out.ByteSize()))
        ok = Fail(std::string(path) + ": truncated pixel data");
    else if (std::fgetc(f) != EOF)
        ok = Fail(std::string(path) + ": trailing bytes after the pixel data");
    std::fclose(f);
    return ok;
}

bool WriteRaw(const char* path, const CBmp& bmp)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return Fail(std::string("cannot create ") + path);
    unsigned char head[8];
    for (int i = 0; i < 4; ++i) {
        head[i] = static_cast<unsigned char>(static_cast<uint32_t>(bmp.Width()) >> (8 * i));
        head[4 + i] = static_cast<unsigned char>(static_cast<uint32_t>(bmp.Height()) >> (8 * i));
    }
    bool ok = std::fwrite(head, 1, 8, f) == 8 &&
              std::fwrite(bmp.Bits(), 1, static_cast<size_t>(bmp.ByteSize()), f) == static_cast<size_t>(bmp.ByteSize());
    ok = (std::fclose(f) == 0) && ok;
    return ok || Fail(std::string("cannot write ") + path);
}

bool ParseInt(const char* s, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (!*s || *end || v < -0x7FFFFFFFL || v > 0x7FFFFFFFL)
        return Fail(std::string("not a number: ") + s);
    out = static_cast<int>(v);
    return true;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: pixtool resample IN OUT WIDTH HEIGHT\n"
                 "       pixtool draw DST SRC X Y OUT\n"
                 "       pixtool premultiply IN OUT\n");
    return 2;
}

bool Run(int argc, char** argv)
{
    const std::string cmd = argv[1];
    CBmp img;
    if (cmd == "resample" && argc == 6) {
        int w, h;
        if (!ParseInt(argv[4], w) || !ParseInt(argv[5], h) || !ReadRaw(argv[2], img))
            return false;
        if (w <= 0 || h <= 0 || BmpByteSize(w, h) == 0)
            return Fail("bad target size");
        return (img.Resample(w, h) || Fail("out of memory")) && WriteRaw(argv[3], img);
    }
    if (cmd == "draw" && argc == 7) {
        CBmp src;
        int x, y;
        if (!ParseInt(argv[4], x) || !ParseInt(argv[5], y) || !ReadRaw(argv[2], img) || !ReadRaw(argv[3], src))
            return false;
        CPixView target;
        target.Wrap(img);
        src.Draw(target, x, y);
        return WriteRaw(argv[6], img);
    }
    if (cmd == "premultiply" && argc == 4) {
        if (!ReadRaw(argv[2], img))
            return false;
        img.Premultiply();
        return WriteRaw(argv[3], img);
    }
    std::exit(Usage());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    return Run(argc, argv) ? 0 : 1;
}
