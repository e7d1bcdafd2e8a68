#pragma once

#include <QComboBox>
#include <filesystem>

// The drop-down list of drives. Its change signal fires when the current drive
// changes, by the user or by setDrive() (at once, inside the call), and not
// when the drive it already has is set again.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);
    // The drives to choose from, the working folder's current; not a change.
    void setDrives(const QStringList &roots);

    QString drive() const { return currentText(); }
    void setDrive(const QString &drive);

    // The folder the directory list opens on this drive: the program's working
    // folder (or, once that is gone, the home folder) when it lies on the
    // drive, else the drive's root.
    std::filesystem::path currentFolder() const;

signals:
    void changed();

private:
    QStringList drives() const;
};
