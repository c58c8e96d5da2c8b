#include "BenchSupport.h"

#include "app/LauncherLoader.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "platform/IconTheme.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<AppListClass> benchItem(int i) {
    auto item = std::make_shared<AppListClass>();
    item->AppName = QStringLiteral("Application %1").arg(i);
    const QImage icon = PhotoIcon(i % 64);
    item->Icon = StoredPicture::fromText(StoredIconTextOf(icon));
    item->IconMask = StoredPicture::fromText(StoredMaskTextOf(icon));
    return item;
}

// The first start: the database created and window 0 filled, per application entry.
void BM_FirstRunFillPerEntry(benchmark::State& state) {
    const int entries = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        BenchEnvironment env;
        env.writeApps(entries);
        state.ResumeTiming();
        GlobalModule::MakeDBMethod();
        state.PauseTiming();
        GlobalModule::ReleaseGlobals();
        state.ResumeTiming();
    }
    // Seconds per application entry.
    state.counters["per_entry"] =
        benchmark::Counter(double(entries), benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}
BENCHMARK(BM_FirstRunFillPerEntry)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);

// One application icon looked up in the machine's installed themes (Papirus, then Adwaita
// and hicolor) and drawn at 128 pixels, as the first start does for each entry.
void BM_ThemedIconAt128(benchmark::State& state) {
    BenchEnvironment env;
    Environment themes = Environment::current();
    themes.DataDirs = QStringList{QStringLiteral("/usr/share")};
    env.context->setEnvironment(themes);
    QDir().mkpath(env.path(QStringLiteral("config/gtk-3.0")));
    QFile ini(env.path(QStringLiteral("config/gtk-3.0/settings.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Settings]\ngtk-icon-theme-name=Papirus\n");
    ini.close();
    const QStringList names{QStringLiteral("utilities-terminal"), QStringLiteral("vim"),
                            QStringLiteral("no-such-icon-anywhere")};
    for (auto _ : state)
        for (const QString& name : names)
            benchmark::DoNotOptimize(ThemedIconImage(name, 128));
    state.counters["per_icon"] =
        benchmark::Counter(double(names.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}
BENCHMARK(BM_ThemedIconAt128)->Unit(benchmark::kMillisecond);

// The cost of a move event: the window's row rewritten and committed.
void BM_WindowRowRewrite(benchmark::State& state) {
    BenchEnvironment env;
    GlobalModule::MakeDBMethod();
    GlobalModule::LoadLauncherWinMethod();
    // A place is written only once the verdict on the file's pages has come.
    while (!GlobalModule::GlobalDB->DamageCheckDone())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    LauncherWin* w = GlobalModule::LauncherWinArr.front().get();
    int x = 0;
    for (auto _ : state) {
        w->move(++x % 500, 40);
        w->ResizeWinSizeWriteMethod();
    }
}
BENCHMARK(BM_WindowRowRewrite)->Unit(benchmark::kMicrosecond);

// Removing an item: the action itself (row deleted, sound, overlay with its first frame),
// and the removal animation until the window is composed again.
void BM_RemoveItem(benchmark::State& state) {
    BenchEnvironment env;
    GlobalModule::MakeDBMethod();
    GlobalModule::LoadLauncherWinMethod();
    LauncherWin* w = GlobalModule::LauncherWinArr.front().get();
    for (int i = 0; i < 30; ++i) {
        const QString file = env.path(QStringLiteral("file%1").arg(i));
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.close();
        w->DropAppMethod(FolderItem(file));
    }
    QElapsedTimer animation;
    double animationMs = 0;
    for (auto _ : state) {
        if (w->LauncherItemArr->empty())
            break;
        w->CurrSelAppIndex = 0;
        w->RemoveItemMethod();
        state.PauseTiming();
        animation.start();
        while (w->RemovalPlaying())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        animationMs = std::max(animationMs, double(animation.elapsed()));
        state.ResumeTiming();
    }
    // Five frames of at least five ticks each: 417 ms or a little more.
    state.counters["animation_ms_max"] = animationMs;
}
BENCHMARK(BM_RemoveItem)->Unit(benchmark::kMillisecond)->Iterations(10);

// The stored text of a photographic icon and its mask: made, and read back whole.
void BM_IconTextEncodeDecode(benchmark::State& state) {
    const QImage icon = PhotoIcon(1);
    for (auto _ : state) {
        const QString text = StoredIconTextOf(icon);
        const QString mask = StoredMaskTextOf(icon);
        benchmark::DoNotOptimize(GlobalModule::PictureFromStoredIconText(text));
        benchmark::DoNotOptimize(GlobalModule::PictureFromStoredIconText(mask));
    }
    // What an item keeps of them: the compressed bytes.
    state.counters["icon_bytes"] =
        double(StoredPicture::fromText(StoredIconTextOf(icon)).data().size());
    state.counters["mask_bytes"] =
        double(StoredPicture::fromText(StoredMaskTextOf(icon)).data().size());
}
BENCHMARK(BM_IconTextEncodeDecode)->Unit(benchmark::kMicrosecond);

// One item's grid icon decoded from its stored pictures at 48 pixels.
void BM_FitOneIcon48(benchmark::State& state) {
    const auto item = benchItem(3);
    for (auto _ : state)
        benchmark::DoNotOptimize(GlobalModule::FittedIconPicture(item->Icon, item->IconMask, 48));
}
BENCHMARK(BM_FitOneIcon48)->Unit(benchmark::kMicrosecond);

// Recomposition of a window whose icons are fitted already (a view toggle, a resize step).
// Target for 1,000 items: under 25 ms.
void BM_MakeAppImageMethod(benchmark::State& state) {
    BenchEnvironment env;
    LauncherWin w;
    w.LauncherWinName = QStringLiteral("apple");
    w.IconSize = 48;
    w.SpaceForIconSizeValueSelectMethod();
    w.setWidth(640);
    for (int i = 0; i < state.range(0); ++i)
        w.LauncherItemArr->push_back(benchItem(i));
    w.MakeAppImageMethod();
    for (auto _ : state)
        w.MakeAppImageMethod();
    if (state.range(0) == 1000)
        state.counters["target_ms"] = 25;
}
BENCHMARK(BM_MakeAppImageMethod)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The loading at start of 10 windows of 100 items, photographic icons stored as a first run
// stores them: rows read, icons decoded (in parallel) and every window composed.
void BM_LoadTenWindowsOfHundredItems(benchmark::State& state) {
    BenchEnvironment env;
    GlobalModule::MakeDBMethod();
    FillWindows(*GlobalModule::DBConnectMethod(), 10, 100);
    for (auto _ : state) {
        GlobalModule::LoadLauncherWinMethod();
        benchmark::DoNotOptimize(GlobalModule::LauncherWinArr.size());
    }
}
BENCHMARK(BM_LoadTenWindowsOfHundredItems)->Unit(benchmark::kMillisecond)->Iterations(5);

// 1 window of 5,000 items.
void BM_LoadOneWindowOfFiveThousandItems(benchmark::State& state) {
    BenchEnvironment env;
    GlobalModule::MakeDBMethod();
    FillWindows(*GlobalModule::DBConnectMethod(), 1, 5000, 48, 1200);
    for (auto _ : state) {
        GlobalModule::LoadLauncherWinMethod();
        benchmark::DoNotOptimize(GlobalModule::LauncherWinArr.size());
    }
}
BENCHMARK(BM_LoadOneWindowOfFiveThousandItems)->Unit(benchmark::kMillisecond)->Iterations(2);

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Showing and hiding must not grow memory: resident size after warm-up and after 10,000
// cycles of 10 windows.
void BM_ShowHideCyclesMemory(benchmark::State& state) {
    BenchEnvironment env;
    for (int i = 0; i < 10; ++i) {
        auto w = std::make_unique<LauncherWin>();
        w->LauncherItemArr->push_back(benchItem(i));
        w->MakeAppImageMethod();
        GlobalModule::LauncherWinArr.push_back(std::move(w));
    }
    CheckVisibleTimerWin* watcher = CheckVisibleTimerWin::instance();
    const auto cycle = [&] {
        env.desktop->held = {true, true, false, false};
        watcher->EventCheckTimer_Action();
        QCoreApplication::processEvents();
        env.desktop->held = {};
        watcher->EventCheckTimer_Action();
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 200; ++i)
        cycle();
    const long before = residentKiB();
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            cycle();
    const long after = residentKiB();
    state.counters["rss_before_KiB"] = double(before);
    state.counters["rss_after_KiB"] = double(after);
    state.counters["growth_per_cycle_B"] = double(after - before) * 1024.0 / 10000.0;
}
BENCHMARK(BM_ShowHideCyclesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
