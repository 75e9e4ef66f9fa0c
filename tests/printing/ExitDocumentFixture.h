#pragma once

// Shared by the exit-printout tests: a data directory with every table, filled by SQL
// with one organisation, two management units, budgets, the entry lines the printouts
// read their names and service lives from, a scrapping ("CSR", contor 4), a transfer
// ("BT", contor 7) and a reception (entry contor 1).

#include "TestEnv.h"
#include "db/Database.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QFile>
#include <QSqlQuery>
#include <QStringList>

namespace exit_fixture {

inline void createTables(Database &db)
{
    SchemaWriter writer(db);
    db.writeTransaction([&] {
        for (const TVTable &table : TVTables::all())
            writer.createTable(table, QLatin1String(Database::dataSchema));
    });
}

inline const QStringList &statements()
{
    static const QStringList sql = {
        // The custodian of a unit comes with the upgrade that every opened directory gets.
        "ALTER TABLE \"Gest\" ADD COLUMN \"Gestionar\" VARCHAR(100)",
        "INSERT INTO \"Firmdata\" (\"Cod\", \"Denumire\", \"Adresa\", \"Judet\", \"Cod fiscal\", \"ORC\", \"Banca\", \"Cont\") "
        "VALUES (1, 'Primăria Comunei Vadu Moților', 'Vadu Moților, nr. 1', 'Alba', 'RO4562110', 'J01/22/1999', "
        "'Trezoreria Câmpeni', 'RO12TREZ0012345678901234')",
        "INSERT INTO \"Firmdata\" (\"Cod\", \"Denumire\") VALUES (2, 'Alta unitate')",
        "INSERT INTO \"Gest\" (\"Cod\", \"Denumire\", \"Gestionar\") VALUES ('A1', 'Primarie', 'Ionescu Maria')",
        "INSERT INTO \"Gest\" (\"Cod\", \"Denumire\", \"Gestionar\") VALUES ('B2', 'Scoala Generala', 'Pop Vasile')",
        "INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B01', 'Buget local')",
        "INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B02', 'Venituri proprii')",
        // Entry lines: the initial stock, a reception, and INV001 entering A1 from B2 by a
        // transfer under a longer name (the movement note names an asset after its entry
        // line in the unit it leaves, the scrapping list after its first entry line).
        "INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Tip\", \"Data\") "
        "VALUES (-1, '2019-01-01', 0, 'SI', '2019-01-01')",
        "INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Tip\", \"Data\", \"Explicatie\") "
        "VALUES (1, '2025-12-31', 88, 'FCT', '2025-12-30', 'Dotare scoala')",
        "INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
        "\"Denumire\", \"DurataTotala\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", \"TVA\", \"Agent\") VALUES "
        "(-1, 1, 'B2', '2.1.3', 'INV001', 'Strung paralel', 60, '2024-03-15', 1, 12500.5, 0, 'B01'), "
        "(-1, 2, 'A1', '2.2.1', 'INV002', 'Autoturism Dacia', 60, '2021-03-15', 1, 45000, 0, 'B02'), "
        "(-1, 3, 'B2', '3.1.1', 'INV010', 'Calculator birou', 60, '2019-03-15', 2, 3199.99, 0, 'B01'), "
        "(1, 1, 'B2', '3.3.1', 'INV011', 'Scaun ergonomic', 2, '2025-12-31', 3, 0.335, 0.19, NULL), "
        "(1, 2, 'B2', '2.1.3', 'INV020', 'Strung de banc', 12.5, '2025-12-31', 2, 1234.5678, 469.14, 'B02'), "
        "(5, 1, 'A1', '2.1.3', 'INV001', 'Strung paralel SN 4471', 48, '2024-03-15', 1, 12500.5, 0, 'B01')",
        "INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Tip\", \"Data\", \"Explicatie\") "
        "VALUES (5, '2025-01-10', 3, 'BT', '2025-01-10', 'Transfer din gestiunea Scoala Generala')",
        // The scrapping: two lines of A1 and two of B2, dated 15.03.2026.
        "INSERT INTO \"Doc_out\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Tip\", \"Data\", \"Explicatie\") "
        "VALUES (4, '2026-03-16', 31, 'CSR', '2026-03-15', 'Casare anuala')",
        "INSERT INTO \"Item_out\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
        "\"Lot\", \"Cantitate\", \"Pret_achizitie\", \"Agent\") VALUES "
        "(4, 1, 'B2', '3.3.1', 'INV011', '2025-12-31', 3, 0.335, NULL), "
        "(4, 2, 'A1', '2.2.1', 'INV002', '2021-03-15', 1, 45000, 'B02'), "
        "(4, 3, 'B2', '3.1.1', 'INV010', '2019-03-15', 2, 3199.99, 'B01'), "
        "(4, 4, 'A1', '2.1.3', 'INV001', '2024-03-15', 1, 12500.5, 'B01')",
        // The transfer from A1 to B2: the same asset at two prices, and another one.
        "INSERT INTO \"Doc_out\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Tip\", \"Data\", \"Client\", \"Explicatie\") "
        "VALUES (7, '2026-04-02', 15, 'BT', '2026-04-01', 'B2', 'Transfer')",
        "INSERT INTO \"Item_out\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
        "\"Lot\", \"Cantitate\", \"Pret_achizitie\", \"Agent\") VALUES "
        "(7, 1, 'A1', '2.2.1', 'INV002', '2021-03-15', 1, 45000, 'B02'), "
        "(7, 2, 'A1', '2.1.3', 'INV001', '2024-03-15', 1, 12500.5, 'B01'), "
        "(7, 3, 'A1', '2.1.3', 'INV001', '2024-03-15', 2, 100.255, 'B01')",
    };
    return sql;
}

inline void fill(Database &db)
{
    createTables(db);
    db.writeTransaction([&] {
        for (const QString &s : statements())
            db.run(s);
    });
}

// A data directory for the program: the tables, the statements and "FirmNo" 1.
inline void makeDataDirectory(const TestEnv &env)
{
    {
        Database db(env.dataDir(), env.workstation(), QStringLiteral("fixture"));
        db.open();
        fill(db);
    }
    QFile ini(env.dataDir() + QStringLiteral("PVLDEF.INI"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[Default]\r\nFirmNo=1\r\nDecimal separator=Coma\r\n");
}

} // namespace exit_fixture
