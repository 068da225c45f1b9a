#include "register/specifikacepage.h"

#include "ui_specifikacepage.h"

#include "core/session.h"
#include "db/qssql.h"
#include "core/centrerecord.h"
#include "core/columnvalues.h"
#include "core/richtext.h"
#include "register/specifikace.h"
#include "widgets/qfdateedit.h"
#include "widgets/qstbtextedit.h"

#include <QHash>

struct SpecifikacePage::Fields {
    QHash<QString, QComboBox *> combos;
    QHash<QString, QFDateEdit *> dates;
    QHash<QString, QLineEdit *> notes;
};

SpecifikacePage::SpecifikacePage(Session *session, QWidget *parent)
    : CentrePage(session, parent), ui(new Ui::SpecifikacePage), f(new Fields),
      m_snapshot(QStringLiteral("tellmark_strediska"))
{
    ui->setupUi(this);
    splitFormAndNotes(ui->splitter_6);
    setObjectName(QStringLiteral("tab_specifikace"));
    setWindowTitle(tr("Specifikace"));

    auto *tb = new QSTBTextedit(this);
    tb->createTB(ui->specifikace_poznamky_box, ui->spoznamka, font(), false);

    // The form names every field after its column in small letters.
    auto addCombo = [this](const QString &column) {
        auto *cb = findChild<QComboBox *>(column.toLower());
        Q_ASSERT(cb);
        cb->addItems(Specifikace::codeList(column));
        f->combos.insert(column, cb);
        connect(cb, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &SpecifikacePage::onStrediskoSpecifikaceChanged);
    };
    for (const Specifikace::Row &row : Specifikace::rows()) {
        if (row.kind == Specifikace::Kind::CodeList) {
            addCombo(row.column);
        } else if (row.kind == Specifikace::Kind::Date) {
            auto *de = findChild<QFDateEdit *>(row.column.toLower());
            Q_ASSERT(de);
            f->dates.insert(row.column, de);
            connect(de, &QFDateEdit::dateChanged, this, &SpecifikacePage::onStrediskoSpecifikaceChanged);
        }
        if (!row.second.isEmpty())
            addCombo(row.second);
        auto *note = findChild<QLineEdit *>(row.note.toLower());
        Q_ASSERT(note);
        f->notes.insert(row.note, note);
        connect(note, &QLineEdit::textChanged, this, &SpecifikacePage::onStrediskoSpecifikaceChanged);
    }
    narrowCodeLists(ui->specifikace_grid_widget);
    // The history and the clash dialog name each column by its row.
    const QHash<QString, QString> seconds = {{QStringLiteral("SDOJPR"), tr("propojení")},
                                             {QStringLiteral("SIDT"), tr("umístění")},
                                             {QStringLiteral("SPAT"), tr("umístění")},
                                             {QStringLiteral("SVAZENIV"), tr("výrobce vah")},
                                             {QStringLiteral("SKVSW"), tr("software")}};
    QVector<ColumnLabel> labels;
    for (const Specifikace::Row &row : Specifikace::rows()) {
        if (!row.column.isEmpty())
            labels.append({row.column, row.label});
        if (!row.second.isEmpty())
            labels.append({row.second, row.label + QStringLiteral(" (") + seconds.value(row.second) + QLatin1Char(')')});
        labels.append({row.note, row.label + tr(" (poznámka)")});
    }
    labels.append({Specifikace::NotesColumn, tr("Poznámky specifikace")});
    ChangeHistory::describe(QStringLiteral("tellmark_strediska"), labels);

    connect(ui->spoznamka, &QTextEdit::textChanged, this, &SpecifikacePage::onStrediskoSpecifikaceChanged);
    connect(ui->specifikace_uloz, &QPushButton::clicked, this, &SpecifikacePage::onStrediskoSpecifikaceSave);
    setSaveButton(ui->specifikace_uloz);
    setEditorAreas({ui->specifikace_grid_widget, ui->specifikace_poznamky_box});
    setHasRow(false);
}

SpecifikacePage::~SpecifikacePage()
{
    delete f;
    delete ui;
}

QComboBox *SpecifikacePage::comboFor(const QString &column) const { return f->combos.value(column.toUpper()); }
QLineEdit *SpecifikacePage::noteFor(const QString &column) const { return f->notes.value(column.toUpper()); }
QFDateEdit *SpecifikacePage::dateFor(const QString &column) const { return f->dates.value(column.toUpper()); }

void SpecifikacePage::loadFrom(const CentreRecord &record)
{
    beginFill();
    m_centreId = record.value("id");
    for (auto it = f->combos.cbegin(); it != f->combos.cend(); ++it) {
        const QVariant stored = record.value(it.key());
        it.value()->setCurrentIndex(ColumnValues::codeListIndex(Specifikace::codeList(it.key()), stored));
    }
    for (auto it = f->dates.cbegin(); it != f->dates.cend(); ++it)
        it.value()->setDate(ColumnValues::storedDate(record.value(it.key())));
    for (auto it = f->notes.cbegin(); it != f->notes.cend(); ++it)
        it.value()->setText(record.text(it.key()));
    ui->spoznamka->setText(richTextFromStorage(record.value(Specifikace::NotesColumn)));
    m_snapshot.take(m_centreId, [&record](const QString &column) { return record.value(column); },
                    formValues(), Specifikace::codeListColumns());
    endFill();
    setHasRow(true);
}

void SpecifikacePage::clear()
{
    beginFill();
    m_centreId = QVariant();
    m_snapshot.reset();
    for (QComboBox *cb : qAsConst(f->combos))
        cb->setCurrentIndex(0);
    for (QFDateEdit *de : qAsConst(f->dates))
        de->setDate(QDate());
    for (QLineEdit *e : qAsConst(f->notes))
        e->clear();
    ui->spoznamka->clear();
    endFill();
    setHasRow(false);
}

void SpecifikacePage::onStrediskoSpecifikaceChanged()
{
    markChanged();
}

FieldValues SpecifikacePage::formValues() const
{
    FieldValues values;
    for (const QString &column : Specifikace::columns()) {
        QVariant v;
        if (column.compare(Specifikace::NotesColumn, Qt::CaseInsensitive) == 0)
            v = richTextForStorage(ui->spoznamka->toHtml());
        else if (QComboBox *cb = comboFor(column))
            v = ColumnValues::codeListEntry(Specifikace::codeList(column), cb->currentIndex());
        else if (QFDateEdit *de = dateFor(column))
            v = ColumnValues::date(de->date());
        else if (QLineEdit *e = noteFor(column))
            v = ColumnValues::text(e->text());
        values.append({column, v});
    }
    return values;
}

bool SpecifikacePage::save()
{
    if (!hasRow() || !m_centreId.isValid())
        return true;
    return saveRow(&m_snapshot, [this] { return formValues(); });
}

void SpecifikacePage::onStrediskoSpecifikaceSave()
{
    save();
}

void SpecifikacePage::applyRights()
{
}
