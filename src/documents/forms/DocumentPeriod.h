#pragma once

#include <QDate>
#include <QString>

class Messages;
class QWidget;

// The period filter of a document window ("&Afiseaza" > "&Perioada" / "&Integral"): the
// remembered period, whether it is applied, and the window caption that shows it.
class DocumentPeriod
{
public:
    // At opening: the first day of the current month and that day plus 30 days, not applied.
    DocumentPeriod();

    bool active() const { return m_active; }
    QDate first() const { return m_first; }
    QDate last() const { return m_last; }

    void apply(const QDate &first, const QDate &last);
    void clear() { m_active = false; }

    // The interval dialog, starting from the remembered period; true with the period
    // chosen in `first` and `last`.
    bool ask(QDate &first, QDate &last, Messages &messages, QWidget *parent) const;

    // The caption with the period appended: `base`, a blank, "d.m.yy - d.m.yy" (with the
    // date separator of the national formats). Built from the caption without a period,
    // so a second period replaces the first.
    static QString caption(const QString &base, const QDate &first, const QDate &last);

private:
    QDate m_first;
    QDate m_last;
    bool m_active = false;
};
