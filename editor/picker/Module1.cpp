#include "Module1.h"

#include "ColourRules.h"
#include "CpuFeatures.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace tintaro::Module1 {

namespace {

using ColourRules::Rgb;

constexpr int kSide = 256;
constexpr std::size_t kPlaneSize = std::size_t(kSide) * kSide;
constexpr std::size_t kSquareBytes = kPlaneSize * 3; // 196,608

int clampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

std::uint8_t byteOrZero(int value) {
    return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : 0;
}

// One component of the hue-mode square in buffer order (bottom row first, each row left to
// right). A component depends only on its own value Q, the column and the row, so each plane
// is computed once per Q and shared by every hue that has that component.
using Plane = std::array<std::uint8_t, kPlaneSize>;

void fillHuePlane(Plane& plane, int q) {
    // Rows 255 down to 0 with base, top and delta formed once per row, as the rule is written.
    const double step = q / 255.0;
    std::uint8_t* out = plane.data();
    for (int y = 255; y >= 0; --y) {
        const double base = q - y * step;
        const double top = 255 - y;
        const double delta = (top - base) / 255;
        for (int j = 255; j >= 0; --j) {
            const int x = 255 - j;
            *out++ = byteOrZero(ColourRules::nearest((255 - x) * delta + base));
        }
    }
}

const Plane& huePlane(int q, std::unique_ptr<Plane>& scratch) {
    static std::array<std::once_flag, 256> once;
    static std::array<std::unique_ptr<Plane>, 256> planes;
    if (q < 0 || q > 255) {
        // Only a read outside the window yields such a component; not worth keeping.
        scratch = std::make_unique<Plane>();
        fillHuePlane(*scratch, q);
        return *scratch;
    }
    const auto i = static_cast<std::size_t>(q);
    std::call_once(once[i], [&] {
        auto plane = std::make_unique<Plane>();
        fillHuePlane(*plane, q);
        planes[i] = std::move(plane);
    });
    return *planes[i];
}

// The square buffer from the three planes: blue, green, red bytes per pixel.
void interleaveScalar(const std::uint8_t* pb, const std::uint8_t* pg, const std::uint8_t* pr,
                      std::uint8_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, out += 3) {
        out[0] = pb[i];
        out[1] = pg[i];
        out[2] = pr[i];
    }
}

#if defined(TINTARO_X86_SIMD)
// Shuffle masks that place byte p of a plane at the positions 3p + c of 48 output bytes:
// kMasks[k][c] builds output bytes 16k..16k+15 from plane c (0 blue, 1 green, 2 red).
struct InterleaveMasks {
    alignas(16) std::int8_t bytes[3][3][16];
};
constexpr InterleaveMasks makeMasks() {
    InterleaveMasks m{};
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c)
            for (int b = 0; b < 16; ++b) {
                const int o = 16 * k + b;
                m.bytes[k][c][b] = static_cast<std::int8_t>(o % 3 == c ? o / 3 : -1);
            }
    return m;
}
constexpr InterleaveMasks kMasks = makeMasks();

__attribute__((target("ssse3"))) void interleaveSsse3(const std::uint8_t* pb,
                                                      const std::uint8_t* pg,
                                                      const std::uint8_t* pr, std::uint8_t* out,
                                                      std::size_t count) {
    __m128i mask[3][3];
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c)
            mask[k][c] = _mm_load_si128(reinterpret_cast<const __m128i*>(kMasks.bytes[k][c]));
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16, out += 48) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pb + i));
        const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pg + i));
        const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pr + i));
        for (int k = 0; k < 3; ++k) {
            const __m128i v = _mm_or_si128(
                _mm_or_si128(_mm_shuffle_epi8(b, mask[k][0]), _mm_shuffle_epi8(g, mask[k][1])),
                _mm_shuffle_epi8(r, mask[k][2]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * k), v);
        }
    }
    interleaveScalar(pb + i, pg + i, pr + i, out, count - i);
}

#endif

void interleave(const Plane& pb, const Plane& pg, const Plane& pr, std::uint8_t* out) {
#if defined(TINTARO_X86_SIMD)
    if (cpu::hasSsse3()) {
        interleaveSsse3(pb.data(), pg.data(), pr.data(), out, kPlaneSize);
        return;
    }
#endif
    interleaveScalar(pb.data(), pg.data(), pr.data(), out, kPlaneSize);
}

// The slider rules give bytes for components 0..255; each rule's 256 x 256 results are formed
// once and looked up, one row of 256 lines per component value. Other components (a read
// outside the window) are computed into a scratch row, held at the byte range as the
// composition holds them.
using SliderRow = std::array<std::uint8_t, 256>;
using SliderTable = std::array<SliderRow, 256>;

template <typename Rule> void fillSliderRow(SliderRow& row, int q, Rule rule) {
    for (int i = 0; i < 256; ++i)
        row[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(std::clamp(rule(q, i), 0, 255));
}

template <typename Rule>
const SliderRow& sliderRow(const SliderTable& table, int q, SliderRow& scratch, Rule rule) {
    if (q >= 0 && q <= 255)
        return table[static_cast<std::size_t>(q)];
    fillSliderRow(scratch, q, rule);
    return scratch;
}

template <typename Rule> std::unique_ptr<SliderTable> makeSliderTable(Rule rule) {
    auto table = std::make_unique<SliderTable>();
    for (int q = 0; q < 256; ++q)
        fillSliderRow((*table)[static_cast<std::size_t>(q)], q, rule);
    return table;
}

// The two constant squares depend only on the sector bounds; each is built once per bounds.
enum class ConstantSquare { Brightness, Saturation };

std::vector<std::uint8_t> buildConstantSquare(ConstantSquare kind,
                                              const std::array<int, 6>& bounds) {
    std::vector<std::uint8_t> bits(kSquareBytes, 0);
    std::uint8_t* row = bits.data();
    for (int y = 255; y >= 0; --y, row += kSide * 3) {
        int first = 0;
        for (int sector = 0; sector < 6; ++sector) {
            const int last = bounds[static_cast<std::size_t>(sector)];
            // Bounds come from the geometry; positions beyond the buffer's row are not written.
            for (int p = std::max(first, 0); p <= std::min(last, kSide - 1); ++p) {
                const auto entry = ColourRules::SquareHueRamp(p, sector, bounds);
                const Rgb c = kind == ConstantSquare::Brightness
                                  ? ColourRules::ShadeSquareBrightnessMode(entry, y)
                                  : ColourRules::ShadeSquareSaturationMode(entry, y);
                std::uint8_t* px = row + 3 * p;
                px[0] = byteOrZero(c.blue);
                px[1] = byteOrZero(c.green);
                px[2] = byteOrZero(c.red);
            }
            first = std::max(first, last + 1);
        }
    }
    return bits;
}

std::shared_ptr<const std::vector<std::uint8_t>> constantSquare(ConstantSquare kind,
                                                                const std::array<int, 6>& bounds) {
    struct Entry {
        std::array<int, 6> bounds{};
        std::shared_ptr<const std::vector<std::uint8_t>> bits;
    };
    static std::mutex mutex;
    static Entry cache[2];
    const std::lock_guard lock(mutex);
    Entry& e = cache[kind == ConstantSquare::Brightness ? 0 : 1];
    if (!e.bits || e.bounds != bounds) {
        e.bits =
            std::make_shared<const std::vector<std::uint8_t>>(buildConstantSquare(kind, bounds));
        e.bounds = bounds;
    }
    return e.bits;
}

void drawMarker(PickerCanvas& canvas) {
    canvas.surface().circle(canvas.state().markerX, canvas.state().markerY, 5);
}

void drawConstantSquare(PickerCanvas& canvas, ConstantSquare kind) {
    Surface& s = canvas.surface();
    PickerState& st = canvas.state();
    const auto span = std::clamp<std::int64_t>(std::int64_t(st.squareBottom) - st.squareTop,
                                               INT32_MIN, INT32_MAX);
    const auto bounds = ColourRules::SquareHueBounds(static_cast<std::int32_t>(span));

    s.setDrawMode(kDrawModeInvert);
    s.setDrawWidth(1);
    drawMarker(canvas); // erases the marker
    s.setDrawMode(kDrawModeCopyPen);
    st.pickerBitmapInfo.biWidth = kSide;
    st.pickerBitmapInfo.biHeight = kSide;

    const auto bits = constantSquare(kind, bounds);
    // The negative width mirrors the ramp so that position p lands at squareRight - p.
    s.stretchDib(st.squareRight, st.squareTop, -kSide, kSide, bits->data(), kSide, kSide, 0, 0);

    canvas.DrawSelFrame();
    s.setDrawMode(kDrawModeInvert);
    drawMarker(canvas);
}

template <typename Rule>
void drawSlider(PickerCanvas& canvas, const SliderTable& table, std::int16_t red,
                std::int16_t green, std::int16_t blue, Rule rule) {
    Surface& s = canvas.surface();
    const PickerState& st = canvas.state();
    SliderRow scratchR, scratchG, scratchB;
    const SliderRow& rowR = sliderRow(table, red, scratchR, rule);
    const SliderRow& rowG = sliderRow(table, green, scratchG, rule);
    const SliderRow& rowB = sliderRow(table, blue, scratchB, rule);
    s.setDrawMode(kDrawModeCopyPen);
    s.setDrawWidth(1);
    const int left = st.sliderLeft;
    const int right = st.sliderRight;
    const int top = st.sliderTop;
    std::array<ColorRef, 256> colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = RGB(rowR[i], rowG[i], rowB[i]);
    // One line a row from the top; drawn as one run, so the clip and dirty union happen once.
    s.horizontalLines(left, right, top, colours);
    canvas.DrawMainFrame();
}

int brightnessRule(int q, int i) {
    return ColourRules::ShadeSliderBrightnessMode(q, i);
}
int saturationRule(int q, int i) {
    return ColourRules::ShadeSliderSaturationMode(q, i);
}

const SliderTable& brightnessTable() {
    static const auto table = makeSliderTable(brightnessRule);
    return *table;
}

const SliderTable& saturationTable() {
    static const auto table = makeSliderTable(saturationRule);
    return *table;
}

} // namespace

void SplitRGB(std::int32_t colour, std::int16_t& red, std::int16_t& green, std::int16_t& blue) {
    // C++ division truncates toward zero and the remainder takes the dividend's sign, which is
    // exactly the split the program has always made (-1 gives -1, 0, 0).
    red = static_cast<std::int16_t>(colour % 256);
    green = static_cast<std::int16_t>((colour / 256) % 256);
    blue = static_cast<std::int16_t>(((colour / 256) / 256) % 256);
}

void DrawSquareHueMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                       std::int16_t blue) {
    Surface& s = canvas.surface();
    PickerState& st = canvas.state();
    s.setDrawMode(kDrawModeInvert);
    drawMarker(canvas); // erases the marker
    s.setDrawWidth(1);
    s.setDrawMode(kDrawModeCopyPen);
    st.pickerBitmapInfo.biWidth = kSide;
    st.pickerBitmapInfo.biHeight = kSide;

    std::unique_ptr<Plane> scratchR, scratchG, scratchB;
    const Plane& pr = huePlane(red, scratchR);
    const Plane& pg = huePlane(green, scratchG);
    const Plane& pb = huePlane(blue, scratchB);
    // Every byte of the buffer is written by the interleave, so it needs no zero fill first.
    const auto bits = std::make_unique_for_overwrite<std::uint8_t[]>(kSquareBytes);
    interleave(pb, pg, pr, bits.get());
    s.stretchDib(st.squareLeft, st.squareTop, kSide, kSide, bits.get(), kSide, kSide, 0, 0);

    canvas.DrawSelFrame();
    s.setDrawMode(kDrawModeInvert);
    drawMarker(canvas);
}

void DrawSliderArrows(PickerCanvas& canvas, std::int16_t y) {
    Surface& s = canvas.surface();
    const PickerState& st = canvas.state();
    s.setDrawMode(kDrawModeInvert);
    s.setDrawWidth(2);
    s.line(clampToInt(std::int64_t(st.sliderRight) + 2), y,
           clampToInt(std::int64_t(st.sliderRight) + 5), y);
    s.line(clampToInt(std::int64_t(st.sliderLeft) - 2), y,
           clampToInt(std::int64_t(st.sliderLeft) - 5), y);
    s.setDrawWidth(1);
}

void DrawSquareBrightnessMode(PickerCanvas& canvas) {
    drawConstantSquare(canvas, ConstantSquare::Brightness);
}

void DrawSquareSaturationMode(PickerCanvas& canvas) {
    drawConstantSquare(canvas, ConstantSquare::Saturation);
}

void DrawSliderBrightnessMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                              std::int16_t blue) {
    drawSlider(canvas, brightnessTable(), red, green, blue, brightnessRule);
}

void DrawSliderSaturationMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                              std::int16_t blue) {
    drawSlider(canvas, saturationTable(), red, green, blue, saturationRule);
}

} // namespace tintaro::Module1
