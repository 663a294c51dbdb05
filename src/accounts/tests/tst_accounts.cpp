// The chart and history screens driven as a user drives them: the editors' checks with their
// messages and the field that gets the focus (saving by mnemonic, by click and by leaving the
// field), renumbering and deleting from the chart screen, the two look-up pop-ups' Tag and
// current record, and the exchange and CSV commands with their dialogs and messages.
#include <accounts/UCta.h>
#include <accounts/UCtaEdit.h>
#include <accounts/UCtaView.h>
#include <accounts/UHsto.h>
#include <accounts/UHstoEdit.h>
#include <accounts/UHstoView.h>
#include <accounts/chartfile.h>
#include <accounts/chartstore.h>

#include <app/application.h>
#include <app/mensagem.h>

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <reports/optionsdialog.h>
#include <reports/previewwindow.h>

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <app/tests/modaldriver.h>

#include <functional>
#include <memory>
#include <optional>

using namespace accounts;
using app::MsgButton;

using testsupport::whenModal;

namespace {

// Waits until `w` is the active window, so that keys and focus go to it.
bool activate(QWidget *w)
{
    w->activateWindow();
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}

template <class T> T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qWarning("no child %s", qPrintable(name));
    return w;
}

QPushButton *buttonOf(QWidget *parent, const QString &name)
{
    return child<QPushButton>(parent, name);
}

// Replaces a field's text the way typing does (so the record follows), with the focus in it.
void typeInto(QLineEdit *e, const QString &text)
{
    e->setFocus();
    e->selectAll();
    if (text.isEmpty())
        QTest::keyClick(e, Qt::Key_Backspace);
    else
        QTest::keyClicks(e, text);
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

QString gridCode(QTableView *grid)
{
    const QModelIndex i = grid->currentIndex();
    return i.isValid() ? grid->model()->index(i.row(), 0).data().toString() : QString();
}

bool selectCode(QTableView *grid, const QString &code)
{
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, 0).data().toString() == code) {
            grid->setCurrentIndex(grid->model()->index(r, 0));
            return true;
        }
    return false;
}

const QString kFormIncome =
    "Código de Conta Inválido.\r\nDigite o código de conta correto!\r\n(Formato deve ser "
    "\"1.xx\" ou \"1.xx.xx\")!";

enum class SaveBy { Mnemonic, Click, LeavingTheCode };

struct EditorCase
{
    int tab = 0;
    QString account;                         // empty: a new account
    std::optional<QString> descr, red, code; // typed in this order
    SaveBy action = SaveBy::Mnemonic;
    QStringList messages;
    QString focus; // the field with the focus afterwards, while the editor stays open
};

} // namespace

Q_DECLARE_METATYPE(EditorCase)

class AccountsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void chartEditorChecks_data();
    void chartEditorChecks();
    void includedAccountIsCurrentAndCounted();
    void renumberingAskedAndDone();
    void renumberingDeclinedChangesNothing();
    void deletingRefusals_data();
    void deletingRefusals();
    void deletingLastAccountOfGroupStaysInGroup();
    void ctaLookupFiltersAndChooses();
    void ctaLookupEscapeLeavesTagZero();
    void historyEditorChecks_data();
    void historyEditorChecks();
    void historyLookupChoosesByEnterOrClick();
    void chartImportNeedsNoEntries();
    void chartImportRefusesTamperedAndTakesGood();
    void chartImportRefusesOrphaningTheBudget();
    void chartCsvThroughTheScreen();
    void printShowsThePreview_data();
    void printShowsThePreview();
    void printRefusesWithoutRows_data();
    void printRefusesWithoutRows();

private:
    void runChart(const std::function<void(TFormCta &)> &driver);
    void withEditor(const std::function<void(TFormCtaEdit *)> &act);
    QString fileDialogAnswer(const QString &path);
    qint64 entriesWith(qint64 codRed);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
    QStringList m_messages;
    QList<int> m_kinds;
    QList<MsgButton> m_answers; // for the questions, in order; No when none is left
    QStringList m_proposed;     // file names the file dialogs proposed
};

void AccountsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_dir->path());
    data::installFirstRun(m_dm->db(), QDate(2026, 12, 10));
    m_dm->openSharedTables();
    m_dm->pointUserTables("0001");
    m_dm->OpenUserFiles();
    m_dm->showMessage = [](const QString &t) {
        app::Mensagem(t, 0);
    };
    m_messages.clear();
    m_kinds.clear();
    m_answers.clear();
    m_proposed.clear();
    app::setMensagemResponder([this](const QString &t, int kind) {
        m_messages << t;
        m_kinds << kind;
        if (kind == 0)
            return MsgButton::Ok;
        return m_answers.isEmpty() ? MsgButton::No : m_answers.takeFirst();
    });
}

void AccountsTest::cleanup()
{
    app::setMensagemResponder(nullptr);
    m_dm.reset();
    m_dir.reset();
}

void AccountsTest::runChart(const std::function<void(TFormCta &)> &driver)
{
    TFormCta form(*m_dm);
    whenModal<TFormCta>([&](TFormCta *f) {
        QVERIFY(activate(f));
        driver(*f);
        f->accept();
    });
    form.exec();
}

void AccountsTest::withEditor(const std::function<void(TFormCtaEdit *)> &act)
{
    whenModal<TFormCtaEdit>([act](TFormCtaEdit *e) {
        QVERIFY(activate(e));
        act(e);
        if (e->isVisible())
            buttonOf(e, "BtCancel")->click();
    });
}

QString AccountsTest::fileDialogAnswer(const QString &path)
{
    whenModal<QFileDialog>([this, path](QFileDialog *d) {
        m_proposed << QFileInfo(d->selectedFiles().value(0)).fileName();
        d->selectFile(path);
        static_cast<QDialog *>(d)->accept(); // QFileDialog's own accept is protected
    });
    return path;
}

qint64 AccountsTest::entriesWith(qint64 codRed)
{
    return m_dm->db()
        .scalar("SELECT count(*) FROM " + m_dm->TbFin->sqlName() +
                    " WHERE CtaDeb = ?1 OR CtaCred = ?1",
                {codRed})
        .toLongLong();
}

// ---------------------------------------------------------------- the account editor

void AccountsTest::chartEditorChecks_data()
{
    QTest::addColumn<EditorCase>("c");
    const QString range = "Código Reduzido de Conta é Inválido!\r\nDigite um código (Cod "
                          "Red>=%1 e Cod Red<=%2)!";
    EditorCase c;
    c = {};
    c.tab = 1;
    c.descr = "Aposentadoria";
    c.messages = QStringList{"Digite o código da Conta!"};
    c.focus = "EditCta";
    QTest::newRow("bare prefix is emptied and asked for") << c;
    c = {};
    c.tab = 1;
    c.code = "1.5";
    c.action = SaveBy::LeavingTheCode;
    c.messages = QStringList{kFormIncome};
    c.focus = "EditCta";
    QTest::newRow("one-digit title refused on leaving") << c;
    c.code = "1.05.3";
    QTest::newRow("one-digit analytical refused on leaving") << c;
    c.code = "2.04";
    QTest::newRow("expense code on the income tab") << c;
    c = {};
    c.tab = 1;
    c.descr = "X";
    c.red = "150";
    c.code = "1.015.5";
    c.messages = QStringList{kFormIncome};
    c.focus = "EditCta";
    QTest::newRow("malformed code saved by mnemonic") << c;
    c.action = SaveBy::Click;
    QTest::newRow("malformed code saved by click") << c;
    c = {};
    c.tab = 0;
    c.descr = "Vale";
    c.red = "5";
    c.code = "0.01.05";
    c.messages = QStringList{range.arg(10).arg(99)};
    c.focus = "EditCodR";
    QTest::newRow("cash reduced code five") << c;
    c.tab = 2;
    c.red = "200";
    c.code = "2.04.07";
    c.messages = QStringList{range.arg(201).arg(299)};
    QTest::newRow("expense reduced code two hundred") << c;
    c.red = "241";
    c.messages = QStringList{"Código Reduzido de Conta \"241\" já existe!\r\nEscolha outro "
                             "codigo reduzido para esta conta!"};
    QTest::newRow("reduced code taken") << c;
    c.red = "250";
    c.code = "2.13";
    c.messages = QStringList{"Contas de Nível 1 e 2 servem para totalizar saldos\r\ne não "
                             "podem receber lançamentos, portanto\r\nnão precisam de Código "
                             "Reduzido! Delete-o!"};
    QTest::newRow("title with reduced code") << c;
    c = {};
    c.tab = 2;
    c.red = "239";
    c.code = "2.04.07";
    c.messages = QStringList{"Nome/Descrição da Conta precisa ser preenchido!"};
    c.focus = "EditDescr";
    QTest::newRow("empty name") << c;
    c = {};
    c.tab = 2;
    c.account = "2.04";
    c.code = "2.13";
    c.messages = QStringList{"Você não pode alterar o código\r\nde conta que tem subcontas!"};
    c.focus = "EditCta";
    QTest::newRow("title with accounts renamed") << c;
    c = {};
    c.tab = 2;
    c.account = "2.05.01";
    c.descr = "Gasolina";
    QTest::newRow("account in use renamed without renumbering") << c;
}

void AccountsTest::chartEditorChecks()
{
    QFETCH(EditorCase, c);
    QStringList messages;
    QString focus = "(closed)";
    bool ran = false;
    runChart([&](TFormCta &f) {
        child<QTabWidget>(&f, "PageCta")->setCurrentIndex(c.tab);
        auto *grid = child<QTableView>(&f, "DBGridCta");
        withEditor([&](TFormCtaEdit *e) {
            ran = true;
            const std::pair<const std::optional<QString> *, const char *> fields[] = {
                {&c.descr, "EditDescr"}, {&c.red, "EditCodR"}, {&c.code, "EditCta"}};
            for (auto [text, name] : fields)
                if (*text)
                    typeInto(child<QLineEdit>(e, name), **text);
            QWidget *focused = QApplication::focusWidget();
            if (c.action == SaveBy::Mnemonic)
                QTest::keyClick(focused, Qt::Key_G, Qt::AltModifier);
            else if (c.action == SaveBy::Click)
                QTest::mouseClick(buttonOf(e, "BtOk"), Qt::LeftButton);
            else
                QTest::keyClick(focused, Qt::Key_Tab);
            messages = m_messages;
            if (e->isVisible())
                focus = focusName();
        });
        if (c.account.isEmpty()) {
            buttonOf(&f, "BtNovo")->click();
        } else {
            QVERIFY(selectCode(grid, c.account));
            buttonOf(&f, "BtEditar")->click();
        }
    });
    QVERIFY(ran);
    QCOMPARE(messages, c.messages);
    QCOMPARE(focus, c.messages.isEmpty() ? QString("(closed)") : c.focus);
    if (c.messages.isEmpty() && c.descr) {
        QVERIFY(m_dm->TbCta->findKey({c.account}));
        QCOMPARE(m_dm->TbCta->asString("Descricao"), *c.descr);
    }
}

void AccountsTest::includedAccountIsCurrentAndCounted()
{
    QString current, count, caption, title;
    runChart([&](TFormCta &f) {
        child<QTabWidget>(&f, "PageCta")->setCurrentIndex(2);
        caption = buttonOf(&f, "BtNovo")->text();
        withEditor([&](TFormCtaEdit *e) {
            title = e->windowTitle();
            // The prefix "2." stays with the caret after it: only the rest is typed.
            auto *code = child<QLineEdit>(e, "EditCta");
            QTRY_COMPARE(code->cursorPosition(), 2);
            QVERIFY(!code->hasSelectedText());
            QTest::keyClicks(code, "04.07");
            typeInto(child<QLineEdit>(e, "EditCodR"), "239");
            typeInto(child<QLineEdit>(e, "EditDescr"), "Internet");
            buttonOf(e, "BtOk")->click();
        });
        buttonOf(&f, "BtNovo")->click();
        current = gridCode(child<QTableView>(&f, "DBGridCta"));
        count = child<QLabel>(&f, "RecNoSai")->text();
    });
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(caption, QString("Incluir Conta de Despesa"));
    QCOMPARE(title, QString("Nova Conta de Saída/Despesa"));
    QCOMPARE(current, QString("2.04.07"));
    QCOMPARE(count, QString("48 contas"));
    QVERIFY(m_dm->TbCta->findKey({"2.04.07"}));
    QCOMPARE(m_dm->TbCta->asInt("CodRed"), 239);
}

static const QString kRenumber =
    "A alteração de código reduzido de conta afeta registros de lançamentos.\r\nTODOS os "
    "registros de lançamentos de Conta \"241\" serão alterados para \"245\"\r\n"
    "independentemente de data de lançamentos!\r\n\r\nConfirma esta operação?";

void AccountsTest::renumberingAskedAndDone()
{
    m_answers << MsgButton::Yes;
    QString title;
    runChart([&](TFormCta &f) {
        child<QTabWidget>(&f, "PageCta")->setCurrentIndex(2);
        QVERIFY(selectCode(child<QTableView>(&f, "DBGridCta"), "2.05.01"));
        withEditor([&](TFormCtaEdit *e) {
            title = e->windowTitle();
            typeInto(child<QLineEdit>(e, "EditCodR"), "245");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
        });
        buttonOf(&f, "BtEditar")->click();
    });
    QCOMPARE(title, QString("Editar Conta: [2.05.01 241 Combustível e Oleo]"));
    QCOMPARE(m_messages, (QStringList{kRenumber, "Alterações realizadas com sucesso!"}));
    QCOMPARE(m_kinds, (QList<int>{2, 0}));
    QCOMPARE(entriesWith(241), 0);
    QCOMPARE(entriesWith(245), 1);
    QVERIFY(m_dm->TbCta->findKey({"2.05.01"}));
    QCOMPARE(m_dm->TbCta->asInt("CodRed"), 245);
}

void AccountsTest::renumberingDeclinedChangesNothing()
{
    QString focus;
    bool open = false;
    runChart([&](TFormCta &f) {
        child<QTabWidget>(&f, "PageCta")->setCurrentIndex(2);
        QVERIFY(selectCode(child<QTableView>(&f, "DBGridCta"), "2.05.01"));
        withEditor([&](TFormCtaEdit *e) {
            typeInto(child<QLineEdit>(e, "EditCodR"), "245");
            typeInto(child<QLineEdit>(e, "EditDescr"), "Gasolina");
            buttonOf(e, "BtOk")->click();
            open = e->isVisible();
            focus = focusName();
        });
        buttonOf(&f, "BtEditar")->click();
    });
    QCOMPARE(m_messages, (QStringList{kRenumber, "Alterações não realizadas!\r\nRevise o Código "
                                                 "Reduzido de Conta!"}));
    QVERIFY(open);
    QCOMPARE(focus, QString("EditCodR"));
    QCOMPARE(entriesWith(241), 1);
    QVERIFY(m_dm->TbCta->findKey({"2.05.01"}));
    QCOMPARE(m_dm->TbCta->asInt("CodRed"), 241);
    QCOMPARE(m_dm->TbCta->asString("Descricao"), QString("Combustível e Oleo"));
}

// ---------------------------------------------------------------- deleting

void AccountsTest::deletingRefusals_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    const QString roots = "As contas [0 Saldo/Circulante], [1 Entradas/Receitas]\r\ne [2 "
                          "Saídas/Despesas] não podem ser editadas ou excluídas!\r\n\r\nVeja "
                          "explicações mais detalhadas na ajuda do Plano de Contas.";
    QTest::newRow("group root") << 2 << "2" << roots;
    QTest::newRow("title with accounts")
        << 2 << "2.04"
        << "Esta conta não pode ser excluída!\r\n\r\nPara excluí-la, seria necessário excluir "
           "antes\r\nas contas que estão abaixo desta!";
    QTest::newRow("account with entries")
        << 0 << "0.01.03"
        << "Esta conta não pode ser excluída\r\npois possui registros de lançamento!\r\n\r\nPara "
           "excluí-la, seria necessário excluir antes\r\nestes registros de lançamento!";
}

void AccountsTest::deletingRefusals()
{
    QFETCH(int, tab);
    QFETCH(QString, code);
    QFETCH(QString, message);
    runChart([&](TFormCta &f) {
        child<QTabWidget>(&f, "PageCta")->setCurrentIndex(tab);
        QVERIFY(selectCode(child<QTableView>(&f, "DBGridCta"), code));
        buttonOf(&f, "BtExcluir")->click();
    });
    QCOMPARE(m_messages, QStringList{message});
    QCOMPARE(ChartStore(*m_dm).rows().size(), size_t(71));
}

void AccountsTest::deletingLastAccountOfGroupStaysInGroup()
{
    m_answers << MsgButton::Yes;
    QString current, count;
    runChart([&](TFormCta &f) {
        auto *grid = child<QTableView>(&f, "DBGridCta");
        QVERIFY(selectCode(grid, "0.03.02"));
        buttonOf(&f, "BtExcluir")->click();
        current = gridCode(grid);
        count = child<QLabel>(&f, "RecNoCirc")->text();
    });
    QCOMPARE(m_messages, QStringList{"Tem certeza que deseja excluir esta Conta?\r\n\r\nCódigo "
                                     "Conta: 0.03.02\r\nCódigo Reduzido: 32\r\nConta: Fundo de "
                                     "Aplicação Banco 2"});
    QCOMPARE(current, QString("0.03.01"));
    QCOMPARE(count, QString("10 contas"));
    QVERIFY(!ChartStore(*m_dm).codeExists("0.03.02"));
}

// ---------------------------------------------------------------- the look-ups

void AccountsTest::ctaLookupFiltersAndChooses()
{
    TFormCtaView view(*m_dm);
    view.Tag = 0;
    view.FiltroCta = "(CodCta>='1' and CodCta<'2')";
    view.CodCtaIni = "1.03.01";
    int analytical = 0, all = 0;
    QString startedOn, afterTick;
    whenModal<TFormCtaView>([&](TFormCtaView *v) {
        auto *grid = child<QTableView>(v, "DBGrid1");
        analytical = grid->model()->rowCount();
        startedOn = gridCode(grid);
        child<QCheckBox>(v, "Check1")->setChecked(true);
        all = grid->model()->rowCount();
        afterTick = gridCode(grid);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Return);
    });
    view.showAt(QPoint(100, 100));
    QCOMPARE(analytical, 8);
    QCOMPARE(startedOn, QString("1.03.01"));
    QCOMPARE(all, 13);
    QCOMPARE(afterTick, QString("1.03.01"));
    QCOMPARE(view.Tag, 1);
    QCOMPARE(m_dm->TbCta->asString("CodCta"), QString("1.03.02"));
    QCOMPARE(m_dm->TbCta->asInt("CodRed"), 132);
}

void AccountsTest::ctaLookupEscapeLeavesTagZero()
{
    TFormCtaView view(*m_dm);
    view.Tag = 0;
    view.FiltroCta = "(CodCta<'1' or CodCta>='2')";
    view.CodCtaIni = "";
    QString first;
    whenModal<TFormCtaView>([&](TFormCtaView *v) {
        auto *grid = child<QTableView>(v, "DBGrid1");
        first = gridCode(grid);
        QTest::keyClick(grid, Qt::Key_Escape);
    });
    view.showAt(QPoint(100, 100));
    QCOMPARE(view.Tag, 0);
    QCOMPARE(first, QString("0.01.01"));
}

// ---------------------------------------------------------------- histories

void AccountsTest::historyEditorChecks_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("descr");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("empty code") << false << ""
                                << "TAXI"
                                << "Por favor, digite um Código.\r\n\r\nEste é o código que "
                                   "deverá ser\r\nutilizado para facilitar a digitação\r\nna "
                                   "inclusão de lançamentos!"
                                << "EditCodR";
    QTest::newRow("empty text") << false << "15"
                                << ""
                                << "Campo \"Descrição do Histórico\"\r\nprecisa ser preenchido!"
                                << "EditDescr";
    QTest::newRow("code taken") << false << "11"
                                << "TAXI"
                                << "Código já existe.\r\nPor favor, escolha outro!"
                                << "EditCodR";
    QTest::newRow("edited onto another code") << true << "12"
                                              << "SAQUE"
                                              << "Código já existe.\r\nPor favor, escolha outro!"
                                              << "EditCodR";
    QTest::newRow("new history") << false << "15"
                                 << "TAXI <M>"
                                 << ""
                                 << "(closed)";
    QTest::newRow("edited keeping its code") << true << "11"
                                             << "SAQUE"
                                             << ""
                                             << "(closed)";
}

void AccountsTest::historyEditorChecks()
{
    QFETCH(bool, editing);
    QFETCH(QString, code);
    QFETCH(QString, descr);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TFormHsto form(*m_dm);
    QString focusAfter = "(closed)", codeKept, descrKept;
    whenModal<TFormHsto>([&](TFormHsto *f) {
        whenModal<TFormHstoEdit>([&](TFormHstoEdit *e) {
            QVERIFY(activate(e));
            typeInto(child<QLineEdit>(e, "EditDescr"), descr);
            typeInto(child<QLineEdit>(e, "EditCodR"), code);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
            if (e->isVisible()) {
                focusAfter = focusName();
                codeKept = child<QLineEdit>(e, "EditCodR")->text();
                descrKept = child<QLineEdit>(e, "EditDescr")->text();
                buttonOf(e, "BtCancel")->click();
            }
        });
        buttonOf(f, editing ? "BtEditar" : "BtNovo")->click();
        f->accept();
    });
    form.exec();
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(focusAfter, focus);
    if (!message.isEmpty()) {
        // The typed values stay for the user to correct; nothing was stored.
        QCOMPARE(codeKept, code);
        QCOMPARE(descrKept, descr);
        QCOMPARE(m_dm->TbHsto->recordCount(), 23);
        return;
    }
    QVERIFY(m_dm->TbHsto->findKey({code.toLongLong()}));
    QCOMPARE(m_dm->TbHsto->asString("Descricao"), descr);
}

void AccountsTest::historyLookupChoosesByEnterOrClick()
{
    TFormHstoView view(*m_dm);
    m_dm->TbHsto->first();
    view.Tag = 0;
    whenModal<TFormHstoView>([](TFormHstoView *v) {
        auto *grid = child<QTableView>(v, "DBGrid1");
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Enter);
    });
    view.showAt(QPoint(50, 50));
    QCOMPARE(view.Tag, 1);
    QCOMPARE(m_dm->TbHsto->asString("Descricao"), QString("DEPOSITO <CTADEST>"));

    view.Tag = 0;
    whenModal<TFormHstoView>([](TFormHstoView *v) {
        auto *grid = child<QTableView>(v, "DBGrid1");
        QTest::keyClick(grid, Qt::Key_Escape);
    });
    view.showAt(QPoint(50, 50));
    QCOMPARE(view.Tag, 0);

    whenModal<TFormHstoView>([](TFormHstoView *v) {
        auto *grid = child<QTableView>(v, "DBGrid1");
        const QModelIndex cell = grid->model()->index(5, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    });
    view.showAt(QPoint(50, 50));
    QCOMPARE(view.Tag, 1);
    QCOMPARE(m_dm->TbHsto->asInt("Codigo"), 132);
}

// ---------------------------------------------------------------- exchange and CSV

void AccountsTest::chartImportNeedsNoEntries()
{
    bool dialogOpened = false;
    QTimer *watch = whenModal<QFileDialog>([&](QFileDialog *d) {
        dialogOpened = true;
        d->reject();
    });
    runChart([](TFormCta &f) { buttonOf(&f, "BtImport")->click(); });
    delete watch;
    QVERIFY(!dialogOpened);
    QCOMPARE(m_messages,
             QStringList{"Somente é possível importar um Plano de Contas\r\nse o arquivo de "
                         "Lançamentos estiver vazio.\r\n\r\nComo já existem Lançamentos para "
                         "este usuário,\r\noutro Plano de Contas não pode ser importado!"});
}

void AccountsTest::chartImportRefusesTamperedAndTakesGood()
{
    m_dm->TbFin->emptyTable();
    std::vector<CtaRow> rows = ChartStore(*m_dm).rows();
    rows.pop_back(); // 2.19.05, so that the import shows
    const QByteArray good = writeChartFile(rows, freshTrailerRandom());
    QByteArray tampered = good;
    tampered[150] = tampered[150] == 'a' ? 'b' : 'a';
    const QString tamperedPath = m_dir->path() + "/Alterado.KPF";
    const QString goodPath = m_dir->path() + "/Bom.KPF";
    // Larger than any exchange file: refused as invalid without being read whole.
    const QString hugePath = m_dir->path() + "/Enorme.KPF";
    const QByteArray huge = good + QByteArray(kMaxExchangeFileBytes, '\n');
    for (auto [path, bytes] :
         {std::pair{tamperedPath, tampered}, {goodPath, good}, {hugePath, huge}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    m_answers << MsgButton::Yes;
    QString countAfter;
    runChart([&](TFormCta &f) {
        fileDialogAnswer(tamperedPath);
        buttonOf(&f, "BtImport")->click();
        fileDialogAnswer(hugePath);
        buttonOf(&f, "BtImport")->click();
        fileDialogAnswer(goodPath);
        buttonOf(&f, "BtImport")->click();
        child<QTabWidget>(&f, "PageCta")->setCurrentIndex(2);
        countAfter = child<QLabel>(&f, "RecNoSai")->text();
    });
    const QString invalid =
        "Erro ao abrir arquivo de Plano de Contas!\r\nEste não é um arquivo válido!";
    QCOMPARE(m_messages,
             (QStringList{invalid, invalid,
                          "Importar o Plano de Contas do arquivo\r\n" +
                              QDir::toNativeSeparators(goodPath) +
                              "\r\nimplica substituir o Plano de Contas atual!\r\n\r\nTem certeza "
                              "que deseja fazer isso?",
                          "Plano de Contas importado com sucesso!"}));
    QCOMPARE(ChartStore(*m_dm).rows(), rows);
    QCOMPARE(countAfter, QString("46 contas"));
}

// A budget row on 295 (2.19.05) keeps out a chart without that account; nothing is asked and the
// chart stays as it was.
void AccountsTest::chartImportRefusesOrphaningTheBudget()
{
    m_dm->TbFin->emptyTable();
    const std::vector<CtaRow> before = ChartStore(*m_dm).rows();
    std::vector<CtaRow> rows = before;
    rows.pop_back();
    const QString path = m_dir->path() + "/SemOutrasDespesas.KPF";
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(writeChartFile(rows, freshTrailerRandom()));
    }
    {
        data::AttachGuard orc(m_dm->db(), m_dm->TbOrc->fileName());
        m_dm->db().exec("INSERT INTO " + orc.table() +
                        " (Data, CodRed, ValorOrcado) VALUES ('2026-12-01', 295, -5000)");
    }
    runChart([&](TFormCta &f) {
        fileDialogAnswer(path);
        buttonOf(&f, "BtImport")->click();
    });
    QCOMPARE(m_messages, QStringList{orphanedBudgetMessage({295})});
    QCOMPARE(ChartStore(*m_dm).rows(), before);
}

void AccountsTest::chartCsvThroughTheScreen()
{
    const QString path = m_dir->path() + "/Plano.CSV";
    runChart([&](TFormCta &f) {
        fileDialogAnswer(path);
        buttonOf(&f, "BtSaveCSV")->click();
    });
    QCOMPARE(m_proposed, QStringList{"PlanoDeContas.CSV"});
    QCOMPARE(m_messages, QStringList{"OK. Plano de Contas gravado no arquivo \r\n" +
                                     QDir::toNativeSeparators(path) + "!"});
    QFile written(path), expected(QStringLiteral(ACCOUNTS_FIXTURE_DIR) + "/PlanoDeContas.CSV");
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), expected.readAll());
}

// Runs the list screen `Screen` and presses its print button with `answer` playing the user at
// the options dialog and the preview.
template <class Screen> static void pressPrint(data::TDM &dm, const std::function<void()> &answer)
{
    Screen form(dm);
    whenModal<Screen>([&](Screen *f) {
        answer();
        QTest::mouseClick(buttonOf(f, "BtPrint"), Qt::LeftButton);
        f->accept();
    });
    form.exec();
}

void AccountsTest::printShowsThePreview_data()
{
    QTest::addColumn<bool>("chart");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("chart") << true << QStringList{"Plano de Contas", "Saldo/Circulante"};
    QTest::newRow("histories") << false << QStringList{"Relação de Históricos"};
}

void AccountsTest::printShowsThePreview()
{
    QFETCH(bool, chart);
    QString title, pages;
    QImage page;
    const auto answer = [&] {
        whenModal<reports::OptionsDialog>([&](reports::OptionsDialog *o) {
            QVERIFY(child<QRadioButton>(o, "RadioPreview")->isChecked());
            whenModal<reports::PreviewWindow>([&](reports::PreviewWindow *w) {
                title = w->windowTitle();
                pages = child<QLabel>(w, "LabelPageCount")->text();
                page = child<QWidget>(w, "PageView")->grab().toImage();
                if (!qEnvironmentVariableIsEmpty("REPORTS_SHOT"))
                    page.save(qEnvironmentVariable("REPORTS_SHOT") +
                              (chart ? "/cta.png" : "/hsto.png"));
                w->reject();
            });
            o->accept();
        });
    };
    if (chart)
        pressPrint<TFormCta>(*m_dm, answer);
    else
        pressPrint<TFormHsto>(*m_dm, answer);
    QCOMPARE(title, QString("Quorvila :: Relatórios"));
    // The starting chart of 71 accounts fills two pages; the 23 histories one.
    QVERIFY2(pages.contains(chart ? "2" : "1"), qPrintable(pages));
    QVERIFY(!page.isNull());
    QCOMPARE(m_messages, QStringList());
}

void AccountsTest::printRefusesWithoutRows_data()
{
    QTest::addColumn<bool>("chart");
    QTest::addColumn<QString>("message");
    QTest::newRow("chart") << true << QString("Nenhuma Conta para imprimir!");
    // Printing an empty list would make an empty report: refused like the chart.
    QTest::newRow("histories") << false << QString("Nenhum Histórico para imprimir!");
}

void AccountsTest::printRefusesWithoutRows()
{
    QFETCH(bool, chart);
    QFETCH(QString, message);
    (chart ? m_dm->TbCta : m_dm->TbHsto)->emptyTable();
    bool optionsShown = false;
    const auto answer = [&] {
        QTimer *t = whenModal<reports::OptionsDialog>([&](reports::OptionsDialog *o) {
            optionsShown = true;
            o->reject();
        });
        QTimer::singleShot(500, t, &QObject::deleteLater);
    };
    if (chart)
        pressPrint<TFormCta>(*m_dm, answer);
    else
        pressPrint<TFormHsto>(*m_dm, answer);
    QCOMPARE(m_messages, QStringList{message});
    QVERIFY(!optionsShown);
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    AccountsTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_accounts.moc"
