#include "app/IniFile.h"

#include "app/SafeFileWriter.h"

#include <QFile>
#include <QTextStream>

static bool isSectionHeader(const QString &trimmed)
{
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

// QSettings, when it rewrites a file, writes "Check for new version" as
// "Check%20for%20new%20version"; such keys still name the same value.
static QString plainKey(const QString &key)
{
    if (!key.contains(QLatin1Char('%')))
        return key;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(key.toUtf8()));
}

static bool isComment(const QString &trimmed)
{
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

IniFile::IniFile(const QString &path) : m_path(path)
{
    reload();
}

bool IniFile::reload()
{
    m_lines.clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd())
        m_lines.append(in.readLine());
    return true;
}

bool IniFile::save(QString *error) const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QLatin1Char('\n');
    return SafeFileWriter::writeFile(m_path, text.toUtf8(), error);
}

int IniFile::sectionLine(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString trimmed = m_lines.at(i).trimmed();
        if (isSectionHeader(trimmed)
            && trimmed.mid(1, trimmed.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int sectionIndex) const
{
    int i = sectionIndex + 1;
    while (i < m_lines.size() && !isSectionHeader(m_lines.at(i).trimmed()))
        ++i;
    return i;
}

int IniFile::keyLine(int sectionIndex, const QString &key) const
{
    if (sectionIndex < 0)
        return -1;
    const int end = sectionEnd(sectionIndex);
    for (int i = sectionIndex + 1; i < end; ++i) {
        const QString trimmed = m_lines.at(i).trimmed();
        if (trimmed.isEmpty() || isComment(trimmed))
            continue;
        const int eq = trimmed.indexOf(QLatin1Char('='));
        if (eq > 0 && plainKey(trimmed.left(eq).trimmed()).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return keyLine(sectionLine(section), key) >= 0;
}

QString IniFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int line = keyLine(sectionLine(section), key);
    if (line < 0)
        return defaultValue;
    const QString &text = m_lines.at(line);
    const QString raw = text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
    // Enclosing double quotes are not part of the value (as Windows reads INI files).
    if (raw.size() >= 2 && raw.startsWith(QLatin1Char('"')) && raw.endsWith(QLatin1Char('"')))
        return raw.mid(1, raw.size() - 2);
    return raw;
}

int IniFile::intValue(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int number = value(section, key).toInt(&ok);
    return ok ? number : defaultValue;
}

bool IniFile::boolValue(const QString &section, const QString &key, bool defaultValue) const
{
    return intValue(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString entry = key + QLatin1Char('=') + value;
    int sectionIndex = sectionLine(section);
    if (sectionIndex < 0) {
        if (!m_lines.isEmpty() && !m_lines.constLast().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    const int line = keyLine(sectionIndex, key);
    if (line >= 0) {
        // Keep the key as it was spelled in the file.
        const QString &old = m_lines.at(line);
        m_lines[line] = old.left(old.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + value;
        return;
    }
    // After the section's last non-empty line, so a blank separator line stays last.
    int insertAt = sectionEnd(sectionIndex);
    while (insertAt > sectionIndex + 1 && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, entry);
}

void IniFile::setInt(const QString &section, const QString &key, int value)
{
    setValue(section, key, QString::number(value));
}

void IniFile::setBool(const QString &section, const QString &key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
