#pragma once

#include "app/ConsoleMessages.h"

#include <QApplication>

class Messages;

// The application object: an exception that escapes an event handler is shown to the
// user (duplicate-key warning, database error, or its own text) and the program goes on.
class TessaroApplication : public QApplication
{
    Q_OBJECT
public:
    TessaroApplication(int &argc, char **argv);

    // Where the exceptions are reported; until set, on standard error.
    void setMessages(Messages *messages) { m_messages = messages; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    Messages *m_messages = nullptr;
    ConsoleMessages m_console;
};
