#include "store/PrefClass.h"

#include "platform/FolderItem.h"
#include "store/LauncherDatabase.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QString PrefClass::filePath() {
    return GlobalModule::LauncherFolderPath() + QStringLiteral("/VondrelaskitPref");
}

void PrefClass::setDefaults() {
    *this = PrefClass();
}

QByteArray PrefClass::toBytes() const {
    QByteArray out;
    out.append(char(CommandKeyValue ? 1 : 0));
    out.append(char(OptionKeyValue ? 1 : 0));
    out.append(char(ControlKeyValue ? 1 : 0));
    out.append(char(ShiftKeyValue ? 1 : 0));
    const quint16 t = quint16(qint16(TransparentValue));
    out.append(char(t >> 8));
    out.append(char(t & 0xFF));
    const QByteArray language = Language.toLatin1().left(255);
    out.append(char(quint8(language.size())));
    out.append(language);
    return out;
}

void PrefClass::fromBytes(const QByteArray& bytes) {
    const auto byte = [&](int i) { return quint8(bytes[i]); };
    const int n = int(bytes.size());
    if (n < 1)
        return;
    CommandKeyValue = byte(0) != 0;
    if (n < 2)
        return;
    OptionKeyValue = byte(1) != 0;
    if (n < 3)
        return;
    ControlKeyValue = byte(2) != 0;
    if (n < 4)
        return;
    ShiftKeyValue = byte(3) != 0;
    if (n < 6)
        return;
    TransparentValue = qint16(quint16(byte(4) << 8 | byte(5)));
    if (TransparentValue > 80)
        TransparentValue = 80;
    if (n < 7)
        return;
    const int length = byte(6);
    // A language cut short by the file's end is not taken.
    if (n < 7 + length)
        return;
    Language = QString::fromLatin1(bytes.constData() + 7, length);
}

bool PrefClass::SavePrefMethod() {
    QDir().mkpath(GlobalModule::LauncherFolderPath());
    // Written beside the old file and renamed over it, so a crash never leaves half a file.
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(toBytes());
    return file.commit();
}

void PrefClass::ReadPrefMethod() {
    setDefaults();
    QDir().mkpath(GlobalModule::LauncherFolderPath());
    // Only a regular file is read: a FIFO in its place would block the start for ever.
    if (!IsRegularFile(filePath()))
        return;
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    // The record is tiny; anything far beyond it is not a preferences file of ours.
    fromBytes(file.read(7 + 255));
}
