#include "TestSupport.h"

#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/FolderItem.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

class EditorSaveTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        makeDatabase();
    }

    // A new-window editor with a name typed in (so the form has changed).
    NewLauncherWin* newEditor(const QString& name = QStringLiteral("Tools")) {
        NewLauncherWin* w = NewLauncherWin::instance();
        w->Show();
        w->NameField->setText(name);
        w->MarkChangedMethod();
        return w;
    }

    // A stored window of the given items, loaded, with its editor open on it.
    NewLauncherWin* editEditor(const QStringList& names, LauncherWin** window = nullptr) {
        exec(QStringLiteral("Insert Into LauncherWinList(LauncherWinUID, LauncherWinName, Width, "
                            "Left, Top, IconSize, ViewName, ViewTitleMenu, ViewBackPanel, "
                            "TitleTextSize, TransparentValue, WinColor) "
                            "Values (3, 'Old', 500, 30, 40, 48, 1, 1, 1, 12, 50, 0)"));
        Database* db = GlobalModule::DBConnectMethod();
        for (int i = 0; i < names.size(); ++i) {
            const FolderItem f(writeApp(names[i].toLower() + QStringLiteral(".desktop"), names[i]));
            DatabaseRecord rec;
            rec.IntegerColumn(QStringLiteral("LauncherWinUID"), 3);
            rec.IntegerColumn(QStringLiteral("AppUID"), 10 + i);
            rec.IntegerColumn(QStringLiteral("AppSEQ"), 20 + i);
            rec.Column(QStringLiteral("AppName"), f.DisplayName());
            rec.Column(QStringLiteral("AppPath"), f.AbsolutePath());
            rec.Column(QStringLiteral("Icon"),
                       GlobalModule::StoredIconText(
                           GlobalModule::GetIconImageMethod(f, 128, QStringLiteral("icon"))));
            rec.Column(QStringLiteral("IconMask"),
                       GlobalModule::StoredIconText(
                           GlobalModule::GetIconImageMethod(f, 128, QStringLiteral("mask"))));
            db->InsertRecord(QStringLiteral("LauncherList"), rec);
        }
        LauncherWin* lw = loadWindow(3);
        EXPECT_NE(lw, nullptr);
        if (window)
            *window = lw;
        lw->EditLauncherWinMethod();
        NewLauncherWin* w = NewLauncherWin::openInstance();
        w->MarkChangedMethod();
        return w;
    }

    // The stored items of a window as "name:AppUID:AppSEQ", in AppSEQ order.
    QStringList storedItems(int uid) {
        QStringList out;
        auto rs = GlobalModule::DBConnectMethod()->SQLSelect(
            QStringLiteral("Select * from LauncherList where LauncherWinUID=%1 order by AppSEQ")
                .arg(uid));
        while (rs && !rs->Eof()) {
            out << QStringLiteral("%1:%2:%3")
                       .arg(rs->Field(QStringLiteral("AppName")).StringValue())
                       .arg(rs->Field(QStringLiteral("AppUID")).IntegerValue())
                       .arg(rs->Field(QStringLiteral("AppSEQ")).IntegerValue());
            rs->MoveNext();
        }
        return out;
    }

    QVariant column(int uid, const char* name) {
        return scalar(QStringLiteral("Select %1 from LauncherWinList where LauncherWinUID=%2")
                          .arg(QLatin1String(name))
                          .arg(uid));
    }

    int windowRows() {
        return scalar(QStringLiteral("Select count(*) from LauncherWinList")).toInt();
    }

    void failOn(const QString& start) {
        context->setDatabaseFailures([start](const QString& sql) { return sql.startsWith(start); });
    }

    static bool isOpen(NewLauncherWin* w) {
        return NewLauncherWin::openInstance() == w && w->isVisible();
    }
};

TEST_F(EditorSaveTest, NewWindowNumbers) {
    const struct {
        std::vector<int> existing;
        int expected;
    } cases[] = {{{}, 1}, {{0}, 1}, {{0, 5}, 6}};
    for (const auto& c : cases) {
        exec(QStringLiteral("Delete from LauncherWinList"));
        for (int uid : c.existing)
            exec(QStringLiteral(
                     "Insert Into LauncherWinList(LauncherWinUID, LauncherWinName, WinColor) "
                     "Values (%1, 'x', 0)")
                     .arg(uid));
        NewLauncherWin* w = newEditor();
        EXPECT_EQ(w->GetMaxLauncherWinUIDMethod(*GlobalModule::DBConnectMethod()), c.expected);
        w->close();
    }
}

TEST_F(EditorSaveTest, NewWindowOrigin) {
    EXPECT_EQ(NewLauncherWin::NewWindowOrigin(QSize(1024, 768)), QPoint(312, 352));
    EXPECT_EQ(NewLauncherWin::NewWindowOrigin(QSize(1280, 1024)), QPoint(440, 480));
}

TEST_F(EditorSaveTest, SavingANewWindow) {
    const QString a = writeApp("a.desktop", "Alpha", Qt::red);
    const QString b = writeApp("b.desktop", "Beta", Qt::blue);
    NewLauncherWin* w = newEditor(QStringLiteral("  Tools  "));
    w->DropAppMethod(FolderItem(a));
    w->DropAppMethod(FolderItem(b));
    w->IconSizeRAdioButton[2]->setChecked(true);
    w->ViewNameCheckbox->setChecked(false);
    w->ViewTitleMenuCheckbox->setChecked(false);
    w->TransValuePopupMenu->setCurrentIndex(7); // "10%"
    w->ColorRectangle->setFillColor(QColor(0x12, 0x34, 0x56));
    w->OKButton_Action();

    EXPECT_TRUE(desktop->messages.isEmpty())
        << desktop->messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(w->isVisible());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QPoint origin = NewLauncherWin::NewWindowOrigin(screen);
    EXPECT_EQ(column(1, "LauncherWinName").toString(), QStringLiteral("Tools"));
    EXPECT_EQ(column(1, "Width").toInt(), 400);
    EXPECT_EQ(column(1, "Left").toInt(), origin.x());
    EXPECT_EQ(column(1, "Top").toInt(), origin.y());
    EXPECT_EQ(column(1, "IconSize").toInt(), 64);
    EXPECT_EQ(column(1, "ViewName").toInt(), 0);
    EXPECT_EQ(column(1, "ViewTitleMenu").toInt(), 0);
    EXPECT_EQ(column(1, "ViewBackPanel").toInt(), 1);
    EXPECT_EQ(column(1, "TitleTextSize").toInt(), 14);
    EXPECT_EQ(column(1, "TransparentValue").toInt(), 10);
    EXPECT_EQ(column(1, "WinColor").toLongLong(), 0x123456);
    EXPECT_EQ(storedItems(1), QStringList({"Alpha:0:1", "Beta:1:2"}));
    EXPECT_EQ(scalar(QStringLiteral("Select AppPath from LauncherList where AppUID=1")).toString(),
              FolderItem(b).AbsolutePath());

    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    LauncherWin* lw = GlobalModule::LauncherWinArr.back().get();
    EXPECT_EQ(lw->LauncherWinName, QStringLiteral("Tools"));
    EXPECT_EQ(lw->LauncherWinUID, 1);
    EXPECT_EQ(lw->IconSize, 64);
    EXPECT_FALSE(lw->ViewName);
    EXPECT_FALSE(lw->ViewTitleMenu);
    EXPECT_TRUE(lw->ViewBackPanel);
    EXPECT_EQ(lw->TitleTextSize, 14);
    EXPECT_EQ(lw->TransparentValue, 10);
    EXPECT_EQ(lw->WinColor, 0x123456);
    EXPECT_EQ(lw->Left(), origin.x());
    EXPECT_EQ(lw->Top(), origin.y());
    EXPECT_NEAR(lw->windowOpacity(), 0.9, 0.01);
    // The window read its items back from the rows just written.
    ASSERT_EQ(lw->LauncherItemArr->size(), 2u);
    EXPECT_EQ((*lw->LauncherItemArr)[1]->AppName, QStringLiteral("Beta"));
    EXPECT_EQ((*lw->LauncherItemArr)[1]->AppUID, 1);
    EXPECT_FALSE(lw->pic.isNull());
}

TEST_F(EditorSaveTest, EachIconSizeButtonInBothModes) {
    const int sizes[4] = {32, 48, 64, 100};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sizes[i]);
        NewLauncherWin* w = newEditor();
        w->IconSizeRAdioButton[size_t(i)]->setChecked(true);
        w->NewMethod();
        EXPECT_EQ(scalar(QStringLiteral("Select IconSize from LauncherWinList order by "
                                        "LauncherWinUID desc"))
                      .toInt(),
                  sizes[i]);
    }
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sizes[i]);
        LauncherWin* lw = GlobalModule::LauncherWinArr.front().get();
        lw->EditLauncherWinMethod();
        NewLauncherWin* w = NewLauncherWin::openInstance();
        w->IconSizeRAdioButton[size_t(i)]->setChecked(true);
        w->MarkChangedMethod();
        w->NewMethod();
        EXPECT_EQ(column(lw->LauncherWinUID, "IconSize").toInt(), sizes[i]);
        EXPECT_EQ(lw->IconSize, sizes[i]);
    }
}

TEST_F(EditorSaveTest, TransparencyIsTheNumberOfThePopupItem) {
    const struct {
        int index;
        int stored;
    } cases[] = {{0, 80}, {7, 10}, {8, 0}};
    int uid = 0;
    for (const auto& c : cases) {
        NewLauncherWin* w = newEditor();
        w->TransValuePopupMenu->setCurrentIndex(c.index);
        w->NewMethod();
        EXPECT_EQ(column(++uid, "TransparentValue").toInt(), c.stored) << c.index;
    }
}

TEST_F(EditorSaveTest, AnEmptyListAlwaysShowsTheBandAndThePanel) {
    NewLauncherWin* w = newEditor();
    w->ViewTitleMenuCheckbox->setChecked(false);
    w->ViewBackpanelCheckbox->setChecked(false);
    w->NewMethod();
    EXPECT_EQ(column(1, "ViewTitleMenu").toInt(), 1);
    EXPECT_EQ(column(1, "ViewBackPanel").toInt(), 1);
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    EXPECT_TRUE(GlobalModule::LauncherWinArr[0]->ViewTitleMenu);
}

TEST_F(EditorSaveTest, NothingHappensWithoutAChangeOrAConnection) {
    NewLauncherWin* w = NewLauncherWin::instance();
    w->Show();
    w->NameField->setText(QStringLiteral("Tools")); // set by code: not a change
    w->NewMethod();
    EXPECT_TRUE(isOpen(w));
    EXPECT_EQ(windowRows(), 1);
    EXPECT_TRUE(desktop->messages.isEmpty());

    w->MarkChangedMethod();
    GlobalModule::GlobalDB.reset();
    failOn(QStringLiteral("CONNECT"));
    w->NewMethod();
    context->setDatabaseFailures({});
    EXPECT_TRUE(isOpen(w));
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_EQ(windowRows(), 1);
}

TEST_F(EditorSaveTest, ABlankNameIsRefused) {
    for (const char* language : {"english", "korean"}) {
        GlobalModule::MyPref->Language = QString::fromLatin1(language);
        desktop->messages.clear();
        NewLauncherWin* w = newEditor(QStringLiteral("   "));
        w->CancelButton->setFocus();
        w->NewMethod();
        EXPECT_EQ(desktop->messages,
                  QStringList{GlobalModule::IsKorean()
                                  ? QStringLiteral("새로운 런쳐윈도우의 이름을 넣으세요.")
                                  : QStringLiteral("Please Enter New Launcher Window Name")});
        EXPECT_EQ(w->focusWidget(), w->NameField);
        EXPECT_TRUE(isOpen(w));
        EXPECT_EQ(windowRows(), 1);
        w->close();
    }
}

TEST_F(EditorSaveTest, DatabaseFailuresAreReportedAndTheDialogStays) {
    const struct {
        const char* failing;
        bool edit;
        const char* english;
        const char* korean;
    } cases[] = {
        {"Select MAX(LauncherWinUID)", false, "Get Max UID Error~!", "Get Max UID Error~!"},
        {"INSERT INTO \"LauncherWinList\"", false, "Add LauncherWin to Database Error~!",
         "새로운 런쳐 윈도우 생성중 데이타베이스 에러~!"},
        {"Delete from LauncherList", false, "Delete Launcher ITem Error~!",
         "아이템 등록 중 기존 정보 삭제시 데이타베이스 에러~!"},
        {"Select * from LauncherWinList", true, "Edit Launcher Win Info Error~!",
         "런쳐윈도우 정보 수정중 쿼리 및 데이타베이스 에러~!"},
        {"UPDATE \"LauncherWinList\" SET \"LauncherWinName\"", true,
         "Edit Launcher Win Info Error~!", "런쳐윈도우 정보 수정중 쿼리 및 데이타베이스 에러~!"},
        {"Delete from LauncherList", true, "Delete Launcher ITem Error~!",
         "아이템 등록 중 기존 정보 삭제시 데이타베이스 에러~!"},
    };
    for (const char* language : {"english", "korean"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(language) + " " + c.failing);
            GlobalModule::MyPref->Language = QString::fromLatin1(language);
            exec(QStringLiteral("Delete from LauncherWinList where LauncherWinUID<>0"));
            exec(QStringLiteral("Delete from LauncherList"));
            GlobalModule::LauncherWinArr.clear();
            desktop->messages.clear();
            NewLauncherWin* w = c.edit ? editEditor({"Alpha"}) : newEditor(QStringLiteral("Fresh"));
            w->NameField->setText(QStringLiteral("Renamed"));
            const size_t windows = GlobalModule::LauncherWinArr.size();
            failOn(QString::fromUtf8(c.failing));
            w->NewMethod();
            context->setDatabaseFailures({});
            EXPECT_EQ(desktop->messages, QStringList{QString::fromUtf8(
                                             GlobalModule::IsKorean() ? c.korean : c.english)});
            EXPECT_TRUE(isOpen(w));
            EXPECT_EQ(GlobalModule::LauncherWinArr.size(), windows);
            if (c.edit) {
                // What the update did not write is not shown as saved.
                EXPECT_EQ(GlobalModule::LauncherWinArr.back()->LauncherWinName,
                          QStringLiteral("Old"));
            } else {
                EXPECT_EQ(windowRows(), 1); // no row without its window
            }
            w->close();
        }
    }
}

TEST_F(EditorSaveTest, ARetryAfterAFailedItemRewriteMakesOneWindow) {
    NewLauncherWin* w = newEditor();
    w->DropAppMethod(FolderItem(writeApp("a.desktop", "Alpha")));
    failOn(QStringLiteral("Delete from LauncherList"));
    w->NewMethod();
    context->setDatabaseFailures({});
    EXPECT_TRUE(isOpen(w));
    w->NewMethod();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(windowRows(), 2);
    EXPECT_EQ(column(1, "LauncherWinName").toString(), QStringLiteral("Tools"));
    EXPECT_EQ(storedItems(1), QStringList{"Alpha:0:1"});
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
}

TEST_F(EditorSaveTest, OneFailedItemDoesNotStopTheOthers) {
    NewLauncherWin* w = newEditor();
    for (const char* n : {"Alpha", "Beta", "Gamma"})
        w->DropAppMethod(FolderItem(
            writeApp(QString::fromLatin1(n) + QStringLiteral(".desktop"), QString::fromLatin1(n))));
    int inserts = 0;
    context->setDatabaseFailures([&inserts](const QString& sql) {
        return sql.startsWith(QLatin1String("INSERT INTO \"LauncherList\"")) && ++inserts == 2;
    });
    w->NewMethod();
    context->setDatabaseFailures({});
    EXPECT_EQ(desktop->messages, QStringList{"Beta add error~!"});
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(storedItems(1), QStringList({"Alpha:0:1", "Gamma:2:3"}));
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    EXPECT_EQ(GlobalModule::LauncherWinArr[0]->LauncherItemArr->size(), 2u);
}

TEST_F(EditorSaveTest, EditingRewritesTheRowAndTheItemsInListOrder) {
    LauncherWin* lw = nullptr;
    NewLauncherWin* w = editEditor({"Alpha", "Beta", "Gamma", "Delta"}, &lw);
    const QPoint place = lw->pos();
    const int width = lw->Width();
    w->NameField->setText(QStringLiteral(" New Name "));
    w->TransValuePopupMenu->setCurrentIndex(8);
    w->IconSizeRAdioButton[0]->setChecked(true);
    w->ColorRectangle->setFillColor(QColor(0xFF, 0x80, 0x00));
    w->AppListBox->setSelected(3, true);
    w->AppListBox_DragReorderRows(0, -1);
    w->DropAppMethod(FolderItem(writeApp("eps.desktop", "Epsilon")));
    w->OKButton_Action();

    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(windowRows(), 2);
    EXPECT_EQ(column(3, "LauncherWinName").toString(), QStringLiteral("New Name"));
    EXPECT_EQ(column(3, "IconSize").toInt(), 32);
    EXPECT_EQ(column(3, "TransparentValue").toInt(), 0);
    EXPECT_EQ(column(3, "WinColor").toLongLong(), 0xFF8000);
    // Untouched by the editor.
    EXPECT_EQ(column(3, "Width").toInt(), 500);
    EXPECT_EQ(column(3, "Left").toInt(), 30);
    EXPECT_EQ(column(3, "Top").toInt(), 40);
    EXPECT_EQ(column(3, "TitleTextSize").toInt(), 12);
    EXPECT_EQ(storedItems(3),
              QStringList({"Delta:0:1", "Alpha:1:2", "Beta:2:3", "Gamma:3:4", "Epsilon:4:5"}));
    // The same window, refreshed in place.
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 2u); // "apple" and this one
    EXPECT_EQ(GlobalModule::LauncherWinArr[1].get(), lw);
    EXPECT_EQ(lw->LauncherWinName, QStringLiteral("New Name"));
    EXPECT_EQ(lw->IconSize, 32);
    EXPECT_EQ(lw->TitleTextSize, 14);
    EXPECT_NEAR(lw->windowOpacity(), 1.0, 0.01);
    EXPECT_EQ(lw->pos(), place);
    EXPECT_EQ(lw->Width(), width);
    ASSERT_EQ(lw->LauncherItemArr->size(), 5u);
    EXPECT_EQ((*lw->LauncherItemArr)[0]->AppName, QStringLiteral("Delta"));
    EXPECT_EQ((*lw->LauncherItemArr)[4]->AppUID, 4);
}

TEST_F(EditorSaveTest, RemovingFromASavedWindowDeletesThatItemsRowByItsNumber) {
    // Saved through the editor, an item's number and sequence number differ (0 and 1, ...).
    LauncherWin* lw = nullptr;
    NewLauncherWin* w = editEditor({"Alpha", "Beta", "Gamma"}, &lw);
    w->OKButton_Action();
    ASSERT_EQ(storedItems(3), QStringList({"Alpha:0:1", "Beta:1:2", "Gamma:2:3"}));
    lw->CurrSelAppIndex = 1; // Beta: number 1, sequence number 2 (Gamma's number)
    lw->RemoveItemMethod();
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_EQ(storedItems(3), QStringList({"Alpha:0:1", "Gamma:2:3"}));
    // Loaded again, the window holds what remains.
    lw = loadWindow(3);
    ASSERT_NE(lw, nullptr);
    QStringList names;
    for (const auto& item : *lw->LauncherItemArr)
        names << item->AppName;
    EXPECT_EQ(names, QStringList({"Alpha", "Gamma"}));
}

TEST_F(EditorSaveTest, SavingAnEmptiedListDeletesTheItems) {
    NewLauncherWin* w = editEditor({"Alpha", "Beta"});
    for (int r = 0; r < 2; ++r)
        w->AppListBox->setSelected(r, true);
    w->AppListBox_KeyDown(QString(QChar(8)));
    w->NewMethod();
    EXPECT_TRUE(storedItems(3).isEmpty());
    EXPECT_EQ(column(3, "ViewTitleMenu").toInt(), 1);
}

TEST_F(EditorSaveTest, AWindowDeletedMeanwhileIsNotWrittenAgain) {
    NewLauncherWin* w = editEditor({"Alpha"});
    exec(QStringLiteral("Delete from LauncherWinList where LauncherWinUID=3"));
    exec(QStringLiteral("Delete from LauncherList where LauncherWinUID=3"));
    w->NewMethod();
    EXPECT_EQ(desktop->messages, QStringList{"Edit Launcher Win Info Error~!"});
    EXPECT_TRUE(isOpen(w));
    EXPECT_TRUE(storedItems(3).isEmpty());
}

TEST_F(EditorSaveTest, AnItemWhoseFileIsGoneKeepsItsNameAndIcon) {
    LauncherWin* lw = nullptr;
    NewLauncherWin* w = editEditor({"Alpha", "Beta"}, &lw);
    const QString path = (*lw->LauncherItemArr)[1]->AppPath;
    const QImage before = (*lw->LauncherItemArr)[1]->Icon.picture();
    ASSERT_TRUE(QFile::remove(path));
    w->NewMethod();
    EXPECT_EQ(storedItems(3), QStringList({"Alpha:0:1", "Beta:1:2"}));
    EXPECT_EQ(scalar(QStringLiteral("Select AppPath from LauncherList where AppUID=1")).toString(),
              path);
    const QImage after = (*lw->LauncherItemArr)[1]->Icon.picture();
    ASSERT_FALSE(after.isNull());
    // Beta's icon is solid red; a generic file icon would not be.
    const QRgb p = after.pixel(64, 64);
    EXPECT_GT(qRed(p), 200);
    EXPECT_LT(qGreen(p), 60);
    EXPECT_EQ(qRed(before.pixel(64, 64)) > 200, true);
}

TEST_F(EditorSaveTest, PathsAreStoredExactlyAsGiven) {
    const QString folder = scratch(QStringLiteral("한글 폴더/ünï"));
    writeFile(folder + QStringLiteral("/문서.txt"), "x");
    NewLauncherWin* w = newEditor();
    w->DropAppMethod(FolderItem(folder + QStringLiteral("/문서.txt")));
    w->NewMethod();
    EXPECT_EQ(scalar(QStringLiteral("Select AppPath from LauncherList where LauncherWinUID=1"))
                  .toString(),
              QDir::cleanPath(folder + QStringLiteral("/문서.txt")));
    EXPECT_EQ(scalar(QStringLiteral("Select AppName from LauncherList where LauncherWinUID=1"))
                  .toString(),
              QStringLiteral("문서.txt"));
}

TEST_F(EditorSaveTest, TwoWindowsMayShareAName) {
    newEditor(QStringLiteral("Same"))->NewMethod();
    newEditor(QStringLiteral("Same"))->NewMethod();
    EXPECT_EQ(
        scalar(QStringLiteral("Select count(*) from LauncherWinList where LauncherWinName='Same'"))
            .toInt(),
        2);
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 2u);
}

TEST_F(EditorSaveTest, ASaveThatFailsMidwayLeavesTheOldWindowWhole) {
    const struct {
        const char* failing;
        int nth;  // which statement of that kind fails
        int code; // the engine's error code
        const char* message;
    } cases[] = {
        {"Delete from LauncherList", 1, 1, "Delete Launcher ITem Error~!"},
        {"INSERT INTO \"LauncherList\"", 2, 13, "Edit Launcher Win Info Error~!"}, // disk full
        {"COMMIT", 1, 10, "Edit Launcher Win Info Error~!"},                       // I/O error
        {"BEGIN IMMEDIATE", 1, 5, "Edit Launcher Win Info Error~!"}, // another program's lock
    };
    const QStringList before = {"Alpha:10:20", "Beta:11:21", "Gamma:12:22"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        exec(QStringLiteral("Delete from LauncherWinList where LauncherWinUID<>0"));
        exec(QStringLiteral("Delete from LauncherList"));
        GlobalModule::LauncherWinArr.clear();
        desktop->messages.clear();
        NewLauncherWin* w = editEditor({"Alpha", "Beta", "Gamma"});
        ASSERT_EQ(storedItems(3), before);
        w->NameField->setText(QStringLiteral("Renamed"));
        const QString failing = QString::fromLatin1(c.failing);
        auto seen = std::make_shared<int>(0);
        context->setDatabaseFailures([=](const QString& sql) {
            return sql.startsWith(failing) && ++*seen == c.nth ? c.code : 0;
        });
        w->NewMethod();
        context->setDatabaseFailures({});
        EXPECT_EQ(desktop->messages, QStringList{QString::fromLatin1(c.message)});
        EXPECT_TRUE(isOpen(w));
        // Nothing of the change is stored: the old row and every old item.
        EXPECT_EQ(column(3, "LauncherWinName").toString(), QStringLiteral("Old"));
        EXPECT_EQ(storedItems(3), before);
        w->close();
    }
}
