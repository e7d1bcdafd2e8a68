#pragma once

#include "chooser/listing.h"

#include <QListView>
#include <filesystem>

class NamesModel;
class QLabel;

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
    // Empty, saying that its folder is being read, until the next setPath.
    void showReading();
    bool showsReading() const;

    // The bare name of the selected file; empty when nothing is selected.
    std::filesystem::path fileName() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    NamesModel *names;
    QLabel *readingNotice;
    std::filesystem::path folder;
};
