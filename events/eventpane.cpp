#include "events/eventpane.h"

#include "ui_eventpane.h"

#include "events/categories.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qstbtextedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QTimeEdit>

EventPane::EventPane(Kind kind, QWidget *parent)
    : QWidget(parent), ui(new Ui::EventPane), m_kind(kind)
{
    ui->setupUi(this);
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

    m_descriptionBar = new QSTBTextedit(this);
    m_descriptionBar->createTB(ui->TBudalostPopis, ui->udalostPopis, QApplication::font(), false);
    setColourSquares(ui->cbPriorita, priorityColours());
    setColourSquares(ui->cbStav, stateColours());
    fillCategoryCombo(ui->cbKategorie);
    ui->ludalost->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The enterprise's events need no enterprise, centre or place of their own.
    ui->upodnik->setVisible(global);
    ui->ustredisko->setVisible(global);
    ui->label_misto->setVisible(global);
    ui->widget_misto->setVisible(global);

    connectChanges();
    connect(this, &EventPane::changed, this, [this] { ui->udalost_uloz->setEnabled(true); });
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
        for (QComboBox *c : {ui->cbZdroj, ui->cbKategorie, ui->cbPriorita, ui->cbStav, ui->cbSynchronizace})
            c->setCurrentIndex(0);
        for (QCheckBox *c : {ui->cbNotifikace, ui->cbNotifikaceF, ui->cbCesta})
            c->setChecked(false);
        ui->udalostPopis->clear();
        ui->ludalost->clear();
    }
    // The optional rows follow the emptied combos.
    showNotifyFrom(0);
    showCalendar(0);
    ui->wudalost_vyber->show();
    ui->wudalost->hide();
    ui->wheader->hide();
    ui->udalost_uloz->setEnabled(false);
}

void EventPane::showForm()
{
    ui->wudalost_vyber->hide();
    ui->wudalost->show();
    ui->wheader->show();
}

QPushButton *EventPane::saveButton() const { return ui->udalost_uloz; }
QFDateEdit *EventPane::date() const { return ui->ud; }
QTimeEdit *EventPane::time() const { return ui->uc; }
QLineEdit *EventPane::subject() const { return ui->udalostPredmet; }
QLineEdit *EventPane::place() const { return ui->lokalita; }
QLineEdit *EventPane::project() const { return ui->cprojektu; }
QComboBox *EventPane::source() const { return ui->cbZdroj; }
QComboBox *EventPane::category() const { return ui->cbKategorie; }
QComboBox *EventPane::priority() const { return ui->cbPriorita; }
QComboBox *EventPane::state() const { return ui->cbStav; }
QComboBox *EventPane::synchronisation() const { return ui->cbSynchronizace; }
QFEditWithButton *EventPane::persons() const { return ui->uoo; }
QFEditWithButton *EventPane::enterprisePicker() const { return m_kind == Global ? ui->upodnik : nullptr; }
QFEditWithButton *EventPane::centrePicker() const { return m_kind == Global ? ui->ustredisko : nullptr; }
QCheckBox *EventPane::mail() const { return ui->cbNotifikace; }
QCheckBox *EventPane::service() const { return ui->cbNotifikaceF; }
QCheckBox *EventPane::journey() const { return ui->cbCesta; }
QFDateEdit *EventPane::notifyFrom() const { return ui->upozornit; }
QFDateEdit *EventPane::startDate() const { return ui->uzd; }
QTimeEdit *EventPane::startTime() const { return ui->uzc; }
QFDateEdit *EventPane::endDate() const { return ui->ukd; }
QTimeEdit *EventPane::endTime() const { return ui->ukc; }
QTextEdit *EventPane::description() const { return ui->udalostPopis; }
QWidget *EventPane::attachmentsArea() const { return ui->wprilohy; }
