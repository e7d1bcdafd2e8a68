#pragma once

#include "chooser/listing.h"
#include "common/awaited.h"

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
//
// A folder is read off the window's thread (Awaited). While its drive keeps
// the answer, the list shows the chain down to it, the waiting signal fires,
// and reading(); opening another folder, or another drive, drops it.
class DirList : public QListView {
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    std::filesystem::path path() const { return current; }
    void setPath(const std::filesystem::path &path);
    bool reading() const { return listing.waiting(); }
    // The files of the current folder, read in the same pass as its
    // subfolders; handed over once, to the file list.
    Names takeFiles() { return std::move(files); }

    // Moves to `folder` on the drive whose root is `root`; when the drive's
    // root can't be read (no medium, unplugged, no permission), changes
    // nothing and says so by driveUnreadable.
    void setDrive(const QString &root, const std::filesystem::path &folder);

signals:
    void changed();
    void waiting();
    void driveUnreadable();

private:
    struct Read {
        bool readable = true;
        Listing listing;
    };
    void read(const std::filesystem::path &path, const std::filesystem::path &driveRoot);
    void show(const std::filesystem::path &path, Listing listing);
    void openEntry(const QModelIndex &index);

    FolderModel *rows;
    std::filesystem::path current;
    std::vector<std::filesystem::path> chain;   // the root and every folder down to the current one
    Names files;
    Awaited<Read> listing{this};
};
