#pragma once

#include <QString>
#include <functional>

class Database;

namespace GlobalModule {

// The folder "Vondrelaskit" in the Preferences folder, and the database file in it.
QString LauncherFolderPath();
QString DatabaseFilePath();

// Why the launcher folder cannot hold a database that is still to be made (its path and
// the system's reason: a file in the way of a folder, a folder that cannot be written);
// empty when it can, or when the database is there already.
QString LauncherFolderProblem();

// Creates the database with its schema and the default "apple" window when the file does
// not exist yet; an existing file is never touched.
void MakeDBMethod();
// The same without holding up the event loop: the applications are looked at on the pool and
// written a few at a time between events. `done` runs once the file is in place or its
// creation has failed (told), at once when there was nothing to make; `progress(written,
// total)` is told as the entries are written.
void MakeDBMethod(std::function<void()> done, std::function<void(int, int)> progress = {});
// A making of the database is under way.
bool DatabaseBeingMade();
// The shared connection, opened on first use; null when it cannot be opened (the next call
// tries again).
Database* DBConnectMethod();
// The engine's message for the last connection that could not be opened.
QString DBConnectError();
// Write the default window and its items into the database being created; false when the
// creation as a whole failed (the message is shown).
bool InitDefaultLoadAppleAppMethod(Database& db);
void InitLoadAppleAppMethod(Database& db);

// One more than the number a "Select MAX(...)" query gives (1 over an empty table, where
// the aggregate is NULL), or -1 when the query cannot run.
qint64 NextFreeNumber(Database& db, const QString& maxQuery);

// A database file that cannot be opened or read, and a change that cannot be stored, are
// each told once per run, naming the file and the engine's message; never repeated on
// every move.
void ReportUnreadableDatabase(const QString& engineMessage);
void ReportUnsavedChange(const QString& engineMessage);
void ReportReplacedDatabase();
// Tells, once the reading of every page that the shared connection started has ended, when
// it found the file damaged: at every start the same, whether or not anything was written
// meanwhile. Nothing is told twice for a file whose rows could not be read at all.
void WatchDatabaseDamage();
bool DatabaseDamageWatchPending();
void ResetDatabaseReports();

} // namespace GlobalModule
