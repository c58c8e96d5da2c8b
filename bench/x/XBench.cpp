// The real path on a real X server. Starts its own Xvfb (and a listening client, so that keys
// pressed through XTEST are tracked), then measures, beside plank in the same run:
//  - exec -> first window mapped (xwatch), for the first-run default window of 25
//    applications, 10 windows x 100 items and 1 window x 5,000 items, with Super+Alt held;
//  - resident memory (RSS, PSS) once settled;
//  - key press -> all 20 windows mapped and release -> all unmapped (90th percentile);
//  - CPU and wake-ups while idle for 30 s with 20 windows;
//  - the watcher's tick in this process against the server, and the round trip it no
//    longer makes.
// Each figure is printed beside its target at the end. Skips with a message when Xvfb or
// plank is missing.

#include "../BenchSupport.h"

#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherApp.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 7;

QTemporaryDir* scratch = nullptr;
QString display;
bool plankPresent = false;

QString scratchPath(const QString& name) {
    return scratch->filePath(name);
}

struct Row {
    QString what, ours, plank, target, verdict;
};
std::vector<Row> table;

QString ms(double v) {
    return v < 0 ? QStringLiteral("-") : QString::number(v, 'f', 1) + QStringLiteral(" ms");
}
QString mib(long kib) {
    return kib <= 0 ? QStringLiteral("-")
                    : QString::number(kib / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}
QString verdict(bool ok) {
    return ok ? QStringLiteral("met") : QStringLiteral("NOT met");
}

double median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One way to start a program: its command and environment.
struct Scenario {
    QString name;
    QStringList command;
    QProcessEnvironment env;
    bool holdKeys = false; // Super+Alt held from before the exec
    int windows = 1;       // maps to wait for
};

struct Started {
    double firstMapMs = -1;
    double allMappedMs = -1;
    long pid = 0;
    long rssKiB = 0;
    long pssKiB = 0;
};

long smapsKiB(long pid, const char* field) {
    QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').first().toLong();
    return 0;
}

// utime + stime, in clock ticks.
long cpuTicks(long pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

// Times a thread was woken (switched in after waiting or preempted): of the main thread, or
// of every thread of the process.
long wakeUps(long pid, bool allThreads) {
    const auto of = [](const QString& status) {
        QFile f(status);
        if (!f.open(QIODevice::ReadOnly))
            return -1L;
        long n = 0;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                n += line.mid(line.indexOf(':') + 1).trimmed().toLong();
        return n;
    };
    if (!allThreads)
        return of(QStringLiteral("/proc/%1/task/%1/status").arg(pid));
    long n = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& t : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        n += std::max(0L, of(tasks + QLatin1Char('/') + t + QStringLiteral("/status")));
    return n;
}

void stop(long pid) {
    if (pid <= 0)
        return;
    ::kill(pid_t(pid), SIGTERM);
    for (int i = 0; i < 300; ++i) { // we are the subreaper of what xwatch started
        if (::waitpid(pid_t(pid), nullptr, WNOHANG) == pid || errno == ECHILD)
            return;
        QThread::msleep(10);
    }
    ::kill(pid_t(pid), SIGKILL);
    ::waitpid(pid_t(pid), nullptr, 0);
}

// Starts the scenario under xwatch; the program keeps running when keep is set.
Started start(const Scenario& s, bool keep = false) {
    Started r;
    QProcessEnvironment env = s.env;
    // A lock folder of its own each time: one running copy per user is the rule.
    const QString runtime =
        scratchPath(QStringLiteral("run-%1").arg(QRandomGenerator::global()->generate()));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    QProcess xw;
    xw.setProcessEnvironment(env);
    QStringList args{QStringLiteral("start"), QStringLiteral("-t"), QStringLiteral("20000"),
                     QStringLiteral("-e"), QString::number(s.windows)};
    if (s.holdKeys)
        args << QStringLiteral("-k");
    args << QStringLiteral("--") << s.command;
    xw.setStandardErrorFile(QProcess::nullDevice());
    xw.start(QStringLiteral(XWATCH_EXE), args);
    xw.waitForFinished(40000);
    const QString out = QString::fromLocal8Bit(xw.readAllStandardOutput());
    const auto number = [&](const char* key) {
        const QRegularExpression re(QString::fromLatin1(key) + QStringLiteral("=(-?[0-9.]+)"));
        const auto m = re.match(out);
        return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
    };
    r.pid = long(number("pid"));
    r.firstMapMs = number("map_ms");
    r.allMappedMs = number("mapN_ms");
    r.rssKiB = smapsKiB(r.pid, "Rss:");
    r.pssKiB = smapsKiB(r.pid, "Pss:");
    if (!keep)
        stop(r.pid);
    return r;
}

QProcessEnvironment baseEnv() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

// A launcher set-up of its own: preferences (English, Super+Alt) and a database.
Scenario launcherScenario(const QString& name, int windows, int items, int iconSize = 48,
                          int width = 640) {
    const QString home = scratchPath(name);
    const QString config = home + QStringLiteral("/config");
    const QString data = home + QStringLiteral("/data");
    QDir().mkpath(config);
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    if (windows < 0) {
        // The first-run default: the window a first start makes from 25 applications.
        WritePhotoApps(data + QStringLiteral("/applications"), home + QStringLiteral("/icons"), 25);
    }
    qputenv("XDG_DATA_DIRS", data.toLocal8Bit());
    // The launcher started later takes the folders from its environment; this process from
    // its environment object.
    {
        LauncherApp context(Environment::FromProcess(), std::make_unique<RecordingDesktop>());
        GlobalModule::MyPref = std::make_unique<PrefClass>();
        GlobalModule::MyPref->Language = QStringLiteral("english");
        GlobalModule::MyPref->SavePrefMethod();
        GlobalModule::MakeDBMethod();
        if (windows >= 0)
            FillWindows(*GlobalModule::DBConnectMethod(), windows, items, iconSize, width);
    }

    Scenario s;
    s.name = name;
    s.command = {QStringLiteral(VONDRELASKIT_EXE)};
    s.env = baseEnv();
    s.env.insert(QStringLiteral("HOME"), home);
    s.env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    s.env.insert(QStringLiteral("XDG_DATA_DIRS"), data);
    s.holdKeys = true;
    s.windows = windows < 0 ? 1 : qMax(1, windows);
    return s;
}

// plank with the same 25 applications and three of the system's: 28 launchers.
Scenario plankScenario() {
    const QString home = scratchPath(QStringLiteral("plank"));
    const QString apps = scratchPath(QStringLiteral("first-run/data/applications"));
    const QString launchers = home + QStringLiteral("/.config/plank/dock1/launchers");
    QDir().mkpath(launchers);
    QStringList entries;
    for (const QString& f : QDir(apps).entryList({QStringLiteral("*.desktop")}, QDir::Files))
        entries << apps + QLatin1Char('/') + f;
    for (const char* f : {"debian-xterm.desktop", "debian-uxterm.desktop", "vim.desktop"})
        entries << QStringLiteral("/usr/share/applications/") + QLatin1String(f);
    for (int i = 0; i < entries.size(); ++i) {
        QFile item(launchers + QStringLiteral("/item%1.dockitem").arg(i, 2, 10, QLatin1Char('0')));
        item.open(QIODevice::WriteOnly);
        item.write("[PlankDockItemPreferences]\nLauncher=file://" + entries[i].toUtf8() + "\n");
    }
    Scenario s;
    s.name = QStringLiteral("plank");
    s.command = {QStringLiteral("plank")};
    s.env = baseEnv();
    s.env.insert(QStringLiteral("HOME"), home);
    s.env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    s.env.insert(QStringLiteral("XDG_DATA_DIRS"),
                 scratchPath(QStringLiteral("first-run/data")) + QStringLiteral(":/usr/share"));
    return s;
}

struct Measured {
    std::vector<double> firstMap, allMapped;
    std::vector<long> rss, pss;
    double medianFirst() const { return median(firstMap); }
    long medianRss() const {
        std::vector<double> v(rss.begin(), rss.end());
        return long(median(v));
    }
    long medianPss() const {
        std::vector<double> v(pss.begin(), pss.end());
        return long(median(v));
    }
    void add(const Started& s) {
        if (s.firstMapMs >= 0)
            firstMap.push_back(s.firstMapMs);
        if (s.allMappedMs >= 0)
            allMapped.push_back(s.allMappedMs);
        if (s.rssKiB > 0) {
            rss.push_back(s.rssKiB);
            pss.push_back(s.pssKiB);
        }
    }
};

Measured firstRun, tenByHundred, fiveThousand, empty, plank;
double showP90 = -1, hideP90 = -1;
long idleOurs = -1, idlePlank = -1;
long wakeMainOurs = -1, wakeMainPlank = -1, wakeAllOurs = -1, wakeAllPlank = -1;

// exec -> first window mapped, and memory, in rounds that interleave every scenario.
void BM_StartUpBesidePlank(benchmark::State& state) {
    const Scenario sFirst = launcherScenario(QStringLiteral("first-run"), -1, 0);
    const Scenario sTen = launcherScenario(QStringLiteral("ten-by-hundred"), 10, 100);
    const Scenario sFive = launcherScenario(QStringLiteral("five-thousand"), 1, 5000, 48, 1200);
    const Scenario sEmpty = launcherScenario(QStringLiteral("empty"), 0, 0);
    const Scenario sPlank = plankScenario();
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            firstRun.add(start(sFirst));
            tenByHundred.add(start(sTen));
            if (plankPresent)
                plank.add(start(sPlank));
            if (round < 3) {
                fiveThousand.add(start(sFive));
                // No window maps: its memory is read after a fixed wait.
                QProcess e;
                QProcessEnvironment env = sEmpty.env;
                env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           sEmpty.env.value(QStringLiteral("HOME")));
                e.setProcessEnvironment(env);
                e.setStandardOutputFile(QProcess::nullDevice());
                e.setStandardErrorFile(QProcess::nullDevice());
                e.start(sEmpty.command.first(), {});
                e.waitForStarted();
                QThread::msleep(1500);
                Started r;
                r.rssKiB = smapsKiB(long(e.processId()), "Rss:");
                r.pssKiB = smapsKiB(long(e.processId()), "Pss:");
                e.terminate();
                e.waitForFinished();
                empty.rss.push_back(r.rssKiB);
                empty.pss.push_back(r.pssKiB);
            }
        }
        state.SetIterationTime(tenByHundred.medianFirst() / 1000.0);
    }
    state.counters["first_run_ms"] = firstRun.medianFirst();
    state.counters["ten_by_hundred_ms"] = tenByHundred.medianFirst();
    state.counters["five_thousand_ms"] = fiveThousand.medianFirst();
    state.counters["plank_ms"] = plank.medianFirst();
}

// Key press -> all 20 windows mapped, release -> all unmapped; then 30 s idle beside plank.
void BM_KeyResponseAndIdle(benchmark::State& state) {
    const Scenario s20 = launcherScenario(QStringLiteral("twenty"), 20, 10, 48, 400);
    for (auto _ : state) {
        const Started ours = start(s20, true);
        // The windows exist now; the keys are released.
        QProcess latency;
        latency.setProcessEnvironment(baseEnv());
        latency.start(QStringLiteral(XWATCH_EXE),
                      {QStringLiteral("latency"), QStringLiteral("-p"), QString::number(ours.pid),
                       QStringLiteral("-e"), QStringLiteral("20"), QStringLiteral("-n"),
                       QStringLiteral("20")});
        latency.waitForFinished(120000);
        const QString out = QString::fromLocal8Bit(latency.readAllStandardOutput());
        const auto p90 = [&](const char* name) {
            const QRegularExpression re(QString::fromLatin1(name) +
                                        QStringLiteral(":.*p90=([0-9.]+)"));
            const auto m = re.match(out);
            return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
        };
        showP90 = p90("show_all_mapped");
        hideP90 = p90("hide_all_unmapped");
        Started pk;
        if (plankPresent)
            pk = start(plankScenario(), true);
        QThread::msleep(1000);
        const long o0 = cpuTicks(ours.pid), p0 = plankPresent ? cpuTicks(pk.pid) : -1;
        const long om0 = wakeUps(ours.pid, false), oa0 = wakeUps(ours.pid, true);
        const long pm0 = plankPresent ? wakeUps(pk.pid, false) : -1;
        const long pa0 = plankPresent ? wakeUps(pk.pid, true) : -1;
        QThread::sleep(30);
        idleOurs = cpuTicks(ours.pid) - o0;
        idlePlank = plankPresent ? cpuTicks(pk.pid) - p0 : -1;
        wakeMainOurs = wakeUps(ours.pid, false) - om0;
        wakeAllOurs = wakeUps(ours.pid, true) - oa0;
        wakeMainPlank = plankPresent ? wakeUps(pk.pid, false) - pm0 : -1;
        wakeAllPlank = plankPresent ? wakeUps(pk.pid, true) - pa0 : -1;
        stop(ours.pid);
        stop(pk.pid);
        state.SetIterationTime(showP90 / 1000.0);
    }
    state.counters["show_all_p90_ms"] = showP90;
    state.counters["hide_all_p90_ms"] = hideP90;
    state.counters["idle_ticks_30s"] = double(idleOurs);
    state.counters["idle_wakeups_30s"] = double(wakeMainOurs);
}

// The watcher's tick in this process, against the server, with 20 hidden windows.
void BM_WatcherTickRealX(benchmark::State& state) {
    qputenv("XDG_CONFIG_HOME", scratchPath(QStringLiteral("tick")).toLocal8Bit());
    LauncherApp context(Environment::FromProcess(), makeRealDesktop());
    GlobalModule::MyPref = std::make_unique<PrefClass>();
    for (int i = 0; i < 20; ++i) {
        auto w = std::make_unique<LauncherWin>();
        w->MakeAppImageMethod();
        GlobalModule::LauncherWinArr.push_back(std::move(w));
    }
    CheckVisibleTimerWin* watcher = CheckVisibleTimerWin::instance();
    watcher->EventCheckTimer_Action();
    QCoreApplication::processEvents();
    for (auto _ : state)
        watcher->EventCheckTimer_Action();
    GlobalModule::ReleaseGlobals();
}

// What each tick cost before: asking the server for the modifier state (a round trip).
void BM_ModifierRoundTrip(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(QGuiApplication::queryKeyboardModifiers());
}

double tickMicros = -1, roundTripMicros = -1;

class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const double us =
                r.GetAdjustedRealTime() * (r.time_unit == benchmark::kNanosecond    ? 1e-3
                                           : r.time_unit == benchmark::kMillisecond ? 1e3
                                                                                    : 1.0);
            if (r.benchmark_name().find("WatcherTickRealX") != std::string::npos)
                tickMicros = us;
            if (r.benchmark_name().find("ModifierRoundTrip") != std::string::npos)
                roundTripMicros = us;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void printTable() {
    const double plankMs = plank.medianFirst();
    const long plankRss = plank.medianRss();
    table.push_back({QStringLiteral("exec -> first window, first run (25 apps), Super+Alt held"),
                     ms(firstRun.medianFirst()), ms(plankMs),
                     QStringLiteral("<= 0.7 x plank = ") + ms(plankMs * 0.7),
                     verdict(plankMs > 0 && firstRun.medianFirst() <= 0.7 * plankMs)});
    table.push_back({QStringLiteral("exec -> first window, 10 x 100 items, Super+Alt held"),
                     ms(tenByHundred.medianFirst()), ms(plankMs),
                     QStringLiteral("<= plank = ") + ms(plankMs),
                     verdict(plankMs > 0 && tenByHundred.medianFirst() <= plankMs)});
    table.push_back(
        {QStringLiteral("exec -> window, 1 x 5,000 items"), ms(fiveThousand.medianFirst()),
         QStringLiteral(""), QStringLiteral("< 1000 ms"),
         verdict(fiveThousand.medianFirst() >= 0 && fiveThousand.medianFirst() < 1000)});
    table.push_back({QStringLiteral("RSS / PSS, first run (25 apps)"),
                     mib(firstRun.medianRss()) + QStringLiteral(" / ") + mib(firstRun.medianPss()),
                     mib(plankRss) + QStringLiteral(" / ") + mib(plank.medianPss()), QString(),
                     QString()});
    table.push_back(
        {QStringLiteral("RSS / PSS, 10 x 100 items"),
         mib(tenByHundred.medianRss()) + QStringLiteral(" / ") + mib(tenByHundred.medianPss()),
         mib(plankRss) + QStringLiteral(" / ") + mib(plank.medianPss()),
         QStringLiteral("< plank + 60 MiB = ") + mib(plankRss + 60 * 1024),
         verdict(plankRss > 0 && tenByHundred.medianRss() < plankRss + 60 * 1024)});
    const double perItem = (tenByHundred.medianRss() - empty.medianRss()) / 1000.0;
    table.push_back({QStringLiteral("memory per item ((10x100 - no window) / 1000)"),
                     QString::number(perItem, 'f', 1) + QStringLiteral(" KiB"), QString(),
                     QStringLiteral("<= 40 KiB"), verdict(perItem > 0 && perItem <= 40)});
    table.push_back(
        {QStringLiteral("RSS, 1 x 5,000 items"), mib(fiveThousand.medianRss()), QString(),
         QStringLiteral("< 300 MiB"),
         verdict(fiveThousand.medianRss() > 0 && fiveThousand.medianRss() < 300 * 1024)});
    table.push_back({QStringLiteral("RSS, no window (base)"), mib(empty.medianRss()), QString(),
                     QString(), QString()});
    table.push_back({QStringLiteral("CPU while idle 30 s, 20 windows (clock ticks)"),
                     QString::number(idleOurs),
                     idlePlank >= 0 ? QString::number(idlePlank) : QString(),
                     QStringLiteral("<= 2"), verdict(idleOurs >= 0 && idleOurs <= 2)});
    const auto count = [](long n) { return n >= 0 ? QString::number(n) : QString(); };
    table.push_back({QStringLiteral("wake-ups while idle 30 s, main thread"), count(wakeMainOurs),
                     count(wakeMainPlank), QStringLiteral("<= 30"),
                     verdict(wakeMainOurs >= 0 && wakeMainOurs <= 30)});
    table.push_back({QStringLiteral("wake-ups while idle 30 s, every thread"), count(wakeAllOurs),
                     count(wakeAllPlank), QString(), QString()});
    table.push_back({QStringLiteral("key press -> all 20 windows mapped, p90"), ms(showP90),
                     QString(), QStringLiteral("< 40 ms"), verdict(showP90 >= 0 && showP90 < 40)});
    table.push_back({QStringLiteral("key release -> all 20 unmapped, p90"), ms(hideP90), QString(),
                     QStringLiteral("< 40 ms"), verdict(hideP90 >= 0 && hideP90 < 40)});
    table.push_back({QStringLiteral("watcher tick, 20 windows, real X"),
                     QString::number(tickMicros, 'f', 2) + QStringLiteral(" us"), QString(),
                     QStringLiteral("no round trip (one was ") +
                         QString::number(roundTripMicros, 'f', 1) + QStringLiteral(" us)"),
                     verdict(tickMicros >= 0 && tickMicros < roundTripMicros)});
    std::printf("\n%-58s | %-22s | %-22s | %-30s | %s\n", "figure (medians of rounds)", "here",
                "plank", "target", "");
    std::printf("%s\n", QByteArray(150, '-').constData());
    for (const Row& r : table)
        std::printf("%-58s | %-22s | %-22s | %-30s | %s\n", qPrintable(r.what), qPrintable(r.ours),
                    qPrintable(r.plank), qPrintable(r.target), qPrintable(r.verdict));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        std::printf("X11 benchmarks skipped: Xvfb is not installed (apt-get install xvfb).\n");
        return 0;
    }
    plankPresent = !QStandardPaths::findExecutable(QStringLiteral("plank")).isEmpty();
    if (!plankPresent)
        std::printf("plank is not installed: its column stays empty (apt-get install plank).\n");
    // What xwatch starts is handed to us when xwatch ends, so that we can reap it.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    QTemporaryDir dir;
    // Kept for profiling a scenario by hand.
    if (qEnvironmentVariableIsSet("VONDRELASKIT_BENCH_KEEP")) {
        dir.setAutoRemove(false);
        std::printf("scenarios kept in %s\n", qPrintable(dir.path()));
    }
    scratch = &dir;

    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    if (!xvfb.waitForReadyRead(10000)) {
        std::printf("X11 benchmarks skipped: Xvfb did not start.\n");
        return 0;
    }
    display = QStringLiteral(":") + QString::fromLatin1(xvfb.readLine().trimmed());
    qputenv("DISPLAY", display.toLocal8Bit());
    qunsetenv("QT_QPA_PLATFORM");
    // A listening client: without one the server does not track keys pressed by XTEST.
    QProcess listener;
    listener.setStandardOutputFile(QProcess::nullDevice());
    if (!QStandardPaths::findExecutable(QStringLiteral("xev")).isEmpty())
        listener.start(QStringLiteral("xev"), {QStringLiteral("-root")});

    std::vector<char*> args(argv, argv + argc);
    static char platformFlag[] = "-platform";
    static char xcb[] = "xcb";
    args.push_back(platformFlag);
    args.push_back(xcb);
    int count = int(args.size());
    args.push_back(nullptr);
    QApplication app(count, args.data());

    benchmark::RegisterBenchmark("BM_WatcherTickRealX", BM_WatcherTickRealX)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_ModifierRoundTrip", BM_ModifierRoundTrip)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_StartUpBesidePlank", BM_StartUpBesidePlank)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_KeyResponseAndIdle", BM_KeyResponseAndIdle)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printTable();

    listener.kill();
    listener.waitForFinished();
    xvfb.terminate();
    xvfb.waitForFinished();
    return 0;
}
