#include "store/AppListModel.h"

#include <algorithm>
#include <iterator>

AppListModel::AppListModel(QObject* parent) : QAbstractListModel(parent) {}

int AppListModel::rowOf(const AppListClass* item) const {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const value_type& i) { return i.get() == item; });
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

void AppListModel::push_back(value_type item) {
    const int row = int(m_items.size());
    beginInsertRows(QModelIndex(), row, row);
    m_items.push_back(std::move(item));
    endInsertRows();
}

void AppListModel::append(AppListArray items) {
    if (items.empty())
        return;
    const int row = int(m_items.size());
    beginInsertRows(QModelIndex(), row, row + int(items.size()) - 1);
    std::move(items.begin(), items.end(), std::back_inserter(m_items));
    endInsertRows();
}

void AppListModel::removeAt(int row) {
    if (row < 0 || row >= int(m_items.size()))
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_items.erase(m_items.begin() + row);
    endRemoveRows();
}

void AppListModel::setItems(AppListArray items) {
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

AppListArray AppListModel::copiedItems() const {
    AppListArray copy;
    copy.reserve(m_items.size());
    for (const auto& item : m_items)
        copy.push_back(std::make_shared<AppListClass>(*item));
    return copy;
}

void AppListModel::itemChanged(int row) {
    if (row < 0 || row >= int(m_items.size()))
        return;
    const QModelIndex i = index(row);
    Q_EMIT dataChanged(i, i);
}

int AppListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant AppListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_items.size()) || role != Qt::DisplayRole)
        return {};
    return m_items[size_t(index.row())]->AppName;
}
