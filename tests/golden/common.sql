-- Two units, three classification codes under two main groups (one code without "."),
-- two budgets, an initial-stock line, an asset moved from G1 to G2 (exit and entry
-- written here), a negative stock row, a line with DurataRamasa 0, a line without
-- depreciation, an asset put into use in the report month.
INSERT INTO "Firmdata" ("Cod", "Denumire", "Adresa", "Cod fiscal") VALUES (0, 'Școala Gimnazială Ștefan cel Mare', 'Str. Țării 7, Iași', 'RO1234567');
INSERT INTO "Gest" ("Cod", "Denumire") VALUES ('G1', 'Atelier mecanic'), ('G2', 'Depozit central');
INSERT INTO "Materiale" ("Cod_material", "Denumire", "CONT_SINT") VALUES
  ('2', 'Mașini, utilaje și instalații', '2131'), ('3', 'Mobilier și aparatură birotică', '214');
INSERT INTO "Grup" ("Cod_material", "Cod_grupa", "Denumire", "Cont_sint") VALUES
  ('2', '2.1.1', 'Mașini-unelte', '2131'),
  ('3', '3.1.1', 'Mobilier', '214'),
  ('3', '301', 'Mobilier divers', '214');
INSERT INTO "Client" ("Cod_client", "Nume_client") VALUES ('B1', 'Buget local'), ('B2', 'Venituri proprii');

INSERT INTO "Doc_in" ("Contor", "Data_inregistrarii", "Tip", "Data", "Explicatie") VALUES
  (-1, NULL, 'XXX', '2019-01-10', 'Introducere stocuri initiale'),
  (1, '2020-03-15', 'FCT', '2020-03-15', NULL),
  (2, '2021-06-01', 'TRF', '2021-06-01', NULL),
  (3, '2022-06-10', 'FCT', '2022-06-10', NULL);
INSERT INTO "Doc_out" ("Contor", "Data_inregistrarii", "Tip", "Data") VALUES
  (10, '2021-06-01', 'TRF', '2021-06-01'),
  (11, '2022-01-10', 'PV', '2022-01-10');

INSERT INTO "Item_in" ("Contor", "Contor_secundar", "Cod_gestiune", "Cod_grupa", "Cod_articol", "Lot", "Cantitate",
  "Pret_achizitie_lei", "Agent", "DurataTotala", "DurataRamasa", "ValoareAmortizata", "Denumire", "Domeniu", "CalcAmortizare") VALUES
  (-1, 1, 'G1', '2.1.1', 'INV001', '2015-05-20', 1, 12000, 'B1', 96, 60, 3000, 'Strung paralel SN 400', 'public', 1),
  (1, 1, 'G1', '2.1.1', 'INV002', '2020-03-15', 1, 1000, 'B1', 36, 36, 0, 'Mașină de găurit în coordonate', 'privat', 1),
  (1, 2, 'G1', '3.1.1', 'INV003', '2020-03-15', 1, 2400, 'B2', 36, 36, 0, 'Dulap metalic, 2 uși', 'public', 1),
  (1, 3, 'G2', '301', 'INV004', '2020-03-15', 1, 500, 'B2', 12, 0, 0, 'Scaun ergonomic', 'privat', 1),
  (2, 1, 'G2', '3.1.1', 'INV003', '2020-03-15', 1, 2400, 'B2', 36, 9, 1500, 'Dulap metalic, 2 uși', 'public', 1),
  (3, 1, 'G2', '2.1.1', 'INV005', '2022-06-10', 1, 3000, 'B1', 60, 60, 0, 'Autoturism Dacia Logan', 'privat', 1),
  (3, 2, 'G2', '2.1.1', 'INV006', '2021-01-15', 2, 750.5, 'B1', 48, 48, 0, 'Calculator și imprimantă', 'public', 0),
  (3, 3, 'G1', '3.1.1', 'INV007', '2021-01-15', 1, 800, 'B2', 40, 40, 0, 'Birou lemn "Ţara"', 'public', 1);

INSERT INTO "Item_out" ("Contor", "Contor_secundar", "Cod_gestiune", "Cod_grupa", "Cod_articol", "Cantitate",
  "Pret_achizitie", "Lot", "Agent") VALUES
  (10, 1, 'G1', '3.1.1', 'INV003', 1, 2400, '2020-03-15', 'B2'),
  (11, 1, 'G1', '3.1.1', 'INV007', 2, 800, '2021-01-15', 'B2');
