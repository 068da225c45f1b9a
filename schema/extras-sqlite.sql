-- Tables and indexes the program adds to a register database beyond its own
-- tables; Schema::ensureExtras creates what is missing, also on a database
-- that already holds data. Nothing here alters an existing table.

-- Who changed which field of which row, when, from what to what; written in
-- the transaction of the change. Passwords are recorded without values.
CREATE TABLE IF NOT EXISTS zrn_historie (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  ts DATETIME NOT NULL,
  uzivatel TEXT,
  tabulka TEXT NOT NULL,
  id_radku INTEGER NOT NULL,
  sloupec TEXT NOT NULL,
  puvodni_hodnota TEXT,
  nova_hodnota TEXT
);
CREATE INDEX IF NOT EXISTS idx_historie_radek ON zrn_historie (tabulka, id_radku, ts);

-- The names the event search looks through: read from the index alone.
CREATE INDEX IF NOT EXISTS idx_podniky_nazev ON tellmark_podniky (podnik_nazev);
CREATE INDEX IF NOT EXISTS idx_strediska_nazev ON tellmark_strediska (akce_nazev);
