#include "outputs/sestavytab.h"

#include "ui_sestavytab.h"

#include "core/session.h"
#include "core/workprogress.h"
#include "db/servicekeys.h"
#include "outputs/reports.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineView>

namespace {

// Links and scripts that ask for a new window load in the report view.
class ReportView : public QWebEngineView
{
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

bool askSystemPrinter(QPrinter *printer, QWidget *parent)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

SestavyTab::SestavyTab(Session *session, QWidget *parent)
    : ZrnTab(parent), ui(new Ui::SestavyTab), m_session(session), m_chooser(askSystemPrinter)
{
    ui->setupUi(this);
    m_view = new ReportView(ui->wreport);
    m_view->setObjectName(QStringLiteral("webView"));
    ui->wreport->layout()->addWidget(m_view);

    connect(ui->rep1, &QToolButton::clicked, this, &SestavyTab::onSetSestavaPrehled);
    connect(ui->rep2, &QToolButton::clicked, this, &SestavyTab::onSetSestavaPodniky);
    connect(ui->rep3, &QToolButton::clicked, this, &SestavyTab::onSetSestavaStrediska);
    connect(ui->rep4, &QToolButton::clicked, this, &SestavyTab::onSetSestavaAktualizace);
    connect(ui->rep5, &QToolButton::clicked, this, &SestavyTab::onSetSestavaVNC);
    connect(ui->rep_tisk, &QToolButton::clicked, this, &SestavyTab::onPrint);
}

SestavyTab::~SestavyTab()
{
    delete ui;
}

void SestavyTab::enter()
{
    if (m_overviewShown)
        return;
    m_overviewShown = true;
    onSetSestavaPrehled();
}

void SestavyTab::showHtml(const QString &html)
{
    m_file.reset();
    if (Reports::fitsSetHtml(html)) {
        m_view->setHtml(html, QUrl());
    } else {
        // The file lives until the next report replaces it.
        auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/zrn-sestava-XXXXXX.html"));
        if (file->open() && file->write(html.toUtf8()) >= 0 && file->flush()) {
            file->close();
            m_view->load(QUrl::fromLocalFile(file->fileName()));
            m_file = std::move(file);
        } else {
            QMessageBox::warning(this, tr("Sestavy"),
                                 tr("Sestavu nelze zapsat do dočasného souboru %1: %2")
                                     .arg(QDir::toNativeSeparators(file->fileName()), file->errorString()));
            m_view->setHtml(Reports::welcome(), QUrl());
        }
    }
    emit reportShown();
}

void SestavyTab::showReport(const std::function<Reports::Result(const Progress &)> &build)
{
    Reports::Result r;
    {
        WorkProgress progress(this, tr("Sestava se načítá ..."), true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        r = build(progress.callback());
        QApplication::restoreOverrideCursor();
    }
    if (r.cancelled)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showHtml(r.html);
    QApplication::restoreOverrideCursor();
    if (!r.error.isEmpty())
        QMessageBox::warning(this, tr("Sestavy"), tr("Sestavu se nepodařilo úplně načíst z databáze:\n%1").arg(r.error));
}

Visibility SestavyTab::visibility() const
{
    return m_session ? Visibility::of(m_session->user) : Visibility();
}

void SestavyTab::onSetSestavaPrehled()
{
    emit overviewRequested();
    const Visibility visible = visibility();
    showReport([visible](const Progress &p) { return Reports::overview(QDate::currentDate(), visible, p); });
}

void SestavyTab::onSetSestavaPodniky()
{
    const Visibility visible = visibility();
    showReport([visible](const Progress &p) { return Reports::economic(visible, p); });
}

void SestavyTab::onSetSestavaStrediska()
{
    const Visibility visible = visibility();
    showReport([visible](const Progress &p) { return Reports::centres(visible, p); });
}

void SestavyTab::onSetSestavaAktualizace()
{
    const Visibility visible = visibility();
    showReport([visible](const Progress &p) { return Reports::updates(visible, p); });
}

void SestavyTab::onSetSestavaVNC()
{
    const QString first = Reports::hostOf(ServiceKeys::value(ServiceKeys::VncRepeater));
    const QString second = Reports::hostOf(ServiceKeys::value(ServiceKeys::VncRepeater2));
    const Visibility visible = visibility();
    showReport([first, second, visible](const Progress &p) { return Reports::vnc(first, second, visible, p); });
}

void SestavyTab::onPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    if (!m_chooser || !m_chooser(&printer, this))
        return;

    bool ok = false;
    QEventLoop loop;
    m_view->page()->print(&printer, [&](bool success) {
        ok = success;
        loop.quit();
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!ok)
        QMessageBox::warning(this, tr("Tisk"),
                             tr("Sestavu se nepodařilo vytisknout. Zkontrolujte tiskárnu, případně cílový soubor, "
                                "a zkuste to znovu."));
}

void SestavyTab::onSestavaVyber()
{
    showHtml(Reports::welcome());
}

void SestavyTab::printDocument(QPrinter *printer)
{
    QPainter painter;
    if (!painter.begin(printer)) {
        QMessageBox::warning(this, tr("Tisk"), tr("Tiskárnu se nepodařilo otevřít."));
        return;
    }
    const QRect page = painter.viewport();
    const QSize size = m_view->size();
    const double scale = qMin(double(page.width()) / qMax(1, size.width()), double(page.height()) / qMax(1, size.height()));
    painter.scale(scale, scale);
    m_view->render(&painter);
    painter.end();
}

bool SestavyTab::allowedFor(const UserRights &user) const
{
    return user.hasReportsTab() && !user.minimalTabs();
}
