#include "app/forms/QtTexts.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QToolButton>
#include <QTranslator>

namespace {

const QHash<QString, QString> &calendarTips()
{
    static const QHash<QString, QString> tips{
        {QStringLiteral("qt_calendar_prevmonth"), QStringLiteral("Luna anterioara")},
        {QStringLiteral("qt_calendar_nextmonth"), QStringLiteral("Luna urmatoare")},
        {QStringLiteral("qt_calendar_monthbutton"), QStringLiteral("Alegeti luna")},
        {QStringLiteral("qt_calendar_yearbutton"), QStringLiteral("Alegeti anul")},
    };
    return tips;
}

} // namespace

bool QtTexts::install(QApplication &app)
{
    auto *texts = new QtTexts(&app);
    app.installEventFilter(texts);
    auto *translator = new QTranslator(&app);
    if (!translator->load(resourcePath())) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool QtTexts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish) {
        if (auto *button = qobject_cast<QToolButton *>(watched)) {
            const auto tip = calendarTips().constFind(button->objectName());
            if (tip != calendarTips().cend() && button->toolTip().isEmpty())
                button->setToolTip(*tip);
        }
    }
    return QObject::eventFilter(watched, event);
}
