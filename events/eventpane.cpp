#include "events/eventpane.h"
#include "core/report.h"

#include "ui_eventpane.h"

#include "core/clashdialog.h"
#include "core/dialogauoouzivatel.h"
#include "core/historyview.h"
#include "core/notice.h"
#include "core/dialogtable.h"
#include "core/eciselniky.h"
#include "core/session.h"
#include "db/database.h"
#include "db/qsapitellmark.h"
#include "events/categories.h"
#include "events/eventstore.h"
#include "events/qsattachment.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qstbtextedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QTimeEdit>

EventPane::EventPane(Kind kind, QWidget *parent)
    : ZrnPage(nullptr, parent), ui(new Ui::EventPane), m_kind(kind)
{
    ui->setupUi(this);
    setSaveButton(ui->udalost_uloz);
    // The window keeps the splitters by object name: each pane keeps the
    // names (and so the saved layout) its list always had.
    const bool global = kind == Global;
    setObjectName(global ? QStringLiteral("sudalost_pane") : QStringLiteral("udalost_pane"));
    ui->splitter_prilohy->setObjectName(global ? QStringLiteral("splitter_8") : QStringLiteral("splitter_9"));
    ui->splitter_popis->setObjectName(global ? QStringLiteral("splitter_s7") : QStringLiteral("splitter_7"));
    ui->splitter_prilohy->setStretchFactor(0, 4);
    ui->splitter_prilohy->setStretchFactor(1, 1);
    ui->splitter_popis->setStretchFactor(0, 0);
    ui->splitter_popis->setStretchFactor(1, 1);
    // Until a saved layout says otherwise: the form and its description get
    // four fifths, the attachments the rest.
    ui->splitter_prilohy->setSizes({400, 100});

    m_descriptionBar = new QSTBTextedit(this);
    m_descriptionBar->createTB(ui->TBudalostPopis, ui->udalostPopis, QApplication::font(), false);
    setColourSquares(ui->cbPriorita, priorityColours());
    setColourSquares(ui->cbStav, stateColours());
    fillCategoryCombo(ui->cbKategorie);
    ui->ludalost->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long hash must not widen the pane (and the window with it).
    ui->ludalost->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ui->ludalost->setMinimumWidth(0);
    // The long labels wrap, leaving the width to the fields beside them.
    for (QLabel *label : {ui->label_misto, ui->label_uzdroj})
        label->setWordWrap(true);

    m_attachments = new QSAttachment(this);
    m_attachments->setup(ui->wprilohy);
    connect(m_attachments, &QSAttachment::onChanged, this, &EventPane::changed);
    connect(m_attachments, &QSAttachment::fileWritten, this, [this](const QString &path) {
        if (session())
            session()->notify(Notice::attachmentStored(QDir::toNativeSeparators(path)));
    });

    // The enterprise's events need no enterprise, centre or place of their own.
    ui->upodnik->setVisible(global);
    ui->ustredisko->setVisible(global);
    ui->label_misto->setVisible(global);
    ui->widget_misto->setVisible(global);
    // Names must match their ids: only the pickers set them (the centre's
    // picker also empties it), typing would be thrown away on a save.
    for (QFEditWithButton *e : {ui->uoo, ui->upodnik, ui->ustredisko})
        e->setTextEditable(false);

    m_snapshot.setDeletedFlag(QStringLiteral("smazano"));
    ChangeHistory::describe(QStringLiteral("tellmark_udalosti"),
                            {{QStringLiteral("ts_zacatek"), tr("Vytvořeno")},
                             {QStringLiteral("ts_kal_zacatek"), tr("Začátek")},
                             {QStringLiteral("ts_konec"), tr("Konec")},
                             {QStringLiteral("lokalita"), tr("Lokalita")},
                             {QStringLiteral("id_podnik"), tr("Podnik")},
                             {QStringLiteral("id_strediska"), tr("Středisko")},
                             {QStringLiteral("zdroj"), tr("Zdroj")},
                             {QStringLiteral("kategorie"), tr("Kategorie")},
                             {QStringLiteral("priorita"), tr("Priorita")},
                             {QStringLiteral("stav"), tr("Stav")},
                             {QStringLiteral("typ_synchronizace"), tr("Synchronizace")},
                             {QStringLiteral("cesta"), tr("Cesta")},
                             {QStringLiteral("cislo_projektu"), tr("Číslo projektu")},
                             {QStringLiteral("odpovedna_osoba"), tr("Odpovědná osoba")},
                             {QStringLiteral("notifikace"), tr("Upozornění Mail")},
                             {QStringLiteral("notifikacef"), tr("Upozornění Tellmark")},
                             {QStringLiteral("predmet"), tr("Předmět")},
                             {QStringLiteral("popis"), tr("Popis")},
                             {QStringLiteral("upozornit_od"), tr("Nedokončené od")}});
    m_historyButton = new QPushButton(tr("Historie"), this);
    m_historyButton->setObjectName(QStringLiteral("udalost_historie"));
    ui->layout_udalost_uloz->insertWidget(1, m_historyButton);
    connect(m_historyButton, &QPushButton::clicked, this, &EventPane::showHistory);

    connectChanges();
    connect(this, &EventPane::changed, this, [this] {
        m_empty = false;
        // Filling the form is no edit, and an empty pane has nothing to save.
        markChanged();
    });
    connect(ui->udalost_uloz, &QPushButton::clicked, this, &EventPane::saveClicked);
    connect(ui->uoo, &QFEditWithButton::buttonClicked, this, &EventPane::personsClicked);
    connect(ui->upodnik, &QFEditWithButton::buttonClicked, this, &EventPane::enterprisePickerClicked);
    connect(ui->ustredisko, &QFEditWithButton::buttonClicked, this, &EventPane::centrePickerClicked);
    connect(ui->cbStav, qOverload<int>(&QComboBox::currentIndexChanged), this, &EventPane::showNotifyFrom);
    connect(ui->cbSynchronizace, qOverload<int>(&QComboBox::currentIndexChanged), this, &EventPane::showCalendar);

    reset();
}

EventPane::~EventPane()
{
    delete ui;
}

void EventPane::connectChanges()
{
    auto changed = [this] { emit this->changed(); };
    for (QTimeEdit *t : {ui->uc, ui->uzc, ui->ukc})
        connect(t, &QTimeEdit::timeChanged, this, changed);
    for (QFDateEdit *d : {ui->ud, ui->upozornit, ui->uzd, ui->ukd})
        connect(d, &QFDateEdit::dateChanged, this, changed);
    for (QLineEdit *e : {ui->udalostPredmet, ui->lokalita, ui->cprojektu})
        connect(e, &QLineEdit::textChanged, this, changed);
    for (QFEditWithButton *e : {ui->uoo, ui->upodnik, ui->ustredisko})
        connect(e, &QFEditWithButton::textChanged, this, changed);
    for (QComboBox *c : {ui->cbZdroj, ui->cbKategorie, ui->cbPriorita, ui->cbStav, ui->cbSynchronizace})
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, changed);
    for (QCheckBox *c : {ui->cbNotifikace, ui->cbNotifikaceF, ui->cbCesta})
        connect(c, &QCheckBox::stateChanged, this, changed);
    connect(ui->udalostPopis, &QTextEdit::textChanged, this, changed);
}

void EventPane::showNotifyFrom(int state)
{
    const bool open = state == 1 || state == 2;
    ui->lupozornit2->setVisible(open);
    ui->upozornit->setVisible(open);
}

void EventPane::showCalendar(int synchronisation)
{
    const bool labels = synchronisation == 1 || synchronisation == 2;
    ui->lzacatek2->setVisible(labels);
    ui->lkonec2->setVisible(labels);
    ui->uzacatek->setVisible(synchronisation == 1);
    ui->ukonec->setVisible(synchronisation == 1);
}

void EventPane::reset()
{
    // Already empty: touching every field again would only repaint the pane
    // on each reload of the list.
    if (m_empty)
        return;
    {
        // Emptying the pane is no edit.
        const QSignalBlocker blocker(this);
        for (QFDateEdit *d : {ui->ud, ui->upozornit, ui->uzd, ui->ukd})
            d->setDate(QDate());
        for (QTimeEdit *t : {ui->uc, ui->uzc, ui->ukc})
            t->setTime(QTime(0, 0));
        for (QLineEdit *e : {ui->udalostPredmet, ui->lokalita, ui->cprojektu})
            e->clear();
        for (QFEditWithButton *e : {ui->uoo, ui->upodnik, ui->ustredisko})
            e->clear();
        for (QComboBox *c : {ui->cbZdroj, ui->cbPriorita, ui->cbStav, ui->cbSynchronizace})
            setComboValue(c, 0, false);
        setComboValue(ui->cbKategorie, 0, true);
        for (QCheckBox *c : {ui->cbNotifikace, ui->cbNotifikaceF, ui->cbCesta})
            c->setChecked(false);
        ui->udalostPopis->clear();
        ui->ludalost->clear();
    }
    m_eventId = 0;
    m_parentId = QVariant();
    m_snapshot.reset();
    m_attachments->clear();
    m_empty = true;
    // The optional rows follow the emptied combos.
    showNotifyFrom(0);
    showCalendar(0);
    ui->wudalost_vyber->show();
    ui->wudalost->hide();
    ui->wheader->hide();
    // Files belong to an event: none to add to while none is shown.
    ui->wprilohy->hide();
    setHasRow(false);
}

void EventPane::showForm()
{
    m_empty = false;
    ui->wprilohy->show();
    ui->wudalost_vyber->hide();
    ui->wudalost->show();
    ui->wheader->show();
}

QLineEdit *EventPane::subject() const { return ui->udalostPredmet; }
QLineEdit *EventPane::place() const { return ui->lokalita; }

void EventPane::showRootFields(bool root)
{
    ui->wuroot->setVisible(root);
    if (m_kind == Global) {
        ui->label_misto->setVisible(root);
        ui->widget_misto->setVisible(root);
        ui->label_uzdroj->setVisible(root);
        ui->widget_uzdroj->setVisible(root);
    }
}

namespace {

void setDateTime(QFDateEdit *date, QTimeEdit *time, const QDateTime &value)
{
    date->setDate(value.isValid() ? value.date() : QDate());
    time->setTime(value.isValid() ? value.time() : QTime(0, 0));
}

QDateTime dateTime(const QFDateEdit *date, const QTimeEdit *time)
{
    return date->date().isValid() ? QDateTime(date->date(), time->time()) : QDateTime();
}

} // namespace

void EventPane::showRecord(const EventRecord &r)
{
    m_empty = false;
    beginFill();
    setDateTime(ui->ud, ui->uc, r.start);
    setDateTime(ui->uzd, ui->uzc, r.calendarStart);
    setDateTime(ui->ukd, ui->ukc, r.end);
    ui->udalostPredmet->setText(r.subject);
    ui->lokalita->setText(r.place);
    ui->cprojektu->setText(r.project);
    setComboValue(ui->cbZdroj, r.source, false);
    setComboValue(ui->cbKategorie, r.category, true);
    setComboValue(ui->cbPriorita, r.priority, false);
    setComboValue(ui->cbStav, r.state, false);
    setComboValue(ui->cbSynchronizace, r.synchronisation, false);
    ui->cbNotifikace->setChecked(r.mail);
    ui->cbNotifikaceF->setChecked(r.service);
    ui->cbCesta->setChecked(r.journey);
    ui->upozornit->setDate(r.notifyFrom);
    ui->udalostPopis->setHtml(r.description);
    ui->uoo->setId(r.persons);
    ui->uoo->setText(ECiselniky().codesToNames(r.persons));
    ui->upodnik->setId(r.podnikId.isNull() ? QString() : r.podnikId.toString());
    ui->upodnik->setText(r.podnikName);
    ui->ustredisko->setId(r.strediskoId.isNull() ? QString() : r.strediskoId.toString());
    ui->ustredisko->setText(r.strediskoName);
    ui->ludalost->setText(r.hash);
    ui->ludalost->setToolTip(r.hash);
    m_parentId = r.parentId;
    showNotifyFrom(comboValue(ui->cbStav, false).toInt());
    showCalendar(comboValue(ui->cbSynchronizace, false).toInt());
    showRootFields(r.isRoot());
    endFill();
}

EventRecord EventPane::record() const
{
    EventRecord r;
    r.id = m_eventId > 0 ? QVariant(m_eventId) : QVariant();
    r.parentId = m_parentId;
    r.start = dateTime(ui->ud, ui->uc);
    r.calendarStart = dateTime(ui->uzd, ui->uzc);
    r.end = dateTime(ui->ukd, ui->ukc);
    r.subject = ui->udalostPredmet->text();
    r.place = ui->lokalita->text();
    r.project = ui->cprojektu->text();
    r.source = comboValue(ui->cbZdroj, false);
    r.category = comboValue(ui->cbKategorie, true);
    r.priority = comboValue(ui->cbPriorita, false);
    r.state = comboValue(ui->cbStav, false);
    r.synchronisation = comboValue(ui->cbSynchronizace, false);
    r.mail = ui->cbNotifikace->isChecked();
    r.service = ui->cbNotifikaceF->isChecked();
    r.journey = ui->cbCesta->isChecked();
    r.notifyFrom = ui->upozornit->date();
    r.description = ui->udalostPopis->toHtml();
    r.persons = ui->uoo->Id();
    bool ok = false;
    const qlonglong podnik = ui->upodnik->Id().toLongLong(&ok);
    r.podnikId = ok && podnik > 0 ? QVariant(podnik) : QVariant();
    const qlonglong stredisko = ui->ustredisko->Id().toLongLong(&ok);
    r.strediskoId = ok && stredisko > 0 ? QVariant(stredisko) : QVariant();
    r.podnikName = ui->upodnik->text();
    r.strediskoName = ui->ustredisko->text();
    r.hash = ui->ludalost->text();
    return r;
}

bool EventPane::loadEvent(int id)
{
    reset();
    if (id <= 0)
        return false;
    EventRecord r;
    bool found = false;
    QString error;
    if (!EventStore::read(id, &r, &found, &error)) {
        Report::readFailed(this, error);
        return false;
    }
    if (!found)
        return false;
    m_eventId = id;
    showRecord(r);
    m_snapshot.take(id, [&r](const QString &column) { return r.stored.value(column.toUpper()); },
                    EventStore::formValues(record(), m_kind == Global));
    if (!m_attachments->load(id, &error)) {
        Report::failed(this, tr("přílohy nelze načíst."), error);
        // Without its list the event's files could be lost on a save.
        ui->wprilohy->setEnabled(false);
    } else {
        ui->wprilohy->setEnabled(true);
    }
    showForm();
    setHasRow(true);
    return true;
}

bool EventPane::saveEvent()
{
    if (m_eventId <= 0)
        return true;
    const FieldValues form = EventStore::formValues(record(), m_kind == Global);
    const QString login = session() ? session()->user.login : QString();
    auto report = [this](const QString &text) { Report::info(this, text); };
    for (;;) {
        QVector<Clash> clashes;
        QString error;
        {
            // The changed fields, the modification time and the attachment
            // changes in one transaction: all of them or nothing.
            DbTransaction tx;
            RowSnapshot::Result result = RowSnapshot::Result::Failed;
            if (tx.isOpen())
                result = m_snapshot.write(form, login, &clashes, &error,
                                          {{QStringLiteral("ts_modifikovano"), QDateTime::currentDateTime()}});
            else
                error = tx.error();
            if (result == RowSnapshot::Result::Deleted) {
                report(tr("Událost mezitím smazal jiný uživatel. Nic nebylo uloženo."));
                return false;
            }
            if (result == RowSnapshot::Result::Saved || result == RowSnapshot::Result::Unchanged) {
                if (m_attachments->save(m_eventId, &error) && tx.commit()) {
                    m_snapshot.committed();
                    break;
                }
                if (error.isEmpty())
                    error = tx.error();
                result = RowSnapshot::Result::Failed;
            }
            if (result == RowSnapshot::Result::Failed) {
                Report::failed(this, tr("událost nelze uložit."), error);
                return false;
            }
        }
        // A colleague saved some of the same fields: the user decides, with
        // nothing locked meanwhile; then the check runs again.
        if (!ClashDialog::resolve(this, &clashes))
            return false;
        m_snapshot.settle(clashes);
    }
    if (session() && session()->api)
        session()->api->sendZRNSync(QString::number(m_eventId), 1);
    if (!finishSave(m_snapshot)) {
        // What is stored now: the attachments get their ids, removed ones go.
        QString ignored;
        m_attachments->load(m_eventId, &ignored);
    }
    return true;
}

void EventPane::showHistory()
{
    if (m_eventId <= 0)
        return;
    HistoryView::showDialog(this, tr("Historie události"), QStringLiteral("tellmark_udalosti"), m_eventId,
                            session() ? session()->user : UserRights());
}

bool EventPane::settle()
{
    if (!isDirty())
        return true;
    if (Report::askToSave(this, tr("Přejete si uložit rozpracovanou událost?")) == Report::Answer::Yes)
        return saveEvent();
    // The dropped edits must not stay on screen as if they were stored: a
    // later save would write them.
    setClean();
    loadEvent(m_eventId);
    return true;
}

void EventPane::choosePersons()
{
    QString codes = ui->uoo->Id();
    const QStringList addresses = session() ? session()->addressees : QStringList();
    if (!DialogAUOOUzivatel::choose(this, tr("Výběr uživatele"), addresses, &codes))
        return;
    ui->uoo->setId(codes);
    ui->uoo->setText(ECiselniky().codesToNames(codes));
    emit changed();
}

Visibility EventPane::visibility() const
{
    return session() ? Visibility::of(session()->user) : Visibility();
}

void EventPane::chooseEnterprise()
{
    if (m_kind == Global && pickInto(this, ui->upodnik, enterprisePickerSpec(QStringLiteral("spodnik"), visibility())))
        emit changed();
}

void EventPane::chooseCentre()
{
    if (m_kind == Global
        && pickInto(this, ui->ustredisko,
                    centrePickerSpec(QStringLiteral("sstredisko"), visibility(), ui->upodnik->Id().toLongLong())))
        emit changed();
}

