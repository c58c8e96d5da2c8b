#include "BenchSupport.h"

#include "app/StartUpWiring.h"
#include "launcher/LauncherApp.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/PrefClass.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>
#include <vector>

BenchEnvironment::BenchEnvironment() {
    QDir().mkpath(path(QStringLiteral("config")));
    Environment env = Environment::FromProcess();
    env.ConfigHome = path(QStringLiteral("config"));
    env.DataDirs = QStringList{path(QStringLiteral("data"))};
    env.DataHome = path(QStringLiteral("home-data"));
    auto recording = std::make_unique<RecordingDesktop>();
    desktop = recording.get();
    context = std::make_unique<LauncherApp>(env, std::move(recording));
    WireStartUp(*context);
    GlobalModule::MyPref = std::make_unique<PrefClass>();
    GlobalModule::MyPref->Language = QStringLiteral("english");
}

BenchEnvironment::~BenchEnvironment() = default;

void BenchEnvironment::writeApps(int n) {
    WritePhotoApps(path(QStringLiteral("data/applications")), path(QStringLiteral("icons")), n);
}

QImage PhotoIcon(int seed) {
    QRandomGenerator rng(quint32(seed) * 2654435761u + 1u);
    const int n = 128;
    // The picture: two smooth gradients crossed, a wavy texture and per-pixel noise.
    QImage photo(n, n, QImage::Format_ARGB32);
    const double h1 = rng.bounded(360.0), h2 = std::fmod(h1 + 60 + rng.bounded(180.0), 360.0);
    const QColor a = QColor::fromHsvF(h1 / 360, 0.6, 0.9), b = QColor::fromHsvF(h2 / 360, 0.8, 0.5);
    const double fx = 0.05 + rng.bounded(0.15), fy = 0.05 + rng.bounded(0.15);
    const double cx = rng.bounded(double(n)), cy = rng.bounded(double(n));
    for (int y = 0; y < n; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < n; ++x) {
            const double t = (x + y) / (2.0 * n);
            const double r = std::hypot(x - cx, y - cy) / n;
            const double wave = 0.5 + 0.5 * std::sin(x * fx + std::sin(y * fy) * 3.0);
            const double k = qBound(0.0, 0.55 * t + 0.3 * r + 0.15 * wave, 1.0);
            const int noise = int(rng.bounded(41)) - 20;
            const auto mix = [&](int ca, int cb) {
                return qBound(0, int(ca * (1 - k) + cb * k) + noise, 255);
            };
            line[x] =
                qRgb(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
        }
    }
    // The shape: a rounded tile with a highlight, over a soft shadow.
    QImage icon(n, n, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 6; i > 0; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 10));
        p.drawRoundedRect(QRectF(10 - i * 0.5, 14 - i * 0.5, 108 + i, 108 + i), 22, 22);
    }
    QPainterPath tile;
    tile.addRoundedRect(QRectF(8, 6, 112, 112), 22, 22);
    p.setClipPath(tile);
    p.drawImage(0, 0, photo);
    QLinearGradient shine(0, 6, 0, 70);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(8, 6, 112, 64), shine);
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

void WriteApps(const QString& folder, int n, const std::function<QString(int)>& iconOf) {
    QDir().mkpath(folder);
    for (int i = 0; i < n; ++i) {
        QFile f(folder + QStringLiteral("/app%1.desktop").arg(i, 4, 10, QLatin1Char('0')));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Application %1\n"
                               "Exec=/bin/true\nIcon=%2\n")
                    .arg(i)
                    .arg(iconOf(i))
                    .toUtf8());
    }
}

void WritePhotoApps(const QString& folder, const QString& iconFolder, int n) {
    QDir().mkpath(iconFolder);
    WriteApps(folder, n, [&iconFolder](int i) {
        const QString iconPath = iconFolder + QStringLiteral("/icon%1.png").arg(i);
        PhotoIcon(i).save(iconPath);
        return iconPath;
    });
}

QString StoredIconTextOf(const QImage& argbIcon) {
    // As GetIconImageMethod copies an icon: onto a plain white 32-bit picture.
    QImage r(argbIcon.size(), QImage::Format_RGB32);
    r.fill(Qt::white);
    QPainter p(&r);
    p.drawImage(0, 0, argbIcon);
    p.end();
    return GlobalModule::StoredIconText(r);
}

QString StoredMaskTextOf(const QImage& argbIcon) {
    QImage mask(argbIcon.size(), QImage::Format_RGB32);
    const QImage a = argbIcon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const int g = 255 - qAlpha(a.pixel(x, y));
            mask.setPixel(x, y, qRgb(g, g, g));
        }
    return GlobalModule::StoredIconText(mask);
}

void FillWindows(Database& db, int windows, int items, int iconSize, int width) {
    // 64 different icons, reused in turn: each item still holds its own stored text.
    std::vector<std::pair<QString, QString>> texts;
    for (int i = 0; i < 64; ++i) {
        const QImage icon = PhotoIcon(1000 + i);
        texts.emplace_back(StoredIconTextOf(icon), StoredMaskTextOf(icon));
    }
    db.SQLExecute(QStringLiteral("Delete From LauncherWinList"));
    db.SQLExecute(QStringLiteral("Delete From LauncherList"));
    int uid = 1;
    for (int w = 0; w < windows; ++w) {
        DatabaseRecord win;
        win.IntegerColumn(QStringLiteral("LauncherWinUID"), w);
        win.Column(QStringLiteral("LauncherWinName"), QStringLiteral("window %1").arg(w));
        win.IntegerColumn(QStringLiteral("Width"), width);
        win.IntegerColumn(QStringLiteral("Left"), 10 + 20 * w);
        win.IntegerColumn(QStringLiteral("Top"), 40 + 20 * w);
        win.IntegerColumn(QStringLiteral("IconSize"), iconSize);
        win.BooleanColumn(QStringLiteral("ViewName"), true);
        win.BooleanColumn(QStringLiteral("ViewTitleMenu"), true);
        win.BooleanColumn(QStringLiteral("ViewBackPanel"), true);
        win.IntegerColumn(QStringLiteral("TitleTextSize"), 12);
        win.IntegerColumn(QStringLiteral("WinColor"), 0x3366CC);
        win.IntegerColumn(QStringLiteral("TransparentValue"), 0);
        db.InsertRecord(QStringLiteral("LauncherWinList"), win);
        for (int i = 0; i < items; ++i, ++uid) {
            const auto& text = texts[size_t(uid) % texts.size()];
            DatabaseRecord rec;
            rec.IntegerColumn(QStringLiteral("LauncherWinUID"), w);
            rec.IntegerColumn(QStringLiteral("AppUID"), uid);
            rec.IntegerColumn(QStringLiteral("AppSEQ"), uid);
            rec.Column(QStringLiteral("AppName"), QStringLiteral("Application %1").arg(i));
            rec.Column(QStringLiteral("AppPath"), QStringLiteral("/usr/bin/true"));
            rec.Column(QStringLiteral("Icon"), text.first);
            rec.Column(QStringLiteral("IconMask"), text.second);
            db.InsertRecord(QStringLiteral("LauncherList"), rec);
        }
    }
    db.Commit();
}
