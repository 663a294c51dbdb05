// The entry editor driven through its controls: the save checks with their messages and focus,
// the checks on leaving a field, the keys of the amount and history fields, the arithmetic box,
// standard histories with placeholders, the look-ups, and what reaches the entries file.
#include "screentools.h"

#include <entries/UFinEdit.h>
#include <entries/session.h>

#include <accounts/UCtaView.h>
#include <accounts/UHstoView.h>
#include <app/dates.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using entries::TFormFinEdit;

namespace {

const QString kClosed = "Lançamento nesta data não permitido!\r\n\r\nPeríodo até 31/12/2023 não "
                        "pode ser alterado,\r\nconforme a Data de Permissão de Alterações "
                        "informada\r\nnas Preferências do Usuário. Para alterar, acesse o "
                        "menu\r\nUsuários/Informações e Preferências do Usuário!";
const QString kUnknownDest = "Este código de \"Conta Destino\"\r\né inexistente. Redigite!";
const QString kUnknownOrig = "Este código de \"Conta Origem\"\r\né inexistente. Redigite!";
const QString kOverMaximum = "O \"Valor\" do lançamento está acima do máximo permitido!\r\nO "
                             "maior valor aceito para um lançamento é 999.999.999,99.";
const QString kNotConverting = "'1234567890123456' não é um número válido para o campo "
                               "'Valor'.\r\nLembre-se de não digitar o separador de milhar";

} // namespace

// The first-run book of 10/03/2024: entries 1 and 2 on 29/02 (11<-195 50, 13<-195 200), 3 on
// 01/03 (13<-111 2000), 4 on 02/03 (241<-13 50), 5 on 06/03 (11<-13 100). Closed until
// 31/12/2023; the working period is March 2024.
class EntryEditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void saveChecks_data();
    void saveChecks();
    void leavingAFieldRefusesWhatCannotBeTaken_data();
    void leavingAFieldRefusesWhatCannotBeTaken();
    void leavingFieldsFillsDayLabelsAndWarnings();
    void clickOnOkAfterARefusalShowsOneMessage();
    void cancelWritesNothingAndSkipsTheLeaveCheck();
    void keysMoveBetweenFields();
    void accountFieldsTakeOnlyDigits();
    void valueFieldKeys();
    void valueFieldShowsTheAmountOutsideIt_data();
    void valueFieldShowsTheAmountOutsideIt();
    void arithmeticBox();
    void arithmeticResultOverTheLargestAmount();
    void standardHistoryByCode_data();
    void standardHistoryByCode();
    void historyCodeNotFoundAndPlainText();
    void savedHistoryTopsTheEarlierList();
    void accountAndHistoryPickers();
    void editingKeepsTheCodeAndStampsTheDate();
    void entryWithAVanishedAccountIsToldAtOnce();
    void viewOnlyEntryIsNotWrittenAgain();

private:
    TFormFinEdit &openNew();
    TFormFinEdit &openExisting(int codigo, bool editable);
    void showEditor();
    QLineEdit *edit(const char *name) { return child<QLineEdit>(m_editor.get(), name); }
    QPushButton *button(const char *name) { return child<QPushButton>(m_editor.get(), name); }
    QString focused() const;
    void leaveTo(QWidget *w);
    int storedCount();
    QVariantList storedRow(int codigo, const QString &columns);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<entries::Session> m_session;
    std::unique_ptr<accounts::TFormCtaView> m_cta;
    std::unique_ptr<accounts::TFormHstoView> m_hsto;
    std::unique_ptr<TFormFinEdit> m_editor;
    QStringList m_messages;
};

void EntryEditorTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_dir->path());
    data::installFirstRun(m_dm->db(), QDate(2024, 3, 10));
    m_dm->openSharedTables();
    m_dm->pointUserTables("0001");
    m_dm->OpenUserFiles();
    m_dm->TbUser->edit();
    m_dm->TbUser->setValue("FechadoAte", QDate(2023, 12, 31));
    m_dm->TbUser->post();
    app::setTodayForTests(QDate(2024, 3, 10));
    m_session = std::make_unique<entries::Session>(m_dm->db(), *m_dm->TbFin);
    m_session->period() = {QDate(2024, 3, 1), QDate(2024, 3, 31)};
    m_cta = std::make_unique<accounts::TFormCtaView>(*m_dm);
    m_hsto = std::make_unique<accounts::TFormHstoView>(*m_dm);
    m_editor = std::make_unique<TFormFinEdit>(*m_dm, *m_session, m_cta.get(), m_hsto.get());
    m_messages.clear();
    app::setMensagemResponder([this](const QString &t, int) {
        m_messages << t;
        return app::MsgButton::Ok;
    });
}

void EntryEditorTest::cleanup()
{
    app::setMensagemResponder(nullptr);
    app::setTodayForTests(QDate());
    m_editor.reset();
    m_hsto.reset();
    m_cta.reset();
    m_session.reset();
    m_dm.reset();
    m_dir.reset();
}

void EntryEditorTest::showEditor()
{
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    QCoreApplication::processEvents();
}

TFormFinEdit &EntryEditorTest::openNew()
{
    m_dm->TbFin->append();
    m_dm->TbFin->setValue("Confirmado", true);
    m_editor->setWindowTitle("Controle Financeiro - Incluir Novo Lançamento");
    m_editor->setEditable(true);
    showEditor();
    return *m_editor;
}

TFormFinEdit &EntryEditorTest::openExisting(int codigo, bool editable)
{
    m_dm->TbFin->setIndexName("");
    if (!m_dm->TbFin->findKey({codigo}))
        qFatal("no entry %d", codigo);
    m_dm->TbFin->edit();
    m_editor->setEditable(editable);
    showEditor();
    return *m_editor;
}

QString EntryEditorTest::focused() const
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString("(none)");
}

// Moves the focus on as Tab would, and lets a refused field take it back.
void EntryEditorTest::leaveTo(QWidget *w)
{
    w->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

int EntryEditorTest::storedCount()
{
    return m_dm->db().scalar("SELECT count(*) FROM " + m_dm->TbFin->sqlName()).toInt();
}

QVariantList EntryEditorTest::storedRow(int codigo, const QString &columns)
{
    data::Statement st = m_dm->db().prepare("SELECT " + columns + " FROM " +
                                            m_dm->TbFin->sqlName() + " WHERE Codigo=?");
    st.bind(1, codigo);
    QVariantList row;
    if (st.step())
        for (int i = 0; i < st.columnCount(); ++i)
            row << st.column(i);
    return row;
}

// ---------------------------------------------------------------- saving

void EntryEditorTest::saveChecks_data()
{
    QTest::addColumn<QStringList>("fields"); // data, destination, origin, value, history
    QTest::addColumn<QString>("message");    // empty: saved
    QTest::addColumn<QString>("focus");
    const auto row = [](const char *name, QStringList f, const QString &m = {},
                        const QString &focus = {}) {
        QTest::newRow(name) << f << m << focus;
    };
    const QString ok = "05/03/2024";
    row("expense from cash", {ok, "221", "13", "12,50", "MERCADO"});
    row("cash from income", {ok, "11", "111", "12,50", "SALARIO"});
    row("cash to cash", {ok, "11", "13", "12,50", "SAQUE"});
    row("day after the closing date", {"01/01/2024", "221", "13", "1", "X"});
    row("value shown with thousands", {ok, "221", "13", "1.234,50", "X"});
    row("no date", {"", "221", "13", "1", "X"}, "Você precisa digitar\r\na \"Data\" do lançamento!",
        "EditData");
    row("unreadable date", {"31/02/2024", "221", "13", "1", "X"},
        "Data '31/02/2024' inválida. Verifique!", "EditData");
    row("on the closing date", {"31/12/2023", "221", "13", "1", "X"}, kClosed, "EditData");
    row("no destination", {ok, "", "13", "1", "X"}, "\"Conta Destino\" deve ser preenchida!",
        "EditCtaDeb");
    row("no origin", {ok, "221", "", "1", "X"}, "\"Conta Origem\" deve ser preenchida!",
        "EditCtaCred");
    row("unknown destination", {ok, "999", "13", "1", "X"}, kUnknownDest, "EditCtaDeb");
    row("destination income even with an expense origin", {ok, "111", "221", "1", "X"},
        "\"Conta Destino\" não pode ser uma conta de Receita (1.xx.xx).\r\nDigite uma conta de "
        "Despesa ou uma conta de Saldo!",
        "EditCtaDeb");
    row("origin expense", {ok, "11", "221", "1", "X"},
        "\"Conta Origem\" não pode ser uma conta de Despesa (2.xx.xx).\r\nDigite uma conta de "
        "Receita ou uma conta de Saldo!",
        "EditCtaCred");
    row("expense from income", {ok, "221", "111", "1", "X"},
        "A \"Conta Destino\" ou a \"Conta Origem\"\r\nprecisa ser uma conta de Saldo (0.xx.xx).",
        "EditCtaDeb");
    row("zero value", {ok, "221", "13", "0", "X"},
        "O \"Valor\" do lançamento\r\ndeve ser maior que zero!", "EditValor");
    row("value that does not convert", {ok, "221", "13", "1234567890123456", "X"}, kNotConverting,
        "EditValor");
    row("largest value", {ok, "221", "13", "999999999,99", "X"});
    row("value over the largest", {ok, "221", "13", "1000000000,00", "X"}, kOverMaximum,
        "EditValor");
    row("blank history", {ok, "221", "13", "1", "   "},
        "O \"Histórico/Descrição do Lançamento\"\r\ndeve ser preenchido!", "EditHsto");
}

void EntryEditorTest::saveChecks()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    openNew();
    leaveTo(edit("EditObs")); // the checks of the save, not of leaving a field
    const char *names[] = {"EditData", "EditCtaDeb", "EditCtaCred", "EditValor", "EditHsto"};
    for (int i = 0; i < 5; ++i)
        edit(names[i])->setText(fields[i]);
    const int before = storedCount();
    button("BtOk")->click();
    if (message.isEmpty()) {
        QCOMPARE(m_messages, QStringList());
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(m_editor->okTag(), 1);
        QCOMPARE(m_editor->result(), int(QDialog::Accepted));
        QCOMPARE(storedCount(), before + 1);
        const qint64 codigo = m_dm->TbFin->asInt("Codigo");
        QCOMPARE(codigo, qint64(6));
        const QVariantList stored = storedRow(6, "Data, Valor, Hsto, Confirmado, DataLog");
        QCOMPARE(stored[0].toString(), app::parseDate(fields[0]).toString("yyyy-MM-dd"));
        QCOMPARE(stored[2].toString(), fields[4]);
        QCOMPARE(stored[3].toInt(), 1);
        QCOMPARE(stored[4].toString(), QString("2024-03-10"));
        return;
    }
    QCOMPARE(m_messages, QStringList{message});
    QVERIFY(m_editor->isVisible());
    QCOMPARE(focused(), focus);
    QCOMPARE(m_editor->okTag(), 0);
    QCOMPARE(storedCount(), before);
    QCOMPARE(int(m_dm->TbFin->state()), int(data::Table::State::Insert));
}

// ---------------------------------------------------------------- leaving fields

void EntryEditorTest::leavingAFieldRefusesWhatCannotBeTaken_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("date that does not read") << "EditData"
                                             << "32/01/2024"
                                             << "Data '32/01/2024' inválida. Verifique!";
    QTest::newRow("unknown destination") << "EditCtaDeb"
                                         << "999" << kUnknownDest;
    QTest::newRow("heading-sized origin code") << "EditCtaCred"
                                               << "5" << kUnknownOrig;
    QTest::newRow("value that does not convert") << "EditValor"
                                                 << "1234567890123456" << kNotConverting;
    QTest::newRow("value over the largest") << "EditValor"
                                            << "1000000000" << kOverMaximum;
}

void EntryEditorTest::leavingAFieldRefusesWhatCannotBeTaken()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    openNew();
    QLineEdit *e = edit(qPrintable(field));
    leaveTo(e);
    e->setText(text);
    leaveTo(edit("EditObs"));
    QCOMPARE(m_messages, QStringList{message});
    QCOMPARE(focused(), field);
    QCOMPARE(e->text(), text);
}

void EntryEditorTest::leavingFieldsFillsDayLabelsAndWarnings()
{
    openNew();
    QLineEdit *data = edit("EditData");
    QTest::keyClicks(data, "5/3/24");
    leaveTo(edit("EditCtaDeb"));
    QCOMPARE(data->text(), QString("05/03/2024"));
    QCOMPARE(child<QLabel>(m_editor.get(), "LabelDia")->text(), QString("Terça"));
    QVERIFY(data->styleSheet().contains("#FFFFFF"));
    QTest::keyClicks(edit("EditCtaDeb"), "11");
    leaveTo(edit("EditCtaCred"));
    QCOMPARE(child<QLabel>(m_editor.get(), "LbCtaDeb")->text(), QString("0.01.01 - Carteira"));

    leaveTo(data);
    data->setText("31/12/2023");
    leaveTo(edit("EditCtaDeb"));
    QVERIFY(data->styleSheet().contains("#FFFF00")); // closed: a warning only
    QCOMPARE(m_messages, QStringList());
}

// A mouse click on OK first takes the focus from the field, which refuses it; the save must not
// repeat the message nor post.
void EntryEditorTest::clickOnOkAfterARefusalShowsOneMessage()
{
    openNew();
    edit("EditData")->setText("05/03/2024");
    leaveTo(edit("EditCtaDeb"));
    QTest::keyClicks(edit("EditCtaDeb"), "999");
    QTest::mouseClick(button("BtOk"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(m_messages, QStringList{kUnknownDest});
    QCOMPARE(focused(), QString("EditCtaDeb"));
    QVERIFY(m_editor->isVisible());
    QCOMPARE(storedCount(), 5);
}

void EntryEditorTest::cancelWritesNothingAndSkipsTheLeaveCheck()
{
    openNew();
    leaveTo(edit("EditCtaDeb"));
    QTest::keyClicks(edit("EditCtaDeb"), "999");
    QTest::mouseClick(button("BtCancel"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(m_messages, QStringList());
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(m_editor->okTag(), 0);
    QCOMPARE(int(m_dm->TbFin->state()), int(data::Table::State::Browse));
    QCOMPARE(storedCount(), 5);
}

// ---------------------------------------------------------------- keys

void EntryEditorTest::keysMoveBetweenFields()
{
    openNew();
    QCOMPARE(focused(), QString("EditData"));
    const std::pair<int, const char *> steps[] = {
        {Qt::Key_Return, "EditCtaDeb"},      {Qt::Key_Return, "EditCtaCred"},
        {Qt::Key_Return, "EditValor"},       {Qt::Key_Down, "EditHsto"},
        {Qt::Key_Down, "DBCheckConfirmado"}, {Qt::Key_Up, "EditHsto"},
        {Qt::Key_Up, "EditValor"},           {Qt::Key_Up, "EditCtaCred"}};
    for (auto [key, next] : steps) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCoreApplication::processEvents();
        QCOMPARE(focused(), QString(next));
    }
    QCOMPARE(edit("EditCtaCred")->text(), QString()); // Enter typed nothing
    QVERIFY(m_editor->isVisible());
}

void EntryEditorTest::accountFieldsTakeOnlyDigits()
{
    openNew();
    QLineEdit *e = edit("EditCtaDeb");
    leaveTo(e);
    QTest::keyClicks(e, "2a2-1x9");
    QCOMPARE(e->text(), QString("221"));
    e->clear();
    QApplication::clipboard()->setText("1 3");
    e->paste();
    QCOMPARE(e->text(), QString("13"));
}

void EntryEditorTest::valueFieldKeys()
{
    openExisting(3, true); // 2.000,00
    QLineEdit *v = edit("EditValor");
    QCOMPARE(v->text(), QString("2.000,00"));
    leaveTo(v);
    QCOMPARE(v->text(), QString("2000,00"));
    QCOMPARE(v->selectedText(), QString("2000,00"));
    v->end(false);
    QTest::keyClicks(v, "5");
    QCOMPARE(v->text(), QString("2000,00")); // a third decimal is refused
    v->home(false);
    QTest::keyClicks(v, "1");
    QCOMPARE(v->text(), QString("12000,00"));
    v->clear();
    QTest::keyClicks(v, "12.3,a4");
    QCOMPARE(v->text(), QString("12,34")); // "." is the comma; a second comma and letters are not
    v->clear();
    QApplication::clipboard()->setText("4a.5");
    v->paste();
    QCOMPARE(v->text(), QString("4,5"));
}

void EntryEditorTest::valueFieldShowsTheAmountOutsideIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // outside the field
    QTest::addColumn<QString>("raw");   // on entering it again
    QTest::addColumn<qint64>("stored");
    QTest::newRow("thousands") << "1234,56"
                               << "1.234,56"
                               << "1234,56" << qint64(123456);
    QTest::newRow("leading comma") << ",5"
                                   << "0,50"
                                   << "0,50" << qint64(50);
    QTest::newRow("whole number") << "7"
                                  << "7,00"
                                  << "7,00" << qint64(700);
    QTest::newRow("largest") << "999999999,99"
                             << "999.999.999,99"
                             << "999999999,99" << qint64(99999999999);
}

void EntryEditorTest::valueFieldShowsTheAmountOutsideIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, raw);
    QFETCH(qint64, stored);
    openExisting(4, true);
    QLineEdit *v = edit("EditValor");
    leaveTo(v);
    v->clear();
    QTest::keyClicks(v, typed);
    QCOMPARE(v->text(), typed);
    leaveTo(edit("EditHsto"));
    QCOMPARE(v->text(), shown);
    leaveTo(v);
    QCOMPARE(v->text(), raw);
    QCOMPARE(v->selectedText(), raw);
    leaveTo(edit("EditObs"));
    QCOMPARE(v->text(), shown);
    // Whole in the field, even the widest amount with a sign (the frame takes a few pixels).
    for (const QString &t : {shown, QString("-999.999.999,99")})
        QVERIFY2(v->fontMetrics().horizontalAdvance(t) + 8 <= v->width(), qPrintable(t));
    button("BtOk")->click();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(storedRow(4, "Valor")[0].toLongLong(), stored);
}

void EntryEditorTest::arithmeticResultOverTheLargestAmount()
{
    openNew();
    QLineEdit *v = edit("EditValor");
    QLineEdit *calc = edit("EditCalc");
    leaveTo(v);
    QTest::keyClick(v, '+');
    QTest::keyClicks(calc, "999999999,99+0,01");
    QTest::keyClick(calc, Qt::Key_Return);
    QCOMPARE(m_messages, QStringList{"O resultado da expressão está acima do máximo permitido "
                                     "para o \"Valor\"!\r\nO maior valor aceito para um "
                                     "lançamento é 999.999.999,99."});
    QCOMPARE(focused(), QString("EditCalc"));
    QCOMPARE(v->text(), QString());
    calc->selectAll();
    QTest::keyClicks(calc, "999999999,98+0,01");
    QTest::keyClick(calc, Qt::Key_Return);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(v->text(), QString("999999999,99"));
    QCOMPARE(focused(), QString("EditValor"));
}

void EntryEditorTest::arithmeticBox()
{
    openNew();
    QLineEdit *v = edit("EditValor");
    QLineEdit *calc = edit("EditCalc");
    leaveTo(v);
    QTest::keyClick(v, '+');
    QVERIFY(calc->isVisible());
    QCOMPARE(focused(), QString("EditCalc"));
    QCOMPARE(calc->selectedText(), QString("<Digite uma expressão aritmética>"));
    QCOMPARE(v->text(), QString()); // the key itself is dropped
    QTest::keyClicks(calc, "100/4");
    QTest::keyClick(calc, Qt::Key_Return);
    QCOMPARE(v->text(), QString("25,00"));
    QCOMPARE(focused(), QString("EditValor"));
    QVERIFY(!calc->isVisible());

    QTest::keyClick(v, '*');
    QCOMPARE(calc->selectedText(), QString("100/4"));
    QTest::keyClicks(calc, "10/0");
    QTest::keyClick(calc, Qt::Key_Return);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("Erro na expressão aritmética ou divisão por zero."));
    QCOMPARE(focused(), QString("EditCalc"));
    QTest::keyClick(calc, Qt::Key_Escape);
    QCOMPARE(focused(), QString("EditValor"));
    QVERIFY(!calc->isVisible());
    QVERIFY(m_editor->isVisible()); // Esc in the box does not cancel the entry
    QCOMPARE(v->text(), QString("25,00"));
}

// ---------------------------------------------------------------- histories

void EntryEditorTest::standardHistoryByCode_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("deb");
    QTest::addColumn<QString>("cred");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("month of the date") << "10/01/2024"
                                       << ""
                                       << ""
                                       << "12"
                                       << "CREDITO VALE ALIMENTACAO JAN/24 " << 32;
    QTest::newRow("destination's short name") << "05/03/2024"
                                              << "221"
                                              << ""
                                              << "13"
                                              << "DEPOSITO MERCADO " << 17;
    QTest::newRow("origin's name when it has no short name")
        << "05/03/2024"
        << ""
        << "13"
        << " 1 1 "
        << "SAQUE CONTA CORRENTE BANCO 1 " << 29;
    QTest::newRow("caret mark") << "05/03/2024"
                                << ""
                                << ""
                                << "221"
                                << "SUPERMERCADO TEM TUDO - CF " << 27;
}

void EntryEditorTest::standardHistoryByCode()
{
    QFETCH(QString, data);
    QFETCH(QString, deb);
    QFETCH(QString, cred);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    m_dm->db().exec("UPDATE " + m_dm->TbCta->sqlName() +
                    " SET DescParaHsto='Mercado' WHERE CodRed=221");
    openNew();
    edit("EditData")->setText(data);
    edit("EditCtaDeb")->setText(deb);
    edit("EditCtaCred")->setText(cred);
    QLineEdit *h = edit("EditHsto");
    leaveTo(h);
    h->setText(typed);
    QTest::keyClick(h, Qt::Key_Return);
    QCOMPARE(h->text(), expected);
    QCOMPARE(h->cursorPosition(), caret);
    QCOMPARE(focused(), QString("EditHsto"));
    QCOMPARE(m_messages, QStringList());
}

void EntryEditorTest::historyCodeNotFoundAndPlainText()
{
    openNew();
    QLineEdit *h = edit("EditHsto");
    leaveTo(h);
    QTest::keyClicks(h, "999");
    QTest::keyClick(h, Qt::Key_Return);
    QCOMPARE(m_messages, QStringList{"Código de \"Histórico\" não foi encontrado!"});
    QCOMPARE(focused(), QString("EditHsto"));
    QCOMPARE(h->selectedText(), QString("999"));

    h->setText("LUZ DO MES");
    QTest::keyClick(h, Qt::Key_Return);
    QCOMPARE(focused(), QString("EditNumDoc"));
    QCOMPARE(h->text(), QString("LUZ DO MES"));
}

void EntryEditorTest::savedHistoryTopsTheEarlierList()
{
    m_editor->setHistoryList({"ANTIGO 1", "ANTIGO 2"});
    openNew();
    leaveTo(edit("EditObs"));
    edit("EditData")->setText("05/03/2024");
    edit("EditCtaDeb")->setText("221");
    edit("EditCtaCred")->setText("13");
    edit("EditValor")->setText("3");
    edit("EditHsto")->setText("NOVO ");
    button("BtOk")->click();
    QCOMPARE(m_editor->historyList(), (QStringList{"NOVO", "ANTIGO 1", "ANTIGO 2"}));

    openNew();
    QLineEdit *h = edit("EditHsto");
    leaveTo(h);
    QTest::keyClick(h, Qt::Key_F3);
    QWidget *list = QApplication::activePopupWidget();
    QVERIFY(list);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(h->text(), QString("ANTIGO 1"));
    QCOMPARE(focused(), QString("EditHsto"));
    QVERIFY(m_editor->isVisible());
}

void EntryEditorTest::accountAndHistoryPickers()
{
    openNew();
    edit("EditData")->setText("05/03/2024");
    QLineEdit *deb = edit("EditCtaDeb");
    leaveTo(deb);
    QString filter;
    whenModal<accounts::TFormCtaView>([&](accounts::TFormCtaView *v) {
        filter = v->FiltroCta;
        QTest::keyClick(child<QTableView>(v, "DBGrid1"), Qt::Key_Return);
    });
    QTest::keyClick(deb, Qt::Key_F2);
    QCOMPARE(filter, QString("(CodCta<'1' or CodCta>='2')"));
    QCOMPARE(deb->text(), QString("11"));
    QCOMPARE(child<QLabel>(m_editor.get(), "LbCtaDeb")->text(), QString("0.01.01 - Carteira"));
    QCOMPARE(m_dm->TbCta->filter(), QString());
    QTRY_COMPARE(focused(), QString("EditCtaDeb")); // once the editor is active again

    edit("EditCtaCred")->setText("13");
    QLineEdit *h = edit("EditHsto");
    leaveTo(h);
    whenModal<accounts::TFormHstoView>([](accounts::TFormHstoView *v) {
        QTest::keyClick(child<QTableView>(v, "DBGrid1"), Qt::Key_Return); // 11 SAQUE <CTAORIG>
    });
    QTest::keyClick(h, Qt::Key_F2);
    QCOMPARE(h->text(), QString("SAQUE CONTA CORRENTE BANCO 1 "));
    QTRY_COMPARE(focused(), QString("EditHsto"));
    QCOMPARE(m_messages, QStringList());
}

// ---------------------------------------------------------------- existing entries

void EntryEditorTest::editingKeepsTheCodeAndStampsTheDate()
{
    openExisting(4, true);
    QCOMPARE(child<QLabel>(m_editor.get(), "LabelCodigo")->text(), QString("000004"));
    QCOMPARE(child<QLabel>(m_editor.get(), "LabelDia")->text(), QString("Sábado"));
    QCOMPARE(child<QLabel>(m_editor.get(), "LbCtaCred")->text(),
             QString("0.01.03 - Conta Corrente Banco 1"));
    QCOMPARE(focused(), QString("EditData"));
    edit("EditValor")->setText("75,00");
    button("BtOk")->click();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(m_editor->okTag(), 1);
    QCOMPARE(storedCount(), 5);
    QCOMPARE(storedRow(4, "Valor, DataLog"), (QVariantList{qlonglong(7500), "2024-03-10"}));
}

void EntryEditorTest::entryWithAVanishedAccountIsToldAtOnce()
{
    m_dm->db().exec("UPDATE " + m_dm->TbFin->sqlName() + " SET CtaDeb=998 WHERE Codigo=5");
    m_dm->TbFin->refresh();
    openExisting(5, true);
    QTRY_COMPARE(m_messages, QStringList{kUnknownDest});
    QCOMPARE(child<QLabel>(m_editor.get(), "LbCtaDeb")->text(), QString());
    m_messages.clear();
    button("BtOk")->click();
    QCOMPARE(m_messages, QStringList{kUnknownDest});
    QCOMPARE(focused(), QString("EditCtaDeb"));
    QCOMPARE(storedRow(5, "DataLog"), QVariantList{QVariant()});
}

// The entry of a closed period is only shown: OK must not post it again (no new DataLog, no
// write at all), so nothing is recomputed either.
void EntryEditorTest::viewOnlyEntryIsNotWrittenAgain()
{
    m_dm->TbUser->edit();
    m_dm->TbUser->setValue("FechadoAte", QDate(2024, 3, 2));
    m_dm->TbUser->post();
    openExisting(3, false);
    QCOMPARE(button("BtOk")->text(), QString("&OK"));
    QCOMPARE(focused(), QString("BtOk"));
    QVERIFY(!edit("EditValor")->isEnabled());
    const qint64 writes = m_dm->db().changeCounter();
    button("BtOk")->click();
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(m_editor->okTag(), 0);
    QCOMPARE(m_editor->result(), int(QDialog::Rejected));
    QCOMPARE(m_dm->db().changeCounter(), writes);
    QCOMPARE(storedRow(3, "DataLog"), QVariantList{QVariant()});
    QCOMPARE(int(m_dm->TbFin->state()), int(data::Table::State::Browse));
    QCOMPARE(m_messages, QStringList());
}

int runEntryEditorTests(int argc, char **argv)
{
    EntryEditorTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_finedit.moc"
