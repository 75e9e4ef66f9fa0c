-- Assets put into use either side of 1 September 2019, from which on the month of
-- putting into use carries no depreciation: INV101 in August, INV102 and INV103 (a code
-- without ".") in September.
INSERT INTO "Doc_in" ("Contor", "Data_inregistrarii", "Tip", "Data") VALUES
  (20, '2019-08-20', 'FCT', '2019-08-20'), (21, '2019-09-05', 'FCT', '2019-09-05');
INSERT INTO "Item_in" ("Contor", "Contor_secundar", "Cod_gestiune", "Cod_grupa", "Cod_articol", "Lot", "Cantitate",
  "Pret_achizitie_lei", "Agent", "DurataTotala", "DurataRamasa", "ValoareAmortizata", "Denumire", "Domeniu", "CalcAmortizare") VALUES
  (20, 1, 'G1', '2.1.1', 'INV101', '2019-08-20', 1, 1200, 'B1', 24, 24, 0, 'Polizor de banc', 'privat', 1),
  (21, 1, 'G1', '3.1.1', 'INV102', '2019-09-05', 1, 3600, 'B2', 36, 36, 0, 'Dulap vestiar', 'privat', 1),
  (21, 2, 'G2', '301', 'INV103', '2019-09-05', 1, 600, 'B2', 12, 12, 0, 'Scaun rotativ', 'privat', 1);
