#include "register/maintenance.h"
#include "core/report.h"

#include "core/ids.h"
#include "core/rowsave.h"
#include "core/session.h"
#include "db/qsares.h"
#include "register/dialogaupodnik.h"
#include "register/maintenancestore.h"

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

const char kConfirmWord[] = "smazat";

} // namespace

RegisterMaintenance::RegisterMaintenance(Session *session, QWidget *dialogParent, Host host, QObject *parent)
    : QObject(parent), m_session(session), m_parent(dialogParent), m_host(std::move(host)),
      m_prompt(askText), m_notify(inform)
{
    ChangeHistory::describe(QStringLiteral("tellmark_podniky"), {{QStringLiteral("podnik_nazev"), tr("Podnik")},
                                                              {QStringLiteral("id_holding"), tr("Holding")}});
    ChangeHistory::describe(QStringLiteral("tellmark_strediska"), {{QStringLiteral("akce_nazev"), tr("Středisko")}});
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

bool RegisterMaintenance::countFailed(const QString &databaseError)
{
    return fail(databaseError.isEmpty() ? tr("počet nelze zjistit.") : databaseError);
}

QString RegisterMaintenance::login() const
{
    return m_session->user.login;
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
    QVariant newId;
    QString error;
    if (!MaintenanceStore::addEnterprise(answer, login(), &newId, &error)) {
        fail(error);
        return;
    }
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
    // Without the check nothing is inserted.
    bool taken = false;
    QString error;
    if (!MaintenanceStore::icoTaken(found, &taken, &error)) {
        fail(error);
        return;
    }
    if (taken) {
        m_notify(m_parent, tr("Zadané IČO je již založeno."));
        return;
    }
    QString address = r.street;
    if (!r.municipality.isEmpty())
        address += (address.isEmpty() ? QString() : QStringLiteral(", ")) + r.municipality;
    QVariant newId;
    if (!MaintenanceStore::addRegistered({r.name, address, found, r.district}, login(), &newId, &error)) {
        fail(error);
        return;
    }
    show(newId, QVariant(), true, false);
}

void RegisterMaintenance::onEditPodnik()
{
    const QVariant podnik = m_session->s_id_podnik;
    if (!isValidId(podnik) || !m_host.settleEdits())
        return;
    MaintenanceStore::Enterprise before;
    bool found = false;
    QString error;
    if (!MaintenanceStore::readEnterprise(podnik, &before, &found, &error)) {
        fail(error);
        return;
    }
    if (!found)
        return;
    MaintenanceStore::Enterprise after = before;
    if (!m_edit(m_parent, &after.name, &after.holdingId))
        return;
    if (!MaintenanceStore::updateEnterprise(podnik, before, after, login(), &error)) {
        fail(error);
        return;
    }
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
    QString error;
    if (!MaintenanceStore::countCentres(podnik, &centres, &error)) {
        countFailed(error);
        return;
    }
    if (centres > 0) {
        m_notify(m_parent, tr("Podnik nelze smazat, protože má střediska (počet: %1). Nejprve smažte jeho střediska.").arg(centres));
        return;
    }
    if (!MaintenanceStore::countEnterpriseEvents(podnik, &events, &error)) {
        countFailed(error);
        return;
    }
    if (events > 0) {
        m_notify(m_parent, tr("Podnik nelze smazat, protože má nesmazané události (počet: %1).").arg(events));
        return;
    }
    if (!MaintenanceStore::deleteEnterprise(podnik, login(), &error)) {
        fail(error);
        return;
    }
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
    QVariant newId;
    QString error;
    if (!MaintenanceStore::addCentre(podnik, answer.trimmed(), login(), &newId, &error)) {
        fail(error);
        return;
    }
    show(podnik, newId, true, true);
}

void RegisterMaintenance::onEditStredisko()
{
    const QVariant stredisko = m_session->s_id_stredisko;
    if (!isValidId(stredisko) || !m_host.settleEdits())
        return;
    QVariant before;
    bool found = false;
    QString error;
    if (!MaintenanceStore::readCentreName(stredisko, &before, &found, &error)) {
        fail(error);
        return;
    }
    if (!found)
        return;
    QString answer = before.toString();
    if (!m_prompt(m_parent, tr("Oprava střediska"), tr("Název:"), &answer))
        return;
    if (!MaintenanceStore::renameCentre(stredisko, before, answer, login(), &error)) {
        fail(error);
        return;
    }
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
    QString error;
    if (!MaintenanceStore::countCentreEvents(stredisko, &events, &error)) {
        countFailed(error);
        return;
    }
    if (events > 0) {
        m_notify(m_parent, tr("Středisko nelze smazat, protože má nesmazané události (počet: %1).").arg(events));
        return;
    }
    QVariant podnik;
    bool found = false;
    if (!MaintenanceStore::deleteCentre(stredisko, login(), &podnik, &found, &error)) {
        fail(error);
        return;
    }
    if (!found)
        return;
    show(podnik, QVariant(), false, false);
}
