#include "TestSupport.h"

#include "platform/Database.h"

#include <QFile>

// Readable failure output for texts (gtest would print QString's UTF-16 units).
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The item table as the launcher declares it: its window number is Varchar.
const char* const kItemTable =
    "Create Table LauncherList(LauncherWinUID Varchar not null, AppUID integer not null, "
    "AppSEQ integer not null, AppName Varchar, AppPath String, Icon Text, IconMask Text, "
    "Primary Key(LauncherWinUID, AppUID))";
const char* const kWindowTable =
    "Create Table LauncherWinList(LauncherWinUID Integer not null, LauncherWinName varchar "
    "not null, Width Integer, Left Integer, Top Integer, IconSize Integer, ViewName Boolean, "
    "ViewTitleMenu Boolean, ViewBackPanel Boolean, TitleTextSize Integer, TransparentValue "
    "Integer, WinColor Integer not null, Primary Key(LauncherWinUID))";

class DatabaseTest : public AppTest {
protected:
    // A new file with both tables, on a connection of its own.
    std::unique_ptr<Database> openScratch(bool autoCommit = true) {
        auto db = std::make_unique<Database>();
        db->DatabaseFile = scratch(QStringLiteral("scratch.rdb"));
        EXPECT_TRUE(db->CreateDatabaseFile());
        EXPECT_TRUE(db->Connect());
        db->AutoCommit = autoCommit;
        for (const char* sql : {kItemTable, kWindowTable}) {
            db->SQLExecute(QString::fromLatin1(sql));
            EXPECT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
        }
        db->Commit();
        return db;
    }

    static void insertItem(Database& db, qint64 window, qint64 uid, const QString& name) {
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), window);
        rec.IntegerColumn(QStringLiteral("AppUID"), uid);
        rec.IntegerColumn(QStringLiteral("AppSEQ"), uid);
        rec.Column(QStringLiteral("AppName"), name);
        db.InsertRecord(QStringLiteral("LauncherList"), rec);
        ASSERT_FALSE(db.Error()) << db.ErrorMessage().toStdString();
    }
    // Items 0 .. n-1 named "item <n>".
    static void insertItems(Database& db, qint64 window, int n) {
        for (int uid = 0; uid < n; ++uid)
            insertItem(db, window, uid, QStringLiteral("item %1").arg(uid));
    }
};

TEST_F(DatabaseTest, TextValuesRoundTripUnchanged) {
    auto db = openScratch();
    const QStringList names = {
        QStringLiteral("it's \"quoted\""),
        QStringLiteral("back\\slash\\\\ and %_ wildcards"),
        QStringLiteral("x'); drop table LauncherList;--"),
        QStringLiteral("메모장 한글"),
        QStringLiteral("line one\nline two"),
    };
    for (int i = 0; i < names.size(); ++i)
        insertItem(*db, 0, i, names[i]);

    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherList order by AppUID"));
    ASSERT_NE(rs, nullptr);
    QStringList read;
    for (; !rs->Eof(); rs->MoveNext())
        read << rs->Field(QStringLiteral("AppName")).StringValue();
    EXPECT_EQ(read, names);
}

TEST_F(DatabaseTest, OnlyTheColumnsSetAreWritten) {
    auto db = openScratch();
    DatabaseRecord rec;
    rec.IntegerColumn(QStringLiteral("LauncherWinUID"), 7);
    rec.Column(QStringLiteral("LauncherWinName"), QStringLiteral("w"));
    rec.IntegerColumn(QStringLiteral("Width"), 300);
    rec.BooleanColumn(QStringLiteral("ViewName"), true);
    rec.BooleanColumn(QStringLiteral("ViewBackPanel"), false);
    rec.IntegerColumn(QStringLiteral("WinColor"), 0xFF8000);
    db->InsertRecord(QStringLiteral("LauncherWinList"), rec);
    ASSERT_FALSE(db->Error()) << db->ErrorMessage().toStdString();

    auto rs = db->SQLSelect(QStringLiteral(
        "Select typeof(Left), typeof(Top), typeof(IconSize), typeof(ViewTitleMenu), "
        "typeof(TitleTextSize), typeof(TransparentValue), typeof(Width) from LauncherWinList"));
    ASSERT_NE(rs, nullptr);
    ASSERT_FALSE(rs->Eof());
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(rs->IdxField(i).StringValue(), QStringLiteral("null")) << "column " << i;
    EXPECT_EQ(rs->IdxField(7).StringValue(), QStringLiteral("integer"));

    rs = db->SQLSelect(QStringLiteral("Select * from LauncherWinList"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Field(QStringLiteral("Width")).IntegerValue(), 300);
    EXPECT_EQ(rs->Field(QStringLiteral("WinColor")).IntegerValue(), 0xFF8000);
    EXPECT_TRUE(rs->Field(QStringLiteral("ViewName")).BooleanValue());
    EXPECT_FALSE(rs->Field(QStringLiteral("ViewBackPanel")).BooleanValue());
    // NULL reads as 0 / false / empty text.
    EXPECT_EQ(rs->Field(QStringLiteral("TransparentValue")).IntegerValue(), 0);
    EXPECT_FALSE(rs->Field(QStringLiteral("ViewTitleMenu")).BooleanValue());
    EXPECT_TRUE(rs->Field(QStringLiteral("Left")).StringValue().isEmpty());
}

TEST_F(DatabaseTest, NullAggregateReadsZero) {
    auto db = openScratch();
    // The next free number over an empty table.
    auto rs = db->SQLSelect(QStringLiteral("Select max(AppUID) from LauncherList"));
    ASSERT_NE(rs, nullptr);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->IdxField(1).IntegerValue(), 0);
}

TEST_F(DatabaseTest, VarcharWindowNumberMatchesBareDecimal) {
    auto db = openScratch();
    insertItem(*db, 0, 0, QStringLiteral("a"));
    insertItem(*db, 12, 1, QStringLiteral("b"));
    insertItem(*db, 12, 2, QStringLiteral("c"));

    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherList where LauncherWinUID=12 "
                                           "order by AppSEQ"));
    ASSERT_NE(rs, nullptr);
    QStringList names;
    for (; !rs->Eof(); rs->MoveNext())
        names << rs->Field(QStringLiteral("AppName")).StringValue();
    EXPECT_EQ(names, (QStringList{QStringLiteral("b"), QStringLiteral("c")}));

    db->SQLExecute(QStringLiteral("Delete from LauncherList where LauncherWinUID=0"));
    ASSERT_FALSE(db->Error());
    rs = db->SQLSelect(QStringLiteral("Select count(*) from LauncherList"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->IdxField(1).IntegerValue(), 2);
}

TEST_F(DatabaseTest, CursorEditUpdateWritesTheCurrentRow) {
    auto db = openScratch();
    insertItem(*db, 3, 0, QStringLiteral("first"));
    insertItem(*db, 3, 1, QStringLiteral("second"));

    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherList where LauncherWinUID=3 "
                                           "order by AppSEQ"));
    ASSERT_NE(rs, nullptr);
    rs->MoveNext(); // on "second"
    rs->Edit();
    rs->Field(QStringLiteral("AppName")).setStringValue(QStringLiteral("renamed'; --"));
    rs->Field(QStringLiteral("AppSEQ")).setIntegerValue(9);
    rs->Update();
    ASSERT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
    rs->Close();

    // Seen by another connection on the same file.
    Database other;
    other.DatabaseFile = scratch(QStringLiteral("scratch.rdb"));
    ASSERT_TRUE(other.Connect());
    auto check = other.SQLSelect(QStringLiteral("Select AppName, AppSEQ from LauncherList "
                                                "order by AppUID"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->IdxField(1).StringValue(), QStringLiteral("first"));
    EXPECT_EQ(check->IdxField(2).IntegerValue(), 0);
    check->MoveNext();
    EXPECT_EQ(check->IdxField(1).StringValue(), QStringLiteral("renamed'; --"));
    EXPECT_EQ(check->IdxField(2).IntegerValue(), 9);
}

// The cursor reads as it moves: rows written back on the way are each met once, in order,
// and the rows after them still read.
TEST_F(DatabaseTest, EveryRowEditedWhileTheCursorMoves) {
    auto db = openScratch();
    insertItems(*db, 3, 5);

    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherList where LauncherWinUID=3"));
    ASSERT_NE(rs, nullptr);
    QStringList seen;
    while (!rs->Eof()) {
        seen << rs->Field(QStringLiteral("AppName")).StringValue();
        rs->Edit();
        rs->Field(QStringLiteral("AppName")).setStringValue(QStringLiteral("renamed"));
        rs->Field(QStringLiteral("AppSEQ"))
            .setIntegerValue(rs->Field(QStringLiteral("AppUID")).IntegerValue() + 10);
        rs->Update();
        ASSERT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
        rs->MoveNext();
    }
    EXPECT_EQ(seen, QStringList({"item 0", "item 1", "item 2", "item 3", "item 4"}));

    auto check = db->SQLSelect(QStringLiteral("Select AppName, AppSEQ from LauncherList "
                                              "order by AppUID"));
    ASSERT_NE(check, nullptr);
    for (int uid = 0; uid < 5; ++uid, check->MoveNext()) {
        ASSERT_FALSE(check->Eof());
        EXPECT_EQ(check->IdxField(1).StringValue(), QStringLiteral("renamed"));
        EXPECT_EQ(check->IdxField(2).IntegerValue(), uid + 10);
    }
    EXPECT_TRUE(check->Eof());
}

// Other statements on the same connection, and their commit, while a query is being read.
TEST_F(DatabaseTest, WritesAndCommitWhileAQueryIsRead) {
    auto db = openScratch(/*autoCommit=*/false);
    insertItems(*db, 1, 4);
    db->Commit();

    auto rs = db->SQLSelect(QStringLiteral("Select AppUID from LauncherList where "
                                           "LauncherWinUID=1 order by AppUID"));
    ASSERT_NE(rs, nullptr);
    std::vector<qint64> seen;
    while (!rs->Eof()) {
        const qint64 uid = rs->IdxField(1).IntegerValue();
        seen.push_back(uid);
        insertItem(*db, 2, uid, QStringLiteral("copy"));
        db->SQLExecute(QStringLiteral("Update LauncherList set AppName='read' where "
                                      "LauncherWinUID=1 and AppUID=") +
                       QString::number(uid));
        ASSERT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
        db->Commit();
        ASSERT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
        rs->MoveNext();
    }
    EXPECT_EQ(seen, std::vector<qint64>({0, 1, 2, 3}));

    Database other;
    other.DatabaseFile = scratch(QStringLiteral("scratch.rdb"));
    ASSERT_TRUE(other.Connect());
    auto check = other.SQLSelect(
        QStringLiteral("Select (Select count(*) from LauncherList where LauncherWinUID=2), "
                       "(Select count(*) from LauncherList where AppName='read')"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->IdxField(1).IntegerValue(), 4);
    EXPECT_EQ(check->IdxField(2).IntegerValue(), 4);
}

// A cursor still held when its connection closes is ended with it: the close finishes its
// work on the file (the write-ahead log folded back) and the cursor reads nothing more.
TEST_F(DatabaseTest, ClosingTheConnectionEndsItsOpenCursors) {
    auto db = openScratch();
    insertItems(*db, 3, 5);

    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherList"));
    ASSERT_NE(rs, nullptr);
    rs->MoveNext();
    ASSERT_FALSE(rs->Eof());
    db->Close();
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->Field(QStringLiteral("AppName")).StringValue().isEmpty());
    rs->MoveNext();
    rs->Close();
    db.reset();

    EXPECT_FALSE(QFile::exists(scratch(QStringLiteral("scratch.rdb-wal"))));
    Database other;
    other.DatabaseFile = scratch(QStringLiteral("scratch.rdb"));
    ASSERT_TRUE(other.Connect());
    auto mode = other.SQLSelect(QStringLiteral("PRAGMA journal_mode"));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->IdxField(1).StringValue(), QStringLiteral("delete"));
}

TEST_F(DatabaseTest, ChangesWithoutAutoCommitBecomeVisibleOnCommit) {
    auto db = openScratch(/*autoCommit=*/false);
    insertItem(*db, 0, 0, QStringLiteral("pending"));
    db->Commit();
    ASSERT_FALSE(db->Error());

    Database other;
    other.DatabaseFile = scratch(QStringLiteral("scratch.rdb"));
    ASSERT_TRUE(other.Connect());
    auto rs = other.SQLSelect(QStringLiteral("Select AppName from LauncherList"));
    ASSERT_NE(rs, nullptr);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->IdxField(1).StringValue(), QStringLiteral("pending"));
}

TEST_F(DatabaseTest, BadQueryGivesNullAndSetsTheError) {
    auto db = openScratch();
    struct Case {
        const char* query;
        const char* messagePart;
    };
    const Case cases[] = {
        {"Select * from NoSuchTable", "no such table"},
        {"Select NoSuchColumn from LauncherList", "no such column"},
        {"Selec AppName frm LauncherList", "syntax error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(db->SQLSelect(QString::fromLatin1(c.query)), nullptr);
        EXPECT_TRUE(db->Error());
        EXPECT_NE(db->ErrorCode(), 0);
        EXPECT_TRUE(db->ErrorMessage().contains(QLatin1String(c.messagePart)))
            << db->ErrorMessage().toStdString();
        // The next good operation clears it.
        EXPECT_NE(db->SQLSelect(QStringLiteral("Select 1")), nullptr);
        EXPECT_FALSE(db->Error());
    }
}

TEST_F(DatabaseTest, FailedStatementAndInsertSetTheError) {
    auto db = openScratch();
    insertItem(*db, 0, 0, QStringLiteral("a"));
    DatabaseRecord duplicate; // same key
    duplicate.IntegerColumn(QStringLiteral("LauncherWinUID"), 0);
    duplicate.IntegerColumn(QStringLiteral("AppUID"), 0);
    duplicate.IntegerColumn(QStringLiteral("AppSEQ"), 5);
    db->InsertRecord(QStringLiteral("LauncherList"), duplicate);
    EXPECT_TRUE(db->Error());
    EXPECT_NE(db->ErrorCode(), 0);
    EXPECT_FALSE(db->ErrorMessage().isEmpty());

    db->SQLExecute(QString::fromLatin1(kItemTable)); // exists already
    EXPECT_TRUE(db->Error());
    EXPECT_TRUE(db->ErrorMessage().contains(QLatin1String("already exists")))
        << db->ErrorMessage().toStdString();
}

TEST_F(DatabaseTest, ConnectToAMissingFileFailsWithoutCreatingIt) {
    const QString path = scratch(QStringLiteral("missing.rdb"));
    Database db;
    db.DatabaseFile = path;
    EXPECT_FALSE(db.Connect());
    EXPECT_TRUE(db.Error());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(DatabaseTest, EmptyResultIsAtEofAtOnce) {
    auto db = openScratch();
    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherList where LauncherWinUID=4"));
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->Field(QStringLiteral("AppName")).IntegerValue(), 0);
}

TEST_F(DatabaseTest, IdxFieldCountsFromOne) {
    auto db = openScratch();
    auto rs = db->SQLSelect(QStringLiteral("Select 'first', 2, 'third'"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->FieldCount(), 3);
    EXPECT_EQ(rs->IdxField(1).StringValue(), QStringLiteral("first"));
    EXPECT_EQ(rs->IdxField(2).IntegerValue(), 2);
    EXPECT_EQ(rs->IdxField(3).StringValue(), QStringLiteral("third"));
    EXPECT_FALSE(rs->IdxField(0).isValid());
    EXPECT_FALSE(rs->IdxField(4).isValid());

    // A "Select *" cursor hides its row-id column: field 1 is the table's first column.
    insertItem(*db, 5, 0, QStringLiteral("x"));
    rs = db->SQLSelect(QStringLiteral("Select * from LauncherList"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->FieldCount(), 7);
    EXPECT_EQ(rs->IdxField(1).IntegerValue(), 5);
    EXPECT_EQ(rs->IdxField(4).StringValue(), QStringLiteral("x"));
}

} // namespace
