#pragma once

#include "platform/RecordingDesktop.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A fresh launcher folder and database with a recording desktop, for one benchmark.
class BenchEnvironment {
public:
    BenchEnvironment();
    ~BenchEnvironment();
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Writes n application entries with PNG icons into the Applications folder.
    void writeApps(int n);
    RecordingDesktop* desktop = nullptr;

private:
    QTemporaryDir m_dir;
};
