// A second workstation for the concurrency tests: adds entry documents and lines to a
// shared data directory through EntryDocumentService, with some edits and deletions,
// and prints what it left behind so the test can check the shared tables.
//
//   stock_worker --data DIR --home DIR --name A --docs 30 --go FILE
//
// Output lines: "READY", then "DOC <contor>" per kept document, "LINE <stock key>|<qty>"
// per kept line, "RETRIES <n>", "SPAN <start ms> <end ms>". Exit 0, or 2 with the error.

#include "app/Parameters.h"
#include "app/Workstation.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryDocumentService.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

#include <cstdio>

namespace {

int retries = 0;

// A write that still finds the database locked after the busy timeout is tried again,
// never counted as lost.
template <typename Work>
decltype(auto) retried(Work &&work)
{
    for (;;) {
        try {
            return work();
        } catch (const DbError &e) {
            const QString message = e.engineMessage().toLower();
            if (!message.contains(QLatin1String("locked")) && !message.contains(QLatin1String("busy")))
                throw;
            ++retries;
            QThread::msleep(QRandomGenerator::global()->bounded(5, 40));
        }
    }
}

EntryLine makeLine(double contor, const QString &unit, const QString &article, double price, double quantity,
                   const QDate &lot)
{
    EntryLine l;
    l.contor = contor;
    l.unit = unit;
    l.group = QStringLiteral("2.1");
    l.article = article;
    l.name = QStringLiteral("Articol ") + article;
    l.priceLei = price;
    l.quantity = quantity;
    l.lot = lot;
    l.domain = QStringLiteral("Privat");
    l.durataTotala = 48;
    l.calcAmortizare = true;
    return l;
}

QString keyText(const EntryLine &l)
{
    return QStringList{l.unit, l.group, l.article, QString::number(*l.priceLei, 'g', 10),
                       l.lot.toString(Qt::ISODate), l.agent.isEmpty() ? QStringLiteral("-") : l.agent,
                       QString::number(l.quantityOrZero(), 'g', 10)}
        .join(QLatin1Char('|'));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption dataOption(QStringLiteral("data"), QString(), QStringLiteral("dir"));
    const QCommandLineOption homeOption(QStringLiteral("home"), QString(), QStringLiteral("dir"));
    const QCommandLineOption nameOption(QStringLiteral("name"), QString(), QStringLiteral("name"));
    const QCommandLineOption docsOption(QStringLiteral("docs"), QString(), QStringLiteral("n"), QStringLiteral("30"));
    const QCommandLineOption goOption(QStringLiteral("go"), QString(), QStringLiteral("file"));
    parser.addOptions({dataOption, homeOption, nameOption, docsOption, goOption});
    parser.process(app);
    QTextStream out(stdout);
    const QString name = parser.value(nameOption);
    const int documents = parser.value(docsOption).toInt();

    try {
        Database db(parser.value(dataOption), Workstation(parser.value(homeOption)));
        db.open();
        Parameters params;
        EntryDocumentService service(db, params);

        out << "READY" << Qt::endl;
        // Both workers start together once the test lets them go.
        const QString go = parser.value(goOption);
        for (int waited = 0; !go.isEmpty() && !QFile::exists(go); waited += 5) {
            if (waited > 20000)
                throw std::runtime_error("no start signal");
            QThread::msleep(5);
        }
        const qint64 start = QDateTime::currentMSecsSinceEpoch();

        QStringList kept;
        QList<double> keptDocuments;
        for (int i = 0; i < documents; ++i) {
            const QDate date = QDate(2024, 1, 1).addDays(i);
            const EntryDocumentHeader header = retried([&] { return service.newDocument(date); });
            QList<EntryLine> lines;
            const QString prefix = QStringLiteral("%1-%2-").arg(name).arg(i);
            lines << makeLine(header.contor, QStringLiteral("G1"), prefix + QLatin1Char('1'), 100 + i, 1, date)
                  << makeLine(header.contor, QStringLiteral("G2"), prefix + QLatin1Char('2'), 50, 2, date)
                  // The same stock row for both workers: their changes meet on one row.
                  << makeLine(header.contor, QStringLiteral("G1"), QStringLiteral("COMUN"), 10, 1, QDate(2023, 6, 1));
            for (EntryLine &line : lines)
                line = retried([&] { return service.saveLine(line); });
            if (i % 5 == 0) { // an edit: quantity 1 -> 3
                lines[0].quantity = 3;
                lines[0] = retried([&] { return service.saveLine(lines[0]); });
            }
            if (i % 4 == 3) {
                retried([&] { return service.deleteLine(header.contor, *lines[1].contorSecundar); });
                lines.removeAt(1);
            }
            if (i % 7 == 6) {
                retried([&] { service.deleteDocument(header.contor); });
                continue;
            }
            EntryDocumentHeader full = header;
            full.type = QStringLiteral("FCT");
            full.number = i + 1;
            full.explanation = QStringLiteral("Lucrator ") + name;
            retried([&] { service.saveHeader(full); });
            keptDocuments << header.contor;
            for (const EntryLine &line : lines)
                kept << keyText(line);
        }
        const qint64 end = QDateTime::currentMSecsSinceEpoch();
        for (double contor : keptDocuments)
            out << "DOC " << QString::number(contor, 'g', 15) << '\n';
        for (const QString &line : kept)
            out << "LINE " << line << '\n';
        out << "RETRIES " << retries << '\n' << "SPAN " << start << ' ' << end << Qt::endl;
        return 0;
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.userText()));
    } catch (const DocumentRefusal &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 2;
}
