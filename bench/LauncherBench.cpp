#include "BenchSupport.h"

#include "app/GlobalModule.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/IconTheme.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherLoader.h"
#include "store/PrefClass.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<AppListClass> benchItem(int i) {
    auto item = std::make_shared<AppListClass>();
    item->AppName = QStringLiteral("Application %1").arg(i);
    item->Icon = QImage(128, 128, QImage::Format_RGB32);
    item->Icon.fill(QColor::fromHsv((i * 37) % 360, 200, 220));
    item->IconMask = QImage(128, 128, QImage::Format_RGB32);
    item->IconMask.fill(Qt::black);
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
    qputenv("XDG_DATA_DIRS", "/usr/share");
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
    LauncherWin* w = GlobalModule::LauncherWinArr.front().get();
    int x = 0;
    for (auto _ : state) {
        w->move(++x % 500, 40);
        w->ResizeWinSizeWriteMethod();
    }
}
BENCHMARK(BM_WindowRowRewrite)->Unit(benchmark::kMicrosecond);

void BM_IconTextEncodeDecode(benchmark::State& state) {
    const auto item = benchItem(1);
    for (auto _ : state) {
        const QString text = GlobalModule::StoredIconText(item->Icon);
        const QString mask = GlobalModule::StoredIconText(item->IconMask);
        benchmark::DoNotOptimize(GlobalModule::PictureFromStoredIconText(text));
        benchmark::DoNotOptimize(GlobalModule::PictureFromStoredIconText(mask));
    }
}
BENCHMARK(BM_IconTextEncodeDecode)->Unit(benchmark::kMicrosecond);

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
}
BENCHMARK(BM_MakeAppImageMethod)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Start-up with 10 windows of 100 items each in the database.
void BM_LoadTenWindowsOfHundredItems(benchmark::State& state) {
    BenchEnvironment env;
    GlobalModule::MakeDBMethod();
    Database* db = GlobalModule::DBConnectMethod();
    const auto item = benchItem(0);
    const QString icon = GlobalModule::StoredIconText(item->Icon);
    const QString mask = GlobalModule::StoredIconText(item->IconMask);
    db->SQLExecute(QStringLiteral("Delete From LauncherWinList"));
    for (int w = 0; w < 10; ++w) {
        DatabaseRecord win;
        win.IntegerColumn(QStringLiteral("LauncherWinUID"), w);
        win.Column(QStringLiteral("LauncherWinName"), QStringLiteral("window %1").arg(w));
        win.IntegerColumn(QStringLiteral("Width"), 640);
        win.IntegerColumn(QStringLiteral("Left"), 10);
        win.IntegerColumn(QStringLiteral("Top"), 40);
        win.IntegerColumn(QStringLiteral("IconSize"), 48);
        win.BooleanColumn(QStringLiteral("ViewName"), true);
        win.BooleanColumn(QStringLiteral("ViewTitleMenu"), true);
        win.BooleanColumn(QStringLiteral("ViewBackPanel"), true);
        win.IntegerColumn(QStringLiteral("TitleTextSize"), 12);
        win.IntegerColumn(QStringLiteral("WinColor"), 0);
        db->InsertRecord(QStringLiteral("LauncherWinList"), win);
        for (int i = 0; i < 100; ++i) {
            DatabaseRecord rec;
            rec.IntegerColumn(QStringLiteral("LauncherWinUID"), w);
            rec.IntegerColumn(QStringLiteral("AppUID"), i);
            rec.IntegerColumn(QStringLiteral("AppSEQ"), i);
            rec.Column(QStringLiteral("AppName"), QStringLiteral("Application %1").arg(i));
            rec.Column(QStringLiteral("AppPath"), QStringLiteral("/usr/bin/true"));
            rec.Column(QStringLiteral("Icon"), icon);
            rec.Column(QStringLiteral("IconMask"), mask);
            db->InsertRecord(QStringLiteral("LauncherList"), rec);
        }
    }
    for (auto _ : state) {
        GlobalModule::LoadLauncherWinMethod();
        benchmark::DoNotOptimize(GlobalModule::LauncherWinArr.size());
    }
}
BENCHMARK(BM_LoadTenWindowsOfHundredItems)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WatcherTickTwentyWindows(benchmark::State& state) {
    BenchEnvironment env;
    for (int i = 0; i < 20; ++i) {
        auto w = std::make_unique<LauncherWin>();
        w->LauncherItemArr->push_back(benchItem(i));
        w->MakeAppImageMethod();
        GlobalModule::LauncherWinArr.push_back(std::move(w));
    }
    env.desktop->held = {true, true, false, false};
    CheckVisibleTimerWin* watcher = CheckVisibleTimerWin::instance();
    watcher->EventCheckTimer_Action();
    QCoreApplication::processEvents();
    for (auto _ : state)
        watcher->EventCheckTimer_Action();
}
BENCHMARK(BM_WatcherTickTwentyWindows)->Unit(benchmark::kMicrosecond);

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
