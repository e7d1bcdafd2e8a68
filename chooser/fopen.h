#pragma once

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
    void Drive1Change();
    void Dir1Change();
    void bOKClick();
    void bCancelClick();

private:
    DriveList *Drive1;
    DirList *Dir1;
    FileList *File1;
    QPushButton *bOK;
    QPushButton *bCancel;

    // The drive the dialog opened on: where the drive list goes back to when
    // a chosen drive can't be read.
    QString SavedDrive;
};
