#pragma once

#include <QSqlError>
#include <QString>

#include <stdexcept>

// A database error raised inside an operation. The form that started the operation
// shows it; a key violation that reaches the application gets the duplicate-key warning.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QSqlError &error);
    DbError(const QString &engineMessage, bool keyViolation);

    QString engineMessage() const { return m_message; }
    bool isKeyViolation() const { return m_keyViolation; }
    // Another connection holds the lock the operation needed (SQLite's BUSY or LOCKED).
    bool isBusy() const { return m_busy; }
    // "Eroare de acces la baza de date!" with the engine's message between "<" and ">".
    QString userText() const;
    // The form the printouts of the reports use: userText() followed by "!".
    QString reportText() const;

    // Throws when the error is set.
    static void check(const QSqlError &error);
    // True for SQLite's constraint failures of a primary key or a unique index.
    static bool isKeyViolation(const QSqlError &error);

private:
    QString m_message;
    bool m_keyViolation;
    bool m_busy = false;
};
