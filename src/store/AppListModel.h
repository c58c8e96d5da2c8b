#pragma once

#include "store/AppListClass.h"

#include <QAbstractListModel>

// The items of one launcher window, in display order, and the one way to change them: every
// change is announced through the model's signals, so a view or a copy follows it as it
// happens. Row r is element r; its display text is the item's name.
class AppListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using value_type = std::shared_ptr<AppListClass>;
    using const_iterator = AppListArray::const_iterator;

    explicit AppListModel(QObject* parent = nullptr);

    const AppListArray& items() const { return m_items; }
    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    // The items themselves may be changed through these; a change a view shows is told with
    // itemChanged.
    const value_type& operator[](size_t i) const { return m_items[i]; }
    const value_type& at(size_t i) const { return m_items.at(i); }
    const value_type& front() const { return m_items.front(); }
    const value_type& back() const { return m_items.back(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }
    // The row of an item, or -1.
    int rowOf(const AppListClass* item) const;

    void push_back(value_type item);
    // Adds several at the end, told as one insertion.
    void append(AppListArray items);
    void removeAt(int row);
    void clear() { setItems({}); }
    // Shows other items; the rows shown before go.
    void setItems(AppListArray items);
    // A copy of every item, for a change that is kept apart until it is saved.
    AppListArray copiedItems() const;
    // What row's item shows changed (its name, its icon, its marker).
    void itemChanged(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    AppListArray m_items;
};
