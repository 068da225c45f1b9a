-- ZRN central database, MySQL 8 / MariaDB 10.
-- Run by Schema::create (and zrnctl init) against the configured database;
-- every statement is safe to repeat. The second schema "qml" (shared with
-- the control panel) is a sibling database on the same server.
--
-- Free texts that the client writes from single-line fields are VARCHAR with
-- room to spare where they are short by nature (codes, phones, hosts);
-- notes and anything a user may type at length are TEXT, so a long entry is
-- never refused by strict mode. Rich-text notes are UTF-8 HTML (MEDIUMTEXT).
-- No foreign keys: deleting an enterprise or centre removes only its own
-- row, and outside systems fill some tables in their own order.

-- Holdings that group enterprises.
CREATE TABLE IF NOT EXISTS tellmark_holding (
  id INT NOT NULL AUTO_INCREMENT,
  nazev_holding VARCHAR(255) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Enterprises (the customer companies).
CREATE TABLE IF NOT EXISTS tellmark_podniky (
  id INT NOT NULL AUTO_INCREMENT,
  podnik_nazev VARCHAR(255) NULL,
  id_holding INT NULL,
  ICO VARCHAR(32) NULL,
  CH6 VARCHAR(16) NULL,
  ZEME VARCHAR(100) NULL,
  OKRES VARCHAR(255) NULL,
  OBR VARCHAR(100) NULL,
  OBR_POZNAMKA TEXT NULL,
  KONTAKT_JMENO VARCHAR(255) NULL,
  KONTAKT_ADRESA TEXT NULL,
  KONTAKT_TELEFON VARCHAR(255) NULL,
  KONTAKT_EMAIL VARCHAR(255) NULL,
  GPS VARCHAR(100) NULL,
  SKOT_KS INT NULL,
  DOJNICE_KS INT NULL,
  DOJNICE_PLEMENO VARCHAR(255) NULL,
  MASNY_KS INT NULL,
  MASNY_PLEMENO VARCHAR(255) NULL,
  SW VARCHAR(100) NULL,
  SW_POZNAMKA TEXT NULL,
  UE VARCHAR(100) NULL,
  UE_POZNAMKA TEXT NULL,
  UCTO VARCHAR(100) NULL,
  UCTO_POZNAMKA TEXT NULL,
  O_ODPOVEDNA_OSOBA VARCHAR(255) NULL,
  O_VZTAH_SE_ZAKAZNIKEM INT NULL,
  O_KONTAKTNI_OSOBA VARCHAR(255) NULL,
  O_PRIORITA INT NULL,
  O_TELEFON VARCHAR(255) NULL,
  O_EMAIL VARCHAR(255) NULL,
  O_POSLEDNI_KONTAKT DATE NULL,
  O_POSLEDNI_KONTAKT_OSOBA VARCHAR(255) NULL,
  O_DALSI_KONTAKT DATE NULL,
  O_PREDVEDENI DATE NULL,
  O_PREDVEDENI_OSOBA VARCHAR(255) NULL,
  O_NABIDKA_ODESLANA DATE NULL,
  O_STAV VARCHAR(100) NULL,
  O_POZNAMKA TEXT NULL,
  O_NABIDKAT_ODESLANA DATE NULL,
  O_STAVT VARCHAR(100) NULL,
  O_POZNAMKAT TEXT NULL,
  SMLOUVA_ORGANIZACE VARCHAR(255) NULL,
  SMLOUVA_CISLO VARCHAR(255) NULL,
  SMLOUVA_PODEPSANO DATE NULL,
  SMLOUVA_FAKTURACE_OD DATE NULL,
  SMLOUVA_FAKTURACE_CASTKA_ROK DECIMAL(14,2) NULL,
  SMLOUVA_FAKTURACE_MENA VARCHAR(16) NULL,
  SMLOUVA_FAKTURACE_SLEVA DOUBLE NULL,
  SMLOUVA_FAKTURACE_SLEVA_OBDOBI DOUBLE NULL,
  SMLOUVA_FAKTURACE_MESICE VARCHAR(255) NULL,
  SMLOUVA_FAKTURACE_OBDOBI VARCHAR(255) NULL,
  SMLOUVA_FAKTURACE_ZPETNE VARCHAR(255) NULL,
  SMLOUVA_POZNAMKA TEXT NULL,
  SMLOUVA_POZNAMKY MEDIUMTEXT NULL,
  SMLOUVA_PRONAJEM TEXT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Centres (farm sites); every centre belongs to one enterprise. Statements
-- join this table with tellmark_podniky and name some columns without the
-- table, so a column name may exist in both only where every such statement
-- qualifies it (id, ICO, GPS).
CREATE TABLE IF NOT EXISTS tellmark_strediska (
  id INT NOT NULL AUTO_INCREMENT,
  id_podnik INT NULL,
  akce_nazev VARCHAR(255) NULL,
  licence_cislo INT NULL,
  spusteni DATE NULL,
  DRUHE_SKOLENI DATE NULL,
  UPDATE_OMEZEN INT NULL,
  PODNIK_JMENO VARCHAR(255) NULL,
  PODNIK_TELEFON VARCHAR(255) NULL,
  PODNIK_EMAIL VARCHAR(255) NULL,
  ICO VARCHAR(32) NULL,
  DB_UUID VARCHAR(100) NULL,
  hospodarstvi VARCHAR(32) NULL,
  poznamkovy_blok MEDIUMTEXT NULL,
  GPS VARCHAR(100) NULL,
  -- installation statistics, filled by the installations' reports
  CLOUD_CISLO VARCHAR(100) NULL,
  VERZE_PROGRAMU VARCHAR(100) NULL,
  AKTUALIZOVANO DATETIME NULL,
  POCET_AKTUALIZACI INT NULL,
  POCET_KUSU INT NULL,
  POCET_KRAV INT NULL,
  POCET_OBOJKU INT NULL,
  pocet_pedometru INT NULL,
  -- milk recording, filled by the KU import
  SKU_DATUM DATE NULL,
  SKU_DOJNIC INT NULL,
  SKU_STUPEN VARCHAR(32) NULL,
  specifikace TEXT NULL,
  -- portal credentials
  EAGRI_UZIVATEL VARCHAR(255) NULL,
  EAGRI_HESLO VARCHAR(255) NULL,
  KU_CMSCH_UZIVATEL VARCHAR(255) NULL,
  KU_CMSCH_HESLO VARCHAR(255) NULL,
  -- remote access: six VNC and two TeamViewer connections
  uvnc1_host VARCHAR(255) NULL, uvnc1_id VARCHAR(64) NULL, uvnc1_password VARCHAR(128) NULL,
  uvnc2_host VARCHAR(255) NULL, uvnc2_id VARCHAR(64) NULL, uvnc2_password VARCHAR(128) NULL,
  uvnc3_host VARCHAR(255) NULL, uvnc3_id VARCHAR(64) NULL, uvnc3_password VARCHAR(128) NULL,
  uvnc4_host VARCHAR(255) NULL, uvnc4_id VARCHAR(64) NULL, uvnc4_password VARCHAR(128) NULL,
  uvnc5_host VARCHAR(255) NULL, uvnc5_id VARCHAR(64) NULL, uvnc5_password VARCHAR(128) NULL,
  uvnc6_host VARCHAR(255) NULL, uvnc6_id VARCHAR(64) NULL, uvnc6_password VARCHAR(128) NULL,
  tv1_host VARCHAR(255) NULL, tv1_id VARCHAR(64) NULL, tv1_password VARCHAR(128) NULL,
  tv2_host VARCHAR(255) NULL, tv2_id VARCHAR(64) NULL, tv2_password VARCHAR(128) NULL,
  -- repeater server of VNC 1-4: 0/NULL first server, 1 second
  UVNC1_AF INT NULL,
  UVNC2_AF INT NULL,
  UVNC3_AF INT NULL,
  UVNC4_AF INT NULL,
  -- technology sheet (Specifikace): code-list text and note per area
  SST VARCHAR(100) NULL, SSTP TEXT NULL,
  SSW VARCHAR(100) NULL, SSWP TEXT NULL,
  SDOJPR VARCHAR(100) NULL,
  SDOJ VARCHAR(100) NULL, SDOJP TEXT NULL,
  SDOJSPUSTENI DATE NULL, SDOJSPUSTENIP TEXT NULL,
  SDOJTYP VARCHAR(100) NULL, SDOJTYPP TEXT NULL,
  SDMM VARCHAR(100) NULL, SDMMP TEXT NULL,
  SDOJPSP TEXT NULL,
  SDOJSERVISP TEXT NULL,
  SID VARCHAR(100) NULL, SIDT VARCHAR(100) NULL, SIDP TEXT NULL,
  SPA VARCHAR(100) NULL, SPAT VARCHAR(100) NULL, SPAP TEXT NULL,
  SPASPUSTENI DATE NULL, SPASPUSTENIP TEXT NULL,
  SPAVYSILAC VARCHAR(100) NULL, SPAVYSILACP TEXT NULL,
  SSB VARCHAR(100) NULL, SSBP TEXT NULL,
  SAKB VARCHAR(100) NULL, SAKBP TEXT NULL,
  SASR VARCHAR(100) NULL, SASRP TEXT NULL,
  SKU VARCHAR(100) NULL, SKUP TEXT NULL,
  SREP VARCHAR(100) NULL, SREPP TEXT NULL,
  SVYZIVA VARCHAR(100) NULL, SVYZIVAP TEXT NULL,
  SDOKTOR VARCHAR(100) NULL, SDOKTORP TEXT NULL,
  SPAZNEHTARI VARCHAR(100) NULL, SPAZNEHTARIP TEXT NULL,
  SMLEKARNA VARCHAR(100) NULL, SMLEKARNAP TEXT NULL,
  SVAZENI VARCHAR(100) NULL, SVAZENIV VARCHAR(100) NULL, SVAZENIP TEXT NULL,
  SKV VARCHAR(100) NULL, SKVSW VARCHAR(100) NULL, SKVP TEXT NULL,
  SCH VARCHAR(100) NULL, SCHP TEXT NULL,
  SCHTYP VARCHAR(100) NULL, SCHTYPP TEXT NULL,
  SPOZNAMKA MEDIUMTEXT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Which user may see which centre (users with the acls right).
CREATE TABLE IF NOT EXISTS tellmark_strediska_acls (
  id_strediska INT NOT NULL,
  id_www_user INT NOT NULL,
  PRIMARY KEY (id_strediska, id_www_user)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Events; a reply points to its parent through id_parent.
CREATE TABLE IF NOT EXISTS tellmark_udalosti (
  id INT NOT NULL AUTO_INCREMENT,
  id_parent INT NULL,
  id_podnik INT NULL,
  id_strediska INT NULL,
  ts_zalozeno DATETIME NULL,
  ts_modifikovano DATETIME NULL,
  ts_zacatek DATETIME NULL,
  ts_kal_zacatek DATETIME NULL,
  ts_konec DATETIME NULL,
  lokalita VARCHAR(255) NULL,
  notifikace INT NULL,
  notifikacef INT NULL,
  zdroj INT NULL,
  kategorie INT NULL,
  stav INT NULL,
  priorita INT NOT NULL DEFAULT 0,
  typ_synchronizace INT NULL,
  cesta INT NULL,
  cislo_projektu VARCHAR(100) NULL,
  odpovedna_osoba TEXT NULL,
  predmet TEXT NULL,
  popis MEDIUMTEXT NULL,
  hash VARCHAR(255) NULL,
  upozornit_od DATE NULL,
  smazano INT NOT NULL DEFAULT 0,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Files attached to events, stored whole (up to 20 MB each).
CREATE TABLE IF NOT EXISTS tellmark_udalosti_prilohy (
  id INT NOT NULL AUTO_INCREMENT,
  id_udalosti INT NULL,
  nazev_souboru VARCHAR(255) NULL,
  data LONGBLOB NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Staff users of the program and their rights.
CREATE TABLE IF NOT EXISTS www_users (
  id INT NOT NULL AUTO_INCREMENT,
  login VARCHAR(100) NULL,
  password VARCHAR(255) NULL,
  vp INT NULL,
  admin INT NULL,
  minimal INT NULL,
  acls INT NULL,
  os INT NULL,
  region VARCHAR(100) NULL,
  udalosti INT NULL,
  sestavy INT NULL,
  fakturace INT NULL,
  cp INT NULL,
  stredisko_tech_cteni INT NULL,
  pristupy INT NULL,
  stat_zrn_last DATETIME NULL,
  stat_zrn_cnt INT NOT NULL DEFAULT 0,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Audit rows: operace 1 = VNC launch (with vnc_id), 2 = login.
CREATE TABLE IF NOT EXISTS logovani (
  id INT NOT NULL AUTO_INCREMENT,
  uzivatel VARCHAR(100) NULL,
  ts DATETIME NULL,
  operace INT NULL,
  vnc_id INT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Connection log of the VNC repeater; written by the repeater only.
CREATE TABLE IF NOT EXISTS vnc (
  id INT NOT NULL AUTO_INCREMENT,
  uid VARCHAR(64) NULL,
  ts DATETIME NULL,
  operation VARCHAR(255) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Milk-recording data of the breeders, source of the KU import.
CREATE TABLE IF NOT EXISTS chovatele_data (
  id INT NOT NULL AUTO_INCREMENT,
  datum_ku DATE NULL,
  pocet_dojnic INT NULL,
  stupen_kontroly VARCHAR(32) NULL,
  staj_cislo VARCHAR(32) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- Indexes the tree, the event lists and the imports need. Schema::create
-- skips an index when the table already has one over the same columns.
CREATE INDEX idx_podniky_ico ON tellmark_podniky (ICO);
CREATE INDEX idx_podniky_holding ON tellmark_podniky (id_holding);
CREATE INDEX idx_strediska_podnik ON tellmark_strediska (id_podnik);
CREATE INDEX idx_strediska_hospodarstvi ON tellmark_strediska (hospodarstvi);
CREATE INDEX idx_acls_user ON tellmark_strediska_acls (id_www_user);
CREATE INDEX idx_udalosti_parent_live ON tellmark_udalosti (id_parent, smazano);
CREATE INDEX idx_udalosti_podnik ON tellmark_udalosti (id_podnik);
CREATE INDEX idx_udalosti_strediska ON tellmark_udalosti (id_strediska);
CREATE INDEX idx_prilohy_udalost ON tellmark_udalosti_prilohy (id_udalosti);
CREATE UNIQUE INDEX idx_users_login ON www_users (login);
CREATE INDEX idx_vnc_uid ON vnc (uid);
CREATE INDEX idx_vnc_ts ON vnc (ts);

-- Users of the control panel, a web application sharing the server.
CREATE DATABASE IF NOT EXISTS qml DEFAULT CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS qml.acl (
  id INT NOT NULL AUTO_INCREMENT,
  uzivatel VARCHAR(100) NULL,
  heslo VARCHAR(64) NULL,
  poznamka TEXT NULL,
  idlist TEXT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;
CREATE INDEX idx_acl_uzivatel ON qml.acl (uzivatel);
