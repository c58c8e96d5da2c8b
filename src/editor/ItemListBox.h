#pragma once

#include "store/AppListModel.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QImage>
#include <QTableView>
#include <unordered_map>

class QMenu;
class QMimeData;

// The editor's item list as columns of number, icon, name and origin marker: row r is item r
// of an item model, whose changes it passes on to the view as they happen. Each item's list
// icon is decoded once and kept until the item or its pictures change.
class ItemListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ItemListModel(QObject* parent = nullptr);

    AppListModel* items() const { return m_items; }
    // Shows another model's items (none for null); the rows shown before go.
    void setItems(AppListModel* items);

    // The 32-pixel picture of an item's row, with its mask as alpha; null without an icon.
    static QImage ListIcon(const AppListClass& item);

    static constexpr QRgb StripeColor = 0xFFE1E1FF; // RGB(225, 225, 255)

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const AppListClass* itemAt(int row) const;
    QIcon listIconOf(const AppListClass& item) const;
    void forgetIcons(int first, int last);

    AppListModel* m_items = nullptr;
    QList<QMetaObject::Connection> m_itemChanges;
    // Pictures replaced in an item get other keys, which the kept icon is checked against.
    struct KeptIcon {
        qint64 icon = 0, mask = 0;
        qreal dpr = 0;
        QIcon shown;
    };
    mutable std::unordered_map<const AppListClass*, KeptIcon> m_icons;
};

// The list box of the editor: striped rows of number, icon, name and origin marker, several
// rows selectable, rows reordered by dragging, files and folders dropped on it. What the user
// does with it is reported to its owner through the signals below.
class ItemListBox : public QTableView {
    Q_OBJECT

public:
    explicit ItemListBox(QWidget* parent = nullptr);

    ItemListModel* listModel() const { return m_model; }
    // Shows the items of a model (the list does not own it).
    void setItems(AppListModel* items) { m_model->setItems(items); }
    int ListCount() const { return m_model->rowCount(); }
    // The first selected row, or -1.
    int ListIndex() const;
    bool Selected(int row) const;
    void setSelected(int row, bool selected);
    QList<int> selectedRowList() const; // ascending

    // Where rows dragged to a point go: an index into the array without the moved rows.
    int dropPositionAt(const QPoint& viewportPos) const;

    static constexpr const char* RowsMimeType = "application/x-vondrelaskit-editor-rows";

Q_SIGNALS:
    // Emitted before the menu pops up: a receiver connected directly fills it.
    void contextualMenuWanted(QMenu* menu);
    // The text of the chosen entry, emitted from the event loop once the menu has unwound.
    void contextualMenuChosen(const QString& text);
    // A key typed in the list (Backspace and Delete as character 8), before the list's own
    // handling of it.
    void keyPressed(const QString& key);
    // The selected rows were dragged to newPosition, an index into the array without them.
    void rowsDragged(int newPosition, int parentRow);
    // Files or folders were dropped on the list.
    void itemsDropped(const QMimeData* data);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool isOwnRowDrag(const QMimeData* data) const;
    int insertionRowAt(const QPoint& viewportPos) const;
    void layoutColumns();

    ItemListModel* m_model;
    int m_dropLine = -1; // the insertion row a row drag points at, for the indicator
};
