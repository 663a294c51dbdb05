#include "UHelpFast.h"

#include "helppictures.h"
#include "helpwidgets.h"

#include <app/application.h>
#include <app/csvwriter.h>
#include <app/helptag.h>
#include <app/mensagem.h>

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace help {

// The tab shown when the quick help last closed, for this run only.
static int s_lastTab = 0;

namespace {

const char *const kTabQuorvila =
    "<p>O <b>Quorvila :: Finanças Pessoais</b> é um programa gratuito para a família organizar o "
    "seu dinheiro: registrar o que entra e o que sai, acompanhar os saldos das contas, planejar "
    "o orçamento do mês, guardar a lista dos seus bens e fazer cálculos de empréstimos e "
    "investimentos.</p>"
    "<p>Cada pessoa da casa pode ter os seus próprios dados, protegidos por senha. Para começar, "
    "leia o propósito do programa e depois conheça o Controle Financeiro, o coração do "
    "Quorvila.</p>";

const char *const kTabFin =
    "<p>No <b>Controle Financeiro</b> você registra cada movimento de dinheiro como um "
    "lançamento: um valor sai de uma conta de <i>origem</i> (o salário, o banco, a carteira) e "
    "entra numa conta de <i>destino</i> (o banco, o supermercado, a conta de luz).</p>"
    "<p>Comece conferindo o Plano de Contas: ajuste os nomes das contas à realidade da sua "
    "família e informe o saldo inicial do banco e da carteira. Depois, lance as receitas e as "
    "despesas do mês; o programa mostra na hora o saldo anterior, as receitas, as despesas e o "
    "saldo atual do período.</p>";

const char *const kTabBens =
    "<p>No <b>Controle de Bens</b> você mantém a lista do que a família possui: imóveis, "
    "veículos, aplicações, equipamentos. Para cada bem ficam a data e o valor de aquisição e "
    "as suas valorizações ou desvalorizações ao longo do tempo.</p>"
    "<p>Comece pelas Categorias, que agrupam os bens (Imóveis, Veículos, Investimentos...). "
    "Depois inclua cada bem com o seu valor; o programa calcula o patrimônio em qualquer "
    "data.</p>";

const char *const kTabEduc =
    "<p>A <b>Educação Financeira</b> reúne textos sobre os princípios bíblicos de finanças: "
    "trabalho, honestidade, dívidas, poupança, generosidade e contentamento. São tópicos curtos, "
    "organizados por assunto, e séries de devocionais para ler um texto por dia durante a "
    "semana.</p>"
    "<p>Escolha um tópico na árvore à esquerda para ler o texto; você pode copiá-lo ou salvá-lo "
    "em arquivo para estudar em família ou em grupo.</p>";

const char *const kTabCalc =
    "<p>Os <b>Cálculos Financeiros</b> ajudam a decidir antes de assumir um compromisso: quanto "
    "custa de verdade um financiamento, qual a prestação de um empréstimo, quanto rende uma "
    "poupança mensal e em quanto tempo se chega a um objetivo.</p>"
    "<p>Informe os valores que você conhece (valor, prazo, taxa de juros) e o programa calcula "
    "o que falta, com a tabela das parcelas e uma explicação do resultado.</p>";

const char *const kTabMais =
    "<p>Quase todas as janelas do programa têm, no canto superior direito, um botão de "
    "<b>ajuda</b> com um ponto de interrogação. Clique nele para ler a explicação daquela "
    "janela: para que serve, o que significa cada campo e como usá-la.</p>"
    "<p>O texto de ajuda abre numa janela própria, que pode ficar aberta ao lado do programa "
    "enquanto você trabalha. O botão \"Mais\" dessa janela mostra outros assuntos "
    "relacionados, e o menu Ajuda traz textos sobre o programa como um todo.</p>";

} // namespace

TFormHelpFast::TFormHelpFast(QWidget *parent) : QDialog(parent)
{
    setObjectName("TFormHelpFast");
    setWindowTitle("Quorvila :: Ajuda Rápida");
    setWindowModality(Qt::WindowModal);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget;
    m_pages->setObjectName("PageControlHelp");
    layout->addWidget(m_pages);

    QWidget *tab = addTab("Quorvila", int(Picture::Logo), kTabQuorvila);
    addButton(tab, "BitBtn7", "Propósito " + app::productWebAddress(), 2001);
    addButton(tab, "BitBtn8", " Como Você pode Apoiar!", ComoApoiar);

    tab = addTab("Controle Financeiro", int(Picture::Finance), kTabFin);
    addButton(tab, "BitBtn1", "Ler o texto de ajuda \"Como Iniciar o Controle Financeiro\"", 2004);
    addButton(tab, "BitBtn2", "Ver o Plano de Contas", PlanoDeContas);
    addButton(tab, "BitBtn3", "Ir Para o Controle Financeiro", ControleFin);

    tab = addTab("Controle de Bens", int(Picture::Assets), kTabBens);
    addButton(tab, "BitBtn5", "Ver Categorias", CategoriasBens);
    addButton(tab, "BitBtn6", "Ir Para o Controle de Bens", ControleBens);
    addButton(tab, "BitBtn10", "Ler o texto de ajuda sobre \"O Controle de Bens\"", 2002);

    tab = addTab("Educação Financeira", int(Picture::Bible), kTabEduc);
    addButton(tab, "BitBtn9", "Ir Para Educação Financeira", EducacaoFin);

    tab = addTab("Cálculos Financeiros", int(Picture::Calculator), kTabCalc);
    addButton(tab, "BitBtn4", "Ir Para Cálculos Financeiros", CalculosFin);

    addTab("Mais Ajuda", int(Picture::Help), kTabMais);

    QHBoxLayout *footer = addFooterVerse(
        layout, "\"Ouça conselhos e aceite instruções, e acabará sendo sábio\". Pv 19:20");
    auto *fechar = new QPushButton("Fechar");
    fechar->setObjectName("BtFechar");
    fechar->setAutoDefault(false);
    connect(fechar, &QPushButton::clicked, this, [this] { done(Fechar); });
    footer->addWidget(fechar);

    m_pages->setCurrentIndex(s_lastTab);
    setFixedSize(780, 400);
}

TFormHelpFast::~TFormHelpFast()
{
    s_lastTab = m_pages->currentIndex();
}

QWidget *TFormHelpFast::addTab(const QString &caption, int pictureId, const QString &text)
{
    auto *tab = new QWidget;
    auto *row = new QHBoxLayout(tab);
    auto *pic = new QLabel;
    pic->setPixmap(picture(Picture(pictureId), 72));
    pic->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    pic->setFixedWidth(88);
    row->addWidget(pic);
    auto *column = new QVBoxLayout;
    auto *body = new QLabel(text);
    body->setObjectName("LabelTexto");
    body->setTextFormat(Qt::RichText);
    body->setWordWrap(true);
    body->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    column->addWidget(body);
    column->addStretch(1);
    row->addLayout(column, 1);
    m_pages->addTab(tab, caption);
    return tab;
}

void TFormHelpFast::addButton(QWidget *tab, const char *name, const QString &caption, int code)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    app::setHelpTag(b, code);
    b->setAutoDefault(false);
    b->setStyleSheet("text-align: left; padding: 4px 10px;");
    connect(b, &QPushButton::clicked, this, [this, code] { buttonClicked(code); });
    auto *column = static_cast<QVBoxLayout *>(tab->layout()->itemAt(1)->layout());
    column->insertWidget(column->count() - 1, b);
}

void TFormHelpFast::buttonClicked(int code)
{
    if (code >= 2001) {
        app::guarded([code] { app::openHelp(code); });
        return;
    }
    done(code);
}

void TFormHelpFast::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    app::placeDialog(this, app::mainWindow(), QPoint(68, -5));
}

} // namespace help
