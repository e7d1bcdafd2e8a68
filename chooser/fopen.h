#pragma once

#include "common/awaited.h"
#include "platform/drives.h"

#include <QString>
#include <QWidget>

class DirList;
class DriveList;
class FileList;
class QPushButton;

// The file chooser: a window of its own, shown beside the main window without
// blocking it. "OK" puts the chosen file's path into Module1::SelectedPath,
// "Cancel" empties it; both close the window, which then goes away.
//
// Names. The window and its controls keep the names of the program's design
// (see Form1); every other name is the code's own.
//   fOpen       this window, "Bestand Openen"
//   Drive1      the drive list (a drop-down list)
//   Dir1        the folder list: the current folder's path and its folders
//   File1       the file list: the files of the folder open in Dir1
//   bOK         the "OK" button: chooses the selected file
//   bCancel     the "Cancel" button: chooses nothing
//   SavedDrive  the drive the window opened on
// The choice goes to the main window in Module1::SelectedPath.
//
// Every list is read off the window's thread (Awaited). While a folder is
// read the file list says so and the pointer is busy; "OK" waits for nothing
// and is refused, every other control works.
class fOpen : public QWidget {
    Q_OBJECT
public:
    explicit fOpen(const DriveSource &drives = systemDrives);

signals:
    // "OK" made a choice: a new attempt, even at a path chosen before.
    void chosen();
    // The window is closing, by "OK", "Cancel" or its close control, and
    // still holds the focus: the moment to hand the activation on.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void openDrive();
    void openFolder();
    void choose();
    void chooseNothing();
    void showReading();
    void driveUnreadable();

private:
    DriveList *Drive1;
    DirList *Dir1;
    FileList *File1;
    QPushButton *bOK;
    QPushButton *bCancel;

    // Where the drive list goes back to when a chosen drive can't be read.
    QString SavedDrive;
    Awaited<QStringList> drivesRead{this};
};
