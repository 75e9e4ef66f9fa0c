#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy of the program per user and workstation. The first copy listens on a
// local socket; a later copy finds it there, asks it to show itself and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &serverName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket name for this user and workstation directory. The directory is part of
    // it only so that separate workstations (TESSARO_HOME) do not find each other.
    static QString serverNameFor(const QString &workstationDirectory);

    // True when this is the first copy (it now listens). False when another copy runs:
    // that copy has been asked to show itself.
    bool start();
    bool isPrimary() const;
    QString serverName() const { return m_name; }

signals:
    // A second copy asked the running one to come to the front.
    void showRequested();

private:
    bool askRunningCopy();

    QString m_name;
    QLocalServer *m_server = nullptr;
};
