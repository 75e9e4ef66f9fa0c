#pragma once

#include <QDate>
#include <QString>

#include <functional>

class Messages;
class TDatabaseValidator;

// Opens a data directory the way the program does at start-up and from "Buget de
// lucru": chooses it, refuses a directory of the older program, takes the daily copy,
// upgrades older layouts, checks the structure and remembers the directory.
// Windows and questions come in through the hooks and the Messages interface, so the
// same steps run headless and in tests.
class DataDirectoryOpener
{
public:
    struct Hooks
    {
        // The status line of the work in progress.
        std::function<void(const QString &text)> status;
        // Shows or hides the window that carries the progress.
        std::function<void(bool visible)> showWindow;
        // The folder browser, opened on `directory`; true when the user confirmed a
        // folder (or made a new one), which is then in `directory`.
        std::function<bool(QString &directory)> browse;
    };

    DataDirectoryOpener(TDatabaseValidator &validator, Messages &messages, const QString &iniPath,
                        Hooks hooks = {});

    // Start-up: the directory used last, or one chosen in the browser when there is none.
    bool OpenLastDatabase();
    // "Buget de lucru": a directory chosen in the browser.
    bool SelectDatabase();

    // Opens one directory (every step after the choice). On failure shows
    // `failurePrefix` followed by the error text, or the text alone for a failure
    // outside the structure check, and returns false.
    bool open(const QString &directory, const QString &failurePrefix);

    // The validator asks through the Messages interface whether to create what is
    // missing; on "No" to a new database it offers the browser.
    void installQuestionHandlers();
    // For scripts: every missing table is created without a question.
    void installSilentHandlers();

    // Work done before the check of a directory that holds our database: the daily
    // copy, then the upgrades in one transaction. Refuses a directory of the older
    // program. Throws EDBValidate or DataDirectoryError.
    void prepare(const QString &directory);

    // Whether a successful opening is written to "LastDatabaseDir" (on by default).
    void setRemember(bool on) { m_remember = on; }
    // The day of the daily copy (today unless set).
    void setToday(const QDate &day) { m_today = day; }

    static QString lastDatabaseDir();
    static void setLastDatabaseDir(const QString &directory);

    // True when the directory holds tables of the older program (files "*.db" in any
    // letter case) and not our database.
    static bool holdsOlderTables(const QString &directory);

    // Makes `name` inside `parent` (with missing parents) as a new data directory,
    // marked for lei values in its "PVLDEF.INI". Returns the new directory; throws
    // DataDirectoryError when it cannot be made.
    static QString makeNewDirectory(const QString &parent, const QString &name);

private:
    void status(const QString &text);
    void show(bool visible);
    bool browse(QString &directory);

    TDatabaseValidator &m_validator;
    Messages &m_messages;
    QString m_iniPath;
    Hooks m_hooks;
    bool m_remember = true;
    QDate m_today;
};
