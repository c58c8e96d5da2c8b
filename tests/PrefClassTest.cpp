#include "TestSupport.h"

#include "store/PrefClass.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Readable failure output for texts (gtest would print QString's UTF-16 units).
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

class PrefClassTest : public AppTest {
protected:
    QString prefFile() const { return launcherDir() + QStringLiteral("/VondrelaskitPref"); }

    QByteArray fileBytes() const {
        QFile f(prefFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Reads a preferences file holding exactly these bytes.
    static PrefClass readFrom(const QString& path, const QByteArray& bytes) {
        writeFile(path, bytes);
        PrefClass p;
        p.ReadPrefMethod();
        return p;
    }
};

void expectDefaults(const PrefClass& p) {
    EXPECT_TRUE(p.CommandKeyValue);
    EXPECT_TRUE(p.OptionKeyValue);
    EXPECT_FALSE(p.ControlKeyValue);
    EXPECT_FALSE(p.ShiftKeyValue);
    EXPECT_EQ(p.TransparentValue, 20);
    EXPECT_EQ(p.Language, QStringLiteral("none"));
}

TEST_F(PrefClassTest, SavesTheDocumentedBytes) {
    // Each flag differs from its neighbours somewhere, so no two bytes can change places.
    const struct {
        bool command, option, control, shift;
        int transparency;
        const char* language;
        QByteArray bytes;
    } cases[] = {
        {true, false, false, true, 20, "korean",
         QByteArray("\x01\x00\x00\x01\x00\x14\x06"
                    "korean",
                    13)},
        {false, true, false, true, 50, "english",
         QByteArray("\x00\x01\x00\x01\x00\x32\x07"
                    "english",
                    14)},
        {true, false, true, false, 0, "none",
         QByteArray("\x01\x00\x01\x00\x00\x00\x04"
                    "none",
                    11)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        PrefClass p;
        p.CommandKeyValue = c.command;
        p.OptionKeyValue = c.option;
        p.ControlKeyValue = c.control;
        p.ShiftKeyValue = c.shift;
        p.TransparentValue = c.transparency;
        p.Language = QString::fromLatin1(c.language);
        p.SavePrefMethod();
        EXPECT_EQ(fileBytes(), c.bytes);
    }
}

TEST_F(PrefClassTest, FileLengthFollowsTheLanguage) {
    const struct {
        const char* language;
        int length;
    } cases[] = {{"none", 11}, {"korean", 13}, {"english", 14}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        PrefClass p;
        p.Language = QString::fromLatin1(c.language);
        p.SavePrefMethod();
        const QByteArray bytes = fileBytes();
        EXPECT_EQ(bytes.size(), c.length);
        EXPECT_EQ(bytes.mid(6), char(qstrlen(c.language)) + QByteArray(c.language));
    }
}

TEST_F(PrefClassTest, DefaultsWithoutAFile) {
    PrefClass p;
    p.CommandKeyValue = false;
    p.TransparentValue = 70;
    p.Language = QStringLiteral("korean");
    p.ReadPrefMethod();
    expectDefaults(p);
}

TEST_F(PrefClassTest, TransparencyAbove80ReadsAs80) {
    const struct {
        QByteArray bytes;
        int expected;
    } cases[] = {
        {QByteArray("\x00\x5A", 2), 80}, // 90
        {QByteArray("\x00\x50", 2), 80},
        {QByteArray("\x00\x00", 2), 0},
        {QByteArray("\x01\x00", 2), 80}, // 256
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const PrefClass p = readFrom(prefFile(), QByteArray("\x01\x01\x00\x00", 4) + c.bytes +
                                                     "\x04"
                                                     "none");
        EXPECT_EQ(p.TransparentValue, c.expected);
    }
}

// Every field of a whole file; of a short or garbage file, what it holds, the rest defaults.
TEST_F(PrefClassTest, ReadsEveryFieldOrWhatTheFileHolds) {
    const struct {
        const char* what;
        QByteArray bytes;
        bool command, option, control, shift;
        int transparency;
        const char* language;
    } cases[] = {
        {"english",
         QByteArray("\x00\x01\x01\x01\x00\x32\x07"
                    "english",
                    14),
         false, true, true, true, 50, "english"},
        // Option and Control apart, both ways.
        {"korean",
         QByteArray("\x01\x01\x00\x00\x00\x0a\x06"
                    "korean",
                    13),
         true, true, false, false, 10, "korean"},
        {"none",
         QByteArray("\x00\x00\x01\x01\x00\x00\x04"
                    "none",
                    11),
         false, false, true, true, 0, "none"},
        {"empty", QByteArray(), true, true, false, false, 20, "none"},
        {"one flag", QByteArray("\x00", 1), false, true, false, false, 20, "none"},
        {"flags only", QByteArray("\x00\x00\x01\x01", 4), false, false, true, true, 20, "none"},
        {"half a number", QByteArray("\x00\x00\x01\x01\x00", 5), false, false, true, true, 20,
         "none"},
        {"no language", QByteArray("\x01\x00\x00\x00\x00\x1E", 6), true, false, false, false, 30,
         "none"},
        {"language cut short",
         QByteArray("\x01\x00\x00\x00\x00\x1E\x07"
                    "eng",
                    10),
         true, false, false, false, 30, "none"},
        // One byte short of its stated length: not taken either.
        {"language one byte short",
         QByteArray("\x01\x00\x00\x00\x00\x1E\x07"
                    "englis",
                    13),
         true, false, false, false, 30, "none"},
        {"empty language", QByteArray("\x01\x00\x00\x00\x00\x1E\x00", 7), true, false, false, false,
         30, ""},
        // Flags 'A' (not 0), transparency 0x4141, then a length of 65 and 65 more 'A's.
        {"garbage", QByteArray(300, 'A'), true, true, true, true, 80, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PrefClass p = readFrom(prefFile(), c.bytes);
        EXPECT_EQ(p.CommandKeyValue, c.command);
        EXPECT_EQ(p.OptionKeyValue, c.option);
        EXPECT_EQ(p.ControlKeyValue, c.control);
        EXPECT_EQ(p.ShiftKeyValue, c.shift);
        EXPECT_EQ(p.TransparentValue, c.transparency);
        EXPECT_EQ(p.Language, c.language ? QString::fromLatin1(c.language) : QString(65, 'A'));
    }
}

TEST_F(PrefClassTest, ReadingCreatesTheFolderNeverTheFile) {
    ASSERT_FALSE(QFile::exists(launcherDir()));
    PrefClass p;
    p.ReadPrefMethod();
    EXPECT_TRUE(QFileInfo(launcherDir()).isDir());
    EXPECT_FALSE(QFile::exists(prefFile()));
    expectDefaults(p);
}

TEST_F(PrefClassTest, SavingTwiceLeavesOnlyTheSecondRecord) {
    PrefClass p;
    p.Language = QStringLiteral("english");
    p.TransparentValue = 60;
    p.SavePrefMethod();
    p.Language = QStringLiteral("none");
    p.TransparentValue = 10;
    p.ControlKeyValue = true;
    p.SavePrefMethod();

    EXPECT_EQ(fileBytes(), QByteArray("\x01\x01\x01\x00\x00\x0A\x04"
                                      "none",
                                      11));
    EXPECT_EQ(QDir(launcherDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("VondrelaskitPref")});

    PrefClass back;
    back.ReadPrefMethod();
    EXPECT_EQ(back.TransparentValue, 10);
    EXPECT_TRUE(back.ControlKeyValue);
    EXPECT_EQ(back.Language, QStringLiteral("none"));
}

TEST_F(PrefClassTest, UnwritableFolderIsSilent) {
    // A plain file where the folder should be: nothing can be created, nothing is reported.
    writeFile(launcherDir(), "in the way");
    PrefClass p;
    p.Language = QStringLiteral("korean");
    p.SavePrefMethod();
    EXPECT_TRUE(desktop->messages.isEmpty());
    QFile f(launcherDir());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("in the way"));
    p.ReadPrefMethod();
    expectDefaults(p);
}

} // namespace

namespace {
TEST_F(PrefClassTest, AFifoInPlaceOfTheFileIsAsIfAbsent) {
    QDir().mkpath(launcherDir());
    const QByteArray path = QFile::encodeName(prefFile());
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    // Should the reader open the FIFO, a writer feeds it a Korean record after a while, so
    // the test ends either way and shows what was read.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done && std::chrono::steady_clock::now() < until) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                const char record[] = "\x01\x01\x00\x00\x00\x14\x06korean";
                [[maybe_unused]] auto n = ::write(fd, record, sizeof record - 1);
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    PrefClass p;
    p.ReadPrefMethod();
    done = true;
    writer.join();
    expectDefaults(p);
}
} // namespace
