#include "BenchSupport.h"

#include "app/LauncherLoader.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>

// OK in the editor opened on a launcher window of 100 items: the row, the 100 item rows with
// their icons, and the window reloaded from them.
static void BM_SaveWindow100Items(benchmark::State& state) {
    BenchEnvironment env;
    env.writeApps(100);           // photographic 128-pixel icons
    GlobalModule::MakeDBMethod(); // the first-run window holds all 100 applications
    GlobalModule::LoadLauncherWinMethod();
    if (GlobalModule::LauncherWinArr.size() != 1 ||
        GlobalModule::LauncherWinArr[0]->LauncherItemArr->size() != 100) {
        state.SkipWithError("the window with 100 items could not be made");
        return;
    }
    LauncherWin* window = GlobalModule::LauncherWinArr[0].get();
    for (auto _ : state) {
        state.PauseTiming();
        window->EditLauncherWinMethod();
        NewLauncherWin* editor = NewLauncherWin::openInstance();
        editor->MarkChangedMethod();
        state.ResumeTiming();
        editor->NewMethod();
        state.PauseTiming();
        if (NewLauncherWin::openInstance() || !env.desktop->messages.isEmpty() ||
            window->LauncherItemArr->size() != 100)
            state.SkipWithError("the save did not complete");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveWindow100Items)->Unit(benchmark::kMillisecond)->Iterations(5);

// The editor's list opened on a launcher window of 100 items, scrolled from the first row to
// the last a page at a time, each page painted as the screen would show it.
static void BM_EditorListScroll100Items(benchmark::State& state) {
    BenchEnvironment env;
    env.writeApps(100);
    GlobalModule::MakeDBMethod();
    GlobalModule::LoadLauncherWinMethod();
    if (GlobalModule::LauncherWinArr.size() != 1 ||
        GlobalModule::LauncherWinArr[0]->LauncherItemArr->size() != 100) {
        state.SkipWithError("the window with 100 items could not be made");
        return;
    }
    GlobalModule::LauncherWinArr[0]->EditLauncherWinMethod();
    NewLauncherWin* editor = NewLauncherWin::openInstance();
    ItemListBox* list = editor->AppListBox;
    QScrollBar* bar = list->verticalScrollBar();
    int pages = 0;
    for (auto _ : state) {
        for (int at = bar->minimum();; at += bar->pageStep()) {
            bar->setValue(std::min(at, bar->maximum()));
            benchmark::DoNotOptimize(list->viewport()->grab());
            ++pages;
            if (at >= bar->maximum())
                break;
        }
    }
    state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_EditorListScroll100Items)->Unit(benchmark::kMillisecond);
