#pragma once

// The statements of the register's pages, as named constants so that the
// statement suite runs exactly what the pages run. Values are bound.
namespace RegisterSql {

// One row of the enterprise with its holding name ("O podniku").
inline const char SelectPodnik[] =
    "select SMLOUVA_ORGANIZACE,SMLOUVA_CISLO,SMLOUVA_FAKTURACE_OD,"
    "       SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_SLEVA,"
    "       SMLOUVA_FAKTURACE_SLEVA_OBDOBI,SMLOUVA_FAKTURACE_MESICE,"
    "       SMLOUVA_FAKTURACE_OBDOBI,SMLOUVA_FAKTURACE_ZPETNE,SMLOUVA_FAKTURACE_MENA,"
    "       SMLOUVA_POZNAMKY,OBR,ICO,GPS,"
    "        tellmark_podniky.podnik_nazev,tellmark_holding.NAZEV_HOLDING,"
    "        KONTAKT_JMENO,KONTAKT_ADRESA,KONTAKT_TELEFON,KONTAKT_EMAIL,"
    "        OKRES,OBR_POZNAMKA,"
    "        SKOT_KS,DOJNICE_KS,DOJNICE_PLEMENO,MASNY_KS,MASNY_PLEMENO,"
    "        UCTO,UCTO_POZNAMKA,UE,UE_POZNAMKA,"
    "        O_ODPOVEDNA_OSOBA,O_VZTAH_SE_ZAKAZNIKEM,O_KONTAKTNI_OSOBA,"
    "        O_PRIORITA,O_TELEFON,O_EMAIL,O_POSLEDNI_KONTAKT,"
    "        O_POSLEDNI_KONTAKT_OSOBA,O_DALSI_KONTAKT,O_PREDVEDENI,"
    "        O_PREDVEDENI_OSOBA,O_NABIDKA_ODESLANA,O_STAV,O_POZNAMKA,"
    "        ZEME,SW,SW_POZNAMKA,O_NABIDKAT_ODESLANA,O_STAVT,O_POZNAMKAT,CH6,"
    "       SMLOUVA_PODEPSANO,SMLOUVA_POZNAMKA"
    "        from tellmark_podniky"
    "        left join tellmark_holding on tellmark_podniky.id_holding=tellmark_holding.id"
    "        where tellmark_podniky.id=:id";

// The pages save only the columns the user changed (RowSnapshot builds
// that update).

// The location page: the coordinates of an enterprise or of a centre.
inline const char GpsSelectPodnik[] = "select GPS from tellmark_podniky where id=?";
inline const char GpsSelectStredisko[] = "select GPS from tellmark_strediska where id=?";

} // namespace RegisterSql
