// A second workstation for the concurrency tests: adds entry documents and lines to a
// shared data directory through EntryDocumentService, with some edits and deletions,
// and prints what it left behind so the test can check the shared tables.
//
//   stock_worker --data DIR --home DIR --name A --docs 30 --go FILE [--mode exits]
//
// Output lines: "READY", then "DOC <contor>" per kept document, "LINE <stock key>|<qty>"
// per kept line, "RETRIES <n>", "SPAN <start ms> <end ms>". Exit 0, or 2 with the error.
//
// With "--mode exits" it takes assets out instead, through ExitDocumentService, from the
// stock rows of inventory number COMUN in G1 that every worker shares: random
// quantities at random prices, the split answered Yes or No, edits and deletions. It
// prints "OUT <contor>|<line>|<price>|<qty>" per line it left and "REFUSED <n>".

#include "app/Parameters.h"
#include "app/Workstation.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryDocumentService.h"
#include "documents/ExitDocumentService.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

#include <QMap>

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

// The exit lines this worker left, by document and line number.
using Kept = QMap<QPair<double, double>, ExitLine>;

int takeOut(ExitDocumentService &service, int documents, Kept &kept, int seed)
{
    QRandomGenerator random(seed);
    int refused = 0;
    auto remember = [&](const ExitDocumentService::LineSave &saved) {
        if (saved.outcome != ExitDocumentService::LineSave::Outcome::Saved)
            return;
        kept.insert({saved.line.contor, *saved.line.contorSecundar}, saved.line);
        for (const ExitLine &added : saved.added)
            kept.insert({added.contor, *added.contorSecundar}, added);
    };
    auto save = [&](const ExitLine &line) {
        ExitDocumentService::LineSave saved = retried([&] { return service.saveLine(line); });
        // The question is answered outside any transaction: the others go on meanwhile.
        if (saved.outcome == ExitDocumentService::LineSave::Outcome::NeedsSplitAnswer) {
            const auto answer = random.bounded(4) ? ExitDocumentService::SplitAnswer::Yes
                                                  : ExitDocumentService::SplitAnswer::No;
            saved = retried([&] { return service.saveLine(line, answer); });
        }
        remember(saved);
        return saved;
    };
    for (int i = 0; i < documents; ++i) {
        const double contor = retried([&] { return service.newDocument(QDate(2024, 3, 1).addDays(i)).contor; });
        for (int n = 0; n < 3; ++n) {
            ExitLine line;
            line.contor = contor;
            line.setStockKey({QStringLiteral("G1"), QStringLiteral("2.1"), QStringLiteral("COMUN"),
                              10.0 * random.bounded(1, 4), QDate(2023, 6, 1), QString()});
            line.quantity = random.bounded(1, 6);
            try {
                const ExitDocumentService::LineSave saved = save(line);
                if (saved.outcome == ExitDocumentService::LineSave::Outcome::Saved && random.bounded(4) == 0) {
                    ExitLine edited = saved.line;
                    edited.quantity = random.bounded(1, 6);
                    save(edited);
                }
            } catch (const DocumentRefusal &) {
                ++refused; // that price is sold out
            }
        }
        const QList<ExitLine> lines = service.lines(contor);
        if (i % 4 == 3 && !lines.isEmpty()) {
            const double number = *lines.first().contorSecundar;
            if (retried([&] { return service.deleteLine(contor, number); }))
                kept.remove({contor, number});
        }
        if (i % 7 == 6) {
            retried([&] { service.deleteDocument(contor); });
            for (auto it = kept.begin(); it != kept.end();)
                it = it.key().first == contor ? kept.erase(it) : std::next(it);
        }
    }
    return refused;
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
    const QCommandLineOption modeOption(QStringLiteral("mode"), QString(), QStringLiteral("mode"), QStringLiteral("entries"));
    parser.addOptions({dataOption, homeOption, nameOption, docsOption, goOption, modeOption});
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

        if (parser.value(modeOption) == QLatin1String("exits")) {
            ExitDocumentService exits(db, params);
            Kept kept;
            const int refused = takeOut(exits, documents, kept, int(qHash(name)));
            const qint64 end = QDateTime::currentMSecsSinceEpoch();
            for (const ExitLine &line : kept)
                out << "OUT " << QString::number(line.contor, 'g', 15) << '|' << line.contorSecundar.value_or(0) << '|'
                    << QString::number(line.price.value_or(0), 'g', 10) << '|'
                    << QString::number(line.quantityOrZero(), 'g', 10) << '\n';
            out << "REFUSED " << refused << '\n' << "RETRIES " << retries << '\n'
                << "SPAN " << start << ' ' << end << Qt::endl;
            return 0;
        }

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
