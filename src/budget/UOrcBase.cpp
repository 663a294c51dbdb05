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

namespace budget {

namespace {

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
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
    RadioCopia = new QRadioButton("Cópia do orçamento do mês de   ", Radio1);
    RadioCopia->setObjectName("RadioCopia");
    RadioCopia->setGeometry(12, 26, 230, 24);
    RadioRealizado = new QRadioButton("Valores Realizados do mês de   ", Radio1);
    RadioRealizado->setObjectName("RadioRealizado");
    RadioRealizado->setGeometry(12, 56, 230, 24);
    RadioCopia->setChecked(true);
    BtPeriodoCopia = button("BtPeriodoCopia", "", Radio1);
    BtPeriodoCopia->setGeometry(250, 24, 148, 26);
    BtPeriodoRealizado = button("BtPeriodoRealizado", "", Radio1);
    BtPeriodoRealizado->setGeometry(250, 54, 148, 26);

    Check1 = new QCheckBox("Acrescido de             %", this);
    Check1->setObjectName("Check1");
    Check1->setGeometry(22, 110, 220, 24);
    Check2 = new QCheckBox("Decrescido de             %", this);
    Check2->setObjectName("Check2");
    Check2->setGeometry(22, 140, 220, 24);
    Edit1 = percentEdit("Edit1", "Percentual de acréscimo", Check1);
    Edit2 = percentEdit("Edit2", "Percentual de decréscimo", Check2);

    BtOk = button("BtOk", "&Gerar", this);
    BtOk->setGeometry(236, 178, 88, 26);
    BtCancelar = button("BtCancelar", "&Cancelar", this);
    BtCancelar->setGeometry(332, 178, 88, 26);

    // Ticking one percentage unticks the other and puts the focus in its field.
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            return;
        Check2->setChecked(false);
        Edit1->setFocus();
        Edit1->selectAll();
    });
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            return;
        Check1->setChecked(false);
        Edit2->setFocus();
        Edit2->selectAll();
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
