#include "BenchSupport.h"

#include "app/GlobalModule.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {
// n application entries whose icons are 128-pixel PNGs.
void writeAppsWithLargeIcons(BenchEnvironment& env, int n) {
    const QString apps = env.path(QStringLiteral("data/applications"));
    QDir().mkpath(apps);
    QImage icon(128, 128, QImage::Format_ARGB32);
    for (int i = 0; i < n; ++i) {
        icon.fill(QColor::fromHsv((i * 37) % 360, 200, 220));
        const QString iconPath = env.path(QStringLiteral("icon%1.png").arg(i));
        icon.save(iconPath);
        QFile f(apps + QStringLiteral("/app%1.desktop").arg(i, 4, 10, QLatin1Char('0')));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Application %1\n"
                               "Exec=/bin/true\nIcon=%2\n")
                    .arg(i)
                    .arg(iconPath)
                    .toUtf8());
    }
}
} // namespace

// OK in the editor opened on a launcher window of 100 items: the row, the 100 item rows with
// their icons, and the window reloaded from them.
static void BM_SaveWindow100Items(benchmark::State& state) {
    BenchEnvironment env;
    writeAppsWithLargeIcons(env, 100);
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
