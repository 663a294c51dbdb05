// Sign-in, switching user and the preferences dialog, driven through the screens.
#include <app/Quorvila.h>
#include <app/application.h>
#include <app/mensagem.h>
#include <app/platformbox.h>
#include <app/tests/infobasefixture.h>
#include <app/tests/modaldriver.h>
#include <data/UDM.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>
#include <main/UMain.h>
#include <users/UUser.h>
#include <users/UUserSel.h>
#include <users/password.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using app::MsgButton;
using testsupport::atNextDialog;

namespace {

void signInAs(QWidget *dlg, int cod, const QString &senha)
{
    auto *look = dlg->findChild<QComboBox *>("DBLook");
    look->setCurrentIndex(look->findData(cod));
    Q_EMIT look->activated(look->currentIndex());
    auto *edit = dlg->findChild<QLineEdit *>("EditSenha");
    edit->clear();
    QTest::keyClicks(edit, senha);
    dlg->findChild<QPushButton *>("BtOk")->click();
}

} // namespace

class SignInTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void userWithoutPassword();
    void passwordIsCheckedWithoutRegardToCase_data();
    void passwordIsCheckedWithoutRegardToCase();
    void lastUserIsRememberedAcrossStarts();
    void closingTheDialogEndsTheProgram();
    void userWithoutTablesGetsTheDialogAgain();
    void switchingUserAndCancellingEnds();
    void preferencesSaveChecks_data();
    void preferencesSaveChecks();
    void preferencesKeepOrClearThePassword();
    void passwordFieldsShowAsterisks_data();
    void passwordFieldsShowAsterisks();
    void longNameFitsTheSignInBox();
    void userNameIsShownAsTyped();
    void screenshots();

private:
    void addUser(int cod, const QString &nome, const QString &senha, bool withTables = true);
    app::StartupOptions options() const { return {m_dir->path() + "/Dados", false}; }
    bool start(app::Quorvila &q);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
};

void SignInTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString dados = m_dir->path() + "/Dados";
    testsupport::makeEmptyInformationBase(dados);
    data::Database db;
    db.setDirDados(dados);
    data::installFirstRun(db, QDate(2026, 12, 10));
    m_messages.clear();
    app::setMensagemResponder([this](const QString &t, int) {
        m_messages << t;
        return MsgButton::Ok;
    });
    app::setPlatformBoxResponder([this](const QString &t, bool) { m_messages << t; });
}

void SignInTest::cleanup()
{
    app::setMensagemResponder(nullptr);
    app::setPlatformBoxResponder(nullptr);
}

void SignInTest::addUser(int cod, const QString &nome, const QString &senha, bool withTables)
{
    data::Database db;
    db.setDirDados(m_dir->path() + "/Dados");
    if (withTables) {
        data::FileBatch batch(db);
        data::CriarArquivos(batch, data::catalogue::codUsuario(cod));
        batch.commit();
    }
    data::AttachGuard u(db, "TbUser.DB");
    db.exec(
        "INSERT INTO " + u.table() +
            " (Cod, Nome, AtivarSenha, Senha, Admin) VALUES (?, ?, ?, ?, 0)",
        {cod, nome, !senha.isEmpty(), senha.isEmpty() ? QVariant() : users::hashPassword(senha)});
}

bool SignInTest::start(app::Quorvila &q)
{
    if (!q.start())
        return false;
    QSignalSpy ended(&q, &app::Quorvila::terminated);
    (void)QTest::qWaitFor([&] { return q.ready() || ended.count() > 0; }, 10000);
    return q.ready();
}

void SignInTest::userWithoutPassword()
{
    atNextDialog([](QWidget *d) {
        QVERIFY(!d->findChild<QLineEdit *>("EditSenha")->isEnabled());
        QCOMPARE(d->findChild<QLabel *>("LabelUser")->text(), QString("Nome do Usuário"));
        signInAs(d, 1, {});
    });
    app::Quorvila q(options());
    QVERIFY(start(q));
    QCOMPARE(q.mainWindow()->windowTitle(),
             QString("Quorvila :: Finanças Pessoais  [0001  Nome do Usuário]"));
    QCOMPARE(q.dm()->CodUsuario(), QString("0001"));
    QCOMPARE(q.dm()->TbFin->recordCount(), 5);
    QCOMPARE(q.userSel()->Tag, 1);
}

void SignInTest::passwordIsCheckedWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::newRow("as stored") << "MiNha12" << true << "";
    QTest::newRow("all lower case") << "minha12" << true << "";
    QTest::newRow("wrong") << "minha13" << false << "Senha não confere!\r\nPor favor, redigite!";
    QTest::newRow("empty keeps the focus silently") << "" << false << "";
}

void SignInTest::passwordIsCheckedWithoutRegardToCase()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    addUser(2, "Maria", "MiNha12");
    users::TFormUserSel *dlgSeen = nullptr;
    atNextDialog([&](QWidget *d) {
        dlgSeen = qobject_cast<users::TFormUserSel *>(d);
        signInAs(d, 2, typed);
        if (!accepted) {
            // Closed whatever the checks say, so a failure cannot leave the dialog up.
            auto close = qScopeGuard([d] { static_cast<QDialog *>(d)->reject(); });
            QVERIFY(d->isVisible());
            QCOMPARE(d->focusWidget(), d->findChild<QLineEdit *>("EditSenha"));
        }
    });
    app::Quorvila q(options());
    QCOMPARE(start(q), accepted);
    QVERIFY(dlgSeen);
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (accepted)
        QCOMPARE(q.dm()->CodUsuario(), QString("0002"));
}

void SignInTest::lastUserIsRememberedAcrossStarts()
{
    addUser(2, "Maria", {});
    atNextDialog([](QWidget *d) { signInAs(d, 2, {}); });
    {
        app::Quorvila q(options());
        QVERIFY(start(q));
    }
    int shown = -1;
    atNextDialog([&](QWidget *d) {
        shown = d->findChild<QComboBox *>("DBLook")->currentData().toInt();
        d->findChild<QPushButton *>("BtOk")->click();
    });
    app::Quorvila again(options());
    QVERIFY(start(again));
    QCOMPARE(shown, 2);
    QCOMPARE(again.dm()->CodUsuario(), QString("0002"));
}

void SignInTest::closingTheDialogEndsTheProgram()
{
    atNextDialog([](QWidget *d) { d->findChild<QPushButton *>("BtFechar")->click(); });
    app::Quorvila q(options());
    QSignalSpy ended(&q, &app::Quorvila::terminated);
    QVERIFY(!start(q));
    QCOMPARE(ended.count(), 1);
    QVERIFY(!q.dm()->TbFin->isActive());
    QCOMPARE(q.mainWindow()->windowTitle(), QString("Quorvila :: Finanças Pessoais"));
}

void SignInTest::userWithoutTablesGetsTheDialogAgain()
{
    addUser(3, "Sem Tabelas", {}, false);
    atNextDialog([](QWidget *d) {
        signInAs(d, 3, {});
        atNextDialog([](QWidget *again) { signInAs(again, 1, {}); });
    });
    app::Quorvila q(options());
    QVERIFY(start(q));
    QVERIFY(m_messages.contains("Erro ao inicializar usuário!"));
    QCOMPARE(q.dm()->CodUsuario(), QString("0001"));
}

void SignInTest::switchingUserAndCancellingEnds()
{
    addUser(2, "Maria", {});
    atNextDialog([](QWidget *d) { signInAs(d, 1, {}); });
    app::Quorvila q(options());
    QVERIFY(start(q));
    atNextDialog([](QWidget *d) { signInAs(d, 2, {}); });
    q.mainWindow()->ActionChangeUser->trigger();
    QCOMPARE(q.mainWindow()->windowTitle(),
             QString("Quorvila :: Finanças Pessoais  [0002  Maria]"));
    QSignalSpy ended(&q, &app::Quorvila::terminated);
    atNextDialog([](QWidget *d) { d->findChild<QPushButton *>("BtFechar")->click(); });
    q.mainWindow()->ActionChangeUser->trigger();
    QCOMPARE(ended.count(), 1);
}

struct PrefsCase
{
    QString nome = "Ana";
    bool senha = true;
    QString pass = "abcd12", retype = "abcd12";
    QString fechadoAte, proxDias = "5";
};
Q_DECLARE_METATYPE(PrefsCase)

void SignInTest::preferencesSaveChecks_data()
{
    QTest::addColumn<PrefsCase>("c");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    PrefsCase c;
    QTest::newRow("valid form saves") << c << QString() << QString();
    c = {};
    c.nome = "";
    QTest::newRow("empty name") << c << "O \"Nome do Usuário\"\r\ndeve ser preenchido!"
                                << "DBEditNome";
    c = {};
    c.pass = c.retype = "abc";
    QTest::newRow("short password")
        << c << "A Senha deve ter pelo\r\nmenos 4 caracteres. Verifique!"
        << "DBEditSenha";
    c = {};
    c.retype = "abcd13";
    QTest::newRow("retype mismatch")
        << c << "A Redigitação da Senha não\r\nconfere com a Senha. Verifique!"
        << "EditSenha";
    c = {};
    c.fechadoAte = "31/02/2024";
    QTest::newRow("invalid closing date") << c << "Data '31/02/2024' inválida. Verifique!"
                                          << "EditFechadoAte";
    c = {};
    c.proxDias = "1,5";
    QTest::newRow("days not a number") << c << "'1,5' não é um valor inteiro válido. Verifique!"
                                       << "EditProxDias";
}

void SignInTest::preferencesSaveChecks()
{
    QFETCH(PrefsCase, c);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    data::TDM dm;
    dm.DataModuleCreate(m_dir->path() + "/Dados");
    dm.openSharedTables();
    dm.pointUserTables("0001");
    users::TFormUser dlg(dm, 1);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const auto set = [&](const char *name, const QString &t) {
        auto *e = dlg.findChild<QLineEdit *>(name);
        e->clear();
        QTest::keyClicks(e, t);
    };
    set("DBEditNome", c.nome);
    auto *check = dlg.findChild<QCheckBox *>("CheckSenha");
    if (check->isChecked() != c.senha)
        check->click();
    set("DBEditSenha", c.pass);
    set("EditSenha", c.retype);
    set("EditFechadoAte", c.fechadoAte);
    set("EditProxDias", c.proxDias);
    // Saved with the mnemonic while the last field still has the focus.
    dlg.findChild<QLineEdit *>("EditProxDias")->setFocus();
    dlg.findChild<QPushButton *>("BtGravar")->click();
    if (message.isEmpty()) {
        QVERIFY(m_messages.isEmpty());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dm.TbUser->asString("Nome"), c.nome);
        QVERIFY(users::verifyPassword(dm.TbUser->asString("Senha"), c.pass.toUpper()));
        QCOMPARE(dm.TbUser->asInt("ProxDias"), 5);
        return;
    }
    QCOMPARE(m_messages.value(0), message);
    QVERIFY(dlg.isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    dlg.reject();
    dm.TbUser->refresh();
    QCOMPARE(dm.TbUser->asString("Nome"), QString("Nome do Usuário"));
    QVERIFY(!dm.TbUser->asBool("AtivarSenha"));
}

void SignInTest::preferencesKeepOrClearThePassword()
{
    addUser(2, "Maria", "Segredo1");
    data::TDM dm;
    dm.DataModuleCreate(m_dir->path() + "/Dados");
    dm.openSharedTables();
    QVERIFY(dm.TbUser->locate("Cod", 2));
    dm.pointUserTables("0002");
    const QString before = dm.TbUser->asString("Senha");
    {
        users::TFormUser dlg(dm, 1);
        dlg.show();
        QVERIFY(dlg.findChild<QLineEdit *>("DBEditSenha")->text().isEmpty()); // never shown back
        dlg.findChild<QPushButton *>("BtGravar")->click();
        QVERIFY(m_messages.isEmpty());
    }
    QCOMPARE(dm.TbUser->asString("Senha"), before);
    {
        users::TFormUser dlg(dm, 1);
        dlg.show();
        dlg.findChild<QCheckBox *>("CheckSenha")->click();
        dlg.findChild<QPushButton *>("BtGravar")->click();
    }
    QVERIFY(!dm.TbUser->asBool("AtivarSenha"));
    QVERIFY(dm.TbUser->isNull("Senha"));
    {
        users::TFormUser dlg(dm, 2);
        dlg.show();
        auto *pages = dlg.findChild<QTabWidget *>("PageControl1");
        QVERIFY(!pages->isTabVisible(0));
        QVERIFY(pages->isTabVisible(2));
        QVERIFY(dlg.findChild<QPushButton *>("BtFechar")->isVisible());
        QVERIFY(!dlg.findChild<QPushButton *>("BtGravar")->isVisible());
    }
}

// The platform styles mask with a bullet; the program's password fields show "*", also while a
// field is disabled and painted with its style sheet.
void SignInTest::passwordFieldsShowAsterisks_data()
{
    QTest::addColumn<int>("mode"); // 0: sign-in dialog, 1: preferences
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("cod");
    QTest::newRow("sign-in, user with password") << 0 << "EditSenha" << 2;
    QTest::newRow("sign-in, field disabled") << 0 << "EditSenha" << 1;
    QTest::newRow("preferences, password") << 1 << "DBEditSenha" << 2;
    QTest::newRow("preferences, retype") << 1 << "EditSenha" << 2;
}

void SignInTest::passwordFieldsShowAsterisks()
{
    QFETCH(int, mode);
    QFETCH(QString, field);
    QFETCH(int, cod);
    addUser(2, "Maria", "Segredo1");
    data::TDM dm;
    dm.DataModuleCreate(m_dir->path() + "/Dados");
    dm.openSharedTables();
    std::unique_ptr<QDialog> dlg;
    if (mode == 0) {
        dlg = std::make_unique<users::TFormUserSel>(dm);
        dlg->show();
        auto *look = dlg->findChild<QComboBox *>("DBLook");
        look->setCurrentIndex(look->findData(cod));
        Q_EMIT look->activated(look->currentIndex());
    } else {
        QVERIFY(dm.TbUser->locate("Cod", cod));
        dm.pointUserTables(data::catalogue::codUsuario(cod));
        dlg = std::make_unique<users::TFormUser>(dm, 1);
        dlg->show();
    }
    auto *edit = dlg->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    edit->setText("abc1");
    QCOMPARE(edit->displayText(), QString("****"));
    QCOMPARE(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit),
             int('*'));
    dlg->reject();
}

// A name as long as the user table allows (50 characters) fits the drop-down list, is shown
// whole beside the box, and leaves the password field as wide as with a short name. Before, the
// list stayed 275 pixels wide and cut the item, and the bold name squeezed the password field.
void SignInTest::longNameFitsTheSignInBox()
{
    int shortFieldWidth = 0;
    {
        data::TDM dm;
        dm.DataModuleCreate(m_dir->path() + "/Dados");
        dm.openSharedTables();
        users::TFormUserSel sel(dm);
        sel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sel));
        shortFieldWidth = sel.findChild<QLineEdit *>("EditSenha")->width();
        sel.findChild<QPushButton *>("BtFechar")->click();
    }
    const QString longName = "MARIA APARECIDA DE OLIVEIRA WANDERLEY MONTEIRO SAA";
    QCOMPARE(longName.size(), 50);
    addUser(2, longName, {});
    data::TDM dm;
    dm.DataModuleCreate(m_dir->path() + "/Dados");
    dm.openSharedTables();
    users::TFormUserSel sel(dm);
    sel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sel));
    auto *look = sel.findChild<QComboBox *>("DBLook");
    look->setCurrentIndex(look->findData(2));
    Q_EMIT look->activated(look->currentIndex());
    QVERIFY(sel.findChild<QLineEdit *>("EditSenha")->width() >= shortFieldWidth);
    auto *name = sel.findChild<QLabel *>("LabelUser");
    QCOMPARE(name->text(), longName);
    QVERIFY(QFontMetrics(name->font()).horizontalAdvance(longName) <= name->contentsRect().width());

    look->showPopup();
    QAbstractItemView *list = look->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    const QFontMetrics fm(list->font());
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int row = 0; row < look->count(); ++row) {
        const QString text = look->itemText(row);
        QVERIFY2(fm.horizontalAdvance(text) + margins <= list->viewport()->width(),
                 qPrintable(text));
    }
    look->hidePopup();
    sel.findChild<QPushButton *>("BtFechar")->click();
}

// A user's name is the user's own text: shown as typed, never read as markup.
void SignInTest::userNameIsShownAsTyped()
{
    addUser(2, "<i>Ana</i> Paula", {});
    data::TDM dm;
    dm.DataModuleCreate(m_dir->path() + "/Dados");
    dm.openSharedTables();
    users::TFormUserSel sel(dm);
    sel.show();
    auto *look = sel.findChild<QComboBox *>("DBLook");
    look->setCurrentIndex(look->findData(2));
    Q_EMIT look->activated(look->currentIndex());
    auto *name = sel.findChild<QLabel *>("LabelUser");
    QCOMPARE(name->text(), QString("<i>Ana</i> Paula"));
    QCOMPARE(name->textFormat(), Qt::PlainText);
    sel.findChild<QPushButton *>("BtFechar")->click();
}

// Not a check: with QUORVILA_SHOTS set to a directory, saves pictures of the screens there.
void SignInTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    if (dir.isEmpty())
        QSKIP("QUORVILA_SHOTS not set");
    addUser(2, "Maria", "Segredo1");
    addUser(3, "MARIA APARECIDA DE OLIVEIRA WANDERLEY MONTEIRO SAA", {});
    data::TDM dm;
    dm.DataModuleCreate(m_dir->path() + "/Dados");
    dm.openSharedTables();
    users::TFormUserSel sel(dm);
    sel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sel));
    sel.grab().save(dir + "/TFormUserSel.png");
    auto *look = sel.findChild<QComboBox *>("DBLook");
    look->setCurrentIndex(1);
    Q_EMIT look->activated(1);
    sel.grab().save(dir + "/TFormUserSel_senha.png");
    look->setCurrentIndex(2);
    Q_EMIT look->activated(2);
    sel.grab().save(dir + "/TFormUserSel_longname.png");
    sel.findChild<QPushButton *>("BtFechar")->click();
    dm.pointUserTables("0001");
    users::TFormUser dlg(dm, 1);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.grab().save(dir + "/TFormUser_info.png");
    dlg.findChild<QTabWidget *>("PageControl1")->setCurrentIndex(1);
    dlg.grab().save(dir + "/TFormUser_prefs.png");
    dlg.reject();
    users::TFormUser files(dm, 2);
    files.show();
    QVERIFY(QTest::qWaitForWindowExposed(&files));
    files.grab().save(dir + "/TFormUser_files.png");
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    SignInTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_signin.moc"
