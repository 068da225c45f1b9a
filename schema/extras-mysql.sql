-- Tables and indexes the program adds to a register database beyond its own
-- tables; Schema::ensureExtras creates what is missing, also on a database
-- that already holds data. Nothing here alters an existing table.

-- Who changed which field of which row, when, from what to what; written in
-- the transaction of the change. Passwords are recorded without values.
CREATE TABLE IF NOT EXISTS zrn_historie (
  id INT NOT NULL AUTO_INCREMENT,
  ts DATETIME NOT NULL,
  uzivatel VARCHAR(100) NULL,
  tabulka VARCHAR(64) NOT NULL,
  id_radku INT NOT NULL,
  sloupec VARCHAR(64) NOT NULL,
  puvodni_hodnota MEDIUMTEXT NULL,
  nova_hodnota MEDIUMTEXT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;
CREATE INDEX idx_historie_radek ON zrn_historie (tabulka, id_radku, ts);

-- The names the event search looks through: read from the index alone.
CREATE INDEX idx_podniky_nazev ON tellmark_podniky (podnik_nazev);
CREATE INDEX idx_strediska_nazev ON tellmark_strediska (akce_nazev);
