#pragma once

#include <functional>

#include "FakeWindowSystem.h"
#include "RecordingDesktop.h"
#include "launcher/LauncherApp.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class LauncherWin;

// Each test gets its own application context, wired as start-up wires it: fresh scratch
// folders for the desktop settings ($XDG_CONFIG_HOME) and the installed applications
// ($XDG_DATA_DIRS), a recording desktop, and empty globals, all gone with the context; and a
// fake window system.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString configDir() const;       // $XDG_CONFIG_HOME
    QString launcherDir() const;     // $XDG_CONFIG_HOME/Vondrelaskit
    QString applicationsDir() const; // $XDG_DATA_DIRS/applications (created on first use)
    QString scratch(const QString& name) const; // a path in the scratch folder

    // A desktop entry written as literal text into the Applications folder.
    QString writeDesktopEntry(const QString& fileName, const QString& text);
    // A simple application entry whose icon is a solid PNG of the given colour.
    QString writeApp(const QString& fileName, const QString& name, QColor color = Qt::red);
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QString writePng(const QString& path, int w, int h, QColor color);

    // The database as a first start makes it, connected through the shared connection.
    void makeDatabase();
    // Runs an SQL statement on the shared connection and fails the test on an error.
    void exec(const QString& sql);
    // The first column of the first row of a query on the shared connection.
    QVariant scalar(const QString& sql);

    // A launcher window row with items, loaded as at start.
    LauncherWin* loadWindow(qint64 uid);
    // Runs the event loop until done() holds; false only when it never does (a bound for a
    // hang, not a time the work must keep).
    static bool waitUntil(const std::function<bool()>& done);
    // The database of a first start with no applications, its window 0 loaded, and one item
    // dropped on it per name: a scratch file of that name.
    LauncherWin* loadWindowWithFiles(const QStringList& names);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<LauncherApp> context;
    RecordingDesktop* desktop = nullptr; // the context's
    FakeWindowSystem* windowSystem = nullptr;
};

// A pixel of an image, as ARGB with alpha, un-premultiplied.
QRgb pixelAt(const QImage& image, int x, int y);
