#include "drivelist.h"

#include "pathtext.h"

DriveList::DriveList(const DriveSource &source, QWidget *parent)
    : QComboBox(parent)
{
    addItems(source());
    setCurrentIndex(findText(driveOf(pathText(std::filesystem::current_path()), drives())));
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::changed);
}

void DriveList::setDrive(const QString &drive)
{
    if (const int index = findText(drive); index >= 0)
        setCurrentIndex(index);
}

std::filesystem::path DriveList::currentFolder() const
{
    std::error_code error;
    const std::filesystem::path working = std::filesystem::current_path(error);
    if (!error && driveOf(pathText(working), drives()) == drive())
        return working;
    return pathFromText(drive());
}

QStringList DriveList::drives() const
{
    QStringList all;
    for (int i = 0; i < count(); ++i)
        all << itemText(i);
    return all;
}
