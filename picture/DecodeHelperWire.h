#pragma once
// What a decode helper and its parent say over their pipe: fixed records of
// plain values. The file's bytes and the finished pixels travel in sections
// (shared memory) whose handles the parent duplicates into and out of the
// helper; the helper needs no handle to its parent.

#include <cstdint>

// The command line of a helper: "<exe>" --lumora-decode-helper <pipe handle>
#define LUMORA_DECODE_HELPER_SWITCH L"--lumora-decode-helper"

const uint32_t kDecodeCallMark = 0x4C44434Cu;

struct DecodeCall {
    uint32_t mark;
    uint32_t byteCount;
    uint64_t bytesSection;  // the helper's handle, read-only, byteCount long; the helper closes it
    int32_t sizeKind;       // PhotoSize
    int32_t maxW;
    int32_t maxH;
    int32_t fullscreen;
    int32_t areaW;
    int32_t areaH;
    int32_t thumbnail;
    int32_t imageLibrary;
};

struct DecodeAnswer {
    int32_t decoder;  // PhotoDecoder; kNone: nothing decoded
    int32_t width;
    int32_t height;
    int32_t hasAlpha;
    uint64_t pixelsSection;  // the helper's handle, width * height * 4 bytes; the parent takes it over
};
