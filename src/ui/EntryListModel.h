#pragma once

#include "platform/FolderListing.h"

#include <QAbstractListModel>

#include <memory>
#include <vector>

// The entries a list shows: one folder read, shared and never copied entry by entry, in an order
// of the list's own (order mode exchanges entries without touching the read). Each row is a
// FolderEntry, so every file operation finds the name's bytes behind the text it shows.
class EntryListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Shows the entries in their own order.
    void Reset(std::shared_ptr<const FolderEntries> entries);
    // Shows what another list shows, in its order.
    void CopyFrom(const EntryListModel& other);
    void Exchange(int a, int b);
    // The entry at row from goes to row to; those between close up behind it, in their order.
    void Move(int from, int to);
    // Shows the rows in a new order: rows[i] is the row that comes to place i. Anything that is no
    // reordering of every row changes nothing.
    void Reorder(const std::vector<int>& rows);

    int Count() const { return static_cast<int>(order_.size()); }
    const FolderEntry& Entry(int row) const {
        return (*entries_)[static_cast<std::size_t>(order_[Index(row)])];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }

    std::shared_ptr<const FolderEntries> entries_ = std::make_shared<const FolderEntries>();
    std::vector<int> order_;
};
