#include "TestSupport.h"

#include "app/App.h"
#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "shared/AppMedia.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

namespace {
struct WindowRow {
    int uid = 1;
    QString name = QStringLiteral("Work");
    int iconSize = 48;
    bool viewName = true;
    bool viewTitleMenu = true;
    bool viewBackPanel = true;
    int transparency = 20;
    qint64 color = 0x112233;
    QStringList files;
};
} // namespace

class EditorDialogTest : public AppTest {
protected:
    // A new database's window of these files, its editor open.
    std::pair<LauncherWin*, NewLauncherWin*> editedWindow(const QStringList& files) {
        makeDatabase();
        WindowRow row;
        row.files = files;
        LauncherWin* lw = addWindow(row);
        lw->EditLauncherWinMethod();
        return {lw, NewLauncherWin::openInstance()};
    }

    // A window row with its items as the database holds them, loaded as at start.
    LauncherWin* addWindow(const WindowRow& r) {
        Database* db = GlobalModule::DBConnectMethod();
        EXPECT_NE(db, nullptr);
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), r.uid);
        rec.Column(QStringLiteral("LauncherWinName"), r.name);
        rec.IntegerColumn(QStringLiteral("Width"), 400);
        rec.IntegerColumn(QStringLiteral("Left"), 10);
        rec.IntegerColumn(QStringLiteral("Top"), 20);
        rec.IntegerColumn(QStringLiteral("IconSize"), r.iconSize);
        rec.BooleanColumn(QStringLiteral("ViewName"), r.viewName);
        rec.BooleanColumn(QStringLiteral("ViewTitleMenu"), r.viewTitleMenu);
        rec.BooleanColumn(QStringLiteral("ViewBackPanel"), r.viewBackPanel);
        rec.IntegerColumn(QStringLiteral("TitleTextSize"), 12);
        rec.IntegerColumn(QStringLiteral("TransparentValue"), r.transparency);
        rec.IntegerColumn(QStringLiteral("WinColor"), r.color);
        db->InsertRecord(QStringLiteral("LauncherWinList"), rec);
        EXPECT_FALSE(db->Error());
        for (int i = 0; i < r.files.size(); ++i) {
            const FolderItem f(r.files[i]);
            DatabaseRecord item;
            item.IntegerColumn(QStringLiteral("LauncherWinUID"), r.uid);
            item.IntegerColumn(QStringLiteral("AppUID"), i);
            item.IntegerColumn(QStringLiteral("AppSEQ"), i);
            item.Column(QStringLiteral("AppName"), f.DisplayName());
            item.Column(QStringLiteral("AppPath"), f.AbsolutePath());
            item.Column(QStringLiteral("Icon"),
                        GlobalModule::StoredIconText(
                            GlobalModule::GetIconImageMethod(f, 128, QStringLiteral("icon"))));
            item.Column(QStringLiteral("IconMask"),
                        GlobalModule::StoredIconText(
                            GlobalModule::GetIconImageMethod(f, 128, QStringLiteral("mask"))));
            db->InsertRecord(QStringLiteral("LauncherList"), item);
            EXPECT_FALSE(db->Error());
        }
        return loadWindow(r.uid);
    }

    QStringList apps(const QStringList& names) {
        QStringList paths;
        for (const QString& n : names)
            paths << writeApp(n.toLower() + QStringLiteral(".desktop"), n);
        return paths;
    }

    static NewLauncherWin* openEditor() {
        NewLauncherWin* w = NewLauncherWin::instance();
        w->Show();
        return w;
    }

    // The names the rows show, top to bottom.
    static QStringList rowNames(NewLauncherWin* w) {
        QStringList names;
        ItemListModel* m = w->AppListBox->listModel();
        for (int r = 0; r < m->rowCount(); ++r)
            names << m->index(r, 2).data().toString();
        return names;
    }

    // Row r shows element r of the array, and there are as many rows as elements.
    static void expectRowsMatchArray(NewLauncherWin* w) {
        const AppListArray& arr = w->LauncherItemArr()->items();
        ItemListModel* m = w->AppListBox->listModel();
        ASSERT_EQ(m->rowCount(), int(arr.size()));
        for (int r = 0; r < m->rowCount(); ++r) {
            EXPECT_EQ(m->index(r, 0).data().toString(), QString::number(r + 1));
            EXPECT_EQ(m->index(r, 2).data().toString(), arr[size_t(r)]->AppName);
            EXPECT_EQ(m->index(r, 3).data().toString(), arr[size_t(r)]->NewOldValue);
        }
    }
};

TEST_F(EditorDialogTest, EnglishLayoutOfANewDialog) {
    for (const char* language : {"english", "none"}) {
        SCOPED_TRACE(language);
        GlobalModule::MyPref->Language = QString::fromLatin1(language);
        NewLauncherWin* w = openEditor();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Setting"));
        EXPECT_EQ(w->size(), QSize(344, 448));
        EXPECT_EQ(w->TitleText->text(), QStringLiteral("Launcher Win Title"));
        EXPECT_EQ(w->IconSizeGroupBox->title(), QStringLiteral("Icon Size"));
        EXPECT_EQ(w->ViewTitleMenuCheckbox->text(), QStringLiteral("View Title&&Menu"));
        EXPECT_EQ(w->ViewNameCheckbox->text(), QStringLiteral("View Item Name"));
        EXPECT_EQ(w->ViewBackpanelCheckbox->text(), QStringLiteral("View BackPanel"));
        EXPECT_EQ(w->TransparentText->text(), QStringLiteral("Transparent"));
        EXPECT_EQ(w->CancelButton->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(w->OKButton->text(), QStringLiteral("OK"));
        EXPECT_EQ(w->ColorText->text(), QStringLiteral("Color"));
        EXPECT_EQ(w->CountText->text(), QStringLiteral("0 Items"));
        EXPECT_TRUE(w->OKButton->isDefault());
        // Text sizes are pixels.
        EXPECT_EQ(w->TitleText->font().pixelSize(), 12);
        EXPECT_EQ(w->ViewNameCheckbox->font().pixelSize(), 11);
        EXPECT_EQ(w->AppListBox->geometry(), QRect(9, 120, 326, 286));
        EXPECT_EQ(w->OKButton->geometry(), QRect(244, 418, 80, 20));
        // The form starts as the layout has it, unchanged.
        EXPECT_EQ(w->Status, QStringLiteral("new"));
        EXPECT_FALSE(w->EditValue);
        EXPECT_FALSE(w->EditCanvas->isVisible());
        EXPECT_EQ(w->EditCanvas->Backdrop(), AppMedia::YellowHueBlob());
        EXPECT_TRUE(w->NameField->text().isEmpty());
        EXPECT_EQ(w->SelectedIconSize(), 48);
        EXPECT_TRUE(w->ViewNameCheckbox->isChecked());
        EXPECT_TRUE(w->ViewTitleMenuCheckbox->isChecked());
        EXPECT_TRUE(w->ViewBackpanelCheckbox->isChecked());
        EXPECT_EQ(w->ColorRectangle->FillColor(), QColor(0x03, 0x6D, 0x20));
        EXPECT_EQ(w->AppListBox->ListCount(), 0);
        QStringList items;
        for (int i = 0; i < w->TransValuePopupMenu->count(); ++i)
            items << w->TransValuePopupMenu->itemText(i);
        EXPECT_EQ(items,
                  QStringList({"80%", "70%", "60%", "50%", "40%", "30%", "20%", "10%", " 0 %"}));
        w->close();
    }
}

TEST_F(EditorDialogTest, KoreanCaptions) {
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    NewLauncherWin* w = openEditor();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("런쳐윈도우 셋팅하기"));
    EXPECT_EQ(w->TitleText->text(), QStringLiteral("런쳐윈도우 제목"));
    EXPECT_EQ(w->IconSizeGroupBox->title(), QStringLiteral("아이콘 사이즈"));
    EXPECT_EQ(w->ViewTitleMenuCheckbox->text(), QStringLiteral("제목&&메뉴 아이콘 보기"));
    EXPECT_EQ(w->ViewNameCheckbox->text(), QStringLiteral("아이템 이름 보기"));
    EXPECT_EQ(w->ViewBackpanelCheckbox->text(), QStringLiteral("투명 배경 화면 보기"));
    EXPECT_EQ(w->TransparentText->text(), QStringLiteral("투명도설정"));
    EXPECT_EQ(w->CancelButton->text(), QStringLiteral("취  소"));
    EXPECT_EQ(w->OKButton->text(), QStringLiteral("확  인"));
    // These stay English.
    EXPECT_EQ(w->ColorText->text(), QStringLiteral("Color"));
    EXPECT_EQ(w->IconSizeRAdioButton[3]->text(), QStringLiteral("100"));
    EXPECT_EQ(w->TransValuePopupMenu->itemText(8), QStringLiteral(" 0 %"));
}

TEST_F(EditorDialogTest, DefaultTransparencySelectsThePopupItem) {
    const struct {
        int value;
        const char* shown;
    } cases[] = {{20, "20%"}, {0, " 0 %"}, {80, "80%"}, {10, "10%"}, {35, "80%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        GlobalModule::MyPref->TransparentValue = c.value;
        NewLauncherWin* w = openEditor();
        EXPECT_EQ(w->TransValuePopupMenu->currentText(), QString::fromLatin1(c.shown));
        EXPECT_FALSE(w->EditValue);
        w->close();
    }
}

TEST_F(EditorDialogTest, EveryChangeByTheUserMarksTheForm) {
    const struct {
        const char* name;
        std::function<void(NewLauncherWin*)> change;
    } cases[] = {
        {"typing a name", [](NewLauncherWin* w) { QTest::keyClicks(w->NameField, "x"); }},
        {"item names",
         [](NewLauncherWin* w) { QTest::mouseClick(w->ViewNameCheckbox, Qt::LeftButton); }},
        {"title band",
         [](NewLauncherWin* w) { QTest::mouseClick(w->ViewTitleMenuCheckbox, Qt::LeftButton); }},
        {"backpanel",
         [](NewLauncherWin* w) { QTest::mouseClick(w->ViewBackpanelCheckbox, Qt::LeftButton); }},
        {"icon size",
         [](NewLauncherWin* w) { QTest::mouseClick(w->IconSizeRAdioButton[2], Qt::LeftButton); }},
        {"transparency", [](NewLauncherWin* w) { w->TransValuePopupMenu->activated(3); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewLauncherWin* w = openEditor();
        ASSERT_FALSE(w->EditValue);
        c.change(w);
        EXPECT_TRUE(w->EditValue);
        EXPECT_TRUE(w->EditCanvas->isVisible());
        w->close();
    }
}

TEST_F(EditorDialogTest, BackpanelBoxEnablesTheColour) {
    NewLauncherWin* w = openEditor();
    ASSERT_TRUE(w->ColorRectangle->isEnabled());
    QTest::mouseClick(w->ViewBackpanelCheckbox, Qt::LeftButton);
    EXPECT_FALSE(w->ViewBackpanelCheckbox->isChecked());
    EXPECT_FALSE(w->ColorText->isEnabled());
    EXPECT_FALSE(w->ColorRectangle->isEnabled());
    EXPECT_TRUE(w->EditCanvas->isVisible());
    QTest::mouseClick(w->ViewBackpanelCheckbox, Qt::LeftButton);
    EXPECT_TRUE(w->ColorText->isEnabled());
    EXPECT_TRUE(w->ColorRectangle->isEnabled());
}

TEST_F(EditorDialogTest, ColourPicker) {
    NewLauncherWin* w = openEditor();
    // Cancelled: nothing changes.
    desktop->chosenColor.reset();
    QTest::mouseClick(w->ColorRectangle, Qt::LeftButton);
    EXPECT_EQ(desktop->colorPrompts, QStringList{"Select BackPanel Color"});
    EXPECT_EQ(w->ColorRectangle->FillColor(), QColor(0x03, 0x6D, 0x20));
    EXPECT_FALSE(w->EditValue);
    // The same colour chosen again still counts as a change.
    desktop->chosenColor = QColor(0x03, 0x6D, 0x20);
    QTest::mouseClick(w->ColorRectangle, Qt::LeftButton);
    EXPECT_TRUE(w->EditValue);
    desktop->chosenColor = QColor(0xAA, 0x10, 0x22);
    QTest::mouseClick(w->ColorRectangle, Qt::LeftButton);
    EXPECT_EQ(w->ColorRectangle->FillColor(), QColor(0xAA, 0x10, 0x22));
    // A disabled rectangle opens nothing.
    QTest::mouseClick(w->ViewBackpanelCheckbox, Qt::LeftButton);
    QTest::mouseClick(w->ColorRectangle, Qt::LeftButton);
    EXPECT_EQ(desktop->colorPrompts.size(), 3);
}

TEST_F(EditorDialogTest, ResizingKeepsTheLockedControlsInPlace) {
    NewLauncherWin* w = openEditor();
    w->resize(344, 400);
    EXPECT_EQ(w->size(), QSize(344, 400));
    EXPECT_EQ(w->OKButton->geometry(), QRect(244, 370, 80, 20));
    EXPECT_EQ(w->CancelButton->geometry(), QRect(152, 370, 80, 20));
    EXPECT_EQ(w->CountText->geometry(), QRect(9, 370, 117, 20));
    EXPECT_EQ(w->AppListBox->geometry(), QRect(9, 120, 326, 238));
    // No smaller than the minimum, no wider than 600.
    w->resize(200, 300);
    EXPECT_EQ(w->size(), QSize(344, 400));
    w->resize(900, 600);
    EXPECT_EQ(w->size(), QSize(600, 600));
    EXPECT_EQ(w->NameField->geometry(), QRect(152, 14, 183 + 256, 22));
    EXPECT_EQ(w->OKButton->geometry(), QRect(244 + 256, 418 + 152, 80, 20));
    EXPECT_EQ(w->AppListBox->geometry(), QRect(9, 120, 326 + 256, 286 + 152));
    EXPECT_EQ(w->CountText->geometry(), QRect(9, 418 + 152, 117, 20));
    // Unlocked controls keep their place.
    EXPECT_EQ(w->IconSizeGroupBox->geometry(), QRect(152, 41, 183, 45));
    EXPECT_EQ(w->TransValuePopupMenu->geometry(), QRect(256, 90, 79, 20));
}

TEST_F(EditorDialogTest, OneInstanceAFreshOneAfterClosing) {
    NewLauncherWin* w = openEditor();
    EXPECT_EQ(NewLauncherWin::instance(), w);
    QTest::keyClicks(w->NameField, "abc");
    QTest::mouseClick(w->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(NewLauncherWin::openInstance(), nullptr);
    NewLauncherWin* again = openEditor();
    EXPECT_NE(again, w);
    EXPECT_TRUE(again->NameField->text().isEmpty());
    EXPECT_FALSE(again->EditValue);
}

TEST_F(EditorDialogTest, ReturnIsOkAndEscapeIsCancel) {
    makeDatabase();
    NewLauncherWin* w = openEditor();
    // Return on an unchanged form does nothing.
    QTest::keyClick(w->NameField, Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(desktop->messages.isEmpty());
    QTest::keyClicks(w->NameField, "Tools");
    QTest::keyClick(w->NameField, Qt::Key_Return);
    EXPECT_FALSE(w->isVisible());
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    EXPECT_EQ(GlobalModule::LauncherWinArr.back()->LauncherWinName, QStringLiteral("Tools"));

    NewLauncherWin* other = openEditor();
    QTest::keyClicks(other->NameField, "Ignored");
    QTest::keyClick(other->AppListBox, Qt::Key_Escape);
    EXPECT_FALSE(other->isVisible());
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
}

TEST_F(EditorDialogTest, CloseWindowCommandClosesTheEditor) {
    App app(*context);
    NewLauncherWin* w = openEditor();
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(app.CloseFrontWindow());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(NewLauncherWin::openInstance(), nullptr);
}

TEST_F(EditorDialogTest, NoCloseBoxAndTheWindowManagersCloseRequestIsIgnored) {
    NewLauncherWin* w = openEditor();
    // The window manager is asked for no close button.
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    // A close request that reaches the native window from outside, as the window manager's
    // close button sends it.
    ASSERT_NE(w->windowHandle(), nullptr);
    QCloseEvent request;
    QCoreApplication::sendEvent(w->windowHandle(), &request);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(NewLauncherWin::openInstance(), w);
    QTest::mouseClick(w->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(EditorDialogTest, EditSetUpFromALoadedWindow) {
    makeDatabase();
    WindowRow row;
    row.name = QStringLiteral("Design");
    row.iconSize = 64;
    row.transparency = 20;
    row.viewName = false;
    row.viewTitleMenu = false;
    row.viewBackPanel = false;
    row.color = 0xAB1234;
    row.files = apps({"Alpha", "Beta", "Gamma"});
    LauncherWin* lw = addWindow(row);
    ASSERT_NE(lw, nullptr);

    lw->EditLauncherWinMethod();
    NewLauncherWin* w = NewLauncherWin::openInstance();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Status, QStringLiteral("Edit"));
    EXPECT_EQ(w->EditLauncherWinUID, 1);
    EXPECT_NE(w->LauncherItemArr(), lw->LauncherItemArr); // a copy: Cancel changes nothing
    EXPECT_EQ(w->NameField->text(), QStringLiteral("Design"));
    EXPECT_EQ(w->NameField->selectedText(), QStringLiteral("Design"));
    EXPECT_EQ(w->focusWidget(), w->NameField);
    EXPECT_FALSE(w->ViewNameCheckbox->isChecked());
    EXPECT_FALSE(w->ViewTitleMenuCheckbox->isChecked());
    EXPECT_FALSE(w->ViewBackpanelCheckbox->isChecked());
    EXPECT_FALSE(w->ColorRectangle->isEnabled());
    EXPECT_EQ(w->ColorRectangle->FillColor(), QColor(0xAB, 0x12, 0x34));
    EXPECT_EQ(w->SelectedIconSize(), 64);
    EXPECT_EQ(w->TransValuePopupMenu->currentIndex(), 6);
    EXPECT_EQ(rowNames(w), QStringList({"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(w->CountText->text(), QStringLiteral("3 items"));
    EXPECT_FALSE(w->EditValue);
    EXPECT_FALSE(w->EditCanvas->isVisible());
}

TEST_F(EditorDialogTest, SizesWithoutAButtonLeaveTheButtonsAsTheyWere) {
    makeDatabase();
    WindowRow small;
    small.iconSize = 32;
    addWindow(small);
    WindowRow big;
    big.uid = 2;
    big.iconSize = 128;
    big.transparency = 15;
    addWindow(big);
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 3u);
    LauncherWin* smallWin = GlobalModule::LauncherWinArr[1].get();
    LauncherWin* bigWin = GlobalModule::LauncherWinArr[2].get();

    // In a new editor the layout's 48 stays on, and the layout's pop-up item.
    bigWin->EditLauncherWinMethod();
    NewLauncherWin* w = NewLauncherWin::openInstance();
    EXPECT_EQ(w->SelectedIconSize(), 48);
    EXPECT_EQ(w->TransValuePopupMenu->currentIndex(), 6); // the default 20 of the new dialog
    // In an editor that showed 32 before, 32 stays on.
    smallWin->EditLauncherWinMethod();
    EXPECT_EQ(w->SelectedIconSize(), 32);
    bigWin->EditLauncherWinMethod();
    EXPECT_EQ(NewLauncherWin::openInstance(), w);
    EXPECT_EQ(w->SelectedIconSize(), 32);
    EXPECT_EQ(w->EditLauncherWinUID, 2);
}

TEST_F(EditorDialogTest, NewRequestOnAnOpenEditDialogKeepsEditing) {
    const auto [lw, w] = editedWindow(apps({"Alpha"}));
    NewLauncherWin::instance()->Show();
    EXPECT_EQ(NewLauncherWin::openInstance(), w);
    EXPECT_EQ(w->Status, QStringLiteral("Edit"));
    EXPECT_EQ(w->NameField->text(), QStringLiteral("Work"));
    EXPECT_EQ(rowNames(w), QStringList{"Alpha"});
}

TEST_F(EditorDialogTest, RetargetingAnOpenEditorShowsOnlyTheNewWindowsItems) {
    makeDatabase();
    WindowRow a;
    a.files = apps({"Alpha", "Beta", "Gamma"});
    LauncherWin* first = addWindow(a);
    WindowRow b;
    b.uid = 2;
    b.name = QStringLiteral("Other");
    b.files = apps({"Delta", "Epsilon"});
    addWindow(b);
    first = GlobalModule::LauncherWinArr[1].get();
    LauncherWin* second = GlobalModule::LauncherWinArr[2].get();

    first->EditLauncherWinMethod();
    NewLauncherWin* w = NewLauncherWin::openInstance();
    w->AppListBox->setSelected(2, true);
    second->EditLauncherWinMethod();
    EXPECT_EQ(rowNames(w), QStringList({"Delta", "Epsilon"}));
    expectRowsMatchArray(w);
    EXPECT_EQ(w->AppListBox->ListIndex(), -1);
    EXPECT_EQ(w->CountText->text(), QStringLiteral("2 items"));

    // A new-window dialog with dropped items, then turned to a window.
    w->close();
    NewLauncherWin* fresh = openEditor();
    fresh->DropAppMethod(FolderItem(writeApp("zeta.desktop", "Zeta")));
    first->EditLauncherWinMethod();
    EXPECT_EQ(rowNames(fresh), QStringList({"Alpha", "Beta", "Gamma"}));
    expectRowsMatchArray(fresh);
}

TEST_F(EditorDialogTest, ItemsTheLauncherWindowChangesAppearInTheOpenList) {
    const auto [lw, w] = editedWindow(apps({"Alpha", "Beta", "Gamma"}));
    // Every change is told as a well-formed change of the list's items.
    QAbstractItemModelTester tester(w->LauncherItemArr(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    // The person moved Gamma to the top and removed Beta in the list...
    w->AppListBox->setSelected(2, true);
    w->ReorderLauncherItemMethod(0);
    w->AppListBox->clearSelection();
    w->AppListBox->setSelected(2, true);
    w->AppListBox_KeyDown(QString(QChar(8)));
    ASSERT_EQ(rowNames(w), QStringList({"Gamma", "Alpha"}));
    // ...then dropped Delta on the launcher window itself and removed its Alpha there.
    lw->DropAppMethod(FolderItem(writeApp("delta.desktop", "Delta")));
    EXPECT_EQ(rowNames(w), QStringList({"Gamma", "Alpha", "Delta"}));
    EXPECT_EQ(w->CountText->text(), QStringLiteral("3 items"));
    lw->CurrSelAppIndex = 0;
    lw->RemoveItemMethod();
    EXPECT_EQ(rowNames(w), QStringList({"Gamma", "Delta"}));
    EXPECT_EQ(w->CountText->text(), QStringLiteral("2 items"));
    expectRowsMatchArray(w);
    // The window's own array is the window's: the list's edits never reached it.
    ASSERT_EQ(lw->LauncherItemArr->size(), 3u);
    EXPECT_EQ((*lw->LauncherItemArr)[0]->AppName, QStringLiteral("Beta"));
    // OK writes what the list shows, the window's later drop included.
    QTest::mouseClick(w->OKButton, Qt::LeftButton);
    QStringList names;
    for (const auto& item : *lw->LauncherItemArr)
        names << item->AppName;
    EXPECT_EQ(names, QStringList({"Gamma", "Delta"}));
}

TEST_F(EditorDialogTest, WhatThePersonAddsStaysWhenTheWindowRemovesWhatThePersonRemoved) {
    const auto [lw, w] = editedWindow(apps({"Alpha", "Beta"}));
    // Beta removed in the list, then a new item added there (perhaps where Beta's copy was).
    w->AppListBox->setSelected(1, true);
    w->AppListBox_KeyDown(QString(QChar(8)));
    w->DropAppMethod(FolderItem(writeApp("delta.desktop", "Delta")));
    ASSERT_EQ(rowNames(w), QStringList({"Alpha", "Delta"}));
    // The window removes its Beta: nothing of the list goes.
    lw->CurrSelAppIndex = 1;
    lw->RemoveItemMethod();
    EXPECT_EQ(rowNames(w), QStringList({"Alpha", "Delta"}));
    expectRowsMatchArray(w);
}

TEST_F(EditorDialogTest, AChangeOfTheWindowsItemsThatKeepsTheCountRebuildsTheOpenList) {
    const auto [lw, w] = editedWindow(apps({"Alpha", "Beta"}));
    // Another tool renamed an item; the window reads its items again: same count.
    exec(QStringLiteral("Update LauncherList set AppName='Zed' where AppName='Alpha'"));
    lw->LoadAppListMethod(*GlobalModule::DBConnectMethod());
    EXPECT_EQ(rowNames(w), QStringList({"Zed", "Beta"}));
    expectRowsMatchArray(w);
}
