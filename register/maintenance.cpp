#include "register/maintenance.h"

#include "core/ids.h"
#include "core/session.h"
#include "db/qsares.h"
#include "db/qssql.h"
#include "register/dialogaupodnik.h"

#include <QInputDialog>
#include <QMessageBox>

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
    QMessageBox::information(parent, QObject::tr("ZRN"), text, QMessageBox::Ok);
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

} // namespace

RegisterMaintenance::RegisterMaintenance(Session *session, QWidget *dialogParent, Host host, QObject *parent)
    : QObject(parent), m_session(session), m_parent(dialogParent), m_host(std::move(host)),
      m_prompt(askText), m_notify(inform)
{
    setEditEnterprise(nullptr);
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
    QSSQL q;
    if (!run(q, QStringLiteral("insert into tellmark_podniky(podnik_nazev) values(?)"), {answer}))
        return;
    show(q.lastInsertId(), QVariant(), true, false);
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
    QSSQL q;
    if (!run(q, QStringLiteral("insert into tellmark_podniky(podnik_nazev,KONTAKT_ADRESA,ICO,OKRES,ZEME) values(?,?,?,?,?)"),
             {r.name, address, found, r.district, QStringLiteral("CZ")}))
        return;
    show(q.lastInsertId(), QVariant(), true, false);
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
    QSSQL u;
    if (!run(u, QStringLiteral("update tellmark_podniky set podnik_nazev=?,id_holding=? where id=?"), {name, holding, podnik.toLongLong()}))
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
    QSSQL d;
    if (!run(d, QStringLiteral("delete from tellmark_podniky where id=?"), {podnik.toLongLong()}))
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
    QSSQL q;
    if (!run(q, QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev) values(?,?)"), {podnik.toLongLong(), answer.trimmed()}))
        return;
    show(podnik, q.lastInsertId(), true, true);
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
    QSSQL u;
    if (!run(u, QStringLiteral("update tellmark_strediska set akce_nazev=? where id=?"), {answer, stredisko.toLongLong()}))
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
    QSSQL q;
    if (!run(q, QStringLiteral("select id_podnik from tellmark_strediska where id=?"), {stredisko.toLongLong()}))
        return;
    if (!q.next())
        return;
    const QVariant podnik = q.value(0);
    QSSQL d;
    if (!run(d, QStringLiteral("delete from tellmark_strediska where id=?"), {stredisko.toLongLong()}))
        return;
    show(podnik, QVariant(), false, false);
}
