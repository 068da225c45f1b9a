#include "register/maintenance.h"
#include "core/report.h"

#include "core/ids.h"
#include "core/session.h"
#include "db/database.h"
#include "db/qsares.h"
#include "db/qssql.h"
#include "register/dialogaupodnik.h"

#include <QInputDialog>

namespace {

bool askText(QWidget *parent, const QString &title, const QString &label, QString *text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, *text, &ok);
    if (ok)
        *text = answer;
    return ok;
}

void inform(QWidget *parent, const QString &text)
{
    Report::info(parent, text);
}

// An IČO as the number it stands for: without blanks and leading zeros
// ("000 123 45" and "12345" are the same).
QString icoKey(const QString &ico)
{
    QString key = ico;
    key.remove(QLatin1Char(' '));
    while (key.startsWith(QLatin1Char('0')))
        key.remove(0, 1);
    return key;
}

const char kConfirmWord[] = "smazat";
const QString kPodniky = QStringLiteral("tellmark_podniky");
const QString kStrediska = QStringLiteral("tellmark_strediska");
using ChangeHistory::Entry;
const QVariant kNone = QVariant(QVariant::String);

} // namespace

RegisterMaintenance::RegisterMaintenance(Session *session, QWidget *dialogParent, Host host, QObject *parent)
    : QObject(parent), m_session(session), m_parent(dialogParent), m_host(std::move(host)),
      m_prompt(askText), m_notify(inform)
{
    ChangeHistory::describe(kPodniky, {{QStringLiteral("podnik_nazev"), tr("Podnik")},
                                       {QStringLiteral("id_holding"), tr("Holding")}});
    ChangeHistory::describe(kStrediska, {{QStringLiteral("akce_nazev"), tr("Středisko")}});
    setEditEnterprise(nullptr);
}

bool RegisterMaintenance::begin(DbTransaction *tx)
{
    return tx->isOpen() || fail(tx->error());
}

bool RegisterMaintenance::finish(DbTransaction *tx, const QVector<ChangeHistory::Entry> &entries)
{
    QString error;
    if (!ChangeHistory::writeIfPresent(m_session->user.login, entries, &error))
        return fail(error);
    return tx->commit() || fail(tx->error());
}

bool RegisterMaintenance::holdingName(const QVariant &id, QString *name)
{
    name->clear();
    if (id.isNull())
        return true;
    QSSQL q;
    if (!run(q, QStringLiteral("select nazev_holding from tellmark_holding where id=?"), {id}))
        return false;
    if (q.next())
        *name = q.value(0).toString();
    return true;
}

void RegisterMaintenance::setPrompt(Prompt prompt) { m_prompt = prompt ? std::move(prompt) : Prompt(askText); }
void RegisterMaintenance::setNotify(Notify notify) { m_notify = notify ? std::move(notify) : Notify(inform); }
void RegisterMaintenance::setEditEnterprise(EditEnterprise edit)
{
    if (edit) {
        m_edit = std::move(edit);
        return;
    }
    m_edit = [this](QWidget *parent, QVariant *name, QVariant *holdingId) {
        DialogAUPodnik dlg(parent);
        dlg.setWindowTitle(tr("Oprava podniku"));
        // A holding that cannot be read would come back empty and be
        // stored so: the dialog is not offered.
        QString error;
        if (!dlg.setValues(*name, *holdingId, &error))
            return fail(error);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        dlg.getValues(name, holdingId);
        return true;
    };
}
void RegisterMaintenance::setAres(QSAres *ares) { m_ares = ares; }

QString RegisterMaintenance::hiddenMessage(bool centre)
{
    return centre ? tr("Středisko bylo založeno, ale strom ho nezobrazuje: skrývá ho aktivní filtr nebo omezení "
                       "vašeho účtu (region, přidělená střediska).")
                  : tr("Podnik byl založen, ale strom ho nezobrazuje: skrývá ho aktivní filtr nebo omezení "
                       "vašeho účtu (region, přidělená střediska).");
}

bool RegisterMaintenance::fail(const QString &databaseError)
{
    m_notify(m_parent, tr("Chyba:") + QLatin1Char(' ') + databaseError);
    return false;
}

void RegisterMaintenance::show(const QVariant &podnikId, const QVariant &strediskoId, bool created, bool centre)
{
    const bool shown = m_host.showRow(podnikId, strediskoId);
    // Otherwise users add it again.
    if (created && !shown)
        m_notify(m_parent, hiddenMessage(centre));
}

bool RegisterMaintenance::run(QSSQL &q, const QString &sql, const QVariantList &values)
{
    return q.exec(sql, values) || fail(q.lastError().text());
}

bool RegisterMaintenance::count(const QString &sql, const QVariant &id, int *n)
{
    QSSQL q;
    if (!run(q, sql, {id.toLongLong()}))
        return false;
    if (!q.next())
        return fail(tr("počet nelze zjistit."));
    *n = q.value(0).toInt();
    return true;
}

void RegisterMaintenance::onAddPodnik()
{
    if (!m_host.settleEdits())
        return;
    QString answer;
    if (!m_prompt(m_parent, tr("Přidání podniku"), tr("Název/ičo:"), &answer))
        return;
    answer = answer.trimmed();
    bool number = false;
    const int asInt = answer.toInt(&number);
    if (number && asInt != 0) {
        addByIco(qint64(asInt));
        return;
    }
    DbTransaction tx;
    QSSQL q;
    if (!begin(&tx) || !run(q, QStringLiteral("insert into tellmark_podniky(podnik_nazev) values(?)"), {answer}))
        return;
    // Read before the history row is written: SQLite reports the last insert of the connection.
    const QVariant newId = q.lastInsertId();
    if (!finish(&tx, {{kPodniky, newId, QLatin1String(ChangeHistory::RowAdded), kNone, answer}}))
        return;
    show(newId, QVariant(), true, false);
}

void RegisterMaintenance::addByIco(qint64 ico)
{
    QSAres *ares = m_ares;
    if (!ares) {
        if (!m_ownAres)
            m_ownAres = new QSAres(this);
        ares = m_ownAres;
    }
    if (ares->resolveICO(ico) < 0) {
        m_notify(m_parent, tr("Chyba vyhledávání."));
        return;
    }
    const ares_responce_t r = ares->getLastResponce();
    if (r.status != QLatin1String("1")) {
        m_notify(m_parent, tr("IČO nenalezeno."));
        return;
    }
    QString found = r.ico;
    found.remove(QLatin1Char(' '));
    // The same number may be stored with or without its leading zeros and
    // with blanks: the candidates ending in its digits are compared as
    // numbers. Without the check nothing is inserted.
    const QString key = icoKey(found);
    QSSQL dup;
    if (!run(dup, QStringLiteral("select ico from tellmark_podniky where replace(ico,' ','') like ?"),
             {QLatin1Char('%') + key}))
        return;
    while (dup.next()) {
        if (icoKey(dup.value(0).toString()) == key) {
            m_notify(m_parent, tr("Zadané IČO je již založeno."));
            return;
        }
    }
    QString address = r.street;
    if (!r.municipality.isEmpty())
        address += (address.isEmpty() ? QString() : QStringLiteral(", ")) + r.municipality;
    DbTransaction tx;
    QSSQL q;
    if (!begin(&tx)
        || !run(q, QStringLiteral("insert into tellmark_podniky(podnik_nazev,KONTAKT_ADRESA,ICO,OKRES,ZEME) values(?,?,?,?,?)"),
                {r.name, address, found, r.district, QStringLiteral("CZ")}))
        return;
    const QVariant newId = q.lastInsertId();
    if (!finish(&tx, {{kPodniky, newId, QLatin1String(ChangeHistory::RowAdded), kNone, r.name}}))
        return;
    show(newId, QVariant(), true, false);
}

void RegisterMaintenance::onEditPodnik()
{
    const QVariant podnik = m_session->s_id_podnik;
    if (!isValidId(podnik) || !m_host.settleEdits())
        return;
    QSSQL q;
    if (!run(q, QStringLiteral("select podnik_nazev,id_holding from tellmark_podniky where id=?"), {podnik.toLongLong()}))
        return;
    if (!q.next())
        return;
    QVariant name = q.value(0);
    QVariant holding = q.value(1);
    if (!m_edit(m_parent, &name, &holding))
        return;
    const QVariant oldName = q.value(0);
    const QVariant oldHolding = q.value(1);
    DbTransaction tx;
    QSSQL u;
    if (!begin(&tx)
        || !run(u, QStringLiteral("update tellmark_podniky set podnik_nazev=?,id_holding=? where id=?"),
                {name, holding, podnik.toLongLong()}))
        return;
    // The history names holdings, not their numbers.
    QVector<Entry> entries;
    if (!RowSnapshot::same(oldName, name))
        entries.append({kPodniky, podnik, QStringLiteral("podnik_nazev"), oldName, name});
    if (!RowSnapshot::same(oldHolding, holding)) {
        QString from, to;
        if (!holdingName(oldHolding, &from) || !holdingName(holding, &to))
            return;
        entries.append({kPodniky, podnik, QStringLiteral("id_holding"), from, to});
    }
    if (!finish(&tx, entries))
        return;
    show(podnik, m_session->s_id_stredisko, false, false);
}

void RegisterMaintenance::onDelPodnik()
{
    const QVariant podnik = m_session->s_id_podnik;
    if (!isValidId(podnik) || !m_host.settleEdits())
        return;
    QString answer;
    if (!m_prompt(m_parent, tr("Smazání podniku"), tr("Pro potvrzení smazaní podniku napište do pole - smazat"), &answer)
        || answer != QLatin1String(kConfirmWord))
        return;
    // Its centres and events would vanish from every view while staying in
    // the database: the enterprise must be empty first.
    int centres = 0, events = 0;
    if (!count(QStringLiteral("select count(*) from tellmark_strediska where id_podnik=?"), podnik, &centres))
        return;
    if (centres > 0) {
        m_notify(m_parent, tr("Podnik nelze smazat, protože má střediska (počet: %1). Nejprve smažte jeho střediska.").arg(centres));
        return;
    }
    if (!count(QStringLiteral("select count(*) from tellmark_udalosti where id_podnik=? and +smazano=0"), podnik, &events))
        return;
    if (events > 0) {
        m_notify(m_parent, tr("Podnik nelze smazat, protože má nesmazané události (počet: %1).").arg(events));
        return;
    }
    DbTransaction tx;
    QSSQL name;
    QSSQL d;
    if (!begin(&tx) || !run(name, QStringLiteral("select podnik_nazev from tellmark_podniky where id=?"), {podnik.toLongLong()})
        || !run(d, QStringLiteral("delete from tellmark_podniky where id=?"), {podnik.toLongLong()}))
        return;
    const QVariant oldName = name.next() ? name.value(0) : QVariant();
    if (!finish(&tx, {{kPodniky, podnik, QLatin1String(ChangeHistory::RowDeleted), oldName, kNone}}))
        return;
    show(QVariant(), QVariant(), false, false);
}

void RegisterMaintenance::onAddStredisko()
{
    const QVariant podnik = m_session->s_id_podnik;
    if (!isValidId(podnik) || !m_host.settleEdits())
        return;
    QString answer;
    if (!m_prompt(m_parent, tr("Přidání střediska"), tr("Název:"), &answer))
        return;
    const QString name = answer.trimmed();
    DbTransaction tx;
    QSSQL q;
    if (!begin(&tx)
        || !run(q, QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev) values(?,?)"), {podnik.toLongLong(), name}))
        return;
    const QVariant newId = q.lastInsertId();
    if (!finish(&tx, {{kStrediska, newId, QLatin1String(ChangeHistory::RowAdded), kNone, name},
                     {kPodniky, podnik, QLatin1String(ChangeHistory::CentreAdded), kNone, name}}))
        return;
    show(podnik, newId, true, true);
}

void RegisterMaintenance::onEditStredisko()
{
    const QVariant stredisko = m_session->s_id_stredisko;
    if (!isValidId(stredisko) || !m_host.settleEdits())
        return;
    QSSQL q;
    if (!run(q, QStringLiteral("select akce_nazev from tellmark_strediska where id=?"), {stredisko.toLongLong()}))
        return;
    if (!q.next())
        return;
    QString answer = q.value(0).toString();
    if (!m_prompt(m_parent, tr("Oprava střediska"), tr("Název:"), &answer))
        return;
    const QVariant oldName = q.value(0);
    DbTransaction tx;
    QSSQL u;
    if (!begin(&tx) || !run(u, QStringLiteral("update tellmark_strediska set akce_nazev=? where id=?"), {answer, stredisko.toLongLong()}))
        return;
    QVector<Entry> entries;
    if (!RowSnapshot::same(oldName, answer))
        entries.append({kStrediska, stredisko, QStringLiteral("akce_nazev"), oldName, answer});
    if (!finish(&tx, entries))
        return;
    show(m_session->s_id_podnik, stredisko, false, true);
}

void RegisterMaintenance::onDelStredisko()
{
    const QVariant stredisko = m_session->s_id_stredisko;
    if (!isValidId(stredisko) || !m_host.settleEdits())
        return;
    QString answer;
    if (!m_prompt(m_parent, tr("Smazání střediska"), tr("Pro potvrzení smazaní střediska napište do pole - smazat"),
                  &answer)
        || answer != QLatin1String(kConfirmWord))
        return;
    // Its events would be orphaned in the global list.
    int events = 0;
    if (!count(QStringLiteral("select count(*) from tellmark_udalosti where id_strediska=? and +smazano=0"), stredisko,
               &events))
        return;
    if (events > 0) {
        m_notify(m_parent, tr("Středisko nelze smazat, protože má nesmazané události (počet: %1).").arg(events));
        return;
    }
    DbTransaction tx;
    QSSQL q;
    if (!begin(&tx)
        || !run(q, QStringLiteral("select id_podnik,akce_nazev from tellmark_strediska where id=?"), {stredisko.toLongLong()}))
        return;
    if (!q.next())
        return;
    const QVariant podnik = q.value(0);
    const QVariant name = q.value(1);
    QSSQL d;
    if (!run(d, QStringLiteral("delete from tellmark_strediska where id=?"), {stredisko.toLongLong()}))
        return;
    if (!finish(&tx, {{kStrediska, stredisko, QLatin1String(ChangeHistory::RowDeleted), name, kNone},
                     {kPodniky, podnik, QLatin1String(ChangeHistory::CentreDeleted), name, kNone}}))
        return;
    show(podnik, QVariant(), false, false);
}
