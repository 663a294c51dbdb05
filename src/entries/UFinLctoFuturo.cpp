#include "UFinLctoFuturo.h"

#include "upcoming.h"

#include <app/application.h>
#include <app/dates.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace entries {

static FoundEntriesScreen::Texts upcomingTexts()
{
    FoundEntriesScreen::Texts t;
    t.caption = "Próximos Dias [Lançamentos Futuros]";
    t.reportTitles = "Lançamentos Futuros|Relação de Lançamentos|Relatório de Pesquisa";
    t.report = "RepFinProx";
    t.dataView = "DvFinProx";
    t.nothingToPrint = "Nenhum lançamento para imprimir\r\nno período informado!";
    t.nothingToSave = "Nenhum lançamento para salvar em \r\narquivo CSV no período informado.";
    t.csvName = "Lançamentos_Futuros.CSV";
    t.csvColumns = "Código;Data;CtaDestino;CtaOrigem;Valor;Histórico;NumDoc;OK;";
    t.csvDone = "OK. Lançamentos Futuros gravados no arquivo \r\n";
    t.codigoAlignment = Qt::AlignRight | Qt::AlignVCenter;
    t.keepResultOnClose = false;
    return t;
}

TFormFinLctoFuturo::TFormFinLctoFuturo(data::TDM &dm, QWidget *parent)
    : FoundEntriesScreen(dm, upcomingTexts(), parent)
{
    setObjectName("TFormFinLctoFuturo");
    buildCriteria();
    ComboOrder->setCurrentIndex(int(EntryOrder::Data));
    closeResult();
}

void TFormFinLctoFuturo::buildCriteria()
{
    auto *h = new QHBoxLayout(criteria());
    h->setContentsMargins(6, 4, 6, 4);
    EditDtMin = dateEdit("EditDtMin");
    EditDtMax = dateEdit("EditDtMax");
    EditDtMax->setAccessibleName("Até");
    // The caption "Período De: … Até:" is split so that each word stands beside its own date.
    auto *period = new QLabel("Período De:", criteria());
    period->setBuddy(EditDtMin);
    auto *until = new QLabel("Até:", criteria());
    until->setBuddy(EditDtMax);
    ComboOrder = new QComboBox(criteria());
    ComboOrder->setObjectName("ComboOrder");
    ComboOrder->addItems(entryOrderChoices());
    auto *order = new QLabel("Ordenado por:", criteria());
    order->setBuddy(ComboOrder);
    BtPesquisar = new QPushButton("&Pesquisar", criteria());
    BtPesquisar->setObjectName("BtPesquisar");
    auto *help = new QPushButton("?", criteria());
    help->setObjectName("BtHelp");
    help->setAutoDefault(false);
    help->setFixedWidth(26);
    app::wireHelp(help, 2034);
    h->addWidget(period);
    h->addWidget(EditDtMin);
    h->addWidget(until);
    h->addWidget(EditDtMax);
    h->addSpacing(12);
    h->addWidget(order);
    h->addWidget(ComboOrder);
    h->addStretch();
    h->addWidget(BtPesquisar);
    h->addWidget(help);
    connect(BtPesquisar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPesquisarClick(); }); });
}

void TFormFinLctoFuturo::opening()
{
    const data::Table &user = *m_dm.TbUser;
    const DateWindow w =
        upcomingWindow(app::today(), int(user.asInt("ProxDias")), user.asBool("IncluirHoje"));
    EditDtMin->setDate(w.dtMin);
    EditDtMax->setDate(w.dtMax);
    const std::optional<int> keep =
        resultOpen() ? std::optional<int>(DBGridFin->currentIndex().row()) : std::nullopt;
    const auto q = currentQuery();
    if (!q)
        return;
    app::WaitCursor wait;
    showResult(*q, keep);
}

std::variant<SearchQuery, SearchProblem> TFormFinLctoFuturo::query() const
{
    return buildPeriodSearch(EditDtMin->date(), EditDtMax->date(),
                             EntryOrder(ComboOrder->currentIndex()));
}

// The only refusal is the inverted window.
QWidget *TFormFinLctoFuturo::fieldOf(SearchField) const
{
    return EditDtMax;
}

std::optional<std::pair<QDate, QDate>> TFormFinLctoFuturo::listedPeriod() const
{
    return std::pair(EditDtMin->date(), EditDtMax->date());
}

} // namespace entries
