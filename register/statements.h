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

// "O podniku" saved whole.
inline const char UpdatePodnik[] =
    "update tellmark_podniky set   ICO =:v12,   CH6 =:ch6,  OBR =:v13,  KONTAKT_JMENO =:v14,"
    "  KONTAKT_ADRESA =:v15,  KONTAKT_TELEFON =:v16,  KONTAKT_EMAIL =:v17,  OKRES =:v18,"
    "  OBR_POZNAMKA =:v19,  SKOT_KS =:v20,  DOJNICE_KS =:v21,  DOJNICE_PLEMENO =:v22,"
    "  MASNY_KS =:v23,  MASNY_PLEMENO =:v24,  UCTO =:v25,  UCTO_POZNAMKA =:v26,  UE =:v27,"
    "  UE_POZNAMKA =:v28,  SMLOUVA_ORGANIZACE =:v1,  SMLOUVA_CISLO=:v2,"
    "  SMLOUVA_FAKTURACE_OD=:v3,  SMLOUVA_FAKTURACE_CASTKA_ROK=:v4,"
    "  SMLOUVA_FAKTURACE_SLEVA=:v5,  SMLOUVA_FAKTURACE_SLEVA_OBDOBI=:v6,"
    "  SMLOUVA_FAKTURACE_MESICE=:v7,  SMLOUVA_FAKTURACE_OBDOBI=:v8,"
    "  SMLOUVA_FAKTURACE_ZPETNE=:v9,  SMLOUVA_FAKTURACE_MENA=:v10,  SMLOUVA_POZNAMKY=:v11,"
    "   O_ODPOVEDNA_OSOBA=:v30,   O_VZTAH_SE_ZAKAZNIKEM=:v31,   O_KONTAKTNI_OSOBA=:v32,"
    "   O_PRIORITA=:v33,   O_TELEFON=:v34,   O_EMAIL=:v35,   O_POSLEDNI_KONTAKT=:v36,"
    "   O_POSLEDNI_KONTAKT_OSOBA=:v37,   O_DALSI_KONTAKT=:v38,   O_PREDVEDENI=:v39,"
    "   O_PREDVEDENI_OSOBA=:v40,   O_NABIDKA_ODESLANA=:v41,   O_STAV=:v42,   O_POZNAMKA=:v43,"
    "   ZEME=:v44,   SW =:v45,  SW_POZNAMKA =:v46,   O_NABIDKAT_ODESLANA=:v47,   O_STAVT=:v48,"
    "   O_POZNAMKAT=:v49,   SMLOUVA_PODEPSANO=:podepsano,   SMLOUVA_POZNAMKA=:spoznamka "
    " where id=:id";

// "O středisku" saved whole.
inline const char UpdateStredisko[] =
    "update tellmark_strediska set   PODNIK_JMENO=:kontakt,  PODNIK_TELEFON=:telefon,  PODNIK_EMAIL=:email,"
    "  ICO=:ico,  DB_UUID=:db_uuid,  licence_cislo=:licence_cislo,  spusteni=:spusteni,"
    "  DRUHE_SKOLENI=:DRUHE_SKOLENI,  UPDATE_OMEZEN=:UPDATE_OMEZEN,  hospodarstvi=:hospodarstvi,"
    "  poznamkovy_blok=:data where id=:id";

// The location page: the coordinates of an enterprise or of a centre.
inline const char GpsUpdatePodnik[] = "update tellmark_podniky set   GPS=:GPS where id=:id";
inline const char GpsUpdateStredisko[] = "update tellmark_strediska set   GPS=:GPS where id=:id";
inline const char GpsSelectPodnik[] = "select GPS from tellmark_podniky where id=?";
inline const char GpsSelectStredisko[] = "select GPS from tellmark_strediska where id=?";

} // namespace RegisterSql
