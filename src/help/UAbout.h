// The about box TFormAbout: the program's mark, four read-only pages (what Quorvila is, its terms
// of use, how to support it, how to donate) and a footer verse. Opened modally on a given page.
#pragma once

#include <QDialog>

class QTabWidget;

namespace help {

class TFormAbout : public QDialog
{
    Q_OBJECT
public:
    // The pages, in order; `page` is the one shown first (an index out of range shows the first).
    enum Page { Sobre = 0, Licenca = 1, ComoApoiar = 2, Doacao = 3 };
    explicit TFormAbout(int page = Sobre, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;

private:
    void addPage(const char *name, const QString &caption, const QString &html);

    QTabWidget *m_pages = nullptr;
};

} // namespace help
