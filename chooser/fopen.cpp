#include "fopen.h"

#include "common/controls.h"
#include "common/module1.h"
#include "composepath.h"
#include "dirlist.h"
#include "drivelist.h"
#include "filelist.h"
#include "platform/closewait.h"

#include <QCloseEvent>
#include <QPushButton>

fOpen::fOpen(const DriveSource &drives)
{
    setObjectName(QStringLiteral("fOpen"));
    setWindowTitle(QStringLiteral("Bestand Openen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(397, 279);

    Drive1 = new DriveList(drives, this);
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

    // All three lists start at the program's working folder.
    Dir1->setPath(Drive1->currentFolder());
    File1->setPath(Dir1->path(), Dir1->takeFiles());
    SavedDrive = Drive1->drive();

    connect(Drive1, &DriveList::changed, this, &fOpen::openDrive);
    connect(Dir1, &DirList::changed, this, &fOpen::openFolder);
    connect(bOK, &QPushButton::clicked, this, &fOpen::choose);
    connect(bCancel, &QPushButton::clicked, this, &fOpen::chooseNothing);
}

void fOpen::openDrive()
{
    // A drive that can't be read sends the list back, without a word, to the
    // drive the dialog opened on; should that one fail too, setting it again
    // changes nothing and the chain ends.
    if (!Dir1->setDrive(Drive1->drive(), Drive1->currentFolder()))
        Drive1->setDrive(SavedDrive);
}

void fOpen::openFolder()
{
    File1->setPath(Dir1->path(), Dir1->takeFiles());
}

void fOpen::choose()
{
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
