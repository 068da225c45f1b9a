-- ZRN central database, embedded SQLite backend.
-- Run by Schema::create (and zrnctl init) on the main file; every statement
-- is safe to repeat. The second schema "qml" (shared with the control panel)
-- is a separate file that Database::open attaches under the name qml.
--
-- The same tables and columns as on MySQL with SQLite's own types: INTEGER
-- and REAL columns turn the field texts the client writes into numbers, so
-- they compare numerically; DATE/DATETIME keep the ISO texts, which compare
-- as dates. Rich-text notes are UTF-8 HTML.

-- Holdings that group enterprises.
CREATE TABLE IF NOT EXISTS tellmark_holding (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  nazev_holding TEXT
);

-- Enterprises (the customer companies).
CREATE TABLE IF NOT EXISTS tellmark_podniky (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  podnik_nazev TEXT,
  id_holding INTEGER,
  ICO TEXT,
  CH6 TEXT,
  ZEME TEXT,
  OKRES TEXT,
  OBR TEXT,
  OBR_POZNAMKA TEXT,
  KONTAKT_JMENO TEXT,
  KONTAKT_ADRESA TEXT,
  KONTAKT_TELEFON TEXT,
  KONTAKT_EMAIL TEXT,
  GPS TEXT,
  SKOT_KS INTEGER,
  DOJNICE_KS INTEGER,
  DOJNICE_PLEMENO TEXT,
  MASNY_KS INTEGER,
  MASNY_PLEMENO TEXT,
  SW TEXT,
  SW_POZNAMKA TEXT,
  UE TEXT,
  UE_POZNAMKA TEXT,
  UCTO TEXT,
  UCTO_POZNAMKA TEXT,
  O_ODPOVEDNA_OSOBA TEXT,
  O_VZTAH_SE_ZAKAZNIKEM INTEGER,
  O_KONTAKTNI_OSOBA TEXT,
  O_PRIORITA INTEGER,
  O_TELEFON TEXT,
  O_EMAIL TEXT,
  O_POSLEDNI_KONTAKT DATE,
  O_POSLEDNI_KONTAKT_OSOBA TEXT,
  O_DALSI_KONTAKT DATE,
  O_PREDVEDENI DATE,
  O_PREDVEDENI_OSOBA TEXT,
  O_NABIDKA_ODESLANA DATE,
  O_STAV TEXT,
  O_POZNAMKA TEXT,
  O_NABIDKAT_ODESLANA DATE,
  O_STAVT TEXT,
  O_POZNAMKAT TEXT,
  SMLOUVA_ORGANIZACE TEXT,
  SMLOUVA_CISLO TEXT,
  SMLOUVA_PODEPSANO DATE,
  SMLOUVA_FAKTURACE_OD DATE,
  SMLOUVA_FAKTURACE_CASTKA_ROK REAL,
  SMLOUVA_FAKTURACE_MENA TEXT,
  SMLOUVA_FAKTURACE_SLEVA REAL,
  SMLOUVA_FAKTURACE_SLEVA_OBDOBI REAL,
  SMLOUVA_FAKTURACE_MESICE TEXT,
  SMLOUVA_FAKTURACE_OBDOBI TEXT,
  SMLOUVA_FAKTURACE_ZPETNE TEXT,
  SMLOUVA_POZNAMKA TEXT,
  SMLOUVA_POZNAMKY TEXT,
  SMLOUVA_PRONAJEM TEXT
);

-- Centres (farm sites); every centre belongs to one enterprise. Statements
-- join this table with tellmark_podniky and name some columns without the
-- table, so a column name may exist in both only where every such statement
-- qualifies it (id, ICO, GPS).
CREATE TABLE IF NOT EXISTS tellmark_strediska (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  id_podnik INTEGER,
  akce_nazev TEXT,
  licence_cislo INTEGER,
  spusteni DATE,
  DRUHE_SKOLENI DATE,
  UPDATE_OMEZEN INTEGER,
  PODNIK_JMENO TEXT,
  PODNIK_TELEFON TEXT,
  PODNIK_EMAIL TEXT,
  ICO TEXT,
  DB_UUID TEXT,
  hospodarstvi TEXT,
  poznamkovy_blok TEXT,
  GPS TEXT,
  -- installation statistics, filled by the installations' reports
  CLOUD_CISLO TEXT,
  VERZE_PROGRAMU TEXT,
  AKTUALIZOVANO DATETIME,
  POCET_AKTUALIZACI INTEGER,
  POCET_KUSU INTEGER,
  POCET_KRAV INTEGER,
  POCET_OBOJKU INTEGER,
  pocet_pedometru INTEGER,
  -- milk recording, filled by the KU import
  SKU_DATUM DATE,
  SKU_DOJNIC INTEGER,
  SKU_STUPEN TEXT,
  specifikace TEXT,
  -- portal credentials
  EAGRI_UZIVATEL TEXT,
  EAGRI_HESLO TEXT,
  KU_CMSCH_UZIVATEL TEXT,
  KU_CMSCH_HESLO TEXT,
  -- remote access: six VNC and two TeamViewer connections
  uvnc1_host TEXT, uvnc1_id TEXT, uvnc1_password TEXT,
  uvnc2_host TEXT, uvnc2_id TEXT, uvnc2_password TEXT,
  uvnc3_host TEXT, uvnc3_id TEXT, uvnc3_password TEXT,
  uvnc4_host TEXT, uvnc4_id TEXT, uvnc4_password TEXT,
  uvnc5_host TEXT, uvnc5_id TEXT, uvnc5_password TEXT,
  uvnc6_host TEXT, uvnc6_id TEXT, uvnc6_password TEXT,
  tv1_host TEXT, tv1_id TEXT, tv1_password TEXT,
  tv2_host TEXT, tv2_id TEXT, tv2_password TEXT,
  -- repeater server of VNC 1-4: 0/NULL first server, 1 second
  UVNC1_AF INTEGER,
  UVNC2_AF INTEGER,
  UVNC3_AF INTEGER,
  UVNC4_AF INTEGER,
  -- technology sheet (Specifikace): code-list text and note per area
  SST TEXT, SSTP TEXT,
  SSW TEXT, SSWP TEXT,
  SDOJPR TEXT,
  SDOJ TEXT, SDOJP TEXT,
  SDOJSPUSTENI DATE, SDOJSPUSTENIP TEXT,
  SDOJTYP TEXT, SDOJTYPP TEXT,
  SDMM TEXT, SDMMP TEXT,
  SDOJPSP TEXT,
  SDOJSERVISP TEXT,
  SID TEXT, SIDT TEXT, SIDP TEXT,
  SPA TEXT, SPAT TEXT, SPAP TEXT,
  SPASPUSTENI DATE, SPASPUSTENIP TEXT,
  SPAVYSILAC TEXT, SPAVYSILACP TEXT,
  SSB TEXT, SSBP TEXT,
  SAKB TEXT, SAKBP TEXT,
  SASR TEXT, SASRP TEXT,
  SKU TEXT, SKUP TEXT,
  SREP TEXT, SREPP TEXT,
  SVYZIVA TEXT, SVYZIVAP TEXT,
  SDOKTOR TEXT, SDOKTORP TEXT,
  SPAZNEHTARI TEXT, SPAZNEHTARIP TEXT,
  SMLEKARNA TEXT, SMLEKARNAP TEXT,
  SVAZENI TEXT, SVAZENIV TEXT, SVAZENIP TEXT,
  SKV TEXT, SKVSW TEXT, SKVP TEXT,
  SCH TEXT, SCHP TEXT,
  SCHTYP TEXT, SCHTYPP TEXT,
  SPOZNAMKA TEXT
);

-- Which user may see which centre (users with the acls right).
CREATE TABLE IF NOT EXISTS tellmark_strediska_acls (
  id_strediska INTEGER NOT NULL,
  id_www_user INTEGER NOT NULL,
  PRIMARY KEY (id_strediska, id_www_user)
);

-- Events; a reply points to its parent through id_parent.
CREATE TABLE IF NOT EXISTS tellmark_udalosti (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  id_parent INTEGER,
  id_podnik INTEGER,
  id_strediska INTEGER,
  ts_zalozeno DATETIME,
  ts_modifikovano DATETIME,
  ts_zacatek DATETIME,
  ts_kal_zacatek DATETIME,
  ts_konec DATETIME,
  lokalita TEXT,
  notifikace INTEGER,
  notifikacef INTEGER,
  zdroj INTEGER,
  kategorie INTEGER,
  stav INTEGER,
  priorita INTEGER NOT NULL DEFAULT 0,
  typ_synchronizace INTEGER,
  cesta INTEGER,
  cislo_projektu TEXT,
  odpovedna_osoba TEXT,
  predmet TEXT,
  popis TEXT,
  hash TEXT,
  upozornit_od DATE,
  smazano INTEGER NOT NULL DEFAULT 0
);

-- Files attached to events, stored whole (up to 20 MB each).
CREATE TABLE IF NOT EXISTS tellmark_udalosti_prilohy (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  id_udalosti INTEGER,
  nazev_souboru TEXT,
  data BLOB
);

-- Staff users of the program and their rights.
CREATE TABLE IF NOT EXISTS www_users (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  login TEXT COLLATE NOCASE,
  password TEXT,
  vp INTEGER,
  admin INTEGER,
  minimal INTEGER,
  acls INTEGER,
  os INTEGER,
  region TEXT,
  udalosti INTEGER,
  sestavy INTEGER,
  fakturace INTEGER,
  cp INTEGER,
  stredisko_tech_cteni INTEGER,
  pristupy INTEGER,
  stat_zrn_last DATETIME,
  stat_zrn_cnt INTEGER NOT NULL DEFAULT 0
);

-- Audit rows: operace 1 = VNC launch (with vnc_id), 2 = login.
CREATE TABLE IF NOT EXISTS logovani (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  uzivatel TEXT,
  ts DATETIME,
  operace INTEGER,
  vnc_id INTEGER
);

-- Connection log of the VNC repeater; written by the repeater only.
CREATE TABLE IF NOT EXISTS vnc (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  uid TEXT,
  ts DATETIME,
  operation TEXT
);

-- Milk-recording data of the breeders, source of the KU import.
CREATE TABLE IF NOT EXISTS chovatele_data (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  datum_ku DATE,
  pocet_dojnic INTEGER,
  stupen_kontroly TEXT,
  staj_cislo TEXT
);

-- Indexes the tree, the event lists and the imports need.
CREATE INDEX IF NOT EXISTS idx_podniky_ico ON tellmark_podniky (ICO);
CREATE INDEX IF NOT EXISTS idx_podniky_holding ON tellmark_podniky (id_holding);
CREATE INDEX IF NOT EXISTS idx_strediska_podnik ON tellmark_strediska (id_podnik);
CREATE INDEX IF NOT EXISTS idx_strediska_hospodarstvi ON tellmark_strediska (hospodarstvi);
CREATE INDEX IF NOT EXISTS idx_acls_user ON tellmark_strediska_acls (id_www_user);
CREATE INDEX IF NOT EXISTS idx_udalosti_parent_live ON tellmark_udalosti (id_parent, smazano);
CREATE INDEX IF NOT EXISTS idx_udalosti_podnik ON tellmark_udalosti (id_podnik);
CREATE INDEX IF NOT EXISTS idx_udalosti_strediska ON tellmark_udalosti (id_strediska);
CREATE INDEX IF NOT EXISTS idx_prilohy_udalost ON tellmark_udalosti_prilohy (id_udalosti);
CREATE UNIQUE INDEX IF NOT EXISTS idx_users_login ON www_users (login);
CREATE INDEX IF NOT EXISTS idx_vnc_uid ON vnc (uid);
CREATE INDEX IF NOT EXISTS idx_vnc_ts ON vnc (ts);

-- Users of the control panel, a web application sharing the database.
CREATE TABLE IF NOT EXISTS qml.acl (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  uzivatel TEXT,
  heslo TEXT,
  poznamka TEXT,
  idlist TEXT
);
CREATE INDEX IF NOT EXISTS qml.idx_acl_uzivatel ON acl (uzivatel);
