#include "app/forms/TessaroApplication.h"

#include "app/ApplicationErrors.h"

TessaroApplication::TessaroApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TessaroApplication::notify(QObject *receiver, QEvent *event)
{
    Messages &messages = m_messages ? *m_messages : static_cast<Messages &>(m_console);
    return ApplicationErrors::guard([&] { return QApplication::notify(receiver, event); }, messages);
}
