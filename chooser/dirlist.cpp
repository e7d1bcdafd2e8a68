#include "dirlist.h"

#include "listing.h"
#include "pathtext.h"

#include <QStyle>

DirList::DirList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &DirList::openEntry);
}

void DirList::setPath(const std::filesystem::path &path)
{
    const bool changes = path != current;
    current = path;
    clear();
    entries.clear();

    int depth = 0;
    std::filesystem::path chain = current.root_path();
    if (!chain.empty())
        addEntry(chain, depth++, QStyle::SP_DirOpenIcon);
    for (const std::filesystem::path &part : current.relative_path()) {
        if (part.empty())
            continue;   // the empty name after a trailing separator
        chain /= part;
        addEntry(chain, depth++, QStyle::SP_DirOpenIcon);
    }
    setCurrentRow(depth - 1);
    for (const std::filesystem::path &folder : listFolder(current).folders)
        addEntry(current / folder, depth, QStyle::SP_DirClosedIcon);

    if (changes)
        emit changed();
}

bool DirList::setDrive(const QString &root, const std::filesystem::path &folder)
{
    if (!canList(pathFromText(root)))
        return false;
    setPath(folder);
    return true;
}

void DirList::openEntry(QListWidgetItem *item)
{
    setPath(entries.at(row(item)));
}

void DirList::addEntry(const std::filesystem::path &path, int depth, QStyle::StandardPixmap icon)
{
    const QString name = path.has_filename() ? pathText(path.filename()) : pathText(path);
    auto *item = new QListWidgetItem(style()->standardIcon(icon), QString(depth * 2, QLatin1Char(' ')) + name);
    addItem(item);
    entries.push_back(path);
}
