#include "filelist.h"

#include <QStringListModel>

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , names(new QStringListModel(this))
{
    setModel(names);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void FileList::setPath(const std::filesystem::path &path, Names files)
{
    folder = path;
    bytes = std::move(files.bytes);
    names->setStringList(files.shown);
}

std::filesystem::path FileList::fileName() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::filesystem::path() : bytes.at(std::size_t(selected.first().row()));
}
