#include "picture/Caption.h"

#include "picture/GdiOwners.h"

#include <algorithm>

namespace {

const int kShadowOpacity = 170;  // of 255, where the shadow is densest

HFONT CaptionFont(int height)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font = metrics.lfMessageFont;
    else
        lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
    font.lfHeight = -height;
    font.lfWidth = 0;
    font.lfWeight = FW_SEMIBOLD;
    font.lfQuality = ANTIALIASED_QUALITY;
    return CreateFontIndirectW(&font);
}

// The text's coverage (0..255 in every channel) on a black surface.
bool RenderCoverage(const wchar_t* text, int height, int width, int pad, CBmp& coverage)
{
    CGdiObject<HFONT> font(CaptionFont(height));
    CDibSurface surface;
    const int lineHeight = height * 3 / 2;
    if (!font || !surface.Create(width + 2 * pad, lineHeight + 2 * pad))
        return false;
    CSelectObject selected(surface.Dc(), font.Get());
    SetBkMode(surface.Dc(), TRANSPARENT);
    SetTextColor(surface.Dc(), RGB(255, 255, 255));
    RECT line = {pad, pad, pad + width, pad + lineHeight};
    DrawTextW(surface.Dc(), text, -1, &line,
              DT_SINGLELINE | DT_LEFT | DT_BOTTOM | DT_END_ELLIPSIS | DT_NOPREFIX);
    GdiFlush();
    if (!coverage.Create(surface.Width(), surface.Height()))
        return false;
    const uint8_t* from = surface.Bits();
    uint8_t* to = coverage.Bits();
    const size_t pixels = static_cast<size_t>(surface.Width()) * surface.Height();
    for (size_t i = 0; i < pixels; ++i) {
        // Grey antialiasing gives equal channels; ClearType's coloured
        // fringes are folded into their brightest.
        const uint8_t c = std::max({from[4 * i], from[4 * i + 1], from[4 * i + 2]});
        to[4 * i] = to[4 * i + 1] = to[4 * i + 2] = to[4 * i + 3] = c;
    }
    return true;
}

}  // namespace

int CaptionHeight(int frameHeight, int dpi)
{
    return std::max(frameHeight / 20, MulDiv(9, dpi > 0 ? dpi : 96, 72));
}

bool DrawCaption(CBmp& image, const RECT& photo, const wchar_t* text, int frameHeight, int dpi)
{
    if (!text || !*text || image.Empty())
        return false;
    RECT inside = photo;
    RECT whole = {0, 0, image.Width(), image.Height()};
    if (!IntersectRect(&inside, &inside, &whole))
        return false;
    const int height = CaptionHeight(frameHeight, dpi);
    const int margin = height / 2;
    const int width = inside.right - inside.left - 2 * margin;
    if (width < height || inside.bottom - inside.top < 2 * height)
        return false;
    const int pad = std::max(1, height / 6);
    CBmp coverage;
    if (!RenderCoverage(text, height, width, pad, coverage))
        return false;
    CBmp shadow(coverage);
    if (!shadow.Blur(pad))
        return false;
    const int shift = std::max(1, height / 16);

    // The coverage's top left corner on the image, and the part of it drawn.
    const int left = inside.left + margin - pad;
    const int top = inside.bottom - margin - coverage.Height() + pad;
    const int x0 = std::max<int>(left, inside.left), x1 = std::min<int>(left + coverage.Width(), inside.right);
    const int y0 = std::max<int>(top, inside.top), y1 = std::min<int>(top + coverage.Height(), inside.bottom);
    for (int y = y0; y < y1; ++y) {
        uint8_t* p = image.Bits() + (static_cast<size_t>(y) * image.Width() + x0) * 4;
        for (int x = x0; x < x1; ++x, p += 4) {
            const int sx = x - left - shift, sy = y - top - shift;
            const bool shaded = sx >= 0 && sy >= 0;
            const int dark = shaded ? shadow.Pixel(sx, sy) % 256 * kShadowOpacity / 255 : 0;
            const int light = coverage.Pixel(x - left, y - top) % 256;
            for (int c = 0; c < 3; ++c) {
                const int under = p[c] * (255 - dark) / 255;
                p[c] = static_cast<uint8_t>(under + (255 - under) * light / 255);
            }
        }
    }
    return true;
}
