#include "app/forms/MainCommands.h"

#include "app/forms/DesktopServices.h"
#include "app/forms/TMainForm.h"
#include "app/forms/TUserForm.h"
#include "catalogs/forms/TCatLookupForm.h"
#include "documents/StockRecalculation.h"
#include "documents/forms/TDocInForm.h"
#include "documents/forms/TDocOutForm.h"
#include "documents/forms/TIniStockForm.h"
#include "documents/forms/TProformaForm.h"
#include "documents/forms/TXSPNecesarForm.h"
#include "documents/forms/TStocksForm.h"
#include "catalogs/forms/TClientLookupForm.h"
#include "catalogs/forms/TFirmDataDlg.h"
#include "catalogs/forms/TFurnLookupForm.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "reports/forms/DepreciationSituationRun.h"

#include <QMdiSubWindow>

void registerMainCommands(TMainForm &window, DesktopServices &services, Messages &messages)
{
    const Workstation &ws = services.workstation();

    // A child window over the open data directory, single-instance by its name.
    auto child = [&window, &services](const QString &name, auto create) {
        return [&window, &services, name, create] {
            Database *db = services.requireDatabase();
            if (!db)
                return;
            window.openChild(name, [&] { return create(*db); });
        };
    };

    window.setCommand(QStringLiteral("Catalog1"),
                      child(QStringLiteral("TCatLookupForm"), [&messages, &ws](Database &db) {
                          return static_cast<QWidget *>(TCatLookupForm::create(db, messages, ws));
                      }));
    window.setCommand(QStringLiteral("Gestiuni1"),
                      child(QStringLiteral("TGestlookupForm"), [&messages, &ws](Database &db) {
                          return static_cast<QWidget *>(TGestlookupForm::create(db, messages, ws));
                      }));
    window.setCommand(QStringLiteral("Furnizori1"),
                      child(QStringLiteral("TFurnLookupForm"), [&services, &messages, &ws](Database &db) {
                          return static_cast<QWidget *>(
                              TFurnLookupForm::create(db, services.parameters(), messages, ws));
                      }));
    window.setCommand(QStringLiteral("Bugete1"),
                      child(QStringLiteral("TClientLookupForm"), [&services, &messages, &ws](Database &db) {
                          return static_cast<QWidget *>(
                              TClientLookupForm::create(db, services.parameters(), messages, ws));
                      }));
    window.setCommand(QStringLiteral("Gestionari1"), [&window, &services, &messages] {
        if (Database *db = services.requireDatabase())
            TUserForm::execute(*db, messages, &window);
    });
    window.setCommand(QStringLiteral("Unitatea1"), [&window, &services, &messages] {
        if (Database *db = services.requireDatabase())
            TFirmDataDlg::execute(*db, services.parameters(), messages, window.dataDirectory(), &window);
    });

    const std::pair<const char *, SituationKind> situations[] = {
        {"DepreciationAtDate1", SituationKind::AtDate},
        {"DepreciationByAccount1", SituationKind::ByAccount},
        {"DepreciationSummary1", SituationKind::Summary},
        {"DepreciationSummaryByAccount1", SituationKind::SummaryByAccount},
    };
    for (const auto &[action, kind] : situations) {
        window.setCommand(QString::fromLatin1(action), [&window, &services, &messages, kind] {
            if (Database *db = services.requireDatabase())
                runDepreciationSituation(kind, &window, *db, services.parameters(), services.print(),
                                         messages, window.selection());
        });
    }

    window.setCommand(QStringLiteral("RecalcStocks1"), [&services, &messages] {
        if (Database *db = services.requireDatabase())
            StockRecalculation(*db, services.parameters().epsilon).run(messages);
    });

    window.setCommand(QStringLiteral("IniStock1"),
                      child(QStringLiteral("TIniStockForm"), [&services, &messages, &ws](Database &db) {
                          return static_cast<QWidget *>(
                              TIniStockForm::create(db, messages, ws, services.parameters()));
                      }));
    window.setCommand(QStringLiteral("DocIn1"),
                      child(QStringLiteral("TDocInForm"), [&services, &messages, &ws](Database &db) {
                          return static_cast<QWidget *>(TDocInForm::create(db, services.parameters(), messages, ws,
                                                                           &services.print(), &services.addOns()));
                      }));
    window.setCommand(QStringLiteral("DocOut1"),
                      child(QStringLiteral("TDocOutForm"), [&services, &messages, &ws](Database &db) {
                          return static_cast<QWidget *>(TDocOutForm::create(db, services.parameters(), messages, ws,
                                                                            &services.print(), &services.addOns()));
                      }));
    // A proposal goes on to "Lista casarilor", and the exit document it writes to the exit window.
    auto openExit = [&window, &services, &messages, &ws](Database &db) {
        QMdiSubWindow *sub = window.openChild(QStringLiteral("TDocOutForm"), [&] {
            return static_cast<QWidget *>(TDocOutForm::create(db, services.parameters(), messages, ws,
                                                              &services.print(), &services.addOns()));
        });
        if (auto *form = sub ? qobject_cast<TDocOutForm *>(sub->widget()) : nullptr) {
            form->refreshData();
            form->last();
        }
    };
    auto openList = [&window, &services, &messages, openExit](Database &db, double proposal) {
        QMdiSubWindow *sub = window.openChild(QStringLiteral("TXSPNecesarForm"), [&] {
            TXSPNecesarForm *form = TXSPNecesarForm::create(db, services.parameters(), messages, proposal);
            if (form)
                form->setOpenExit([&db, openExit](double) { openExit(db); });
            return static_cast<QWidget *>(form);
        });
        if (auto *form = sub ? qobject_cast<TXSPNecesarForm *>(sub->widget()) : nullptr)
            form->showProposal(proposal);
    };
    window.setCommand(QStringLiteral("DocProf1"),
                      child(QStringLiteral("TProformaForm"), [&services, &messages, &ws, openList](Database &db) {
                          TProformaForm *form =
                              TProformaForm::create(db, services.parameters(), messages, ws, &services.print());
                          if (form)
                              form->setOpenList([&db, openList](double proposal) { openList(db, proposal); });
                          return static_cast<QWidget *>(form);
                      }));
    window.setCommand(QStringLiteral("Stocks1"),
                      child(QStringLiteral("TStocksForm"), [&services, &messages, &ws](Database &db) {
                          TStocksForm *form = TStocksForm::create(db, messages, ws, services.parameters());
                          form->enableAssetCard(services.print());
                          return static_cast<QWidget *>(form);
                      }));
}
