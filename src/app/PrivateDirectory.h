#pragma once

#include <QString>
#include <QStringList>

class Messages;

// The workstation's private directory ("PVL_PRIV/"): answer tables and the grid-layout
// files of the windows.
class PrivateDirectory
{
public:
    explicit PrivateDirectory(const QString &path);

    // Ends with '/'.
    QString path() const { return m_path; }
    // "<privdir>/<name>.cfg": the grid-layout file of a window.
    QString layoutFile(const QString &name) const;

    // Creates the directory (with missing parents) when it does not exist and then moves
    // into it the layout files that older installs left in legacyDirectory. An existing
    // directory is left as it is, and so is legacyDirectory. False when it cannot be made.
    bool prepare(const QString &legacyDirectory) const;

    // Deletes the known layout files, so the windows start with their design layout;
    // returns how many were deleted.
    int deleteLayoutFiles() const;
    // "Sterge fisierele .cfg": deletes them and tells the user.
    void resetLayouts(Messages &messages) const;

    // The files moved on the first start and the ones "Sterge fisierele .cfg" deletes.
    static QStringList movedOnFirstStart();
    static QStringList deletedOnReset();

private:
    QString m_path;
};
