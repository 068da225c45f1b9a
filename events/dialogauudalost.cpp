#include "events/dialogauudalost.h"
#include "core/report.h"

#include "ui_dialogauudalost.h"

#include "core/dialogauoouzivatel.h"
#include "core/dialogtable.h"
#include "core/eciselniky.h"
#include "db/qssql.h"
#include "events/categories.h"
#include "events/qsattachment.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qstbtextedit.h"

#include <QTextCursor>

namespace {

const char *const kEnterpriseName = "select id,podnik_nazev from tellmark_podniky where id=?";
const char *const kCentreName = "select id,akce_nazev from tellmark_strediska where id=?";

// The colour squares of the states in the dialog.
QVector<QColor> stateSquares()
{
    return {Qt::gray, Qt::red, Qt::darkRed, Qt::green};
}

// A calendar entry without a date ends the day it is given one.
const QTime kCalendarDefaultTime(23, 59, 59);

void showDateTime(QFDateEdit *date, QTimeEdit *time, const QDateTime &value, const QTime &emptyTime)
{
    if (value.isValid()) {
        date->setDate(value.date());
        time->setTime(value.time());
    } else {
        date->setDate(QDate());
        time->setTime(emptyTime);
    }
}

QDateTime readDateTime(const QFDateEdit *date, const QTimeEdit *time)
{
    if (!date->date().isValid())
        return QDateTime();
    return QDateTime(date->date(), time->time());
}

QVariant pickedId(const QFEditWithButton *field)
{
    bool ok = false;
    const int id = field->Id().toInt(&ok);
    return ok && id > 0 ? QVariant(id) : QVariant();
}

// Shows the record `id` by its name. A row that cannot be read keeps the id
// with the name the caller knows, so the event does not lose its link.
void showRecord(QFEditWithButton *field, const char *sql, const QVariant &id, const QString &knownName)
{
    field->clear();
    if (id.isNull() || id.toLongLong() <= 0)
        return;
    QSSQL q;
    q.prepare(QLatin1String(sql));
    q.addBindValue(id);
    if (q.exec() && q.next()) {
        field->setId(q.value(0).toString());
        field->setText(q.value(1).toString());
    } else {
        field->setId(id.toString());
        field->setText(knownName);
    }
}


} // namespace

DialogAUUdalost::DialogAUUdalost(QWidget *parent, const QFont &font, const QStringList &addresses)
    : QDialog(parent), ui(new Ui::DialogAUUdalost), m_addresses(addresses)
{
    ui->setupUi(this);
    ui->splitter_prilohy->setStretchFactor(0, 4);
    ui->splitter_prilohy->setStretchFactor(1, 1);

    setColourSquares(ui->cbStav, stateSquares());
    fillCategoryCombo(ui->cbKategorie);
    m_descriptionBar = new QSTBTextedit(this);
    m_descriptionBar->createTB(ui->tbw, ui->popis, font, false);
    m_attachments = new QSAttachment(this);
    m_attachments->setup(ui->wattachment);

    // Names and the persons' display form must match their ids: only the
    // choosers set them.
    for (QFEditWithButton *field : {ui->podnik, ui->stredisko, ui->oo})
        field->setTextEditable(false);

    connect(ui->cbStav, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &DialogAUUdalost::onUdalostShowWidgetNotifyFrom);
    connect(ui->cbSynchronizace, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &DialogAUUdalost::onUdalostShowWidgetCalendar);
    connect(ui->oo, &QFEditWithButton::buttonClicked, this, &DialogAUUdalost::selectOO);
    connect(ui->podnik, &QFEditWithButton::buttonClicked, this, &DialogAUUdalost::selectPodnik);
    connect(ui->stredisko, &QFEditWithButton::buttonClicked, this, &DialogAUUdalost::selectStredisko);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &DialogAUUdalost::onAccept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &DialogAUUdalost::reject);

    // Every field of the form (the line edits inside the date, time and
    // picker fields too), the description and the files; not the
    // description's tool bar, which follows the cursor.
    auto edited = [this] { m_edited = m_edited || !m_filling; };
    for (QLineEdit *e : ui->wform->findChildren<QLineEdit *>())
        connect(e, &QLineEdit::textChanged, this, edited);
    for (QComboBox *c : ui->wform->findChildren<QComboBox *>())
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, edited);
    for (QCheckBox *c : ui->wform->findChildren<QCheckBox *>())
        connect(c, &QCheckBox::toggled, this, edited);
    connect(ui->popis, &QTextEdit::textChanged, this, edited);
    connect(m_attachments, &QSAttachment::onChanged, this, edited);

    onUdalostShowWidgetNotifyFrom(ui->cbStav->currentIndex());
    onUdalostShowWidgetCalendar(ui->cbSynchronizace->currentIndex());
    ui->predmet->setFocus();
}

DialogAUUdalost::~DialogAUUdalost()
{
    delete ui;
}

void DialogAUUdalost::onUdalostShowWidgetNotifyFrom(int state)
{
    const bool show = !m_reply && (state == 1 || state == 2);
    ui->label_upozorneni_od->setVisible(show);
    ui->upozorneni_od->setVisible(show);
}

void DialogAUUdalost::onUdalostShowWidgetCalendar(int synchronisation)
{
    const bool show = !m_reply && synchronisation == 1;
    for (QWidget *w : {static_cast<QWidget *>(ui->label_zacatek), static_cast<QWidget *>(ui->wz),
                       static_cast<QWidget *>(ui->label_konec), static_cast<QWidget *>(ui->wk)})
        w->setVisible(show);
}

void DialogAUUdalost::setReplyForm(bool reply)
{
    m_reply = reply;
    const QList<QWidget *> rootOnly = {
        ui->label_podnik, ui->podnik, ui->label_stredisko, ui->stredisko,
        ui->label_lokalita, ui->lokalita, ui->label_zdroj, ui->cbZdroj,
        ui->label_kategorie, ui->cbKategorie, ui->label_synchronizace, ui->cbSynchronizace,
        ui->label_cesta, ui->cbCesta, ui->label_cprojektu, ui->cprojektu,
    };
    for (QWidget *w : rootOnly)
        w->setVisible(!reply);
    onUdalostShowWidgetNotifyFrom(ui->cbStav->currentIndex());
    onUdalostShowWidgetCalendar(ui->cbSynchronizace->currentIndex());
    // The reply's own text goes above the quotation it starts with, so that
    // it is stored (and announced) with what the user wrote.
    if (reply) {
        QTextCursor cursor = ui->popis->textCursor();
        cursor.movePosition(QTextCursor::Start);
        ui->popis->setTextCursor(cursor);
        ui->popis->setFocus();
    }
}

void DialogAUUdalost::setValues(const EventRecord &values)
{
    m_filling = true;
    m_values = values;
    showDateTime(ui->zd, ui->zc, values.start, QTime(0, 0));
    showDateTime(ui->uzd, ui->uzc, values.calendarStart, kCalendarDefaultTime);
    showDateTime(ui->ukd, ui->ukc, values.end, kCalendarDefaultTime);
    ui->predmet->setText(values.subject);
    showRecord(ui->podnik, kEnterpriseName, values.podnikId, values.podnikName);
    showRecord(ui->stredisko, kCentreName, values.strediskoId, values.strediskoName);
    ui->lokalita->setText(values.place);
    ui->cprojektu->setText(values.project);
    setComboValue(ui->cbZdroj, values.source, false);
    setComboValue(ui->cbKategorie, values.category, true);
    setComboValue(ui->cbStav, values.state, false);
    setComboValue(ui->cbSynchronizace, values.synchronisation, false);
    ui->cbCesta->setChecked(values.journey);
    ui->cbNotifikace->setChecked(values.mail);
    ui->cbNotifikaceF->setChecked(values.service);
    ui->oo->setId(values.persons);
    ui->oo->setText(ECiselniky().codesToNames(values.persons));
    ui->popis->setHtml(values.description);
    ui->upozorneni_od->setDate(values.notifyFrom);
    m_filling = false;
    m_edited = false;
}

EventRecord DialogAUUdalost::values() const
{
    EventRecord r = m_values;
    r.start = readDateTime(ui->zd, ui->zc);
    r.calendarStart = readDateTime(ui->uzd, ui->uzc);
    r.end = readDateTime(ui->ukd, ui->ukc);
    r.subject = ui->predmet->text();
    r.podnikId = pickedId(ui->podnik);
    r.podnikName = r.podnikId.isNull() ? QString() : ui->podnik->text();
    r.strediskoId = pickedId(ui->stredisko);
    r.strediskoName = r.strediskoId.isNull() ? QString() : ui->stredisko->text();
    r.place = ui->lokalita->text();
    r.project = ui->cprojektu->text();
    r.source = comboValue(ui->cbZdroj, false);
    r.category = comboValue(ui->cbKategorie, true);
    r.state = comboValue(ui->cbStav, false);
    r.synchronisation = comboValue(ui->cbSynchronizace, false);
    r.journey = ui->cbCesta->isChecked();
    r.mail = ui->cbNotifikace->isChecked();
    r.service = ui->cbNotifikaceF->isChecked();
    r.persons = ui->oo->Id();
    r.description = ui->popis->toHtml();
    r.notifyFrom = ui->upozorneni_od->date();
    return r;
}

void DialogAUUdalost::selectOO()
{
    QString codes = ui->oo->Id();
    if (!DialogAUOOUzivatel::choose(this, tr("Výběr uživatele"), m_addresses, &codes))
        return;
    ui->oo->setId(codes);
    ui->oo->setText(ECiselniky().codesToNames(codes));
}

void DialogAUUdalost::selectPodnik()
{
    pickInto(this, ui->podnik, enterprisePickerSpec(QStringLiteral("spodniky"), m_visibility));
}

void DialogAUUdalost::selectStredisko()
{
    pickInto(this, ui->stredisko, centrePickerSpec(QStringLiteral("sstredisko"), m_visibility, pickedId(ui->podnik)));
}

void DialogAUUdalost::onAccept()
{
    if (ui->predmet->text().trimmed().isEmpty()) {
        Report::info(this, tr("Předmět události nemůže být prázdný."));
        ui->predmet->setFocus();
        return;
    }
    accept();
}

void DialogAUUdalost::reject()
{
    if (m_edited
        && !Report::ask(this, tr("Přejete si zahodit rozpracovanou událost?")))
        return;
    QDialog::reject();
}
