#include "app/udalostitab.h"

#include "app/categories.h"
#include "app/session.h"
#include "register/qsmysortfilterproxymodel.h"
#include "ui_udalostitab.h"
#include "widgets/qstbtextedit.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>

UdalostiTab::UdalostiTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::UdalostiTab), m_session(session)
{
    ui->setupUi(this);

    m_popisToolbar = new QSTBTextedit(this);
    m_popisToolbar->createTB(ui->TBudalostSPopis, ui->udalostSPopis, QApplication::font(), false);

    setColourSquares(ui->cbSPriorita, priorityColours());
    setColourSquares(ui->cbSStav, stateColours());
    ui->lsudalost->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fillCategoryCombo(ui->cbSKategorie);

    m_model = new QStandardItemModel(0, ColumnCount, this);
    m_model->setHorizontalHeaderLabels(
        {tr("Podnik/Středisko/Lokalita"), tr("Předmět"), tr("Datum/z."), tr("Datum/k."), tr("Zd."),
         tr("Kat."), tr("St."), tr("Pr."), tr("OO"), tr("Syn"), tr("C"), tr("Hash"), tr("ID"),
         tr("ID parent"), tr("id_podnik"), tr("id_stredisko")});
    m_proxy = new QSMySortFilterProxyModel(this);
    m_proxy->setRecursiveFilteringEnabled(true);
    m_proxy->setSourceModel(m_model);
    ui->treeViewSUdalosti->setModel(m_proxy);
    for (int c = ColId; c < ColumnCount; ++c)
        ui->treeViewSUdalosti->setColumnHidden(c, true);

    // Until a saved layout says otherwise: the pane gets two fifths.
    ui->splitter_4->setStretchFactor(0, 3);
    ui->splitter_4->setStretchFactor(1, 2);
    ui->splitter_8->setStretchFactor(0, 4);
    ui->splitter_8->setStretchFactor(1, 1);

    ui->sudalost_uloz->setEnabled(false);
    ui->wsudalost->hide();
    // Shown only when the state and synchronisation combos ask for them.
    for (QWidget *w : {static_cast<QWidget *>(ui->lupozornit), static_cast<QWidget *>(ui->supozornit),
                       static_cast<QWidget *>(ui->lzacatek), static_cast<QWidget *>(ui->lkonec),
                       ui->szacatek, ui->skonec})
        w->hide();

    wire();
}

UdalostiTab::~UdalostiTab()
{
    delete ui;
}

void UdalostiTab::wire()
{
    auto *view = ui->treeViewSUdalosti;
    connect(ui->ufilter, &QLineEdit::textChanged, this, &UdalostiTab::onUFilter);
    connect(view->header(), &QHeaderView::sortIndicatorChanged, this, &UdalostiTab::onUFilterReset);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &UdalostiTab::onRowSUdalostiChanged);
    connect(view, &QTreeView::doubleClicked, this, &UdalostiTab::tableViewSUdalostiDoubleClicked);
    connect(ui->sucollapse, &QToolButton::clicked, this, &UdalostiTab::onSUCollapse);
    connect(ui->suexpand, &QToolButton::clicked, this, &UdalostiTab::onSUExpand);
    connect(ui->nedokoncene, &QToolButton::toggled, this,
            qOverload<>(&UdalostiTab::onRefreshModelSUdalosti));
    connect(ui->skategorie, &QToolButton::clicked, this, &UdalostiTab::onSKategorie);
    connect(ui->oo, &QToolButton::clicked, this, &UdalostiTab::onOO);
    connect(ui->tbSUAdd, &QToolButton::clicked, this, &UdalostiTab::onAddSUdalost);
    connect(ui->tbSUAddReplay, &QToolButton::clicked, this, &UdalostiTab::onAddSUdalostReplay);
    connect(ui->tbSUdel, &QToolButton::clicked, this, &UdalostiTab::onDelSUdalost);
    connect(ui->tbSRefresh, &QToolButton::clicked, this, &UdalostiTab::onRefreshSUdalost);

    connect(ui->cbSStav, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &UdalostiTab::onSUdalostShowWidgetNotifyFrom);
    connect(ui->cbSSynchronizace, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &UdalostiTab::onSUdalostShowWidgetCalendar);
    connect(ui->soo, &QFEditWithButton::buttonClicked, this, &UdalostiTab::onSelectSOO);
    connect(ui->spodnik, &QFEditWithButton::buttonClicked, this, &UdalostiTab::selectSPodnik);
    connect(ui->sstredisko, &QFEditWithButton::buttonClicked, this, &UdalostiTab::selectSStredisko);
    connect(ui->sudalost_uloz, &QPushButton::clicked, this, &UdalostiTab::onSUdalostSave);

    // Every field change makes the pane dirty.
    for (QDateTimeEdit *t : {ui->sc, ui->szc, ui->skc})
        connect(t, &QDateTimeEdit::timeChanged, this, &UdalostiTab::onSUdalostChanged);
    for (QFDateEdit *d : {ui->sd, ui->supozornit, ui->szd, ui->skd})
        connect(d, &QFDateEdit::dateChanged, this, &UdalostiTab::onSUdalostChanged);
    for (QLineEdit *e : {ui->udalostSPredmet, ui->slokalita, ui->scprojektu})
        connect(e, &QLineEdit::textChanged, this, &UdalostiTab::onSUdalostChanged);
    for (QFEditWithButton *e : {ui->spodnik, ui->sstredisko, ui->soo})
        connect(e, &QFEditWithButton::textChanged, this, &UdalostiTab::onSUdalostChanged);
    for (QComboBox *c : {ui->cbSZdroj, ui->cbSKategorie, ui->cbSPriorita, ui->cbSStav, ui->cbSSynchronizace})
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, &UdalostiTab::onSUdalostChanged);
    for (QCheckBox *c : {ui->cbSNotifikace, ui->cbSNotifikaceF, ui->cbSCesta})
        connect(c, &QCheckBox::stateChanged, this, &UdalostiTab::onSUdalostChanged);
    connect(ui->udalostSPopis, &QTextEdit::textChanged, this, &UdalostiTab::onSUdalostChanged);
}

QTreeView *UdalostiTab::view() const
{
    return ui->treeViewSUdalosti;
}

bool UdalostiTab::nedokoncene() const
{
    return ui->nedokoncene->isChecked();
}

void UdalostiTab::setNedokoncene(bool on)
{
    const QSignalBlocker blocker(ui->nedokoncene);
    ui->nedokoncene->setChecked(on);
}

void UdalostiTab::applyRights(const UserRights &user)
{
    // Users who see only their own events cannot choose persons.
    if (user.udalosti == 1)
        ui->oo->hide();
}

void UdalostiTab::onRefreshModelSUdalosti(int) {}
void UdalostiTab::onRefreshModelSUdalosti() {}
void UdalostiTab::onRefreshSUdalost() {}

void UdalostiTab::onSUCollapse()
{
    ui->treeViewSUdalosti->collapseAll();
}

void UdalostiTab::onSUExpand()
{
    ui->treeViewSUdalosti->expandAll();
}

void UdalostiTab::onUFilter(const QString &) {}
void UdalostiTab::onUFilterReset() {}
void UdalostiTab::onSKategorie() {}
void UdalostiTab::onOO() {}
void UdalostiTab::onRowSUdalostiChanged(const QModelIndex &) {}
void UdalostiTab::tableViewSUdalostiDoubleClicked(const QModelIndex &) {}

void UdalostiTab::onSUdalostChanged()
{
    ui->sudalost_uloz->setEnabled(true);
}

void UdalostiTab::onSUdalostShowWidgetNotifyFrom(int state)
{
    // "Nedokončené od" matters only while the event is reported or in progress.
    const bool open = state == 1 || state == 2;
    ui->lupozornit->setVisible(open);
    ui->supozornit->setVisible(open);
}

void UdalostiTab::onSUdalostShowWidgetCalendar(int synchronisation)
{
    const bool labels = synchronisation == 1 || synchronisation == 2;
    ui->lzacatek->setVisible(labels);
    ui->lkonec->setVisible(labels);
    ui->szacatek->setVisible(synchronisation == 1);
    ui->skonec->setVisible(synchronisation == 1);
}

void UdalostiTab::onSelectSOO() {}
void UdalostiTab::selectSPodnik() {}
void UdalostiTab::selectSStredisko() {}
void UdalostiTab::onSUdalostSave() {}
void UdalostiTab::onAddSUdalost() {}
void UdalostiTab::onAddSUdalostReplay() {}
void UdalostiTab::onDelSUdalost() {}
