// Each click on the real window (offscreen) until the surface and the labels
// are repainted, with the colour marks hidden and shown, and the menu's
// commands.
#include "form1.h"
#include "rules.h"
#include "sdlcueplayer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPaintEvent>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// The real sound, as the game plays it.
SdlCuePlayer cues;
std::unique_ptr<Form1> window;

QAbstractButton* button(const char* name) {
    return window->findChild<QAbstractButton*>(name);
}

void settle() {
    QApplication::processEvents();
}

// The window on show, its colour marks shown or not.
void open(bool marks) {
    window = std::make_unique<Form1>(cues);
    window->show();
    settle();
    if (marks) {
        window->toggleColourMarks();
        settle();
    }
}

void clickOn(benchmark::State& state, const char* name, bool marks) {
    open(marks);
    button("nuovoCmd")->click();
    settle();
    for (auto _ : state) {
        button(name)->click();
        settle();
    }
    window.reset();
}

void click(benchmark::State& state, const char* name) {
    clickOn(state, name, false);
}
BENCHMARK_CAPTURE(click, orarioCmd, "orarioCmd");
BENCHMARK_CAPTURE(click, antiCmd, "antiCmd");
BENCHMARK_CAPTURE(click, orizCmd, "orizCmd");
BENCHMARK_CAPTURE(click, vertiCmd, "vertiCmd");
BENCHMARK_CAPTURE(click, spostaCmd, "spostaCmd");
BENCHMARK_CAPTURE(click, nuovoCmd, "nuovoCmd");

void clickWithMarks(benchmark::State& state, const char* name) {
    clickOn(state, name, true);
}
BENCHMARK_CAPTURE(clickWithMarks, orarioCmd, "orarioCmd");
BENCHMARK_CAPTURE(clickWithMarks, antiCmd, "antiCmd");
BENCHMARK_CAPTURE(clickWithMarks, orizCmd, "orizCmd");
BENCHMARK_CAPTURE(clickWithMarks, vertiCmd, "vertiCmd");
BENCHMARK_CAPTURE(clickWithMarks, spostaCmd, "spostaCmd");
BENCHMARK_CAPTURE(clickWithMarks, nuovoCmd, "nuovoCmd");

// ASSEGNA, placing a piece and dealing the next; a new game every 17 pieces.
void assegnaPlacing(benchmark::State& state, bool marks) {
    open(marks);
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
void clickAssegnaPlacing(benchmark::State& state) {
    assegnaPlacing(state, false);
}
BENCHMARK(clickAssegnaPlacing)->Iterations(400);
// With the marks on, a placement draws the slot's four and the new piece's.
void clickAssegnaPlacingWithMarks(benchmark::State& state) {
    assegnaPlacing(state, true);
}
BENCHMARK(clickAssegnaPlacingWithMarks)->Iterations(400);

void menuCommand(benchmark::State& state, const char* name) {
    open(false);
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
