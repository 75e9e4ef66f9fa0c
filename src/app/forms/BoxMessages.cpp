#include "app/forms/BoxMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {

// Qt ships no Romanian translation of its standard buttons, so the texts are ours.
QString buttonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return QStringLiteral("&Da");
    case QMessageBox::No:
        return QStringLiteral("&Nu");
    case QMessageBox::Cancel:
        return QStringLiteral("&Renunta");
    default:
        return QStringLiteral("OK");
    }
}

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
    for (QAbstractButton *b : box.buttons())
        b->setText(buttonText(box.standardButton(b)));
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void BoxMessages::warning(const QString &text)
{
    show(m_parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxMessages::error(const QString &text)
{
    show(m_parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxMessages::information(const QString &text)
{
    show(m_parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool BoxMessages::okCancel(const QString &text)
{
    return show(m_parent, QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Ok)
        == QMessageBox::Ok;
}

bool BoxMessages::yesNo(const QString &text)
{
    return show(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes)
        == QMessageBox::Yes;
}
