#include "core/eciselniky.h"

#include "core/staff.h"

#include <QStringList>

ECiselniky::ECiselniky()
{
    // 64, 1024 and 2048 are not used.
    m_categories = {
        {0, tr("Nespecifikováno")},
        {1, tr("Prezentace / předvádění")},
        {2, tr("Školení")},
        {4, tr("Tellmark / vývoj")},
        {8, tr("Tellmark")},
        {16, tr("Jednání")},
        {32, tr("Obchod")},
        {128, tr("Výroba")},
        {256, tr("Servis technologie")},
        {512, tr("Montáž technologie")},
        {4096, tr("Tarvo")},
        {8192, tr("Dovolená")},
        {16384, tr("Různé")},
    };

    // Written without the accent, as the lists have always shown it.
    m_persons.insert(QString(), tr("Nespecifikovano"));
    for (const StaffTable::Member &m : StaffTable::members) {
        if (!m.listed)
            continue;
        const QString code = QString::fromLatin1(m.code);
        m_names.insert(code, tr(m.name));
        m_persons.insert(code, tr(m.name));
    }
    for (const char *mailbox : StaffTable::mailboxes)
        m_persons.insert(QString::fromLatin1(mailbox), QString::fromLatin1(mailbox));
}

QString ECiselniky::codesToNames(const QString &codes) const
{
    QStringList shown;
    const QStringList parts = codes.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &part : parts)
        shown << m_names.value(part, part);
    return shown.join(QLatin1Char(','));
}

QString ECiselniky::codeForLogin(const QString &login)
{
    const QString lower = login.toLower();
    QString code = login;
    for (const StaffTable::Member &m : StaffTable::members)
        if (lower.contains(QLatin1String(m.login)))
            code = QString::fromLatin1(m.code);
    return code;
}

QVector<StaffPerson> ECiselniky::chooserPersons()
{
    QVector<StaffPerson> list;
    for (const StaffTable::Member &m : StaffTable::members)
        if (m.chooser)
            list.append({QString::fromLatin1(m.code), tr(m.name)});
    return list;
}
