#pragma once

// Statements of the parts of the program still to be written (events,
// administration, reports, service imports), with the places where they
// will insert ids or texts turned into placeholders. The schema suite runs
// each of them, so a table or column missing from the DDL shows up before
// the code that needs it. A statement moves out of this list when its code
// lands: the suite then runs the program's own constant.

struct ProgramStatement {
    const char *name;
    const char *sql;
};

static const ProgramStatement kProgramStatements[] = {
    {"enterprise insert from register", R"zrn(insert into tellmark_podniky(podnik_nazev,KONTAKT_ADRESA,ICO,OKRES,ZEME) values(?,?,?,?,?))zrn"},
    {"user list", R"zrn(select id,login,password,vp,admin,minimal,acls,os,region,sestavy, udalosti,fakturace,cp,stredisko_tech_cteni,pristupy,stat_zrn_last,stat_zrn_cnt from www_users order by 2)zrn"},
    {"user insert", R"zrn(insert into www_users(login,password,vp,admin,minimal,acls,os,region,sestavy,pristupy,udalosti,fakturace,cp,stredisko_tech_cteni) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?))zrn"},
    {"KU source", R"zrn(select datum_ku,pocet_dojnic,stupen_kontroly,staj_cislo from chovatele_data)zrn"},
    {"Plemko match", R"zrn(select pdq.id,stq.id,pdq.ch6,stq.HOSPODARSTVI,pdq.podnik_nazev,stq.akce_nazev,stq.LICENCE_CISLO from tellmark_podniky pdq left join tellmark_strediska stq on pdq.id=stq.id_podnik where lpad(stq.HOSPODARSTVI,8,'0')=?)zrn"},
    {"update report", R"zrn(select a.LICENCE_CISLO,b.PODNIK_NAZEV,a.VERZE_PROGRAMU,a.AKTUALIZOVANO from tellmark_strediska a left join tellmark_podniky b on a.id_podnik=b.id where b.PODNIK_NAZEV in (select PODNIK_NAZEV from tellmark_podniky where SMLOUVA_FAKTURACE_CASTKA_ROK>0) and LICENCE_CISLO>0 order by 3)zrn"},
    {"VNC report counts", R"zrn(select count(*) from tellmark_strediska where (UVNC3_ID>0) and (licence_cislo>0) and ((UVNC3_AF=0) or (UVNC3_AF is null)))zrn"},
    {"VNC report list", R"zrn(select pdq.podnik_nazev,stq.akce_nazev,stq.licence_cislo,stq.uvnc4_id from tellmark_strediska stq left join tellmark_podniky pdq on pdq.id=stq.id_podnik where (stq.UVNC4_ID>0) and (stq.licence_cislo>0) and (stq.UVNC4_AF=1) order by 1,2)zrn"},
    {"economic report", R"zrn(select 0 as m,pdq.id,pdq.obr,pdq.podnik_nazev,pdq.smlouva_podepsano,pdq.smlouva_fakturace_castka_rok,pdq.skot_ks,pdq.dojnice_ks,pdq.smlouva_fakturace_mena,pdq.smlouva_cislo,stq.aktualizovano,stq.pocet_kusu,stq.pocet_krav,stq.pocet_obojku,stq.pocet_pedometru,stq.licence_cislo,pdq.smlouva_organizace,pdq.smlouva_poznamka from tellmark_strediska stq inner join tellmark_podniky pdq on pdq.id=stq.id_podnik where stq.licence_cislo>0 and stq.licence_cislo<42000 union all select 1,NULL,'konec',NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL order by 1,3,4)zrn"},
    {"CSV export", R"zrn(select podnik_nazev,zeme,ico,ch6,obr,okres,gps, skot_ks,dojnice_ks,dojnice_plemeno,masny_ks,masny_plemeno, O_ODPOVEDNA_OSOBA,O_VZTAH_SE_ZAKAZNIKEM,O_KONTAKTNI_OSOBA, O_PRIORITA,O_TELEFON,O_EMAIL,O_POSLEDNI_KONTAKT,O_POSLEDNI_KONTAKT_OSOBA, O_DALSI_KONTAKT,O_PREDVEDENI,O_PREDVEDENI_OSOBA,O_NABIDKA_ODESLANA, O_STAV,O_POZNAMKA,O_NABIDKAT_ODESLANA,O_STAVT,O_POZNAMKAT,SMLOUVA_POZNAMKY, SMLOUVA_ORGANIZACE,SMLOUVA_CISLO,SMLOUVA_PRONAJEM, SMLOUVA_FAKTURACE_OD,SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_SLEVA, SMLOUVA_FAKTURACE_SLEVA_OBDOBI,SMLOUVA_FAKTURACE_MESICE,SMLOUVA_FAKTURACE_OBDOBI, SMLOUVA_FAKTURACE_ZPETNE,SMLOUVA_FAKTURACE_MENA from tellmark_podniky where id=?)zrn"},
};
