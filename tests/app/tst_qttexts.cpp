#include "TestEnv.h"

#include "app/NationalFormats.h"
#include "app/forms/QtTexts.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
};

QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            current = {context, xml.readElementText(), QString()};
        else if (xml.name() == QLatin1String("translation")) {
            current.translation = xml.readElementText();
            messages << current;
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QStringList placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression re(QStringLiteral("%\\d"));
    for (const QRegularExpressionMatch &m : re.globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}

QChar mnemonic(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (text.at(i + 1).isLetterOrNumber())
            return text.at(i + 1).toUpper();
    }
    return {};
}

QString tsPath()
{
    return QStringLiteral(TESSARO_SOURCE_DIR "/src/app/translations/tessaro_qt_ro.ts");
}

} // namespace

class TestQtTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QtTexts::install(*qobject_cast<QApplication *>(QCoreApplication::instance())));
        NationalFormats::setNational();
    }

    // Each translated text keeps its placeholders and, where the source has one, an Alt
    // letter; buttons shown side by side never share a letter.
    void translationFileIsSound()
    {
        QString error;
        const QList<Message> messages = readTs(tsPath(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(messages.size() > 100);
        QHash<QString, QSet<QChar>> buttonLetters;
        for (const Message &m : messages) {
            const QString where = m.context + QStringLiteral(": ") + m.source;
            QVERIFY2(!m.translation.isEmpty(), qPrintable(where));
            QCOMPARE(placeholders(m.translation), placeholders(m.source));
            QVERIFY2(mnemonic(m.source).isNull() == mnemonic(m.translation).isNull(), qPrintable(where));
            if (m.context == QLatin1String("QPlatformTheme") && !mnemonic(m.translation).isNull()) {
                QSet<QChar> &letters = buttonLetters[m.context];
                QVERIFY2(!letters.contains(mnemonic(m.translation)), qPrintable(where));
                letters.insert(mnemonic(m.translation));
            }
        }
    }

    void fileDialog()
    {
        QFileDialog dialog(nullptr, QStringLiteral("Salvare"), QDir::tempPath());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        auto *fileName = dialog.findChild<QLabel *>(QStringLiteral("fileNameLabel"));
        QVERIFY(fileName);
        QCOMPARE(fileName->text(), QStringLiteral("&Nume fisier:"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Director:"));
        auto *tree = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
        QVERIFY(tree);
        QStringList columns;
        for (int c = 0; c < 4; ++c)
            columns << tree->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(columns, (QStringList{"Nume", "Marime", "Tip", "Data modificarii"}));
        QStringList buttons;
        for (QPushButton *b : dialog.findChildren<QPushButton *>())
            buttons << b->text();
        QVERIFY2(buttons.contains(QStringLiteral("&Salveaza")), qPrintable(buttons.join(QLatin1Char('|'))));
        QVERIFY2(buttons.contains(QStringLiteral("Renunta")), qPrintable(buttons.join(QLatin1Char('|'))));
    }

    void printDialog()
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        QStringList texts;
        for (QPushButton *b : dialog.findChildren<QPushButton *>())
            texts << b->text();
        QVERIFY2(texts.contains(QStringLiteral("&Tipareste")), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY2(texts.contains(QStringLiteral("Renunta")), qPrintable(texts.join(QLatin1Char('|'))));
        QStringList labels;
        for (QLabel *l : dialog.findChildren<QLabel *>())
            labels << l->text();
        QVERIFY2(labels.contains(QStringLiteral("&Nume:")), qPrintable(labels.join(QLatin1Char('|'))));
    }

    void standardButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("ok") << int(QDialogButtonBox::Ok) << "OK";
        QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << "Renunta";
        QTest::newRow("yes") << int(QDialogButtonBox::Yes) << "&Da";
        QTest::newRow("no") << int(QDialogButtonBox::No) << "&Nu";
        QTest::newRow("close") << int(QDialogButtonBox::Close) << "Inchide";
    }
    void standardButtons()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QDialogButtonBox box{QDialogButtonBox::StandardButton(button)};
        QCOMPARE(box.button(QDialogButtonBox::StandardButton(button))->text(), text);
    }

    // The calendar pop-up and the date fields speak Romanian.
    void calendarAndDates()
    {
        QCalendarWidget calendar;
        calendar.setSelectedDate(QDate(2026, 11, 15));
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        auto *month = calendar.findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
        QVERIFY(month);
        QCOMPARE(month->text(), QStringLiteral("noiembrie"));
        auto *previous = calendar.findChild<QToolButton *>(QStringLiteral("qt_calendar_prevmonth"));
        QCOMPARE(previous->toolTip(), QStringLiteral("Luna anterioara"));
        QCOMPARE(calendar.findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth"))->toolTip(),
                 QStringLiteral("Luna urmatoare"));
        auto *days = calendar.findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(days);
        // The first row holds the day names, Monday first.
        QVERIFY2(days->model()->index(0, 1).data().toString().startsWith(QStringLiteral("lun")),
                 qPrintable(days->model()->index(0, 1).data().toString()));

        QDateEdit edit(QDate(2026, 12, 31));
        QVERIFY2(edit.text().contains(QStringLiteral("31.12.2026")), qPrintable(edit.text()));
        QCOMPARE(QLocale().monthName(12), QStringLiteral("decembrie"));
    }
};

TESSARO_TEST_MAIN(TestQtTexts)
#include "tst_qttexts.moc"
