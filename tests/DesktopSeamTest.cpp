#include "TestSupport.h"

#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Desktop.h"
#include "settings/SelectYourLanguageWin.h"
#include "shared/GlobalModule.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
template <class T> QList<T*> shown() {
    QList<T*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<T*>(w); d && d->isVisible())
            found << d;
    return found;
}
void deliverPosted() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

// The real desktop's boxes and dialogs: they never run an event loop of their own.
class RealDesktopTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (QDialog* d : shown<QDialog>())
            d->reject();
        deliverPosted();
    }
    std::unique_ptr<Desktop> real = makeRealDesktop();
};

// The real desktop's launching of an executable file and of a plain document, with harmless
// programs only: the executable writes a marker, and the document's default application is
// this process's test opener (TestMain), which writes "<document>.opened".
TEST_F(RealDesktopTest, AnExecutableRunsItselfAndADocumentOpensInItsDefaultApplication) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ran = dir.filePath(QStringLiteral("ran"));
    const QByteArray script = "#!/bin/sh\nprintf ran > '" + QFile::encodeName(ran) + "'\n";
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString document = dir.filePath(QStringLiteral("notes.txt"));
    for (const QString& path : {program, document}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(script); // the same text: only the executable bit tells them apart
    }
    ASSERT_TRUE(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));

    const LaunchResult programRun = real->launch(program);
    EXPECT_TRUE(programRun.ok) << programRun.error.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ran); }, 20000));
    EXPECT_FALSE(QFile::exists(program + QStringLiteral(".opened")));

    QFile::remove(ran);
    const LaunchResult documentOpened = real->launch(document);
    EXPECT_TRUE(documentOpened.ok) << documentOpened.error.toStdString();
    const QString opened = document + QStringLiteral(".opened");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(opened); }, 20000));
    QFile f(opened);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().trimmed(), QFile::encodeName(document));
    // The document's text was not run as a program.
    EXPECT_FALSE(QFile::exists(ran));
}

TEST_F(RealDesktopTest, MessagesComeAfterTheCallerOneAtATimeInOrder) {
    QStringList dismissed;
    real->messageBox(QStringLiteral("first"), [&] { dismissed << QStringLiteral("first"); });
    real->messageBox(QStringLiteral("second"), [&] { dismissed << QStringLiteral("second"); });
    real->messageBox(QStringLiteral("third"));
    // Returned at once, nothing shown yet: the caller's handler ends first.
    EXPECT_TRUE(shown<QMessageBox>().isEmpty());
    for (const char* text : {"first", "second", "third"}) {
        SCOPED_TRACE(text);
        deliverPosted();
        const QList<QMessageBox*> boxes = shown<QMessageBox>();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0]->text(), QLatin1String(text));
        EXPECT_EQ(boxes[0]->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(boxes[0]->textFormat(), Qt::PlainText);
        boxes[0]->button(QMessageBox::Ok)->click();
    }
    deliverPosted();
    EXPECT_TRUE(shown<QMessageBox>().isEmpty());
    EXPECT_EQ(dismissed, QStringList({"first", "second"}));
}

TEST_F(RealDesktopTest, DialogsReturnAtOnceAndAnswerFromTheEventLoop) {
    std::vector<std::optional<QString>> items;
    real->chooseItem(QStringLiteral("Select Any Item"), QDir::tempPath(),
                     [&](std::optional<QString> chosen) { items.push_back(chosen); });
    EXPECT_TRUE(items.empty());
    QList<QFileDialog*> files = shown<QFileDialog>();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0]->windowTitle(), QStringLiteral("Select Any Item"));
    EXPECT_EQ(files[0]->windowModality(), Qt::ApplicationModal);
    files[0]->reject();
    deliverPosted();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_FALSE(items[0]);
    EXPECT_TRUE(shown<QFileDialog>().isEmpty());

    std::vector<std::optional<QColor>> colors;
    real->chooseColor(Qt::red, QStringLiteral("Select BackPanel Color"),
                      [&](std::optional<QColor> chosen) { colors.push_back(chosen); });
    QList<QColorDialog*> pickers = shown<QColorDialog>();
    ASSERT_EQ(pickers.size(), 1);
    EXPECT_EQ(pickers[0]->windowTitle(), QStringLiteral("Select BackPanel Color"));
    pickers[0]->setCurrentColor(QColor(0x12, 0x34, 0x56));
    pickers[0]->accept();
    real->chooseColor(Qt::red, QString(),
                      [&](std::optional<QColor> chosen) { colors.push_back(chosen); });
    shown<QColorDialog>().first()->reject();
    deliverPosted();
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0], QColor(0x12, 0x34, 0x56));
    EXPECT_FALSE(colors[1]);
}

// A question still open when the window that asked it goes: the answer changes nothing.
class WaitingAnswerTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        desktop->holdAnswers = true;
    }
};

TEST_F(WaitingAnswerTest, AnswersAfterTheAskerIsGoneAreDropped) {
    LauncherWin* win = loadWindowWithFiles({QStringLiteral("a")});
    ASSERT_NE(win, nullptr);
    desktop->chosenItems = {scratch(QStringLiteral("a"))};
    win->AddItemMethod();
    GlobalModule::LauncherWinArr.clear();

    NewLauncherWin* editor = NewLauncherWin::instance();
    editor->Show();
    desktop->chosenItems = {scratch(QStringLiteral("a"))};
    editor->AddItemMethod();
    desktop->chosenColor = QColor(Qt::blue);
    editor->ColorRectangle_MouseDown();
    editor->close();
    deliverPosted();
    ASSERT_EQ(NewLauncherWin::openInstance(), nullptr);

    EXPECT_EQ(desktop->answerWaiting(), 3);
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(), 1);
}

TEST_F(WaitingAnswerTest, TheLanguageIsSavedOnlyOnceTheThanksAreDismissed) {
    makeDatabase();
    GlobalModule::MyPref->Language = QStringLiteral("none");
    SelectYourLanguageWin* w = SelectYourLanguageWin::instance();
    w->Show();
    QTest::mouseClick(w->OKButton, Qt::LeftButton);
    QTest::mouseClick(w->OKButton, Qt::LeftButton); // a second OK while the thanks are open
    EXPECT_EQ(desktop->messages, QStringList{"Thank you for you selecting language~!"});
    EXPECT_FALSE(QFile::exists(PrefClass::filePath()));
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
    EXPECT_TRUE(desktop->sounds.empty());
    EXPECT_TRUE(w->isVisible());

    EXPECT_EQ(desktop->answerWaiting(), 1);
    EXPECT_TRUE(QFile::exists(PrefClass::filePath()));
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    EXPECT_EQ(desktop->sounds.size(), 1u);
    EXPECT_FALSE(w->isVisible());
}
