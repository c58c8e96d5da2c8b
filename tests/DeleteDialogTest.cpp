#include "TestSupport.h"

#include "app/StartUpWiring.h"
#include "editor/CloseLauncherAlertWin.h"
#include "editor/EditorControls.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "launcher/TempRunIconWin.h"
#include "platform/Database.h"
#include "shared/AppMedia.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class DeleteDialogTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        makeDatabase();
    }

    // Stored windows 1 and 2 with their items, loaded as at start.
    void addWindows(int itemsOfFirst = 3) {
        for (int uid : {1, 2}) {
            exec(QStringLiteral("Insert Into LauncherWinList(LauncherWinUID, LauncherWinName, "
                                "Width, Left, Top, IconSize, ViewName, ViewTitleMenu, "
                                "ViewBackPanel, TitleTextSize, TransparentValue, WinColor) "
                                "Values (%1, 'Window %1', 400, 0, 0, 48, 1, 1, 1, 12, 0, 0)")
                     .arg(uid));
            const int items = uid == 1 ? itemsOfFirst : 2;
            for (int i = 0; i < items; ++i)
                exec(QStringLiteral("Insert Into LauncherList(LauncherWinUID, AppUID, AppSEQ, "
                                    "AppName, AppPath) Values (%1, %2, %2, 'item', '/nowhere')")
                         .arg(uid)
                         .arg(i));
        }
        loadWindow(1);
    }

    LauncherWin* window(int uid) {
        for (const auto& w : GlobalModule::LauncherWinArr)
            if (w->LauncherWinUID == uid)
                return w.get();
        return nullptr;
    }

    int rows(const char* table, int uid) {
        return scalar(QStringLiteral("Select count(*) from %1 where LauncherWinUID=%2")
                          .arg(QLatin1String(table))
                          .arg(uid))
            .toInt();
    }

    static CloseLauncherAlertWin* dialog() { return CloseLauncherAlertWin::openInstance(); }

    // Window 1 and its rows are all still there.
    void expectUntouched() {
        EXPECT_EQ(rows("LauncherWinList", 1), 1);
        EXPECT_EQ(rows("LauncherList", 1), 3);
        ASSERT_NE(window(1), nullptr);
        EXPECT_EQ(window(1)->LauncherItemArr->size(), 3u);
    }
};

TEST_F(DeleteDialogTest, CaptionsInEachLanguage) {
    const struct {
        const char* language;
        const char* title;
        const char* cancel;
        const char* remove;
    } cases[] = {{"english", "Caution", "Cancel", "Delete"},
                 {"none", "Caution", "Cancel", "Delete"},
                 {"korean", "삭제하기전에 확인하세요~!", "취  소", "확  인"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        GlobalModule::MyPref->Language = QString::fromLatin1(c.language);
        CloseLauncherAlertWin* d = CloseLauncherAlertWin::instance();
        d->Show();
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(d->CancelButton->text(), QString::fromUtf8(c.cancel));
        EXPECT_EQ(d->DeleteButton->text(), QString::fromUtf8(c.remove));
        EXPECT_TRUE(d->DeleteButton->isDefault());
        EXPECT_EQ(d->size(), QSize(300, 266));
        EXPECT_EQ(d->Canvas1->geometry(), QRect(122, 46, 64, 64));
        EXPECT_EQ(d->Canvas1->Backdrop(), AppMedia::CautionIcon());
        EXPECT_FALSE(d->Canvas1->Backdrop().isNull());
        d->close();
    }
}

TEST_F(DeleteDialogTest, QuestionAndCount) {
    const QString cr(QChar(13));
    const struct {
        const char* language;
        const char* name;
        int items;
        QString info;
        QString count;
    } cases[] = {
        {"english", "apple", 0, "Dou you want to Delete " + cr + "\"apple\" Launcher Window?",
         "Item Count" + cr + "0 items"},
        {"english", "one", 1, "Dou you want to Delete " + cr + "\"one\" Launcher Window?",
         "Item Count" + cr + "1 items"},
        {"english", "say \"hi\"", 12,
         "Dou you want to Delete " + cr + "\"say \"hi\"\" Launcher Window?",
         "Item Count" + cr + "12 items"},
        {"korean", "작업", 3, "\"작업\"" + cr + "런쳐 윈도우를 삭제하겠습니까?",
         "아이템 갯수" + cr + "3 개의 아이템"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalModule::MyPref->Language = QString::fromLatin1(c.language);
        LauncherWin w;
        w.LauncherWinName = QString::fromUtf8(c.name);
        w.LauncherWinUID = 7;
        for (int i = 0; i < c.items; ++i)
            w.LauncherItemArr->push_back(std::make_shared<AppListClass>());
        ConnectLauncherWinRequests(w);
        w.CloseMethod();
        CloseLauncherAlertWin* d = dialog();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->SelfWin, &w);
        EXPECT_EQ(d->DeleteLauncherWinUID, 7);
        EXPECT_EQ(d->LauncherWinName, w.LauncherWinName);
        EXPECT_EQ(d->ItemCount, c.items);
        EXPECT_EQ(d->InfoTextValue(), c.info);
        EXPECT_EQ(d->CountTextValue(), c.count);
        // On screen the CR breaks the line.
        EXPECT_EQ(d->InfoText->text(), QString(c.info).replace(cr, QStringLiteral("\n")));
        EXPECT_EQ(d->InfoText->textFormat(), Qt::PlainText);
        d->close();
    }
}

TEST_F(DeleteDialogTest, DeleteRemovesTheRowsAndTheWindow) {
    addWindows();
    QPointer<LauncherWin> w = window(1);
    w->show();
    w->myTempRunIconWin = std::make_unique<TempRunIconWin>();
    w->myTempRunIconWin->show();
    QPointer<TempRunIconWin> popup = w->myTempRunIconWin.get();
    w->CloseMethod();
    CloseLauncherAlertWin* d = dialog();
    EXPECT_EQ(d->ItemCount, 3);
    QTest::mouseClick(d->DeleteButton, Qt::LeftButton);

    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_EQ(rows("LauncherWinList", 1), 0);
    EXPECT_EQ(rows("LauncherList", 1), 0);
    EXPECT_EQ(rows("LauncherList", 2), 2); // other windows are left alone
    EXPECT_EQ(window(1), nullptr);
    ASSERT_NE(window(2), nullptr);
    EXPECT_EQ(dialog(), nullptr);
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(popup->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w);
    EXPECT_FALSE(popup);
    // The next start has no such window.
    loadWindow(2);
    EXPECT_EQ(window(1), nullptr);
}

TEST_F(DeleteDialogTest, ReturnDeletesToo) {
    addWindows();
    window(1)->CloseMethod();
    QTest::keyClick(dialog(), Qt::Key_Return);
    EXPECT_EQ(window(1), nullptr);
    EXPECT_EQ(rows("LauncherWinList", 1), 0);
}

TEST_F(DeleteDialogTest, CancelEscapeAndTheCloseBoxChangeNothing) {
    addWindows();
    const std::function<void(CloseLauncherAlertWin*)> ways[] = {
        [](CloseLauncherAlertWin* d) { QTest::mouseClick(d->CancelButton, Qt::LeftButton); },
        [](CloseLauncherAlertWin* d) { QTest::keyClick(d, Qt::Key_Escape); },
        [](CloseLauncherAlertWin* d) { d->close(); },
    };
    for (const auto& way : ways) {
        window(1)->CloseMethod();
        CloseLauncherAlertWin* d = dialog();
        ASSERT_NE(d, nullptr);
        way(d);
        EXPECT_EQ(dialog(), nullptr);
        expectUntouched();
    }
}

TEST_F(DeleteDialogTest, FailuresLeaveTheDialogOpenForAnotherTry) {
    addWindows();
    window(1)->CloseMethod();
    CloseLauncherAlertWin* d = dialog();

    context->setDatabaseFailures([](const QString& sql) {
        return sql.startsWith(QLatin1String("Delete from LauncherList"));
    });
    d->DeleteMethod();
    EXPECT_EQ(desktop->messages,
              QStringList{"Error Occurred during deleting launcher window Items"});
    EXPECT_EQ(dialog(), d);
    EXPECT_TRUE(d->isVisible());
    expectUntouched();

    // In Korean too, the messages are English.
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    desktop->messages.clear();
    context->setDatabaseFailures([](const QString& sql) {
        return sql.startsWith(QLatin1String("Delete from LauncherWinList"));
    });
    d->DeleteMethod();
    EXPECT_EQ(desktop->messages, QStringList{"Error Occurred during deleting launcher window"});
    EXPECT_EQ(dialog(), d);
    EXPECT_EQ(rows("LauncherWinList", 1), 1);
    EXPECT_EQ(rows("LauncherList", 1), 3); // the items stay with their window
    ASSERT_NE(window(1), nullptr);
    EXPECT_EQ(window(1)->LauncherItemArr->size(), 3u);

    context->setDatabaseFailures({});
    d->DeleteMethod();
    EXPECT_EQ(window(1), nullptr);
    EXPECT_EQ(rows("LauncherWinList", 1), 0);
}

TEST_F(DeleteDialogTest, WithoutAConnectionNothingHappens) {
    addWindows();
    window(1)->CloseMethod();
    GlobalModule::GlobalDB.reset();
    context->setDatabaseFailures(
        [](const QString& sql) { return sql == QLatin1String("CONNECT"); });
    dialog()->DeleteMethod();
    context->setDatabaseFailures({});
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_NE(dialog(), nullptr);
    expectUntouched();
}

TEST_F(DeleteDialogTest, AnOpenDialogIsTurnedToAnotherWindow) {
    addWindows();
    window(1)->CloseMethod();
    CloseLauncherAlertWin* d = dialog();
    window(2)->CloseMethod();
    EXPECT_EQ(dialog(), d);
    EXPECT_EQ(d->DeleteLauncherWinUID, 2);
    EXPECT_EQ(d->CountTextValue(), QStringLiteral("Item Count\r2 items"));
    EXPECT_TRUE(d->InfoTextValue().contains(QStringLiteral("\"Window 2\"")));
    d->DeleteMethod();
    EXPECT_EQ(window(2), nullptr);
    expectUntouched();
}

TEST_F(DeleteDialogTest, AWindowNoLongerListedOnlyLosesItsRows) {
    addWindows();
    LauncherWin outside;
    outside.LauncherWinUID = 2;
    outside.LauncherWinName = QStringLiteral("Window 2");
    ConnectLauncherWinRequests(outside);
    outside.CloseMethod();
    // Window 2 is no longer in the list when Delete is pressed.
    GlobalModule::LauncherWinArr.erase(GlobalModule::LauncherWinArr.begin() + 2);
    dialog()->DeleteMethod();
    EXPECT_EQ(rows("LauncherWinList", 2), 0);
    EXPECT_EQ(rows("LauncherList", 2), 0);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 2u);
    expectUntouched();
}

TEST_F(DeleteDialogTest, ALongNameWrapsAndTheDialogGrowsToShowIt) {
    const QString words = QStringLiteral("A very long launcher window name ").repeated(6);
    const QString unbroken = QStringLiteral("x").repeated(200);
    int shortHeight = 0;
    for (const QString& name : {QStringLiteral("apple"), words, unbroken}) {
        SCOPED_TRACE(name.left(20).toStdString());
        LauncherWin w;
        w.LauncherWinName = name;
        ConnectLauncherWinRequests(w);
        w.CloseMethod();
        CloseLauncherAlertWin* d = dialog();
        ASSERT_NE(d, nullptr);
        QLabel* info = d->InfoText;
        // The whole question fits in the label, the label in the dialog, above the count.
        EXPECT_GE(info->height(), info->heightForWidth(info->width()));
        const QRect needed = info->fontMetrics().boundingRect(
            QRect(0, 0, info->width(), 10000), Qt::TextWordWrap | Qt::AlignHCenter, info->text());
        EXPECT_LE(needed.width(), info->width());
        EXPECT_LE(needed.height(), info->height());
        EXPECT_LE(info->geometry().bottom(), d->CountText->y());
        EXPECT_LE(d->CountText->geometry().bottom(), d->DeleteButton->y());
        EXPECT_LE(d->DeleteButton->geometry().bottom(), d->height());
        if (name == QLatin1String("apple"))
            shortHeight = d->height();
        else
            EXPECT_GT(d->height(), shortHeight);
        d->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(shortHeight, 266);
}
