// The calculator screen and its result window on a first-run installation with the shipped
// information base, driven as a user drives them: solves with their analyses and messages, the
// saved analyses across a close and reopen, the field rules, and the result window's pages,
// search panels and option comparison.
#include <calc/UMatFin.h>
#include <calc/UMatFinView.h>

#include <app/dates.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>
#include <data/table.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using calc::TFormMatFin;
using calc::TFormMatFinView;

class TestMatFin : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<TFormMatFin> m_form;
    QStringList m_messages;
    int m_run = 0;

    void open()
    {
        m_form = std::make_unique<TFormMatFin>(*m_dm);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void closeForm()
    {
        m_form->accept();
        m_form.reset();
    }
    void type(QLineEdit *e, const QString &text)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    void shot(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
        if (!dir.isEmpty())
            w->grab().save(dir + "/" + name);
    }
    void solveLoan(const QString &pv, const QString &n, const QString &rate)
    {
        m_form->PageMatFin->setCurrentIndex(0);
        type(m_form->DBEditPV, pv);
        type(m_form->DBEditNPer, n);
        m_form->BtTaxa->click();
        type(m_form->DBEditPgtoTaxa, rate);
        type(m_form->DBEditRenda, "5000");
        type(m_form->DBEditDataParc, "15/01/2025");
        m_form->RadioEmprSem->click();
        m_form->BtCalcular->click();
    }

private slots:
    void init()
    {
        app::setTodayForTests(QDate(2026, 12, 10));
        m_dm = std::make_unique<data::TDM>();
        const QString dir = m_dir.path() + "/" + QString::number(++m_run);
        QDir().mkpath(dir);
        QVERIFY(QFile::copy(QUORVILA_DADOS_DIR "/TbInfo.DB", dir + "/TbInfo.DB"));
        m_dm->DataModuleCreate(dir);
        data::installFirstRun(m_dm->db(), QDate(2026, 12, 10));
        m_dm->openSharedTables();
        m_dm->openInfo();
        m_dm->pointUserTables("0001");
        m_dm->OpenUserFiles();
        m_messages.clear();
        app::setMensagemResponder([this](const QString &text, int) {
            m_messages << text;
            return app::MsgButton::Ok;
        });
        open();
    }
    void cleanup()
    {
        m_form.reset();
        m_dm.reset();
        app::setMensagemResponder({});
        app::setTodayForTests(QDate());
    }

    void loanSolveWritesTheAnalysesAndEnablesTheResults()
    {
        QVERIFY(!m_form->BtAnalise->isEnabled());
        solveLoan("10000", "24", "1,5");
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join("|")));
        QCOMPARE(m_form->DBEditPgtoTaxa->text(), QString("1,500000"));
        const QString shortText = m_form->RTFEmpr->toPlainText();
        QVERIFY2(shortText.contains("10.000,00") && shortText.contains("24 prestações") &&
                     !shortText.contains('<'),
                 qPrintable(shortText));
        QVERIFY(m_form->BtAnalise->isEnabled() && m_form->BtEvolucao->isEnabled() &&
                m_form->BtTabela->isEnabled());
        QVERIFY(m_form->results().loanAnalysisHtml.contains("Análise Detalhada do Empréstimo"));
        shot(m_form.get(), "matfin-emprestimo.png");
        // Touching an input wipes the analysis until the next solve.
        m_form->DBEditNPer->setFocus();
        QVERIFY(m_form->RTFEmpr->toPlainText().isEmpty());
        QVERIFY(!m_form->BtAnalise->isEnabled());
    }

    void badInputGetsTheEnginesMessageAndFocus()
    {
        type(m_form->DBEditPV, "abc");
        QCOMPARE(m_form->DBEditPV->text(), QString());
        m_form->BtCalcular->click();
        QCOMPARE(m_messages.value(0), QString("Valor do Empréstimo deve ser maior que zero!"));
        QCOMPARE(QApplication::focusWidget(), m_form->DBEditPV);
        m_form->PageMatFin->setCurrentIndex(2);
        m_form->setBasicFunction(calc::BasicFunction::PMT);
        type(m_form->DBEditCalc[0], "12");
        type(m_form->DBEditCalc[1], "1");
        type(m_form->DBEditCalc[2], "1000");
        type(m_form->DBEditCalc[4], "0");
        m_form->BtCalc->click();
        QCOMPARE(m_form->PanelResult->text(), QString("-88,8488 $  "));
        QVERIFY(m_form->BtSaveCSV->isEnabled());
        shot(m_form.get(), "matfin-calculadora.png");
        // Changing the timing clears the result and the export.
        m_form->RadioCalcCom->setFocus();
        QVERIFY(m_form->PanelResult->text().isEmpty());
        QVERIFY(!m_form->BtSaveCSV->isEnabled());
        // A rate that no flows can give: the engine's failure, and the row keeps its figures.
        m_form->setBasicFunction(calc::BasicFunction::I);
        type(m_form->DBEditCalc[0], "12");
        type(m_form->DBEditCalc[2], "1000");
        type(m_form->DBEditCalc[3], "100");
        type(m_form->DBEditCalc[4], "100");
        m_form->BtCalc->click();
        QVERIFY2(m_messages.value(1).startsWith("Erro ao calcular."),
                 qPrintable(m_messages.join("|")));
        QCOMPARE(m_form->DBEditCalc[1]->text(), QString("1,000000"));
        QVERIFY(!m_form->BtSaveCSV->isEnabled());
    }

    void enteringAFieldDropsThousandsSeparatorsAndDownMovesOn()
    {
        m_form->PageMatFin->setCurrentIndex(0);
        m_form->DBEditNPer->setFocus();
        m_form->DBEditPV->setText("1.234,56");
        m_form->DBEditPV->setFocus();
        QCOMPARE(m_form->DBEditPV->text(), QString("1234,56"));
        QTest::qWait(0);
        QCOMPARE(m_form->DBEditPV->selectedText(), QString("1234,56"));
        QTest::keyClick(m_form->DBEditPV, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), m_form->DBEditNPer);
        // The "$"/"%" switch is not a stop: Down goes on to the instalment or rate.
        QTest::keyClick(m_form->DBEditNPer, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), m_form->DBEditPgtoTaxa);
        m_form->ComboFinalidade->setFocus();
        QTest::keyClick(m_form->ComboFinalidade, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != m_form->ComboFinalidade);
    }

    void savedAnalysesSurviveACloseAndReopen()
    {
        m_form->PageMatFin->setCurrentIndex(1);
        m_form->setSavingsMode(calc::SavingsMode::Montante);
        type(m_form->DBEditPrazo, "12");
        type(m_form->DBEditTaxa, "0,5");
        type(m_form->DBEditDeposito, "300");
        type(m_form->DBEditPoupRenda, "2500");
        m_form->BtPoupCalc->click();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join("|")));
        QCOMPARE(m_form->DBEditMontante->text(), QString("3.700,67"));
        QVERIFY(m_form->RTFPoup->toPlainText().contains("3.700,67"));
        QVERIFY(m_form->BtPoupEvolucao->isEnabled());
        shot(m_form.get(), "matfin-poupanca.png");
        closeForm();
        QCOMPARE(TFormMatFin::lastTab(), 1);
        open();
        QCOMPARE(m_form->PageMatFin->currentIndex(), 1);
        QCOMPARE(m_form->DBEditPrazo->text(), QString("12"));
        QCOMPARE(m_form->DBEditDeposito->text(), QString("300,00"));
        QCOMPARE(m_form->DBEditMontante->text(), QString("3.700,67"));
        QVERIFY(m_form->RTFPoup->toPlainText().isEmpty());
        m_form->PageMatFin->setCurrentIndex(0);
    }

    void loanScheduleSearch()
    {
        solveLoan("10000", "24", "1,5");
        TFormMatFinView &v = m_form->view();
        v.preparePage(TFormMatFinView::Evolucao);
        v.show();
        auto *grid = v.findChild<QTableView *>("DBGrid1");
        auto *panel = v.findChild<QFrame *>("PanelFindParc");
        auto *edit = v.findChild<QLineEdit *>("EditFindParc");
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_7);
        QVERIFY(panel->isVisible());
        QCOMPARE(edit->text(), QString("7"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(grid->currentIndex().siblingAtColumn(0).data().toString(), QString("7"));
        QVERIFY(v.findChild<QTextBrowser *>("RTFTabEvolucao")->toPlainText().contains("7 de 24"));
        shot(&v, "matfinview-evolucao.png");
        v.openSearch("0");
        v.search();
        QCOMPARE(grid->currentIndex().siblingAtColumn(0).data().toString(), QString("0"));
        v.openSearch("999");
        v.search();
        QCOMPARE(m_messages.value(0), QString("Parcela '999' não encontrada!"));
        QVERIFY(!panel->isVisible());
        QCOMPARE(grid->currentIndex().siblingAtColumn(0).data().toString(), QString("0"));
        v.openSearch("");
        v.search();
        QCOMPARE(m_messages.value(1),
                 QString("Por favor, digite a Parcela\r\nque deseja Localizar!"));
        v.hide();
    }

    void savingsScheduleSearchAndTexts()
    {
        m_form->PageMatFin->setCurrentIndex(1);
        type(m_form->DBEditPrazo, "12");
        type(m_form->DBEditTaxa, "0,5");
        type(m_form->DBEditDeposito, "300");
        type(m_form->DBEditPoupRenda, "2500");
        m_form->BtPoupCalc->click();
        TFormMatFinView &v = m_form->view();
        v.preparePage(TFormMatFinView::PoupEvolucao);
        v.show();
        auto *grid = v.findChild<QTableView *>("DBGrid2");
        QCOMPARE(grid->model()->rowCount(), 14); // row 0, 12 deposits, totals
        v.openSearch("12");
        v.search();
        QCOMPARE(grid->currentIndex().siblingAtColumn(0).data().toString(), QString("12"));
        v.openSearch("x");
        v.search();
        QCOMPARE(m_messages.value(0),
                 QString("'x' não é um Nº de Depósito\r\nválido! Por favor, verifique."));
        shot(&v, "matfinview-poupanca.png");
        v.preparePage(TFormMatFinView::PoupAlerta);
        QVERIFY(v.findChild<QTextBrowser *>("RTFPoupAlerta")->toPlainText().contains("1 Timóteo"));
        shot(&v, "matfinview-alerta.png");
        v.preparePage(TFormMatFinView::MelhorOp);
        QVERIFY(v.windowTitle() == "A Melhor Opção de Investimento");
        QVERIFY(v.findChild<QPushButton *>("BtCopy")->isVisibleTo(&v));
        QVERIFY(!v.findChild<QPushButton *>("BtPrint")->isVisibleTo(&v));
        v.hide();
    }

    void termRateFixAndCompare()
    {
        solveLoan("10000", "24", "1,5");
        TFormMatFinView &v = m_form->view();
        const_cast<calc::MatFinResults &>(m_form->results()).table =
            calc::buildTermRateTable(m_form->results().loan);
        v.preparePage(TFormMatFinView::Tabela);
        v.show();
        auto *grid = v.findChild<QTableWidget *>("StringGrid1");
        const calc::TermRateTable &t = m_form->results().table;
        QCOMPARE(grid->currentRow(), t.termIndex - 1);
        QCOMPARE(grid->currentColumn(), t.rateIndex - 1);
        QVERIFY(grid->item(t.termIndex - 1, t.rateIndex - 1)->font().bold());
        auto *cmp = v.findChild<QTextBrowser *>("RTFCompara");
        QVERIFY2(cmp->toPlainText().contains("inalterado"), qPrintable(cmp->toPlainText()));
        grid->setCurrentCell(t.termIndex, t.rateIndex - 1); // a longer term, same rate
        const QString text = cmp->toPlainText();
        QVERIFY2(text.contains("Prazo: + 6 meses") && text.contains("Taxa de juros: inalterada") &&
                     text.contains("Prestação: - R$"),
                 qPrintable(text));
        QCOMPARE(v.findChild<QLabel *>("PrazoOp2")->text(), QString("30 meses"));
        shot(&v, "matfinview-tabela.png");
        const QString first = v.copyHtml();
        QCOMPARE(v.copyHtml(), first);
        QVERIFY(!first.contains("&lt;"));
        v.fixOption();
        QVERIFY(cmp->toPlainText().contains("inalterado"));
        v.hide();
    }
};

QTEST_MAIN(TestMatFin)
#include "tst_matfin.moc"
