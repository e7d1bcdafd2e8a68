#include "fopen.h"

#include "chooser/composepath.h"
#include "chooser/dirlist.h"
#include "chooser/drivelist.h"
#include "chooser/filelist.h"
#include "common/controls.h"
#include "common/module1.h"
#include "platform/closewait.h"

#include <QCloseEvent>
#include <QPushButton>

fOpen::fOpen(const DriveSource &drives)
{
    setObjectName(QStringLiteral("fOpen"));
    setWindowTitle(QStringLiteral("Bestand Openen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(397, 279);

    Drive1 = new DriveList(this);
    Drive1->setGeometry(18, 8, 141, 21);
    Dir1 = new DirList(this);
    Dir1->setGeometry(12, 110, 139, 152);
    File1 = new FileList(this);
    File1->setGeometry(168, 8, 153, 240);
    bOK = makeButton(QStringLiteral("OK"), {334, 10, 57, 51}, 18, this);
    bCancel = makeButton(QStringLiteral("Cancel"), {334, 70, 57, 41}, 12, this);
    nameControl(Drive1, "Drive1", QStringLiteral("Station"), QStringLiteral("Het station waarop u een bestand zoekt"));
    nameControl(Dir1, "Dir1", QStringLiteral("Mappen"),
                QStringLiteral("De mappen van het station; open een map met Enter of dubbelklikken"));
    nameControl(File1, "File1", QStringLiteral("Bestanden"), QStringLiteral("De bestanden in de geopende map"));
    nameControl(bOK, "bOK", QStringLiteral("OK"), QStringLiteral("Toont het gekozen bestand en sluit dit venster"));
    nameControl(bCancel, "bCancel", QStringLiteral("Annuleren"),
                QStringLiteral("Sluit dit venster zonder een bestand te kiezen"));

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, bOK);
    setTabOrder(bOK, bCancel);
    Drive1->setFocus();

    connect(Drive1, &DriveList::changed, this, &fOpen::openDrive);
    connect(Dir1, &DirList::changed, this, &fOpen::openFolder);
    connect(Dir1, &DirList::waiting, this, &fOpen::showReading);
    connect(Dir1, &DirList::driveUnreadable, this, &fOpen::driveUnreadable);
    connect(bOK, &QPushButton::clicked, this, &fOpen::choose);
    connect(bCancel, &QPushButton::clicked, this, &fOpen::chooseNothing);

    // All three lists start at the program's working folder.
    showReading();
    drivesRead.start(drives, [this](const QStringList &roots) {
        Drive1->setDrives(roots);
        SavedDrive = Drive1->drive();
        Dir1->setPath(Drive1->currentFolder());
    });
}

void fOpen::openDrive()
{
    Dir1->setDrive(Drive1->drive(), Drive1->currentFolder());
}

void fOpen::openFolder()
{
    File1->setPath(Dir1->path(), Dir1->takeFiles());
    unsetCursor();
}

// A drive that can't be read sends the list back, without a word, to the
// drive the dialog opened on. Should that one fail too, the lists stay as
// they are, and the chain ends.
void fOpen::driveUnreadable()
{
    if (Drive1->drive() != SavedDrive)
        Drive1->setDrive(SavedDrive);
    else if (File1->showsReading())
        openFolder();
}

void fOpen::showReading()
{
    File1->showReading();
    setCursor(Qt::BusyCursor);
}

void fOpen::choose()
{
    if (Dir1->reading() || drivesRead.waiting())
        return;   // the file list shows no choice yet
    Module1::SelectedPath = composePath(File1->path(), File1->fileName());
    emit chosen();
    close();
}

void fOpen::chooseNothing()
{
    Module1::SelectedPath.clear();
    close();
}

void fOpen::closeEvent(QCloseEvent *event)
{
    if (putOffUntilLastFrameDone(this, event))
        return;
    emit closing();
    QWidget::closeEvent(event);
}
