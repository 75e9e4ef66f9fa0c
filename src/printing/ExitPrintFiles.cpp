#include "printing/ExitPrintFiles.h"

#include "app/IniFile.h"
#include "app/Parameters.h"
#include "app/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool readAll(const QString &path, QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace

ExitPrintFiles::ExitPrintFiles(const QString &dataDirectory) : m_directory(dataDirectory) {}

QString ExitPrintFiles::closingTextPath() const
{
    return QDir(m_directory).filePath(closingTextFileName());
}

QString ExitPrintFiles::dispatchPath() const
{
    return QDir(m_directory).filePath(dispatchFileName());
}

void ExitPrintFiles::load()
{
    m_closingText.clear();
    m_crlf = false;
    QByteArray text;
    if (readAll(closingTextPath(), text)) {
        m_closingText = QString::fromUtf8(text);
        m_crlf = m_closingText.contains(QLatin1String("\r\n"));
        m_closingText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
    m_dispatch.clear();
    m_dispatchRead = QFileInfo::exists(dispatchPath()) && readAll(dispatchPath(), m_dispatch);
}

QStringList ExitPrintFiles::save(bool codeBeforeName, const QString &closingText, Parameters &parameters)
{
    QStringList failures;
    // A settings file that cannot be read is never written over with this one key.
    IniFile ini(Parameters::filePath(m_directory));
    if (!ini.reload()) {
        failures << QStringLiteral("Nu pot citi fisierul %1 !").arg(QDir::toNativeSeparators(ini.path()));
    } else {
        ini.setBool(QStringLiteral("Default"), QStringLiteral("CodProdusPeFact"), codeBeforeName);
        QString error;
        if (ini.save(&error))
            parameters.codProdusPeFact = codeBeforeName;
        else
            failures << error;
    }

    QString error;
    if (closingText != m_closingText) {
        QString text = closingText;
        if (m_crlf)
            text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        if (SafeFileWriter::writeFile(closingTextPath(), text.toUtf8(), &error)) {
            m_closingText = closingText;
        } else {
            failures << error;
        }
    }
    if (m_dispatchRead && !SafeFileWriter::writeFile(dispatchPath(), m_dispatch, &error))
        failures << error;
    return failures;
}
