#pragma once

#include <QString>

class Database;

namespace GlobalModule {

// The folder "Vondrelaskit" in the Preferences folder, and the database file in it.
QString LauncherFolderPath();
QString DatabaseFilePath();

// Creates the database with its schema and the default "apple" window when the file does
// not exist yet; an existing file is never touched.
void MakeDBMethod();
// The shared connection, opened on first use; null when it cannot be opened (the next call
// tries again).
Database* DBConnectMethod();
void InitDefaultLoadAppleAppMethod();
void InitLoadAppleAppMethod(Database& db);

// One more than the number a "Select MAX(...)" query gives (1 over an empty table, where
// the aggregate is NULL), or -1 when the query cannot run.
qint32 NextFreeNumber(Database& db, const QString& maxQuery);

} // namespace GlobalModule
