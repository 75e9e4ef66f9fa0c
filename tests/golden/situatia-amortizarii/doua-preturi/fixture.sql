-- INV002 entered a second time at another price: two stock rows, one report line (the
-- entry line with the lowest counter).
INSERT INTO "Doc_in" ("Contor", "Data_inregistrarii", "Tip", "Data") VALUES (4, '2021-02-01', 'FCT', '2021-02-01');
INSERT INTO "Item_in" ("Contor", "Contor_secundar", "Cod_gestiune", "Cod_grupa", "Cod_articol", "Lot", "Cantitate",
  "Pret_achizitie_lei", "Agent", "DurataTotala", "DurataRamasa", "ValoareAmortizata", "Denumire", "Domeniu", "CalcAmortizare") VALUES
  (4, 1, 'G1', '2.1.1', 'INV002', '2021-02-01', 1, 1500, 'B1', 36, 36, 0, 'Mașină de găurit (a doua)', 'privat', 1);
