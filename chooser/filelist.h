#pragma once

#include <QListWidget>
#include <filesystem>
#include <vector>

// The file list: every entry of its folder that is not a folder, one of which
// can be selected. A change of path leaves nothing selected.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    std::filesystem::path path() const { return folder; }
    void setPath(const std::filesystem::path &path);

    // The bare name of the selected file; empty when nothing is selected.
    std::filesystem::path fileName() const;

private:
    std::filesystem::path folder;
    std::vector<std::filesystem::path> names;
};
