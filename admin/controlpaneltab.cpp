#include "admin/controlpaneltab.h"

#include "core/qsmysortfilterproxymodel.h"
#include "ui_controlpaneltab.h"

#include <QHeaderView>
#include <QStandardItemModel>

ControlPanelTab::ControlPanelTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::ControlPanelTab), m_session(session)
{
    ui->setupUi(this);
    m_model = new QStandardItemModel(this);
    m_proxy = new QSMySortFilterProxyModel(this);
    m_proxy->sortMode = QSMySortFilterProxyModel::SortNumeric;
    m_proxy->setSourceModel(m_model);
    ui->tcp->setModel(m_proxy);
    ui->tcp->verticalHeader()->hide();

    connect(ui->add_cp, &QToolButton::clicked, this, &ControlPanelTab::onAddCP);
    connect(ui->edit_cp, &QToolButton::clicked, this, &ControlPanelTab::onEditCP);
    connect(ui->del_cp, &QToolButton::clicked, this, &ControlPanelTab::onDelCP);
}

ControlPanelTab::~ControlPanelTab()
{
    delete ui;
}

QTableView *ControlPanelTab::view() const
{
    return ui->tcp;
}

void ControlPanelTab::onRefreshModelCP(int) {}
void ControlPanelTab::onAddCP() {}
void ControlPanelTab::onEditCP() {}
void ControlPanelTab::onDelCP() {}
