#include "TestSupport.h"

#include "app/LauncherLoader.h"
#include "app/StartUpWiring.h"
#include "launcher/LauncherApp.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QDir>
#include <QDragLeaveEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QSqlQuery>

void AppTest::SetUp() {
    dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir->isValid());
    QDir().mkpath(configDir());
    Environment env = Environment::FromProcess();
    env.ConfigHome = configDir();
    env.DataDirs = QStringList{dir->filePath(QStringLiteral("data"))};
    env.DataHome = dir->filePath(QStringLiteral("home-data"));
    env.CurrentDesktops = {}; // whatever desktop runs the tests
    auto recording = std::make_unique<RecordingDesktop>();
    desktop = recording.get();
    context = std::make_unique<LauncherApp>(env, std::move(recording));
    WireStartUp(*context);
    windowSystem = static_cast<FakeWindowSystem*>(
        WindowSystem::setInstance(std::make_unique<FakeWindowSystem>()));
    GlobalModule::MyPref = std::make_unique<PrefClass>();
    GlobalModule::MyPref->Language = QStringLiteral("english");
}

void AppTest::TearDown() {
    // A drag a test left unfinished leaves, while its target still exists: the application
    // keeps the target of a drag, and would hand a later test's drop to a window long gone.
    QWidget anyWidget;
    QDragLeaveEvent leave;
    QApplication::sendEvent(&anyWidget, &leave);
    context.reset();
    desktop = nullptr;
    // Dialogs close and go; nothing of one test reaches the next.
    DeleteOpenDialogs();
    QCoreApplication::processEvents();
    dir.reset();
}

QString AppTest::configDir() const {
    return dir->filePath(QStringLiteral("config"));
}

QString AppTest::launcherDir() const {
    return configDir() + QStringLiteral("/Vondrelaskit");
}

QString AppTest::applicationsDir() const {
    const QString path = dir->filePath(QStringLiteral("data/applications"));
    QDir().mkpath(path);
    return path;
}

QString AppTest::scratch(const QString& name) const {
    return dir->filePath(name);
}

void AppTest::writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QString AppTest::writePng(const QString& path, int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    QDir().mkpath(QFileInfo(path).absolutePath());
    img.save(path, "PNG");
    return path;
}

QString AppTest::writeDesktopEntry(const QString& fileName, const QString& text) {
    const QString path = applicationsDir() + QLatin1Char('/') + fileName;
    writeFile(path, text.toUtf8());
    return path;
}

QString AppTest::writeApp(const QString& fileName, const QString& name, QColor color) {
    const QString icon = writePng(
        scratch(QStringLiteral("icons/") + fileName + QStringLiteral(".png")), 64, 64, color);
    return writeDesktopEntry(fileName, QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\n"
                                                      "Exec=/bin/true\nIcon=%2\n")
                                           .arg(name, icon));
}

void AppTest::makeDatabase() {
    GlobalModule::MakeDBMethod();
    ASSERT_NE(GlobalModule::DBConnectMethod(), nullptr);
}

void AppTest::exec(const QString& sql) {
    Database* db = GlobalModule::DBConnectMethod();
    ASSERT_NE(db, nullptr);
    db->SQLExecute(sql);
    ASSERT_FALSE(db->Error()) << sql.toStdString() << ": " << db->ErrorMessage().toStdString();
}

QVariant AppTest::scalar(const QString& sql) {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return {};
    auto rs = db->SQLSelect(sql);
    if (!rs || rs->Eof())
        return {};
    const auto f = rs->IdxField(1);
    return f.StringValue().isNull() ? QVariant() : QVariant(f.StringValue());
}

bool AppTest::waitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 120000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

LauncherWin* AppTest::loadWindow(qint64 uid) {
    GlobalModule::LoadLauncherWinMethod();
    // A place is stored only once the verdict on the file's pages has come: tests that move a
    // window at once let it come first.
    while (GlobalModule::GlobalDB && !GlobalModule::GlobalDB->DamageCheckDone())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    for (const auto& w : GlobalModule::LauncherWinArr)
        if (w->LauncherWinUID == uid)
            return w.get();
    return nullptr;
}

LauncherWin* AppTest::loadWindowWithFiles(const QStringList& names) {
    makeDatabase();
    LauncherWin* w = loadWindow(0);
    if (!w)
        return nullptr;
    for (const QString& name : names) {
        writeFile(scratch(name), "x");
        w->DropAppMethod(FolderItem(scratch(name)));
    }
    return w;
}

QRgb pixelAt(const QImage& image, int x, int y) {
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}
