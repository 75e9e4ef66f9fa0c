#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Parameters;

// The data-directory files behind the print-options dialog of exit documents: the
// closing text of the printouts ("INVFOOT.TXT"), the dispatch details of the dialog's
// hidden page ("TRANSPORT.TXT", kept exactly as found) and the code-before-name option
// ("CodProdusPeFact" in section "Default" of "PVLDEF.INI").
class ExitPrintFiles
{
public:
    explicit ExitPrintFiles(const QString &dataDirectory);

    static QString closingTextFileName() { return QStringLiteral("INVFOOT.TXT"); }
    static QString dispatchFileName() { return QStringLiteral("TRANSPORT.TXT"); }
    QString closingTextPath() const;
    QString dispatchPath() const;

    // Reads both text files; a missing or unreadable file reads as empty. The closing
    // text is read as UTF-8 with its line breaks as '\n'.
    void load();
    QString closingText() const { return m_closingText; }

    // What confirming the dialog writes: "CodProdusPeFact" (the parameters follow it),
    // "INVFOOT.TXT" only when the text differs from what load() read (with the line
    // breaks the file had), "TRANSPORT.TXT" back as read when it was there. Every file
    // is replaced whole or left as it was; the result names the files that could not be
    // written, in the system's words (empty when all went well).
    QStringList save(bool codeBeforeName, const QString &closingText, Parameters &parameters);

private:
    QString m_directory;
    QString m_closingText;
    bool m_crlf = false;
    bool m_dispatchRead = false;
    QByteArray m_dispatch;
};
