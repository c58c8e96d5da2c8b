#include "BenchSupport.h"

#include "app/GlobalModule.h"
#include "platform/Database.h"
#include "store/PrefClass.h"

#include <QDir>
#include <QFile>
#include <QImage>

BenchEnvironment::BenchEnvironment() {
    QDir().mkpath(path(QStringLiteral("config")));
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", path(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", path(QStringLiteral("home-data")).toLocal8Bit());
    GlobalModule::ReleaseGlobals();
    desktop =
        static_cast<RecordingDesktop*>(Desktop::setInstance(std::make_unique<RecordingDesktop>()));
    GlobalModule::MyPref = std::make_unique<PrefClass>();
    GlobalModule::MyPref->Language = QStringLiteral("english");
}

BenchEnvironment::~BenchEnvironment() {
    GlobalModule::ReleaseGlobals();
}

void BenchEnvironment::writeApps(int n) {
    const QString apps = path(QStringLiteral("data/applications"));
    QDir().mkpath(apps);
    QImage icon(64, 64, QImage::Format_ARGB32);
    for (int i = 0; i < n; ++i) {
        icon.fill(QColor::fromHsv((i * 37) % 360, 200, 220));
        const QString iconPath = path(QStringLiteral("icon%1.png").arg(i));
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
