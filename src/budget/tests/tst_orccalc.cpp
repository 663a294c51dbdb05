// The budget screen on the first run's sample book (December 2026: 2.000,00 of salary into 13,
// 50,00 of fuel from it) with December budgeted for salary (111), fuel (241) and groceries (221),
// driven as a user drives it: the rows and their colours, the result band, the choosers, the
// month button, generation through its dialog, one account's value through the value dialog, the
// search panel, the print, the CSV file and the help button.
#include <budget/UOrcBase.h>
#include <budget/UOrcCalc.h>
#include <budget/UOrcEdit.h>
#include <budget/generation.h>
#include <budget/orcmodel.h>

#include <app/dates.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>
#include <data/table.h>
#include <entries/UData.h>
#include <reports/optionsdialog.h>
#include <reports/previewwindow.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <app/tests/modaldriver.h>

#include <map>
#include <memory>

using budget::OrcModel;
using budget::TFormOrcCalc;
using testsupport::whenModal;

namespace {

const QDate kDez(2026, 12, 1);
const QDate kJan(2027, 1, 1);

// What one generation does through the dialog.
struct GenCase
{
    QDate target = kJan;
    bool realised = false;
    QDate sourceMonth;           // chosen with the source's month button; invalid: the month before
    int tick = 0;                // 1 Acrescido, 2 Decrescido
    QString percent;             // typed into the ticked field
    QString fixedPercent;        // typed after the first refusal
    bool replace = true;         // the answer to "Deseja substituir?"
    std::map<int, qint64> after; // the target month's budget afterwards
    QStringList messages;
};

} // namespace

Q_DECLARE_METATYPE(GenCase)

class TestOrcCalc : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<TFormOrcCalc> m_form;
    QStringList m_messages;
    QList<app::MsgButton> m_answers;
    int m_run = 0;

    budget::BudgetBook book() { return budget::BudgetBook::of(*m_dm); }
    std::map<int, qint64> budgetOf(const QDate &month)
    {
        data::AttachGuard orc(m_dm->db(), m_dm->TbOrc->fileName());
        data::Statement st = m_dm->db().prepare("SELECT CodRed, ValorOrcado FROM " + orc.table() +
                                                " WHERE Data = ?");
        st.bindAll({month});
        std::map<int, qint64> out;
        while (st.step())
            out[st.column(0).toInt()] = st.column(1).toLongLong();
        return out;
    }
    QAbstractItemModel *model() const { return m_form->DBGrid1->model(); }
    int rowOf(const QString &code) const
    {
        for (int r = 0; r < model()->rowCount(); ++r)
            if (model()->index(r, 0).data().toString() == code)
                return r;
        return -1;
    }
    QStringList cells(const QString &code) const
    {
        const int r = rowOf(code);
        QStringList out;
        for (int c = 0; c < 7; ++c)
            out << model()->index(r, c).data().toString();
        return out;
    }
    QColor saldoColour(const QString &code) const
    {
        return model()
            ->index(rowOf(code), OrcModel::Saldo)
            .data(Qt::ForegroundRole)
            .value<QColor>();
    }
    QStringList codes() const
    {
        QStringList out;
        for (int r = 0; r < model()->rowCount(); ++r)
            out << model()->index(r, 0).data().toString();
        return out;
    }
    void chooseMonth(const QDate &month)
    {
        whenModal<entries::TFormData>([=](entries::TFormData *d) {
            d->setMonthDate(month);
            d->accept();
        });
    }
    void selectCode(const QString &code)
    {
        m_form->DBGrid1->setCurrentIndex(model()->index(rowOf(code), 0));
    }
    // Opens "Orçar Conta" on `code`, types `typed` (or pastes it) and presses Gravar; returns
    // the dialog's starting text. A refused value is corrected with `fixed`, or cancelled.
    QString orcar(const QString &code, const QString &typed, bool paste = false,
                  const QString &fixed = {})
    {
        selectCode(code);
        QString shown;
        whenModal<budget::TFormOrcEdit>([&](budget::TFormOrcEdit *e) {
            shown = e->EditValor->text();
            e->EditValor->clear();
            if (paste) {
                QApplication::clipboard()->setText(typed);
                e->EditValor->paste();
            } else {
                QTest::keyClicks(e->EditValor, typed);
            }
            QTest::mouseClick(e->BtOk, Qt::LeftButton);
            if (!e->isVisible())
                return;
            if (fixed.isEmpty()) {
                QTest::mouseClick(e->BtCancel, Qt::LeftButton);
                return;
            }
            e->EditValor->setText(fixed);
            QTest::mouseClick(e->BtOk, Qt::LeftButton);
        });
        QTest::mouseClick(m_form->BtOrcar, Qt::LeftButton);
        return shown;
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
        budget::saveValue(book(), kDez, 111, app::Money::fromCentavos(250000));
        budget::saveValue(book(), kDez, 241, app::Money::fromCentavos(-4000));
        budget::saveValue(book(), kDez, 221, app::Money::fromCentavos(-30000));
        m_messages.clear();
        m_answers.clear();
        app::setMensagemResponder([this](const QString &text, int) {
            m_messages << text;
            return m_answers.isEmpty() ? app::MsgButton::Ok : m_answers.takeFirst();
        });
        m_form = std::make_unique<TFormOrcCalc>(*m_dm, QDate(2026, 12, 1));
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

    void opensOnTheMonthWithEveryAccount()
    {
        TFormOrcCalc &f = *m_form;
        QCOMPARE(f.windowTitle(), QString("Quorvila :: Orçamento  [0001  Nome do Usuário]"));
        QCOMPARE(f.BtPeriodo->text(), QString("Dezembro/2026"));
        QCOMPARE(f.PanelOrc->text(), QString(" Orçamento [Dezembro/2026]"));
        QCOMPARE(model()->headerData(6, Qt::Horizontal).toString(), QString("Saldo  Dez."));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(cells("1.01.01"), (QStringList{"1.01.01", "111", "Salário", "2.500,00", "2.000,00",
                                                "80,00%", "500,00"}));
        QCOMPARE(cells("2.05.01"), (QStringList{"2.05.01", "241", "Combustível e Oleo", "40,00",
                                                "50,00", "125,00%", "10,00"}));
        QCOMPARE(cells("2.02.01"), (QStringList{"2.02.01", "221", "Supermercado", "300,00", "0,00",
                                                "0,00%", "300,00"}));
        // An account with neither budget nor entries still shows.
        QCOMPARE(cells("2.04.01"),
                 (QStringList{"2.04.01", "231", "Aluguel", "0,00", "0,00", "-   ", "0,00"}));
        QCOMPARE(cells("2"),
                 (QStringList{"2", "", "Saídas/Despesas", "340,00", "50,00", "14,71%", "290,00"}));
        QCOMPARE(saldoColour("1.01.01"), QColor(Qt::red));
        QCOMPARE(saldoColour("2.05.01"), QColor(Qt::red));
        QCOMPARE(saldoColour("2.02.01"), QColor(Qt::blue));
        QCOMPARE(saldoColour("2.04.01"), QColor(Qt::black));
        QCOMPARE(codes().first(), QString("1"));

        // The month's result: 2.160,00 budgeted, 1.950,00 realised, 210,00 short.
        QCOMPARE(f.LabelVOrc->text(), QString("2.160,00"));
        QCOMPARE(f.LabelVReal->text(), QString("1.950,00"));
        QCOMPARE(f.LabelPerc->text(), QString("90,28%"));
        QCOMPARE(f.LabelSaldo->text(), QString("210,00"));
        QCOMPARE(f.LabelVOrc->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(f.LabelSaldo->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(f.orcBase().copyMonth(), QDate(2026, 11, 1));
        QCOMPARE(f.orcBase().BtPeriodoRealizado->text(), QString("Novembro/2026"));
        shot(&f, "orcamento.png");
    }

    void choosersFilterTheView_data()
    {
        QTest::addColumn<int>("grupo");
        QTest::addColumn<int>("nivel");
        QTest::addColumn<QString>("codes");
        QTest::newRow("groups only") << 0 << 1 << "1 2";
        QTest::newRow("income titles") << 1 << 2 << "1 1.01 1.03 1.04 1.09";
        QTest::newRow("expenses of level 3 under fuel")
            << 2 << 4 << "2.05.01 2.05.02 2.05.03 2.05.04";
    }
    void choosersFilterTheView()
    {
        QFETCH(int, grupo);
        QFETCH(int, nivel);
        QFETCH(QString, codes);
        m_form->ComboGrupo->setCurrentIndex(grupo);
        m_form->ComboNivel->setCurrentIndex(nivel);
        QStringList shown = this->codes();
        if (grupo == 2 && nivel == 4)
            shown = shown.filter("2.05.");
        QCOMPARE(shown.join(' '), codes);
    }

    void emptyMonthSaysSoAndRefusesOutputs()
    {
        TFormOrcCalc &f = *m_form;
        chooseMonth(QDate(2020, 3, 1));
        QTest::mouseClick(f.BtPeriodo, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{budget::texts::kNadaNoPeriodo});
        QCOMPARE(f.BtPeriodo->text(), QString("Março/2020"));
        QCOMPARE(f.DtFimOrc, QDate(2020, 3, 31));
        QCOMPARE(model()->headerData(6, Qt::Horizontal).toString(), QString("Saldo Mar."));
        QCOMPARE(f.orcBase().copyMonth(), QDate(2020, 2, 1));
        QCOMPARE(f.LabelPerc->text(), QString("-   "));
        // Every account is still there to be budgeted.
        QCOMPARE(cells("2.02.01").mid(3), (QStringList{"0,00", "0,00", "-   ", "0,00"}));
        m_messages.clear();
        QTest::mouseClick(f.BtPrint, Qt::LeftButton);
        QTest::mouseClick(f.BtSaveCSV, Qt::LeftButton);
        QCOMPARE(m_messages, (QStringList{budget::texts::kNaoImprimir, budget::texts::kNaoCsv}));
    }

    void generationThroughTheDialog_data()
    {
        QTest::addColumn<GenCase>("g");
        GenCase copy;
        copy.sourceMonth = kDez;
        copy.tick = 1;
        copy.percent = "10";
        copy.after = {{111, 275000}, {221, -33000}, {241, -4400}};
        copy.messages = {budget::texts::kGerado};
        QTest::newRow("copy plus 10 %") << copy;

        GenCase realised;
        realised.realised = true;
        realised.sourceMonth = kDez;
        realised.after = {{111, 200000}, {241, -5000}};
        realised.messages = {budget::texts::kGerado};
        QTest::newRow("realised") << realised;

        GenCase minus = realised;
        minus.tick = 2;
        minus.percent = "100";
        minus.fixedPercent = "12,5";
        minus.after = {{111, 175000}, {241, -4375}};
        minus.messages = {budget::texts::kDecrescimoFaixa, budget::texts::kGerado};
        QTest::newRow("minus 100 % refused, then 12,5 %") << minus;

        GenCase plusZero = copy;
        plusZero.percent = "0";
        plusZero.fixedPercent = "10";
        plusZero.messages = {budget::texts::kAcrescimoZero, budget::texts::kGerado};
        QTest::newRow("plus 0 % refused") << plusZero;

        // Before, an empty source wiped the target and reported success.
        GenCase empty;
        empty.target = kDez;
        empty.sourceMonth = QDate(2026, 6, 1);
        empty.after = {{111, 250000}, {221, -30000}, {241, -4000}};
        empty.messages = {budget::texts::kJaExiste, budget::texts::kOrigemVazia};
        QTest::newRow("empty source changes nothing") << empty;

        GenCase declined;
        declined.target = kDez;
        declined.replace = false;
        declined.after = {{111, 250000}, {221, -30000}, {241, -4000}};
        declined.messages = {budget::texts::kJaExiste, budget::texts::kNaoAlterado};
        QTest::newRow("replace declined") << declined;

        GenCase replaced = copy;
        replaced.target = kDez;
        replaced.sourceMonth = kDez;
        replaced.messages = {budget::texts::kJaExiste, budget::texts::kGerado};
        QTest::newRow("month raised from itself") << replaced;
    }
    void generationThroughTheDialog()
    {
        QFETCH(GenCase, g);
        TFormOrcCalc &f = *m_form;
        if (g.target != kDez) {
            chooseMonth(g.target);
            QTest::mouseClick(f.BtPeriodo, Qt::LeftButton);
            QCOMPARE(m_messages, QStringList{budget::texts::kNadaNoPeriodo});
            m_messages.clear();
        }
        m_answers << (g.replace ? app::MsgButton::Yes : app::MsgButton::No);
        // Nothing inside the dialog's loop may stop the test before the dialog is closed: what
        // it sees is recorded and compared afterwards.
        QString caption;
        bool shown = false, realisedChecked = false, focusInField = true, focusBack = true;
        QTimer *watch = whenModal<budget::TFormOrcBase>([&](budget::TFormOrcBase *d) {
            shown = true;
            caption = d->windowTitle();
            if (g.sourceMonth.isValid()) {
                chooseMonth(g.sourceMonth);
                QTest::mouseClick(g.realised ? d->BtPeriodoRealizado : d->BtPeriodoCopia,
                                  Qt::LeftButton);
            }
            realisedChecked = d->RadioRealizado->isChecked();
            QLineEdit *edit = g.tick == 2 ? d->Edit2 : d->Edit1;
            if (g.tick) {
                QTest::mouseClick(g.tick == 1 ? d->Check1 : d->Check2, Qt::LeftButton);
                focusInField = d->focusWidget() == edit;
                edit->clear();
                QTest::keyClicks(edit, g.percent);
            }
            QTest::mouseClick(d->BtOk, Qt::LeftButton);
            if (d->isVisible() && !g.fixedPercent.isEmpty()) {
                focusBack = d->focusWidget() == edit;
                edit->setText(g.fixedPercent);
                QTest::mouseClick(d->BtOk, Qt::LeftButton);
            }
            if (d->isVisible())
                d->reject();
        });
        QTest::mouseClick(f.BtGerar, Qt::LeftButton);
        delete watch;
        QCOMPARE(m_messages, g.messages);
        QCOMPARE(budgetOf(g.target), g.after);
        QCOMPARE(shown, g.replace);
        QCOMPARE(realisedChecked, g.realised && shown);
        QVERIFY(focusInField);
        QVERIFY(focusBack);
        if (shown)
            QCOMPARE(caption, "Gerar Orçamento de " + f.BtPeriodo->text());
        if (g.messages.endsWith(budget::texts::kGerado))
            QCOMPARE(model()->index(rowOf("1.01.01"), OrcModel::ValorOrcado).data().toString(),
                     app::formatMoney(app::Money::fromCentavos(g.after.at(111))));
    }

    void generationDialogLooks()
    {
        budget::TFormOrcBase &d = m_form->orcBase();
        d.setWindowTitle("Gerar Orçamento de Dezembro/2026");
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.Edit1->text(), QString("10"));
        QCOMPARE(d.focusWidget(), d.RadioCopia);
        QCOMPARE(d.Check1->text(), QString("Acrescido de             %"));
        QTest::mouseClick(d.Check1, Qt::LeftButton);
        QTest::mouseClick(d.Check2, Qt::LeftButton);
        QVERIFY(!d.Check1->isChecked());
        QVERIFY(d.Check2->isChecked());
        // Four decimals at most; "." is the comma; a sign is refused.
        d.Edit2->clear();
        QTest::keyClicks(d.Edit2, "-2.123456");
        QCOMPARE(d.Edit2->text(), QString("2,1234"));
        shot(&d, "gerar.png");
        d.reject();
    }

    void valueOfOneAccount()
    {
        // Typed as 0 or more; the sign comes from the account's group.
        QCOMPARE(orcar("2.05.01", "250"), QString("40,00"));
        QCOMPARE(budgetOf(kDez).at(241), qint64(-25000));
        QCOMPARE(cells("2.05.01").at(3), QString("250,00"));
        QCOMPARE(orcar("2.04.01", "1200,5"), QString());
        QCOMPARE(budgetOf(kDez).at(231), qint64(-120050));
        QCOMPARE(orcar("1.01.01", "3000"), QString("2500,00"));
        QCOMPARE(budgetOf(kDez).at(111), qint64(300000));
        // The row stays where it was after the screen is computed again.
        QCOMPARE(m_form->DBGrid1->currentIndex().siblingAtColumn(0).data().toString(),
                 QString("1.01.01"));
        // 0 removes the account's row.
        orcar("2.02.01", "0");
        QVERIFY(!budgetOf(kDez).count(221));
        QVERIFY(m_messages.isEmpty());
    }

    void valueRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("message");
        QTest::newRow("pasted with a thousands separator")
            << "1.250,00" << true << budget::texts::kValorInvalido;
        QTest::newRow("pasted negative") << "-5" << true << budget::texts::kValorNegativo;
        QTest::newRow("empty") << "" << false << budget::texts::kValorInvalido;
    }
    void valueRefusals()
    {
        QFETCH(QString, text);
        QFETCH(bool, paste);
        QFETCH(QString, message);
        orcar("2.05.01", text, paste);
        QCOMPARE(m_messages, QStringList{message});
        QCOMPARE(budgetOf(kDez).at(241), qint64(-4000));
    }

    void valueTypingRule()
    {
        selectCode("2.05.01");
        QString typed, caption, account;
        bool focused = false;
        whenModal<budget::TFormOrcEdit>([&](budget::TFormOrcEdit *e) {
            caption = e->windowTitle();
            account = e->LabelCta->text();
            focused = e->focusWidget() == e->EditValor;
            e->EditValor->clear();
            QTest::keyClicks(e->EditValor, "+1a2.345,6");
            typed = e->EditValor->text();
            shot(e, "orcar.png");
            QTest::mouseClick(e->BtCancel, Qt::LeftButton);
        });
        QTest::mouseClick(m_form->BtOrcar, Qt::LeftButton);
        QCOMPARE(caption, QString("Orçar Conta"));
        QCOMPARE(account, QString("2.05.01 - 241 - Combustível e Oleo"));
        QVERIFY(focused);
        QCOMPARE(typed, QString("12,34"));
        QCOMPARE(budgetOf(kDez).at(241), qint64(-4000));

        // A title row has no value of its own.
        bool opened = false;
        QTimer *watch = whenModal<budget::TFormOrcEdit>([&](budget::TFormOrcEdit *e) {
            opened = true;
            e->reject();
        });
        selectCode("2.05");
        QTest::mouseClick(m_form->BtOrcar, Qt::LeftButton);
        delete watch;
        QVERIFY(!opened);
        QCOMPARE(m_messages, QStringList{budget::texts::kSo3Nivel});
    }

    void searchResetsTheChoosers()
    {
        TFormOrcCalc &f = *m_form;
        f.ComboNivel->setCurrentIndex(1);
        f.activateWindow();
        f.DBGrid1->setFocus();
        QTest::keyClick(f.DBGrid1, Qt::Key_2);
        QVERIFY(f.PanelFindOrc->isVisible());
        QTest::keyClicks(f.EditFindOrc, "41");
        QTest::keyClick(f.EditFindOrc, Qt::Key_Return);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(f.ComboNivel->currentIndex(), 0);
        QCOMPARE(f.DBGrid1->currentIndex().siblingAtColumn(1).data().toInt(), 241);
        QTest::keyClick(f.DBGrid1, Qt::Key_9);
        QTest::keyClicks(f.EditFindOrc, ",99");
        QTest::keyClick(f.EditFindOrc, Qt::Key_Return);
        QTest::keyClick(f.DBGrid1, Qt::Key_1);
        QTest::keyClicks(f.EditFindOrc, "1");
        QTest::keyClick(f.EditFindOrc, Qt::Key_Return);
        QCOMPARE(m_messages,
                 (QStringList{"Conta '9.99' não encontrada!", "Código '11' não encontrado!"}));
    }

    void printOpensThePreview()
    {
        QString title;
        whenModal<reports::OptionsDialog>([&](reports::OptionsDialog *o) {
            whenModal<reports::PreviewWindow>([&](reports::PreviewWindow *w) {
                title = w->windowTitle();
                w->reject();
            });
            o->accept();
        });
        QTest::mouseClick(m_form->BtPrint, Qt::LeftButton);
        QCOMPARE(title, QString("Quorvila :: Relatórios"));
        QVERIFY(m_messages.isEmpty());
    }

    void csvOfTheViewThroughTheScreen()
    {
        m_form->ComboNivel->setCurrentIndex(1);
        const QString path = m_dir.path() + "/Orc.CSV";
        QString proposed;
        whenModal<QFileDialog>([&](QFileDialog *d) {
            proposed = QFileInfo(d->selectedFiles().value(0)).fileName();
            d->selectFile(path);
            static_cast<QDialog *>(d)->accept();
        });
        QTest::mouseClick(m_form->BtSaveCSV, Qt::LeftButton);
        QCOMPARE(proposed, QString("Orçamento.CSV"));
        QCOMPARE(m_messages, QStringList{"OK. Orçamento gravado no arquivo \r\n" +
                                         QDir::toNativeSeparators(path) + "!"});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.value(7), QByteArray("Or\xe7"
                                            "amento [Dezembro/2026];;;;;;;\r"));
        QCOMPARE(lines.value(11),
                 QByteArray(
                     "\"1.\";\"\";\"Entradas/Receitas\";\"2500\";\"2000\";\"80,00%\";\"-500\";\r"));
        QCOMPARE(lines.value(12), QByteArray("\"2.\";\"\";\"Sa\xed"
                                             "das/Despesas\";\"-340\";\"-50\";"
                                             "\"14,71%\";\"290\";\r"));
        QCOMPARE(lines.value(14), QByteArray(";;\"(=) Resultado do M\xea"
                                             "s\";2.160,00;1.950,00;90,28%;-210,00;\r"));
    }

    void helpButtonOpensTheBudgetPage()
    {
        QList<int> opened;
        app::setHelpOpener([&](int code) { opened << code; });
        m_form->activateWindow();
        m_form->DBGrid1->setFocus();
        QTest::keyClick(m_form->DBGrid1, Qt::Key_1);
        QVERIFY(m_form->PanelFindOrc->isVisible());
        QTest::mouseClick(m_form->BtFinHelp, Qt::LeftButton);
        app::setHelpOpener({});
        QVERIFY(!m_form->PanelFindOrc->isVisible());
        QCOMPARE(opened, QList<int>{2046});
    }
};

QTEST_MAIN(TestOrcCalc)
#include "tst_orccalc.moc"
