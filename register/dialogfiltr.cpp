#include "register/dialogfiltr.h"
#include "core/report.h"

#include "core/dialogtablelist.h"
#include "core/usersettings.h"
#include "widgets/qfeditwithbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("<b>") + text + QStringLiteral("</b>"), parent);
    return label;
}

bool chooseEnterprises(QWidget *parent, QString *ids)
{
    DialogTableList dlg(parent);
    dlg.restoreSettings(QStringLiteral("vyber_podniku"));
    dlg.setWindowTitle(QObject::tr("Seznam podniků"));
    dlg.setList(QStringLiteral("select id,podnik_nazev from tellmark_podniky"), QStringLiteral("id"), *ids, -1);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    dlg.saveSettings(QStringLiteral("vyber_podniku"));
    if (accepted)
        *ids = dlg.ids();
    return accepted;
}

} // namespace

DialogFiltr::DialogFiltr(QWidget *parent)
    : QDialog(parent), m_chooser(chooseEnterprises)
{
    setObjectName(QStringLiteral("DialogFiltr"));
    setWindowTitle(tr("Filtr"));
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    outer->addLayout(grid);

    // Each list is read even when the other fails.
    QStringList holdings, persons;
    QString holdingError, personError;
    const bool holdingsRead = Filtr::holdingList(&holdings, &holdingError);
    const bool personsRead = Filtr::personList(&persons, &personError);
    if (!holdingsRead || !personsRead) {
        QStringList errors;
        if (!holdingsRead)
            errors << holdingError;
        if (!personsRead && personError != holdingError)
            errors << personError;
        Report::failed(this, tr("Seznam, který nelze načíst, ponechává uloženou volbu."), errors.join(QLatin1Char('\n')));
    }

    // Two columns: the enterprise and sales criteria, the centre criteria.
    grid->addWidget(caption(tr("Podnik"), this), 0, 0, 1, 2);
    m_holding = addList("pholding", tr("Holding"), holdings, 1, 0);
    m_podniky = addBox("ppodniky", tr("Podniky"), 2, 0);
    m_podnikyList = new QFEditWithButton(this);
    m_podnikyList->setObjectName(QStringLiteral("ppodniky_list"));
    m_podnikyList->setTextEditable(false);
    grid->addWidget(m_podnikyList, 2, 1);
    m_ico = addBox("pico", tr("IČO"), 3, 0);
    m_icoText = new QLineEdit(this);
    m_icoText->setObjectName(QStringLiteral("picoe"));
    grid->addWidget(m_icoText, 3, 1);
    m_zeme = addList("pzeme", tr("Země"), Filtr::zemeList(), 4, 0);
    m_region = addBox("pregion", tr("Region"), 5, 0);
    auto *regions = new QHBoxLayout;
    m_st = new QCheckBox(QStringLiteral("ST"), this);
    m_ta = new QCheckBox(QStringLiteral("TA"), this);
    m_li = new QCheckBox(QStringLiteral("LI"), this);
    m_uh = new QCheckBox(QStringLiteral("UH"), this);
    m_tm = new QCheckBox(QStringLiteral("TM"), this);
    for (QCheckBox *b : {m_st, m_ta, m_li, m_uh, m_tm}) {
        b->setObjectName(QStringLiteral("pregion_") + b->text().toLower());
        regions->addWidget(b);
    }
    regions->addStretch();
    grid->addLayout(regions, 5, 1);
    m_chsw = addList("pchsw", tr("Chovatelský SW"), Filtr::chovatelskySwList(), 6, 0);
    m_oo = addList("poo", tr("Odpovědná osoba"), persons, 7, 0);
    m_holding.failed = !holdingsRead;
    m_oo.failed = !personsRead;
    m_dojniceOd = addBox("pdojnice_od", tr("Dojnice od"), 8, 0);
    m_dojniceText = new QLineEdit(this);
    m_dojniceText->setObjectName(QStringLiteral("pdojnice_od_ks"));
    // A number of cows: digits only.
    m_dojniceText->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), this));
    grid->addWidget(m_dojniceText, 8, 1);
    m_poznamka = addBox("ppoznamka", tr("Poznámka"), 9, 0);
    m_poznamkaText = new QLineEdit(this);
    m_poznamkaText->setObjectName(QStringLiteral("ppoznamkae"));
    grid->addWidget(m_poznamkaText, 9, 1);

    grid->addWidget(caption(tr("Obchod"), this), 10, 0, 1, 2);
    m_stavSw = addList("pstavsw", tr("Stav SW"), Filtr::stavSwList(), 11, 0);
    m_stavTech = addList("pstavtech", tr("Stav TECH"), Filtr::stavTechList(), 12, 0);

    grid->addWidget(caption(tr("Středisko"), this), 0, 2, 1, 2);
    m_licence = addBox("slc", tr("Licenční číslo > 0"), 1, 2);
    grid->addWidget(caption(tr("Specifikace"), this), 2, 2, 1, 2);
    m_techSw = addList("sstechsw", tr("Technologický SW"), Filtr::techSwList(), 3, 2);
    m_dojirna = addList("ssdoj", tr("Dojírna"), Filtr::dojirnaList(), 4, 2);
    m_aktivita = addList("ssakt", tr("Aktivita"), Filtr::aktivitaList(), 5, 2);
    m_reprodukce = addList("srep", tr("Reprodukce"), Filtr::reprodukceList(), 6, 2);
    m_negace = addBox("negace", tr("Negace"), 8, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(13, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_podnikyList, &QFEditWithButton::buttonClicked, this, &DialogFiltr::vyber_podniku);

    ZrnSettings s;
    setState(Filtr::State::load(s));
}

DialogFiltr::Row DialogFiltr::addList(const char *box, const QString &text, const QStringList &entries, int row, int column)
{
    Row r;
    r.box = addBox(box, text, row, column);
    r.combo = new QComboBox(this);
    r.combo->setObjectName(QLatin1String(box) + QStringLiteral("_cb"));
    r.combo->addItems(entries);
    static_cast<QGridLayout *>(layout()->itemAt(0)->layout())->addWidget(r.combo, row, column + 1);
    return r;
}

QCheckBox *DialogFiltr::addBox(const char *name, const QString &text, int row, int column)
{
    auto *box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    static_cast<QGridLayout *>(layout()->itemAt(0)->layout())->addWidget(box, row, column);
    return box;
}

Filtr::ListChoice DialogFiltr::choice(const Row &row)
{
    if (row.failed) {
        Filtr::ListChoice c = row.kept;
        c.on = row.box->isChecked();
        return c;
    }
    return {row.box->isChecked(), row.combo->currentIndex(), row.combo->currentText()};
}

void DialogFiltr::setChoice(Row &row, const Filtr::ListChoice &c)
{
    row.box->setChecked(c.on);
    if (row.failed) {
        // Shows what is stored; "Neurčeno" would be a choice of its own.
        row.kept = c;
        row.combo->clear();
        row.combo->addItem(!c.entry.isEmpty() ? c.entry : c.index == 0 ? tr("Neurčeno") : QString());
        row.combo->setEnabled(false);
        return;
    }
    // The stored entry wins over its index: a list filled from the database
    // may have gained or lost entries since.
    int index = c.entry.isEmpty() ? -1 : row.combo->findText(c.entry);
    if (index < 0)
        index = c.index >= 0 && c.index < row.combo->count() ? c.index : 0;
    row.combo->setCurrentIndex(index);
}

Filtr::State DialogFiltr::state() const
{
    Filtr::State st;
    st.holding = choice(m_holding);
    st.podniky = m_podniky->isChecked();
    st.podnikyIds = Filtr::cleanIds(m_podnikyList->Id());
    st.ico = m_ico->isChecked();
    st.icoText = m_icoText->text();
    st.zeme = choice(m_zeme);
    st.region = m_region->isChecked();
    st.regionSt = m_st->isChecked();
    st.regionTa = m_ta->isChecked();
    st.regionLi = m_li->isChecked();
    st.regionUh = m_uh->isChecked();
    st.regionTm = m_tm->isChecked();
    st.chsw = choice(m_chsw);
    st.oo = choice(m_oo);
    st.dojniceOd = m_dojniceOd->isChecked();
    st.dojniceText = m_dojniceText->text();
    st.poznamka = m_poznamka->isChecked();
    st.poznamkaText = m_poznamkaText->text();
    st.stavSw = choice(m_stavSw);
    st.stavTech = choice(m_stavTech);
    st.licence = m_licence->isChecked();
    st.techSw = choice(m_techSw);
    st.dojirna = choice(m_dojirna);
    st.aktivita = choice(m_aktivita);
    st.reprodukce = choice(m_reprodukce);
    st.negace = m_negace->isChecked();
    return st;
}

void DialogFiltr::setState(const Filtr::State &st)
{
    setChoice(m_holding, st.holding);
    m_podniky->setChecked(st.podniky);
    m_podnikyList->setId(Filtr::cleanIds(st.podnikyIds));
    m_podnikyList->setText(Filtr::podnikyText(st.podnikyIds));
    m_ico->setChecked(st.ico);
    m_icoText->setText(st.icoText);
    setChoice(m_zeme, st.zeme);
    m_region->setChecked(st.region);
    m_st->setChecked(st.regionSt);
    m_ta->setChecked(st.regionTa);
    m_li->setChecked(st.regionLi);
    m_uh->setChecked(st.regionUh);
    m_tm->setChecked(st.regionTm);
    setChoice(m_chsw, st.chsw);
    setChoice(m_oo, st.oo);
    m_dojniceOd->setChecked(st.dojniceOd);
    // Only digits reach the field (a stored "0 or 1=1" does not).
    bool digits = !st.dojniceText.trimmed().isEmpty();
    for (const QChar c : st.dojniceText.trimmed())
        digits = digits && c.isDigit() && c.unicode() <= '9';
    m_dojniceText->setText(digits ? QString::number(st.dojniceText.trimmed().toLongLong()) : QString());
    m_poznamka->setChecked(st.poznamka);
    m_poznamkaText->setText(st.poznamkaText);
    setChoice(m_stavSw, st.stavSw);
    setChoice(m_stavTech, st.stavTech);
    m_licence->setChecked(st.licence);
    setChoice(m_techSw, st.techSw);
    setChoice(m_dojirna, st.dojirna);
    setChoice(m_aktivita, st.aktivita);
    setChoice(m_reprodukce, st.reprodukce);
    m_negace->setChecked(st.negace);
}

void DialogFiltr::saveState() const
{
    ZrnSettings s;
    state().save(s);
}

void DialogFiltr::setListChooser(ListChooser chooser)
{
    m_chooser = chooser ? std::move(chooser) : ListChooser(chooseEnterprises);
}

void DialogFiltr::vyber_podniku()
{
    QString ids = m_podnikyList->Id();
    if (!m_chooser(this, &ids))
        return;
    m_podnikyList->setId(Filtr::cleanIds(ids));
    m_podnikyList->setText(Filtr::podnikyText(ids));
}
