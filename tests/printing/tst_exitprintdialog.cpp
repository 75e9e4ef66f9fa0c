#include "TestEnv.h"

#include "ExitDocumentFixture.h"

#include "app/IniFile.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "printing/ExitPrintOptions.h"
#include "printing/PrintContext.h"
#include "printing/forms/ExitDocumentPrint.h"
#include "printing/forms/QPrinterDevice.h"
#include "printing/forms/TPrintOptionsDlg.h"
#include "printing/forms/TQRPrnDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

using tessaro_test::pdfText;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Puts the file's modification time an hour back, so that a rewrite shows.
void age(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

bool rewritten(const QString &path)
{
    return QFileInfo(path).lastModified() > QDateTime::currentDateTime().addSecs(-600);
}

} // namespace

class TestExitPrintDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;

    template <typename T>
    static T *child(QWidget &dlg, const char *name)
    {
        T *w = dlg.findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }

private Q_SLOTS:
    void init() { m_env = std::make_unique<TestEnv>(); }
    void cleanup() { m_env.reset(); }

    void preselectionByType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("rememberedComment");
        QTest::addColumn<bool>("movementNote");
        QTest::addColumn<bool>("scrappingList");
        QTest::addColumn<bool>("comment");
        QTest::addColumn<bool>("commentEnabled");
        QTest::addColumn<bool>("heading");
        QTest::newRow("scrapping") << "CSR" << false << false << true << true << true << true;
        QTest::newRow("movement") << "NPR" << true << true << false << false << false << false;
        QTest::newRow("transfer") << "BT" << false << true << false << false << false << false;
        QTest::newRow("transfer, typed in small letters") << "bt " << false << true << false << false << false << false;
        QTest::newRow("invoice, comment remembered") << "FCT" << true << false << false << true << true << true;
        QTest::newRow("invoice") << "FCT" << false << false << false << false << true << false;
        QTest::newRow("other type") << "AE" << true << false << false << false << true << false;
    }
    void preselectionByType()
    {
        QFETCH(QString, type);
        QFETCH(bool, rememberedComment);
        Parameters parameters;
        ScriptedMessages messages;
        ExitPrintOptions options;
        options.comment = rememberedComment;
        TPrintOptionsDlg dlg(m_env->dataDir(), parameters, messages, options, type);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Listeaza..."));
        QTEST(child<QCheckBox>(dlg, "MovementNoteCB")->isChecked(), "movementNote");
        QTEST(child<QCheckBox>(dlg, "CasareCB")->isChecked(), "scrappingList");
        QTEST(child<QCheckBox>(dlg, "CommentCB")->isChecked(), "comment");
        QTEST(child<QCheckBox>(dlg, "CommentCB")->isEnabled(), "commentEnabled");
        QTEST(child<QLabel>(dlg, "CommentLabel")->isVisible(), "heading");
    }

    void textsAndMovementNoteClick()
    {
        Parameters parameters;
        ScriptedMessages messages;
        ExitPrintOptions options;
        TPrintOptionsDlg dlg(m_env->dataDir(), parameters, messages, options, QStringLiteral("CSR"));
        dlg.show();
        const QList<QPair<const char *, const char *>> texts = {
            {"MovementNoteCB", "Bon de miscare"},
            {"CasareCB", "&Casare"},
            {"CodeCB", "Include si codul produsului in descriere"},
            {"DescriptionCB", "Include descrierea alaturi de denumire"},
            {"CommentCB", "Include comentariu la sfarsitul documentului"},
            {"ExplanationCB", "Include explicatia docum."}};
        for (const auto &t : texts)
            QCOMPARE(child<QCheckBox>(dlg, t.first)->text(), QString::fromLatin1(t.second));
        QCOMPARE(child<QLabel>(dlg, "CommentLabel")->text(),
                 QStringLiteral("Comentariu (se afiseaza la sfarsitul raportului) :"));
        QCOMPARE(child<QPushButton>(dlg, "ListBtn")->text(), QStringLiteral("Listeaza"));
        QCOMPARE(child<QPushButton>(dlg, "CancelBtn")->text(), QStringLiteral("&Renunta"));
        auto *tabs = child<QTabWidget>(dlg, "PageControl");
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Tip document"));

        // Checking the movement note takes the comment away; unchecking gives the box back.
        QCheckBox *movement = child<QCheckBox>(dlg, "MovementNoteCB");
        movement->click();
        QVERIFY(!child<QCheckBox>(dlg, "CommentCB")->isEnabled());
        QVERIFY(!child<QLabel>(dlg, "CommentLabel")->isVisible());
        movement->click();
        QVERIFY(child<QCheckBox>(dlg, "CommentCB")->isEnabled());
    }

    void confirmingWritesTheOptions_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("Listeaza") << true;
        QTest::newRow("Renunta") << false;
    }
    void confirmingWritesTheOptions()
    {
        QFETCH(bool, confirm);
        const QString ini = m_env->dataDir() + QStringLiteral("PVLDEF.INI");
        writeFile(ini, "; kept\r\n[Default]\r\nFirmNo=3\r\nCodProdusPeFact=0\r\n[Series]\r\nSerFact=AB\r\n");
        const QByteArray transport = "Delegat=Pop Ion\r\nCI=AX 123456\r\nMijloc=AB-12-XYZ\r\n";
        writeFile(m_env->dataDir() + QStringLiteral("TRANSPORT.TXT"), transport);
        Parameters parameters;
        ScriptedMessages messages;
        ExitPrintOptions options;
        options.explanation = true;
        TPrintOptionsDlg dlg(m_env->dataDir(), parameters, messages, options, QStringLiteral("BT"));
        QVERIFY(child<QCheckBox>(dlg, "ExplanationCB")->isChecked());
        child<QCheckBox>(dlg, "CodeCB")->setChecked(true);
        child<QCheckBox>(dlg, "CasareCB")->setChecked(true);
        child<QCheckBox>(dlg, "ExplanationCB")->setChecked(false);
        child<QCheckBox>(dlg, "DescriptionCB")->setChecked(true);
        child<QPushButton>(dlg, confirm ? "ListBtn" : "CancelBtn")->click();
        QCOMPARE(dlg.result(), confirm ? int(QDialog::Accepted) : int(QDialog::Rejected));

        QCOMPARE(options.movementNote, confirm);
        QCOMPARE(options.scrappingList, confirm);
        QCOMPARE(options.explanation, !confirm);
        QCOMPARE(options.description, confirm);
        QCOMPARE(parameters.codProdusPeFact, confirm);
        IniFile file(ini);
        QVERIFY(file.reload());
        QCOMPARE(file.value(QStringLiteral("Default"), QStringLiteral("CodProdusPeFact")),
                 confirm ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(file.value(QStringLiteral("Default"), QStringLiteral("FirmNo")), QStringLiteral("3"));
        QCOMPARE(file.value(QStringLiteral("Series"), QStringLiteral("SerFact")), QStringLiteral("AB"));
        QCOMPARE(file.lines().first(), QStringLiteral("; kept"));
        QCOMPARE(readFile(m_env->dataDir() + QStringLiteral("TRANSPORT.TXT")), transport);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.texts().join('\n')));
    }

    void closingTextWrittenOnlyWhenChanged_data()
    {
        QTest::addColumn<QByteArray>("onDisk"); // "-": no file
        QTest::addColumn<QString>("typed");     // "-": the memo left as loaded
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QByteArray>("afterwards");
        QTest::addColumn<bool>("written");
        const QByteArray crlf = "Comisia de casare:\r\nPreședinte: Avram Ioana\r\n";
        QTest::newRow("unchanged") << crlf << "-" << true << crlf << false;
        QTest::newRow("typed back as it was") << crlf << "Comisia de casare:\nPreședinte: Avram Ioana\n" << true << crlf
                                              << false;
        QTest::newRow("changed, line breaks kept")
            << crlf << "Comisia de casare:\nMembru: Pop Dan" << true << QByteArray("Comisia de casare:\r\nMembru: Pop Dan")
            << true;
        QTest::newRow("changed, then cancelled") << crlf << "Altceva" << false << crlf << false;
        QTest::newRow("emptied") << crlf << "" << true << QByteArray() << true;
        QTest::newRow("no file, left empty") << QByteArray("-") << "-" << true << QByteArray("-") << false;
        QTest::newRow("no file, text typed") << QByteArray("-") << "Comisia:\nIon" << true << QByteArray("Comisia:\nIon")
                                             << true;
    }
    void closingTextWrittenOnlyWhenChanged()
    {
        QFETCH(QByteArray, onDisk);
        QFETCH(QString, typed);
        QFETCH(bool, confirm);
        QFETCH(QByteArray, afterwards);
        QFETCH(bool, written);
        const QString path = m_env->dataDir() + QStringLiteral("INVFOOT.TXT");
        if (onDisk != "-") {
            writeFile(path, onDisk);
            age(path);
        }
        Parameters parameters;
        ScriptedMessages messages;
        ExitPrintOptions options;
        TPrintOptionsDlg dlg(m_env->dataDir(), parameters, messages, options, QStringLiteral("CSR"));
        auto *memo = child<QPlainTextEdit>(dlg, "CommentMemo");
        if (onDisk != "-")
            QCOMPARE(memo->toPlainText(), QString::fromUtf8(onDisk).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        else
            QVERIFY(memo->toPlainText().isEmpty());
        if (typed != QLatin1String("-"))
            memo->setPlainText(typed);
        child<QPushButton>(dlg, confirm ? "ListBtn" : "CancelBtn")->click();

        QCOMPARE(QFileInfo::exists(path), afterwards != "-");
        if (afterwards != "-") {
            QCOMPARE(readFile(path), afterwards);
            QCOMPARE(rewritten(path), written);
        }
        if (confirm)
            QCOMPARE(options.closingText, memo->toPlainText());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.texts().join('\n')));
    }

    void settingsFileThatCannotBeWrittenIsSaid()
    {
        // A directory in place of the settings file: nothing can be written there.
        QVERIFY(QDir().mkpath(m_env->dataDir() + QStringLiteral("PVLDEF.INI")));
        Parameters parameters;
        ScriptedMessages messages;
        ExitPrintOptions options;
        TPrintOptionsDlg dlg(m_env->dataDir(), parameters, messages, options, QStringLiteral("CSR"));
        child<QCheckBox>(dlg, "CodeCB")->setChecked(true);
        child<QPushButton>(dlg, "ListBtn")->click();
        // The printing goes on; the option is not taken as saved.
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(options.scrappingList);
        QVERIFY(!parameters.codProdusPeFact);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts().first().contains(QStringLiteral("PVLDEF.INI")), qPrintable(messages.texts().first()));
    }

    void printingFromTheExitWindow_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("movementNote"); // the boxes as the user leaves them
        QTest::addColumn<bool>("scrappingList");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("printDialogs");
        QTest::addColumn<int>("printed");
        QTest::addColumn<QString>("lastPrintout"); // a text of the PDF; empty: no PDF
        QTest::newRow("neither printout checked") << "CSR" << false << false << true << 0 << 0 << "";
        QTest::newRow("options cancelled") << "CSR" << false << true << false << 0 << 0 << "";
        QTest::newRow("scrapping list") << "CSR" << false << true << true << 1 << 1 << "Lista mijloacelor fixe casate";
        QTest::newRow("movement note") << "BT" << true << false << true << 1 << 1 << "BON DE MISCARE MIJLOACE FIXE";
        QTest::newRow("both, the list last") << "BT" << true << true << true << 2 << 2 << "Total general:";
    }
    void printingFromTheExitWindow()
    {
        QFETCH(QString, type);
        QFETCH(bool, movementNote);
        QFETCH(bool, scrappingList);
        QFETCH(bool, confirm);
        QFETCH(QString, lastPrintout);
        exit_fixture::makeDataDirectory(*m_env);
        Database db(m_env->dataDir(), m_env->workstation());
        db.open();
        Parameters parameters;
        parameters.firmNo = 1;
        auto device = std::make_unique<QPrinterDevice>();
        const QString pdf = m_env->path("iesire.pdf");
        device->printer().setOutputFileName(pdf);
        PrintContext print(std::move(device));
        print.settings().orientation = PrintSettings::Portrait;
        ScriptedMessages messages;
        ExitPrintOptions options;

        int printDialogs = 0;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dlg = qobject_cast<TPrintOptionsDlg *>(modal)) {
                child<QCheckBox>(*dlg, "MovementNoteCB")->setChecked(movementNote);
                child<QCheckBox>(*dlg, "CasareCB")->setChecked(scrappingList);
                child<QPushButton>(*dlg, confirm ? "ListBtn" : "CancelBtn")->click();
            } else if (qobject_cast<TQRPrnDlg *>(modal)) {
                // Each printout starts from the landscape preset.
                if (print.settings().orientation == PrintSettings::Landscape)
                    ++printDialogs;
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        press.start(50);
        const int printed = printExitDocument(nullptr, db, parameters, print, messages, options, 4, type);
        press.stop();
        QTEST(printed, "printed");
        QTEST(printDialogs, "printDialogs");
        QCOMPARE(QFile::exists(pdf), !lastPrintout.isEmpty());
        if (!lastPrintout.isEmpty())
            QVERIFY(pdfText(pdf).contains(lastPrintout));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.texts().join('\n')));
        // The options stay with the caller for the next print.
        QCOMPARE(options.scrappingList, confirm && scrappingList);
    }

    void printingADocumentThatIsGone()
    {
        exit_fixture::makeDataDirectory(*m_env);
        Database db(m_env->dataDir(), m_env->workstation());
        db.open();
        Parameters parameters;
        auto device = std::make_unique<QPrinterDevice>();
        const QString pdf = m_env->path("iesire.pdf");
        device->printer().setOutputFileName(pdf);
        PrintContext print(std::move(device));
        ScriptedMessages messages;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                QTest::keyClick(modal, Qt::Key_Return);
        });
        press.start(50);
        QVERIFY(!printScrappingList(nullptr, db, parameters, print, messages, 99, false, QString()));
        press.stop();
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral("Documentul de iesire cu numarul de inregistrare 99 nu mai exista!")});
        QVERIFY(!QFile::exists(pdf));
    }
};

TESSARO_TEST_MAIN(TestExitPrintDialog)
#include "tst_exitprintdialog.moc"
