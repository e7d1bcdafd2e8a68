#include "namesmodel.h"

void NamesModel::setRows(QStringList leadingRows, Names sortedNames)
{
    beginResetModel();
    leading = std::move(leadingRows);
    names = std::move(sortedNames);
    endResetModel();
}

int NamesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : leadingRows() + int(names.size());
}

QVariant NamesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return index.row() < leadingRows() ? leading[index.row()] : names.shown(std::size_t(index.row() - leadingRows()));
}
