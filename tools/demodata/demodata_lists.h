#pragma once

// Word lists of the demo data: districts with villages, people, breeds, event
// texts and the entries of the enterprise page code lists (the centre
// technology sheet takes its entries from register/specifikace.h). Included
// only by the demo data sources.

#include "core/staff.h"

#include <QByteArray>

namespace DemoLists {

struct District {
    const char *name;      // okres
    const char *obr;       // regional office that looks after the district
    double lat, lon;       // rough centre of the district
    int psc;               // first three digits of the post codes
    const char *villages[3];
};

// The districts of the Czech Republic (without Prague) with three villages
// or small towns each.
inline const District districts[] = {
    {"České Budějovice", "TA", 48.97, 14.47, 370, {"Hosín", "Dubné", "Ševětín"}},
    {"Český Krumlov", "ST", 48.81, 14.32, 381, {"Kájov", "Chvalšiny", "Křemže"}},
    {"Jindřichův Hradec", "TA", 49.14, 15.00, 377, {"Kardašova Řečice", "Deštná", "Nová Bystřice"}},
    {"Písek", "ST", 49.31, 14.15, 397, {"Mirotice", "Čimelice", "Záhoří"}},
    {"Prachatice", "ST", 49.01, 14.00, 383, {"Vlachovo Březí", "Netolice", "Husinec"}},
    {"Strakonice", "ST", 49.26, 13.90, 386, {"Blatná", "Čestice", "Katovice"}},
    {"Tábor", "TA", 49.41, 14.68, 390, {"Chotoviny", "Mladá Vožice", "Malšice"}},
    {"Blansko", "UH", 49.36, 16.64, 679, {"Lysice", "Kunštát", "Jedovnice"}},
    {"Brno-venkov", "UH", 49.15, 16.45, 664, {"Hrušovany u Brna", "Ivančice", "Pohořelice"}},
    {"Břeclav", "UH", 48.80, 16.80, 691, {"Velké Bílovice", "Lednice", "Hustopeče"}},
    {"Hodonín", "UH", 48.90, 17.10, 696, {"Dubňany", "Strážnice", "Kyjov"}},
    {"Vyškov", "UH", 49.28, 17.00, 683, {"Bučovice", "Ivanovice na Hané", "Rousínov"}},
    {"Znojmo", "UH", 48.86, 16.05, 671, {"Hrušovany nad Jevišovkou", "Jaroslavice", "Miroslav"}},
    {"Cheb", "ST", 50.05, 12.45, 350, {"Třebeň", "Dolní Žandov", "Hazlov"}},
    {"Karlovy Vary", "ST", 50.23, 12.87, 364, {"Valeč", "Bochov", "Stružná"}},
    {"Sokolov", "ST", 50.18, 12.64, 357, {"Kynšperk nad Ohří", "Březová", "Dasnice"}},
    {"Hradec Králové", "LI", 50.21, 15.83, 503, {"Smiřice", "Nechanice", "Třebechovice pod Orebem"}},
    {"Jičín", "LI", 50.44, 15.35, 507, {"Libáň", "Kopidlno", "Miletín"}},
    {"Náchod", "LI", 50.42, 16.16, 552, {"Česká Skalice", "Jaroměř", "Provodov-Šonov"}},
    {"Rychnov nad Kněžnou", "LI", 50.16, 16.27, 517, {"Vamberk", "Častolovice", "Třebešov"}},
    {"Trutnov", "LI", 50.56, 15.91, 543, {"Dolní Branná", "Hostinné", "Úpice"}},
    {"Česká Lípa", "LI", 50.69, 14.54, 471, {"Dubá", "Mimoň", "Zákupy"}},
    {"Jablonec nad Nisou", "LI", 50.72, 15.17, 468, {"Pěnčín", "Držkov", "Koberovy"}},
    {"Liberec", "LI", 50.77, 15.06, 463, {"Hodkovice nad Mohelkou", "Český Dub", "Chrastava"}},
    {"Semily", "LI", 50.60, 15.33, 512, {"Bystrá nad Jizerou", "Libštát", "Vysoké nad Jizerou"}},
    {"Bruntál", "UH", 49.99, 17.46, 793, {"Rýmařov", "Horní Benešov", "Dvorce"}},
    {"Frýdek-Místek", "UH", 49.68, 18.35, 739, {"Brušperk", "Palkovice", "Sedliště"}},
    {"Karviná", "UH", 49.85, 18.45, 735, {"Dětmarovice", "Horní Suchá", "Albrechtice"}},
    {"Nový Jičín", "UH", 49.59, 18.01, 742, {"Bílovec", "Jeseník nad Odrou", "Libhošť"}},
    {"Opava", "UH", 49.94, 17.90, 747, {"Hradec nad Moravicí", "Vítkov", "Kravaře"}},
    {"Ostrava-město", "UH", 49.83, 18.25, 725, {"Vřesina", "Klimkovice", "Šenov"}},
    {"Jeseník", "UH", 50.23, 17.20, 790, {"Mikulovice", "Bernartice", "Vidnava"}},
    {"Olomouc", "UH", 49.59, 17.25, 783, {"Hrubá Voda", "Šternberk", "Bystročice"}},
    {"Prostějov", "UH", 49.47, 17.11, 798, {"Kostelec na Hané", "Klenovice na Hané", "Němčice nad Hanou"}},
    {"Přerov", "UH", 49.46, 17.45, 751, {"Dub nad Moravou", "Kojetín", "Tovačov"}},
    {"Šumperk", "UH", 49.97, 16.97, 789, {"Loštice", "Postřelmov", "Úsov"}},
    {"Chrudim", "LI", 49.95, 15.80, 538, {"Hrochův Týnec", "Skuteč", "Třemošnice"}},
    {"Pardubice", "LI", 50.04, 15.78, 535, {"Přelouč", "Dašice", "Holice"}},
    {"Svitavy", "LI", 49.76, 16.47, 569, {"Březová nad Svitavou", "Jevíčko", "Polička"}},
    {"Ústí nad Orlicí", "LI", 49.97, 16.39, 564, {"Žamberk", "Choceň", "Jablonné nad Orlicí"}},
    {"Domažlice", "ST", 49.44, 12.93, 345, {"Kdyně", "Staňkov", "Poběžovice"}},
    {"Klatovy", "ST", 49.40, 13.29, 340, {"Měčín", "Nalžovské Hory", "Nýrsko"}},
    {"Plzeň-jih", "ST", 49.60, 13.45, 334, {"Přeštice", "Blovice", "Spálené Poříčí"}},
    {"Plzeň-sever", "ST", 49.85, 13.35, 331, {"Kralovice", "Manětín", "Plasy"}},
    {"Rokycany", "ST", 49.74, 13.59, 338, {"Mirošov", "Zbiroh", "Radnice"}},
    {"Tachov", "ST", 49.80, 12.70, 348, {"Bor", "Planá", "Kladruby"}},
    {"Benešov", "TA", 49.78, 14.69, 257, {"Bystřice", "Vlašim", "Trhový Štěpánov"}},
    {"Beroun", "TA", 49.96, 14.07, 267, {"Chyňava", "Hudlice", "Králův Dvůr"}},
    {"Kladno", "TA", 50.15, 14.10, 274, {"Slaný", "Zlonice", "Velvary"}},
    {"Kolín", "TA", 50.03, 15.20, 281, {"Kouřim", "Týnec nad Labem", "Zásmuky"}},
    {"Kutná Hora", "TA", 49.95, 15.27, 286, {"Uhlířské Janovice", "Zbraslavice", "Čáslav"}},
    {"Mělník", "TA", 50.35, 14.47, 277, {"Liběchov", "Mšeno", "Kralupy nad Vltavou"}},
    {"Mladá Boleslav", "LI", 50.41, 14.90, 294, {"Bakov nad Jizerou", "Dobrovice", "Mnichovo Hradiště"}},
    {"Nymburk", "TA", 50.19, 15.04, 289, {"Městec Králové", "Rožďalovice", "Sadská"}},
    {"Praha-východ", "TA", 50.05, 14.65, 251, {"Kostelec nad Černými lesy", "Mukařov", "Úvaly"}},
    {"Praha-západ", "TA", 49.95, 14.35, 252, {"Hostivice", "Rudná", "Jíloviště"}},
    {"Příbram", "ST", 49.69, 14.01, 262, {"Milín", "Rožmitál pod Třemšínem", "Sedlčany"}},
    {"Rakovník", "TA", 50.10, 13.73, 270, {"Kněževes", "Jesenice", "Krupá"}},
    {"Děčín", "LI", 50.78, 14.21, 407, {"Benešov nad Ploučnicí", "Česká Kamenice", "Jiříkov"}},
    {"Chomutov", "LI", 50.46, 13.42, 431, {"Droužkovice", "Údlice", "Kadaň"}},
    {"Litoměřice", "LI", 50.53, 14.13, 411, {"Libochovice", "Budyně nad Ohří", "Úštěk"}},
    {"Louny", "LI", 50.36, 13.80, 438, {"Žatec", "Postoloprty", "Podbořany"}},
    {"Most", "LI", 50.50, 13.64, 434, {"Bělušice", "Havraň", "Obrnice"}},
    {"Teplice", "LI", 50.62, 13.82, 418, {"Bílina", "Hostomice", "Žalany"}},
    {"Ústí nad Labem", "LI", 50.66, 14.03, 403, {"Chabařovice", "Řehlovice", "Velké Březno"}},
    {"Havlíčkův Brod", "TA", 49.61, 15.58, 583, {"Chotěboř", "Světlá nad Sázavou", "Přibyslav"}},
    {"Jihlava", "TA", 49.40, 15.59, 588, {"Batelov", "Luka nad Jihlavou", "Polná"}},
    {"Pelhřimov", "TA", 49.43, 15.22, 394, {"Humpolec", "Kamenice nad Lipou", "Počátky"}},
    {"Třebíč", "UH", 49.21, 15.88, 675, {"Jaroměřice nad Rokytnou", "Hrotovice", "Náměšť nad Oslavou"}},
    {"Žďár nad Sázavou", "LI", 49.56, 15.94, 594, {"Měřín", "Velké Meziříčí", "Bystřice nad Pernštejnem"}},
    {"Kroměříž", "UH", 49.30, 17.39, 768, {"Hulín", "Chropyně", "Koryčany"}},
    {"Uherské Hradiště", "UH", 49.07, 17.46, 687, {"Hluk", "Kunovice", "Bojkovice"}},
    {"Vsetín", "UH", 49.34, 17.99, 756, {"Valašské Meziříčí", "Rožnov pod Radhoštěm", "Horní Lideč"}},
    {"Zlín", "UH", 49.22, 17.67, 763, {"Slušovice", "Vizovice", "Luhačovice"}},
};

// Customers abroad: Slovak and Polish enterprises looked after by the
// foreign-trade office and the Polish office.
struct Foreign {
    const char *zeme;
    const char *obr;
    const char *okres;
    const char *village;
    const char *pattern;   // %1 = village
};
inline const Foreign foreign[] = {
    {"SK", "ZO", "Trnava", "Dolná Streda", "Poľnohospodárske družstvo %1"},
    {"SK", "ZO", "Nitra", "Mojmírovce", "Agrofarma %1 s.r.o."},
    {"SK", "ZO", "Žilina", "Rajecké Teplice", "PD %1"},
    {"SK", "ZO", "Prešov", "Sabinov", "AGRO %1 a.s."},
    {"SK", "ZO", "Martin", "Turany", "Roľnícke družstvo %1"},
    {"PL", "PL", "Opole", "Głogówek", "Gospodarstwo Rolne %1"},
    {"PL", "PL", "Kłodzko", "Bystrzyca Kłodzka", "Agro-Farm %1 sp. z o.o."},
    {"PL", "PL", "Racibórz", "Krzanowice", "Spółdzielnia Produkcji Rolnej %1"},
};

// Enterprise name patterns: %1 = village, %2 = surname, %3 = first name.
struct NamePattern {
    const char *text;
    int weight;
};
inline const NamePattern enterprisePatterns[] = {
    {"Zemědělské družstvo %1", 16},
    {"ZD %1", 6},
    {"Zemědělské obchodní družstvo %1", 5},
    {"Agrodružstvo %1", 3},
    {"AGRO %1 a.s.", 10},
    {"AGRO %1 s.r.o.", 6},
    {"Zemědělská společnost %1 a.s.", 7},
    {"Zemědělský podnik %1 a.s.", 5},
    {"Agrární společnost %1 a.s.", 3},
    {"ZEMSPOL %1 a.s.", 2},
    {"Farma %1 s.r.o.", 6},
    {"Statek %1", 5},
    {"Statek %1 s.r.o.", 3},
    {"Mlékařská farma %1 s.r.o.", 2},
    {"Rodinná farma %2", 5},
    {"%3 %2 - farma", 4},
    {"Ekofarma %2 s.r.o.", 2},
};

// A few names that stand for themselves.
inline const char *const fixedEnterpriseNames[] = {
    "Český statek s.r.o.", "Statek Bílý Kámen", "Moravský statek a.s.", "Statek Horní Dvůr s.r.o.",
    "Selský dvůr Podhradí", "Zelená louka a.s.", "Agrospol Vysočina a.s.", "Bohemia Milk s.r.o.",
    "Jihočeské mlékárenské farmy a.s.", "Hanácká zemědělská a.s.", "Valašská farma s.r.o.",
    "Podkrkonošská zemědělská a.s.", "Pošumavská zemědělská společnost a.s.",
    "Agro-Měřín a.s.", "Rolnická společnost Bezdružice a.s.", "Horácká farma s.r.o.",
};

inline const char *const holdingNames[] = {
    "AGRO Holding Vysočina", "Bohemia Farms Holding", "Moravia Agro Group", "ZEMOS Holding",
    "Agrospol Group", "Jihočeské statky", "Rolnická unie", "Hanácký agrární holding",
    "Severočeská zemědělská skupina", "Pošumaví Agro", "Mléčná cesta holding", "AGRIA Group",
    "Valašsko Agro", "Polabské farmy", "Krušnohorská zemědělská", "Orlické statky",
};

inline const char *const maleFirst[] = {
    "Jan", "Petr", "Josef", "Pavel", "Jiří", "Martin", "Tomáš", "Jaroslav", "Miroslav", "Zdeněk",
    "Václav", "Michal", "František", "Karel", "Milan", "Vladimír", "Lukáš", "David", "Jakub", "Stanislav",
    "Ladislav", "Roman", "Radek", "Antonín", "Luboš",
};
inline const char *const maleLast[] = {
    "Novák", "Svoboda", "Novotný", "Dvořák", "Černý", "Procházka", "Kučera", "Veselý", "Horák", "Němec",
    "Pokorný", "Marek", "Pospíšil", "Hájek", "Jelínek", "Král", "Růžička", "Beneš", "Fiala", "Sedláček",
    "Doležal", "Zeman", "Kolář", "Navrátil", "Čermák", "Vaněk", "Urban", "Blažek", "Kříž", "Kovář",
    "Bartoš", "Vlček", "Polák", "Musil", "Šimek", "Kopecký", "Konečný", "Malý", "Holub", "Štěpánek",
};
inline const char *const femaleFirst[] = {
    "Jana", "Marie", "Eva", "Hana", "Anna", "Lenka", "Kateřina", "Lucie", "Věra", "Alena",
    "Petra", "Jaroslava", "Veronika", "Martina", "Zdeňka", "Ludmila", "Helena", "Ivana", "Monika", "Jitka",
};
inline const char *const femaleLast[] = {
    "Nováková", "Svobodová", "Novotná", "Dvořáková", "Černá", "Procházková", "Kučerová", "Veselá", "Horáková", "Němcová",
    "Pokorná", "Marková", "Pospíšilová", "Hájková", "Jelínková", "Králová", "Růžičková", "Benešová", "Fialová", "Sedláčková",
    "Doležalová", "Zemanová", "Kolářová", "Navrátilová", "Čermáková", "Vaňková", "Urbanová", "Blažková", "Křížová", "Kovářová",
};
inline const char *const titles[] = {"", "", "", "", "Ing. ", "Ing. ", "MVDr. ", "Bc. ", "Mgr. "};

inline const char *const dairyBreeds[] = {
    "Holštýnský skot", "Holštýnský skot", "Holštýnský skot", "České strakaté", "České strakaté",
    "Červený holštýn", "Jersey", "Montbéliarde", "Ayrshire",
};
inline const char *const beefBreeds[] = {
    "Charolais", "Aberdeen Angus", "Limousine", "Hereford", "Masný simentál", "Galloway",
    "Blonde d'Aquitaine", "Highland", "Piemontese",
};

inline const char *const obrNotes[] = {
    "Bývalý zákazník", "Klíčový zákazník", "Předán z regionu TA", "Platí pozdě", "Zájem o technologii",
    "Jen SW", "Kontakt přes holding",
};
inline const char *const contractNotes[] = {
    "Fakturovat na holding", "Sleva za referenci", "Platba předem", "Smlouva v revizi", "Dodatek č. 1",
};
inline const char *const richNotes[] = {
    "Preferují kontakt e-mailem.",
    "Zootechnik je k zastižení jen dopoledne.",
    "Při návštěvě nahlásit se na vrátnici.",
    "Plánují rozšíření stáda a novou dojírnu.",
    "Pozor, v zimě špatná příjezdová cesta.",
    "Faktury posílat k rukám účetní paní Kolářové.",
};

inline const char *const centreNamePatterns[] = {
    "Kravín %1", "Farma %1", "Středisko %1", "VKD %1", "Odchovna jalovic %1", "Výkrm býků %1",
    "Dojírna %1", "Farma %1 II",
};

inline const char *const versions[] = {"3.9.4", "3.10.2", "3.11.0", "3.11.5", "3.12.0", "3.12.1", "3.12.3"};

inline const char *const kuGrades[] = {"A4", "A4", "AT4", "B4", "AT"};

// Code lists of the enterprise page (stored as text, "Neurčeno" as NULL).
inline const char *const sw[] = {"Tellmark", "Korbanit Skot", "Bravel", "Norvex"};
inline const char *const ue[] = {"Portál farmáře", "Ekonomický systém", "Zootechnici", "Tellmark", "Norvex", "Bravel"};
inline const char *const ucto[] = {"Winfas", "Sidus", "Zeis", "Ekosoft", "Bílý motýl"};
inline const char *const stavSw[] = {"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno",
                                     "Vypovězeno"};
inline const char *const stavTech[] = {"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno"};


// Staff and shared mailboxes: the events' own staff table, so that the demo
// rows name the persons the program knows.
inline constexpr const auto &staff = StaffTable::members;
inline constexpr const auto &mailboxes = StaffTable::mailboxes;
// Salesmen look after customers (enterprise page "Odpovědná osoba"); the
// others are technicians.
inline bool isSales(const StaffTable::Member &m)
{
    for (const char *code : {"JN", "PK", "MD", "ES"})
        if (qstrcmp(m.code, code) == 0)
            return true;
    return false;
}

// Event categories (single bits) with how often they occur, what their
// subjects look like and sentences for their descriptions (%1 = a number).
struct Category {
    int code;
    int weight;
    const char *subjects[6];
    const char *texts[4];
};
inline const Category categories[] = {
    {0, 3, {"Dotaz zákazníka", "Telefonát", "Žádost o kontakt"},
     {"Zákazník žádá o zavolání.", "Dotaz na cenu aktualizace.", "Nový kontakt na zootechnika je v poznámce."}},
    {1, 4, {"Předvedení programu Tellmark", "Prezentace aktivity na farmě", "Ukázka mobilní aplikace"},
     {"Předvedena mobilní aplikace, zákazník spokojen.", "Prezentace pro %1 lidí, zájem o aktivitu.",
      "Zákazník zvažuje přechod z jiného programu."}},
    {2, 7, {"Školení obsluhy programu", "2. školení Tellmark", "Školení zootechniků", "Školení sestav a tisku"},
     {"Proškoleno %1 pracovníků obsluhy.", "Probrány sestavy telení a inseminací.",
      "Domluveno další školení na jaře.", "Školení proběhlo vzdáleně přes VNC."}},
    {4, 3, {"Požadavek na novou sestavu", "Chyba v exportu do ÚE", "Návrh úpravy přehledu inseminací"},
     {"Zootechnik požaduje přehled inseminací za poslední rok.", "Export do ústřední evidence padá na datu narození.",
      "Předáno vývoji, odhad %1 dní."}},
    {8, 22, {"Aktualizace programu", "Převod databáze na nový počítač", "Nejde tisk sestav", "Záloha databáze",
             "Import dat z KU", "Hlášení do ÚE neprošlo"},
     {"Zákazník volal, že od rána nejde spustit program.", "Po aktualizaci nefunguje tisk denních sestav.",
      "Převedena databáze na nový počítač v kanceláři.", "Hlášení do ústřední evidence vráceno s chybou."}},
    {16, 7, {"Jednání se zootechnikem", "Schůzka s vedením podniku", "Jednání o prodloužení smlouvy"},
     {"Dohodnuto prodloužení smlouvy o %1 měsíců.", "Vedení chce nabídku na celou technologii.",
      "Zákazník plánuje rozšíření stáda."}},
    {32, 12, {"Nabídka Tellmark", "Cenová nabídka na obojky", "Prodloužení smlouvy", "Fakturace za rok",
              "Nabídka selekční branky"},
     {"Odeslána cenová nabídka na %1 krčních obojků.", "Faktura odeslána e-mailem.",
      "Zákazník žádá slevu za referenci.", "Nabídka platí do konce měsíce."}},
    {128, 2, {"Výroba kabelového svazku", "Objednávka obojků", "Výroba čteček"},
     {"Objednáno %1 kusů.", "Expedice příští týden.", "Čeká se na součástky."}},
    {256, 22, {"Porucha dojírny", "Výměna pulzátorů", "Servis selekční branky", "Nefunkční milkmetr",
               "Kontrola vývěvy", "Seřízení podtlaku"},
     {"Na stání %1 ukazuje milkmetr nesmyslné hodnoty.", "Vyměněno %1 pulzátorů, zkontrolován podtlak.",
      "Selekční branka občas nepouští krávy do boxu.", "Vývěva hlučí, nutná kontrola ložisek."}},
    {512, 6, {"Montáž aktivity", "Instalace krčních obojků", "Montáž selekční branky", "Montáž antén na dojírně"},
     {"Namontováno %1 antén.", "Obojky nasazeny, párování v programu hotovo.", "Montáž potrvá dva dny, potřeba elektrikář."}},
    {4096, 4, {"Tarvo - nastavení", "Tarvo - chyba synchronizace", "Tarvo - nová licence"},
     {"Synchronizace s cloudem se zastavila.", "Nastaveny uživatelské účty pro %1 pracovníků.", "Licence prodloužena."}},
    {8192, 1, {"Dovolená", "Nemoc", "Služební cesta do zahraničí"},
     {"Zastupuje kolega.", "Telefon přesměrován na podporu.", "Nedostupný na e-mailu."}},
    {16384, 7, {"Různé", "Objednávka materiálu", "Doplnit kontakty", "Zaslat podklady"},
     {"Doplnit kontakty do ZRN.", "Poslat podklady k dotaci.", "Objednat tonery do kanceláře."}},
};

// Sentences of replies.
inline const char *const replySentences[] = {
    "Vyřešeno po telefonu.",
    "Technik byl na místě, závada odstraněna.",
    "Zákazník potvrdil, že vše funguje.",
    "Čekáme na náhradní díl.",
    "Posláno znovu e-mailem.",
    "Přeposláno na technologii.",
    "Zákazník se zatím neozval, zkusím znovu zítra.",
    "Nainstalována nová verze, problém trvá.",
    "Domluven termín školení.",
    "Faktura vystavena.",
    "Prosím o kontrolu v pondělí.",
    "Uzavírám.",
};
inline const char *const attachmentNames[] = {
    "protokol.pdf", "foto_dojirna.jpg", "nabidka.pdf", "zaznam.txt", "servisni_list.pdf", "predavaci_protokol.pdf",
    "export_ku.csv", "fotka_branky.jpg",
};

} // namespace DemoLists
