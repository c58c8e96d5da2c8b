#include "TestSupport.h"

#include "app/LauncherLoader.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "settings/PrefWin.h"
#include "settings/SelectYourLanguageWin.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <functional>

// Every write the launcher makes, refused as when another program holds the database's
// write lock: what the window holds, draws and launches still matches the file.

namespace {

// Every change to the database refused as busy; reads go on.
int refuseChanges(const QString& sql) {
    for (const char* change : {"INSERT", "UPDATE", "DELETE", "BEGIN", "COMMIT"})
        if (sql.startsWith(QLatin1String(change), Qt::CaseInsensitive))
            return 5; // SQLITE_BUSY
    return 0;
}

class RefusedWritesTest : public AppTest {
protected:
    // Window 0 as the file has it: its name and view flags, then its items in order.
    QStringList stored() {
        QStringList out;
        auto rs = GlobalModule::DBConnectMethod()->SQLSelect(
            QStringLiteral("Select * from LauncherWinList where LauncherWinUID=0"));
        if (!rs || rs->Eof())
            return {QStringLiteral("no window row")};
        out << QStringLiteral("%1 names %2 band %3 panel %4")
                   .arg(rs->Field(QStringLiteral("LauncherWinName")).StringValue())
                   .arg(rs->Field(QStringLiteral("ViewName")).BooleanValue())
                   .arg(rs->Field(QStringLiteral("ViewTitleMenu")).BooleanValue())
                   .arg(rs->Field(QStringLiteral("ViewBackPanel")).BooleanValue());
        rs = GlobalModule::DBConnectMethod()->SQLSelect(
            QStringLiteral("Select * from LauncherList where LauncherWinUID=0 order by AppSEQ"));
        while (rs && !rs->Eof()) {
            out << QStringLiteral("%1 %2 %3")
                       .arg(rs->Field(QStringLiteral("AppUID")).IntegerValue())
                       .arg(rs->Field(QStringLiteral("AppName")).StringValue(),
                            rs->Field(QStringLiteral("AppPath")).StringValue());
            rs->MoveNext();
        }
        return out;
    }

    // The same, as the window holds it.
    static QStringList held(const LauncherWin& w) {
        QStringList out;
        out << QStringLiteral("%1 names %2 band %3 panel %4")
                   .arg(w.LauncherWinName)
                   .arg(w.ViewName)
                   .arg(w.ViewTitleMenu)
                   .arg(w.ViewBackPanel);
        for (const auto& item : *w.LauncherItemArr)
            out << QStringLiteral("%1 %2 %3").arg(item->AppUID).arg(item->AppName, item->AppPath);
        return out;
    }
};

TEST_F(RefusedWritesTest, EveryWindowWriteRefusedLeavesWindowAndFileInAgreement) {
    ASSERT_NE(loadWindowWithFiles({"one", "two", "three"}), nullptr);
    writeFile(scratch(QStringLiteral("four")), "x");
    const QStringList before = stored();
    ASSERT_EQ(before.size(), 4);

    const struct {
        const char* name;
        std::function<void(LauncherWin&)> write;
        QString told;         // the message, or none
        bool sameSize = true; // the window keeps its size (not so for wider and narrower,
                              // whose width is stored once the lock is gone)
    } cases[] = {
        {"add item",
         [this](LauncherWin& w) {
             desktop->chosenItems = {scratch(QStringLiteral("four"))};
             w.AddItemMethod();
         },
         QStringLiteral("four add error~!")},
        {"drop", [this](LauncherWin& w) { w.DropAppMethod(FolderItem(scratch("four"))); },
         QStringLiteral("four add error~!")},
        {"remove",
         [](LauncherWin& w) {
             w.CurrSelAppIndex = 1;
             w.RemoveItemMethod();
         },
         QStringLiteral("Remove Item DB Error~!")},
        {"move",
         [](LauncherWin& w) {
             w.move(w.pos() + QPoint(40, 30));
             w.ResizeWinSizeWriteMethod(); // waits for the lock, told nothing
         },
         QString()},
        {"names", [](LauncherWin& w) { w.UPdateViewInfoMethod(QStringLiteral("ViewName"), false); },
         QStringLiteral("Changes cannot be stored")},
        {"title band",
         [](LauncherWin& w) { w.UPdateViewInfoMethod(QStringLiteral("ViewTitleMenu"), false); },
         QStringLiteral("Changes cannot be stored")},
        {"backpanel",
         [](LauncherWin& w) { w.UPdateViewInfoMethod(QStringLiteral("ViewBackPanel"), false); },
         QStringLiteral("Changes cannot be stored")},
        {"wider", [](LauncherWin& w) { w.ResizePlusMinusWinMethod(QStringLiteral("plus")); },
         QString(), false},
        {"narrower", [](LauncherWin& w) { w.ResizePlusMinusWinMethod(QStringLiteral("minus")); },
         QString(), false},
        {"editor's save",
         [](LauncherWin& w) {
             w.EditLauncherWinMethod();
             NewLauncherWin* editor = NewLauncherWin::openInstance();
             editor->NameField->setText(QStringLiteral("Renamed"));
             editor->MarkChangedMethod();
             editor->NewMethod();
             // Nothing claimed as saved: the editor stays open with the change.
             EXPECT_TRUE(editor->isVisible());
             editor->close();
         },
         QStringLiteral("Edit Launcher Win Info Error~!")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalModule::ResetDatabaseReports();
        LauncherWin* w = loadWindow(0);
        ASSERT_NE(w, nullptr);
        w->show();
        const QImage drawn = w->pic;
        desktop->messages.clear();
        context->setDatabaseFailures(refuseChanges);
        c.write(*w);
        context->setDatabaseFailures({});
        if (c.told.isEmpty()) {
            EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
        } else {
            ASSERT_EQ(desktop->messages.size(), 1);
            EXPECT_TRUE(desktop->messages[0].startsWith(c.told))
                << desktop->messages[0].toStdString();
        }
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(held(*w), before);
        // Drawn as the file has it (a refused widening still shows the new width until the
        // lock is gone and it is stored).
        if (c.sameSize) {
            EXPECT_EQ(w->pic, drawn);
        }
        w->hide();
    }
}

TEST_F(RefusedWritesTest, ARefusedFirstRunOrPreferencesSaveIsToldAndLeavesNothingHalfDone) {
    writeApp(QStringLiteral("editor.desktop"), QStringLiteral("Editor"));
    const QString prefs = launcherDir() + QStringLiteral("/VondrelaskitPref");
    const struct {
        const char* name;
        std::function<void()> refuse;
        std::function<void()> write;
        QString told;
    } cases[] = {
        {"first run: the file cannot be made",
         [this] {
             context->setDatabaseFailures([](const QString& sql) {
                 return int(sql == QLatin1String("CREATE DATABASE FILE"));
             });
         },
         [] { GlobalModule::MakeDBMethod(); }, QStringLiteral("create error!")},
        {"first run: the items cannot be written",
         [this] { context->setDatabaseFailures(refuseChanges); },
         [] { GlobalModule::MakeDBMethod(); }, QStringLiteral("create error!")},
        {"preferences dialog", [prefs] { QDir().mkpath(prefs); }, // a folder where the file must go
         [] {
             PrefWin* p = PrefWin::instance();
             p->Show();
             p->ShiftCheckbox->setChecked(true);
             p->OKButton_Action();
         },
         QStringLiteral("The preferences could not be saved.")},
        {"language dialog", [prefs] { QDir().mkpath(prefs); },
         [] {
             SelectYourLanguageWin* l = SelectYourLanguageWin::instance();
             l->Show();
             l->KoreanRadioButton->setChecked(true);
             l->OKButton_Action();
         },
         QStringLiteral("환경설정을 저장하지 못했습니다.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalModule::ReleaseGlobals();
        QDir(launcherDir()).removeRecursively();
        QDir().mkpath(launcherDir());
        GlobalModule::MyPref = std::make_unique<PrefClass>();
        GlobalModule::MyPref->Language = QStringLiteral("english");
        desktop->messages.clear();
        c.refuse();
        c.write();
        context->setDatabaseFailures({});
        ASSERT_FALSE(desktop->messages.isEmpty());
        EXPECT_TRUE(std::any_of(desktop->messages.begin(), desktop->messages.end(),
                                [&c](const QString& m) { return m.startsWith(c.told); }))
            << desktop->messages.join('|').toStdString();
        // No half-made database: none at all, or one whole with its window.
        const bool made = QFile::exists(GlobalModule::DatabaseFilePath());
        GlobalModule::LoadLauncherWinMethod();
        EXPECT_EQ(GlobalModule::LauncherWinArr.size(), made ? 1u : 0u);
        for (const auto& w : GlobalModule::LauncherWinArr)
            EXPECT_EQ(w->LauncherItemArr->size(), 1u);
        // Nothing but a folder where the preferences were to go.
        EXPECT_FALSE(QFileInfo(prefs).isFile());
    }
}

} // namespace
