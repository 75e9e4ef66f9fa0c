#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// The daily copy of a data directory, taken before anything else touches it.
//
// The copy goes into "SalvariBrindell/YYYYMMDD/" inside the data directory when the
// user may write there (so every workstation of a shared directory finds the same
// copy and the copy is taken once a day, whoever opens first). For a directory the
// user cannot write, it goes under $XDG_DATA_HOME/Tessaro/SalvariBrindell/YYYYMMDD/
// followed by the directory's own path. The database file is copied with SQLite's
// online backup, so the copy is consistent even while other workstations work on it;
// every other file of the directory is copied as it is. Subfolders are not copied.
class DailyBackup
{
public:
    explicit DailyBackup(const QString &dataDirectory);

    // The folder of the copy of the given day; ends with '/'.
    QString copyFolder(const QDate &day) const;

    // Takes the copy of the day unless it exists already. The open connection, when
    // given, is the source of the database copy. Returns true when a copy was made.
    // Throws DataDirectoryError with "Nu pot salva baza de date in directorul ...".
    bool run(const QDate &day, const QSqlDatabase &connection = QSqlDatabase()) const;

    // Whether the daily copy is switched on in the program INI file
    // ("Options"/"Backup BD zilnic", on when absent).
    static bool enabledIn(const QString &iniPath);

private:
    void copyDatabase(const QString &target, const QSqlDatabase &connection) const;
    void copyFile(const QString &source, const QString &target) const;

    QString m_directory;
};
