#pragma once

#include "store/AppListClass.h"

#include <QAbstractTableModel>
#include <QImage>
#include <QTableView>

class QMenu;
class QMimeData;

// The editor's item list reads the item array itself: row r is element r, and the row count
// the view knows is the one announced through the model's signals.
class ItemListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ItemListModel(QObject* parent = nullptr);

    const AppListArrayPtr& items() const { return m_items; }
    // Shows another array; the rows shown before go.
    void setItems(AppListArrayPtr items);

    // Changes of the array made through the model, so the view follows each of them.
    void append(std::shared_ptr<AppListClass> item);
    void removeAt(int row);
    void beginRearrange() { beginResetModel(); }
    void endRearrange();

    // A change no owner told of: the rows are rebuilt when the count no longer matches.
    void sync();
    bool outOfStep() const { return m_rows != int(m_items->size()); }

    // The 32-pixel picture of an item's row, with its mask as alpha; null without an icon.
    static QImage ListIcon(const AppListClass& item);

    static constexpr QRgb StripeColor = 0xFFE1E1FF; // RGB(225, 225, 255)

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const AppListClass* itemAt(int row) const;

    AppListArrayPtr m_items;
    int m_rows = 0;
};

// The list box of the editor: striped rows of number, icon, name and origin marker, several
// rows selectable, rows reordered by dragging, files and folders dropped on it. What the user
// does with it is reported to its owner through the signals below.
class ItemListBox : public QTableView {
    Q_OBJECT

public:
    explicit ItemListBox(QWidget* parent = nullptr);

    ItemListModel* listModel() const { return m_model; }
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
    // A key typed in the list (Backspace and Delete as character 8); a receiver connected
    // directly sets *handled to keep the list's own handling from running.
    void keyPressed(const QString& key, bool* handled);
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
