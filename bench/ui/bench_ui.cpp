// The flood fill beside the plain loop that bounds it, and each click on the
// real window (offscreen) until the surface and the labels are repainted.
#include "form1.h"
#include "rules.h"
#include "sdlcueplayer.h"
#include "surface.h"
#include "surfacewidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPaintEvent>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// Shape1(0) as the game draws it: 73 x 129 at (696, 96), its diagonals
// running to the corner pixels.
Surface pieceSurface() {
    Surface s(792, 554);
    s.drawOutline(696, 96, 73, 129);
    s.drawLine(696, 96, 768, 224);
    s.drawLine(768, 96, 696, 224);
    return s;
}

// A fill over a region of another colour: the usual case, a side whose
// colour changes.
void floodFillTopTriangle(benchmark::State& state) {
    Surface s = pieceSurface();
    const Surface::Pixel colours[] = {12, 10};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.floodFill(732, 106, colours[++i & 1]));
    }
}
BENCHMARK(floodFillTopTriangle);

// A fill over a region already holding the colour, which has to mark what it
// takes and clear the marks afterwards.
void floodFillTopTriangleSameColour(benchmark::State& state) {
    Surface s = pieceSurface();
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.floodFill(732, 106, 12));
    }
}
BENCHMARK(floodFillTopTriangleSameColour);

// The floor of any fill: write as many pixels as the triangle holds.
void plainLoopSamePixels(benchmark::State& state) {
    Surface s = pieceSurface();
    const Surface::Pixel blue = 9;
    const Surface::Box box = s.floodFill(732, 106, blue);
    std::vector<std::pair<int, int>> rows; // the triangle's runs, row by row
    for (int y = box.y0; y <= box.y1; ++y) {
        int x = box.x0;
        while (x <= box.x1) {
            while (x <= box.x1 && s.pixel(x, y) != blue) {
                ++x;
            }
            const int start = x;
            while (x <= box.x1 && s.pixel(x, y) == blue) {
                ++x;
            }
            if (x > start) {
                rows.push_back({y * s.stride() + start, x - start});
            }
        }
    }
    Surface::Pixel colour = 12;
    for (auto _ : state) {
        Surface::Pixel* bits = s.bits();
        for (const auto& [offset, length] : rows) {
            std::fill(bits + offset, bits + offset + length, colour);
        }
        colour ^= 6; // 12 and 10 in turn
        benchmark::ClobberMemory();
    }
}
BENCHMARK(plainLoopSamePixels);

// The real sound, as the game plays it.
SdlCuePlayer cues;
std::unique_ptr<Form1> window;

QAbstractButton* button(const char* name) {
    return window->findChild<QAbstractButton*>(name);
}

void settle() {
    QApplication::processEvents();
}

void click(benchmark::State& state, const char* name) {
    window = std::make_unique<Form1>(cues);
    window->show();
    settle();
    button("nuovoCmd")->click();
    settle();
    for (auto _ : state) {
        button(name)->click();
        settle();
    }
    window.reset();
}
BENCHMARK_CAPTURE(click, orarioCmd, "orarioCmd");
BENCHMARK_CAPTURE(click, antiCmd, "antiCmd");
BENCHMARK_CAPTURE(click, orizCmd, "orizCmd");
BENCHMARK_CAPTURE(click, vertiCmd, "vertiCmd");
BENCHMARK_CAPTURE(click, spostaCmd, "spostaCmd");
BENCHMARK_CAPTURE(click, nuovoCmd, "nuovoCmd");

// ASSEGNA, placing a piece and dealing the next; a new game every 17 pieces.
void clickAssegnaPlacing(benchmark::State& state) {
    window = std::make_unique<Form1>(cues);
    window->show();
    settle();
    const auto fresh = [] {
        window->findChild<QAction*>("mnunuova")->trigger();
        button("nuovoCmd")->click();
        settle();
    };
    fresh();
    for (auto _ : state) {
        state.PauseTiming();
        if (window->game().state().currentSlot >= 18) {
            fresh();
        }
        // Any arrangement is a few random turns, mirrors and swaps away.
        static std::minstd_rand choices;
        const char* const moves[] = {"orarioCmd", "spostaCmd", "orizCmd"};
        while (!pieceFits(window->game().state())) {
            button(moves[choices() % 3])->click();
        }
        settle();
        state.ResumeTiming();
        button("assegnaCmd")->click();
        settle();
    }
    window.reset();
}
BENCHMARK(clickAssegnaPlacing)->Iterations(400);

void menuCommand(benchmark::State& state, const char* name) {
    window = std::make_unique<Form1>(cues);
    window->show();
    settle();
    QAction* action = window->findChild<QAction*>(name);
    for (auto _ : state) {
        action->trigger();
        settle();
    }
    window.reset();
}
BENCHMARK_CAPTURE(menuCommand, mnunuova, "mnunuova");
BENCHMARK_CAPTURE(menuCommand, mnupunti, "mnupunti");

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
