#include "documents/forms/DocumentNavigator.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace DocumentNavigator {

QHBoxLayout *build(QWidget *window, const Actions &actions, QList<QToolButton *> *buttons)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(1);
    auto tool = [&](const char *name, QStyle::StandardPixmap icon, const char *text, const char *hint,
                    const std::function<void()> &action) {
        auto *button = new QToolButton(window);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(window->style()->standardIcon(icon));
        button->setText(QString::fromLatin1(text));
        button->setToolTip(QString::fromLatin1(hint));
        button->setStatusTip(QString::fromLatin1(hint));
        button->setAutoRaise(true);
        if (action)
            QObject::connect(button, &QToolButton::clicked, window, [action] { action(); });
        if (buttons)
            *buttons << button;
        row->addWidget(button);
    };
    tool("FirstBtn", QStyle::SP_MediaSkipBackward, "|<", "Primul document", actions.first);
    tool("PriorBtn", QStyle::SP_MediaSeekBackward, "<", "Precedentul document", actions.prior);
    tool("NextBtn", QStyle::SP_MediaSeekForward, ">", "Urmatorul document", actions.next);
    tool("LastBtn", QStyle::SP_MediaSkipForward, ">|", "Ultimul document", actions.last);
    row->addSpacing(8);
    tool("InsertBtn", QStyle::SP_FileIcon, "+", "Document nou", actions.insert);
    tool("DeleteBtn", QStyle::SP_TrashIcon, "-", "Sterge document", actions.remove);
    tool("PostBtn", QStyle::SP_DialogApplyButton, "v", "Salveaza document", actions.post);
    tool("CancelBtn", QStyle::SP_DialogCancelButton, "x", "Anuleaza modificarile", actions.cancel);
    tool("RefreshBtn", QStyle::SP_BrowserReload, "R", "Actualizeaza datele", actions.refresh);
    return row;
}

} // namespace DocumentNavigator
