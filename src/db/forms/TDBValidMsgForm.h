#pragma once

#include "app/Workstation.h"
#include "db/DataDirectoryOpener.h"

#include <QWidget>

#include <memory>

class Messages;
class QDialog;
class QLabel;
class QProgressBar;
class TBrowseFolder;
class TDatabaseValidator;

// The small borderless window shown while a data directory is opened: a progress bar
// over a background, the (hidden) status line, the validator and the folder browser.
// The caller creates it, calls OpenLastDatabase or SelectDatabase, reads directory()
// and frees it.
class TDBValidMsgForm : public QWidget
{
    Q_OBJECT

public:
    TDBValidMsgForm(Messages &messages, const Workstation &workstation, QWidget *parent = nullptr);
    ~TDBValidMsgForm() override;

    bool OpenLastDatabase();
    bool SelectDatabase();
    // The directory validated last (ends with '/').
    QString directory() const;

    TDatabaseValidator *Valid = nullptr;
    TBrowseFolder *BrowseFolder = nullptr;
    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    DataDirectoryOpener &opener() { return *m_opener; }

    // The start-up and "Buget de lucru" entries of the main window: the directory
    // opened, or empty when none was (the user has been told why).
    static QString openLastDatabase(QWidget *parent, Messages &messages, const Workstation &workstation);
    static QString selectDatabase(QWidget *parent, Messages &messages, const Workstation &workstation,
                                  const QString &currentDirectory);

private:
    void ValidProgress(int percent);
    void BrowseFolderCustomButtonClick(TBrowseFolder &browser, QDialog *dialog);
    bool browse(QString &directory);
    void showCentred(bool visible);
    void setStatus(const QString &text);

    Messages &m_messages;
    std::unique_ptr<DataDirectoryOpener> m_opener;
};
