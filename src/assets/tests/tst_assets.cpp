// The asset screens on the first run's installation, driven as a user drives them: the editor's
// refusals with their messages and focus, a save with a pending change and the page's totals,
// the search with characters that are wildcards in SQL, and renumbering a category in use.
#include <assets/UBensCat.h>
#include <assets/UBensCatEdit.h>
#include <assets/UBensEdit.h>
#include <assets/UBensPesq.h>
#include <assets/UBensVlrEdit.h>
#include <assets/assetspage.h>
#include <assets/assetstore.h>

#include <accounts/mnemonicbutton.h>
#include <app/dates.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <app/tests/modaldriver.h>

#include <memory>

using namespace assets;

struct EditorCase
{
    QString descr = "Carro";
    QString cat = "1";
    QString dt = "10/03/2026";
    QString valor = "1000,00";
    QString message;
    QString focus;
};
Q_DECLARE_METATYPE(EditorCase)

class TestAssets : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<AssetsPage> m_page;
    PageActions m_actions;
    QStringList m_messages;
    app::MsgButton m_answer = app::MsgButton::Yes;

    void shot(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
        if (!dir.isEmpty())
            w->grab().save(dir + "/" + name);
    }
    qint64 count(data::Table *t, const QString &where = "1")
    {
        return m_dm->db()
            .scalar("SELECT count(*) FROM " + t->sqlName() + " WHERE " + where)
            .toLongLong();
    }
    void addAsset(const QString &descr, qint64 cat, qint64 centavos, const QString &obs = {})
    {
        m_dm->db().exec("INSERT INTO " + m_dm->TbBens->sqlName() +
                            " (Codigo, DtAquisicao, VlrAquisicao, Descricao, CodCat, Obs) VALUES "
                            "(?, '2026-01-15', ?, ?, ?, ?)",
                        {nextAssetCode(Register::of(*m_dm)), centavos, descr, cat,
                         obs.isEmpty() ? QVariant() : QVariant(obs)});
        m_dm->TbBens->refresh();
    }
    template <class T> T *child(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qFatal("no %s", name);
        return c;
    }

private Q_SLOTS:
    void initTestCase()
    {
        app::setTodayForTests({2026, 12, 10});
        app::setMensagemResponder([this](const QString &text, int) {
            m_messages << text;
            return m_answer;
        });
    }
    void init()
    {
        m_messages.clear();
        m_answer = app::MsgButton::Yes;
        m_page.reset();
        m_dm = std::make_unique<data::TDM>();
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_dm->DataModuleCreate(m_dir.path());
        data::installFirstRun(m_dm->db(), {2026, 12, 10});
        m_dm->openSharedTables();
        m_dm->pointUserTables("0001");
        m_dm->OpenUserFiles();
        for (QAction **a :
             {&m_actions.ActionIncluirBem, &m_actions.ActionEditarBem, &m_actions.ActionExcluirBem,
              &m_actions.ActionReplicarBem, &m_actions.ActionLocalizarBem,
              &m_actions.ActionCategorias, &m_actions.ActionOqueeControleDeBens})
            *a = new QAction("x", this);
        m_page = std::make_unique<AssetsPage>(
            *m_dm,
            [] {
                return std::pair{QDate(2026, 12, 1), QDate(2026, 12, 31)};
            },
            m_actions);
        m_page->resize(629, 415);
        m_page->show();
        m_page->signIn();
        m_page->entered();
    }
    void cleanup()
    {
        m_page.reset();
        m_dm.reset();
    }

    void editorRefusals_data()
    {
        QTest::addColumn<EditorCase>("c");
        EditorCase c;
        c.descr = "";
        c.message = "O \"Nome/Descrição do Bem\" deve ser preenchido!";
        c.focus = "EditDescr";
        QTest::newRow("no description") << c;
        c = {};
        c.cat = "";
        c.message = "A \"Categoria\" do Bem deve ser preenchida!";
        c.focus = "EditCat";
        QTest::newRow("no category") << c;
        c = {};
        c.cat = "42"; // typed and saved with the focus still in the field
        c.message = "Este código de \"Categoria\"\r\né inexistente. Redigite!";
        c.focus = "EditCat";
        QTest::newRow("missing category, mend 1") << c;
        c = {};
        c.dt = "";
        c.message = "Você precisa digitar a \"Data de Aquisição\" do Bem!\r\nSe você não lembra a "
                    "data exata, digite uma data aproximada!";
        c.focus = "EditDt";
        QTest::newRow("no date") << c;
        c = {};
        c.dt = "31/02/2026";
        c.message = "Data '31/02/2026' inválida. Verifique!";
        c.focus = "EditDt";
        QTest::newRow("impossible date") << c;
        c = {};
        c.valor = "0";
        c.message = "O \"Valor de Aquisição\" deve ser maior que zero!";
        c.focus = "EditValor";
        QTest::newRow("zero value") << c;
    }
    void editorRefusals()
    {
        QFETCH(EditorCase, c);
        QString focused;
        testsupport::whenModal<TFormBensEdit>([&](TFormBensEdit *e) {
            e->EditDescr->setText(c.descr);
            e->EditCat->setText(c.cat);
            e->EditDt->setText(c.dt);
            e->EditValor->setText(c.valor);
            // The field of the case has the focus, as when the user saves with Alt+G.
            QLineEdit *f = e->findChild<QLineEdit *>(c.focus);
            f->setFocus();
            QTest::qWait(1);
            m_messages.clear();
            e->BtOk->click();
            QTest::qWait(1);
            focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
            e->reject();
        });
        m_page->ActionIncluirBemExecute();
        QCOMPARE(m_messages.value(0), c.message);
        QCOMPARE(focused, c.focus);
        QCOMPARE(count(m_dm->TbBens), 0);
    }

    void saleBeforeAcquisitionIsRefusedThenAValidSaveCounts()
    {
        testsupport::whenModal<TFormBensEdit>([&](TFormBensEdit *e) {
            e->EditDescr->setText("Moto");
            e->EditCat->setText("1");
            e->EditDt->setText("10/03/2026");
            e->EditValor->setText("1000,00");
            e->AtualizarValorTotal();
            testsupport::whenModal<TFormBensVlrEdit>([](TFormBensVlrEdit *v) {
                v->Motivo->button(2)->setChecked(true);
                v->EditDt->setText("09/03/2026");
                v->EditValor->setText("1000,00");
                v->findChild<QPushButton *>("BtOk")->click();
            });
            e->BtNovo->click();
            shot(e, "bensedit.png");
            m_messages.clear();
            e->BtOk->click();
            QCOMPARE(m_messages.value(0), "Data de Atualização do Valor do Bem\r\nnão pode ser "
                                          "menor que a Data de Aquisição!");
            QCOMPARE(count(m_dm->TbBensVlr), 0);
            // Dated in the period and worth half: a devaluation.
            testsupport::whenModal<TFormBensVlrEdit>([this](TFormBensVlrEdit *v) {
                v->Motivo->button(1)->setChecked(true);
                v->EditDt->setText("05/12/2026");
                v->EditValor->setText("400,00");
                shot(v, "bensvlredit.png");
                v->findChild<QPushButton *>("BtOk")->click();
            });
            e->DBGrid1->selectRow(0);
            e->BtEditar->click();
            QCOMPARE(e->LabelValorTotal->text(), "600,00");
            e->BtOk->click();
        });
        m_page->ActionIncluirBemExecute();
        QCOMPARE(count(m_dm->TbBens), 1);
        QCOMPARE(count(m_dm->TbBensVlr, "TipoVlr=1 AND Valor=40000"), 1);
        QCOMPARE(m_page->label("LabelSlAntBens")->text(), "1.000,00  ");
        QCOMPARE(m_page->label("LabelSlDecBens")->text(), "-400,00  ");
        QVERIFY(m_page->label("LabelSlDecBens")->styleSheet().contains("#FF0000"));
        QCOMPARE(m_page->label("LabelSlAtuBens")->text(), "600,00 ");
        QCOMPARE(m_page->label("LabelCapSlAntBens")->text(), " Valor dos Bens em (30/11/2026)");
        QCOMPARE(m_page->label("LabelRecCountBens")->text(), "[1]");
        QCOMPARE(m_page->grid()->model()->index(0, 6).data().toString(), "600,00");

        // Deleting asks, and takes the change along.
        m_page->ActionExcluirBemExecute();
        QCOMPARE(count(m_dm->TbBens), 0);
        QCOMPARE(count(m_dm->TbBensVlr), 0);
    }

    void searchLooksForTypedCharactersLiterally()
    {
        addAsset("TV 42\" sala", 3, 150050);
        addAsset("Ação 100% quitada", 5, 1000);
        addAsset("arquivo_velho", 4, 1000);
        addAsset("arquivo velho 100 quitada", 6, 1000);
        addAsset("Moto", 3, 1000, "comprada com o CARRO");
        m_page->grid()->setFocus();
        shot(m_page.get(), "assetspage.png");
        TFormBensPesq *s = m_page->search();
        QStringList found;
        const auto search = [&](const QString &tx, const QString &vlr, const QString &cat) {
            testsupport::whenModal<TFormBensPesq>([&, tx, vlr, cat](TFormBensPesq *p) {
                p->EditTx->setText(tx);
                p->EditVlr->setText(vlr);
                p->EditCat->setText(cat);
                m_messages.clear();
                p->BtPesq->click();
                found.clear();
                for (const AssetRow &r : p->result())
                    found << r.descricao;
                shot(p, "benspesq.png");
                p->reject();
            });
            s->run();
            return found;
        };
        QCOMPARE(search("42\"", "", ""), QStringList{"TV 42\" sala"});
        QCOMPARE(search("0%", "", ""), QStringList{"Ação 100% quitada"});
        QCOMPARE(search("o_v", "", ""), QStringList{"arquivo_velho"});
        QCOMPARE(search("carro", "", ""), QStringList{"Moto"});
        QCOMPARE(search("", "1500,5", ""), QStringList{"TV 42\" sala"});
        QCOMPARE(search("", "", " 3  5"),
                 (QStringList{"Ação 100% quitada", "Moto", "TV 42\" sala"}));
        // A pasted letter never reaches the value or category fields: their validators drop it
        // (the rules refuse such a text too, should one get through).
        QString vlr, cat;
        testsupport::whenModal<TFormBensPesq>([&](TFormBensPesq *p) {
            p->EditVlr->setText("12a");
            p->EditCat->setText("3 x");
            vlr = p->EditVlr->text();
            cat = p->EditCat->text();
            p->reject();
        });
        s->run();
        QCOMPARE(vlr, "12");
        QCOMPARE(cat, "3 ");
    }

    void renumberingACategoryInUseAsksThenMovesItsAssets()
    {
        addAsset("Casa", 3, 1000);
        addAsset("Terreno", 3, 1000);
        TFormBensCat cat(*m_dm);
        QVERIFY(m_dm->TbBensCat->findKey({3}));
        // No: the editor stays open with the code unsaved; the starting categories end at 10.
        testsupport::whenModal<TFormBensCatEdit>([&](TFormBensCatEdit *e) {
            e->EditCodR->setText("50");
            m_answer = app::MsgButton::No;
            e->BtOk->click();
            QVERIFY(e->isVisible());
            QCOMPARE(m_messages.last(),
                     "Alterações não realizadas!\r\nRevise o código da Categoria!");
            m_answer = app::MsgButton::Yes;
            e->BtOk->click();
        });
        cat.BtEditarClick();
        QCOMPARE(count(m_dm->TbBens, "CodCat=50"), 2);
        QCOMPARE(count(m_dm->TbBensCat, "CodCat=3"), 0);
        QCOMPARE(m_messages.last(), "Alterações realizadas com sucesso!");
        // A code that exists is refused before any question.
        QVERIFY(m_dm->TbBensCat->findKey({50}));
        testsupport::whenModal<TFormBensCatEdit>([&](TFormBensCatEdit *e) {
            e->EditCodR->setText("5");
            m_messages.clear();
            e->BtOk->click();
            QCOMPARE(m_messages.value(0), "Código de Categoria \"05\" já existe!\r\nEscolha outro "
                                          "código para esta Categoria!");
            e->reject();
        });
        cat.BtEditarClick();
        QCOMPARE(count(m_dm->TbBens, "CodCat=50"), 2);
        cat.show();
        shot(&cat, "benscat.png");
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
