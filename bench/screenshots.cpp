// Pictures of windows for review, on a demo register made for the run. Not a test and
// never part of the test run: it checks nothing, it only draws.
//
//   screenshots DIR     writes catalog.png, selgest.png, stocks.png, stockedit.png,
//                       desktop-catalog.png and entry-calendar.png into DIR; the last is
//                       a grab of the screen (pop-ups are windows of their own), so run it
//                       under xvfb-run for that one (offscreen draws the others)

#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/Workstation.h"
#include "app/forms/DateField.h"
#include "app/forms/DesktopServices.h"
#include "app/forms/MainCommands.h"
#include "app/forms/TMainForm.h"
#include "catalogs/forms/TCatLookupForm.h"
#include "catalogs/forms/TSelGestDlg.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/forms/NewStockRowsModel.h"
#include "documents/forms/TStocksForm.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QProcess>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariant>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Lets the window paint before it is grabbed.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget &widget, const QString &dir, const QString &name)
{
    settle();
    const QString path = QDir(dir).filePath(name);
    if (!widget.grab().save(path)) {
        err() << "Nu pot scrie " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

bool catalogue(Database &db, Messages &messages, const Workstation &ws, const QString &dir)
{
    TCatLookupForm form(db, messages, ws, TCatLookupForm::Mode::Catalogue);
    form.setWindowFlags(Qt::Window);
    form.setWindowTitle(TCatLookupForm::caption());
    form.resize(1000, 520);
    form.show();
    if (auto *grid = form.findChild<QTableView *>(QStringLiteral("ClassGrid")))
        grid->selectRow(1);
    if (auto *search = form.findChild<QLineEdit *>(QStringLiteral("SearchEdit")))
        search->setText(QStringLiteral("2.1"));
    return save(form, dir, QStringLiteral("catalog.png"));
}

bool unitSelection(Database &db, Messages &messages, const QString &dir)
{
    TSelGestDlg dlg(db, messages);
    dlg.show();
    dlg.allCheck()->click();
    QTableView *grid = dlg.grid();
    for (int row : {0, 2})
        grid->selectionModel()->select(grid->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return save(dlg, dir, QStringLiteral("selgest.png"));
}

bool stocks(Database &db, Messages &messages, const Workstation &ws, const QString &dir)
{
    QSqlQuery unit = db.run(QStringLiteral("SELECT \"Cod_gestiune\" FROM \"Stoc\" GROUP BY 1 ORDER BY count(*) DESC"));
    if (!unit.next())
        return false;
    TStocksForm form(db, messages, ws);
    form.setWindowFlags(Qt::Window);
    form.setWindowTitle(TStocksForm::caption());
    form.setUnit(unit.value(0).toString());
    form.resize(1100, 520);
    form.show();
    if (!save(form, dir, QStringLiteral("stocks.png")))
        return false;

    // Editing, with one row typed and one just added.
    Parameters parameters;
    TStocksForm editing(db, messages, ws, parameters);
    editing.setWindowFlags(Qt::Window);
    editing.setWindowTitle(TStocksForm::caption());
    editing.setUnit(unit.value(0).toString());
    editing.resize(1100, 520);
    editing.show();
    if (!editing.setEditing(true))
        return false;
    QSqlQuery group = db.run(QStringLiteral("SELECT \"Cod_grupa\" FROM \"Grup\" LIMIT 1"));
    const QMap<QString, QString> typed{{QStringLiteral("Cod_grupa"), group.next() ? group.value(0).toString() : QString()},
                                       {QStringLiteral("Cod_articol"), QStringLiteral("90001")},
                                       {QStringLiteral("Denumire"), QStringLiteral("Calculator portabil")},
                                       {QStringLiteral("Pret_achizitie"), QStringLiteral("4500")},
                                       {QStringLiteral("Cantitate"), QStringLiteral("2")}};
    QAbstractItemModel *model = editing.grid()->model();
    const int row = editing.model()->rowCount();
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        model->setData(model->index(row, editing.newRows()->column(it.key())), it.value());
    editing.addNewRow();
    editing.grid()->scrollToBottom();
    return save(editing, dir, QStringLiteral("stockedit.png"));
}

bool desktop(const Workstation &ws, const QString &data, const QString &dir, const QString &legacy)
{
    DataDirectoryOpener::setLastDatabaseDir(data);
    ScriptedMessages messages;
    DesktopServices services(ws, messages);
    TMainForm window(ws, messages, services.hooks(), legacy);
    registerMainCommands(window, services, messages);
    QAction *catalogue = window.findChild<QAction *>(QStringLiteral("Catalog1"));
    if (!services.database() || !catalogue)
        return false;
    // Shown first, as at start-up: children are placed inside the client area.
    window.resize(1280, 800);
    window.show();
    settle();
    catalogue->trigger();
    if (!save(window, dir, QStringLiteral("desktop-catalog.png")))
        return false;

    // The entry window with the calendar of its document date open.
    QAction *entries = window.findChild<QAction *>(QStringLiteral("DocIn1"));
    if (!entries)
        return false;
    entries->trigger();
    settle();
    QMdiArea *area = window.findChild<QMdiArea *>();
    QMdiSubWindow *active = area ? area->activeSubWindow() : nullptr;
    const QList<DateField *> dates = active ? active->findChildren<DateField *>() : QList<DateField *>();
    if (dates.isEmpty())
        return false;
    dates.last()->showCalendar();
    settle();
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QDir(dir).filePath(QStringLiteral("entry-calendar.png"));
    if (!screen.save(path))
        return false;
    QTextStream(stdout) << path << '\n';
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        err() << "Utilizare: screenshots DIR\n";
        return 2;
    }
    // A workstation, settings and register of the run's own, so the user's stay
    // untouched; set before the application reads any of them.
    QTemporaryDir root;
    const QString home = root.filePath(QStringLiteral("home/"));
    const QString data = root.filePath(QStringLiteral("data/"));
    qputenv("TESSARO_HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("share")).toLocal8Bit());

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brindell"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        err() << "Nu pot crea directorul " << dir << '\n';
        return 1;
    }
    QProcess demo;
    demo.start(QStringLiteral(TESSARO_BINARY), {QStringLiteral("demo"), data, QStringLiteral("--assets"), QStringLiteral("300")});
    if (!demo.waitForFinished(300000) || demo.exitCode() != 0) {
        err() << "tessaro demo: " << QString::fromLocal8Bit(demo.readAllStandardError()) << '\n';
        return 1;
    }
    const Workstation ws(home);
    ScriptedMessages messages;
    bool ok = true;
    try {
        Database db(data, ws, QStringLiteral("screenshots"));
        db.open();
        ok = catalogue(db, messages, ws, dir) && unitSelection(db, messages, dir) && stocks(db, messages, ws, dir);
    } catch (const DbError &e) {
        err() << e.userText() << '\n';
        return 1;
    }
    ok = ok && desktop(ws, data, dir, root.filePath(QStringLiteral("legacy")));
    if (!ok)
        err() << "Nu toate ferestrele au putut fi desenate.\n";
    return ok ? 0 : 1;
}
