#pragma once

#include "shared/SingleDialog.h"

#include "store/AppListModel.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <unordered_map>

class ColorRectangleControl;
class Database;
class FolderItem;
class ItemListBox;
class LauncherWin;
class PictureCanvas;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QRadioButton;

// The launcher-window editor: creates a launcher window ("new") or changes one ("Edit").
// Nothing is written before OK; in edit mode the item list shows a copy of the window's items.
class NewLauncherWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one (its Open event has run when this returns).
    static NewLauncherWin* instance();
    // The open instance, or null.
    static NewLauncherWin* openInstance();
    void Show();

    // The items of the list, in list order: the editor's own, which the list shows.
    AppListModel* LauncherItemArr() const { return m_items; }
    // Other items for the list, followed by nothing.
    void SetLauncherItemArr(AppListArray items);
    // The form filled from a launcher window, its settings and a copy of its items, in edit
    // mode: the window keeps what it has stored until OK saves.
    void EditWindowMethod(const LauncherWin& win);
    // Edits a copy of a window's items. What the window itself adds or removes meanwhile (a
    // drop, a removal, a reload) is added to or removed from the copy.
    void EditItemsOfMethod(const AppListModel& windowItems);

    bool EditValue = false;
    QString Status;
    qint64 EditLauncherWinUID = 0;
    AppListArray TempAppArr;

    // Controls.
    QLabel* TitleText = nullptr;
    QLineEdit* NameField = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    ItemListBox* AppListBox = nullptr;
    QLabel* CountText = nullptr;
    PictureCanvas* EditCanvas = nullptr;
    QGroupBox* IconSizeGroupBox = nullptr;
    QCheckBox* ViewNameCheckbox = nullptr;
    std::array<QRadioButton*, 4> IconSizeRAdioButton{};
    QCheckBox* ViewTitleMenuCheckbox = nullptr;
    QCheckBox* ViewBackpanelCheckbox = nullptr;
    QLabel* TransparentText = nullptr;
    QComboBox* TransValuePopupMenu = nullptr;
    ColorRectangleControl* ColorRectangle = nullptr;
    QLabel* ColorText = nullptr;

    // Control handlers.
    void NameField_TextChange();
    void OKButton_Action();
    void CancelButton_Action();
    void ViewNameCheckbox_Action();
    void IconSizeRAdioButton_Action(int index);
    void ViewTitleMenuCheckbox_Action();
    void ViewBackpanelCheckbox_Action();
    void TransValuePopupMenu_Change();
    bool ColorRectangle_MouseDown();

    // Item list handlers.
    void AppListBox_DropObject(const QMimeData* data);
    bool AppListBox_ConstructContextualMenu(QMenu* base);
    bool AppListBox_ContextualMenuAction(const QString& hitItemText);
    bool AppListBox_KeyDown(const QString& key);
    bool AppListBox_DragReorderRows(int newPosition, int parentRow);

    // Methods.
    void NewMethod();
    void LoadLauncherItemListMethod();
    qint64 GetMaxLauncherWinUIDMethod(Database& db);
    void DropAppMethod(const FolderItem& f);
    void ReorderLauncherItemMethod(int position);
    void LocalizeMethod();
    void AddItemMethod();

    // The form is marked changed: OK saves only then.
    void MarkChangedMethod();
    void SetCountTextMethod(const QString& suffix = QStringLiteral(" items"));

    // The icon size of the radio button that is on.
    int SelectedIconSize() const;
    // Where a new launcher window 400 wide goes on a screen of the given size.
    static QPoint NewWindowOrigin(const QSize& screen);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleDialog<NewLauncherWin>;
    NewLauncherWin();
    void Layout();
    void _CreateControls0();
    void _CreateNameListAndButtons();
    void _CreateViewControls();
    void _CreateLookControls();
    void Event_Open();

    // Following the edited window's items.
    void StopFollowingMethod();
    void AddCopyMethod(const std::shared_ptr<AppListClass>& original);
    void RemoveCopyMethod(const AppListClass* original);
    void FollowResetMethod(const AppListModel& windowItems);

    bool m_placed = false;
    AppListModel* m_items;
    // The copy made of each item the edited window holds (the list may no longer show it),
    // and the window's items before a reset, to tell what the reset changed.
    std::unordered_map<const AppListClass*, std::shared_ptr<AppListClass>> m_copyOf;
    AppListArray m_beforeReset;
    QList<QMetaObject::Connection> m_windowChanges;
};
