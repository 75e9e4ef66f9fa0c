// The browsing windows on a large demo register, offscreen: how long each takes to open
// (constructed, shown and painted) and to switch unit, period or order, with the rows the
// grid's model holds next to the rows there are.
//   bench_windows [DIR] [ASSETS]   (default ASSETS 500000; DIR is made with `tessaro demo`
//   when it holds no register yet, else reused)
#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/Workstation.h"
#include "catalogs/forms/TCatLookupForm.h"
#include "catalogs/forms/TFurnLookupForm.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "db/Database.h"
#include "db/PagedQueryModel.h"
#include "documents/forms/TDocInForm.h"
#include "documents/forms/TDocOutForm.h"
#include "documents/forms/TIniStockForm.h"
#include "documents/forms/TStocksForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

double cpuMs()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

// Shows the window and lets it paint, so that the rows in view are read.
void settle(QWidget *window)
{
    if (window && !window->isVisible())
        window->show();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void report(const char *window, const char *action, const std::function<void()> &work,
            const std::function<QString()> &rows = {})
{
    QElapsedTimer t;
    const double c = cpuMs();
    t.start();
    work();
    const double wall = double(t.nsecsElapsed()) / 1e6;
    const double cpu = cpuMs() - c;
    std::printf("%-26s %-34s %9.1f %9.1f  %s%s\n", window, action, wall, cpu, wall < 500 ? "" : "SLOW ",
                rows ? qPrintable(rows()) : "");
    std::fflush(stdout);
}

QString rowsOf(QTableView *grid)
{
    if (!grid || !grid->model())
        return {};
    QString text = QStringLiteral("rows %1").arg(grid->model()->rowCount());
    if (auto *paged = qobject_cast<PagedQueryModel *>(grid->model()))
        text += QStringLiteral(", %1 read").arg(paged->loadedRows());
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    if (qEnvironmentVariableIsEmpty("TESSARO_HOME"))
        qputenv("TESSARO_HOME", QFile::encodeName(temp.filePath(QStringLiteral("home"))));
    const int assets = argc > 2 ? std::atoi(argv[2]) : 500000;
    const QString dir = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/')
                                 : temp.filePath(QStringLiteral("demo%1/").arg(assets));
    if (!QFileInfo::exists(dir + Database::fileName())) {
        std::printf("making the demo register of %d assets in %s\n", assets, qPrintable(dir));
        std::fflush(stdout);
        QProcess demo;
        demo.setProcessChannelMode(QProcess::ForwardedChannels);
        demo.start(QStringLiteral(TESSARO_BINARY),
                   {QStringLiteral("demo"), dir, QStringLiteral("--assets"), QString::number(assets)});
        if (!demo.waitForFinished(-1) || demo.exitCode() != 0)
            return 1;
    }
    NationalFormats::setNational();
    Parameters parameters;
    NationalFormats formats;
    if (QFileInfo::exists(Parameters::filePath(dir)))
        parameters.load(dir, formats);
    const Workstation workstation = Workstation::fromEnvironment();
    Database db(dir, workstation);
    db.open();
    ScriptedMessages messages;
    {
        QSqlQuery q = db.run(QStringLiteral("SELECT COUNT(*) FROM \"Catalog\""));
        q.next();
        std::printf("register %s: %d inventory numbers\n\n", qPrintable(dir), q.value(0).toInt());
    }
    std::printf("%-26s %-34s %9s %9s\n", "window", "action", "wall ms", "cpu ms");

    {
        std::unique_ptr<TStocksForm> form;
        report("Stocuri curente", "open (unit AP)", [&] {
            form.reset(TStocksForm::create(db, messages, workstation, parameters));
            form->resize(1000, 600);
            form->setUnit(QStringLiteral("AP"));
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "unit SCG", [&] { form->setUnit(QStringLiteral("SCG")); settle(form.get()); },
               [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "unit AP", [&] { form->setUnit(QStringLiteral("AP")); settle(form.get()); },
               [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "sort by inventory number", [&] {
            form->setOrder(CurrentStockQuery::Order::Article);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "sort by name", [&] {
            form->setOrder(CurrentStockQuery::Order::Name);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "to the last row (by name)", [&] {
            form->grid()->scrollToBottom();
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "sort by classification code", [&] {
            form->setOrder(CurrentStockQuery::Order::Group);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "to the last row", [&] {
            form->grid()->scrollToBottom();
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "summed per inventory number", [&] {
            form->setView(CurrentStockQuery::View::ByArticle);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "back to the rows per value", [&] {
            form->setView(CurrentStockQuery::View::ByPrice);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri curente", "locate 3.2.4 / 1381804", [&] {
            form->locate(QStringLiteral("3.2.4"), QStringLiteral("1381804"), -1);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()) + QStringLiteral(", at %1").arg(form->currentRow()); });
        report("Stocuri curente", "search \"3.2\" typed", [&] {
            form->findChild<QLineEdit *>(QStringLiteral("SearchEdit"))->setText(QStringLiteral("3.2"));
            settle(form.get());
        }, [&] { return rowsOf(form->grid()) + QStringLiteral(", at %1").arg(form->currentRow()); });
        form->close();
    }
    {
        std::unique_ptr<TIniStockForm> form;
        report("Stocuri initiale", "open (unit AP)", [&] {
            form.reset(TIniStockForm::create(db, messages, workstation, parameters));
            form->resize(1000, 600);
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        report("Stocuri initiale", "unit SCG", [&] { form->setUnit(QStringLiteral("SCG")); settle(form.get()); },
               [&] { return rowsOf(form->grid()); });
        form->close();
    }
    {
        std::unique_ptr<TDocInForm> form;
        report("Intrari (documents)", "open (the last document)", [&] {
            form.reset(TDocInForm::create(db, parameters, messages, workstation));
            form->resize(1000, 600);
            settle(form.get());
        });
        report("Intrari (documents)", "period 2026", [&] {
            form->setPeriod(QDate(2026, 1, 1), QDate(2026, 12, 31));
            settle(form.get());
        });
        report("Intrari (documents)", "period 2015-2026", [&] {
            form->setPeriod(QDate(2015, 1, 1), QDate(2026, 12, 31));
            settle(form.get());
        });
        form->close();
    }
    {
        std::unique_ptr<TDocOutForm> form;
        report("Iesiri (documents)", "open (the last document)", [&] {
            form.reset(TDocOutForm::create(db, parameters, messages, workstation));
            form->resize(1000, 600);
            settle(form.get());
        });
        report("Iesiri (documents)", "period 2015-2026", [&] {
            form->setPeriod(QDate(2015, 1, 1), QDate(2026, 12, 31));
            settle(form.get());
        });
        form->close();
    }
    {
        std::unique_ptr<TCatLookupForm> form;
        report("Catalog coduri", "open", [&] {
            form.reset(TCatLookupForm::create(db, messages, workstation));
            form->resize(1000, 600);
            settle(form.get());
        }, [&] { return rowsOf(form->groupGrid()); });
        report("Catalog coduri", "to code 3.2.4 (its inventory rows)", [&] {
            form->position(QStringLiteral("3.2.4"), QStringLiteral("1381804"));
            settle(form.get());
        });
        form->close();
    }
    {
        std::unique_ptr<TGestlookupForm> form;
        report("Catalog de gestiuni", "open", [&] {
            form.reset(TGestlookupForm::create(db, messages, workstation));
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        form->close();
    }
    {
        std::unique_ptr<TFurnLookupForm> form;
        report("Catalog furnizori", "open", [&] {
            form.reset(TFurnLookupForm::create(db, parameters, messages, workstation));
            settle(form.get());
        }, [&] { return rowsOf(form->grid()); });
        form->close();
    }
    return 0;
}
