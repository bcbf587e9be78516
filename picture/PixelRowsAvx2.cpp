// Built with -mavx2; only reached after the CPU check in PixelKernels.cpp.
#define PIX_NS avx2
#include "picture/PixelRowsVector.inc"

namespace pix {
const RowKernels kAvx2Rows = {"avx2",         avx2::BlendOver, avx2::Premultiply, avx2::Lerp255,
                              avx2::AddScaled, avx2::ReduceRow, avx2::EnlargeRow};
}
