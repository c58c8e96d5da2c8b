#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "launcher/LauncherWinRow.h"
#include "platform/Colours.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/Transparency.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {
// A new window's width, and the title size every window the editor saves gets.
constexpr int kNewWindowWidth = 400;
constexpr int kEditorTitleTextSize = 14;

constexpr Caption kNoName{"Please Enter New Launcher Window Name",
                          "새로운 런쳐윈도우의 이름을 넣으세요."};
constexpr Caption kAddError{"Add LauncherWin to Database Error~!",
                            "새로운 런쳐 윈도우 생성중 데이타베이스 에러~!"};
constexpr Caption kEditError{"Edit Launcher Win Info Error~!",
                             "런쳐윈도우 정보 수정중 쿼리 및 데이타베이스 에러~!"};
constexpr Caption kDeleteItemsError{"Delete Launcher ITem Error~!",
                                    "아이템 등록 중 기존 정보 삭제시 데이타베이스 에러~!"};

QSize mainScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

QString whereWindow(qint64 uid) {
    return QStringLiteral(" where LauncherWinUID=") + QString::number(uid);
}

// The window's row as the form gives it; its number and place are set by the save.
LauncherWinRow formRow(const NewLauncherWin& form) {
    LauncherWinRow row;
    row.LauncherWinName = form.NameField->text().trimmed();
    row.IconSize = form.SelectedIconSize();
    row.ViewName = form.ViewNameCheckbox->isChecked();
    // An empty window always shows its band and panel: there is nothing else to see.
    const bool empty = form.AppListBox->ListCount() == 0;
    row.ViewTitleMenu = empty || form.ViewTitleMenuCheckbox->isChecked();
    row.ViewBackPanel = empty || form.ViewBackpanelCheckbox->isChecked();
    row.TitleTextSize = kEditorTitleTextSize;
    row.TransparentValue = RealToInt(Val(form.TransValuePopupMenu->currentText()));
    row.WinColor = Color2IntegerMBS(form.ColorRectangle->FillColor());
    return row;
}

// The rows of the items, in the list's order, numbered from 0 (AppSEQ from 1). False when
// the whole change must be undone.
bool writeItemRows(Database& db, qint64 number, const AppListArray& items) {
    for (size_t i = 0; i < items.size(); ++i) {
        const AppListClass& item = *items[i];
        const FolderItem f = item.f.isNull() ? FolderItem(item.AppPath) : item.f;
        // A file that is not there (a volume not mounted) keeps the name and icon it had:
        // taking them from the missing file would replace them by its bare file name and a
        // generic icon.
        const bool present = f.Exists();
        const FolderItem stored(item.AppPath);
        const MaskedPicture made =
            present ? GlobalModule::GetIconAndMaskMethod(stored, 128) : MaskedPicture();
        const StoredPicture icon = present ? StoredPicture(made.image) : item.Icon;
        const StoredPicture mask = present ? StoredPicture(made.mask) : item.IconMask;
        LauncherListRow row;
        row.LauncherWinUID = number;
        row.AppUID = qint64(i);
        row.AppSEQ = qint64(i) + 1;
        row.AppName = present ? f.DisplayName() : item.AppName;
        row.AppPath = item.AppPath;
        row.Icon = GlobalModule::StoredIconText(icon);
        row.IconMask = GlobalModule::StoredIconText(mask);
        db.InsertRecord(LauncherListColumn::Table, row.Record());
        // A full disk or a lost lock undoes the whole change: nothing of it may stay.
        if (db.Error() && (db.FileFailed() || db.Busy()))
            return false;
        if (db.Error())
            GlobalModule::MsgBox(row.AppName + QStringLiteral(" add error~!"));
    }
    return true;
}

// The saved window on screen: a new one joins the list, an edited one takes its new
// settings and items.
void showSavedWindow(Database& db, const LauncherWinRow& row, bool isNew) {
    if (isNew) {
        auto win = std::make_unique<LauncherWin>();
        FillFromRow(*win, row);
        win->setLeft(qint32(row.Left));
        win->setTop(qint32(row.Top));
        win->setWidth(qint32(row.Width));
        win->SpaceForIconSizeValueSelectMethod();
        win->LoadAppListMethod(db);
        win->MakeAppImageMethod();
        SetTransparencyMBS(win.get(), win->TransparentValue);
        win->KeepStoredPlace(QPoint(qint32(row.Left), qint32(row.Top)), qint32(row.Width));
        GlobalModule::AddLauncherWin(std::move(win));
        return;
    }
    for (const auto& w : GlobalModule::LauncherWinArr) {
        if (w->LauncherWinUID != row.LauncherWinUID)
            continue;
        FillFromRow(*w, row);
        SetTransparencyMBS(w.get(), w->TransparentValue);
        w->LoadAppListMethod(db);
        w->MakeAppImageMethod();
        break;
    }
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

    LauncherWinRow row = formRow(*this);
    if (row.LauncherWinName.isEmpty()) {
        GlobalModule::MsgBox(kNoName.text());
        NameField->setFocus();
        return;
    }
    const bool isNew = TextEquals(Status, QStringLiteral("new"));
    const bool isEdit = TextEquals(Status, QStringLiteral("edit"));
    if (!isNew && !isEdit)
        return;

    const QString addError = kAddError.text();
    const QString editError = kEditError.text();
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

    if (isNew) {
        row.LauncherWinUID = GetMaxLauncherWinUIDMethod(*db);
        if (row.LauncherWinUID == -1) {
            abandon(QStringLiteral("Get Max UID Error~!"));
            return;
        }
        const QPoint origin = NewWindowOrigin(mainScreenSize());
        row.Left = origin.x();
        row.Top = origin.y();
        row.Width = kNewWindowWidth;
        db->InsertRecord(LauncherWinColumn::Table, row.Record());
        if (db->Error()) {
            abandon(addError);
            return;
        }
    } else {
        row.LauncherWinUID = EditLauncherWinUID;
        auto rs = db->SQLSelect(QStringLiteral("Select * from ") + LauncherWinColumn::Table +
                                whereWindow(row.LauncherWinUID));
        // A row deleted meanwhile cannot be edited: its items must not be written either.
        if (!rs || rs->Eof()) {
            abandon(editError);
            return;
        }
        rs->Edit();
        row.WriteEditorColumns(*rs);
        rs->Update();
        // An update that did not take would close the dialog as if the change were saved.
        if (db->Error()) {
            abandon(editError);
            return;
        }
    }

    db->SQLExecute(QStringLiteral("Delete from ") + LauncherListColumn::Table +
                   whereWindow(row.LauncherWinUID));
    if (db->Error()) {
        abandon(kDeleteItemsError.text());
        return;
    }

    if (!writeItemRows(*db, row.LauncherWinUID, m_items->items())) {
        abandon(isNew ? addError : editError);
        return;
    }
    db->Commit();
    if (db->Error()) {
        GlobalModule::MsgBox(isNew ? addError : editError);
        return;
    }

    showSavedWindow(*db, row, isNew);
    close();
}
