#include "UAbout.h"

#include "helppictures.h"
#include "helpwidgets.h"

#include <app/csvwriter.h>
#include <app/mensagem.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace help {

namespace {

QString sobreText()
{
    return "<h3>Quorvila :: Finanças Pessoais</h3>"
           "<p><b>Versão 1.0</b></p>"
           "<p>O Quorvila é um software gratuito de finanças pessoais feito para as famílias "
           "brasileiras. Com ele você registra as receitas e as despesas da casa em lançamentos "
           "de partidas dobradas, acompanha os saldos do mês e de hoje, tira balancetes e "
           "extratos, planeja o orçamento, mantém a lista dos seus bens, simula empréstimos e "
           "investimentos e importa extratos bancários no formato OFX.</p>"
           "<p>Vários membros da família podem usar o programa no mesmo computador, cada um com "
           "os seus próprios dados, protegidos por senha se quiserem.</p>"
           "<p>Além das contas, o Quorvila traz textos de ajuda para cada janela, reflexões "
           "curtas sobre o dinheiro e estudos sobre os princípios bíblicos de finanças.</p>"
           "<p>Página do programa na internet: <b>" +
           app::productWebAddress() + "</b></p>";
}

QString licencaText()
{
    return "<h3>Licença de Uso</h3>"
           "<p>O Quorvila :: Finanças Pessoais é um software gratuito. Você pode instalá-lo e "
           "usá-lo em quantos computadores quiser, em casa ou no trabalho, e pode copiá-lo e "
           "distribuí-lo a outras pessoas, desde que sem cobrar por ele e sem alterar os seus "
           "arquivos.</p>"
           "<p>O programa é oferecido como está, sem garantia de qualquer espécie, expressa ou "
           "implícita, inclusive de adequação a um fim específico. Os autores não respondem por "
           "perdas ou danos decorrentes do seu uso ou da impossibilidade de usá-lo.</p>"
           "<p>Os dados que você registra ficam apenas no seu computador, na pasta \"Dados\" ao "
           "lado do programa. Você é o responsável por eles: confira os lançamentos, guarde as "
           "senhas com cuidado e faça cópias de segurança (Backup) com frequência, guardando-as "
           "fora do computador, num pen drive ou em outro disco.</p>"
           "<p>Os cálculos financeiros e os textos do programa servem de apoio às suas "
           "decisões e não substituem a orientação de um profissional.</p>"
           "<p>Ao usar o programa você declara estar de acordo com estes termos.</p>";
}

QString apoiarText()
{
    return "<h3>Como Você pode Apoiar!</h3>"
           "<p>O Quorvila é gratuito e continua a melhorar com a ajuda de quem o usa. Você pode "
           "apoiar o projeto de várias maneiras:</p>"
           "<ul>"
           "<li><b>Conte aos outros.</b> Indique o programa a parentes, amigos, colegas de "
           "trabalho e à sua igreja ou comunidade. Muitas famílias ainda não controlam os seus "
           "gastos por falta de uma ferramenta simples.</li>"
           "<li><b>Informe erros.</b> Se algo não funcionar como esperado, escreva-nos contando "
           "o que você fez, o que aconteceu e a mensagem que apareceu na tela.</li>"
           "<li><b>Sugira melhorias.</b> Diga o que falta, o que é difícil de entender e o que "
           "poderia ficar mais prático no dia a dia.</li>"
           "<li><b>Ensine.</b> Ajude quem está começando a organizar as finanças: os textos de "
           "Educação Financeira podem ser copiados e usados em estudos e cursos.</li>"
           "</ul>"
           "<p>O contato está na página do programa: <b>" +
           app::productWebAddress() + "</b></p>";
}

QString doacaoText()
{
    return "<h3>Faça uma Doação!</h3>"
           "<p>O Quorvila é oferecido sem custo e assim continuará. Se o programa tem sido útil "
           "para a sua família e você deseja contribuir para que ele continue sendo mantido e "
           "melhorado, a sua doação é muito bem-vinda.</p>"
           "<p>Qualquer valor ajuda a cobrir os custos da página na internet, dos testes e do "
           "desenvolvimento de novas versões.</p>"
           "<p>As formas de doação e os dados para a contribuição estão publicados somente na "
           "página oficial do programa: <b>" +
           app::productWebAddress() +
           "</b>. Desconfie de pedidos de dinheiro feitos em nome do Quorvila por outros "
           "meios.</p>"
           "<p>Muito obrigado pelo seu apoio!</p>";
}

} // namespace

TFormAbout::TFormAbout(int page, QWidget *parent) : QDialog(parent)
{
    setObjectName("TFormAbout");
    setWindowTitle("Sobre...");
    setWindowModality(Qt::WindowModal);
    setModal(true);
    auto *layout = new QVBoxLayout(this);

    auto *header = new QHBoxLayout;
    auto *logo = new QLabel;
    logo->setObjectName("ImageLogo");
    logo->setPixmap(picture(Picture::Logo, 56));
    header->addWidget(logo);
    auto *name = new QLabel("<span style='font-size:16pt; font-weight:bold; color:#437043;'>"
                            "Quorvila :: Finanças Pessoais</span><br>"
                            "Software Gratuito de Finanças Pessoais - Versão 1.0");
    name->setObjectName("LabelProduto");
    header->addWidget(name, 1);
    layout->addLayout(header);

    m_pages = new QTabWidget;
    m_pages->setObjectName("PageControl1");
    layout->addWidget(m_pages, 1);
    addPage("MemoSobre", "Sobre...", sobreText());
    addPage("MemoLicenca", "Licença de Uso", licencaText());
    addPage("MemoApoiar", "Como Apoiar!", apoiarText());
    addPage("MemoDoacao", "Faça uma Doação!", doacaoText());
    m_pages->setCurrentIndex(page >= 0 && page < m_pages->count() ? page : 0);

    QHBoxLayout *footer = addFooterVerse(layout, "\"Em seu coração o homem planeja o seu "
                                                 "caminho, mas o Senhor determina os seus "
                                                 "passos\". Pv 16:9");
    auto *fechar = new QPushButton("Fechar");
    fechar->setObjectName("BtFechar");
    fechar->setAutoDefault(false);
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    footer->addWidget(fechar);
    setFixedSize(560, 440);
}

void TFormAbout::addPage(const char *name, const QString &caption, const QString &html)
{
    auto *text = new QTextEdit;
    text->setObjectName(name);
    text->setAccessibleName(caption);
    text->setHtml(html);
    makeReadOnlyText(text);
    m_pages->addTab(text, caption);
}

void TFormAbout::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    app::placeDialog(this, app::mainWindow(), QPoint(68, -5));
}

} // namespace help
