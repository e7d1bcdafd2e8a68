#pragma once

#include "chooser/listing.h"

#include <QAbstractListModel>
#include <QStringList>

// A list of a folder's sorted names after a few rows of its own (the
// directory list's chain of folders). A name is made text only when a view
// asks for its row, so a folder of a million files costs no million strings.
class NamesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setRows(QStringList leading, Names names);
    int leadingRows() const { return int(leading.size()); }
    // The name of a row past the leading ones, as stored.
    NativeName stored(int row) const { return names.stored(std::size_t(row - leadingRows())); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QStringList leading;
    Names names;
};
