#pragma once

#include <QDialog>

#include <functional>

class Session;

namespace Ui {
class DialogCSVForm;
}

// The choices of the CSV export: file, separator, date format, encoding and
// whether the file starts with the titles.
class DialogCSVForm : public QDialog
{
    Q_OBJECT
public:
    explicit DialogCSVForm(QWidget *parent = nullptr);
    ~DialogCSVForm() override;

    // Stored texts are matched case-insensitively; an unknown separator,
    // date format or encoding leaves its combo at the first item.
    void setValues(const QString &fileName, bool withHeader, const QString &separator,
                   const QString &dateFormat, const QString &codec);
    void getValues(QString *fileName, bool *withHeader, QString *separator, QString *dateFormat,
                   QString *codec) const;

    // The save-file dialog behind the button of `cesta`; tests put their own
    // in. It gets the current name and returns the chosen one ("" = none).
    using FileChooser = std::function<QString(QWidget *parent, const QString &current)>;
    static void setFileChooser(FileChooser chooser);

    // Runs when the user confirms; the dialog closes only when it returns
    // true, so a failed export leaves the user's choices on screen.
    void setAcceptCheck(std::function<bool()> check) { m_acceptCheck = std::move(check); }
    void accept() override;

public slots:
    void selectCesta();

private:
    Ui::DialogCSVForm *ui;
    std::function<bool()> m_acceptCheck;
};

namespace CsvExport {
// "Export" of the enterprise page: the enterprises the register's tree shows,
// through the dialog into the chosen file. Failures are reported and the
// dialog stays open; a finished export says where the file is and how many
// enterprises it holds. With no enterprise shown it says so and opens no
// dialog.
void run(QWidget *parent, Session *session);
}
