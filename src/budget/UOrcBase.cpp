#include "UOrcBase.h"

#include "decimalkeys.h"
#include "orcview.h"

#include <app/application.h>
#include <app/mensagem.h>
#include <entries/UData.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionButton>

#include <tuple>
#include <type_traits>

namespace budget {

namespace {

// A control of the dialog's fixed layout, named and placed.
template <class T> T *placed(const char *name, const QString &text, QWidget *parent, QRect at)
{
    auto *w = new T(text, parent);
    w->setObjectName(name);
    w->setGeometry(at);
    if constexpr (std::is_same_v<T, QPushButton>)
        w->setAutoDefault(false);
    return w;
}

// The percentage sits in the blanks of its check box's caption ("Acrescido de             %").
QLineEdit *percentEdit(const char *name, const QString &accessible, QCheckBox *check)
{
    auto *e = new QLineEdit("10", check->parentWidget());
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setAlignment(Qt::AlignRight);
    new DecimalKeys(e, 4);
    QStyleOptionButton o;
    o.initFrom(check);
    const int indicator = check->style()->pixelMetric(QStyle::PM_IndicatorWidth, &o, check) +
                          check->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &o, check);
    const QString caption = check->text();
    const int blanks = int(caption.indexOf("  "));
    const QFontMetrics fm(check->font());
    const int x = check->x() + indicator + fm.horizontalAdvance(caption.left(blanks + 1));
    const int w = fm.horizontalAdvance(caption.mid(blanks + 1, caption.lastIndexOf(' ') - blanks));
    e->setGeometry(x, check->y() - 1, std::max(w, 48), check->height() + 2);
    return e;
}

} // namespace

TFormOrcBase::TFormOrcBase(QWidget *parent)
    : QDialog(parent), m_periodDialog(new entries::TFormData(this))
{
    setObjectName("TFormOrcBase");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(430, 214);

    Radio1 = new QGroupBox(" Gerar Orçamento a partir de: ", this);
    Radio1->setObjectName("Radio1");
    Radio1->setGeometry(10, 8, 410, 90);
    RadioCopia = placed<QRadioButton>("RadioCopia", "Cópia do orçamento do mês de   ", Radio1,
                                      {12, 26, 230, 24});
    RadioRealizado = placed<QRadioButton>("RadioRealizado", "Valores Realizados do mês de   ",
                                          Radio1, {12, 56, 230, 24});
    RadioCopia->setChecked(true);
    BtPeriodoCopia = placed<QPushButton>("BtPeriodoCopia", "", Radio1, {250, 24, 148, 26});
    BtPeriodoRealizado = placed<QPushButton>("BtPeriodoRealizado", "", Radio1, {250, 54, 148, 26});
    Check1 = placed<QCheckBox>("Check1", "Acrescido de             %", this, {22, 110, 220, 24});
    Check2 = placed<QCheckBox>("Check2", "Decrescido de             %", this, {22, 140, 220, 24});
    Edit1 = percentEdit("Edit1", "Percentual de acréscimo", Check1);
    Edit2 = percentEdit("Edit2", "Percentual de decréscimo", Check2);

    BtOk = placed<QPushButton>("BtOk", "&Gerar", this, {236, 178, 88, 26});
    BtCancelar = placed<QPushButton>("BtCancelar", "&Cancelar", this, {332, 178, 88, 26});

    // Ticking one percentage unticks the other and puts the focus in its field.
    for (auto [check, other, edit] : {std::tuple{Check1, Check2, Edit1}, {Check2, Check1, Edit2}})
        connect(check, &QCheckBox::toggled, this, [other, edit](bool on) {
            if (!on)
                return;
            other->setChecked(false);
            edit->setFocus();
            edit->selectAll();
        });
    connect(BtPeriodoCopia, &QPushButton::clicked, this, [this] {
        app::guarded([this] { chooseMonth(BtPeriodoCopia, RadioCopia, m_copyMonth); });
    });
    connect(BtPeriodoRealizado, &QPushButton::clicked, this, [this] {
        app::guarded([this] { chooseMonth(BtPeriodoRealizado, RadioRealizado, m_realisedMonth); });
    });
    connect(BtOk, &QPushButton::clicked, this, &TFormOrcBase::accept);
    connect(BtCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormOrcBase::setSourceMonths(const QDate &month)
{
    m_copyMonth = m_realisedMonth = QDate(month.year(), month.month(), 1);
    showMonths();
}

void TFormOrcBase::showMonths()
{
    BtPeriodoCopia->setText(monthCaption(m_copyMonth));
    BtPeriodoRealizado->setText(monthCaption(m_realisedMonth));
}

Source TFormOrcBase::source() const
{
    return RadioRealizado->isChecked() ? Source::Realised : Source::Copy;
}

void TFormOrcBase::chooseMonth(QPushButton *button, QRadioButton *item, QDate &month)
{
    item->setChecked(true);
    entries::TFormData &d = *m_periodDialog;
    d.setMonthDate(month);
    d.setPageSet(1);
    d.Tag = 1;
    if (d.exec() == QDialog::Accepted) {
        const QDate ini = d.chosen().ini;
        month = QDate(ini.year(), ini.month(), 1);
        showMonths();
    }
    button->setFocus();
}

void TFormOrcBase::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    app::placeDialog(this, app::mainWindow());
    (RadioRealizado->isChecked() ? RadioRealizado : RadioCopia)->setFocus();
}

void TFormOrcBase::accept()
{
    const FactorCheck c =
        checkFactor(Check1->isChecked(), Edit1->text(), Check2->isChecked(), Edit2->text());
    if (!c.factor) {
        app::Mensagem(c.message, 0);
        QLineEdit *e = c.aboutDecrease ? Edit2 : Edit1;
        e->setFocus();
        e->selectAll();
        return;
    }
    m_factor = *c.factor;
    QDialog::accept();
}

} // namespace budget
