// SPDX-License-Identifier: MIT
#include "Module1.h"
#include "PickerCanvas.h"
#include "Surface.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace tintaro;

// The square and strip as 24-bit bitmaps (rows of 16 pixels for the strip), and the slider's
// 15 x 256 pixels as the surface holds them.
constexpr std::size_t kSquareBytes = 196608;
constexpr std::size_t kStripBytes = 12288;
constexpr std::size_t kSliderPixelBytes = 15 * 256 * 4;

// The editor's client area as the load sequence leaves it: geometry set, marker drawn at its
// load position.
struct Editor {
    Surface surface{441, 454, 0x00EFD8CF};
    PickerState state;
    PickerCanvas canvas{surface, state};

    Editor() {
        canvas.DrawHueSlider();
        Module1::DrawSquareHueMode(canvas, 255, 0, 0);
        canvas.DrawPicker();
    }
};

void copyFloor(benchmark::State& state, std::size_t bytes) {
    std::vector<std::uint8_t> src(bytes, 0x5A);
    std::vector<std::uint8_t> dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_CopyFloorSquare(benchmark::State& state) {
    copyFloor(state, kSquareBytes);
}
void BM_CopyFloorStrip(benchmark::State& state) {
    copyFloor(state, kStripBytes);
}
void BM_CopyFloorSliderPixels(benchmark::State& state) {
    copyFloor(state, kSliderPixelBytes);
}

void BM_DrawSquareHueMode(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        Module1::DrawSquareHueMode(e.canvas, 255, 0, 0);
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

// A drag along the strip: the hue changes on every render.
void BM_DrawSquareHueModeVaryingHue(benchmark::State& state) {
    Editor e;
    int row = 0;
    for (auto _ : state) {
        std::int16_t r, g, b;
        Module1::SplitRGB(e.surface.point(284, 80 + row), r, g, b);
        Module1::DrawSquareHueMode(e.canvas, r, g, b);
        row = (row + 7) & 255;
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

void BM_DrawSquareBrightnessMode(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        Module1::DrawSquareBrightnessMode(e.canvas);
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

void BM_DrawSquareSaturationMode(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        Module1::DrawSquareSaturationMode(e.canvas);
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

void BM_DrawSliderBrightnessMode(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        Module1::DrawSliderBrightnessMode(e.canvas, 255, 128, 0);
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

void BM_DrawSliderSaturationMode(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        Module1::DrawSliderSaturationMode(e.canvas, 255, 128, 0);
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

void BM_DrawHueSlider(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        e.canvas.DrawHueSlider();
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

// The slider's 256 rows alone: what a slider render costs without its colours and frame.
void BM_FillRowsSlider(benchmark::State& state) {
    Editor e;
    std::array<std::uint32_t, 256> colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = toPixel(RGB(255, static_cast<int>(i), static_cast<int>(255 - i)));
    for (auto _ : state) {
        e.surface.fillRows(e.state.sliderLeft, e.state.sliderRight, e.state.sliderTop, colours);
        benchmark::DoNotOptimize(e.surface.pixels());
        benchmark::ClobberMemory();
    }
}

// The frame every slider render ends with.
void BM_DrawMainFrame(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        e.canvas.DrawMainFrame();
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

// Moving the arrows: erase at the old row, draw at the new one.
void BM_DrawSliderArrowsMove(benchmark::State& state) {
    Editor e;
    std::int16_t y = 335;
    for (auto _ : state) {
        Module1::DrawSliderArrows(e.canvas, y);
        y = static_cast<std::int16_t>(y == 80 ? 335 : y - 1);
        Module1::DrawSliderArrows(e.canvas, y);
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

// Moving the marker: erase at the old centre, draw at the new one.
void BM_DrawPickerMove(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        e.canvas.DrawPicker();
        e.state.markerX = e.state.markerX == 10 ? 265 : e.state.markerX - 1;
        e.canvas.DrawPicker();
        benchmark::DoNotOptimize(e.surface.pixels());
    }
}

} // namespace

BENCHMARK(BM_CopyFloorSquare);
BENCHMARK(BM_CopyFloorStrip);
BENCHMARK(BM_CopyFloorSliderPixels);
BENCHMARK(BM_DrawSquareHueMode);
BENCHMARK(BM_DrawSquareHueModeVaryingHue);
BENCHMARK(BM_DrawSquareBrightnessMode);
BENCHMARK(BM_DrawSquareSaturationMode);
BENCHMARK(BM_DrawSliderBrightnessMode);
BENCHMARK(BM_DrawSliderSaturationMode);
BENCHMARK(BM_DrawHueSlider);
BENCHMARK(BM_FillRowsSlider);
BENCHMARK(BM_DrawMainFrame);
BENCHMARK(BM_DrawSliderArrowsMove);
BENCHMARK(BM_DrawPickerMove);

BENCHMARK_MAIN();
