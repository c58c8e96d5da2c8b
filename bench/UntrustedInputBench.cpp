#include "BenchSupport.h"

#include "app/LauncherLoader.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

// Starts whose stored rows or desktop entries come from another tool or a damaged file:
// a start must stay fast and its memory flat whatever they hold.

namespace {

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QString base64(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toBase64());
}

// A JPEG of `edge` x `edge` pixels: a real one up to 8192, beyond that a small picture whose
// header claims the size (a damaged row), since such a picture cannot be made here.
QByteArray hugeJpeg(int edge) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (edge <= 8192) {
        QImage img(edge, edge, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, edge, edge);
        g.setColorAt(0, Qt::darkBlue);
        g.setColorAt(1, Qt::yellow);
        p.fillRect(img.rect(), g);
        p.end();
        img.save(&out, "jpeg", 90);
        return out.data();
    }
    QImage small(64, 64, QImage::Format_RGB32);
    small.fill(Qt::red);
    small.save(&out, "jpeg", 90);
    QByteArray bytes = out.data();
    const qsizetype sof = bytes.indexOf(QByteArray("\xff\xc0", 2));
    for (const int at : {5, 7}) {
        bytes[sof + at] = char(edge >> 8);
        bytes[sof + at + 1] = char(edge & 0xff);
    }
    return bytes;
}

// The loading at start of a window of 20 items whose first item's stored icon and mask are
// a huge picture. Counter peak_MiB: how far the process's peak memory rose.
void BM_StartWithAHugeStoredPicture(benchmark::State& state) {
    BenchEnvironment env;
    GlobalModule::MakeDBMethod();
    Database& db = *GlobalModule::DBConnectMethod();
    FillWindows(db, 1, 20);
    const QString text = base64(hugeJpeg(int(state.range(0))));
    db.SQLExecute(QStringLiteral("Update LauncherList set Icon='%1', IconMask='%1' where "
                                 "AppUID=(Select MIN(AppUID) from LauncherList)")
                      .arg(text));
    const long before = peakResidentKiB();
    for (auto _ : state) {
        GlobalModule::LoadLauncherWinMethod();
        benchmark::DoNotOptimize(GlobalModule::LauncherWinArr.size());
    }
    state.counters["peak_MiB"] = double(peakResidentKiB() - before) / 1024.0;
}
BENCHMARK(BM_StartWithAHugeStoredPicture)
    ->Arg(4096)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The first start and the loading of "apple" when one desktop entry's Name is of the given
// bytes, then a later start from the stored rows.
void BM_StartWithAHugeName(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        BenchEnvironment env;
        env.writeApps(10);
        QFile entry(env.path(QStringLiteral("data/applications/huge-name.desktop")));
        entry.open(QIODevice::WriteOnly);
        entry.write("[Desktop Entry]\nType=Application\nExec=/bin/true\nName=");
        for (int i = 0; i < int(state.range(0)) / 8; ++i)
            entry.write("Longer! ");
        entry.write("\n");
        entry.close();
        state.ResumeTiming();
        GlobalModule::MakeDBMethod();
        GlobalModule::LoadLauncherWinMethod();
        GlobalModule::ReleaseGlobals();
        GlobalModule::LoadLauncherWinMethod(); // the next start
        benchmark::DoNotOptimize(GlobalModule::LauncherWinArr.size());
        state.PauseTiming();
        GlobalModule::ReleaseGlobals();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartWithAHugeName)
    ->Arg(16 << 10)
    ->Arg(64 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
