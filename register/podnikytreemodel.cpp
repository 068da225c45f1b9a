#include "register/podnikytreemodel.h"

#include "db/qssql.h"
#include "register/textutil.h"
#include "widgets/qf.h"

#include <QCoreApplication>
#include <QStandardItem>
#include <QStandardItemModel>

namespace {

QDate toDate(const QVariant &v)
{
    if (v.isNull())
        return QDate();
    if (v.type() == QVariant::Date || v.type() == QVariant::DateTime)
        return v.toDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

// Qf::formatDate parses its format on every call; the tree formats two
// dates per row, so the usual format is written directly.
QString dateText(const QDate &date)
{
    static const bool usual = Qf::defaultDateFormat() == QLatin1String("dd.MM.yyyy");
    if (!usual || !date.isValid() || date.year() < 1000 || date.year() > 9999)
        return Qf::formatDate(date);
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    const QChar text[10] = {
        QLatin1Char(char('0' + d / 10)), QLatin1Char(char('0' + d % 10)), QLatin1Char('.'),
        QLatin1Char(char('0' + m / 10)), QLatin1Char(char('0' + m % 10)), QLatin1Char('.'),
        QLatin1Char(char('0' + y / 1000)), QLatin1Char(char('0' + y / 100 % 10)),
        QLatin1Char(char('0' + y / 10 % 10)), QLatin1Char(char('0' + y % 10)),
    };
    return QString(text, 10);
}

QStandardItem *textItem(const QString &text)
{
    return text.isEmpty() ? nullptr : new QStandardItem(text);
}

// Column-0 item with the search key and the ids of the row.
QStandardItem *nameItem(const QString &text, int podnikId, int strediskoId, const QString &podnikName)
{
    auto *item = new QStandardItem(text);
    item->setData(stripDiacritics(text), PtSearchKeyRole);
    item->setData(podnikId, PtPodnikIdRole);
    item->setData(strediskoId, PtStrediskoIdRole);
    item->setData(podnikName, PtPodnikNameRole);
    return item;
}

// Empty cells get no item at all: the model answers them as empty. The
// hidden flag and id columns get items only in a plain standard item model;
// PodnikyTreeModel answers them from the column-0 roles.
QList<QStandardItem *> hiddenCells(bool withItems, bool podnik, int podnikId, int strediskoId)
{
    // A row always spans all columns, so centre rows under an enterprise
    // have the hidden columns too.
    if (!withItems)
        return {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return {nullptr, nullptr,
            new QStandardItem(QStringLiteral("0")),
            new QStandardItem(podnik ? QStringLiteral("1") : QStringLiteral("0")),
            new QStandardItem(podnik ? QStringLiteral("0") : QStringLiteral("1")),
            nullptr,
            podnik ? new QStandardItem(QString::number(podnikId)) : nullptr,
            podnik ? nullptr : new QStandardItem(QString::number(strediskoId))};
}

QList<QStandardItem *> centreCells(QStandardItem *name, const PodnikyTreeRow &r, bool hiddenItems)
{
    QList<QStandardItem *> cells;
    cells.reserve(PtColumnCount);
    cells << name
          << textItem(r.licence)
          << textItem(dateText(r.spusteni))
          << textItem(dateText(r.fakturaceOd))
          << textItem(r.specifikace)
          << textItem(r.obr);
    cells << hiddenCells(hiddenItems, false, r.podnikId, r.strediskoId);
    return cells;
}

QList<QStandardItem *> podnikCells(QStandardItem *name, const PodnikyTreeRow &r, bool hiddenItems)
{
    QList<QStandardItem *> cells;
    cells.reserve(PtColumnCount);
    cells << name << nullptr << nullptr << nullptr << nullptr << textItem(r.obr);
    cells << hiddenCells(hiddenItems, true, r.podnikId, r.strediskoId);
    return cells;
}

void setCell(QStandardItem *name, int column, const QString &text)
{
    QStandardItem *parent = name->parent();
    QStandardItemModel *model = name->model();
    if (!parent && model)
        parent = model->invisibleRootItem();
    if (!parent)
        return;
    if (QStandardItem *cell = parent->child(name->row(), column))
        cell->setText(text);
    else if (!text.isEmpty())
        parent->setChild(name->row(), column, new QStandardItem(text));
}

} // namespace

QString PodnikyTreeCounters::text() const
{
    return QCoreApplication::translate("PodnikyTree", "CELKOVĚ - podniky:") + QLatin1Char(' ')
        + QString::number(podniky) + QLatin1String(", ")
        + QCoreApplication::translate("PodnikyTree", "střediska:") + QLatin1Char(' ')
        + QString::number(strediska)
        + QCoreApplication::translate("PodnikyTree", " | TELLMARK - podniky:") + QLatin1Char(' ')
        + QString::number(licencovanePodniky) + QLatin1String(", ")
        + QCoreApplication::translate("PodnikyTree", "střediska:") + QLatin1Char(' ')
        + QString::number(licencovanaStrediska);
}

QString treeLicenceText(const QVariant &value)
{
    const QString text = value.isNull() ? QString() : value.toString();
    return text == QLatin1String("0") ? QString() : text;
}

void PodnikyTreeBuilder::prepareModel(QStandardItemModel *model)
{
    model->removeRows(0, model->rowCount());
    model->setColumnCount(PtColumnCount);
    const QStringList labels = {
        QCoreApplication::translate("PodnikyTree", "Podnik/Středisko"),
        QCoreApplication::translate("PodnikyTree", "Licence"),
        QCoreApplication::translate("PodnikyTree", "Spustění"),
        QCoreApplication::translate("PodnikyTree", "Fakturace od"),
        QCoreApplication::translate("PodnikyTree", "Spec. AUTO"),
        QCoreApplication::translate("PodnikyTree", "Region"),
        QString(), QString(),
        QStringLiteral("fholding"), QStringLiteral("fpodnik"), QStringLiteral("fstredisko"),
        QStringLiteral("id_holding"), QStringLiteral("id_podnik"), QStringLiteral("id_stredisko"),
    };
    model->setHorizontalHeaderLabels(labels);
}

PodnikyTreeBuilder::PodnikyTreeBuilder(QStandardItemModel *model, bool treeShape)
    : m_model(model), m_tree(treeShape), m_hiddenItems(!dynamic_cast<PodnikyTreeModel *>(model))
{
}

void PodnikyTreeBuilder::addRow(const PodnikyTreeRow &r)
{
    const bool hasCentre = r.strediskoId > 0;
    if (hasCentre && m_strediska.contains(r.strediskoId))
        return; // the same centre again (several linked users)
    if (!m_tree && !hasCentre)
        return; // the flat shape lists centres only

    const bool newPodnik = !m_podniky.contains(r.podnikId) && !m_firstRow.contains(r.podnikId);
    if (newPodnik) {
        ++m_counters.podniky;
        m_lastPodnikLicensed = false;
    }

    if (m_tree) {
        QStandardItem *podnik = m_podniky.value(r.podnikId);
        if (!podnik) {
            podnik = nameItem(r.podnikNazev, r.podnikId, 0, r.podnikNazev);
            m_model->invisibleRootItem()->appendRow(podnikCells(podnik, r, m_hiddenItems));
            m_podniky.insert(r.podnikId, podnik);
        }
        if (hasCentre) {
            QStandardItem *centre = nameItem(r.akceNazev, r.podnikId, r.strediskoId, r.podnikNazev);
            podnik->appendRow(centreCells(centre, r, m_hiddenItems));
            m_strediska.insert(r.strediskoId, centre);
        }
    } else {
        const QString label = r.podnikNazev + QLatin1String(" | ") + r.akceNazev;
        QStandardItem *item = nameItem(label, r.podnikId, r.strediskoId, r.podnikNazev);
        m_model->invisibleRootItem()->appendRow(centreCells(item, r, m_hiddenItems));
        if (hasCentre)
            m_strediska.insert(r.strediskoId, item);
        if (!m_firstRow.contains(r.podnikId))
            m_firstRow.insert(r.podnikId, item);
    }

    if (hasCentre) {
        ++m_counters.strediska;
        if (r.licensed()) {
            ++m_counters.licencovanaStrediska;
            if (!m_lastPodnikLicensed) {
                m_lastPodnikLicensed = true;
                ++m_counters.licencovanePodniky;
            }
        }
    }
}

bool runPodnikyTreeQuery(const TreeQuery &query,
                         const std::function<void(const PodnikyTreeRow &)> &sink,
                         QString *error)
{
    QSSQL q;
    q.prepare(query.sql);
    for (const QVariant &v : query.binds)
        q.addBindValue(v);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    PodnikyTreeRow r;
    while (q.next()) {
        r.podnikId = q.value(TqPodnikId).toInt();
        r.podnikNazev = q.value(TqPodnikNazev).toString();
        r.strediskoId = q.value(TqStrediskoId).toInt();
        r.akceNazev = q.value(TqAkceNazev).toString();
        r.licence = treeLicenceText(q.value(TqLicence));
        r.spusteni = toDate(q.value(TqSpusteni));
        r.fakturaceOd = toDate(q.value(TqFakturaceOd));
        r.specifikace = q.value(TqSpecifikace).toString();
        r.obr = q.value(TqObr).toString();
        sink(r);
    }
    return true;
}

void updatePodnikyTreeCentreRow(QStandardItem *centreItem, const QString &licence, const QDate &start)
{
    if (!centreItem)
        return;
    setCell(centreItem, PtLicence, licence == QLatin1String("0") ? QString() : licence);
    setCell(centreItem, PtSpusteni, dateText(start));
}

void PodnikyTreeModel::beginRebuild()
{
    beginResetModel();
    blockSignals(true);
    removeRows(0, rowCount());
}

void PodnikyTreeModel::endRebuild()
{
    blockSignals(false);
    endResetModel();
}

QVariant PodnikyTreeModel::data(const QModelIndex &index, int role) const
{
    const int column = index.column();
    if (column < PtFHolding || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QStandardItemModel::data(index, role);
    const QModelIndex name = index.siblingAtColumn(PtNazev);
    const int stredisko = QStandardItemModel::data(name, PtStrediskoIdRole).toInt();
    const bool centreRow = stredisko > 0;
    switch (column) {
    case PtFHolding:
        return QStringLiteral("0");
    case PtFPodnik:
        return centreRow ? QStringLiteral("0") : QStringLiteral("1");
    case PtFStredisko:
        return centreRow ? QStringLiteral("1") : QStringLiteral("0");
    case PtIdPodnik:
        return centreRow ? QVariant() : QVariant(QString::number(QStandardItemModel::data(name, PtPodnikIdRole).toInt()));
    case PtIdStredisko:
        return centreRow ? QVariant(QString::number(stredisko)) : QVariant();
    default:
        return QStandardItemModel::data(index, role);
    }
}
