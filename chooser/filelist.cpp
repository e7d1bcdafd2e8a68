#include "filelist.h"

#include "chooser/namesmodel.h"

#include <QKeyEvent>
#include <QLabel>

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , names(new NamesModel(this))
    , readingNotice(new QLabel(QStringLiteral("Map wordt gelezen…"), viewport()))
{
    readingNotice->setObjectName(QStringLiteral("readingNotice"));
    readingNotice->setAlignment(Qt::AlignCenter);
    readingNotice->setWordWrap(true);
    readingNotice->hide();
    setModel(names);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void FileList::setPath(const std::filesystem::path &path, Names files)
{
    folder = path;
    names->setRows({}, std::move(files));
    readingNotice->hide();
}

void FileList::showReading()
{
    names->setRows({}, {});
    readingNotice->setGeometry(viewport()->rect());
    readingNotice->show();
}

bool FileList::showsReading() const
{
    return !readingNotice->isHidden();
}

// Home selects the first file, as End selects the last: when the list takes
// the focus its first row is current but not selected, and moving the
// current row onto itself would select nothing.
void FileList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier && model()->rowCount() > 0) {
        setCurrentIndex(model()->index(0, 0));
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

std::filesystem::path FileList::fileName() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::filesystem::path() : std::filesystem::path(names->stored(selected.first().row()));
}
