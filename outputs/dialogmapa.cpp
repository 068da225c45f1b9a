#include "outputs/dialogmapa.h"

#include "outputs/mapdocument.h"

#include "ui_dialogmapa.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

DialogMapa::DialogMapa(QWidget *parent, int rule) : QDialog(parent), ui(new Ui::DialogMapa)
{
    ui->setupUi(this);
    ui->barveni->addItems(MapDocument::ruleNames());
    if (rule >= 0 && rule < ui->barveni->count())
        ui->barveni->setCurrentIndex(rule);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogMapa::~DialogMapa()
{
    delete ui;
}

int DialogMapa::rule() const
{
    return ui->barveni->currentIndex();
}

DialogMapaExport::DialogMapaExport(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("DialogMapa", "Nastavení exportu"));
    auto *form = new QFormLayout;
    m_mapa = new QComboBox(this);
    m_mapa->setObjectName(QStringLiteral("mapa"));
    m_mapa->addItems({QCoreApplication::translate("DialogMapa", "Česká republika"), QCoreApplication::translate("DialogMapa", "Dle bodu")});
    m_papir = new QComboBox(this);
    m_papir->setObjectName(QStringLiteral("papir"));
    m_papir->addItems({QStringLiteral("A4"), QStringLiteral("A3"), QStringLiteral("A2"), QStringLiteral("A1"),
                       QStringLiteral("A0")});
    m_dpi = new QComboBox(this);
    m_dpi->setObjectName(QStringLiteral("dpi"));
    m_dpi->addItems({QStringLiteral("300"), QStringLiteral("600")});
    form->addRow(QCoreApplication::translate("DialogMapa", "Mapa"), m_mapa);
    form->addRow(QCoreApplication::translate("DialogMapa", "Velikost papíru"), m_papir);
    form->addRow(QStringLiteral("DPI"), m_dpi);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void DialogMapaExport::getValues(int *mapa, QString *paper, int *dpi) const
{
    *mapa = m_mapa->currentIndex();
    *paper = m_papir->currentText().toLower();
    *dpi = m_dpi->currentText().toInt();
}
