#pragma once

#include <QByteArray>
#include <QString>

// The user settings and their small binary file "VondrelaskitPref".
class PrefClass {
public:
    bool CommandKeyValue = true;
    bool ControlKeyValue = false;
    bool ShiftKeyValue = false;
    bool OptionKeyValue = true;
    qint32 TransparentValue = 20;
    QString Language = QStringLiteral("none");

    // True when the file now holds these settings.
    bool SavePrefMethod();
    void ReadPrefMethod();

    // The file's bytes for these settings, and the settings from a file's bytes (fields
    // before the point where the bytes end keep what was read, the others their defaults).
    QByteArray toBytes() const;
    void fromBytes(const QByteArray& bytes);
    void setDefaults();

    static QString folderPath();
    static QString filePath();
};
