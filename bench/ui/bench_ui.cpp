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
#include <string>

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

// Every button but ASSEGNA and PER USCIRE, clicked with the marks hidden
// (click/...) and shown (clickWithMarks/...).
const bool clicksRegistered = [] {
    for (const char* name :
         {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd", "nuovoCmd"}) {
        benchmark::RegisterBenchmark(("click/" + std::string(name)).c_str(), clickOn, name, false);
        benchmark::RegisterBenchmark(("clickWithMarks/" + std::string(name)).c_str(), clickOn, name,
                                     true);
    }
    return true;
}();

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
