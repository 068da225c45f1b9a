#include "register/specifikace.h"

#include <QCoreApplication>
#include <QHash>

namespace Specifikace {

namespace {

const QString kNeurceno = QStringLiteral("Neurčeno");

QHash<QString, QStringList> buildCodeLists()
{
    const QStringList neAno = {QStringLiteral("Ne"), QStringLiteral("Ano")};
    const QStringList krkNoha = {QStringLiteral("Krk"), QStringLiteral("Noha")};
    QHash<QString, QStringList> h;
    h.insert(QStringLiteral("SST"), {QStringLiteral("Centrála"), QStringLiteral("Kravín"), QStringLiteral("OMD"),
                                     QStringLiteral("Výkrm"), QStringLiteral("Hlavní zootechnik"), QStringLiteral("Ekonom")});
    h.insert(QStringLiteral("SSW"), {QStringLiteral("Tellmark"), QStringLiteral("Fastos 2000"), QStringLiteral("Fastos 3"),
                                     QStringLiteral("Crystal"), QStringLiteral("Afifarm"), QStringLiteral("Dairyplan"),
                                     QStringLiteral("T4C"), QStringLiteral("Delpro"), QStringLiteral("Alpro"),
                                     QStringLiteral("Dairymaster"), QStringLiteral("Herdmetric"), QStringLiteral("EasyCow"),
                                     QStringLiteral("Smartdairy")});
    h.insert(QStringLiteral("SDOJPR"), {QStringLiteral("Nepropojeno s TM"), QStringLiteral("Propojeno s TM")});
    h.insert(QStringLiteral("SDOJ"), {QStringLiteral("Molvane"), QStringLiteral("Westfalia"), QStringLiteral("Lely"),
                                      QStringLiteral("Afikim"), QStringLiteral("Fullwood"), QStringLiteral("Boumatic"),
                                      QStringLiteral("Delaval"), QStringLiteral("Germania"), QStringLiteral("Dairymaster"),
                                      QStringLiteral("Gascoigne Melotte")});
    h.insert(QStringLiteral("SDOJTYP"), {QStringLiteral("Rybinová"), QStringLiteral("Paralelní"), QStringLiteral("Tandem"),
                                         QStringLiteral("Autotandem"), QStringLiteral("Kruhová"), QStringLiteral("Robot")});
    h.insert(QStringLiteral("SDMM"), {QStringLiteral("Favorit"), QStringLiteral("Unipuls"), QStringLiteral("Interpuls")});
    h.insert(QStringLiteral("SID"), {QStringLiteral("Žádná"), QStringLiteral("HDX Molvane"), QStringLiteral("HDX Delaval"),
                                     QStringLiteral("FDX"), QStringLiteral("Afikim starý")});
    h.insert(QStringLiteral("SIDT"), krkNoha);
    h.insert(QStringLiteral("SPAT"), krkNoha);
    h.insert(QStringLiteral("SPA"), {QStringLiteral("Žádná"), QStringLiteral("Molvane"), QStringLiteral("SCR"),
                                     QStringLiteral("Ovalert"), QStringLiteral("Afikim"), QStringLiteral("Nedap"),
                                     QStringLiteral("Dairymaster"), QStringLiteral("Cow Watch"), QStringLiteral("Delaval"),
                                     QStringLiteral("Westfalia")});
    h.insert(QStringLiteral("SPAVYSILAC"), {QStringLiteral("Aurel"), QStringLiteral("Hope"), QStringLiteral("Lora")});
    h.insert(QStringLiteral("SSB"), neAno);
    h.insert(QStringLiteral("SASR"), neAno);
    h.insert(QStringLiteral("SVAZENI"), neAno);
    h.insert(QStringLiteral("SAKB"), {QStringLiteral("Ano"), QStringLiteral("Ukončeno")});
    h.insert(QStringLiteral("SKU"), {QStringLiteral("DKU"), QStringLiteral("Inplem"), QStringLiteral("Chovservis"),
                                     QStringLiteral("Reprogen"), QStringLiteral("Jihočeský chovatel")});
    h.insert(QStringLiteral("SREP"), {QStringLiteral("Molvane"), QStringLiteral("CRV"), QStringLiteral("Reprogen"),
                                      QStringLiteral("Jihočeský chovatel"), QStringLiteral("Natural"),
                                      QStringLiteral("Chovservis"), QStringLiteral("Plemko"), QStringLiteral("CBS"),
                                      QStringLiteral("Alta"), QStringLiteral("Insemina")});
    h.insert(QStringLiteral("SVYZIVA"), {QStringLiteral("Mikrop")});
    // The company's contract veterinarian.
    h.insert(QStringLiteral("SDOKTOR"), {QStringLiteral("MVDr. Josef Dvořák")});
    h.insert(QStringLiteral("SPAZNEHTARI"), {QStringLiteral("Safel")});
    h.insert(QStringLiteral("SMLEKARNA"), {QStringLiteral("LKV"), QStringLiteral("Pragolaktos"), QStringLiteral("Bechtel"),
                                           QStringLiteral("Madeta"), QStringLiteral("Olma")});
    h.insert(QStringLiteral("SVAZENIV"), {QStringLiteral("Trutest"), QStringLiteral("Form")});
    h.insert(QStringLiteral("SKV"), {QStringLiteral("Siloking"), QStringLiteral("Trioliet"), QStringLiteral("Faresin")});
    h.insert(QStringLiteral("SKVSW"), {QStringLiteral("Feeding management"), QStringLiteral("DC - Form 700"),
                                       QStringLiteral("DTM Suite")});
    h.insert(QStringLiteral("SCH"), {QStringLiteral("Serap")});
    h.insert(QStringLiteral("SCHTYP"), {QStringLiteral("300 - tank"), QStringLiteral("2550 - tank"),
                                        QStringLiteral("4000 - tank"), QStringLiteral("5200 - tank"),
                                        QStringLiteral("6000 - tank"), QStringLiteral("7000 - tank"),
                                        QStringLiteral("8000 - tank"), QStringLiteral("2 x 8000 - tank"),
                                        QStringLiteral("9000 - tank"), QStringLiteral("10400 - tank"),
                                        QStringLiteral("12000 - tank"), QStringLiteral("15000 - tank"),
                                        QStringLiteral("2 x 10400 - tank"), QStringLiteral("2 x 15000 - tank"),
                                        QStringLiteral("25000 - silo"), QStringLiteral("30000 - silo")});
    for (auto it = h.begin(); it != h.end(); ++it)
        it->prepend(kNeurceno);
    return h;
}

const QHash<QString, QStringList> &codeLists()
{
    static const QHash<QString, QStringList> h = buildCodeLists();
    return h;
}

Row row(const char *label, const char *column, Kind kind, const char *second, const char *note)
{
    return Row{QCoreApplication::translate("Specifikace", label), QString::fromLatin1(column), kind, QString::fromLatin1(second),
               QString::fromLatin1(note)};
}

} // namespace

const QVector<Row> &rows()
{
    using K = Kind;
    static const QVector<Row> r = {
        row(QT_TRANSLATE_NOOP("Specifikace", "Druh střediska"), "SST", K::CodeList, "", "SSTP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Technologiký SW"), "SSW", K::CodeList, "SDOJPR", "SSWP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Dojírna"), "SDOJ", K::CodeList, "", "SDOJP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Spuštění"), "SDOJSPUSTENI", K::Date, "", "SDOJSPUSTENIP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Typ"), "SDOJTYP", K::CodeList, "", "SDOJTYPP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Milkmetr"), "SDMM", K::CodeList, "", "SDMMP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Počet stání"), "", K::None, "", "SDOJPSP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Servis dojení"), "", K::None, "", "SDOJSERVISP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Identifikace"), "SID", K::CodeList, "SIDT", "SIDP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Pohybová aktivita"), "SPA", K::CodeList, "SPAT", "SPAP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Spuštění"), "SPASPUSTENI", K::Date, "", "SPASPUSTENIP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Vysílací modul"), "SPAVYSILAC", K::CodeList, "", "SPAVYSILACP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Selekční branka"), "SSB", K::CodeList, "", "SSBP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "AKB"), "SAKB", K::CodeList, "", "SAKBP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "ASŘ"), "SASR", K::CodeList, "", "SASRP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "KU"), "SKU", K::CodeList, "", "SKUP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Reprodukce / inseminace"), "SREP", K::CodeList, "", "SREPP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Výživa"), "SVYZIVA", K::CodeList, "", "SVYZIVAP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Doktor"), "SDOKTOR", K::CodeList, "", "SDOKTORP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Paznehtáři"), "SPAZNEHTARI", K::CodeList, "", "SPAZNEHTARIP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Mlékárna"), "SMLEKARNA", K::CodeList, "", "SMLEKARNAP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Vážení"), "SVAZENI", K::CodeList, "SVAZENIV", "SVAZENIP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Krmný vůz"), "SKV", K::CodeList, "SKVSW", "SKVP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Chlazení"), "SCH", K::CodeList, "", "SCHP"),
        row(QT_TRANSLATE_NOOP("Specifikace", "Typ tanku"), "SCHTYP", K::CodeList, "", "SCHTYPP"),
    };
    return r;
}

QStringList codeListColumns()
{
    QStringList cols;
    for (const Row &r : rows()) {
        if (r.kind == Kind::CodeList)
            cols << r.column;
        if (!r.second.isEmpty())
            cols << r.second;
    }
    return cols;
}

QStringList codeList(const QString &column)
{
    return codeLists().value(column.toUpper());
}

QStringList columns()
{
    static const QStringList list = [] {
        QStringList out;
        for (const char *c : {
        "SSW", "SSWP", "SDOJ", "SDOJP", "SDOJSPUSTENI", "SDOJSPUSTENIP", "SDOJTYP", "SDOJTYPP", "SDOJPSP",
        "SDOJSERVISP", "SID", "SIDT", "SIDP", "SPA", "SPAT", "SPAP", "SSB", "SSBP", "SAKB", "SAKBP", "SASR",
        "SASRP", "SKU", "SKUP", "SREP", "SREPP", "SVYZIVA", "SVYZIVAP", "SMLEKARNA", "SMLEKARNAP", "SCH",
        "SCHP", "SCHTYP", "SCHTYPP", "SPOZNAMKA", "SDMM", "SDMMP", "SPASPUSTENI", "SPASPUSTENIP",
        "SPAVYSILAC", "SPAVYSILACP", "SDOKTOR", "SDOKTORP", "SPAZNEHTARI", "SPAZNEHTARIP", "SST", "SSTP",
        "SVAZENI", "SVAZENIV", "SVAZENIP", "SKV", "SKVSW", "SKVP", "SDOJPR"})
            out << QLatin1String(c);
        return out;
    }();
    return list;
}

} // namespace Specifikace
