#pragma once

#include <QObject>
#include <QString>

class QApplication;

// Qt's own texts in Romanian. Qt ships no Romanian translation of its dialogs, so the
// program carries its own for those it shows (file and print dialogs, font dialog,
// standard buttons, child-window menus, edit-field menus), compiled into the program;
// the calendar's navigation buttons, which Qt leaves without tool tips, get Romanian ones.
class QtTexts : public QObject
{
    Q_OBJECT
public:
    // Loads and installs the translation; false when it could not be loaded.
    static bool install(QApplication &app);
    static QString resourcePath() { return QStringLiteral(":/translations/tessaro_qt_ro.qm"); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
