// SPDX-License-Identifier: MIT
// Cost of one drag step: the mouse move sent to the window, then the event loop flushed until
// every pending paint is done (on offscreen, paints go through the backing store).
#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "Form1.h"
#include "SurfaceWidget.h"

#include <QApplication>
#include <QColorDialog>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <benchmark/benchmark.h>
#include <memory>

using namespace tintaro;

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void flush() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

std::unique_ptr<Form1> openEditor() {
    auto form = std::make_unique<Form1>();
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    form->Show();
    flush();
    return form;
}

// Positions a drag visits: a back-and-forth sweep, so every step moves by a few pixels as a
// hand does.
QPointF sweep(int step, QPointF from, QPointF to) {
    const int phase = step % 100;
    const double t = (phase < 50 ? phase : 100 - phase) / 50.0;
    return from + (to - from) * t;
}

void BM_HueSliderDragStep(benchmark::State& state) {
    auto form = openEditor();
    sendMouse(form->picture, QEvent::MouseButtonPress, {284, 100}, Qt::LeftButton, Qt::LeftButton);
    flush();
    int step = 0;
    for (auto _ : state) {
        sendMouse(form->picture, QEvent::MouseMove, sweep(step++, {284, 90.5}, {284, 320.5}),
                  Qt::NoButton, Qt::LeftButton);
        flush();
    }
    sendMouse(form->picture, QEvent::MouseButtonRelease, {284, 100}, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_HueSliderDragStep)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_SaturationSquareDragStep(benchmark::State& state) {
    auto form = openEditor();
    form->optS->click();
    // Arrows mid-slider, so that every marker move picks a new colour and rewrites the fields.
    sendMouse(form->picture, QEvent::MouseButtonPress, {284, 180}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(form->picture, QEvent::MouseButtonRelease, {284, 180}, Qt::LeftButton, Qt::NoButton);
    sendMouse(form->picture, QEvent::MouseButtonPress, {40, 100}, Qt::LeftButton, Qt::LeftButton);
    flush();
    int step = 0;
    for (auto _ : state) {
        sendMouse(form->picture, QEvent::MouseMove, sweep(step++, {20.5, 90.5}, {250.5, 320.5}),
                  Qt::NoButton, Qt::LeftButton);
        flush();
    }
    sendMouse(form->picture, QEvent::MouseButtonRelease, {40, 100}, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_SaturationSquareDragStep)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// The floor: the same window marks what a drag step changes as dirty and flushes, doing no
// other work.
void BM_FlushFloorHueStep(benchmark::State& state) {
    auto form = openEditor();
    for (auto _ : state) {
        form->picture->update(QRect(270, 80, 30, 256)); // arrows, old and new rows
        form->lblSelColor->update();
        form->txtH->update();
        flush();
    }
}
BENCHMARK(BM_FlushFloorHueStep)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_FlushFloorSaturationStep(benchmark::State& state) {
    auto form = openEditor();
    form->optS->click();
    for (auto _ : state) {
        form->picture->update(QRect(270, 75, 30, 266)); // slider and its frame
        form->picture->update(QRect(100, 150, 60, 60)); // marker, old and new place
        form->lblSelColor->update();
        for (QWidget* field :
             {static_cast<QWidget*>(form->txtH), static_cast<QWidget*>(form->txtB),
              static_cast<QWidget*>(form->Text1), static_cast<QWidget*>(form->Text2),
              static_cast<QWidget*>(form->Text3), static_cast<QWidget*>(form->txtcolor),
              static_cast<QWidget*>(form->txtcolorhex)})
            field->update();
        form->txtejemplo->viewport()->update();
        flush();
    }
}
BENCHMARK(BM_FlushFloorSaturationStep)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// Opening the editor as a click on an account line does: built, shown and painted once.
void BM_OpenEditor(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(openEditor());
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Qt's own colour dialog: a left-button drag on its colour picker (the hue/saturation field).
void BM_QColorDialogDragStep(benchmark::State& state) {
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.show();
    flush();
    QWidget* picker = nullptr;
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (QByteArray(child->metaObject()->className()).endsWith("QColorPicker"))
            picker = child;
    }
    if (!picker) {
        state.SkipWithError("no colour picker in QColorDialog");
        return;
    }
    const QPointF from(5.5, 5.5);
    const QPointF to(picker->width() - 5.5, picker->height() - 5.5);
    sendMouse(picker, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    flush();
    int step = 0;
    for (auto _ : state) {
        sendMouse(picker, QEvent::MouseMove, sweep(step++, from, to), Qt::NoButton, Qt::LeftButton);
        flush();
    }
    sendMouse(picker, QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_QColorDialogDragStep)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
