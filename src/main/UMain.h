// The main window, TFormMainQuorvila_Zx3307: the program's only non-modal window. It is created
// before the data module, so its construction touches no table; the start-up sequence runs from
// its first show.
#pragma once

#include <QMainWindow>

namespace main_ui {

class TFormMainQuorvila_Zx3307 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormMainQuorvila_Zx3307(QWidget *parent = nullptr);

    // "Quorvila :: Finanças Pessoais  [0001  Nome]" while signed in, the application title else.
    void setSignedInCaption(const QString &codUsuario, const QString &nome);
    void clearSignedInCaption();

Q_SIGNALS:
    void firstShown();

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool m_shown = false;
};

} // namespace main_ui
