#pragma once

#include "listing.h"

#include <QListView>
#include <filesystem>
#include <vector>

class FolderModel;

// The directory list: the chain of folders from the drive's root down to the
// current folder, then the current folder's subfolders. Opening an entry
// (double-click or Enter) makes it the current folder; an entry of the chain
// goes up to it, the last one reads the current folder again. The change
// signal fires whenever a folder is read, the same one again too. The folder
// is read once, for its files too, which the file list then shows.
class DirList : public QListView {
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    std::filesystem::path path() const { return current; }
    void setPath(std::filesystem::path path);
    // The files of the current folder, read in the same pass as its
    // subfolders; handed over once, to the file list.
    Names takeFiles() { return std::move(files); }

    // Moves to `folder` on the drive whose root is `root`; fails, changing
    // nothing, when the drive's root can't be read (no medium, unplugged, no
    // permission).
    bool setDrive(const QString &root, const std::filesystem::path &folder);

signals:
    void changed();

private:
    void openEntry(const QModelIndex &index);

    FolderModel *rows;
    std::filesystem::path current;
    std::vector<std::filesystem::path> chain;   // the root and every folder down to the current one
    Names files;
};
