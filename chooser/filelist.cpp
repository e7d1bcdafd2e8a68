#include "filelist.h"

#include "namesmodel.h"

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , names(new NamesModel(this))
{
    setModel(names);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void FileList::setPath(const std::filesystem::path &path, Names files)
{
    folder = path;
    names->setRows({}, std::move(files));
}

std::filesystem::path FileList::fileName() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::filesystem::path() : std::filesystem::path(names->stored(selected.first().row()));
}
