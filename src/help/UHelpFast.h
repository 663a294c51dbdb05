// The quick help TFormHelpFast: six tabs, each a short illustrated explanation of one area of
// the program with buttons that either open a help page (codes 2001 and above, the quick help
// stays open) or close it and tell the main window where to go (codes 1 to 7). The tab shown
// when it closes is the one it opens on next time, for the rest of the run.
#pragma once

#include <QDialog>

class QTabWidget;

namespace help {

class TFormHelpFast : public QDialog
{
    Q_OBJECT
public:
    // What the main window does after the quick help closes; exec() returns one of these.
    enum Code {
        Fechar = 0,
        ComoApoiar = 1,     // the about box on its "Como Apoiar!" page
        PlanoDeContas = 2,  // the finance tab, its grid, then the chart of accounts
        ControleFin = 3,    // the finance tab and its grid
        CategoriasBens = 4, // the assets tab, its grid, then the asset categories
        ControleBens = 5,   // the assets tab and its grid
        EducacaoFin = 6,    // the Bible reader
        CalculosFin = 7,    // the calculators
    };

    // The help pages open through app::openHelp (the help viewer in the program).
    explicit TFormHelpFast(QWidget *parent = nullptr);
    ~TFormHelpFast() override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    QWidget *addTab(const QString &caption, int picture, const QString &text);
    void addButton(QWidget *tab, const char *name, const QString &caption, int code);
    void buttonClicked(int code);

    QTabWidget *m_pages = nullptr;
};

} // namespace help
