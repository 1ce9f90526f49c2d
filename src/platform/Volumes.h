#pragma once

#include <QList>
#include <QString>

// A mounted volume a user works with, as the drive list shows it.
struct Volume {
    QString mountPoint; // "/", "/home", "/media/usb"
    QString label;      // the volume label, else the device; may be empty
};

// The mounted volumes without pseudo file systems (proc, sysfs, cgroup, ...), sorted by mount point.
QList<Volume> MountedVolumes();

// The drive list's entry: the mount point, then " [label]" when there is a label.
QString VolumeEntryText(const Volume& volume);

// Index of the volume whose mount point is the longest prefix of path; -1 when none is.
int VolumeIndexOf(const QString& path, const QList<Volume>& volumes);

// The mount point of the volume that holds path ("/" when no listed volume does).
QString VolumeRootOf(const QString& path, const QList<Volume>& volumes);
