// The user-management screen, its editor and the progress window, driven through their
// controls over an installation in a temporary folder.
#include <app/mensagem.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>
#include <users/UUser.h>
#include <users/UUserFiles.h>
#include <users/UUserMng.h>
#include <users/UUserMngEdit.h>
#include <users/backup.h>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using app::MsgButton;
using testsupport::whenModal;

class UserMngTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void creatingAUserAsksThenMakesItsFiles();
    void editorRefusesWithFocusOnTheField_data();
    void editorRefusesWithFocusOnTheField();
    void signedInUserCannotBeDeletedOthersCan();
    void orderByNameIsKept();
    void generalBackupAndRestoreThroughTheButtons();
    void userFilesPageBacksUpRestoresAndReindexes();
    void screenshots();

private:
    void click(const char *name) { m_screen->findChild<QPushButton *>(name)->click(); }
    void fillEditor(std::function<void(QWidget *)> fill);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<users::TFormUserMng> m_screen;
    QStringList m_messages;
    MsgButton m_answer = MsgButton::Yes;
};

void UserMngTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_dir->path() + "/Dados", m_dir->path());
    QDir().mkpath(m_dm->DirDados());
    data::installFirstRun(m_dm->db(), QDate(2026, 12, 10));
    m_dm->openSharedTables();
    m_dm->pointUserTables("0001");
    m_dm->OpenUserFiles();
    m_messages.clear();
    m_answer = MsgButton::Yes;
    app::setMensagemResponder([this](const QString &t, int kind) {
        m_messages << t;
        return kind == 0 ? MsgButton::Ok : m_answer;
    });
    m_screen = std::make_unique<users::TFormUserMng>(*m_dm);
    m_screen->show();
}

void UserMngTest::cleanup()
{
    m_screen.reset();
    m_dm.reset();
    app::setMensagemResponder(nullptr);
}

void UserMngTest::fillEditor(std::function<void(QWidget *)> fill)
{
    whenModal<users::TFormUserMngEdit>([fill](users::TFormUserMngEdit *d) {
        fill(d);
        d->findChild<QPushButton *>("BtOk")->click();
        if (d->isVisible())
            d->findChild<QPushButton *>("BtCancel")->click();
    });
}

void UserMngTest::creatingAUserAsksThenMakesItsFiles()
{
    fillEditor([](QWidget *d) {
        QCOMPARE(d->windowTitle(), QString("Criar Novo Usuário"));
        QCOMPARE(d->findChild<QLineEdit *>("DBEdit8")->text(), QString("0002"));
        QTest::keyClicks(d->findChild<QLineEdit *>("DBEditNome"), "Maria");
    });
    click("BtNovo");
    QVERIFY(m_messages.value(0).startsWith("Você tem certeza que deseja criar o usuário\r\n\r\n"
                                           "[0002 Maria]"));
    QVERIFY(m_messages.value(1).startsWith("Novo usuário criado com sucesso."));
    QVERIFY(QFile::exists(m_dm->db().pathOf("Tb0002Fin.DB")));
    QVERIFY(m_dm->TbUser->locate("Cod", 2));

    // Answering No makes nothing.
    m_messages.clear();
    m_answer = MsgButton::No;
    fillEditor(
        [](QWidget *d) { QTest::keyClicks(d->findChild<QLineEdit *>("DBEditNome"), "Jose"); });
    click("BtNovo");
    QCOMPARE(m_messages.value(1), QString("Usuário não foi criado!"));
    QVERIFY(!QFile::exists(m_dm->db().pathOf("Tb0003Fin.DB")));
}

void UserMngTest::editorRefusesWithFocusOnTheField_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("redigitar");
    QTest::addColumn<QString>("focus");
    QTest::newRow("empty name") << ""
                                << ""
                                << ""
                                << "DBEditNome";
    QTest::newRow("three letters") << "Ana"
                                   << "abc"
                                   << "abc"
                                   << "DBEditSenha";
    QTest::newRow("retype differs") << "Ana"
                                    << "abcd"
                                    << "abce"
                                    << "EditSenha";
}

void UserMngTest::editorRefusesWithFocusOnTheField()
{
    QFETCH(QString, nome);
    QFETCH(QString, senha);
    QFETCH(QString, redigitar);
    QFETCH(QString, focus);
    QString focused;
    whenModal<users::TFormUserMngEdit>([&](users::TFormUserMngEdit *d) {
        QTest::keyClicks(d->findChild<QLineEdit *>("DBEditNome"), nome);
        if (!senha.isEmpty()) {
            d->findChild<QCheckBox *>("CheckSenha")->click();
            QTest::keyClicks(d->findChild<QLineEdit *>("DBEditSenha"), senha);
            QTest::keyClicks(d->findChild<QLineEdit *>("EditSenha"), redigitar);
        }
        d->findChild<QPushButton *>("BtOk")->click();
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        QVERIFY(d->isVisible());
        d->findChild<QPushButton *>("BtCancel")->click();
    });
    click("BtNovo");
    QCOMPARE(focused, focus);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(!QFile::exists(m_dm->db().pathOf("Tb0002Fin.DB")));
}

void UserMngTest::signedInUserCannotBeDeletedOthersCan()
{
    m_dm->TbUser->locate("Cod", 1);
    click("BtExcluir");
    QVERIFY(m_messages.value(0).startsWith("Exclusão deste usuário não permitida."));
    QVERIFY(QFile::exists(m_dm->db().pathOf("Tb0001Fin.DB")));

    fillEditor(
        [](QWidget *d) { QTest::keyClicks(d->findChild<QLineEdit *>("DBEditNome"), "Pedro"); });
    click("BtNovo");
    m_messages.clear();
    QVERIFY(m_dm->TbUser->locate("Cod", 2));
    click("BtExcluir");
    QCOMPARE(m_messages.value(1), QString("Usuário [Pedro]\r\nfoi excluído com sucesso!"));
    QVERIFY(!QFile::exists(m_dm->db().pathOf("Tb0002Fin.DB")));
    QVERIFY(!m_dm->TbUser->locate("Cod", 2));
}

void UserMngTest::orderByNameIsKept()
{
    auto *grid = m_screen->findChild<QTableView *>("DBGridUser");
    Q_EMIT grid->horizontalHeader()->sectionClicked(1);
    QCOMPARE(m_dm->TbUser->indexName(), QString("IdxNome"));
    QCOMPARE(m_dm->TbCfg->asInt("UserOrder"), 1);
    Q_EMIT grid->horizontalHeader()->sectionClicked(3); // only the first two titles order
    QCOMPARE(m_dm->TbCfg->asInt("UserOrder"), 1);
    Q_EMIT grid->horizontalHeader()->sectionClicked(0);
    QCOMPARE(m_dm->TbUser->indexName(), QString());
    QCOMPARE(m_dm->TbCfg->asInt("UserOrder"), 0);
}

void UserMngTest::generalBackupAndRestoreThroughTheButtons()
{
    const QString kbf = m_dir->path() + "/copia.KBF";
    whenModal<QFileDialog>([kbf](QFileDialog *d) {
        QCOMPARE(d->windowTitle(), QString("Gravar Backup Geral no Arquivo:"));
        QVERIFY(d->selectedFiles().value(0).contains("QuorvilaBackupGeral"));
        d->selectFile(kbf);
        static_cast<QDialog *>(d)->accept();
    });
    click("BtBackup");
    QCOMPARE(m_messages.value(1),
             "Ok. Backup Geral gravado no arquivo\r\n" + QDir::toNativeSeparators(kbf) + "!");
    QCOMPARE(users::readBackupHeader(kbf).userCount, 1);

    m_messages.clear();
    whenModal<QFileDialog>([kbf](QFileDialog *d) {
        d->selectFile(kbf);
        static_cast<QDialog *>(d)->accept();
    });
    click("BtRestore");
    QCOMPARE(m_messages.size(), 3);
    QVERIFY(m_messages[0].contains("contém dados de\r\n1 usuário(s) e foi gerado em "));
    QCOMPARE(m_messages[2], QString("Backup Geral Restaurado!"));
    QCOMPARE(m_screen->fecharTag(), 1);
    QVERIFY(!m_screen->isVisible());
    QVERIFY(m_dm->TbUser->isActive());
}

void UserMngTest::userFilesPageBacksUpRestoresAndReindexes()
{
    m_screen.reset();
    m_dm->TbUser->locate("Cod", 1);
    users::TFormUser page(*m_dm, 2);
    page.show();
    const QString kbf = m_dir->path() + "/usuario.KBF";
    whenModal<QFileDialog>([kbf](QFileDialog *d) {
        QCOMPARE(d->windowTitle(), QString("Gravar Backup no Arquivo:"));
        QVERIFY(d->selectedFiles().value(0).endsWith("QuorvilaBackupDoUsuario0001.KBF"));
        d->selectFile(kbf);
        static_cast<QDialog *>(d)->accept();
    });
    page.findChild<QPushButton *>("BtBackup")->click();
    QCOMPARE(m_messages.value(0), QString("Gravar Backup dos arquivos do usuário\r\n"
                                          "[0001 Nome do Usuário]?"));
    QCOMPARE(users::readBackupHeader(kbf).kind, QString("0001"));

    whenModal<QFileDialog>([kbf](QFileDialog *d) {
        d->selectFile(kbf);
        static_cast<QDialog *>(d)->accept();
    });
    page.findChild<QPushButton *>("BtRestore")->click();
    QCOMPARE(m_messages.last(), QString("Backup Restaurado!"));
    QCOMPARE(page.fecharTag(), 1);
    QVERIFY(m_dm->TbFin->isActive());
    QCOMPARE(m_dm->TbFin->recordCount(), 5);

    page.findChild<QPushButton *>("BtReindex")->click();
    QCOMPARE(m_messages.last(), QString("Ok. Reindexação realizada!"));
    QVERIFY(m_dm->TbFin->isActive());
}

void UserMngTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    if (dir.isEmpty())
        QSKIP("QUORVILA_SHOTS not set");
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    m_screen->grab().save(dir + "/TFormUserMng.png");
    m_screen->findChild<QTabWidget *>("PageControl1")->setCurrentIndex(1);
    m_screen->grab().save(dir + "/TFormUserMng_backup.png");
    users::TFormUserMngEdit *ed = m_screen->editor();
    ed->prepareCreate(2, {"0001 Nome do Usuário"});
    ed->show();
    QVERIFY(QTest::qWaitForWindowExposed(ed));
    ed->grab().save(dir + "/TFormUserMngEdit.png");
    ed->prepareEdit(1, {"Nome do Usuário", true, {}, {}, true}, true, true);
    ed->adjustSize();
    ed->grab().save(dir + "/TFormUserMngEdit_editar.png");
    ed->hide();
    users::TFormUserFiles status;
    status.start("Status do Backup Geral", "Campactando dados e gerando arquivo",
                 "QuorvilaBackupGeral10Dez2026_210509.KBF...");
    status.progress()(40, 100);
    QVERIFY(QTest::qWaitForWindowExposed(&status));
    status.grab().save(dir + "/TFormUserFiles.png");
}

QTEST_MAIN(UserMngTest)
#include "tst_usermng.moc"
