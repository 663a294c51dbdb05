// The start-up sequence and the shell's shared services, driven as a user meets them.
#include <app/Quorvila.h>
#include <app/application.h>
#include <app/error.h>
#include <app/mensagem.h>
#include <app/platformbox.h>
#include <app/tests/infobasefixture.h>
#include <app/tests/modaldriver.h>

#include <data/UDM.h>
#include <data/catalogue.h>
#include <main/UMain.h>

#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using app::MsgButton;

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void mensagemDefaults_data();
    void mensagemDefaults();
    void missingInformationBaseStopsTheStart();
    void secondCopyShowsOnlyTheInUseBox();
    void firstStartInstallsAndSecondCreatesNothing();
    void configWithoutUsersEndsWithoutInstalling();
    void errorsReachingTheEventLoopAreShown();
    void titlesAreShownAsTheyAre_data();
    void titlesAreShownAsTheyAre();
    void qtTextsArePortuguese();
    void screenshots();

private:
    void makeInfoBase();
    app::StartupOptions options() const;
    bool runToReady(app::Quorvila &q);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_boxes;    // platform boxes: "E:" or "I:" + text
    QStringList m_messages; // Mensagem texts
};

void StartupTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkdir("Dados");
    m_boxes.clear();
    m_messages.clear();
    app::setPlatformBoxResponder(
        [this](const QString &t, bool error) { m_boxes << (error ? "E:" : "I:") + t; });
    app::setMensagemResponder([this](const QString &t, int) {
        m_messages << t;
        return MsgButton::Ok;
    });
}

void StartupTest::cleanup()
{
    app::setPlatformBoxResponder(nullptr);
    app::setMensagemResponder(nullptr);
}

void StartupTest::makeInfoBase()
{
    testsupport::makeEmptyInformationBase(m_dir->path() + "/Dados");
}

app::StartupOptions StartupTest::options() const
{
    return {m_dir->path() + "/Dados", m_dir->path() + "/quorvila.lock", false};
}

bool StartupTest::runToReady(app::Quorvila &q)
{
    if (!q.start())
        return false;
    // Signs in as the first user as soon as the sign-in dialog is up.
    QTimer signIn;
    connect(&signIn, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->objectName() == "TFormUserSel" && w->isVisible())
            w->findChild<QPushButton *>("BtOk")->click();
    });
    signIn.start(10);
    QSignalSpy ended(&q, &app::Quorvila::terminated);
    (void)QTest::qWaitFor([&] { return q.ready() || ended.count() > 0; }, 5000);
    return q.ready();
}

void StartupTest::mensagemDefaults_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("answer");
    QTest::newRow("kind 0 answers OK") << 0 << int(MsgButton::Ok);
    QTest::newRow("kind 1 defaults to Yes") << 1 << int(MsgButton::Yes);
    QTest::newRow("kind 2 defaults to No") << 2 << int(MsgButton::No);
    QTest::newRow("unknown kind behaves as 0") << 7 << int(MsgButton::Ok);
}

void StartupTest::mensagemDefaults()
{
    QFETCH(int, kind);
    QFETCH(int, answer);
    app::setMensagemResponder(nullptr);
    QString caption, text;
    testsupport::atNextDialog([&](QWidget *box) {
        caption = box->windowTitle();
        text = box->findChild<QLabel *>("LabelMensagem")->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(int(app::Mensagem("Excluir?\r\nTem certeza", kind)), answer);
    QCOMPARE(caption, QString("Quorvila"));
    QCOMPARE(text, QString("Excluir?\nTem certeza"));
}

void StartupTest::missingInformationBaseStopsTheStart()
{
    app::Quorvila q(options());
    QVERIFY(!q.start());
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes[0].startsWith("E:> Arquivos essenciais para o funcionamento do\r\nprograma "));
    QVERIFY(!q.mainWindow());
    QCOMPARE(QDir(m_dir->path() + "/Dados").entryList(QDir::Files), QStringList());
}

void StartupTest::secondCopyShowsOnlyTheInUseBox()
{
    makeInfoBase();
    app::Quorvila first(options());
    QVERIFY(runToReady(first));
    app::Quorvila second(options());
    QVERIFY(!second.start());
    QCOMPARE(m_boxes, QStringList{"I:Programa Quorvila\r\njá está em uso!"});
    QVERIFY(first.mainWindow()->isVisible());
}

void StartupTest::firstStartInstallsAndSecondCreatesNothing()
{
    makeInfoBase();
    const QString dados = m_dir->path() + "/Dados";
    {
        app::Quorvila q(options());
        QVERIFY(runToReady(q));
        QCOMPARE(q.mainWindow()->windowTitle(),
                 QString("Quorvila :: Finanças Pessoais  [0001  Nome do Usuário]"));
        QCOMPARE(q.dm()->TbUser->asString("Nome"), QString("Nome do Usuário"));
    }
    const QStringList files = QDir(dados).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 11); // TbInfo, TbCfg, TbUser and the eight of user 0001
    // A changed sample entry survives the second start: nothing is installed again.
    {
        data::Database db;
        db.setDirDados(dados);
        data::AttachGuard g(db, "Tb0001Fin.DB");
        db.exec("DELETE FROM " + g.table() + " WHERE Codigo = 1");
    }
    app::Quorvila again(options());
    QVERIFY(runToReady(again));
    QCOMPARE(QDir(dados).entryList(QDir::Files, QDir::Name), files);
    data::Database db;
    db.setDirDados(dados);
    data::AttachGuard g(db, "Tb0001Fin.DB");
    QCOMPARE(db.scalar("SELECT count(*) FROM " + g.table()).toInt(), 4);
    QVERIFY(m_messages.isEmpty());
}

void StartupTest::configWithoutUsersEndsWithoutInstalling()
{
    makeInfoBase();
    QFile cfg(m_dir->path() + "/Dados/TbCfg.DB");
    QVERIFY(cfg.open(QIODevice::WriteOnly));
    cfg.close();
    app::Quorvila q(options());
    QVERIFY(!runToReady(q));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith(">> Arquivos essenciais"));
    QVERIFY(!QFile::exists(m_dir->path() + "/Dados/TbUser.DB"));
    QVERIFY(!QFile::exists(m_dir->path() + "/Dados/Tb0001Fin.DB"));
}

void StartupTest::errorsReachingTheEventLoopAreShown()
{
    // Without a registered handler, the text reaches a kind-0 message.
    QTimer::singleShot(0, [] { QUORVILA_THROW(app::StorageError, QString("Violação de chave")); });
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages, QStringList{"Violação de chave"});
    // The shell registers the data module's handler at start-up.
    makeInfoBase();
    m_messages.clear();
    {
        app::Quorvila q(options());
        QVERIFY(q.start());
        q.dm()->showMessage = [this](const QString &t) {
            m_messages << "handler:" + t;
        };
        QVERIFY(!app::guarded([] { QUORVILA_THROW(app::StorageError, QString("Disco cheio")); }));
        QCOMPARE(m_messages, QStringList{"handler:Disco cheio"});
    }
    // The shell's handler goes with it.
    QVERIFY(!app::guarded([] { QUORVILA_THROW(app::StorageError, QString("Depois")); }));
    QCOMPARE(m_messages.last(), QString("Depois"));
}

// Under a window manager Qt appends " — " + the application display name to every window title
// that does not already end with it, whenever a display name was set. Each caption here is
// complete on its own, so none may be set: the display name must still follow the application
// name, as it does only while unset. Before, every title ended in
// " — Quorvila :: Finanças Pessoais" ("Quorvila — Quorvila :: Finanças Pessoais" in the boxes).
static QString titleShownByThePlatform(const QWidget *w)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("probe-name");
    const bool displayNameSet = QGuiApplication::applicationDisplayName() != "probe-name";
    QCoreApplication::setApplicationName(name);
    const QString display = QGuiApplication::applicationDisplayName();
    QString title = w->windowTitle();
    if (displayNameSet && !title.endsWith(display))
        title += " \u2014 " + display;
    return title;
}

void StartupTest::titlesAreShownAsTheyAre_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("main window")
        << "TFormMainQuorvila_Zx3307" << "Quorvila :: Finanças Pessoais  [0001  Nome do Usuário]";
    QTest::newRow("sign-in dialog") << "TFormUserSel" << "Quorvila :: Finanças Pessoais";
    QTest::newRow("message box") << "Mensagem" << "Quorvila";
}

void StartupTest::titlesAreShownAsTheyAre()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    makeInfoBase();
    app::Quorvila q(options());
    QVERIFY(runToReady(q));
    QString shown;
    if (window == "Mensagem") {
        app::setMensagemResponder(nullptr);
        QTimer::singleShot(50, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            shown = titleShownByThePlatform(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
        app::Mensagem("Gravado!", 0);
    } else {
        const QWidgetList all = QApplication::allWidgets();
        const auto it = std::find_if(all.begin(), all.end(),
                                     [&](QWidget *w) { return w->objectName() == window; });
        QVERIFY(it != all.end());
        shown = titleShownByThePlatform(*it);
    }
    QCOMPARE(shown, title);
}

// Qt's own dialogs, buttons and context menus speak Portuguese once the program started, when
// Qt's translations are installed on the machine; without them Qt's English stays quietly.
void StartupTest::qtTextsArePortuguese()
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + "/qtbase_pt_BR.qm"))
        QSKIP("Qt's Portuguese translations (qt6-translations-l10n) are not installed");
    makeInfoBase();
    app::Quorvila q(options());
    QVERIFY(q.start());
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QString("Salvar como"));
    QLineEdit edit;
    edit.setText("abc");
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction *a : menu->actions())
        if (!a->isSeparator())
            texts << a->text().section('\t', 0, 0);
    QVERIFY2(texts.contains("&Copiar") && texts.contains("C&olar"), qPrintable(texts.join('|')));
}

// Not a check: with QUORVILA_SHOTS set to a directory, saves a picture of a file dialog there.
void StartupTest::screenshots()
{
    const QString dir = qEnvironmentVariable("QUORVILA_SHOTS");
    if (dir.isEmpty())
        QSKIP("QUORVILA_SHOTS not set");
    makeInfoBase();
    app::Quorvila q(options());
    QVERIFY(runToReady(q));
    QFileDialog dlg(q.mainWindow(), "Salvar Plano de Contas em Arquivo CSV", m_dir->path(),
                    "Arquivos CSV (*.csv *.CSV)");
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::qWait(200);
    dlg.grab().save(dir + "/file-dialog.png");
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    StartupTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_startup.moc"
