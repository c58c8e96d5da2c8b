#pragma once

#include <QByteArray>
#include <QString>

// The user settings and their small binary file "VondrelaskitPref". The initial values
// are the defaults.
class PrefClass {
public:
    bool CommandKeyValue = true;
    bool ControlKeyValue = false;
    bool ShiftKeyValue = false;
    bool OptionKeyValue = true;
    qint32 TransparentValue = 20;
    QString Language = QStringLiteral("none");

    // Both make the launcher folder when it is missing, reading too (never the file).
    // True when the file now holds these settings.
    bool SavePrefMethod();
    // The defaults, then what the file holds.
    void ReadPrefMethod();

    // The file's bytes for these settings, and the settings from a file's bytes (fields
    // before the point where the bytes end keep what was read, the others their defaults).
    QByteArray toBytes() const;
    void fromBytes(const QByteArray& bytes);
    void setDefaults();

    static QString filePath();
};
