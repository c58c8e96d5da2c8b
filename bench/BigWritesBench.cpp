// Big writes: the editor's save of many documents, a first run over many applications and a
// drop of many files, each on a desktop with the Adwaita icon theme, timed until the
// launcher has finished (the window holds every item, the editor has closed).

#include "BenchSupport.h"

#include "app/LauncherLoader.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int kItems = 500;

// The themes a desktop has: the machine's Adwaita, and a hicolor of our own for the
// applications' icons.
void installThemes(BenchEnvironment& env) {
    QDir().mkpath(env.path(QStringLiteral("data/icons/hicolor/128x128/apps")));
    QFile::link(QStringLiteral("/usr/share/icons/Adwaita"),
                env.path(QStringLiteral("data/icons/Adwaita")));
    QFile::copy(QStringLiteral("/usr/share/icons/hicolor/index.theme"),
                env.path(QStringLiteral("data/icons/hicolor/index.theme")));
}

// n documents of ten kinds, named doc0000.txt ...
QStringList writeDocuments(BenchEnvironment& env, int n) {
    static const char* const kinds[] = {"txt", "pdf", "html", "odt", "ods",
                                        "mp3", "zip", "c",    "csv", "deb"};
    const QString folder = env.path(QStringLiteral("docs"));
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < n; ++i) {
        const QString path =
            folder + QStringLiteral("/doc%1.%2").arg(i, 4, 10, QLatin1Char('0')).arg(kinds[i % 10]);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("document\n");
        paths << path;
    }
    return paths;
}

// n application entries whose icons are themed names installed in hicolor; every tenth
// names an icon no theme has (the generic application icon serves).
void writeThemedApps(BenchEnvironment& env, int n) {
    WriteApps(env.path(QStringLiteral("data/applications")), n, [&env](int i) {
        const QString icon = QStringLiteral("benchapp%1").arg(i);
        if (i % 10 != 9)
            PhotoIcon(i).save(
                env.path(QStringLiteral("data/icons/hicolor/128x128/apps/%1.png").arg(icon)));
        return icon;
    });
}

// The files as the items of window 0, with a stored icon each.
void storeItems(Database& db, const QStringList& paths) {
    const QString icon = StoredIconTextOf(PhotoIcon(1)), mask = StoredMaskTextOf(PhotoIcon(1));
    for (int i = 0; i < paths.size(); ++i) {
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), 0);
        rec.IntegerColumn(QStringLiteral("AppUID"), i);
        rec.IntegerColumn(QStringLiteral("AppSEQ"), i + 1);
        rec.Column(QStringLiteral("AppName"), QFileInfo(paths[i]).fileName());
        rec.Column(QStringLiteral("AppPath"), paths[i]);
        rec.Column(QStringLiteral("Icon"), icon);
        rec.Column(QStringLiteral("IconMask"), mask);
        db.InsertRecord(QStringLiteral("LauncherList"), rec);
    }
    db.Commit();
}

// Lets the event loop run until done() holds (or two minutes have gone); `longest` keeps
// the longest the GUI thread was held by one round of events.
bool runUntil(const std::function<bool()>& done, qint64* longest = nullptr) {
    QElapsedTimer clock, round;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 120000)
            return false;
        round.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (longest)
            *longest = std::max(*longest, round.elapsed());
    }
    return true;
}

// The editor's OK on a window of 500 documents of ten kinds.
void BM_EditorSave500DocumentsOfTenKinds(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        BenchEnvironment env;
        installThemes(env);
        GlobalModule::MakeDBMethod();
        storeItems(*GlobalModule::DBConnectMethod(), writeDocuments(env, kItems));
        GlobalModule::LoadLauncherWinMethod();
        LauncherWin* window = GlobalModule::LauncherWinArr.at(0).get();
        window->EditLauncherWinMethod();
        NewLauncherWin* editor = NewLauncherWin::openInstance();
        editor->MarkChangedMethod();
        state.ResumeTiming();
        editor->NewMethod();
        const bool done = runUntil([window] {
            return !NewLauncherWin::openInstance() && window->LauncherItemArr->size() == kItems;
        });
        state.PauseTiming();
        if (!done || !env.desktop->messages.isEmpty()) {
            state.SkipWithError("the save did not complete");
            break;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GlobalModule::ReleaseGlobals();
        state.ResumeTiming();
    }
    state.counters["target_ms"] = 1000;
}
BENCHMARK(BM_EditorSave500DocumentsOfTenKinds)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first start over n applications: the database made and "apple" filled, as start-up
// makes it (the event loop running meanwhile).
void firstRun(benchmark::State& state, int n, const std::function<void(BenchEnvironment&)>& write) {
    qint64 longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchEnvironment env;
        installThemes(env);
        write(env);
        state.ResumeTiming();
        QElapsedTimer starting;
        starting.start();
        bool made = false;
        GlobalModule::MakeDBMethod([&made] { made = true; });
        longest = std::max(longest, starting.elapsed());
        const bool done = runUntil([&made] { return made; }, &longest);
        state.PauseTiming();
        if (!done || !env.desktop->messages.isEmpty()) {
            state.SkipWithError("the first run did not complete");
            break;
        }
        GlobalModule::ReleaseGlobals();
        state.ResumeTiming();
    }
    state.counters["entries"] = n;
    state.counters["longest_step_ms"] = double(longest);
}

void BM_FirstRun500Applications(benchmark::State& state) {
    firstRun(state, kItems, [](BenchEnvironment& env) { writeThemedApps(env, kItems); });
}
BENCHMARK(BM_FirstRun500Applications)->Unit(benchmark::kMillisecond)->Iterations(3);

// 20,000 entries naming 2,000 icons (every tenth none that a theme has), as a desktop with
// many entries of few kinds.
void BM_FirstRun20000Applications(benchmark::State& state) {
    firstRun(state, 20000, [](BenchEnvironment& env) {
        WriteApps(env.path(QStringLiteral("data/applications")), 20000, [&env](int i) {
            const int kind = i % 2000;
            const QString icon = QStringLiteral("benchapp%1").arg(kind);
            const QString file =
                env.path(QStringLiteral("data/icons/hicolor/128x128/apps/%1.png").arg(icon));
            if (kind % 10 != 9 && !QFile::exists(file))
                PhotoIcon(kind).save(file);
            return icon;
        });
    });
}
BENCHMARK(BM_FirstRun20000Applications)->Unit(benchmark::kMillisecond)->Iterations(1);

// n files of ten kinds dropped at once on an empty window, until the window holds them.
void dropFiles(benchmark::State& state, int n) {
    qint64 longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchEnvironment env;
        installThemes(env);
        GlobalModule::MakeDBMethod();
        GlobalModule::LoadLauncherWinMethod();
        LauncherWin* window = GlobalModule::LauncherWinArr.at(0).get();
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : writeDocuments(env, n))
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        state.ResumeTiming();
        QElapsedTimer dropping;
        dropping.start();
        QDragEnterEvent enter(QPoint(10, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &enter);
        QDropEvent drop(QPointF(10, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &drop);
        longest = std::max(longest, dropping.elapsed());
        const bool done = runUntil(
            [window, n] { return window->LauncherItemArr->size() == size_t(n); }, &longest);
        state.PauseTiming();
        if (!done || !env.desktop->messages.isEmpty()) {
            qWarning("drop: %d items, messages: %s", int(window->LauncherItemArr->size()),
                     qPrintable(env.desktop->messages.join(QLatin1Char('|'))));
            state.SkipWithError("the drop did not complete");
            break;
        }
        GlobalModule::ReleaseGlobals();
        state.ResumeTiming();
    }
    // The longest the GUI thread was held at once (the drop's event, or a round of events).
    state.counters["longest_step_ms"] = double(longest);
}

void BM_Drop500Files(benchmark::State& state) {
    dropFiles(state, kItems);
}
BENCHMARK(BM_Drop500Files)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Drop2000Files(benchmark::State& state) {
    dropFiles(state, 2000);
}
BENCHMARK(BM_Drop2000Files)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
