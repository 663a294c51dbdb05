#include "UFinPesq.h"

#include "valoredit.h"

#include <accounts/UCtaView.h>
#include <app/application.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace entries {

namespace {

FoundEntriesScreen::Texts searchTexts()
{
    FoundEntriesScreen::Texts t;
    t.caption = "Pesquisar Lançamentos";
    t.reportTitles = "Relação de Lançamentos|Lançamentos Selecionados|Relatório de Pesquisa";
    t.report = "RepFinPesq";
    t.dataView = "DvFinPesq";
    t.nothingToPrint = "Nenhum lançamento para imprimir!\r\nPor favor, refaça a pesquisa.";
    t.nothingToSave =
        "Nenhum lançamento para salvar em\r\narquivo CSV! Por favor, refaça a pesquisa.";
    t.csvName = "Lançamentos.CSV";
    t.csvColumns = "Código;Data;Cta Dest;Cta Orig;Valor;Histórico;NumDoc;OK;";
    t.csvDone = "OK. Lançamentos gravados no arquivo \r\n";
    t.codigoAlignment = Qt::AlignCenter;
    t.keepResultOnClose = true;
    return t;
}

// The picker's group filter of each account field: Conta, Conta Destino, Conta Origem.
const char *const kFiltros[3] = {"(CodCta>='0')", "(CodCta<'1' or CodCta>='2')", "(CodCta<'2')"};

} // namespace

TFormFinPesq::TFormFinPesq(data::TDM &dm, const QDate &dtIni, const QDate &dtFim,
                           accounts::TFormCtaView *ctaView, QWidget *parent)
    : FoundEntriesScreen(dm, searchTexts(), parent), m_ctaView(ctaView), m_dtIni(dtIni),
      m_dtFim(dtFim)
{
    setObjectName("TFormFinPesq");
    buildCriteria();
    ComboOrder->setCurrentIndex(int(EntryOrder::Data));
    ComboOK->setCurrentIndex(0);
    closeResult();
}

void TFormFinPesq::setPeriod(const QDate &dtIni, const QDate &dtFim)
{
    m_dtIni = dtIni;
    m_dtFim = dtFim;
}

void TFormFinPesq::buildCriteria()
{
    auto *g = new QGridLayout(criteria());
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, criteria());
        l->setBuddy(buddy);
        return l;
    };
    const auto edit = [this](const char *name, int maxLength) {
        auto *e = new QLineEdit(criteria());
        e->setObjectName(name);
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        e->installEventFilter(this);
        return e;
    };
    CheckPeriodo = new QCheckBox(criteria());
    CheckPeriodo->setObjectName("CheckPeriodo");
    CheckPeriodo->setAccessibleName("Pesquisar no período");
    EditDtMin = dateEdit("EditDtMin");
    EditDtMax = dateEdit("EditDtMax");
    EditDtMax->setAccessibleName("Até");
    connect(CheckPeriodo, &QCheckBox::toggled, EditDtMax, &QWidget::setEnabled);
    auto *period = new QHBoxLayout;
    // The caption "Período De: … Até:" is split so that each word stands beside its own date.
    period->addWidget(CheckPeriodo);
    period->addWidget(EditDtMin);
    period->addWidget(label("Até:", EditDtMax));
    period->addWidget(EditDtMax);
    period->addStretch();
    g->addWidget(label("Período De:", EditDtMin), 0, 0);
    g->addLayout(period, 0, 1, 1, 3);

    EditTx = edit("EditTx", 80);
    g->addWidget(label("Texto", EditTx), 1, 0);
    g->addWidget(EditTx, 1, 1, 1, 3);
    EditVlr = edit("EditVlr", 0);
    EditVlr->setValidator(new ValorValidator(EditVlr));
    // The amount field takes the editor's keys without its arithmetic box: an operator beeps.
    new ValorKeys(EditVlr, [] { QApplication::beep(); });
    EditNDoc = edit("EditNDoc", 15);
    g->addWidget(label("Valor", EditVlr), 2, 0);
    g->addWidget(EditVlr, 2, 1);
    g->addWidget(label("Num. Documento", EditNDoc), 2, 2);
    g->addWidget(EditNDoc, 2, 3);

    const auto accountRow = [&](QLineEdit *&e, const char *name, const QString &caption, int row,
                                const char *button) {
        e = edit(name, 0);
        e->setValidator(new app::CharsetValidator("0-9 ", e));
        auto *bt = new QToolButton(criteria());
        bt->setObjectName(button);
        bt->setText("...");
        bt->setToolTip("Escolher a conta (F2)");
        bt->setFocusPolicy(Qt::NoFocus);
        QLineEdit *target = e;
        connect(bt, &QToolButton::clicked, this,
                [this, target] { app::guarded([&] { openPicker(target); }); });
        auto *h = new QHBoxLayout;
        h->addWidget(e);
        h->addWidget(bt);
        g->addWidget(label(caption, e), row, 0);
        g->addLayout(h, row, 1, 1, 3);
    };
    accountRow(EditCtaDeb, "EditCtaDeb", "Conta Destino", 3, "BtCtaDeb");
    accountRow(EditCtaCred, "EditCtaCred", "Conta Origem", 4, "BtCtaCred");
    accountRow(EditCta, "EditCta", "Conta", 5, "BtCta");

    ComboOK = new QComboBox(criteria());
    ComboOK->setObjectName("ComboOK");
    ComboOK->addItems({"", "OK", "Não"});
    ComboOrder = new QComboBox(criteria());
    ComboOrder->setObjectName("ComboOrder");
    ComboOrder->addItems(entryOrderChoices());
    g->addWidget(label("Confirmado", ComboOK), 6, 0);
    g->addWidget(ComboOK, 6, 1);
    g->addWidget(label("Ordenado por:", ComboOrder), 6, 2);
    g->addWidget(ComboOrder, 6, 3);

    BtPesquisar = new QPushButton("&Pesquisar", criteria());
    BtPesquisar->setObjectName("BtPesquisar");
    auto *limpar = new QPushButton("&Limpar", criteria());
    limpar->setObjectName("BtLimpar");
    limpar->setAutoDefault(false);
    auto *help = new QPushButton("?", criteria());
    help->setObjectName("BtHelp");
    help->setAutoDefault(false);
    help->setFixedWidth(26);
    app::wireHelp(help, 2035);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtPesquisar);
    buttons->addWidget(limpar);
    buttons->addWidget(help);
    g->addLayout(buttons, 7, 0, 1, 4);
    connect(BtPesquisar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPesquisarClick(); }); });
    connect(limpar, &QPushButton::clicked, this, [this] { BtLimparClick(); });
}

void TFormFinPesq::opening()
{
    takeStartingCodes();
    if (resultOpen()) {
        rerun();
    } else {
        BtLimparClick();
    }
}

// Each showing starts the pickers again: "Conta" on the chart's first account with a reduced
// code, the other two on the first one from the income group on.
void TFormFinPesq::takeStartingCodes()
{
    const QString cta = m_dm.TbCta->sqlName();
    const QString first = "SELECT CodCta FROM " + cta + " WHERE CodRed>0";
    m_codIni[0] = m_dm.db().scalar(first + " ORDER BY CodCta LIMIT 1").toString();
    m_codIni[1] = m_codIni[2] =
        m_dm.db().scalar(first + " AND CodCta>='1' ORDER BY CodCta LIMIT 1").toString();
}

void TFormFinPesq::BtLimparClick()
{
    EditDtMin->setDate(m_dtIni);
    EditDtMax->setDate(m_dtFim);
    CheckPeriodo->setChecked(false);
    EditDtMax->setEnabled(false);
    for (QLineEdit *e : {EditTx, EditVlr, EditNDoc, EditCtaDeb, EditCtaCred, EditCta})
        e->clear();
    ComboOrder->setCurrentIndex(int(EntryOrder::Data));
    ComboOK->setCurrentIndex(0);
    closeResult();
    EditTx->setFocus();
}

SearchCriteria TFormFinPesq::criteriaTyped() const
{
    SearchCriteria c;
    c.period = CheckPeriodo->isChecked();
    c.dtMin = EditDtMin->date();
    c.dtMax = EditDtMax->date();
    c.text = EditTx->text();
    c.valor = EditVlr->text();
    c.numDoc = EditNDoc->text();
    c.cta = EditCta->text();
    c.ctaDeb = EditCtaDeb->text();
    c.ctaCred = EditCtaCred->text();
    c.confirmado = Confirm(ComboOK->currentIndex());
    c.order = EntryOrder(ComboOrder->currentIndex());
    return c;
}

std::variant<SearchQuery, SearchProblem> TFormFinPesq::query() const
{
    return buildSearch(criteriaTyped());
}

QWidget *TFormFinPesq::fieldOf(SearchField f) const
{
    QWidget *const fields[] = {EditDtMax, EditTx, EditVlr, EditCta, EditCtaDeb, EditCtaCred};
    return fields[int(f)];
}

std::optional<std::pair<QDate, QDate>> TFormFinPesq::listedPeriod() const
{
    if (!CheckPeriodo->isChecked())
        return std::nullopt;
    return std::pair(EditDtMin->date(), EditDtMax->date());
}

void TFormFinPesq::openPicker(QLineEdit *edit)
{
    if (!m_ctaView)
        return;
    const int i = edit == EditCta ? 0 : edit == EditCtaDeb ? 1 : 2;
    m_ctaView->Tag = 0;
    m_ctaView->FiltroCta = kFiltros[i];
    m_ctaView->CodCtaIni = m_codIni[i];
    m_ctaView->showAt(edit->mapToGlobal(QPoint(3, edit->height() + 23)));
    activateWindow();
    edit->setFocus();
    if (m_ctaView->Tag == 1) {
        const qint64 codRed = m_dm.TbCta->asInt("CodRed");
        if (codRed > 0) {
            const QString t = edit->text();
            edit->setText(t.isEmpty() ? QString::number(codRed)
                                      : t + " " + QString::number(codRed));
            m_codIni[i] = m_dm.TbCta->asString("CodCta");
        }
        edit->setCursorPosition(edit->text().size());
    }
    m_dm.TbCta->setFilter({});
}

bool TFormFinPesq::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2)
        for (QLineEdit *e : {EditCtaDeb, EditCtaCred, EditCta})
            if (watched == e) {
                app::guarded([&] { openPicker(e); });
                return true;
            }
    return FoundEntriesScreen::eventFilter(watched, event);
}

} // namespace entries
