#include "register/evidencetab.h"

#include "admin/pristupypage.h"
#include "admin/remoteaccesspage.h"
#include "app/session.h"
#include "events/udalostipage.h"
#include "register/centrerecord.h"
#include "register/detailpages.h"
#include "register/gpspage.h"
#include "register/podnikpage.h"
#include "register/podnikytree.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"

#include <QHash>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPersistentModelIndex>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

bool isId(const QVariant &id)
{
    bool ok = false;
    return id.isValid() && !id.isNull() && id.toLongLong(&ok) != 0 && ok;
}

bool askToSave(QWidget *parent)
{
    return QMessageBox::question(parent, QObject::tr("Otázka"), QObject::tr("Přejete si uložit změny?"),
                                 QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

QWidget *placeholder(const char *name, const QString &text = QString())
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    auto *layout = new QVBoxLayout(page);
    if (!text.isEmpty()) {
        auto *label = new QLabel(text, page);
        label->setObjectName(QStringLiteral("vyber_text"));
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addStretch();
    return page;
}

} // namespace

struct EvidenceTab::Private {
    Session *session = nullptr;
    PodnikyTree *tree = nullptr;
    QSplitter *splitter = nullptr;
    QTabWidget *twe = nullptr;

    PodnikPage *podnik = nullptr;
    StrediskoPage *stredisko = nullptr;
    SpecifikacePage *specifikace = nullptr;
    RemoteAccessPage *vzdalenyPristup = nullptr;
    PristupyPage *pristupy = nullptr;
    GpsPage *gps = nullptr;
    UdalostiPage *udalosti = nullptr;
    QWidget *vyber = nullptr;

    struct Page {
        QWidget *widget;
        QString title;
    };
    QHash<QString, Page> pages;

    // Last tab the user looked at, separately for enterprises and centres.
    int podnikTab = -1;
    int strediskoTab = -1;

    // The tree row whose pages are shown; a failed save goes back to it.
    QPersistentModelIndex shownRow;
    bool reverting = false;
    SaveQuestion question;

    bool present(QWidget *page) const { return page && twe->indexOf(page) >= 0; }

    void rememberTab()
    {
        if (present(podnik))
            podnikTab = twe->currentIndex();
        if (present(stredisko))
            strediskoTab = twe->currentIndex();
    }

    void removeAll()
    {
        while (twe->count() > 0) {
            QWidget *page = twe->widget(0);
            twe->removeTab(0);
            page->hide();
        }
    }

    void showPages(const QStringList &names)
    {
        for (const QString &name : names) {
            const Page page = pages.value(name);
            if (page.widget)
                twe->addTab(page.widget, page.title);
        }
    }

    QList<ZrnPage *> presentPages() const
    {
        QList<ZrnPage *> list;
        for (int i = 0; i < twe->count(); ++i) {
            if (auto *page = qobject_cast<ZrnPage *>(twe->widget(i)))
                list << page;
        }
        return list;
    }

    void loadCentre()
    {
        CentreRecord record;
        QString error;
        const bool ok = CentreRecord::read(session->s_id_stredisko, &record, &error);
        if (!ok || !record.found) {
            // One message for the one failed read; every page is left empty
            // and locked, so nothing can be saved over a row never read.
            const QList<ZrnPage *> pages = presentPages();
            for (ZrnPage *page : pages)
                page->showNothing();
            if (!ok && !pages.isEmpty())
                pages.first()->showReadFailure(error);
            return;
        }
        if (present(stredisko))
            stredisko->loadFrom(record);
        if (present(specifikace))
            specifikace->loadFrom(record);
        if (present(vzdalenyPristup))
            vzdalenyPristup->loadFrom(record);
        if (present(pristupy))
            pristupy->loadFrom(record);
        if (present(gps))
            gps->loadFrom(record.value(CentreRecord::Gps));
    }

    void loadEnterprise()
    {
        if (present(podnik)) {
            podnik->load();
            if (present(gps)) {
                if (podnik->hasRow())
                    gps->loadFrom(podnik->loadedGps());
                else
                    gps->showNothing();
            }
        } else if (present(gps)) {
            gps->load();
        }
    }
};

EvidenceTab::EvidenceTab(Session *session, QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    d->session = session;
    d->question = askToSave;

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->splitter = new QSplitter(Qt::Horizontal, this);
    d->splitter->setObjectName(QStringLiteral("splitter"));
    layout->addWidget(d->splitter);

    d->tree = new PodnikyTree(session, d->splitter);
    d->twe = new QTabWidget(d->splitter);
    d->twe->setObjectName(QStringLiteral("twe"));
    d->splitter->addWidget(d->tree);
    d->splitter->addWidget(d->twe);
    d->splitter->setStretchFactor(0, 1);
    d->splitter->setStretchFactor(1, 2);
    // Without a saved layout the detail pages get about two thirds of the width.
    d->splitter->setSizes({400, 800});

    d->podnik = new PodnikPage(session);
    d->podnik->setObjectName(QString::fromLatin1(DetailPages::Podnik));
    d->stredisko = new StrediskoPage(session);
    d->stredisko->setObjectName(QString::fromLatin1(DetailPages::Stredisko));
    d->specifikace = new SpecifikacePage(session);
    d->specifikace->setObjectName(QString::fromLatin1(DetailPages::Specifikace));
    d->vzdalenyPristup = new RemoteAccessPage(session);
    d->vzdalenyPristup->setObjectName(QString::fromLatin1(DetailPages::VzdalenyPristup));
    d->pristupy = new PristupyPage(session);
    d->pristupy->setObjectName(QString::fromLatin1(DetailPages::Pristupy));
    d->gps = new GpsPage(session);
    d->gps->setObjectName(QString::fromLatin1(DetailPages::Gps));
    d->udalosti = new UdalostiPage(session);
    d->udalosti->setObjectName(QString::fromLatin1(DetailPages::Udalosti));
    d->vyber = placeholder(DetailPages::Vyber, tr("Vyberte prosím podnik nebo středisko ..."));

    // Every page lives as long as the tab; only its place in `twe` changes.
    const QList<QPair<QWidget *, QString>> all = {
        {d->podnik, tr("O podniku")},
        {d->stredisko, tr("O středisku")},
        {d->specifikace, tr("Specifikace")},
        {d->vzdalenyPristup, tr("Vzdálený přístup")},
        {d->pristupy, tr("Přístupy")},
        {d->gps, tr("GPS")},
        {d->udalosti, tr("Události")},
        {d->vyber, tr("Výběr")},
    };
    for (const auto &entry : all) {
        entry.first->setParent(d->twe);
        entry.first->hide();
        d->pages.insert(entry.first->objectName(), {entry.first, entry.second});
    }
    d->showPages({QString::fromLatin1(DetailPages::Vyber)});

    // Rebuilds the tree starts itself ("Obnovit", a new sort column) first
    // settle unsaved edits; the rebuilt tree only highlights its row.
    d->tree->setRebuildGuard([this] { return prepareRebuild(); });
    connect(d->tree, &PodnikyTree::selectionChanged, this,
            [this](const QVariant &podnikId, const QVariant &strediskoId, const QString &) {
                onSelection(podnikId, strediskoId);
            });
    connect(d->stredisko, &StrediskoPage::centreSaved, this,
            [this](int centreId, const QString &licence, const QDate &start) {
                d->tree->updateCentreRow(centreId, licence, start);
            });
}

EvidenceTab::~EvidenceTab()
{
    delete d;
}

PodnikyTree *EvidenceTab::tree() const
{
    return d->tree;
}

QTabWidget *EvidenceTab::innerTabs() const
{
    return d->twe;
}

void EvidenceTab::setSaveQuestion(SaveQuestion question)
{
    d->question = question ? std::move(question) : SaveQuestion(askToSave);
}

bool EvidenceTab::offerSave()
{
    QList<ZrnPage *> dirty;
    for (ZrnPage *page : d->presentPages()) {
        if (page->isDirty())
            dirty << page;
    }
    if (dirty.isEmpty() || !d->question(this))
        return true;
    // A page that cannot be saved has told the user why; it stays on screen.
    for (ZrnPage *page : dirty) {
        if (!page->save()) {
            d->twe->setCurrentWidget(page);
            return false;
        }
    }
    return true;
}

void EvidenceTab::maybeSave()
{
    offerSave();
}

bool EvidenceTab::hasUnsavedEdits() const
{
    for (ZrnPage *page : d->presentPages()) {
        if (page->isDirty())
            return true;
    }
    return false;
}

bool EvidenceTab::saveUnsavedEdits()
{
    for (ZrnPage *page : d->presentPages()) {
        if (page->isDirty() && !page->save()) {
            d->twe->setCurrentWidget(page);
            return false;
        }
    }
    return true;
}

void EvidenceTab::onSelection(const QVariant &podnikId, const QVariant &strediskoId)
{
    if (d->reverting)
        return;
    QTreeView *view = d->tree->view();
    if (!offerSave()) {
        // Back to the row whose edits could not be saved.
        if (view && d->shownRow.isValid()) {
            d->reverting = true;
            view->selectionModel()->setCurrentIndex(d->shownRow, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            d->reverting = false;
        }
        return;
    }
    d->shownRow = view ? QPersistentModelIndex(view->currentIndex()) : QPersistentModelIndex();

    d->rememberTab();
    d->removeAll();

    using DetailPages::RowKind;
    const RowKind kind = isId(strediskoId) ? RowKind::Centre : isId(podnikId) ? RowKind::Enterprise : RowKind::None;
    if (kind == RowKind::None) {
        d->showPages(DetailPages::pagesFor(d->session->user, kind));
        return;
    }
    // Each id is cleared when the other kind of row becomes current.
    if (kind == RowKind::Centre)
        d->session->setSelection(QVariant(), strediskoId);
    else
        d->session->setSelection(podnikId, QVariant());

    d->showPages(DetailPages::pagesFor(d->session->user, kind));
    const bool minimal = d->session->user.minimal != 0;
    int tab = 0;
    if (!minimal)
        tab = kind == RowKind::Centre ? d->strediskoTab : d->podnikTab;
    d->twe->setCurrentIndex(tab >= 0 && tab < d->twe->count() ? tab : 0);

    if (kind == RowKind::Centre)
        d->loadCentre();
    else
        d->loadEnterprise();
    if (d->present(d->udalosti))
        d->udalosti->load();
}

bool EvidenceTab::prepareRebuild()
{
    if (!offerSave())
        return false;
    // The rebuilt tree only highlights the remembered row; its pages are
    // loaded when the user makes a row current.
    d->rememberTab();
    d->removeAll();
    d->showPages({QString::fromLatin1(DetailPages::Vyber)});
    d->shownRow = QPersistentModelIndex();
    return true;
}

void EvidenceTab::refresh()
{
    if (prepareRebuild())
        d->tree->refresh();
}

void EvidenceTab::applyRights()
{
    d->tree->applyRights();
    d->podnik->applyRights();
    d->stredisko->applyRights();
    d->specifikace->applyRights();
    d->vzdalenyPristup->applyRights();
    d->pristupy->applyRights();
    d->gps->applyRights();
}
