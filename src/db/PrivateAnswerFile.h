#pragma once

#include <QString>

#include <memory>

// The file of a private directory that holds one process's answer tables. Answer tables
// belong to the run that built them, so two processes of one workstation (two headless
// commands, or a command beside the windowed program) must never share them: the first
// process takes "PVL_PRIV.sqlite", a second one while the first holds it gets a file of
// its own ("PVL_PRIV-<random>.sqlite"), deleted when it lets go. Every connection of one
// process shares its file. A file of its own that a killed process left behind is
// deleted by the next process that takes one.
class PrivateAnswerFile
{
public:
    // Takes the file for this process (the same object while a connection holds it).
    // Without a way to lock (a read-only private directory) it is "PVL_PRIV.sqlite".
    static std::shared_ptr<PrivateAnswerFile> acquire(const QString &privateDirectory);

    ~PrivateAnswerFile();
    PrivateAnswerFile(const PrivateAnswerFile &) = delete;
    PrivateAnswerFile &operator=(const PrivateAnswerFile &) = delete;

    QString path() const { return m_path; }
    // Whether this process got a file of its own because another one holds the shared one.
    bool isOwn() const { return m_own; }

    static QString sharedName() { return QStringLiteral("PVL_PRIV.sqlite"); }

private:
    PrivateAnswerFile(const QString &path, const QString &lockPath, int lockFd, bool own);
    static void removeAbandoned(const QString &directory);

    QString m_path;
    QString m_lockPath;
    int m_lockFd = -1;
    bool m_own = false;
};
