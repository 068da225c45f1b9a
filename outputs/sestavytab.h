#pragma once

#include "core/zrntab.h"

#include "core/progress.h"
#include "core/visibility.h"

#include <QWidget>

#include <functional>
#include <memory>

class Session;
class QPrinter;
class QTemporaryFile;
class QWebEngineView;

namespace Reports {
struct Result;
}

namespace Ui {
class SestavyTab;
}

// The "Sestavy" tab: the report buttons and the report view `webView`.
// The reports themselves are built by outputs/reports.h; the slots here show
// them and print the one shown.
class SestavyTab : public ZrnTab
{
    Q_OBJECT
public:
    bool allowedFor(const UserRights &user) const override;
    explicit SestavyTab(Session *session, QWidget *parent = nullptr);
    ~SestavyTab() override;

    // The tab became current: the overview is built on the first visit of a
    // run only.
    void enter() override;

    // Asks where to print (the system print dialog); false when cancelled.
    // Tests put their own printer set-up here.
    using PrinterChooser = std::function<bool(QPrinter *printer, QWidget *parent)>;
    void setPrinterChooser(PrinterChooser chooser) { m_chooser = std::move(chooser); }

public slots:
    void onSetSestavaPrehled();
    void onSetSestavaPodniky();
    void onSetSestavaStrediska();
    void onSetSestavaAktualizace();
    void onSetSestavaVNC();
    void onPrint();
    void onSestavaVyber();
    void printDocument(QPrinter *printer);

signals:
    // Emitted by onSetSestavaPrehled, so that the first-visit rule can be
    // observed.
    void overviewRequested();
    // A report was handed to the view (for tests waiting on the page).
    void reportShown();

private:
    // Builds the report with its progress ("Zrušit" keeps the report shown
    // before) and shows it.
    void showReport(const std::function<Reports::Result(const Progress &)> &build);
    void showHtml(const QString &html);
    // The user's restriction; nothing without a session.
    Visibility visibility() const;

    Ui::SestavyTab *ui;
    Session *m_session;
    QWebEngineView *m_view;
    bool m_overviewShown = false;
    PrinterChooser m_chooser;
    std::unique_ptr<QTemporaryFile> m_file;
};
