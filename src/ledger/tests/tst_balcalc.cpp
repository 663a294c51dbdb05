// The balance screen on the first run's sample book, driven as a user drives it: the period
// buttons and their titles, the view choosers, the statement of the selected row, the search
// panel with its messages, and the map tab with its own year and two-month window.
#include <ledger/UBalCalc.h>
#include <ledger/trialbalance.h>

#include <app/dates.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>
#include <data/table.h>
#include <entries/UData.h>
#include <reports/optionsdialog.h>
#include <reports/previewwindow.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <app/tests/modaldriver.h>

#include <memory>

using ledger::TFormBalCalc;

class TestBalCalc : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<TFormBalCalc> m_form;
    QStringList m_messages;
    int m_run = 0;

    QStringList codes(QTableView *grid) const
    {
        QStringList out;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            out << grid->model()->index(r, 0).data().toString();
        return out;
    }
    QString header(QTableView *grid, int column) const
    {
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    QString currentCode(QTableView *grid) const
    {
        return grid->currentIndex().siblingAtColumn(0).data().toString();
    }
    void choosePeriod(int page, const QDate &ini, const QDate &fim)
    {
        testsupport::whenModal<entries::TFormData>([=](entries::TFormData *d) {
            auto *pages = d->findChild<QTabWidget *>("PageControl");
            pages->setCurrentWidget(d->findChild<QWidget *>(page == 2   ? "TabPeriodo"
                                                            : page == 3 ? "TabAno"
                                                                        : "TabMes"));
            d->setIntervalDates(ini, fim);
            d->setMonthDate(ini);
            d->setYearDate(ini);
            d->accept();
        });
    }
    void shot(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
        if (!dir.isEmpty())
            w->grab().save(dir + "/" + name);
    }

private slots:
    void init()
    {
        app::setTodayForTests(QDate(2026, 12, 10));
        m_dm = std::make_unique<data::TDM>();
        const QString dir = m_dir.path() + "/" + QString::number(++m_run);
        QDir().mkpath(dir);
        m_dm->DataModuleCreate(dir);
        data::installFirstRun(m_dm->db(), QDate(2026, 12, 10));
        m_dm->openSharedTables();
        m_dm->pointUserTables("0001");
        m_dm->OpenUserFiles();
        m_messages.clear();
        app::setMensagemResponder([this](const QString &text, int) {
            m_messages << text;
            return app::MsgButton::Ok;
        });
        m_form = std::make_unique<TFormBalCalc>(*m_dm, QDate(2026, 12, 1), QDate(2026, 12, 31));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup()
    {
        m_form.reset();
        m_dm.reset();
        app::setMensagemResponder({});
        app::setTodayForTests(QDate());
    }

    void opensOnTheMainWindowsMonth()
    {
        TFormBalCalc &f = *m_form;
        QCOMPARE(f.windowTitle(),
                 QString("Quorvila :: Balancetes e Extratos de Conta  [0001  Nome do Usuário]"));
        QCOMPARE(f.BtPeriodo->text(), QString("Dezembro/2026"));
        QCOMPARE(f.PanelBal->text(), QString(" Balancete [Dezembro/2026]"));
        QCOMPARE(header(f.DBGrid1, 3), QString("Sld 30/11/26"));
        QCOMPARE(header(f.DBGrid1, 4), QString("Mov Dez/26"));
        QCOMPARE(header(f.DBGrid1, 5), QString("Sld 31/12/26"));
        QCOMPARE(codes(f.DBGrid1).join(' '),
                 QString("0 0.01 0.01.01 0.01.03 1 1.01 1.01.01 1.09 1.09.05 2 2.05 2.05.01"));
        QVERIFY(m_messages.isEmpty());
        QVERIFY(!f.BtPeriodoMapa->isVisible());

        // The cash account 11 row: its statement below, its title in the band.
        f.DBGrid1->setCurrentIndex(f.DBGrid1->model()->index(2, 0));
        QCOMPARE(f.PanelCirc->text(), QString("Extrato da Conta [0.01.01 - 11 - Carteira]"));
        QCOMPARE(f.DBGrid2->model()->rowCount(), 1);
        QCOMPARE(f.DBGrid2->model()->index(0, 4).data().toString(), QString("100,00"));
        shot(&f, "balancete.png");
        // A title row has no statement.
        f.DBGrid1->setCurrentIndex(f.DBGrid1->model()->index(1, 0));
        QCOMPARE(f.DBGrid2->model()->rowCount(), 0);
        QCOMPARE(f.PanelCirc->text(), QString());
    }

    void periodButtonsKeepTheirOwnPeriod()
    {
        TFormBalCalc &f = *m_form;
        choosePeriod(2, QDate(2026, 11, 5), QDate(2026, 12, 1));
        QTest::mouseClick(f.BtPeriodo, Qt::LeftButton);
        QCOMPARE(f.BtPeriodo->text(), QString("05/11/2026 a 01/12/2026"));
        QCOMPARE(header(f.DBGrid1, 4), QString("Mov Período"));
        QCOMPARE(f.mode, ledger::PeriodMode::Other);
        QCOMPARE(f.periodDialog().Tag, 2);

        // A period without entries: the message, and the outputs refuse.
        choosePeriod(1, QDate(2020, 3, 1), QDate(2020, 3, 31));
        QTest::mouseClick(f.BtPeriodo, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{ledger::texts::kNadaNoPeriodo});
        QCOMPARE(f.BtPeriodo->text(), QString("Março/2020"));
        QVERIFY(!f.BtBalSaveCSV->isEnabled());
        QVERIFY(!f.ComboGrupo->isEnabled());
        m_messages.clear();
        QTest::mouseClick(f.BtSaveCSV, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{ledger::texts::kNaoDisponivel});
    }

    void choosersFilterTheView_data()
    {
        QTest::addColumn<int>("grupo");
        QTest::addColumn<int>("nivel");
        QTest::addColumn<QString>("codes");
        QTest::newRow("income only") << 2 << 0 << "1 1.01 1.01.01 1.09 1.09.05";
        QTest::newRow("groups only") << 0 << 1 << "0 1 2";
        QTest::newRow("accounts of income and expenses") << 4 << 4 << "1.01.01 1.09.05 2.05.01";
    }
    void choosersFilterTheView()
    {
        QFETCH(int, grupo);
        QFETCH(int, nivel);
        QFETCH(QString, codes);
        m_form->ComboGrupo->setCurrentIndex(grupo);
        m_form->ComboNivel->setCurrentIndex(nivel);
        QCOMPARE(this->codes(m_form->DBGrid1).join(' '), codes);
    }

    void outputsRefuseWithoutLevelThree()
    {
        TFormBalCalc &f = *m_form;
        f.ComboNivel->setCurrentIndex(1);
        QTest::mouseClick(f.BtSaveCSV, Qt::LeftButton);
        QTest::mouseClick(f.BtCtaSaveCSV, Qt::LeftButton);
        QCOMPARE(m_messages,
                 (QStringList{ledger::texts::kNiveisExtratos, ledger::texts::kSo3Nivel}));
        f.ComboGrupo->setCurrentIndex(1);
        f.ComboNivel->setCurrentIndex(0);
        m_messages.clear();
        f.ComboGrupo->setCurrentIndex(2);
        f.ComboNivel->setCurrentIndex(2);
        f.ComboGrupo->setCurrentIndex(3);
        f.ComboNivel->setCurrentIndex(4);
        f.ComboGrupo->setCurrentIndex(1); // cash accounts of level 3: none of 2.xx
        f.ComboNivel->setCurrentIndex(0);
        QVERIFY(m_messages.isEmpty());
    }

    // Each print reaches the report preview; a row that is not an account of level 3 is refused
    // before any report is laid out.
    void printsOpenThePreview_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::newRow("trial balance") << "BtBalPrint" << 0;
        QTest::newRow("statement") << "BtCtaPrint" << 2;
        QTest::newRow("daily statement") << "BtCtaPrint+daily" << 2;
        QTest::newRow("all statements") << "BtPrint" << 0;
    }
    void printsOpenThePreview()
    {
        QFETCH(QString, button);
        QFETCH(int, row);
        TFormBalCalc &f = *m_form;
        f.DBGrid1->setCurrentIndex(f.DBGrid1->model()->index(row, 0));
        if (button.endsWith("+daily")) {
            f.CheckTotais->setChecked(true);
            button.chop(6);
        }
        QString title;
        testsupport::whenModal<reports::OptionsDialog>([&](reports::OptionsDialog *o) {
            testsupport::whenModal<reports::PreviewWindow>([&](reports::PreviewWindow *w) {
                title = w->windowTitle();
                w->reject();
            });
            o->accept();
        });
        QTest::mouseClick(f.findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(title, QString("Quorvila :: Relatórios"));
        QVERIFY(m_messages.isEmpty());
    }
    void statementPrintRefusesATitleRow()
    {
        TFormBalCalc &f = *m_form;
        f.DBGrid1->setCurrentIndex(f.DBGrid1->model()->index(1, 0));
        QTest::mouseClick(f.BtCtaPrint, Qt::LeftButton);
        f.ComboNivel->setCurrentIndex(1);
        QTest::mouseClick(f.BtPrint, Qt::LeftButton);
        QCOMPARE(m_messages,
                 (QStringList{ledger::texts::kSo3Nivel, ledger::texts::kNiveisExtratos}));
    }

    void searchPanelFindsAndResetsTheChoosers()
    {
        TFormBalCalc &f = *m_form;
        f.activateWindow();
        f.DBGrid1->setFocus();
        QTest::keyClick(f.DBGrid1, Qt::Key_5);
        QVERIFY(f.PanelFindBal->isVisible());
        QCOMPARE(f.EditFindBal->text(), QString("5"));
        QTest::keyClick(f.EditFindBal, Qt::Key_Return);
        QCOMPARE(m_messages, QStringList{"Conta '5' não encontrada!"});
        QVERIFY(!f.PanelFindBal->isVisible());

        // 241 is hidden by "Só Entradas/Receita": both choosers go back to their first items.
        m_messages.clear();
        f.ComboGrupo->setCurrentIndex(2);
        QTest::keyClick(f.DBGrid1, Qt::Key_2);
        QTest::keyClicks(f.EditFindBal, "41");
        QTest::keyClick(f.EditFindBal, Qt::Key_Return);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(f.ComboGrupo->currentIndex(), 0);
        QCOMPARE(f.ComboNivel->currentIndex(), 0);
        QCOMPARE(f.DBGrid1->currentIndex().siblingAtColumn(1).data().toInt(), 241);

        // A comma is typed as the code's separator; 12.3 is neither a code nor a reduced code.
        QTest::keyClick(f.DBGrid1, Qt::Key_1);
        QTest::keyClicks(f.EditFindBal, "2,3");
        QCOMPARE(f.EditFindBal->text(), QString("12.3"));
        QTest::keyClick(f.EditFindBal, Qt::Key_Return);
        QCOMPARE(m_messages.value(0), QString("'12.3' não é uma Conta válida e também\r\nnão é "
                                              "um Código Reduzido válido!\r\nPor favor, "
                                              "verifique."));
        QVERIFY(f.PanelFindBal->isVisible());
        QTest::keyClick(f.EditFindBal, Qt::Key_Escape);
        QVERIFY(f.DBGrid1->hasFocus());
        QVERIFY(!f.PanelFindBal->isVisible());
    }

    void mapHasItsOwnYear()
    {
        TFormBalCalc &f = *m_form;
        f.PageControl1->setCurrentWidget(f.TabBalMapa);
        QCOMPARE(f.AnoMapa, 2026);
        QCOMPARE(f.BtPeriodoMapa->text(), QString("Ano: 2026"));
        QCOMPARE(f.PanelBalMapa->text(), QString(" Balancete [Mapa do Ano 2026]"));
        QVERIFY(f.BtPeriodoMapa->isVisible());
        QVERIFY(!f.BtPeriodo->isVisible());
        QVERIFY(!f.BtPrint->isVisible());
        // December: the window shows November and December.
        QVERIFY(f.BtMapaPrior->isEnabled());
        QVERIFY(!f.BtMapaNext->isEnabled());
        QVERIFY(!f.DBGridMapa->isColumnHidden(27));
        QVERIFY(f.DBGridMapa->isColumnHidden(4));
        QCOMPARE(header(f.DBGridMapa, 27), QString("Sld 31/12/26"));
        shot(&f, "mapa.png");
        f.DBGridMapa->setFocus();
        QTest::keyClick(f.DBGridMapa, Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(f.BtMapaNext->isEnabled());
        QVERIFY(f.DBGridMapa->isColumnHidden(27));
        QVERIFY(!f.DBGridMapa->isColumnHidden(25));

        // Another year: the map alone changes.
        choosePeriod(3, QDate(2025, 1, 1), QDate(2025, 12, 31));
        QTest::mouseClick(f.BtPeriodoMapa, Qt::LeftButton);
        QCOMPARE(f.AnoMapa, 2025);
        QCOMPARE(m_messages, QStringList{ledger::texts::kNadaNoPeriodo});
        QCOMPARE(f.BtPeriodoMapa->text(), QString("Ano: 2025"));
        QCOMPARE(f.DtIniBal, QDate(2026, 12, 1));
        QCOMPARE(f.DtFimBal, QDate(2026, 12, 31));
        m_messages.clear();
        QTest::mouseClick(f.BtSaveCSV, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{ledger::texts::kMapaIndisponivel});

        // Back on the trial balance, it still shows its own period.
        f.PageControl1->setCurrentWidget(f.TabBal);
        QCOMPARE(f.PanelBal->text(), QString(" Balancete [Dezembro/2026]"));
    }

    void helpButtonOpensTheTabsPage()
    {
        QList<int> opened;
        app::setHelpOpener([&](int code) { opened << code; });
        m_form->activateWindow();
        m_form->DBGrid1->setFocus();
        QTest::keyClick(m_form->DBGrid1, Qt::Key_1);
        QVERIFY(m_form->PanelFindBal->isVisible());
        QTest::mouseClick(m_form->BtFinHelp, Qt::LeftButton);
        QVERIFY(!m_form->PanelFindBal->isVisible());
        m_form->PageControl1->setCurrentWidget(m_form->TabBalMapa);
        QTest::mouseClick(m_form->BtFinHelp, Qt::LeftButton);
        app::setHelpOpener({});
        QCOMPARE(opened, (QList<int>{2041, 2042}));
    }

    void dailyTotalsAreStoredForTheUser()
    {
        const bool before = m_dm->TbUser->asBool("ExtratoTotDiario");
        QCOMPARE(m_form->CheckTotais->isChecked(), before);
        QTest::mouseClick(m_form->CheckTotais, Qt::LeftButton);
        QCOMPARE(m_dm->TbUser->asBool("ExtratoTotDiario"), !before);
    }
};

QTEST_MAIN(TestBalCalc)
#include "tst_balcalc.moc"
