#include "admin/uzivateletab.h"

#include "core/qsmysortfilterproxymodel.h"
#include "ui_uzivateletab.h"

#include <QHeaderView>
#include <QStandardItemModel>

UzivateleTab::UzivateleTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::UzivateleTab), m_session(session)
{
    ui->setupUi(this);
    m_model = new QStandardItemModel(this);
    m_proxy = new QSMySortFilterProxyModel(this);
    m_proxy->sortMode = QSMySortFilterProxyModel::SortNumeric;
    m_proxy->setSourceModel(m_model);
    ui->twu->setModel(m_proxy);
    ui->twu->verticalHeader()->hide();

    connect(ui->add_uzivatel, &QToolButton::clicked, this, &UzivateleTab::onAddUzivatel);
    connect(ui->edit_uzivatel, &QToolButton::clicked, this, &UzivateleTab::onEditUzivatel);
    connect(ui->del_uzivatel, &QToolButton::clicked, this, &UzivateleTab::onDelUzivatel);
    connect(ui->servis_import_podniku, &QPushButton::clicked, this, &UzivateleTab::onServisImportPodniku);
    connect(ui->servis_import_ku, &QPushButton::clicked, this, &UzivateleTab::onServisImportKU);
    connect(ui->servis_import_ch6, &QPushButton::clicked, this, &UzivateleTab::onServisImportCh6);
    connect(ui->servis_ares_kontrola, &QPushButton::clicked, this, &UzivateleTab::onServisAresKontrola);
    connect(ui->servis_plemko_uzivatele, &QPushButton::clicked, this, &UzivateleTab::onServisPlemkoUzivatele);
}

UzivateleTab::~UzivateleTab()
{
    delete ui;
}

QTableView *UzivateleTab::view() const
{
    return ui->twu;
}

void UzivateleTab::onRefreshModelAccess(int) {}
void UzivateleTab::onAddUzivatel() {}
void UzivateleTab::onEditUzivatel() {}
void UzivateleTab::onDelUzivatel() {}
void UzivateleTab::onServisImportPodniku() {}
void UzivateleTab::onServisImportKU() {}
void UzivateleTab::onServisImportCh6() {}
void UzivateleTab::onServisAresKontrola() {}
void UzivateleTab::onServisPlemkoUzivatele() {}
