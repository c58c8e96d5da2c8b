#include "editor/NewLauncherWin.h"

#include "editor/EditorControls.h"
#include "editor/ItemListBox.h"
#include "launcher/LauncherWin.h"
#include "platform/Applications.h"
#include "platform/Colours.h"
#include "platform/Desktop.h"
#include "platform/FileDrops.h"
#include "platform/FolderItem.h"
#include "platform/Framework.h"
#include "shared/AppMedia.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "shared/RevealInFolder.h"
#include "shared/SingleDialog.h"
#include "store/IconHelpers.h"
#include "store/IconSizes.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>
#include <unordered_set>

namespace {
constexpr Caption kTitle{"Setting", "런쳐윈도우 셋팅하기"};
constexpr Caption kWindowName{"Launcher Win Title", "런쳐윈도우 제목"};
constexpr Caption kIconSize{"Icon Size", "아이콘 사이즈"};
// Qt reads a single "&" as an access key; doubled, it shows as written.
constexpr Caption kViewTitleMenu{"View Title&&Menu", "제목&&메뉴 아이콘 보기"};
constexpr const Caption& kViewName = CommonCaptions::ViewItemName;
constexpr const Caption& kViewBackPanel = CommonCaptions::ViewBackPanel;
constexpr Caption kTransparent{"Transparent", "투명도설정"};
// After the item count.
constexpr Caption kItems{" items", " 아이템"};
} // namespace

namespace {

// The layout's size; the locked controls keep their distance to the right and bottom edges.
constexpr int kDesignWidth = 344;
constexpr int kDesignHeight = 448;
} // namespace

NewLauncherWin* NewLauncherWin::instance() {
    return SingleDialog<NewLauncherWin>::instance();
}

NewLauncherWin* NewLauncherWin::openInstance() {
    return SingleDialog<NewLauncherWin>::openInstance();
}

NewLauncherWin::NewLauncherWin()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowMinimizeButtonHint),
      m_items(new AppListModel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    Layout();
    _CreateControls0();
    GlobalModule::AddCloseMenuHandler(this);
    Event_Open();
}

void NewLauncherWin::Layout() {
    setWindowTitle(kTitle.English());
    setMinimumSize(344, 400);
    setMaximumSize(600, 32000);
    resize(kDesignWidth, kDesignHeight);
}

namespace {
QLabel* label(QWidget* parent, const QString& text, int size, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setFont(PixelFont(size));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setGeometry(r);
    return l;
}
QPushButton* button(QWidget* parent, const QString& text, const QRect& r) {
    auto* b = new QPushButton(text, parent);
    b->setFont(PixelFont(12));
    b->setGeometry(r);
    b->setAutoDefault(false);
    return b;
}
QCheckBox* checkbox(QWidget* parent, const QString& text, const QRect& r) {
    auto* c = new QCheckBox(text, parent);
    c->setFont(PixelFont(11));
    c->setGeometry(r);
    c->setChecked(true);
    return c;
}
} // namespace

void NewLauncherWin::_CreateControls0() {
    _CreateNameListAndButtons();
    _CreateViewControls();
    _CreateLookControls();
    // The edit field takes the keyboard first; the list follows it.
    NameField->setFocus();
}

// The name, the item list with its count, OK and Cancel.
void NewLauncherWin::_CreateNameListAndButtons() {
    TitleText = label(this, kWindowName.English(), 12, QRect(29, 15, 133, 20));

    NameField = new QLineEdit(this);
    NameField->setFont(PixelFont(12));
    NameField->setGeometry(152, 14, 183, 22);
    connect(NameField, &QLineEdit::textEdited, this, &NewLauncherWin::NameField_TextChange);

    OKButton = button(this, CommonCaptions::OK.English(), QRect(244, 418, 80, 20));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &NewLauncherWin::OKButton_Action);
    CancelButton = button(this, CommonCaptions::Cancel.English(), QRect(152, 418, 80, 20));
    connect(CancelButton, &QPushButton::clicked, this, &NewLauncherWin::CancelButton_Action);

    AppListBox = new ItemListBox(this);
    AppListBox->setFont(PixelFont(12));
    AppListBox->setGeometry(9, 120, 326, 286);
    AppListBox->setItems(m_items);
    connect(AppListBox, &ItemListBox::contextualMenuWanted, this,
            &NewLauncherWin::AppListBox_ConstructContextualMenu, Qt::DirectConnection);
    connect(AppListBox, &ItemListBox::contextualMenuChosen, this,
            &NewLauncherWin::AppListBox_ContextualMenuAction);
    connect(AppListBox, &ItemListBox::keyPressed, this, &NewLauncherWin::AppListBox_KeyDown,
            Qt::DirectConnection);
    connect(AppListBox, &ItemListBox::rowsDragged, this,
            &NewLauncherWin::AppListBox_DragReorderRows);
    connect(AppListBox, &ItemListBox::itemsDropped, this, &NewLauncherWin::AppListBox_DropObject);

    CountText = label(this, QStringLiteral("0 Items"), 12, QRect(9, 418, 117, 20));

    EditCanvas = new PictureCanvas(AppMedia::YellowHueBlob(), true, this);
    EditCanvas->setGeometry(11, 17, 14, 14);
    EditCanvas->hide();
}

// The icon size and what the window shows.
void NewLauncherWin::_CreateViewControls() {
    IconSizeGroupBox = new QGroupBox(kIconSize.English(), this);
    IconSizeGroupBox->setFont(PixelFont(11));
    IconSizeGroupBox->setGeometry(152, 41, 183, 45);

    ViewNameCheckbox = checkbox(this, kViewName.English(), QRect(9, 63, 135, 18));
    connect(ViewNameCheckbox, &QCheckBox::clicked, this, &NewLauncherWin::ViewNameCheckbox_Action);

    // The radio buttons sit in the group box; their places are given in window coordinates.
    const QRect radios[4] = {QRect(160, 60, 40, 20), QRect(201, 60, 40, 20), QRect(241, 60, 40, 20),
                             QRect(284, 60, 45, 20)};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::number(IconSizes[size_t(i)]), IconSizeGroupBox);
        r->setFont(PixelFont(11));
        r->setGeometry(radios[i].translated(-IconSizeGroupBox->pos()));
        r->setChecked(IconSizes[size_t(i)] == DefaultIconSize);
        connect(r, &QRadioButton::clicked, this, [this, i] { IconSizeRAdioButton_Action(i); });
        IconSizeRAdioButton[size_t(i)] = r;
    }

    ViewTitleMenuCheckbox = checkbox(this, kViewTitleMenu.English(), QRect(9, 46, 139, 18));
    connect(ViewTitleMenuCheckbox, &QCheckBox::clicked, this,
            &NewLauncherWin::ViewTitleMenuCheckbox_Action);
    ViewBackpanelCheckbox = checkbox(this, kViewBackPanel.English(), QRect(9, 80, 135, 18));
}

// Transparency and colour.
void NewLauncherWin::_CreateLookControls() {
    TransparentText = label(this, kTransparent.English(), 12, QRect(160, 90, 84, 20));
    TransValuePopupMenu = new QComboBox(this);
    TransValuePopupMenu->setFont(PixelFont(12));
    TransValuePopupMenu->setGeometry(256, 90, 79, 20);
    TransValuePopupMenu->addItems(TransparencyRows());
    TransValuePopupMenu->setCurrentIndex(0);
    connect(TransValuePopupMenu, &QComboBox::activated, this,
            &NewLauncherWin::TransValuePopupMenu_Change);

    ColorRectangle = new ColorRectangleControl(this);
    ColorRectangle->setGeometry(74, 97, 66, 16);
    connect(ColorRectangle, &ColorRectangleControl::pressed, this,
            &NewLauncherWin::ColorRectangle_MouseDown);
    ColorText = label(this, QStringLiteral("Color"), 11, QRect(36, 98, 38, 12));

    // The colour takes part only with the backpanel, however the box gets its value; only
    // the user's click changes the form.
    connect(ViewBackpanelCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        ColorText->setEnabled(on);
        ColorRectangle->setEnabled(on);
    });
    connect(ViewBackpanelCheckbox, &QCheckBox::clicked, this,
            &NewLauncherWin::ViewBackpanelCheckbox_Action);
}

void NewLauncherWin::Event_Open() {
    Status = QStringLiteral("new");
    EditValue = false;
    LocalizeMethod();
    const int index =
        TransparencyRowOf(GlobalModule::MyPref ? GlobalModule::MyPref->TransparentValue : -1);
    if (index >= 0)
        TransValuePopupMenu->setCurrentIndex(index);
    GlobalModule::BringMeFront();
}

void NewLauncherWin::LocalizeMethod() {
    setWindowTitle(kTitle.text());
    TitleText->setText(kWindowName.text());
    IconSizeGroupBox->setTitle(kIconSize.text());
    ViewTitleMenuCheckbox->setText(kViewTitleMenu.text());
    ViewNameCheckbox->setText(kViewName.text());
    ViewBackpanelCheckbox->setText(kViewBackPanel.text());
    TransparentText->setText(kTransparent.text());
    CancelButton->setText(CommonCaptions::Cancel.text());
    OKButton->setText(CommonCaptions::OK.text());
}

void NewLauncherWin::Show() {
    if (!m_placed) {
        // On the main screen, in its middle.
        m_placed = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    }
    GlobalModule::ShowInFront(this);
}

void NewLauncherWin::SetLauncherItemArr(AppListArray items) {
    StopFollowingMethod();
    m_items->setItems(std::move(items));
}

void NewLauncherWin::EditWindowMethod(const LauncherWin& win) {
    EditLauncherWinUID = win.LauncherWinUID;
    // A copy: Cancel leaves the window exactly as stored.
    EditItemsOfMethod(*win.LauncherItemArr);
    NameField->setText(win.LauncherWinName);
    ViewNameCheckbox->setChecked(win.ViewName);
    ViewTitleMenuCheckbox->setChecked(win.ViewTitleMenu);
    ViewBackpanelCheckbox->setChecked(win.ViewBackPanel);
    ColorRectangle->setFillColor(Integer2ColorMBS(win.WinColor));
    // No button for other sizes: the buttons keep their state.
    for (size_t i = 0; i < IconSizeRAdioButton.size(); ++i)
        if (win.IconSize == IconSizes[i])
            IconSizeRAdioButton[i]->setChecked(true);
    const int index = TransparencyRowOf(win.TransparentValue);
    if (index >= 0)
        TransValuePopupMenu->setCurrentIndex(index);
    LoadLauncherItemListMethod();
}

void NewLauncherWin::EditItemsOfMethod(const AppListModel& windowItems) {
    StopFollowingMethod();
    AppListArray copy;
    copy.reserve(windowItems.size());
    for (const auto& item : windowItems) {
        copy.push_back(std::make_shared<AppListClass>(*item));
        m_copyOf.emplace(item.get(), copy.back());
    }
    m_items->setItems(std::move(copy));
    // Gone with the window, or when the list shows other items.
    const AppListModel* w = &windowItems;
    m_windowChanges = {
        connect(w, &QAbstractItemModel::rowsInserted, this,
                [this, w](const QModelIndex&, int first, int last) {
                    for (int row = first; row <= last; ++row)
                        AddCopyMethod((*w)[size_t(row)]);
                    SetCountTextMethod(kItems.text());
                }),
        connect(w, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [this, w](const QModelIndex&, int first, int last) {
                    for (int row = first; row <= last; ++row)
                        RemoveCopyMethod((*w)[size_t(row)].get());
                    SetCountTextMethod(kItems.text());
                }),
        connect(w, &QAbstractItemModel::modelAboutToBeReset, this,
                [this, w] { m_beforeReset = w->items(); }),
        connect(w, &QAbstractItemModel::modelReset, this, [this, w] { FollowResetMethod(*w); }),
    };
}

void NewLauncherWin::StopFollowingMethod() {
    for (const auto& c : m_windowChanges)
        disconnect(c);
    m_windowChanges.clear();
    m_copyOf.clear();
    m_beforeReset.clear();
}

// What the window gained comes at the end of the list, as on the window.
void NewLauncherWin::AddCopyMethod(const std::shared_ptr<AppListClass>& original) {
    auto copy = std::make_shared<AppListClass>(*original);
    m_copyOf[original.get()] = copy;
    m_items->push_back(std::move(copy));
}

// What the window took away goes from the list, wherever the person moved it.
void NewLauncherWin::RemoveCopyMethod(const AppListClass* original) {
    const auto it = m_copyOf.find(original);
    if (it == m_copyOf.end())
        return;
    m_items->removeAt(m_items->rowOf(it->second.get()));
    m_copyOf.erase(it);
}

// A reload gives the window other items: the copies of those it no longer holds go, those
// of the new ones come.
void NewLauncherWin::FollowResetMethod(const AppListModel& windowItems) {
    const AppListArray before = std::exchange(m_beforeReset, {});
    std::unordered_set<const AppListClass*> now, then;
    for (const auto& item : windowItems)
        now.insert(item.get());
    for (const auto& item : before) {
        then.insert(item.get());
        if (!now.contains(item.get()))
            RemoveCopyMethod(item.get());
    }
    for (const auto& item : windowItems)
        if (!then.contains(item.get()))
            AddCopyMethod(item);
    SetCountTextMethod(kItems.text());
}

void NewLauncherWin::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int dw = width() - kDesignWidth;
    const int dh = height() - kDesignHeight;
    NameField->setGeometry(152, 14, 183 + dw, 22);
    OKButton->move(244 + dw, 418 + dh);
    CancelButton->move(152 + dw, 418 + dh);
    AppListBox->setGeometry(9, 120, 326 + dw, 286 + dh);
    CountText->move(9, 418 + dh);
}

void NewLauncherWin::keyPressEvent(QKeyEvent* event) {
    if (!PressDialogButtonForKey(event, OKButton, CancelButton))
        QWidget::keyPressEvent(event);
}

void NewLauncherWin::closeEvent(QCloseEvent* event) {
    // The dialog has no close box: a close request from the window manager is ignored.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    event->accept();
    SingleDialog<NewLauncherWin>::closed(this);
}

void NewLauncherWin::MarkChangedMethod() {
    EditValue = true;
    EditCanvas->show();
}

void NewLauncherWin::SetCountTextMethod(const QString& suffix) {
    CountText->setText(QString::number(AppListBox->ListCount()) + suffix);
}

void NewLauncherWin::NameField_TextChange() {
    MarkChangedMethod();
}

void NewLauncherWin::OKButton_Action() {
    NewMethod();
}

void NewLauncherWin::CancelButton_Action() {
    close();
}

void NewLauncherWin::ViewNameCheckbox_Action() {
    MarkChangedMethod();
}

void NewLauncherWin::IconSizeRAdioButton_Action(int) {
    MarkChangedMethod();
}

void NewLauncherWin::ViewTitleMenuCheckbox_Action() {
    MarkChangedMethod();
}

void NewLauncherWin::ViewBackpanelCheckbox_Action() {
    const bool on = ViewBackpanelCheckbox->isChecked();
    ColorText->setEnabled(on);
    ColorRectangle->setEnabled(on);
    MarkChangedMethod();
}

void NewLauncherWin::TransValuePopupMenu_Change() {
    MarkChangedMethod();
}

bool NewLauncherWin::ColorRectangle_MouseDown() {
    GlobalModule::BringMeFront();
    // The editor may be closed, and deleted, while the picker is open.
    Desktop::instance().chooseColor(
        ColorRectangle->FillColor(), QStringLiteral("Select BackPanel Color"),
        [self = QPointer<NewLauncherWin>(this)](std::optional<QColor> chosen) {
            if (!self || !chosen)
                return;
            self->ColorRectangle->setFillColor(*chosen);
            self->MarkChangedMethod();
        });
    return false;
}

int NewLauncherWin::SelectedIconSize() const {
    for (int i = 0; i < 4; ++i)
        if (IconSizeRAdioButton[size_t(i)]->isChecked())
            return IconSizes[size_t(i)];
    return DefaultIconSize;
}

QPoint NewLauncherWin::NewWindowOrigin(const QSize& screen) {
    return QPoint(RealToInt((screen.width() - 400) / 2.0), RealToInt((screen.height() - 64) / 2.0));
}

// ---- the item list ----

void NewLauncherWin::LoadLauncherItemListMethod() {
    // The list shows the editor's items as they change: the rows are already there.
    Status = QStringLiteral("Edit");
    EditValue = false;
    NameField->setFocus();
    NameField->selectAll();
    EditCanvas->hide();
    SetCountTextMethod(kItems.text());
}

void NewLauncherWin::DropAppMethod(const FolderItem& f) {
    if (f.Exists()) {
        auto item = std::make_shared<AppListClass>();
        item->AppUID = -1;
        item->AppSEQ = AppListBox->ListCount() + 1;
        item->AppName = f.DisplayName();
        item->AppPath = f.AbsolutePath();
        const MaskedPicture pictures = GlobalModule::GetIconAndMaskMethod(f, 128);
        item->Icon = pictures.image;
        item->IconMask = pictures.mask;
        item->NewOldValue = QStringLiteral("new");
        item->f = f;
        m_items->push_back(std::move(item));
    }
    SetCountTextMethod();
    MarkChangedMethod();
}

void NewLauncherWin::AppListBox_DropObject(const QMimeData* data) {
    for (const QString& path : DroppedLocalPaths(data))
        DropAppMethod(FolderItem(path));
}

void NewLauncherWin::AddItemMethod() {
    GlobalModule::BringMeFront();
    const QString title = CommonCaptions::SelectAnyItem.text();
    Desktop::instance().chooseItem(
        title, ApplicationsFolderMBS(0).AbsolutePath(),
        [self = QPointer<NewLauncherWin>(this)](std::optional<QString> chosen) {
            if (self && chosen && !chosen->isEmpty())
                self->DropAppMethod(FolderItem(*chosen));
        });
}

bool NewLauncherWin::AppListBox_ConstructContextualMenu(QMenu* base) {
    const QString entries[5] = {CommonCaptions::AddNewItem.text(), QStringLiteral("-"),
                                CommonCaptions::RevealInFinder.text(), QStringLiteral("-"),
                                CommonCaptions::RemoveItem.text()};
    for (const QString& text : entries) {
        if (text == QLatin1String("-"))
            base->addSeparator();
        else
            base->addAction(text);
    }
    return true;
}

bool NewLauncherWin::AppListBox_ContextualMenuAction(const QString& text) {
    if (AppListBox->ListIndex() == -1)
        return false;
    if (CommonCaptions::AddNewItem.matches(text)) {
        AddItemMethod();
    } else if (CommonCaptions::RevealInFinder.matches(text)) {
        const QList<int> rows = AppListBox->selectedRowList();
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            const AppListClass& item = *(*LauncherItemArr())[size_t(*it)];
            RevealInFolder(item.f.isNull() ? FolderItem(item.AppPath) : item.f);
        }
    } else if (CommonCaptions::RemoveItem.matches(text)) {
        const QList<int> rows = AppListBox->selectedRowList();
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            m_items->removeAt(*it);
        SetCountTextMethod();
        MarkChangedMethod();
    }
    return true;
}

bool NewLauncherWin::AppListBox_KeyDown(const QString& key) {
    if (key == QString(QChar(8))) {
        for (int i = AppListBox->ListCount() - 1; i >= 0; --i) {
            if (AppListBox->Selected(i))
                m_items->removeAt(i);
            MarkChangedMethod();
        }
    }
    SetCountTextMethod();
    return false;
}

bool NewLauncherWin::AppListBox_DragReorderRows(int newPosition, int) {
    MarkChangedMethod();
    ReorderLauncherItemMethod(newPosition);
    return true;
}

void NewLauncherWin::ReorderLauncherItemMethod(int position) {
    AppListArray arr = m_items->items();
    const QList<int> selected = AppListBox->selectedRowList();
    const int k = int(selected.size());

    TempAppArr.clear();
    // The moved items come out in descending row order...
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        TempAppArr.push_back(arr[size_t(*it)]);
        arr.erase(arr.begin() + *it);
    }
    // ...and each goes in at the same index, which puts them back in their own order. A
    // place past the unmoved items means after the last of them.
    const int p = std::clamp(position, 0, int(arr.size()));
    for (const auto& item : TempAppArr)
        arr.insert(arr.begin() + p, item);
    TempAppArr.clear();
    // The rows are laid out anew: scattered rows have no single move.
    m_items->setItems(std::move(arr));

    for (int i = p; i < p + k; ++i)
        AppListBox->setSelected(i, true);
    if (k > 0)
        AppListBox->selectionModel()->setCurrentIndex(AppListBox->listModel()->index(p, 0),
                                                      QItemSelectionModel::NoUpdate);
}
