#pragma once

#include <QString>
#include <QStringList>

// A plain INI file read and written the way hand-edited Windows INI files expect:
// sections and keys matched without regard to letter case, every other line (comments,
// unknown keys, their order and spelling) kept as it was. QSettings would re-escape keys
// such as "Check for new version" and drop comments, which other readers of the same
// file would then miss.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }
    // Re-reads the file; a missing file reads as empty. False when it exists but cannot be read.
    bool reload();
    // Writes the lines back through SafeFileWriter. False, with the file's name and the
    // system's message in *error, when the file cannot be written.
    bool save(QString *error = nullptr) const;

    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;
    // A missing key or a text that is not a whole number gives the default.
    int intValue(const QString &section, const QString &key, int defaultValue) const;
    // Stored as an integer; any non-zero number is true.
    bool boolValue(const QString &section, const QString &key, bool defaultValue) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void setInt(const QString &section, const QString &key, int value);
    void setBool(const QString &section, const QString &key, bool value);

    QStringList lines() const { return m_lines; }

private:
    // Index of the "[section]" line, -1 when absent.
    int sectionLine(const QString &section) const;
    // Index of the key's line inside the section, -1 when absent.
    int keyLine(int sectionIndex, const QString &key) const;
    // One past the last line that belongs to the section.
    int sectionEnd(int sectionIndex) const;

    QString m_path;
    QStringList m_lines;
};
