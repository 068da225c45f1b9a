#pragma once

#include "register/filtr.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFEditWithButton;
class QLineEdit;

// "Filtr": the criteria of the advanced filter of the enterprise tree. On
// creation it fills the lists from the database and shows the state of the
// last confirmation; the caller saves the state and builds the condition
// when the dialog is accepted.
class DialogFiltr : public QDialog
{
    Q_OBJECT
public:
    explicit DialogFiltr(QWidget *parent = nullptr);

    Filtr::State state() const;
    void setState(const Filtr::State &state);
    // Writes the state to the settings ("df/...").
    void saveState() const;

    // Chooses the enterprises of "Podniky" starting from a comma list;
    // false when the user cancels. Default: the enterprise-list dialog.
    using ListChooser = std::function<bool(QWidget *parent, QString *ids)>;
    void setListChooser(ListChooser chooser);

public slots:
    void vyber_podniku();

private:
    struct Row {
        QCheckBox *box = nullptr;
        QComboBox *combo = nullptr;
        // A list from the database that could not be read: its stored
        // choice is kept as it was and cannot be changed.
        bool failed = false;
        Filtr::ListChoice kept;
    };
    Row addList(const char *box, const QString &text, const QStringList &entries, int row, int column);
    QCheckBox *addBox(const char *name, const QString &text, int row, int column);
    static Filtr::ListChoice choice(const Row &row);
    static void setChoice(Row &row, const Filtr::ListChoice &choice);

    Row m_holding, m_zeme, m_chsw, m_oo, m_stavSw, m_stavTech, m_techSw, m_dojirna, m_aktivita, m_reprodukce;
    QCheckBox *m_podniky, *m_ico, *m_region, *m_dojniceOd, *m_poznamka, *m_licence, *m_negace;
    QCheckBox *m_st, *m_ta, *m_li, *m_uh, *m_tm;
    QFEditWithButton *m_podnikyList;
    QLineEdit *m_icoText, *m_dojniceText, *m_poznamkaText;
    ListChooser m_chooser;
};
