#include "dirlist.h"

#include "chooser/namesmodel.h"
#include "chooser/readahead.h"
#include "platform/drives.h"
#include "platform/folderread.h"
#include "platform/pathtext.h"

#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

// The rows of the directory list: the chain of folders, each open and one
// step further in, then the subfolders, closed and one step further still.
class FolderModel : public NamesModel {
public:
    using NamesModel::NamesModel;
    static constexpr int DepthRole = Qt::UserRole;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DecorationRole)
            return icons[index.row() < leadingRows() ? 0 : 1];
        if (role == DepthRole)
            return std::min(index.row(), leadingRows());
        return NamesModel::data(index, role);
    }

    QIcon icons[2];
};

namespace {

// Draws each row indented by its depth, so the text itself stays the bare
// name that typing and screen readers find.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(Indent * index.data(FolderModel::DepthRole).toInt(), 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }

private:
    static constexpr int Indent = 8;
};

}   // namespace

DirList::DirList(QWidget *parent)
    : QListView(parent)
    , rows(new FolderModel(this))
{
    rows->icons[0] = style()->standardIcon(QStyle::SP_DirOpenIcon);
    rows->icons[1] = style()->standardIcon(QStyle::SP_DirClosedIcon);
    setModel(rows);
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListView::activated, this, &DirList::openEntry);
}

void DirList::setPath(const std::filesystem::path &path)
{
    read(path, {});
}

void DirList::setDrive(const QString &root, const std::filesystem::path &folder)
{
    read(folder, pathFromText(root));
}

// `driveRoot`, when given, is read first: a drive that can't be read at all
// is left as if never chosen.
void DirList::read(const std::filesystem::path &path, const std::filesystem::path &driveRoot)
{
    const bool answered = listing.start(
        [path, driveRoot] {
            Read read;
            read.readable = driveRoot.empty() || canList(driveRoot);
            if (read.readable)
                read.listing = listFolder(path);
            return read;
        },
        [this, path](Read read) {
            if (read.readable)
                show(path, std::move(read.listing));
            else
                emit driveUnreadable();
        });
    if (!answered) {
        show(path, {});
        emit waiting();
    }
}

// The chain of folders down to `path`, then the subfolders of `listing`;
// only the chain while the listing is awaited.
void DirList::show(const std::filesystem::path &path, Listing listing)
{
    current = path;
    chain.clear();
    QStringList chainNames;
    std::filesystem::path step = rootOf(current);
    if (!step.empty()) {
        chain.push_back(step);
        chainNames << pathText(step);
    }
    for (const std::filesystem::path &part : belowRoot(current)) {
        if (part.empty())
            continue;   // the empty name after a trailing separator
        chain.push_back(step /= part);
        chainNames << pathText(part);
    }
    files = std::move(listing.files);
    rows->setRows(chainNames, std::move(listing.folders));
    setCurrentIndex(rows->index(int(chain.size()) - 1));
    if (!reading())
        emit changed();
}

void DirList::openEntry(const QModelIndex &index)
{
    const std::size_t row = std::size_t(index.row());
    setPath(row < chain.size() ? chain[row] : current / rows->stored(index.row()));
}
