#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "launcher/TempRunIconWin.h"
#include "platform/Database.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <fcntl.h>
#include <unistd.h>

class LauncherInputTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        win = loadWindowWithFiles({"one", "two", "three"});
        ASSERT_NE(win, nullptr);
        win->show();
        desktop->sounds.clear();
    }
    QPoint iconCentre(int i) const {
        const auto& item = (*win->LauncherItemArr)[size_t(i)];
        return QPoint(item->Left + 24, item->Top + 24);
    }
    int clicks() const {
        int n = 0;
        for (const auto& [resource, volume] : desktop->sounds)
            n += resource.contains(QLatin1String("187")) && volume == 10;
        return n;
    }
    LauncherWin* win = nullptr;
};

TEST_F(LauncherInputTest, ClickLaunchesWithThePopUp) {
    QTest::mouseClick(win, Qt::LeftButton, {}, iconCentre(1));
    EXPECT_EQ(clicks(), 1);
    EXPECT_EQ(desktop->launches, QStringList{scratch(QStringLiteral("two"))});
    ASSERT_TRUE(win->myTempRunIconWin);
    TempRunIconWin* popup = win->myTempRunIconWin.get();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->TempApp, (*win->LauncherItemArr)[1]);
    // The second launch reuses the same pop-up.
    QTest::mouseClick(win, Qt::LeftButton, {}, iconCentre(0));
    EXPECT_EQ(win->myTempRunIconWin.get(), popup);
    EXPECT_EQ(desktop->launches.size(), 2);
}

TEST_F(LauncherInputTest, ModifiersOfTheActivationKeyLeaveAClickAClick) {
    // The activation key is held while clicking; Control and Shift among it change nothing.
    for (const auto mods :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier,
          Qt::MetaModifier | Qt::AltModifier}) {
        desktop->launches.clear();
        QTest::mouseClick(win, Qt::LeftButton, mods, iconCentre(1));
        EXPECT_EQ(desktop->launches, QStringList{scratch(QStringLiteral("two"))});
    }
    EXPECT_EQ(clicks(), 3);
}

TEST_F(LauncherInputTest, AnyMovementMakesTheClickADrag) {
    const QPoint start = win->pos();
    const QPoint p = iconCentre(0);
    QTest::mousePress(win, Qt::LeftButton, {}, p);
    QTest::mouseMove(win, p + QPoint(1, 0));
    QTest::mouseRelease(win, Qt::LeftButton, {}, p + QPoint(1, 0));
    EXPECT_EQ(clicks(), 1); // the press clicks before knowing
    EXPECT_EQ(win->pos(), start + QPoint(1, 0));
    EXPECT_TRUE(desktop->launches.isEmpty());
    EXPECT_FALSE(win->MouseClickValue);
    // The move reached the window's row.
    EXPECT_EQ(scalar(QStringLiteral("Select Left from LauncherWinList")).toInt(), win->x());
}

TEST_F(LauncherInputTest, ClicksThatLaunchNothing) {
    // An empty cell after the last item; then an item whose file is gone.
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(3 * 70 + 30, 40));
    QFile::remove(scratch(QStringLiteral("one")));
    QTest::mouseClick(win, Qt::LeftButton, {}, iconCentre(0));
    EXPECT_EQ(clicks(), 2);
    EXPECT_TRUE(desktop->launches.isEmpty());
    EXPECT_FALSE(win->myTempRunIconWin);
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(LauncherInputTest, RefusedLaunchIsReportedNamingTheItem) {
    desktop->launchResult = {false, QStringLiteral("no application for it")};
    QTest::mouseClick(win, Qt::LeftButton, {}, iconCentre(2));
    ASSERT_EQ(desktop->messages.size(), 1);
    EXPECT_TRUE(desktop->messages[0].contains(QLatin1String("three")));
    EXPECT_TRUE(desktop->messages[0].contains(QLatin1String("no application for it")));
}

TEST_F(LauncherInputTest, ContextualClickRecordsTheCellWithoutASound) {
    QTest::mouseClick(win, Qt::RightButton, {}, iconCentre(2));
    EXPECT_EQ(win->CurrSelAppIndex, 2);
    EXPECT_EQ(clicks(), 0);
    EXPECT_TRUE(desktop->launches.isEmpty());
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    menu->close();
}

TEST_F(LauncherInputTest, TheReleaseOfTheClickThatOpensTheMenuChoosesNothing) {
    // The menu opens at the release, so the release can never land on its first command
    // ("New Launcher Window"), wherever the menu appears under the pointer.
    QTest::mousePress(win, Qt::RightButton, {}, iconCentre(0));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseRelease(win, Qt::RightButton, {}, iconCentre(0));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    int triggered = 0;
    QObject::connect(menu, &QMenu::triggered, [&triggered] { ++triggered; });
    // A window manager that hands the menu the opening click's release too (as openbox
    // does) chooses nothing either: the menu stays open, with nothing run.
    const QPoint first = menu->actionGeometry(menu->actions().front()).center();
    QTest::mouseMove(menu, first);
    QTest::mouseRelease(menu, Qt::RightButton, {}, first);
    QCoreApplication::processEvents();
    EXPECT_EQ(triggered, 0);
    EXPECT_EQ(QApplication::activePopupWidget(), menu);
    EXPECT_EQ(win->CurrSelAppIndex, 0);
    menu->close();
}

TEST_F(LauncherInputTest, TitleBandIconsHaveInclusiveBounds) {
    const int px = win->PrefIconXValue;
    const int width = win->Width();
    const int space = win->SpaceForIconSizeValue;
    const int columns = win->LimitWidthCount;
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(px + 46, 18));
    EXPECT_EQ(win->Width(), qMax(space * columns + space, px + 65)) << "left half widens";
    const int wider = win->Width();
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(px + 47, 0));
    EXPECT_LT(win->Width(), wider) << "right half narrows";
    EXPECT_NE(width, 0);
    EXPECT_TRUE(desktop->launches.isEmpty());
    // Outside both icons the band maps onto the first row.
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(desktop->launches, QStringList{scratch(QStringLiteral("one"))});
}

TEST_F(LauncherInputTest, TitleBandIconEdges) {
    // PX..PX+24 by PY+2..PY+24 is the settings icon, PX+30..PX+62 by PY+1..PY+20 the
    // plus/minus icon (PY is -2); a release on either launches nothing.
    const int px = win->PrefIconXValue;
    const int startWidth = win->Width();
    enum Change { None, Wider, Narrower };
    const struct {
        QPoint at;
        Change change;
    } cases[] = {
        {{px, 0}, None},       {{px + 24, 22}, None},     {{px + 30, 18}, Wider},
        {{px + 46, 0}, Wider}, {{px + 47, 18}, Narrower}, {{px + 62, 0}, Narrower},
        {{px + 63, 10}, None}, {{px + 29, 10}, None},     {{px + 40, 19}, None},
    };
    for (const auto& c : cases) {
        win->setWidth(startWidth);
        win->MakeAppImageMethod();
        ASSERT_EQ(win->PrefIconXValue, px);
        const int before = win->Width();
        const qsizetype launches = desktop->launches.size();
        QTest::mouseClick(win, Qt::LeftButton, {}, c.at);
        const int after = win->Width();
        const Change change = after > before ? Wider : after < before ? Narrower : None;
        EXPECT_EQ(change, c.change) << c.at.x() - px << "," << c.at.y();
        if (c.change != None || c.at.x() <= px + 24) {
            EXPECT_EQ(desktop->launches.size(), launches) << c.at.x() - px << "," << c.at.y();
        }
    }
}

TEST_F(LauncherInputTest, DropsAddLocalFilesInOrderAsCopies) {
    const QString a = scratch(QStringLiteral("drop-a")),
                  b = scratch(QStringLiteral("drop-b folder"));
    writeFile(a, "a");
    QDir().mkpath(b);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(b), QUrl(QStringLiteral("https://example.org/x")),
                  QUrl::fromLocalFile(scratch(QStringLiteral("gone"))), QUrl::fromLocalFile(a)});
    QDragEnterEvent enter(QPoint(10, 40), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          {});
    QCoreApplication::sendEvent(win, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(10, 40), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    drop.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(win, &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction); // never a move
    ASSERT_TRUE(waitUntil([this] { return !win->DropsPending(); }));
    ASSERT_EQ(win->LauncherItemArr->size(), 5u);
    EXPECT_EQ((*win->LauncherItemArr)[3]->AppPath, b);
    EXPECT_EQ((*win->LauncherItemArr)[4]->AppPath, a);
    EXPECT_TRUE(QFile::exists(a));
    // A drag that offers only a move is refused.
    QDragEnterEvent moveOnly(QPoint(10, 40), Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(win, &moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted());
}

namespace {
// Drops the files on the window as a file manager does.
void dropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(10, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &drop);
}
} // namespace

TEST_F(LauncherInputTest, DropsOfManyFilesKeepTheirOrderEachRowItsOwnNumber) {
    QDir().mkpath(scratch(QStringLiteral("many")));
    QStringList first, second;
    for (int i = 0; i < 300; ++i) {
        const QString path = scratch(QStringLiteral("many/file %1.txt").arg(i, 3, 10, QChar('0')));
        writeFile(path, "x");
        (i < 250 ? first : second) << path;
    }
    dropFiles(win, first);
    dropFiles(win, second); // comes while the first is still being stored: it follows it
    ASSERT_TRUE(waitUntil([this] { return !win->DropsPending(); }));
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('\n').toStdString();
    ASSERT_EQ(win->LauncherItemArr->size(), 303u);
    // The window, in order, and the file, by AppSEQ, hold the same items.
    QStringList held, stored;
    QSet<qint64> numbers;
    for (size_t i = 3; i < win->LauncherItemArr->size(); ++i) {
        const auto& item = (*win->LauncherItemArr)[i];
        held << item->AppPath;
        numbers.insert(item->AppUID);
        EXPECT_FALSE(item->Icon.isNull());
    }
    EXPECT_EQ(held, first + second);
    EXPECT_EQ(numbers.size(), 300);
    auto rs = GlobalModule::DBConnectMethod()->SQLSelect(
        QStringLiteral("Select AppUID, AppPath from LauncherList order by AppSEQ"));
    for (size_t i = 0; rs && !rs->Eof(); ++i, rs->MoveNext()) {
        ASSERT_LT(i, win->LauncherItemArr->size());
        EXPECT_EQ(rs->IdxField(1).IntegerValue(), (*win->LauncherItemArr)[i]->AppUID);
        stored << rs->IdxField(2).StringValue();
    }
    EXPECT_EQ(stored.mid(3), first + second);
    // Composed with every item: the last one has its place in the grid.
    EXPECT_GT(win->LauncherItemArr->back()->Top, 25);
}

TEST_F(LauncherInputTest, ARefusedDropOfManyFilesKeepsNothingAndNamesThem) {
    QStringList paths;
    for (int i = 0; i < 30; ++i) {
        paths << scratch(QStringLiteral("refused %1").arg(i));
        writeFile(paths.back(), "x");
    }
    // Another program holds the write lock.
    context->setDatabaseFailures([](const QString& sql) {
        return sql.startsWith(QLatin1String("BEGIN")) || sql.startsWith(QLatin1String("INSERT"))
                   ? 5
                   : 0;
    });
    dropFiles(win, paths);
    ASSERT_TRUE(waitUntil([this] { return !win->DropsPending(); }));
    context->setDatabaseFailures({});
    ASSERT_EQ(desktop->messages.size(), 1);
    const QStringList lines = desktop->messages[0].split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), QStringLiteral("refused 0 add error~!"));
    EXPECT_EQ(lines.size(), 11); // ten names, then how many in all
    EXPECT_EQ(lines.last(), QStringLiteral("... (30)"));
    EXPECT_EQ(win->LauncherItemArr->size(), 3u);
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(), 3);
}

TEST_F(LauncherInputTest, ADroppedNameThatIsNotUtf8IsStoredByteForByte) {
    // "café.txt" in Latin-1, as an old archive or another system leaves it.
    const QByteArray folder =
        QFile::encodeName(QDir(scratch(QStringLiteral("x"))).absolutePath())
            .left(QFile::encodeName(QDir(scratch(QStringLiteral("x"))).absolutePath())
                      .lastIndexOf('/'));
    const QByteArray name = QByteArrayLiteral("caf\xe9 old.txt");
    const QByteArray native = folder + '/' + name;
    {
        const int fd = ::open(native.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    QMimeData data;
    // As a file manager sends it: the bytes percent-encoded.
    data.setUrls({QUrl::fromEncoded("file://" + native.toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(10, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(win, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(win, &drop);
    ASSERT_TRUE(waitUntil([this] { return !win->DropsPending(); }));
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('\n').toStdString();
    ASSERT_EQ(win->LauncherItemArr->size(), 4u);
    const QString stored = scalar(QStringLiteral("Select AppPath from LauncherList where AppSEQ="
                                                 "(Select MAX(AppSEQ) from LauncherList)"))
                               .toString();
    EXPECT_EQ(NativePath(stored), native);
    EXPECT_EQ(NativePath(win->LauncherItemArr->back()->AppPath), native);
    EXPECT_TRUE(win->LauncherItemArr->back()->f.Exists());
    // And loaded again from the file, it still names that file.
    LauncherWin* again = loadWindow(0);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->LauncherItemArr->size(), 4u);
    EXPECT_EQ(NativePath(again->LauncherItemArr->back()->AppPath), native);
    EXPECT_TRUE(again->LauncherItemArr->back()->f.Exists());
    ::unlink(native.constData()); // Qt's listing, which the scratch folder's removal uses, skips it
}
