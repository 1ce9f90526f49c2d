#include "ui/EntryListModel.h"

#include <algorithm>
#include <numeric>

void EntryListModel::Reset(std::shared_ptr<const FolderEntries> entries) {
    beginResetModel();
    entries_ = entries ? std::move(entries) : std::make_shared<const FolderEntries>();
    order_.resize(entries_->size());
    std::iota(order_.begin(), order_.end(), 0);
    endResetModel();
}

void EntryListModel::CopyFrom(const EntryListModel& other) {
    beginResetModel();
    entries_ = other.entries_;
    order_ = other.order_;
    endResetModel();
}

void EntryListModel::Exchange(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= Count() || b >= Count())
        return;
    std::swap(order_[Index(a)], order_[Index(b)]);
    emit dataChanged(index(a), index(a));
    emit dataChanged(index(b), index(b));
}

void EntryListModel::Move(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count())
        return;
    const auto at = [this](int row) { return order_.begin() + static_cast<std::ptrdiff_t>(row); };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
    emit dataChanged(index(std::min(from, to)), index(std::max(from, to)));
}

void EntryListModel::Reorder(const std::vector<int>& rows) {
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != int(i))
            return;
    if (rows.size() != order_.size() || rows.empty())
        return;
    std::vector<int> order;
    order.reserve(rows.size());
    for (const int row : rows)
        order.push_back(order_[Index(row)]);
    order_ = std::move(order);
    emit dataChanged(index(0), index(Count() - 1));
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Entry(index.row()).Text;
    return {};
}
