#pragma once
// What a decode helper and its parent say over their pipe: fixed records of
// plain values. The file's bytes and the finished pixels travel in sections
// (shared memory) whose handles the parent duplicates into and out of the
// helper; the helper needs no handle to its parent.

#include <cstdint>

// The command line of a helper: "<exe>" --lumora-decode-helper <pipe handle>
#define LUMORA_DECODE_HELPER_SWITCH L"--lumora-decode-helper"

const uint32_t kDecodeCallMark = 0x4C44434Cu;
// A section of file bytes up to this size is kept by both sides between
// requests; a larger one is given up after its request.
const uint64_t kKeptSectionBytes = 16u << 20;

struct DecodeCall {
    uint32_t mark;
    uint32_t byteCount;
    // The bytes come first in a read-only section of sectionSize bytes that
    // the helper keeps mapped between requests; the parent replaces it by a
    // larger one when needed, and the helper then closes the old handle.
    // A section above kKeptSectionBytes serves one request.
    uint64_t bytesSection;  // the helper's handle
    uint64_t sectionSize;
    int32_t sizeKind;       // PhotoSize
    int32_t maxW;
    int32_t maxH;
    int32_t fullscreen;
    int32_t areaW;
    int32_t areaH;
    int32_t thumbnail;
    int32_t imageLibrary;
    int32_t askLater;  // a decode without room for now answers `later`
};

struct DecodeAnswer {
    int32_t decoder;  // PhotoDecoder; kNone: nothing decoded
    int32_t width;
    int32_t height;
    int32_t hasAlpha;
    int32_t later;  // nothing decoded for want of memory: try again later
    uint64_t pixelsSection;  // the helper's handle, width * height * 4 bytes; the parent takes it over
};
