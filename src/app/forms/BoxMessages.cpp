#include "app/forms/BoxMessages.h"

#include <QApplication>
#include <QMessageBox>

static QString title() { return QApplication::applicationDisplayName(); }

void BoxMessages::warning(const QString &text)
{
    QMessageBox::warning(m_parent, title(), text);
}

void BoxMessages::error(const QString &text)
{
    QMessageBox::critical(m_parent, title(), text);
}

void BoxMessages::information(const QString &text)
{
    QMessageBox::information(m_parent, title(), text);
}

bool BoxMessages::okCancel(const QString &text)
{
    return QMessageBox::question(m_parent, title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
        == QMessageBox::Ok;
}

bool BoxMessages::yesNo(const QString &text)
{
    return QMessageBox::question(m_parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}
