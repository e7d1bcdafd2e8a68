#include "drivelist.h"

#include "platform/drives.h"
#include "platform/pathtext.h"

#include <QDir>

namespace {

// The folder the program was started in. When that folder has been removed
// since, the system can't name it any more; the home folder stands in, so
// the chooser still opens somewhere a person knows.
std::filesystem::path workingFolder()
{
    std::error_code error;
    std::filesystem::path working = std::filesystem::current_path(error);
    return error || working.empty() ? pathFromText(QDir::homePath()) : working;
}

}   // namespace

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::changed);
}

void DriveList::setDrives(const QStringList &roots)
{
    const QSignalBlocker quiet(this);
    clear();
    addItems(roots);
    // A folder the program was started in that lies on no drive of the
    // system's (a network share on Windows) brings its own.
    const std::filesystem::path working = workingFolder();
    QString drive = driveOf(pathText(working), drives());
    if (drive.isEmpty())
        addItem(drive = pathText(rootOf(working)));
    setCurrentIndex(findText(drive));
}

void DriveList::setDrive(const QString &drive)
{
    if (const int index = findText(drive); index >= 0)
        setCurrentIndex(index);
}

std::filesystem::path DriveList::currentFolder() const
{
    const std::filesystem::path working = workingFolder(), root = pathFromText(drive());
    // Written from the drive's own root, so that c:\work shows as C:\work;
    // the drive may lie below another's, as /home below /. The rest stays
    // the system's bytes: a folder named in Latin-1 on an old stick is no text.
    if (driveOf(pathText(working), drives()) != drive())
        return root;
    const std::filesystem::path below = belowDrive(working, root);
    return below.empty() ? root : root / below;
}

QStringList DriveList::drives() const
{
    QStringList all;
    for (int i = 0; i < count(); ++i)
        all << itemText(i);
    return all;
}
