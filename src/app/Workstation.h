#pragma once

#include <QString>

// Where this workstation keeps its own files: the program INI file and the private
// directory. TESSARO_HOME overrides; otherwise the program's directory when it is
// writable, else $XDG_DATA_HOME/Tessaro.
class Workstation
{
public:
    // Resolves the directory from the environment and the program's location.
    static Workstation fromEnvironment();
    explicit Workstation(const QString &directory);

    // Always ends with '/'.
    QString directory() const { return m_directory; }
    QString iniPath() const;          // "Tessaro.INI"
    QString privateDirectory() const; // "PVL_PRIV/", ends with '/'
    // The directory holding the program file (where older installs left their .cfg files).
    static QString programDirectory();

private:
    QString m_directory;
};
