#include "saldolabels.h"

#include "session.h"

#include <app/dates.h>
#include <app/format.h>
#include <data/table.h>

#include <QFontMetrics>
#include <QLabel>

namespace entries {

static void showValue(QLabel *label, app::Money value, const QString &trailing)
{
    // The labels fit any single amount; a sum beyond that is cut at the right with the whole
    // figure in the tooltip, never losing its leading digits or its sign.
    const QString text = app::formatMoney(value) + trailing;
    const QFontMetrics fm(label->font());
    const int room = label->contentsRect().width();
    const bool fits = fm.horizontalAdvance(text) <= room;
    label->setText(fits ? text : fm.elidedText(app::formatMoney(value), Qt::ElideRight, room));
    label->setToolTip(fits ? QString() : app::formatMoney(value));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, value >= app::Money() ? QColor(0x0000FF) : QColor(0xFF0000));
    label->setPalette(pal);
}

void RefreshLabelsSaldos(const SaldoLabels &l, const Session &session)
{
    const Period &p = session.period();
    const auto date = [](const QDate &d) {
        return app::formatDate(d, "dd/MM/yyyy");
    };
    l.LabelCapSlAnt->setText(" Saldo Anterior (" + date(p.DtIni.addDays(-1)) + ")");
    l.LabelCapSlReceita->setText(" (+) Receitas do Período");
    l.LabelCapSlDespesa->setText(" (-) Despesas do Período");
    l.LabelCapSlAtu->setText(" Saldo Atual (" + date(p.DtFim) + ")");
    l.LabelCapSlHoje->setText(" Saldo Hoje (" + date(app::today()) + ")");

    const Saldos &s = session.balances().saldos();
    showValue(l.LabelSlAnt, s.SlAnt, "  ");
    showValue(l.LabelSlReceita, s.SlReceita, "  ");
    showValue(l.LabelSlDespesa, s.SlDespesa, "  ");
    showValue(l.LabelSlAtu, s.SlAtu, " ");
    showValue(l.LabelSlHoje, s.SlHoje, " ");
    l.LabelRecCount->setText("[" + QString::number(session.tbFin().recordCount()) + "]");
}

} // namespace entries
