#pragma once

#include <QString>
#include <optional>

class DatabaseRecord;
class RecordSet;

// The two tables of launcher windows and their items: the column names, and the one place a
// row is written from or read into its fields.

namespace LauncherWinColumn {
inline const QString Table = QStringLiteral("LauncherWinList");
inline const QString LauncherWinUID = QStringLiteral("LauncherWinUID");
inline const QString LauncherWinName = QStringLiteral("LauncherWinName");
inline const QString Width = QStringLiteral("Width");
inline const QString Left = QStringLiteral("Left");
inline const QString Top = QStringLiteral("Top");
inline const QString IconSize = QStringLiteral("IconSize");
inline const QString ViewName = QStringLiteral("ViewName");
inline const QString ViewTitleMenu = QStringLiteral("ViewTitleMenu");
inline const QString ViewBackPanel = QStringLiteral("ViewBackPanel");
inline const QString TitleTextSize = QStringLiteral("TitleTextSize");
inline const QString TransparentValue = QStringLiteral("TransparentValue");
inline const QString WinColor = QStringLiteral("WinColor");
} // namespace LauncherWinColumn

namespace LauncherListColumn {
inline const QString Table = QStringLiteral("LauncherList");
inline const QString LauncherWinUID = QStringLiteral("LauncherWinUID");
inline const QString AppUID = QStringLiteral("AppUID");
inline const QString AppSEQ = QStringLiteral("AppSEQ");
inline const QString AppName = QStringLiteral("AppName");
inline const QString AppPath = QStringLiteral("AppPath");
inline const QString Icon = QStringLiteral("Icon");
inline const QString IconMask = QStringLiteral("IconMask");
} // namespace LauncherListColumn

// A row of LauncherWinList.
struct LauncherWinRow {
    qint64 LauncherWinUID = 0;
    QString LauncherWinName;
    qint64 Width = 0;
    qint64 Left = 0;
    qint64 Top = 0;
    qint64 IconSize = 0;
    bool ViewName = false;
    bool ViewTitleMenu = false;
    bool ViewBackPanel = false;
    qint64 TitleTextSize = 0;
    // Left NULL by the first run's default window; empty where the row holds NULL.
    std::optional<qint64> TransparentValue;
    qint64 WinColor = 0;

    // The row to insert.
    DatabaseRecord Record() const;
    // The cursor's current row; a NULL transparency reads as none, any other NULL as 0, ""
    // or false.
    static LauncherWinRow Read(RecordSet& rs);
    // Writes what the editor changes (name, size, views, transparency, colour) into the
    // cursor's current row, between its Edit and Update.
    void WriteEditorColumns(RecordSet& rs) const;
};

// A row of LauncherList; the icons as stored text (IconHelpers turns them into pictures).
struct LauncherListRow {
    qint64 LauncherWinUID = 0;
    qint64 AppUID = 0;
    qint64 AppSEQ = 0;
    QString AppName;
    QString AppPath;
    QString Icon;
    QString IconMask;

    DatabaseRecord Record() const;
    static LauncherListRow Read(RecordSet& rs);
};
