#pragma once

#include "RecordingDesktop.h"
#include "launcher/LauncherApp.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class Database;

// A fresh launcher folder and database with a recording desktop, for one benchmark: an
// application context of its own, wired as start-up wires it.
class BenchEnvironment {
public:
    BenchEnvironment();
    ~BenchEnvironment();
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Writes n application entries with photographic PNG icons into the Applications folder.
    void writeApps(int n);
    RecordingDesktop* desktop = nullptr;

private:
    QTemporaryDir m_dir;

public:
    std::unique_ptr<LauncherApp> context;
};

// A 128-pixel icon like a real application's: a rounded tile of smooth gradients, texture
// and noise with soft anti-aliased edges and a shadow (alpha), different for every seed.
QImage PhotoIcon(int seed);

// Application entries named app0000.desktop ... in folder; iconOf(i) gives entry i's Icon value
// (and makes what it names).
void WriteApps(const QString& folder, int n, const std::function<QString(int)>& iconOf);
// The same, each with a PhotoIcon PNG of its own in iconFolder, named by its path.
void WritePhotoApps(const QString& folder, const QString& iconFolder, int n);

// Replaces every window of the database with `windows` windows of `items` items each, their
// icons and masks stored as a first run stores them (JPEG text of the 128-pixel picture).
void FillWindows(Database& db, int windows, int items, int iconSize = 48, int width = 640);

// The text of an icon and of its mask as a first run stores them.
QString StoredIconTextOf(const QImage& argbIcon);
QString StoredMaskTextOf(const QImage& argbIcon);
