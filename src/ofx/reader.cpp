// Reading a statement in three steps: check that the file has the shape of a bank statement,
// cut the first statement into its parts (account, transaction list, balance), and read each
// fact from its own part only.
#include "reader.h"

#include "charset.h"
#include "fields.h"
#include "tagscan.h"

#include <app/error.h>
#include <app/format.h>

#include <QFile>

#include <array>

namespace ofx {

QString invalidFormatMessage()
{
    return QStringLiteral("Formato de arquivo inválido!\r\n\r\nNão foi possível ler elementos "
                          "comuns de um\r\narquivo OFX de extrato bancário. Verifique!");
}

QString openErrorMessage()
{
    return QStringLiteral("Erro ao abrir arquivo!\r\nProvavelmente este não é um arquivo OFX.");
}

QString noEntriesMessage()
{
    return QStringLiteral("Este arquivo OFX não contém\r\nlançamentos de extrato bancário!");
}

QString entryCountText(qsizetype n)
{
    return QStringLiteral("Este arquivo OFX contém %1 lançamento(s).").arg(n);
}

// The first occurrence of each landmark must come no earlier than the one before it; a
// missing landmark fails. This refuses other kinds of OFX (card statements, investments) and
// files cut short before the end of their transaction list.
static void checkStructure(QStringView text)
{
    static constexpr std::array<const char16_t *, 8> landmarks{
        u"<OFX>",          u"<BANKMSGSRSV1>", u"<STMTTRNRS>", u"<STMTRS>",
        u"<BANKTRANLIST>", u"<STMTTRN>",      u"</STMTTRN>",  u"</BANKTRANLIST>"};
    qsizetype previous = 0;
    for (const char16_t *landmark : landmarks) {
        const qsizetype at = text.indexOf(QStringView(landmark));
        if (at < previous)
            QUORVILA_THROW(app::Error, invalidFormatMessage());
        previous = at;
    }
}

QString amountTooLargeMessage(QStringView amount)
{
    return QStringLiteral("Valor de lançamento acima do máximo permitido no arquivo OFX: "
                          "\"%1\"!\r\n%2")
        .arg(cutToField(plainText(amount), 40), app::maxAmountText());
}

static QString textOf(QStringView block, QStringView tag, int size)
{
    return cutToField(plainText(TagValue(block, tag)), size);
}

static StagingRow readRow(QStringView block, const Preferences &prefs)
{
    StagingRow row;
    row.Data = decodeDate(TagValue(block, u"DTPOSTED"));
    const QStringView amount = TagValue(block, u"TRNAMT");
    const app::Money signedValue = decodeAmount(amount);
    if (!app::amountInRange(signedValue.centavos()))
        QUORVILA_THROW(app::ConversionError, amountTooLargeMessage(amount));
    row.Valor = signedValue.abs();
    if (amount.startsWith(u'-'))
        row.Controle = QStringLiteral("-");
    row.NumDoc =
        cutToField(QStringLiteral("[I] ") + plainText(TagValue(block, u"CHECKNUM")), numDocSize);
    row.Hsto = textOf(block, u"MEMO", hstoSize);
    row.Confirmado = prefs.OkOFX;
    bookRow(row, prefs);
    return row;
}

// Every transaction is converted, so a bad date or amount refuses the file even on a row of
// amount zero; such rows are then left out, because the entry editor refuses a zero amount
// and the import would store entries that could not be saved again.
static void readRows(QStringView list, const Preferences &prefs, Statement &st)
{
    for (Span s = findBlock(list, u"STMTTRN"); s.isFound();
         s = findBlock(list, u"STMTTRN", s.next)) {
        StagingRow row = readRow(innerText(list, s), prefs);
        if (row.Valor.isZero())
            ++st.zeroAmountsLeftOut;
        else
            st.rows.push_back(std::move(row));
    }
}

static std::optional<QDate> optionalDate(QStringView block, QStringView tag)
{
    const QStringView text = TagValue(block, tag);
    if (text.isEmpty())
        return std::nullopt;
    return decodeDate(text);
}

static void readAccount(QStringView head, Statement &st)
{
    const Span from = findBlock(head, u"BANKACCTFROM");
    const QStringView account = from.isFound() ? innerText(head, from) : head;
    st.bankId = plainText(TagValue(account, u"BANKID"));
    if (st.bankId.size() < 4)
        st.bankId = st.bankId.rightJustified(4, u'0');
    st.branchId = plainText(TagValue(account, u"BRANCHID"));
    st.accountId = plainText(TagValue(account, u"ACCTID"));
}

static void readBalance(QStringView tail, Statement &st)
{
    const Span ledger = findBlock(tail, u"LEDGERBAL");
    const QStringView balance = ledger.isFound() ? innerText(tail, ledger) : tail;
    const QStringView amount = TagValue(balance, u"BALAMT");
    if (!amount.isEmpty())
        st.balance = decodeAmount(amount);
    st.balanceDate = optionalDate(balance, u"DTASOF").value_or(QDate());
}

// The period is told before the first transaction of the list.
static void readPeriod(QStringView list, Statement &st)
{
    const qsizetype first = list.indexOf(u"<STMTTRN>");
    const QStringView head = first < 0 ? list : list.first(first);
    st.periodStart = optionalDate(head, u"DTSTART").value_or(QDate());
    st.periodEnd = optionalDate(head, u"DTEND").value_or(QDate());
}

Statement readStatement(const QByteArray &bytes, const Preferences &prefs)
{
    const QString text = decodeStatementText(bytes);
    checkStructure(text);
    const QStringView all(text);
    const QStringView stmt = innerText(all, findBlock(all, u"STMTRS"));
    const Span listSpan = findBlock(stmt, u"BANKTRANLIST");
    const QStringView list = innerText(stmt, listSpan);
    Statement st;
    readRows(list, prefs, st);
    readAccount(listSpan.isFound() ? stmt.first(listSpan.begin) : stmt, st);
    readBalance(listSpan.isFound() ? stmt.sliced(listSpan.next) : stmt, st);
    readPeriod(list, st);
    st.statementCount = int(all.count(u"<STMTRS>"));
    return st;
}

Statement readStatementFile(const QString &path, const Preferences &prefs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        QUORVILA_THROW(app::Error, openErrorMessage());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        QUORVILA_THROW(app::Error, openErrorMessage());
    Statement st = readStatement(bytes, prefs);
    st.path = path;
    return st;
}

} // namespace ofx
