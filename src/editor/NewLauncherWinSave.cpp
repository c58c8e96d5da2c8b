#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/Plugin.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {
QSize mainScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

QString whereWindow(qint64 uid) {
    return QStringLiteral(" where LauncherWinUID=") + QString::number(uid);
}

// The values of the form that go into the window's row and onto the window.
struct FormValues {
    QString name;
    qint32 iconSize = 48;
    bool viewName = true;
    bool viewTitleMenu = true;
    bool viewBackPanel = true;
    qint32 transparency = 0;
    qint64 color = 0;
};

void applyTo(LauncherWin& w, const FormValues& v) {
    w.LauncherWinName = v.name;
    w.IconSize = v.iconSize;
    w.ViewName = v.viewName;
    w.ViewTitleMenu = v.viewTitleMenu;
    w.ViewBackPanel = v.viewBackPanel;
    w.TitleTextSize = 14;
    w.TransparentValue = v.transparency;
    w.WinColor = v.color;
}
} // namespace

qint64 NewLauncherWin::GetMaxLauncherWinUIDMethod(Database& db) {
    return GlobalModule::NextFreeNumber(
        db, QStringLiteral("Select MAX(LauncherWinUID) from LauncherWinList"));
}

void NewLauncherWin::NewMethod() {
    if (!EditValue)
        return;
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;

    FormValues v;
    v.name = NameField->text().trimmed();
    if (v.name.isEmpty()) {
        GlobalModule::MsgBox(
            Say("새로운 런쳐윈도우의 이름을 넣으세요.", "Please Enter New Launcher Window Name"));
        NameField->setFocus();
        return;
    }
    const bool isNew = TextEquals(Status, QStringLiteral("new"));
    const bool isEdit = TextEquals(Status, QStringLiteral("edit"));
    if (!isNew && !isEdit)
        return;

    v.iconSize = SelectedIconSize();
    v.viewName = ViewNameCheckbox->isChecked();
    // An empty window always shows its band and panel: there is nothing else to see.
    const bool empty = AppListBox->ListCount() == 0;
    v.viewTitleMenu = empty || ViewTitleMenuCheckbox->isChecked();
    v.viewBackPanel = empty || ViewBackpanelCheckbox->isChecked();
    v.transparency = RealToInt(Val(TransValuePopupMenu->currentText()));
    v.color = Color2IntegerMBS(ColorRectangle->FillColor());

    const QString addError =
        Say("새로운 런쳐 윈도우 생성중 데이타베이스 에러~!", "Add LauncherWin to Database Error~!");
    const QString editError =
        Say("런쳐윈도우 정보 수정중 쿼리 및 데이타베이스 에러~!", "Edit Launcher Win Info Error~!");
    // The window row, the removal of its old items and the new items are one change: a
    // crash or a failure midway leaves the old window or the new one, never a part.
    if (!db->BeginTransaction()) {
        GlobalModule::MsgBox(isNew ? addError : editError);
        return;
    }
    const auto abandon = [db](const QString& message) {
        db->Rollback();
        GlobalModule::MsgBox(message);
    };

    qint64 number = 0;
    const int width = 400;
    QPoint origin;
    if (isNew) {
        number = GetMaxLauncherWinUIDMethod(*db);
        if (number == -1) {
            abandon(QStringLiteral("Get Max UID Error~!"));
            return;
        }
        origin = NewWindowOrigin(mainScreenSize());
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), number);
        rec.Column(QStringLiteral("LauncherWinName"), v.name);
        rec.IntegerColumn(QStringLiteral("Width"), width);
        rec.IntegerColumn(QStringLiteral("Left"), origin.x());
        rec.IntegerColumn(QStringLiteral("Top"), origin.y());
        rec.IntegerColumn(QStringLiteral("IconSize"), v.iconSize);
        rec.BooleanColumn(QStringLiteral("ViewName"), v.viewName);
        rec.BooleanColumn(QStringLiteral("ViewTitleMenu"), v.viewTitleMenu);
        rec.BooleanColumn(QStringLiteral("ViewBackPanel"), v.viewBackPanel);
        rec.IntegerColumn(QStringLiteral("TitleTextSize"), 14);
        rec.IntegerColumn(QStringLiteral("TransparentValue"), v.transparency);
        rec.IntegerColumn(QStringLiteral("WinColor"), v.color);
        db->InsertRecord(QStringLiteral("LauncherWinList"), rec);
        if (db->Error()) {
            abandon(addError);
            return;
        }
    } else {
        number = EditLauncherWinUID;
        auto rs =
            db->SQLSelect(QStringLiteral("Select * from LauncherWinList") + whereWindow(number));
        // A row deleted meanwhile cannot be edited: its items must not be written either.
        if (!rs || rs->Eof()) {
            abandon(editError);
            return;
        }
        rs->Edit();
        rs->Field(QStringLiteral("LauncherWinName")).setStringValue(v.name);
        rs->Field(QStringLiteral("IconSize")).setStringValue(QString::number(v.iconSize));
        rs->Field(QStringLiteral("ViewName")).setBooleanValue(v.viewName);
        rs->Field(QStringLiteral("ViewTitleMenu")).setBooleanValue(v.viewTitleMenu);
        rs->Field(QStringLiteral("ViewBackPanel")).setBooleanValue(v.viewBackPanel);
        rs->Field(QStringLiteral("TransparentValue")).setIntegerValue(v.transparency);
        rs->Field(QStringLiteral("WinColor")).setIntegerValue(v.color);
        rs->Update();
        // An update that did not take would close the dialog as if the change were saved.
        if (db->Error()) {
            abandon(editError);
            return;
        }
    }

    db->SQLExecute(QStringLiteral("Delete from LauncherList") + whereWindow(number));
    if (db->Error()) {
        abandon(Say("아이템 등록 중 기존 정보 삭제시 데이타베이스 에러~!",
                    "Delete Launcher ITem Error~!"));
        return;
    }

    AppListBox->listModel()->sync();
    const AppListArrayPtr items = LauncherItemArr();
    for (size_t i = 0; i < items->size(); ++i) {
        const AppListClass& item = *(*items)[i];
        const FolderItem f = item.f.isNull() ? FolderItem(item.AppPath) : item.f;
        // A file that is not there (a volume not mounted) keeps the name and icon it had:
        // taking them from the missing file would replace them by its bare file name and a
        // generic icon.
        const bool present = f.Exists();
        const QString name = present ? f.DisplayName() : item.AppName;
        const FolderItem stored(item.AppPath);
        const StoredPicture icon =
            present ? GlobalModule::GetIconImageMethod(stored, 128, QStringLiteral("icon"))
                    : item.Icon;
        const StoredPicture mask =
            present ? GlobalModule::GetIconImageMethod(stored, 128, QStringLiteral("mask"))
                    : item.IconMask;
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), number);
        rec.IntegerColumn(QStringLiteral("AppUID"), qint64(i));
        rec.IntegerColumn(QStringLiteral("AppSEQ"), qint64(i) + 1);
        rec.Column(QStringLiteral("AppName"), name);
        rec.Column(QStringLiteral("AppPath"), item.AppPath);
        rec.Column(QStringLiteral("Icon"), GlobalModule::StoredIconText(icon));
        rec.Column(QStringLiteral("IconMask"), GlobalModule::StoredIconText(mask));
        db->InsertRecord(QStringLiteral("LauncherList"), rec);
        // A full disk or a lost lock undoes the whole change: nothing of it may stay.
        if (db->Error() && (db->FileFailed() || db->Busy())) {
            abandon(isNew ? addError : editError);
            return;
        }
        if (db->Error())
            GlobalModule::MsgBox(name + QStringLiteral(" add error~!"));
    }
    db->Commit();
    if (db->Error()) {
        GlobalModule::MsgBox(isNew ? addError : editError);
        return;
    }

    if (isNew) {
        auto win = std::make_unique<LauncherWin>();
        win->LauncherWinName = v.name;
        win->setLeft(origin.x());
        win->setTop(origin.y());
        win->setWidth(width);
        win->LauncherWinUID = number;
        applyTo(*win, v);
        win->SpaceForIconSizeValueSelectMethod();
        win->LoadAppListMethod(*db);
        win->MakeAppImageMethod();
        SetTransparencyMBS(win.get(), v.transparency);
        GlobalModule::LauncherWinArr.push_back(std::move(win));
    } else {
        for (const auto& w : GlobalModule::LauncherWinArr) {
            if (w->LauncherWinUID != EditLauncherWinUID)
                continue;
            applyTo(*w, v);
            SetTransparencyMBS(w.get(), v.transparency);
            w->LoadAppListMethod(*db);
            w->MakeAppImageMethod();
            break;
        }
    }
    // The edited window has reloaded the array this list shows.
    AppListBox->listModel()->setItems(LauncherItemArr());
    close();
}
