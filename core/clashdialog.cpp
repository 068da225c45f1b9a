#include "core/clashdialog.h"
#include "core/report.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

ClashDialog::Resolver &resolverHook()
{
    static ClashDialog::Resolver r;
    return r;
}

QString shown(const QVariant &value)
{
    const QString text = ChangeHistory::displayText(value);
    return text.isEmpty() ? QObject::tr("(prázdné)") : text;
}

} // namespace

ClashDialog::ClashDialog(const QVector<Clash> &clashes, QWidget *parent) : QDialog(parent), m_clashes(clashes)
{
    setWindowTitle(tr("ZRN"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("Tato pole mezitím uložil(a) jiný uživatel. U každého zvolte, která hodnota "
                                "se uloží; vaše ostatní změny se uloží s nimi."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *area = new QScrollArea(this);
    area->setWidgetResizable(true);
    auto *grid = new QWidget(area);
    auto *g = new QGridLayout(grid);
    g->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(tr("Pole")), grid), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(tr("uložil(a) jiný uživatel")), grid), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(tr("Vaše hodnota")), grid), 0, 2);
    for (int i = 0; i < m_clashes.size(); ++i) {
        const Clash &c = m_clashes.at(i);
        auto *group = new QButtonGroup(this);
        auto *theirs = new QRadioButton(shown(c.theirs), grid);
        auto *mine = new QRadioButton(shown(c.mine), grid);
        theirs->setObjectName(QStringLiteral("theirs_%1").arg(c.column));
        mine->setObjectName(QStringLiteral("mine_%1").arg(c.column));
        group->addButton(theirs, 0);
        group->addButton(mine, 1);
        (c.keepMine ? mine : theirs)->setChecked(true);
        m_groups << group;
        g->addWidget(new QLabel(c.label, grid), i + 1, 0);
        g->addWidget(theirs, i + 1, 1);
        g->addWidget(mine, i + 1, 2);
    }
    g->setRowStretch(m_clashes.size() + 1, 1);
    area->setWidget(grid);
    layout->addWidget(area);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Uložit"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Zpět k úpravám"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QVector<Clash> ClashDialog::choices() const
{
    QVector<Clash> out = m_clashes;
    for (int i = 0; i < out.size(); ++i)
        out[i].keepMine = m_groups.at(i)->checkedId() == 1;
    return out;
}

bool ClashDialog::resolve(QWidget *parent, QVector<Clash> *clashes)
{
    if (resolverHook())
        return resolverHook()(parent, clashes);
    ClashDialog dialog(*clashes, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *clashes = dialog.choices();
    return true;
}

void ClashDialog::setResolver(Resolver resolver)
{
    resolverHook() = std::move(resolver);
}

QString ClashDialog::deletedMessage()
{
    return tr("Záznam mezitím smazal jiný uživatel. Nic nebylo uloženo.");
}

bool ClashDialog::save(QWidget *parent, RowSnapshot *snapshot, const std::function<FieldValues()> &form,
                       const QString &login, const FieldValues &always)
{
    for (;;) {
        QVector<Clash> clashes;
        QString error;
        switch (snapshot->save(form(), login, &clashes, &error, always)) {
        case RowSnapshot::Result::Saved:
        case RowSnapshot::Result::Unchanged:
            return true;
        case RowSnapshot::Result::Deleted:
            Report::info(parent, deletedMessage());
            return false;
        case RowSnapshot::Result::Failed:
            Report::saveFailed(parent, error);
            return false;
        case RowSnapshot::Result::Clashed:
            if (!resolve(parent, &clashes))
                return false;
            // Checked again: a third colleague may have saved meanwhile.
            snapshot->settle(clashes);
            break;
        }
    }
}
