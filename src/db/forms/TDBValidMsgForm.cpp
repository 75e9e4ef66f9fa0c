#include "db/forms/TDBValidMsgForm.h"

#include "app/Messages.h"
#include "db/DataDirectoryError.h"
#include "db/TDatabaseValidator.h"
#include "db/TVTables.h"
#include "db/forms/TBrowseFolder.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

TDBValidMsgForm::TDBValidMsgForm(Messages &messages, const Workstation &workstation, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_messages(messages)
{
    setObjectName(QStringLiteral("DBValidMsgForm"));
    setFixedSize(300, 119);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("TDBValidMsgForm { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #1c3f7a, stop:1 #0b1f40); }"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 20, 284, 40);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setStyleSheet(QStringLiteral("color: white; font-family: Arial;"));
    // The status texts are kept but never shown: the window itself says enough.
    Label1->hide();

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 84, 268, 18);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->hide();

    Valid = new TDatabaseValidator(this);
    Valid->setObjectName(QStringLiteral("Valid"));
    Valid->setWorkstation(workstation);
    Valid->setRecreateIndex(true);
    Valid->setTables(TVTables::all());
    Valid->setTableLevel(7);
    Valid->setBlockSize(4096);
    Valid->setFillInFactor(95);
    Valid->setLanguage(QStringLiteral("polish"));
    Valid->setOnProgress([this](TDatabaseValidator *, int percent) { ValidProgress(percent); });

    BrowseFolder = new TBrowseFolder(parent ? parent : this);
    BrowseFolder->setObjectName(QStringLiteral("BrowseFolder"));
    BrowseFolder->setTitle(QStringLiteral("Select database directory"));
    BrowseFolder->setFlags(TBrowseFolder::OnlyFileSystemFolders | TBrowseFolder::StatusText);
    BrowseFolder->setShowPathInStatusArea(true);
    BrowseFolder->setCustomButtonVisible(true);
    BrowseFolder->setCustomButtonCaption(QStringLiteral("New directory"));
    BrowseFolder->setCustomButtonWidth(100);
    BrowseFolder->setSyncCustomButton(true);
    BrowseFolder->setOnCustomButtonClick(
        [this](TBrowseFolder &browser, QDialog *dialog) { BrowseFolderCustomButtonClick(browser, dialog); });

    DataDirectoryOpener::Hooks hooks;
    hooks.status = [this](const QString &text) { setStatus(text); };
    hooks.showWindow = [this](bool visible) { showCentred(visible); };
    hooks.browse = [this](QString &directory) { return browse(directory); };
    m_opener = std::make_unique<DataDirectoryOpener>(*Valid, messages, workstation.iniPath(), hooks);
    m_opener->installQuestionHandlers();
}

TDBValidMsgForm::~TDBValidMsgForm()
{
    // The browser may belong to the parent window; it goes with this form.
    delete BrowseFolder;
}

QString TDBValidMsgForm::directory() const
{
    return Valid->directory();
}

bool TDBValidMsgForm::OpenLastDatabase()
{
    return m_opener->OpenLastDatabase();
}

bool TDBValidMsgForm::SelectDatabase()
{
    return m_opener->SelectDatabase();
}

void TDBValidMsgForm::setStatus(const QString &text)
{
    Label1->setText(text);
    if (isVisible())
        repaint();
}

void TDBValidMsgForm::showCentred(bool visible)
{
    if (!visible) {
        hide();
        return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    repaint();
}

void TDBValidMsgForm::ValidProgress(int percent)
{
    ProgressBar1->setValue(percent);
    if (isVisible())
        repaint();
}

bool TDBValidMsgForm::browse(QString &directory)
{
    BrowseFolder->setDirectory(directory);
    if (!BrowseFolder->execute())
        return false;
    directory = BrowseFolder->directory();
    return true;
}

void TDBValidMsgForm::BrowseFolderCustomButtonClick(TBrowseFolder &browser, QDialog *dialog)
{
    bool ok = false;
    const QString name = QInputDialog::getText(dialog, QStringLiteral("Director nou"),
                                               QStringLiteral("Baza de date va fi creata în acest director:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const QString parent = browser.selectedFolder();
    if (parent.isEmpty())
        return;
    try {
        browser.confirm(DataDirectoryOpener::makeNewDirectory(parent, name));
    } catch (const DataDirectoryError &e) {
        m_messages.error(e.text());
    }
}

QString TDBValidMsgForm::openLastDatabase(QWidget *parent, Messages &messages,
                                          const Workstation &workstation)
{
    TDBValidMsgForm form(messages, workstation, parent);
    form.ProgressBar1->show();
    return form.OpenLastDatabase() ? form.directory() : QString();
}

QString TDBValidMsgForm::selectDatabase(QWidget *parent, Messages &messages,
                                        const Workstation &workstation, const QString &currentDirectory)
{
    TDBValidMsgForm form(messages, workstation, parent);
    if (!currentDirectory.isEmpty())
        form.Valid->setDirectory(currentDirectory);
    return form.SelectDatabase() ? form.directory() : QString();
}
