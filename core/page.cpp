#include "core/page.h"
#include "core/report.h"

#include "core/clashdialog.h"
#include "core/notice.h"
#include "core/rowsave.h"
#include "core/session.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QSplitter>

ZrnPage::ZrnPage(Session *session, QWidget *parent)
    : QWidget(parent), m_session(session)
{
}

void ZrnPage::setSaveButton(QAbstractButton *button)
{
    m_saveButton = button;
    updateControls();
}

void ZrnPage::setEditorAreas(const QList<QWidget *> &areas)
{
    m_editorAreas.clear();
    for (QWidget *w : areas)
        m_editorAreas << QPointer<QWidget>(w);
    updateControls();
}

void ZrnPage::setHasRow(bool hasRow)
{
    m_hasRow = hasRow;
    setDirty(false);
}

void ZrnPage::markChanged()
{
    if (isFilling() || !m_hasRow)
        return;
    setDirty(true);
}

void ZrnPage::setClean()
{
    setDirty(false);
}

void ZrnPage::setDirty(bool dirty)
{
    const bool changed = m_dirty != dirty;
    m_dirty = dirty;
    updateControls();
    if (changed)
        emit dirtyChanged(dirty);
}

void ZrnPage::updateControls()
{
    if (m_saveButton)
        m_saveButton->setEnabled(m_hasRow && m_dirty);
    // Disabling the areas leaves each editor's own read-only state (set by
    // the user's rights) as it is.
    for (const QPointer<QWidget> &w : qAsConst(m_editorAreas)) {
        if (w)
            w->setEnabled(m_hasRow);
    }
}

void ZrnPage::narrowCodeLists(QWidget *form)
{
    for (QComboBox *box : form->findChildren<QComboBox *>()) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(3);
        // A box keeps the smallest size it worked out before, from its
        // entries; a style change makes it work it out again by this rule.
        QEvent restyle(QEvent::StyleChange);
        QCoreApplication::sendEvent(box, &restyle);
    }
}

void ZrnPage::splitFormAndNotes(QSplitter *splitter)
{
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({600, 300});
}

void ZrnPage::showNothing()
{
    clear();
    setHasRow(false);
}

void ZrnPage::showReadFailure(const QString &databaseError)
{
    showNothing();
    Report::readFailed(this, databaseError);
}

void ZrnPage::reportSaveFailure(const QString &databaseError)
{
    Report::saveFailed(this, databaseError);
}

bool ZrnPage::saveRow(RowSnapshot *snapshot, const std::function<QVector<FieldValue>()> &form)
{
    if (!ClashDialog::save(this, snapshot, form, m_session->user.login))
        return false;
    finishSave(*snapshot);
    return true;
}

bool ZrnPage::finishSave(const RowSnapshot &snapshot)
{
    setClean();
    if (m_session)
        m_session->notify(Notice::saved());
    if (!snapshot.showsStale())
        return false;
    reload();
    return true;
}
