#define PIX_NS sse2
#include "picture/PixelRowsVector.inc"

namespace pix {
const RowKernels kSse2Rows = {"sse2",         sse2::BlendOver, sse2::Premultiply, sse2::Lerp255,
                              sse2::AddScaled, sse2::ReduceRow, sse2::EnlargeRow};
}
