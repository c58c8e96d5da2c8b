#pragma once

#include "shared/SingleDialog.h"

#include "store/AppListClass.h"

#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>

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
// Nothing is written before OK; in edit mode the item list is the window's own item array.
class NewLauncherWin : public QWidget {
    Q_OBJECT

public:
    // The open instance, or a new one (its Open event has run when this returns).
    static NewLauncherWin* instance();
    // The open instance, or null.
    static NewLauncherWin* openInstance();
    void Show();

    // The items of the list, in list order. Setting another array shows its rows at once.
    const AppListArrayPtr& LauncherItemArr() const;
    void SetLauncherItemArr(AppListArrayPtr items);
    // Edits a copy of a launcher window's items: the window keeps what it has stored until
    // OK saves. What the window itself adds or removes meanwhile (a drop, a removal) is
    // added to or removed from the copy.
    void EditItemsOfMethod(LauncherWin& win);

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

    void FollowWindowItemsMethod(const LauncherWin& win);

    bool m_placed = false;
    // The edited window's items as last seen, kept alive so that their addresses stay
    // theirs, and the item of the window each copy in the list was made from.
    AppListArray m_windowItems;
    QHash<const AppListClass*, const AppListClass*> m_originalOf;
    QMetaObject::Connection m_windowChanges;
};
