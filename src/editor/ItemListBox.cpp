#include "editor/ItemListBox.h"

#include "platform/FileDrops.h"
#include "store/IconHelpers.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

ItemListModel::ItemListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ItemListModel::setItems(AppListModel* items) {
    beginResetModel();
    for (const auto& c : m_itemChanges)
        disconnect(c);
    m_itemChanges.clear();
    m_icons.clear();
    m_items = items;
    if (items) {
        m_itemChanges = {
            connect(items, &QAbstractItemModel::rowsAboutToBeInserted, this,
                    [this](const QModelIndex&, int first, int last) {
                        beginInsertRows(QModelIndex(), first, last);
                    }),
            connect(items, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); }),
            connect(items, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                    [this](const QModelIndex&, int first, int last) {
                        forgetIcons(first, last);
                        beginRemoveRows(QModelIndex(), first, last);
                    }),
            connect(items, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); }),
            connect(items, &QAbstractItemModel::modelAboutToBeReset, this,
                    [this] {
                        beginResetModel();
                        m_icons.clear();
                    }),
            connect(items, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); }),
            connect(items, &QAbstractItemModel::dataChanged, this,
                    [this](const QModelIndex& from, const QModelIndex& to) {
                        forgetIcons(from.row(), to.row());
                        Q_EMIT dataChanged(index(from.row(), 0),
                                           index(to.row(), columnCount() - 1));
                    }),
            // A model that goes takes its rows with it.
            connect(items, &QObject::destroyed, this,
                    [this] {
                        m_items = nullptr; // never read again, not even by the reset
                        beginResetModel();
                        m_itemChanges.clear();
                        m_icons.clear();
                        endResetModel();
                    }),
        };
    }
    endResetModel();
}

void ItemListModel::forgetIcons(int first, int last) {
    for (int row = first; row <= last; ++row)
        if (const AppListClass* item = itemAt(row))
            m_icons.erase(item);
}

QImage ItemListModel::ListIcon(const AppListClass& item) {
    // The icon fitted into the box through its mask fitted alike, decoded at the size drawn;
    // outside the fitted rectangle the box stays transparent.
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    return GlobalModule::FittedIconPicture(item.Icon, item.IconMask, 32, dpr);
}

const AppListClass* ItemListModel::itemAt(int row) const {
    if (!m_items || row < 0 || row >= int(m_items->size()))
        return nullptr;
    return (*m_items)[size_t(row)].get();
}

QIcon ItemListModel::listIconOf(const AppListClass& item) const {
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    KeptIcon& kept = m_icons[&item];
    if (kept.dpr == dpr && kept.icon == item.Icon.cacheKey() &&
        kept.mask == item.IconMask.cacheKey())
        return kept.shown;
    kept = {item.Icon.cacheKey(), item.IconMask.cacheKey(), dpr, QIcon()};
    const QImage pic = ListIcon(item);
    if (!pic.isNull()) {
        // A selected row shows the icon as it is, not tinted.
        const QPixmap pm = QPixmap::fromImage(pic);
        kept.shown.addPixmap(pm, QIcon::Normal);
        kept.shown.addPixmap(pm, QIcon::Selected);
    }
    return kept.shown;
}

int ItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_items ? 0 : int(m_items->size());
}

int ItemListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (role == Qt::BackgroundRole)
        return row % 2 == 0 ? QVariant(QBrush(QColor::fromRgb(StripeColor))) : QVariant();
    const AppListClass* item = itemAt(row);
    if (!item)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0:
            return QString::number(row + 1);
        case 2:
            return item->AppName;
        case 3:
            return item->NewOldValue;
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() == 1) {
            const QIcon icon = listIconOf(*item);
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

ItemListBox::ItemListBox(QWidget* parent) : QTableView(parent), m_model(new ItemListModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setIconSize(QSize(32, 32));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Shift+Tab go on to the next and previous control, as in every list of a form.
    setTabKeyNavigation(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(34);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setCornerButtonEnabled(false);
    // Rows are dragged only inside the list; files come in from outside.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false); // drawn by paintEvent, between rows
    setContextMenuPolicy(Qt::DefaultContextMenu);
    layoutColumns();
}

void ItemListBox::layoutColumns() {
    QHeaderView* h = horizontalHeader();
    h->setMinimumSectionSize(1);
    h->setSectionResizeMode(QHeaderView::Fixed);
    h->resizeSection(0, 50);
    h->resizeSection(1, 50);
    h->resizeSection(3, 40);
    h->setSectionResizeMode(2, QHeaderView::Stretch);
}

void ItemListBox::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    layoutColumns();
}

int ItemListBox::ListIndex() const {
    const QList<int> rows = selectedRowList();
    return rows.isEmpty() ? -1 : rows.first();
}

bool ItemListBox::Selected(int row) const {
    return selectionModel()->isRowSelected(row, QModelIndex());
}

void ItemListBox::setSelected(int row, bool selected) {
    if (row < 0 || row >= ListCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->select(
        index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                   QItemSelectionModel::Rows);
}

QList<int> ItemListBox::selectedRowList() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ItemListBox::insertionRowAt(const QPoint& viewportPos) const {
    const int n = ListCount();
    if (viewportPos.y() < 0)
        return 0;
    const int row = rowAt(viewportPos.y());
    if (row < 0)
        return n;
    const QRect r = visualRect(m_model->index(row, 0));
    return viewportPos.y() < r.center().y() ? row : row + 1;
}

int ItemListBox::dropPositionAt(const QPoint& viewportPos) const {
    // The rows between which the pointer is, counted without the rows being moved.
    const int insertion = insertionRowAt(viewportPos);
    int before = 0;
    for (int r : selectedRowList())
        if (r < insertion)
            ++before;
    return insertion - before;
}

void ItemListBox::contextMenuEvent(QContextMenuEvent* event) {
    // The menu returns at once and deletes itself when it closes: the chosen entry is
    // dispatched from the event loop, after the menu's own handling of the click.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    Q_EMIT contextualMenuWanted(menu);
    connect(menu, &QMenu::triggered, this, [this](QAction* a) {
        QMetaObject::invokeMethod(
            this, [this, text = a->text()] { Q_EMIT contextualMenuChosen(text); },
            Qt::QueuedConnection);
    });
    menu->popup(event->globalPos());
    event->accept();
}

void ItemListBox::keyPressEvent(QKeyEvent* event) {
    // Backspace is the Mac's Delete key; the forward Delete key does the same here.
    QString key = event->text();
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        key = QString(QChar(8));
    Q_EMIT keyPressed(key);
    QTableView::keyPressEvent(event);
}

bool ItemListBox::isOwnRowDrag(const QMimeData* data) const {
    return data && data->hasFormat(QLatin1String(RowsMimeType)) &&
           data->data(QLatin1String(RowsMimeType)) == QByteArray::number(quintptr(this));
}

void ItemListBox::startDrag(Qt::DropActions) {
    if (selectedRowList().isEmpty())
        return;
    // The drag names this list only: the rows cannot be dropped anywhere else.
    auto* data = new QMimeData;
    data->setData(QLatin1String(RowsMimeType), QByteArray::number(quintptr(this)));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QModelIndex first = m_model->index(ListIndex(), 2);
    const QRect r = visualRect(first);
    if (r.isValid())
        drag->setPixmap(viewport()->grab(r));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    m_dropLine = -1;
    viewport()->update();
}

void ItemListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (isOwnRowDrag(event->mimeData())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else if (!AcceptFileDropAsCopy(event)) {
        event->ignore();
    }
}

void ItemListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (isOwnRowDrag(event->mimeData())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        const QPoint at = event->position().toPoint();
        const int line = insertionRowAt(at);
        if (line != m_dropLine) {
            m_dropLine = line;
            viewport()->update();
        }
        // Near the top or bottom edge a long list scrolls under the dragged rows.
        if (at.y() < autoScrollMargin() || at.y() > viewport()->height() - autoScrollMargin())
            startAutoScroll();
    } else if (!AcceptFileDropAsCopy(event)) {
        event->ignore();
    }
}

void ItemListBox::dragLeaveEvent(QDragLeaveEvent* event) {
    stopAutoScroll();
    m_dropLine = -1;
    viewport()->update();
    event->accept();
}

void ItemListBox::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    m_dropLine = -1;
    viewport()->update();
    if (isOwnRowDrag(event->mimeData())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        Q_EMIT rowsDragged(dropPositionAt(event->position().toPoint()), -1);
        return;
    }
    if (!AcceptFileDropAsCopy(event)) {
        event->ignore();
        return;
    }
    Q_EMIT itemsDropped(event->mimeData());
}

void ItemListBox::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (m_dropLine < 0)
        return;
    int y = 0;
    if (m_dropLine < ListCount())
        y = visualRect(m_model->index(m_dropLine, 0)).top();
    else if (ListCount() > 0)
        y = visualRect(m_model->index(ListCount() - 1, 0)).bottom() + 1;
    QPainter p(viewport());
    p.fillRect(QRect(0, qMax(0, y - 1), viewport()->width(), 2), palette().highlight());
}
