#pragma once

#include <QListWidget>
#include <filesystem>
#include <vector>

// The directory list: the chain of folders from the drive's root down to the
// current folder, then the current folder's subfolders. Opening an entry
// (double-click or Enter) makes it the current folder; an entry of the chain
// goes up to it. The change signal fires whenever the path changes.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    std::filesystem::path path() const { return current; }
    void setPath(const std::filesystem::path &path);

    // Moves to `folder` on the drive whose root is `root`; fails, changing
    // nothing, when the drive's root can't be read (no medium, unplugged, no
    // permission).
    bool setDrive(const QString &root, const std::filesystem::path &folder);

signals:
    void changed();

private:
    void openEntry(QListWidgetItem *item);
    void addEntry(const std::filesystem::path &path, int depth, QStyle::StandardPixmap icon);

    std::filesystem::path current;
    std::vector<std::filesystem::path> entries;   // the full path of every row
};
