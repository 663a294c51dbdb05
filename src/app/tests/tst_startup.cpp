// The start-up sequence and the shell's shared services, driven as a user meets them.
#include <app/Quorvila.h>
#include <app/application.h>
#include <app/commandline.h>
#include <app/datalocation.h>
#include <app/error.h>
#include <app/mensagem.h>
#include <app/platformbox.h>
#include <app/tests/infobasefixture.h>
#include <app/tests/modaldriver.h>
#include <app/windowhints.h>

#include <data/UDM.h>
#include <data/catalogue.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>
#include <data/storageerror.h>
#include <main/UMain.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

using app::MsgButton;

// A layout of folders around the program: what exists before the data location is decided.
struct LayoutCase
{
    bool besideDados = false;   // bin/Dados
    bool besideInfo = false;    // bin/Dados/TbInfo.DB
    bool installedInfo = false; // the installed share/quorvila/TbInfo.DB
    QString dados;              // the --dados option, relative to the root; "" for none
    bool otherInfo = false;     // outra/TbInfo.DB
    QString dir;                // expected data folder, relative to the root
    QString infoBase;           // expected information base, relative; "" for none
    bool perUser = false;
    QString refusal; // a part of the expected refusal; "" for none
};
Q_DECLARE_METATYPE(LayoutCase)

struct CommandCase
{
    QStringList args;
    app::CommandLine::Action action = app::CommandLine::Action::Run;
    QString dados;
    QString error;
};
Q_DECLARE_METATYPE(CommandCase)

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
    void theLockIsTheDataFoldersWhateverTheEnvironment();
    void twoInstallationsRunSideBySide();
    void anUnwritableTemporaryFolderIsNoObstacle();
    void aLockThatCannotBeMadeSaysWhy();
    void firstStartInstallsAndSecondCreatesNothing();
    void interruptedFirstStartIsFinishedByTheNext_data();
    void interruptedFirstStartIsFinishedByTheNext();
    void usersFilesWithoutConfigAreNeverInstalledOver_data();
    void usersFilesWithoutConfigAreNeverInstalledOver();
    void configWithoutUsersEndsWithoutInstalling();
    void damagedSharedTableNamesTheFile_data();
    void damagedSharedTableNamesTheFile();
    void errorsReachingTheEventLoopAreShown();
    void titlesAreShownAsTheyAre_data();
    void titlesAreShownAsTheyAre();
    void qtTextsArePortuguese();
    void storageErrorsReachingTheEventLoopKeepTheirDetail();
    void mensagemKeepsTheDetailUnderAButton();
    void dialogWithoutCloseBox();
    void commandLine_data();
    void commandLine();
    void dataLocation_data();
    void dataLocation();
    void installedLayoutKeepsDataPerUser();
    void refusedDataFolderLeavesNothingMade_data();
    void refusedDataFolderLeavesNothingMade();
    void screenshots();

private:
    void makeInfoBase();
    app::StartupOptions options() const;
    bool runToReady(app::Quorvila &q);
    QString dados() const { return m_dir->path() + "/Dados"; }
    void expectRefusedStart(app::Quorvila &q);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_boxes;    // platform boxes: "E:" or "I:" + text
    QStringList m_messages; // Mensagem texts
    QStringList m_details;  // their details, one per message
};

void StartupTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkdir("Dados");
    m_boxes.clear();
    m_messages.clear();
    m_details.clear();
    app::setPlatformBoxResponder(
        [this](const QString &t, bool error) { m_boxes << (error ? "E:" : "I:") + t; });
    app::setMensagemDetailResponder([this](const QString &t, int, const QString &detail) {
        m_messages << t;
        m_details << detail;
        return MsgButton::Ok;
    });
}

void StartupTest::cleanup()
{
    app::setPlatformBoxResponder(nullptr);
    app::setMensagemResponder(nullptr);
    app::setMensagemDetailResponder(nullptr);
    data::FileBatch::setStopHook(nullptr);
}

void StartupTest::makeInfoBase()
{
    testsupport::makeEmptyInformationBase(m_dir->path() + "/Dados");
}

app::StartupOptions StartupTest::options() const
{
    return {m_dir->path() + "/Dados", false};
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
    app::setMensagemDetailResponder(nullptr);
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
    QVERIFY(!second.mainWindow());
    // The lock is a hidden file of the data folder itself.
    QVERIFY(QFile::exists(dados() + "/.quorvila.lock"));
}

// Restores an environment variable when the test ends.
struct EnvGuard
{
    explicit EnvGuard(const char *name)
        : name(name), value(qgetenv(name)), was(qEnvironmentVariableIsSet(name))
    {
    }
    ~EnvGuard()
    {
        if (was)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    const char *name;
    QByteArray value;
    bool was;
};

void StartupTest::theLockIsTheDataFoldersWhateverTheEnvironment()
{
    // Two copies on one Dados, run with another $USER and another $TMPDIR (a lost update and
    // stale balances were seen when both worked at once).
    makeInfoBase();
    EnvGuard user("USER"), tmp("TMPDIR");
    app::Quorvila first(options());
    QVERIFY(runToReady(first));
    QTemporaryDir otherTmp;
    qputenv("USER", "outra-pessoa");
    qputenv("TMPDIR", otherTmp.path().toLocal8Bit());
    app::Quorvila second(options());
    QVERIFY(!second.start());
    QCOMPARE(m_boxes, QStringList{"I:Programa Quorvila\r\njá está em uso!"});
}

void StartupTest::twoInstallationsRunSideBySide()
{
    // The same person with a second installation (another Dados) is not refused.
    makeInfoBase();
    QTemporaryDir other;
    testsupport::makeEmptyInformationBase(other.path() + "/Dados");
    app::Quorvila first(options());
    QVERIFY(runToReady(first));
    app::Quorvila second({other.path() + "/Dados", false});
    QVERIFY(runToReady(second));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(first.mainWindow()->isVisible());
}

void StartupTest::anUnwritableTemporaryFolderIsNoObstacle()
{
    makeInfoBase();
    EnvGuard tmp("TMPDIR");
    qputenv("TMPDIR", QByteArray(m_dir->path().toLocal8Bit() + "/nao-existe"));
    app::Quorvila q(options());
    QVERIFY(runToReady(q));
    QVERIFY(m_boxes.isEmpty());
}

void StartupTest::aLockThatCannotBeMadeSaysWhy()
{
    makeInfoBase();
    // Something that is no file stands where the lock must be made.
    QVERIFY(QDir(dados()).mkdir(".quorvila.lock"));
    app::Quorvila q(options());
    QVERIFY(!q.start());
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes[0].startsWith("E:Não foi possível criar o arquivo de controle de uso"));
    QVERIFY(m_boxes[0].contains(QDir::toNativeSeparators(dados())));
    QVERIFY(!m_boxes[0].contains("já está em uso"));
    QVERIFY(!q.mainWindow());
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

void StartupTest::interruptedFirstStartIsFinishedByTheNext_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("killed before the commit record") << -1;
    for (int k = 0; k <= 10; ++k)
        QTest::addRow("killed after %d renames", k) << k;
}

void StartupTest::interruptedFirstStartIsFinishedByTheNext()
{
    QFETCH(int, step);
    makeInfoBase();
    {
        // The first start, killed at this step of its commit.
        data::Database db;
        db.setDirDados(dados());
        data::FileBatch::setStopHook([step](int s) { return s == step; });
        bool stopped = false;
        try {
            data::installFirstRun(db, QDate::currentDate());
        } catch (const data::FileBatch::Stopped &) {
            stopped = true;
        }
        data::FileBatch::setStopHook(nullptr);
        QVERIFY(stopped);
    }
    app::Quorvila q(options());
    QVERIFY(runToReady(q));
    QCOMPARE(q.mainWindow()->windowTitle(),
             QString("Quorvila :: Finanças Pessoais  [0001  Nome do Usuário]"));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(" | ")));
    const QStringList files = QDir(dados()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 11); // TbInfo, TbCfg, TbUser and the eight of user 0001
    QVERIFY(files.filter(".new").isEmpty());
    QVERIFY(!QFile::exists(dados() + "/" + data::FileBatch::kCommitRecord));
    data::AttachGuard cta(q.dm()->db(), "Tb0001Cta.DB");
    QCOMPARE(q.dm()->db().scalar("SELECT count(*) FROM " + cta.table()).toInt(), 71);
    QCOMPARE(q.dm()->TbFin->recordCount(), 5);
}

void StartupTest::usersFilesWithoutConfigAreNeverInstalledOver_data()
{
    QTest::addColumn<QString>("cod");
    QTest::newRow("user 0002 only") << "0002";
    QTest::newRow("user 0001 without TbCfg and TbUser") << "0001";
}

void StartupTest::usersFilesWithoutConfigAreNeverInstalledOver()
{
    QFETCH(QString, cod);
    makeInfoBase();
    {
        data::Database db;
        db.setDirDados(dados());
        data::FileBatch batch(db);
        data::CriarArquivos(batch, cod);
        batch.commit();
    }
    const QStringList before = QDir(dados()).entryList(QDir::Files, QDir::Name);
    app::Quorvila q(options());
    QSignalSpy ended(&q, &app::Quorvila::terminated);
    QVERIFY(!runToReady(q));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(m_messages.size(), 1);
    const QString &m = m_messages[0];
    QVERIFY2(m.startsWith("A pasta de dados\r\n" + QDir::toNativeSeparators(dados()) + "\r\n"),
             qPrintable(m));
    QVERIFY(m.contains("TbCfg.DB e TbUser.DB"));
    QVERIFY(m.contains("Tb" + cod + "Fin.DB"));
    QVERIFY(m.contains("Tb" + cod + "BensCat.DB"));
    QVERIFY(!m.contains("Arquivo já existe"));
    // Nothing was created, nothing hidden, and no main window is left without a user.
    QCOMPARE(QDir(dados()).entryList(QDir::Files, QDir::Name), before);
    QVERIFY(!q.mainWindow()->isVisible());
    QVERIFY(!q.ready());
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

void StartupTest::damagedSharedTableNamesTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("TbCfg") << "TbCfg.DB";
    QTest::newRow("TbUser") << "TbUser.DB";
}

void StartupTest::damagedSharedTableNamesTheFile()
{
    QFETCH(QString, file);
    makeInfoBase();
    {
        data::Database db;
        db.setDirDados(dados());
        data::installFirstRun(db, QDate::currentDate());
    }
    QFile f(dados() + "/" + file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, '\x13'));
    f.close();
    app::Quorvila q(options());
    QVERIFY(!runToReady(q));
    QCOMPARE(m_messages.size(), 1);
    const QString &m = m_messages[0];
    QVERIFY2(m.startsWith("O arquivo\r\n" + QDir::toNativeSeparators(dados() + "/" + file) +
                          "\r\nestá danificado"),
             qPrintable(m));
    QVERIFY(!m.contains("não foram encontrados"));
    QVERIFY(!m.contains("file is not a database"));
    QVERIFY(m_details[0].contains("file is not a database"));
    QVERIFY(!q.mainWindow()->isVisible());
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
    QTest::newRow("main window") << "TFormMainQuorvila_Zx3307"
                                 << "Quorvila :: Finanças Pessoais  [0001  Nome do Usuário]";
    QTest::newRow("sign-in dialog") << "TFormUserSel"
                                    << "Quorvila :: Finanças Pessoais";
    QTest::newRow("message box") << "Mensagem"
                                 << "Quorvila";
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
        app::setMensagemDetailResponder(nullptr);
        testsupport::atNextDialog([&](QWidget *box) {
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

void StartupTest::storageErrorsReachingTheEventLoopKeepTheirDetail()
{
    data::TDM dm;
    dm.showDetailedMessage = [this](const QString &t, const QString &d) {
        m_messages << t;
        m_details << d;
    };
    QTimer::singleShot(0, [] {
        throw data::sqliteError(SQLITE_FULL, "database or disk is full", "INSERT INTO x",
                                {"/d/Tb0001Fin.DB"});
    });
    QTRY_COMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("Não há espaço livre no disco para gravar no arquivo"));
    QVERIFY(m_details[0].contains("database or disk is full"));
    QVERIFY(m_details[0].contains("INSERT INTO x"));
}

void StartupTest::mensagemKeepsTheDetailUnderAButton()
{
    app::setMensagemDetailResponder(nullptr);
    app::setMensagemResponder(nullptr);
    const QString detail = "attempt to write a readonly database (SQLite 8)\r\n" +
                           QString("INSERT INTO \"Tb0001Fin\".Tabela (") +
                           QString("\"Campo\", ").repeated(80) + ")";
    bool hiddenFirst = false, shownAfter = false, fits = false;
    QString shownDetail;
    testsupport::atNextDialog([&](QWidget *box) {
        auto *text = box->findChild<QPlainTextEdit *>("TextDetalhes");
        auto *button = box->findChild<QPushButton *>("BtDetalhes");
        QVERIFY(text && button);
        hiddenFirst = !text->isVisible();
        button->click();
        shownAfter = text->isVisible();
        shownDetail = text->toPlainText();
        fits = box->width() <= box->screen()->availableGeometry().width();
        // Enter still answers the default button, not the details one.
        QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(
        int(app::Mensagem(data::sqliteErrorText(SQLITE_READONLY, {"/d/Tb0001Fin.DB"}), 0, detail)),
        int(MsgButton::Ok));
    QVERIFY(hiddenFirst);
    QVERIFY(shownAfter);
    QVERIFY(shownDetail.startsWith("attempt to write a readonly database"));
    QVERIFY(fits);

    // Without a detail there is no such button, and a line too long for the screen is wrapped.
    int width = 0;
    bool noButton = false;
    testsupport::atNextDialog([&](QWidget *box) {
        noButton = !box->findChild<QPushButton *>("BtDetalhes");
        width = box->width();
        QTest::keyClick(box, Qt::Key_Return);
    });
    app::Mensagem(QString("palavra ").repeated(400), 0);
    QVERIFY(noButton);
    QVERIFY(width > 0 && width <= QApplication::primaryScreen()->availableGeometry().width());
}

// On X11 the window manager is told that such a dialog can only be moved: no close box, no
// minimise or maximise button. Other platforms have no such hint to give.
void StartupTest::dialogWithoutCloseBox()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP(
            "window-manager hints exist on X11 only (run under xvfb-run with QT_QPA_PLATFORM=xcb)");
    QDialog dlg;
    dlg.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    app::withoutCloseBox(&dlg);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    constexpr long kMove = 4;
    QCOMPARE(app::motifFunctionsOf(&dlg), kMove);
}

void StartupTest::commandLine_data()
{
    using A = app::CommandLine::Action;
    QTest::addColumn<CommandCase>("c");
    QTest::newRow("no arguments start the program") << CommandCase{{}, A::Run, "", ""};
    QTest::newRow("--dados names the folder")
        << CommandCase{{"--dados", "/m/pen"}, A::Run, "/m/pen", ""};
    QTest::newRow("--dados=folder names it too")
        << CommandCase{{"--dados=/m/pen"}, A::Run, "/m/pen", ""};
    QTest::newRow("the folder after --dados is taken as it is")
        << CommandCase{{"--dados", "--help"}, A::Run, "--help", ""};
    QTest::newRow("--help wins over a wrong word")
        << CommandCase{{"palavra", "--help"}, A::Help, "", ""};
    QTest::newRow("-h is --help") << CommandCase{{"-h"}, A::Help, "", ""};
    QTest::newRow("help wins over version") << CommandCase{{"--version", "-h"}, A::Help, "", ""};
    QTest::newRow("-v is --version") << CommandCase{{"--dados", "/x", "-v"}, A::Version, "/x", ""};
    QTest::newRow("--dados without a folder")
        << CommandCase{{"--dados"}, A::Error, "", "A opção --dados precisa do nome de uma pasta."};
    QTest::newRow("--dados= with nothing after it")
        << CommandCase{{"--dados="}, A::Error, "", "A opção --dados precisa do nome de uma pasta."};
    QTest::newRow("--dados twice") << CommandCase{{"--dados", "/a", "--dados=/b"},
                                                  A::Error,
                                                  "/b",
                                                  "A opção --dados foi dada mais de uma vez."};
    QTest::newRow("an unknown option")
        << CommandCase{{"--nada", "palavra"}, A::Error, "", "Opção desconhecida: --nada"};
    QTest::newRow("a stray word") << CommandCase{
        {"palavra"}, A::Error, "", "Argumento inesperado: palavra"};
}

void StartupTest::commandLine()
{
    QFETCH(CommandCase, c);
    const app::CommandLine line = app::parseCommandLine(QStringList{"quorvila"} + c.args);
    QCOMPARE(int(line.action), int(c.action));
    QCOMPARE(line.dados, c.dados);
    QCOMPARE(line.error, c.error);
}

void StartupTest::dataLocation_data()
{
    QTest::addColumn<LayoutCase>("c");
    LayoutCase c;
    c = {};
    c.besideDados = c.besideInfo = true;
    c.dir = c.infoBase = "bin/Dados";
    QTest::newRow("portable: the Dados beside the program") << c;
    c.installedInfo = true;
    QTest::newRow("a Dados beside an installed program still wins") << c;
    c = {};
    c.installedInfo = true;
    c.dir = "home/Dados";
    c.infoBase = "share/quorvila";
    c.perUser = true;
    QTest::newRow("installed: each person's data in the per-user location") << c;
    c = {};
    c.dir = "bin/Dados";
    QTest::newRow("nothing delivered: no information base, no per-user folder") << c;
    c = {};
    c.installedInfo = c.otherInfo = true;
    c.dados = c.dir = c.infoBase = "outra";
    QTest::newRow("--dados with its own information base") << c;
    c.otherInfo = false;
    c.infoBase = "share/quorvila";
    QTest::newRow("--dados of an installed program reads the installed base") << c;
    c = {};
    c.besideDados = c.besideInfo = true;
    c.dados = c.dir = "outra";
    c.infoBase = "bin/Dados";
    QTest::newRow("--dados of a portable program reads the base beside it") << c;
    c = {};
    c.installedInfo = true;
    c.dados = c.dir = "arquivo";
    c.infoBase = "share/quorvila";
    c.refusal = "O caminho indicado em --dados não é uma pasta:\r\n";
    QTest::newRow("--dados naming a file is refused") << c;
    c.dados = c.dir = "falta";
    c.refusal = "A pasta de dados indicada em --dados não foi encontrada:\r\n";
    QTest::newRow("--dados naming a missing folder is refused") << c;
}

void StartupTest::dataLocation()
{
    QFETCH(LayoutCase, c);
    const QString root = m_dir->path();
    const QString bin = root + "/bin", share = app::installedShareDir(bin);
    auto touch = [](const QString &path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    };
    QDir().mkpath(bin + (c.besideDados ? "/Dados" : ""));
    QDir().mkpath(root + "/outra");
    touch(root + "/arquivo");
    if (c.besideInfo)
        touch(bin + "/Dados/TbInfo.DB");
    if (c.installedInfo)
        touch(share + "/TbInfo.DB");
    if (c.otherInfo)
        touch(root + "/outra/TbInfo.DB");
    QCOMPARE(share, root + "/share/quorvila");
    // A relative --dados is the working folder's, as on any command line.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(root);
    const app::DataLocation loc = app::locateData(bin, c.dados, root + "/home/Dados");
    QDir::setCurrent(cwd);
    QCOMPARE(loc.dir, root + '/' + c.dir);
    QCOMPARE(loc.infoBase,
             c.infoBase.isEmpty() ? QString() : root + '/' + c.infoBase + "/TbInfo.DB");
    QCOMPARE(loc.perUser, c.perUser);
    QCOMPARE(loc.refusal.isEmpty(), c.refusal.isEmpty());
    if (!c.refusal.isEmpty())
        QVERIFY2(loc.refusal.startsWith(c.refusal + QDir::toNativeSeparators(loc.dir)),
                 qPrintable(loc.refusal));
}

void StartupTest::installedLayoutKeepsDataPerUser()
{
    // The program in <root>/bin without a Dados beside it, the information base installed in
    // share/quorvila: the first start makes the per-user folder (and those above it) and installs
    // there, reading the information base where it was installed.
    const QString root = m_dir->path();
    const QString bin = root + "/bin", perUser = root + "/home/.local/share/Quorvila/Dados";
    QDir().mkpath(bin);
    testsupport::makeEmptyInformationBase(app::installedShareDir(bin));
    const QStringList delivered = QDir(app::installedShareDir(bin)).entryList(QDir::Files);
    app::Quorvila q({"", false}, {bin, perUser});
    QVERIFY(runToReady(q));
    QCOMPARE(q.dm()->DirDados(), perUser);
    QVERIFY(q.dm()->TbInfo->isActive());
    const QStringList files = QDir(perUser).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 10); // TbCfg, TbUser and the eight of user 0001: no TbInfo copy
    QVERIFY(files.contains("TbCfg.DB") && files.contains("Tb0001Fin.DB"));
    for (const QString &made : {root + "/home/.local", perUser})
        QCOMPARE(QFileInfo(made).permissions() & (QFile::ReadGroup | QFile::ReadOther),
                 QFileDevice::Permissions());
    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(QDir(app::installedShareDir(bin)).entryList(QDir::Files), delivered);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void StartupTest::refusedDataFolderLeavesNothingMade_data()
{
    QTest::addColumn<QString>("dados");   // the --dados option, relative to the root
    QTest::addColumn<QString>("perUser"); // the per-user location, relative to the root
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("--dados naming a file")
        << "home/arquivo"
        << "home/pessoal/Dados"
        << QStringList{"O caminho indicado em --dados não é uma pasta", "home/arquivo"};
    QTest::newRow("--dados naming a missing folder")
        << "home/falta"
        << "home/pessoal/Dados"
        << QStringList{"A pasta de dados indicada em --dados não foi encontrada", "home/falta"};
    QTest::newRow("a file where a folder of the per-user location goes")
        << ""
        << "home/arquivo/Quorvila/Dados"
        << QStringList{"Não foi possível criar a pasta de dados", "home/arquivo/Quorvila/Dados",
                       "Já existe um arquivo com o nome"};
    // Two folders are made before the third fails: both must go again.
    QTest::newRow("a folder that cannot be made halfway down")
        << ""
        << "home/a/b/" + QString(300, 'x') + "/Dados"
        << QStringList{"Não foi possível criar a pasta de dados",
                       "O nome da pasta é longo demais."};
}

void StartupTest::refusedDataFolderLeavesNothingMade()
{
    QFETCH(QString, dados);
    QFETCH(QString, perUser);
    QFETCH(QStringList, parts);
    const QString root = m_dir->path();
    const QString bin = root + "/bin";
    QDir().mkpath(bin);
    QDir().mkpath(root + "/home");
    QFile file(root + "/home/arquivo");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    testsupport::makeEmptyInformationBase(app::installedShareDir(bin));
    app::Quorvila q({dados.isEmpty() ? QString() : root + '/' + dados, false},
                    {bin, root + '/' + perUser});
    QVERIFY(!q.start());
    QVERIFY(!q.mainWindow());
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes[0].startsWith("E:"));
    for (const QString &part : parts)
        QVERIFY2(m_boxes[0].contains(QDir::toNativeSeparators(part)), qPrintable(m_boxes[0]));
    QCOMPARE(QDir(root + "/home").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"arquivo"});
    QCOMPARE(QFileInfo(root + "/home/arquivo").size(), 0);
    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    StartupTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_startup.moc"
