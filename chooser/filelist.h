#pragma once

#include "listing.h"

#include <QListView>
#include <filesystem>

class NamesModel;

// The file list: every entry of its folder that is not a folder, one of which
// can be selected. A change of path leaves nothing selected. Only the rows on
// screen cost anything to show, so a folder of a million files lists quickly.
class FileList : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    std::filesystem::path path() const { return folder; }
    // Shows the files of `path`, already read by the directory list.
    void setPath(const std::filesystem::path &path, Names files);

    // The bare name of the selected file; empty when nothing is selected.
    std::filesystem::path fileName() const;

private:
    NamesModel *names;
    std::filesystem::path folder;
};
