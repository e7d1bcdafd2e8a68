#include "filelist.h"

#include "listing.h"
#include "pathtext.h"

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPath(const std::filesystem::path &path)
{
    folder = path;
    clear();
    names = listFolder(folder).files;
    for (const std::filesystem::path &name : names)
        addItem(pathText(name));
}

std::filesystem::path FileList::fileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? std::filesystem::path() : names.at(row(selected.first()));
}
