#include "TestSupport.h"

#include "app/StartUpWiring.h"
#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "platform/Applications.h"
#include "platform/Database.h"
#include "platform/FolderItem.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

class EditorListTest : public AppTest {
protected:
    NewLauncherWin* editor() {
        NewLauncherWin* w = NewLauncherWin::instance();
        w->Show();
        return w;
    }

    // An editor whose list holds items named by the letters, not marked changed.
    NewLauncherWin* editorWith(const QStringList& names) {
        NewLauncherWin* w = editor();
        AppListArray arr;
        for (const QString& n : names) {
            auto item = std::make_shared<AppListClass>();
            item->AppName = n;
            item->AppPath = scratch(n);
            arr.push_back(item);
        }
        w->SetLauncherItemArr(arr);
        return w;
    }

    static QStringList arrayNames(NewLauncherWin* w) {
        QStringList names;
        for (const auto& item : *w->LauncherItemArr())
            names << item->AppName;
        return names;
    }

    static void select(NewLauncherWin* w, std::initializer_list<int> rows) {
        w->AppListBox->clearSelection();
        for (int r : rows)
            w->AppListBox->setSelected(r, true);
    }

    static void expectRowsMatchArray(NewLauncherWin* w) {
        const AppListArray& arr = w->LauncherItemArr()->items();
        ItemListModel* m = w->AppListBox->listModel();
        ASSERT_EQ(m->rowCount(), int(arr.size()));
        for (int r = 0; r < m->rowCount(); ++r) {
            EXPECT_EQ(m->index(r, 0).data().toString(), QString::number(r + 1));
            EXPECT_EQ(m->index(r, 2).data().toString(), arr[size_t(r)]->AppName);
        }
    }

    // A drop of files on the list, as the window system delivers it.
    static void dropOn(NewLauncherWin* w, const QList<QUrl>& urls, const QString& format = {},
                       const QByteArray& data = {}, QPoint at = QPoint(20, 5)) {
        QMimeData mime;
        if (!urls.isEmpty())
            mime.setUrls(urls);
        if (!format.isEmpty())
            mime.setData(format, data);
        QWidget* target = w->AppListBox->viewport();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
};

TEST_F(EditorListTest, RowsShowNumberIconNameAndMarker) {
    NewLauncherWin* w = editor();
    w->DropAppMethod(FolderItem(writeApp("a.desktop", "Alpha", Qt::red)));
    w->DropAppMethod(FolderItem(writeApp("b.desktop", "Beta", Qt::blue)));
    w->DropAppMethod(FolderItem(writeApp("c.desktop", "Gamma", Qt::green)));
    ItemListModel* m = w->AppListBox->listModel();
    ASSERT_EQ(m->rowCount(), 3);
    EXPECT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->index(1, 0).data().toString(), QStringLiteral("2"));
    EXPECT_EQ(m->index(1, 2).data().toString(), QStringLiteral("Beta"));
    EXPECT_EQ(m->index(1, 3).data().toString(), QStringLiteral("new"));
    EXPECT_TRUE(m->index(1, 1).data().toString().isEmpty());
    const QPixmap icon =
        m->index(1, 1).data(Qt::DecorationRole).value<QIcon>().pixmap(QSize(32, 32));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    const QRgb centre = icon.toImage().pixel(16, 16);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_GT(qBlue(centre), 200);
    EXPECT_LT(qRed(centre), 50);
    // Striped even rows; odd rows keep the list's own background.
    for (int r = 0; r < 3; ++r) {
        const QVariant bg = m->index(r, 2).data(Qt::BackgroundRole);
        if (r % 2 == 0)
            EXPECT_EQ(bg.value<QBrush>().color(), QColor(225, 225, 255)) << r;
        else
            EXPECT_FALSE(bg.isValid()) << r;
    }
    EXPECT_EQ(w->AppListBox->verticalHeader()->defaultSectionSize(), 34);
    EXPECT_EQ(w->AppListBox->selectionMode(), QAbstractItemView::ExtendedSelection);
    // The record the editor made.
    const AppListClass& item = *(*w->LauncherItemArr())[2];
    EXPECT_EQ(item.AppUID, -1);
    EXPECT_EQ(item.AppSEQ, 3);
    EXPECT_EQ(item.Icon.size(), QSize(128, 128));
    EXPECT_EQ(item.f.AbsolutePath(), item.AppPath);
}

TEST_F(EditorListTest, ARowsIconIsDecodedOnceAndFollowsAChangedPicture) {
    NewLauncherWin* w = editor();
    w->DropAppMethod(FolderItem(writeApp("a.desktop", "Alpha", Qt::red)));
    ItemListModel* m = w->AppListBox->listModel();
    const auto shown = [m] { return m->index(0, 1).data(Qt::DecorationRole).value<QIcon>(); };
    const auto centre = [](const QIcon& icon) {
        return icon.pixmap(QSize(32, 32)).toImage().pixel(16, 16);
    };
    const QIcon first = shown();
    EXPECT_EQ(shown().cacheKey(), first.cacheKey());
    EXPECT_GT(qRed(centre(first)), 200);
    // Another picture for the item, told by its model: the row shows it.
    QSignalSpy changed(m, &QAbstractItemModel::dataChanged);
    const MaskedPicture blue = GlobalModule::GetIconAndMaskMethod(
        FolderItem(writeApp("b.desktop", "Beta", Qt::blue)), 128);
    (*w->LauncherItemArr())[0]->Icon = blue.image;
    (*w->LauncherItemArr())[0]->IconMask = blue.mask;
    w->LauncherItemArr()->itemChanged(0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_GT(qBlue(centre(shown())), 200);
    EXPECT_LT(qRed(centre(shown())), 50);
}

TEST_F(EditorListTest, AnItemWithoutAPictureStillShowsItsTexts) {
    NewLauncherWin* w = editorWith({"Lost"});
    ItemListModel* m = w->AppListBox->listModel();
    EXPECT_FALSE(m->index(0, 1).data(Qt::DecorationRole).isValid());
    EXPECT_EQ(m->index(0, 2).data().toString(), QStringLiteral("Lost"));
}

TEST_F(EditorListTest, CountTextSuffix) {
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    makeDatabase();
    auto lw = std::make_unique<LauncherWin>();
    lw->LauncherItemArr->push_back(std::make_shared<AppListClass>());
    ConnectLauncherWinRequests(*lw);
    lw->EditLauncherWinMethod();
    NewLauncherWin* w = NewLauncherWin::openInstance();
    EXPECT_EQ(w->CountText->text(), QStringLiteral("1 아이템"));
    w->DropAppMethod(FolderItem(writeApp("a.desktop", "Alpha")));
    EXPECT_EQ(w->CountText->text(), QStringLiteral("2 items"));
    w->close();
    // An empty window.
    auto empty = std::make_unique<LauncherWin>();
    GlobalModule::MyPref->Language = QStringLiteral("english");
    ConnectLauncherWinRequests(*empty);
    empty->EditLauncherWinMethod();
    EXPECT_EQ(NewLauncherWin::openInstance()->CountText->text(), QStringLiteral("0 items"));
}

TEST_F(EditorListTest, DroppedFilesAreAppendedInOrder) {
    NewLauncherWin* w = editor();
    const QString a = writeApp("a.desktop", "Alpha");
    const QString folder = scratch(QStringLiteral("Some Folder"));
    QDir().mkpath(folder);
    const QString b = writeApp("b.desktop", "Beta");
    dropOn(w, {QUrl::fromLocalFile(a), QUrl::fromLocalFile(folder), QUrl::fromLocalFile(b),
               QUrl(QStringLiteral("https://example.org/x"))});
    EXPECT_EQ(arrayNames(w), QStringList({"Alpha", "Some Folder", "Beta"}));
    for (const auto& item : *w->LauncherItemArr())
        EXPECT_EQ(item->NewOldValue, QStringLiteral("new"));
    EXPECT_EQ(w->CountText->text(), QStringLiteral("3 items"));
    EXPECT_TRUE(w->EditValue);
    EXPECT_TRUE(w->EditCanvas->isVisible());
    // The same file again is a second row.
    dropOn(w, {QUrl::fromLocalFile(a)});
    EXPECT_EQ(arrayNames(w), QStringList({"Alpha", "Some Folder", "Beta", "Alpha"}));
    expectRowsMatchArray(w);
}

TEST_F(EditorListTest, AMissingFileAddsNothingButMarksTheForm) {
    NewLauncherWin* w = editor();
    dropOn(w, {QUrl::fromLocalFile(scratch(QStringLiteral("gone.txt")))});
    EXPECT_EQ(w->AppListBox->ListCount(), 0);
    EXPECT_EQ(w->CountText->text(), QStringLiteral("0 items"));
    EXPECT_TRUE(w->EditValue);
}

TEST_F(EditorListTest, DataOtherThanFilesIsRefused) {
    NewLauncherWin* w = editor();
    QMimeData mime;
    mime.setText(QStringLiteral("hello"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->AppListBox->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    // Refused, the list is no drag's target: a drop reaches it only as the target of none.
    QDragLeaveEvent leave;
    QApplication::sendEvent(w->AppListBox->viewport(), &leave);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->AppListBox->viewport(), &drop);
    EXPECT_EQ(w->AppListBox->ListCount(), 0);
    EXPECT_FALSE(w->EditValue);
}

TEST_F(EditorListTest, FileDropsAreCopiesNeverMoves) {
    NewLauncherWin* w = editor();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(writeApp("a.desktop", "Alpha"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(w->AppListBox->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    // The drag leaves again, as a person's does, so nothing keeps the list as its target.
    QDragLeaveEvent leave;
    QApplication::sendEvent(w->AppListBox->viewport(), &leave);
}

TEST_F(EditorListTest, Reordering) {
    const struct {
        const char* name;
        std::initializer_list<int> selected;
        int position;
        const char* order;
        std::vector<int> selectedAfter;
    } cases[] = {
        {"two rows", {1, 3}, 2, "acbde", {2, 3}},   {"one row to the top", {3}, 0, "dabce", {0}},
        {"to the end", {0, 2}, 3, "bdeac", {3, 4}}, {"past the end", {0, 1}, 9, "cdeab", {3, 4}},
        {"nothing selected", {}, 2, "abcde", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewLauncherWin* w = editorWith({"a", "b", "c", "d", "e"});
        select(w, c.selected);
        EXPECT_TRUE(w->AppListBox_DragReorderRows(c.position, -1));
        EXPECT_EQ(arrayNames(w).join(QString()), QString::fromLatin1(c.order));
        std::vector<int> after;
        for (int r : w->AppListBox->selectedRowList())
            after.push_back(r);
        EXPECT_EQ(after, c.selectedAfter);
        EXPECT_TRUE(w->TempAppArr.empty());
        EXPECT_TRUE(w->EditValue);
        expectRowsMatchArray(w);
        w->close();
    }
}

TEST_F(EditorListTest, DraggedRowsGoWhereThePointerIs) {
    NewLauncherWin* w = editorWith({"a", "b", "c", "d", "e"});
    select(w, {1, 3});
    ItemListBox* list = w->AppListBox;
    const QRect row2 = list->visualRect(list->listModel()->index(2, 0));
    const QRect row4 = list->visualRect(list->listModel()->index(4, 0));
    // Above the middle of row 2, below that of row 4, below all rows.
    EXPECT_EQ(list->dropPositionAt(QPoint(5, row2.top() + 3)), 1);
    EXPECT_EQ(list->dropPositionAt(QPoint(5, row4.bottom() - 3)), 3);
    EXPECT_EQ(list->dropPositionAt(QPoint(5, list->viewport()->height() - 2)), 3);

    // A drop of the list's own rows between c and e moves b and d there.
    dropOn(w, {}, QLatin1String(ItemListBox::RowsMimeType), QByteArray::number(quintptr(list)),
           QPoint(5, row4.top() + 3));
    EXPECT_EQ(arrayNames(w).join(QString()), QStringLiteral("acbde"));
    // Rows dragged from another list are not ours to move.
    select(w, {0});
    dropOn(w, {}, QLatin1String(ItemListBox::RowsMimeType), QByteArrayLiteral("1"),
           QPoint(5, row4.top() + 3));
    EXPECT_EQ(arrayNames(w).join(QString()), QStringLiteral("acbde"));
}

TEST_F(EditorListTest, ContextMenuEntriesInBothLanguages) {
    for (const char* language : {"english", "korean"}) {
        SCOPED_TRACE(language);
        GlobalModule::MyPref->Language = QString::fromLatin1(language);
        NewLauncherWin* w = editorWith({"a"});
        QMenu menu;
        EXPECT_TRUE(w->AppListBox_ConstructContextualMenu(&menu));
        QStringList texts;
        for (QAction* a : menu.actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (GlobalModule::IsKorean())
            EXPECT_EQ(texts,
                      QStringList({"아이템 추가", "-", "파인더에서 보기", "-", "아이템 삭제"}));
        else
            EXPECT_EQ(texts,
                      QStringList({"Add New Item", "-", "Reveal in Finder", "-", "Remove Item"}));
        w->close();
    }
}

TEST_F(EditorListTest, WithNoRowSelectedNoEntryDoesAnything) {
    NewLauncherWin* w = editorWith({"a", "b"});
    for (const char* entry : {"Add New Item", "Reveal in Finder", "Remove Item", "아이템 삭제"}) {
        SCOPED_TRACE(entry);
        EXPECT_FALSE(w->AppListBox_ContextualMenuAction(QString::fromUtf8(entry)));
    }
    EXPECT_TRUE(desktop->chooserRequests.empty());
    EXPECT_TRUE(desktop->launches.isEmpty());
    EXPECT_EQ(w->AppListBox->ListCount(), 2);
    EXPECT_FALSE(w->EditValue);
}

TEST_F(EditorListTest, AddEntryOpensTheFileDialog) {
    writeApp("zz.desktop", "Zed");
    const QString chosen = writeApp("b.desktop", "Beta");
    NewLauncherWin* w = editorWith({"a"});
    select(w, {0});
    // Cancelled: nothing added, nothing marked.
    EXPECT_TRUE(w->AppListBox_ContextualMenuAction(QStringLiteral("Add New Item")));
    ASSERT_EQ(desktop->chooserRequests.size(), 1u);
    EXPECT_EQ(desktop->chooserRequests[0].first, QStringLiteral("Select Any Item"));
    EXPECT_EQ(desktop->chooserRequests[0].second, ApplicationsFolderMBS(0).AbsolutePath());
    EXPECT_EQ(w->AppListBox->ListCount(), 1);
    EXPECT_FALSE(w->EditValue);
    // Chosen, through the Korean caption while the language is English.
    desktop->chosenItems << chosen;
    EXPECT_TRUE(w->AppListBox_ContextualMenuAction(QStringLiteral("아이템 추가")));
    EXPECT_EQ(arrayNames(w), QStringList({"a", "Beta"}));
    EXPECT_TRUE(w->EditValue);
    // In Korean the dialog's title is Korean.
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    w->AddItemMethod();
    EXPECT_EQ(desktop->chooserRequests.back().first, QStringLiteral("추가 아이템 선택"));
}

TEST_F(EditorListTest, RemoveEntryRemovesTheSelectedRows) {
    NewLauncherWin* w = editorWith({"a", "b", "c", "d"});
    const auto keptB = (*w->LauncherItemArr())[1];
    select(w, {0, 2});
    EXPECT_TRUE(w->AppListBox_ContextualMenuAction(QStringLiteral("Remove Item")));
    EXPECT_EQ(arrayNames(w), QStringList({"b", "d"}));
    EXPECT_EQ((*w->LauncherItemArr())[0], keptB);
    EXPECT_EQ(w->CountText->text(), QStringLiteral("2 items"));
    EXPECT_TRUE(w->EditValue);
    expectRowsMatchArray(w);
}

TEST_F(EditorListTest, RevealOpensTheFoldersThatHoldTheItems) {
    const QString folderA = scratch(QStringLiteral("A"));
    const QString folderB = scratch(QStringLiteral("B"));
    writeFile(folderA + QStringLiteral("/one.txt"), "1");
    writeFile(folderB + QStringLiteral("/two.txt"), "2");
    NewLauncherWin* w = editor();
    w->DropAppMethod(FolderItem(folderA + QStringLiteral("/one.txt")));
    w->DropAppMethod(FolderItem(folderB + QStringLiteral("/two.txt")));
    w->DropAppMethod(FolderItem(folderB + QStringLiteral("/two.txt")));
    QFile::remove(folderB + QStringLiteral("/two.txt"));
    select(w, {0, 1});
    EXPECT_TRUE(w->AppListBox_ContextualMenuAction(QStringLiteral("파인더에서 보기")));
    // The missing file is skipped; the list is left as it was.
    EXPECT_EQ(desktop->launches, QStringList{QDir::cleanPath(folderA)});
    EXPECT_EQ(w->AppListBox->ListCount(), 3);
    // A folder the desktop cannot open is reported.
    desktop->launchResult = {false, QStringLiteral("no file manager")};
    EXPECT_TRUE(w->AppListBox_ContextualMenuAction(QStringLiteral("Reveal in Finder")));
    ASSERT_EQ(desktop->messages.size(), 1);
    EXPECT_TRUE(desktop->messages[0].contains(QStringLiteral("no file manager")));
}

TEST_F(EditorListTest, ContextClickPopsUpTheMenuAndRunsTheChosenEntry) {
    NewLauncherWin* w = editorWith({"a", "b", "c"});
    ItemListBox* list = w->AppListBox;
    const QPoint at = list->visualRect(list->listModel()->index(1, 2)).center();
    select(w, {1});
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* remove = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QStringLiteral("Remove Item"))
            remove = a;
    ASSERT_NE(remove, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
    // The entry runs from the event loop, once the menu has finished with the click.
    EXPECT_EQ(arrayNames(w), QStringList({"a", "b", "c"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(arrayNames(w), QStringList({"a", "c"}));
}

TEST_F(EditorListTest, DeleteKey) {
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete}) {
        NewLauncherWin* w = editorWith({"a", "b", "c", "d"});
        select(w, {1, 3});
        QTest::keyClick(w->AppListBox, key);
        EXPECT_EQ(arrayNames(w), QStringList({"a", "c"})) << key;
        EXPECT_EQ(w->CountText->text(), QStringLiteral("2 items"));
        EXPECT_TRUE(w->EditValue);
        expectRowsMatchArray(w);
        EXPECT_TRUE(w->isVisible());
        w->close();
    }
}

TEST_F(EditorListTest, DeleteKeyWithoutSelectionAndOtherKeys) {
    NewLauncherWin* w = editorWith({"a", "b"});
    w->CountText->setText(QString());
    // Any other key only sets the count text again.
    QTest::keyClick(w->AppListBox, Qt::Key_X);
    EXPECT_EQ(w->CountText->text(), QStringLiteral("2 items"));
    EXPECT_FALSE(w->EditValue);
    // Delete with rows but none selected marks the form and removes nothing.
    w->AppListBox->clearSelection();
    QTest::keyClick(w->AppListBox, Qt::Key_Backspace);
    EXPECT_EQ(w->AppListBox->ListCount(), 2);
    EXPECT_TRUE(w->EditValue);
    w->close();
    // On an empty list it marks nothing.
    NewLauncherWin* empty = editor();
    QTest::keyClick(empty->AppListBox, Qt::Key_Backspace);
    EXPECT_FALSE(empty->EditValue);
}

TEST_F(EditorListTest, CancelLeavesTheWindowAsStoredAndOkSavesAndReloads) {
    makeDatabase();
    exec(QStringLiteral(
        "Insert Into LauncherWinList(LauncherWinUID, LauncherWinName, Width, Left, "
        "Top, IconSize, ViewName, ViewTitleMenu, ViewBackPanel, TitleTextSize, "
        "TransparentValue, WinColor) Values (1, 'w', 400, 0, 0, 48, 1, 1, 1, 12, 0, 0)"));
    for (int i = 0; i < 3; ++i) {
        const FolderItem f(
            writeApp(QStringLiteral("app%1.desktop").arg(i), QStringLiteral("App %1").arg(i)));
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), 1);
        rec.IntegerColumn(QStringLiteral("AppUID"), i);
        rec.IntegerColumn(QStringLiteral("AppSEQ"), i);
        rec.Column(QStringLiteral("AppName"), f.DisplayName());
        rec.Column(QStringLiteral("AppPath"), f.AbsolutePath());
        GlobalModule::DBConnectMethod()->InsertRecord(QStringLiteral("LauncherList"), rec);
    }
    LauncherWin* lw = loadWindow(1);
    ASSERT_EQ(lw->LauncherItemArr->size(), 3u);
    const AppListArray stored = lw->LauncherItemArr->items();
    const auto names = [lw] {
        QStringList out;
        for (const auto& item : *lw->LauncherItemArr)
            out << item->AppName;
        return out;
    };
    const auto count = [this] {
        return scalar(QStringLiteral("Select count(*) from LauncherList where LauncherWinUID=1"))
            .toInt();
    };
    // Removed, moved and added in the list, then Cancel: the window holds what it stores.
    lw->EditLauncherWinMethod();
    NewLauncherWin* w = NewLauncherWin::openInstance();
    EXPECT_NE(w->LauncherItemArr(), lw->LauncherItemArr);
    select(w, {1});
    QTest::keyClick(w->AppListBox, Qt::Key_Backspace);
    select(w, {1});
    w->ReorderLauncherItemMethod(0);
    w->DropAppMethod(FolderItem(writeApp(QStringLiteral("x.desktop"), QStringLiteral("X"))));
    ASSERT_EQ(arrayNames(w), QStringList({"App 2", "App 0", "X"}));
    QTest::mouseClick(w->CancelButton, Qt::LeftButton);
    EXPECT_EQ(lw->LauncherItemArr->items(), stored);
    EXPECT_EQ(names(), QStringList({"App 0", "App 1", "App 2"}));
    EXPECT_EQ(count(), 3);
    // A click on the first icon opens the first item.
    const AppListClass& first = *stored[0];
    lw->LaunchItemMethod(lw->GetIndexMethod(first.Left + 5, first.Top + 5));
    EXPECT_EQ(desktop->launches, QStringList{first.AppPath});

    // OK saves the list and the window reloads it.
    lw->EditLauncherWinMethod();
    w = NewLauncherWin::openInstance();
    select(w, {0});
    QTest::keyClick(w->AppListBox, Qt::Key_Backspace);
    QTest::mouseClick(w->OKButton, Qt::LeftButton);
    EXPECT_EQ(names(), QStringList({"App 1", "App 2"}));
    EXPECT_EQ(count(), 2);
}

TEST_F(EditorListTest, KeysLeaveTheListAndEscapeCancels) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {{Qt::Key_Tab, {}}, {Qt::Key_Backtab, Qt::ShiftModifier}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.key));
        NewLauncherWin* w = editorWith({"a", "b", "c"});
        w->activateWindow();
        w->AppListBox->setFocus();
        w->AppListBox->setCurrentIndex(w->AppListBox->listModel()->index(0, 2));
        QTest::keyClick(w->AppListBox, c.key, c.modifiers);
        EXPECT_FALSE(w->AppListBox->hasFocus());
        EXPECT_NE(w->focusWidget(), w->AppListBox);
        w->close();
    }
    NewLauncherWin* w = editorWith({"a", "b"});
    w->AppListBox->setFocus();
    select(w, {0});
    QTest::keyClick(w->AppListBox, Qt::Key_Backspace);
    ASSERT_EQ(w->AppListBox->ListCount(), 1);
    QTest::keyClick(w->AppListBox, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}
