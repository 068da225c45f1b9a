#include "outputs/fakturacetab.h"

#include "core/session.h"
#include "core/usersettings.h"
#include "core/viewstate.h"
#include "outputs/dialogcsvform.h"
#include "widgets/qfdateedit.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

#include <limits>

using namespace FakturaceStore;

namespace {

// Column widths and sort of the table, as the other lists keep theirs.
const QString ViewPrefix = QStringLiteral("tableFakturace");

constexpr int SortRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;

bool askSystemPrinter(QPrinter *printer, QWidget *parent)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

// What the column sorts by: dates and numbers as such, texts as shown.
QVariant sortKey(const Contract &c, int column)
{
    switch (column) {
    case From: return c.from.isValid() ? c.from.toJulianDay() : std::numeric_limits<qint64>::min();
    case SignedOn: return c.signedOn.isValid() ? c.signedOn.toJulianDay() : std::numeric_limits<qint64>::min();
    case Amount: return c.amount.isNull() ? std::numeric_limits<double>::lowest() : c.amount.toDouble();
    case Discount: return c.discount.isNull() ? std::numeric_limits<double>::lowest() : c.discount.toDouble();
    case DiscountMonths:
        return c.discountMonths.isNull() ? std::numeric_limits<double>::lowest() : c.discountMonths.toDouble();
    default: return text(c, column);
    }
}

} // namespace

FakturaceTab::FakturaceTab(Session *session, QWidget *parent)
    : ZrnTab(parent), m_session(session), m_chooser(askSystemPrinter)
{
    setObjectName(QStringLiteral("fakturaceTab"));
    m_state = new QComboBox(this);
    m_state->setObjectName(QStringLiteral("fakturace_stav"));
    m_state->addItems({tr("Všechny smlouvy"), tr("Podepsané"), tr("Nepodepsané")});
    m_from = new QFDateEdit(this);
    m_from->setObjectName(QStringLiteral("fakturace_od"));
    m_to = new QFDateEdit(this);
    m_to->setObjectName(QStringLiteral("fakturace_do"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("fakturace_filtr"));
    m_text->setPlaceholderText(tr("Hledat"));
    m_text->setClearButtonEnabled(true);
    auto *refreshButton = new QPushButton(tr("Obnovit"), this);
    refreshButton->setObjectName(QStringLiteral("fakturace_obnovit"));
    auto *exportButton = new QPushButton(tr("Export CSV"), this);
    exportButton->setObjectName(QStringLiteral("fakturace_export"));
    auto *printButton = new QPushButton(tr("Tisk"), this);
    printButton->setObjectName(QStringLiteral("fakturace_tisk"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_state);
    bar->addWidget(new QLabel(tr("Fakturovat od"), this));
    bar->addWidget(m_from);
    bar->addWidget(new QLabel(tr("do"), this));
    bar->addWidget(m_to);
    bar->addWidget(m_text, 1);
    bar->addWidget(refreshButton);
    bar->addWidget(exportButton);
    bar->addWidget(printButton);

    m_model = new QStandardItemModel(0, ColumnCount, this);
    m_model->setHorizontalHeaderLabels(titles());
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(SortRole);
    m_proxy->setSortLocaleAware(true);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("tableViewFakturace"));
    m_view->setModel(m_proxy);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(-1, Qt::AscendingOrder);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);

    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("fakturace_soucty"));
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_totals);

    connect(m_state, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { refresh(); });
    connect(m_from, &QFDateEdit::dateChanged, this, [this] { refresh(); });
    connect(m_to, &QFDateEdit::dateChanged, this, [this] { refresh(); });
    connect(m_text, &QLineEdit::textChanged, this, [this] { fill(); });
    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(exportButton, &QPushButton::clicked, this, &FakturaceTab::onExport);
    connect(printButton, &QPushButton::clicked, this, &FakturaceTab::onPrint);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        const int row = m_proxy->mapToSource(index).row();
        const int at = m_model->index(row, 0).data(IndexRole).toInt();
        if (row >= 0 && at >= 0 && at < m_all.size()) {
            emit enterpriseRequested(m_all.at(at).id);
            // The enterprise's page in the register (the quick filter gives way).
            emit rowRequested({m_all.at(at).id, QVariant(), QStringLiteral("tab_podnik"), RowRequest::Way::Reveal});
        }
    });
}

FakturaceTab::~FakturaceTab()
{
    // A table never filled keeps the stored widths and sort.
    if (m_sized) {
        ZrnSettings settings;
        saveViewState(settings, ViewPrefix, m_view->horizontalHeader());
    }
}

Filter FakturaceTab::filter() const
{
    Filter f;
    f.state = m_state->currentIndex() == 1 ? Signed::SignedOnly
        : m_state->currentIndex() == 2    ? Signed::UnsignedOnly
                                          : Signed::All;
    f.from = m_from->date();
    f.to = m_to->date();
    f.text = m_text->text();
    return f;
}

void FakturaceTab::refresh()
{
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = read(m_session ? Visibility::of(m_session->user) : Visibility(), filter(), &m_all, &error);
    QApplication::restoreOverrideCursor();
    fill();
    if (!ok)
        QMessageBox::warning(this, tr("Fakturace"), tr("Smlouvy nelze načíst:\n%1").arg(error));
}

void FakturaceTab::fill()
{
    const QString needle = m_text->text();
    m_model->removeRows(0, m_model->rowCount());
    QList<Contract> shown;
    for (int i = 0; i < m_all.size(); ++i) {
        const Contract &c = m_all.at(i);
        if (!matches(c, needle))
            continue;
        shown << c;
        QList<QStandardItem *> items;
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QStandardItem(shownText(c, column));
            item->setData(sortKey(c, column), SortRole);
            if (column == Amount || column == Discount || column == DiscountMonths)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        items.first()->setData(i, IndexRole);
        m_model->appendRow(items);
    }
    if (m_proxy->sortColumn() >= 0)
        m_proxy->sort(m_proxy->sortColumn(), m_proxy->sortOrder());
    const QString sums = totalsText(totals(shown));
    m_totals->setText(tr("Smluv: %1").arg(shown.size())
                      + (sums.isEmpty() ? QString() : QStringLiteral("   ") + tr("Součty částek za rok: %1").arg(sums)));
    // Sized to the contents once, or as the user left them; later the
    // user's widths stay.
    if (!m_sized && m_model->rowCount() > 0) {
        m_sized = true;
        m_view->resizeColumnsToContents();
        ZrnSettings settings;
        restoreViewState(settings, ViewPrefix, m_view->horizontalHeader());
    }
}

QList<Contract> FakturaceTab::shownContracts() const
{
    QList<Contract> out;
    for (int r = 0; r < m_proxy->rowCount(); ++r) {
        const int at = m_proxy->index(r, 0).data(IndexRole).toInt();
        if (at >= 0 && at < m_all.size())
            out << m_all.at(at);
    }
    return out;
}

QString FakturaceTab::filterDescription() const
{
    QStringList parts{m_state->currentText()};
    const Filter f = filter();
    if (f.from.isValid() || f.to.isValid())
        parts << tr("fakturovat od %1 do %2")
                     .arg(f.from.isValid() ? f.from.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("…"),
                          f.to.isValid() ? f.to.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("…"));
    if (!f.text.trimmed().isEmpty())
        parts << tr("hledáno „%1“").arg(f.text.trimmed());
    return parts.join(QStringLiteral(", "));
}

void FakturaceTab::onExport()
{
    const QList<Contract> contracts = shownContracts();
    const QString title = tr("Export");
    if (contracts.isEmpty()) {
        QMessageBox::information(this, title, tr("Tabulka nezobrazuje žádnou smlouvu, není co exportovat."));
        return;
    }
    // The enterprise export's choices, in the same folder, under a name of its own.
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir())
        desktop = QDir::homePath();
    const CsvExport::StoredChoices stored = CsvExport::StoredChoices::load(desktop);
    const QString folder = QFileInfo(stored.fileName).absolutePath();
    DialogCSVForm dialog(this);
    dialog.setValues(QDir(QFileInfo(folder).isDir() ? folder : desktop).filePath(QStringLiteral("smlouvy.csv")),
                     stored.withHeader, stored.separator, stored.dateFormat, stored.codec);
    dialog.setAcceptCheck([&] {
        QString fileName, separator;
        CsvExport::CsvOptions o;
        dialog.getValues(&fileName, &o.withHeader, &separator, &o.dateFormat, &o.codec);
        o.separator = separator.isEmpty() ? QLatin1Char(';') : separator.at(0);
        QStringList lossy;
        QByteArray bytes = csv(contracts, o, &lossy);
        if (!lossy.isEmpty()) {
            const QString question =
                tr("Tyto hodnoty nelze zapsat v kódování Windows-1250 (v souboru by z nich byly otazníky):\n\n%1\n\n"
                   "Uložit soubor v kódování UTF-8?")
                    .arg(lossy.mid(0, 10).join(QLatin1Char('\n')));
            if (QMessageBox::question(&dialog, tr("Otázka"), question, QMessageBox::Yes | QMessageBox::No,
                                      QMessageBox::Yes)
                != QMessageBox::Yes)
                return false;
            o.codec = CsvExport::CodecUtf8;
            bytes = csv(contracts, o);
        }
        QString error;
        const QString where = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
        if (!CsvExport::writeFile(fileName, bytes, &error)) {
            QMessageBox::warning(&dialog, title, tr("Soubor „%1“ nelze zapsat:\n%2").arg(where, error));
            return false;
        }
        const int n = contracts.size();
        const QString count = n == 1 ? tr("1 smlouvu") : n >= 2 && n <= 4 ? tr("%1 smlouvy").arg(n) : tr("%1 smluv").arg(n);
        QMessageBox::information(&dialog, title, tr("Export je hotový: soubor „%1“ obsahuje %2.").arg(where, count));
        return true;
    });
    dialog.exec();
}

void FakturaceTab::onPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!m_chooser || !m_chooser(&printer, this))
        return;
    QTextDocument document;
    document.setHtml(html(shownContracts(), filterDescription()));
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        QMessageBox::warning(this, tr("Tisk"), tr("Smlouvy se nepodařilo vytisknout. Zkontrolujte tiskárnu, případně "
                                                  "cílový soubor, a zkuste to znovu."));
}

bool FakturaceTab::allowedFor(const UserRights &user) const
{
    return user.hasInvoicingTab();
}
