// Whole statements through the reader: the SGML and XML forms, character sets, the shape check
// and its message, conversion failures, and bytes that must never crash it. Statements are the
// hand-made files of data/ or small ones built inline when only one detail matters.
#include "printers.h"

#include <app/error.h>
#include <ofx/reader.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>

using app::Money;
using ofx::StagingRow;

namespace {

const ofx::Preferences prefs{11, 101, 201, true};

QByteArray fixture(const char *name)
{
    QFile f(QStringLiteral(OFX_FIXTURE_DIR "/") + QString::fromUtf8(name));
    if (!f.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << name;
    return f.readAll();
}

StagingRow row(QDate data, int deb, int cred, qint64 centavos, const char *hsto, const char *numDoc,
               const char *controle = "")
{
    return StagingRow{data,
                      deb,
                      cred,
                      Money::fromCentavos(centavos),
                      QString::fromUtf8(hsto),
                      QString::fromUtf8(numDoc),
                      true,
                      QString::fromUtf8(controle)};
}

const QByteArray sgmlHeader = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nENCODING:USASCII\r\n"
                              "CHARSET:1252\r\n\r\n";

// A bank statement around the given transaction list content (and what follows the list).
QByteArray statement(const QByteArray &list, const QByteArray &afterList = {},
                     const QByteArray &header = sgmlHeader)
{
    return header + "<OFX>\r\n<BANKMSGSRSV1>\r\n<STMTTRNRS>\r\n<STMTRS>\r\n<BANKTRANLIST>\r\n" +
           list + "</BANKTRANLIST>\r\n" + afterList +
           "</STMTRS>\r\n</STMTTRNRS>\r\n</BANKMSGSRSV1>\r\n</OFX>\r\n";
}

QByteArray transaction(const QByteArray &date, const QByteArray &amount,
                       const QByteArray &more = {})
{
    return "<STMTTRN>\r\n<DTPOSTED>" + date + "\r\n<TRNAMT>" + amount + "\r\n" + more +
           "</STMTTRN>\r\n";
}

const auto caseName = [](const auto &info) {
    return std::string(info.param.name);
};

TEST(ReadStatement, SgmlInWindows1252)
{
    const ofx::Statement st = ofx::readStatement(fixture("sgml_1252.ofx"), prefs);
    // The second transaction has neither CHECKNUM nor MEMO. It used to take both from the third
    // one, whose block was then skipped.
    const std::vector<StagingRow> expected{
        row(QDate(2007, 10, 31), 201, 11, 1250, "Padaria São João – pão", "[I] 000123", "-"),
        row(QDate(2007, 10, 20), 11, 101, 1050, "", "[I] "),
        row(QDate(2007, 10, 15), 11, 101, 10000, "Salário € Outubro", "[I] 777"),
    };
    EXPECT_EQ(st.rows, expected);
    EXPECT_EQ(st.bankId, QStringLiteral("0001"));
    EXPECT_EQ(st.branchId, QStringLiteral("1234-5"));
    EXPECT_EQ(st.accountId, QStringLiteral("98765-0"));
    EXPECT_EQ(st.balance, Money::fromCentavos(-123456));
    EXPECT_EQ(st.balanceDate, QDate(2007, 10, 31));
    EXPECT_EQ(st.periodStart, QDate(2007, 10, 1));
    EXPECT_EQ(st.periodEnd, QDate(2007, 10, 31));
    EXPECT_EQ(st.statementCount, 1);
}

TEST(ReadStatement, XmlInUtf8)
{
    const ofx::Statement st = ofx::readStatement(fixture("xml_utf8.ofx"), prefs);
    // MEMO before CHECKNUM in the first transaction; a transfer's BANKACCTTO in the second.
    const std::vector<StagingRow> expected{
        row(QDate(2024, 2, 29), 201, 11, 50, "Tarifa C&A — manutenção", "[I] 4321", "-"),
        row(QDate(2024, 2, 10), 11, 101, 250000, "Transferência recebida", "[I] "),
    };
    EXPECT_EQ(st.rows, expected);
    EXPECT_EQ(st.bankId, QStringLiteral("0341"));
    // The account has no branch; the transfer's BRANCHID belongs to the other account.
    EXPECT_EQ(st.branchId, QString());
    EXPECT_EQ(st.accountId, QStringLiteral("12345-6"));
    // The ledger balance, not the available one that follows it.
    EXPECT_EQ(st.balance, Money::fromCentavos(249950));
    EXPECT_EQ(st.balanceDate, QDate(2024, 2, 29));
    EXPECT_EQ(st.periodStart, QDate(2024, 2, 1));
    EXPECT_EQ(st.periodEnd, QDate(2024, 2, 29));
}

TEST(ReadStatement, SecondStatementIsCountedButNotMixedIn)
{
    const ofx::Statement st = ofx::readStatement(fixture("two_statements.ofx"), prefs);
    const std::vector<StagingRow> expected{
        row(QDate(2023, 1, 5), 201, 11, 3000, "Conta de luz", "[I] ", "-")};
    EXPECT_EQ(st.rows, expected);
    EXPECT_EQ(st.accountId, QStringLiteral("111-1"));
    // The first statement has no balance; the second statement's one is not its balance.
    EXPECT_EQ(st.balance, std::nullopt);
    EXPECT_EQ(st.balanceDate, QDate());
    EXPECT_EQ(st.statementCount, 2);
}

TEST(ReadStatement, EachTransactionKeepsToItsOwnBlock)
{
    // An SGML memo with no closing tag before a transaction written with closing tags, and a
    // transaction whose closing tag is missing: each one is still read from its own block.
    const QByteArray list = transaction("20070101", "1", "<MEMO>primeiro\r\n") +
                            transaction("20070102", "2", "<MEMO>segundo</MEMO>\r\n") +
                            "<STMTTRN>\r\n<DTPOSTED>20070103\r\n<TRNAMT>3\r\n" +
                            transaction("20070104", "4", "<CHECKNUM>9\r\n<MEMO>quarto\r\n");
    const ofx::Statement st = ofx::readStatement(statement(list), prefs);
    const std::vector<StagingRow> expected{
        row(QDate(2007, 1, 1), 11, 101, 100, "primeiro", "[I] "),
        row(QDate(2007, 1, 2), 11, 101, 200, "segundo", "[I] "),
        row(QDate(2007, 1, 3), 11, 101, 300, "", "[I] "),
        row(QDate(2007, 1, 4), 11, 101, 400, "quarto", "[I] 9"),
    };
    EXPECT_EQ(st.rows, expected);
}

TEST(ReadStatement, TextsAreCutToTheirFields)
{
    const QByteArray memo(100, 'm');
    const ofx::Statement st = ofx::readStatement(
        statement(transaction("20070101", "-0.01",
                              "<CHECKNUM>123456789012345\r\n<MEMO>" + memo + "\r\n")),
        prefs);
    ASSERT_EQ(st.rows.size(), 1u);
    EXPECT_EQ(st.rows[0].Hsto, QString(80, u'm'));
    EXPECT_EQ(st.rows[0].NumDoc, QStringLiteral("[I] 12345678901"));
    EXPECT_EQ(st.rows[0].Controle, QStringLiteral("-"));
}

// Regression: a NUL, BEL, ESC or a line break inside an XML element went into the memo and the
// document number as it was.
TEST(ReadStatement, ControlCharactersInTextsBecomeBlanks)
{
    const QByteArray list = transaction("20070101", "-1",
                                        QByteArray("<CHECKNUM>\x1B"
                                                   "12\a\r\n<MEMO>Padaria\0S\xE3o\tJo\xE3o\r\n",
                                                   40)) +
                            transaction("20070102", "2", "<MEMO>linha um\r\nlinha dois</MEMO>\r\n");
    const ofx::Statement st = ofx::readStatement(statement(list), prefs);
    const std::vector<StagingRow> expected{
        row(QDate(2007, 1, 1), 201, 11, 100, "Padaria São João", "[I] 12", "-"),
        row(QDate(2007, 1, 2), 11, 101, 200, "linha um  linha dois", "[I] "),
    };
    EXPECT_EQ(st.rows, expected);
}

// Regression: rows of amount zero were staged, and the entry editor refuses them.
TEST(ReadStatement, ZeroAmountsAreLeftOutAndCounted)
{
    const QByteArray list = transaction("20070101", "0.00") + transaction("20070102", "-5,10") +
                            transaction("20070103", "-0") + transaction("20070104", "0.004") +
                            transaction("20070105", "7");
    const ofx::Statement st = ofx::readStatement(statement(list), prefs);
    const std::vector<StagingRow> expected{
        row(QDate(2007, 1, 2), 201, 11, 510, "", "[I] ", "-"),
        row(QDate(2007, 1, 5), 11, 101, 700, "", "[I] "),
    };
    EXPECT_EQ(st.rows, expected);
    EXPECT_EQ(st.zeroAmountsLeftOut, 3);
}

TEST(ReadStatement, OnlyZeroAmountsGiveNoRows)
{
    const ofx::Statement st = ofx::readStatement(
        statement(transaction("20070101", "0") + transaction("20070102", "-0.00")), prefs);
    EXPECT_TRUE(st.rows.empty());
    EXPECT_EQ(st.zeroAmountsLeftOut, 2);
}

TEST(ReadStatement, TheLargestAmountOfAnEntryIsRead)
{
    const ofx::Statement st =
        ofx::readStatement(statement(transaction("20070101", "999999999.99") +
                                     transaction("20070102", "-999999999,99")),
                           prefs);
    ASSERT_EQ(st.rows.size(), 2u);
    EXPECT_EQ(st.rows[0].Valor, Money::fromCentavos(app::kMaxAmountCentavos));
    EXPECT_EQ(st.rows[1].Valor, Money::fromCentavos(app::kMaxAmountCentavos));
}

TEST(ReadStatement, MissingHeaderFactsStayEmpty)
{
    const ofx::Statement st = ofx::readStatement(statement(transaction("20070101", "1")), prefs);
    EXPECT_EQ(st.bankId, QStringLiteral("0000"));
    EXPECT_EQ(st.accountId, QString());
    EXPECT_EQ(st.balance, std::nullopt);
    EXPECT_EQ(st.periodStart, QDate());
    EXPECT_EQ(st.periodEnd, QDate());
}

TEST(BookRow, FollowsTheDirectionWhenAccountsChange)
{
    const ofx::Preferences changed{12, 102, 202, false};
    StagingRow debit = row(QDate(2007, 1, 1), 201, 11, 100, "", "[I] ", "-");
    StagingRow credit = row(QDate(2007, 1, 1), 11, 101, 100, "", "[I] ");
    ofx::bookRow(debit, changed);
    ofx::bookRow(credit, changed);
    EXPECT_EQ(std::make_pair(debit.CtaDeb, debit.CtaCred), std::make_pair(202, 12));
    EXPECT_EQ(std::make_pair(credit.CtaDeb, credit.CtaCred), std::make_pair(12, 102));
}

TEST(ReadStatementFile, ReadsThePathOrSaysItCannotOpenIt)
{
    const QString path = QStringLiteral(OFX_FIXTURE_DIR "/sgml_1252.ofx");
    const ofx::Statement st = ofx::readStatementFile(path, prefs);
    EXPECT_EQ(st.path, path);
    EXPECT_EQ(st.rows.size(), 3u);
    try {
        ofx::readStatementFile(QStringLiteral(OFX_FIXTURE_DIR "/no_such_file.ofx"), prefs);
        ADD_FAILURE() << "no error for a missing file";
    } catch (const app::Error &e) {
        EXPECT_EQ(e.text(), ofx::openErrorMessage());
    }
}

struct CharsetCase
{
    const char *name;
    QByteArray header;
    QByteArray memo; // bytes as written in the file
    const char *expected;
};

class Charset : public ::testing::TestWithParam<CharsetCase>
{
};

TEST_P(Charset, DecodesTheMemoAsDeclared)
{
    const CharsetCase &c = GetParam();
    const QByteArray bytes =
        statement(transaction("20070101", "1", "<MEMO>" + c.memo + "\r\n"), {}, c.header);
    const ofx::Statement st = ofx::readStatement(bytes, prefs);
    ASSERT_EQ(st.rows.size(), 1u);
    EXPECT_EQ(st.rows[0].Hsto, QString::fromUtf8(c.expected));
}

const QByteArray cp1252Memo = "P\xC3O \x80 \x96 a\xE7\xE3o";
const QByteArray utf8Memo = "P\xC3\x83O \xE2\x82\xAC \xE2\x80\x93 a\xC3\xA7\xC3\xA3o";
const char *const memoText = "PÃO € – ação";

INSTANTIATE_TEST_SUITE_P(
    Cases, Charset,
    ::testing::Values(
        CharsetCase{"sgmlWindows1252", sgmlHeader, cp1252Memo, memoText},
        CharsetCase{"sgmlCharsetNoneIsWindows1252", "OFXHEADER:100\r\nCHARSET:NONE\r\n\r\n",
                    cp1252Memo, memoText},
        CharsetCase{"noHeaderIsWindows1252", "", cp1252Memo, memoText},
        CharsetCase{"sgmlUtf8", "OFXHEADER:100\r\nENCODING:UTF-8\r\nCHARSET:NONE\r\n\r\n", utf8Memo,
                    memoText},
        CharsetCase{"sgmlLatin1", "OFXHEADER:100\r\nCHARSET:ISO-8859-1\r\n\r\n", "a\xE7\xE3o",
                    "ação"},
        CharsetCase{"unknownCharsetIsWindows1252", "OFXHEADER:100\r\nCHARSET:FOO-99\r\n\r\n",
                    cp1252Memo, memoText},
        CharsetCase{"xmlWithoutEncodingIsUtf8", "<?xml version=\"1.0\"?>\r\n", utf8Memo, memoText},
        CharsetCase{"xmlWindows1252", "<?xml version='1.0' encoding='windows-1252'?>\r\n",
                    cp1252Memo, memoText},
        CharsetCase{"xmlUnsafeNameIsUtf8", "<?xml version=\"1.0\" encoding=\"../x\"?>\r\n",
                    utf8Memo, memoText},
        CharsetCase{"byteOrderMarkWins", "\xEF\xBB\xBF" + sgmlHeader, utf8Memo, memoText},
        CharsetCase{"invalidUtf8BecomesReplacement", "<?xml version=\"1.0\"?>\r\n", "a\xFF",
                    "a\xEF\xBF\xBD"}),
    caseName);

struct RefusedCase
{
    const char *name;
    QByteArray bytes;
};

class RefuseFile : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(RefuseFile, WithInvalidFormatMessage)
{
    try {
        ofx::readStatement(GetParam().bytes, prefs);
        ADD_FAILURE() << "file accepted";
    } catch (const app::Error &e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Formato de arquivo inválido!\r\n\r\nNão foi possível ler "
                                 "elementos comuns de um\r\narquivo OFX de extrato "
                                 "bancário. Verifique!"));
    }
}

const QByteArray oneTransaction = transaction("20070101", "1");

INSTANTIATE_TEST_SUITE_P(
    Cases, RefuseFile,
    ::testing::Values(
        RefusedCase{"empty", ""}, RefusedCase{"notOfx", "Olá, isto não é um extrato."},
        RefusedCase{"truncatedInsideTheList", fixture("sgml_1252.ofx").left(815)},
        RefusedCase{"truncatedInTheHeader", fixture("xml_utf8.ofx").left(100)},
        RefusedCase{"noTransactionList", sgmlHeader + "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS>" +
                                             oneTransaction +
                                             "</STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>"},
        RefusedCase{"listWithoutTransactions", statement("")},
        RefusedCase{"listClosesBeforeFirstTransaction",
                    sgmlHeader +
                        "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST></BANKTRANLIST>" +
                        oneTransaction + "</STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>"},
        RefusedCase{"statementBeforeItsResponse",
                    sgmlHeader + "<OFX><BANKMSGSRSV1><STMTRS><STMTTRNRS><BANKTRANLIST>" +
                        oneTransaction +
                        "</BANKTRANLIST></STMTTRNRS></STMTRS></BANKMSGSRSV1></OFX>"},
        RefusedCase{"creditCardStatement",
                    sgmlHeader + "<OFX><CREDITCARDMSGSRSV1><CCSTMTTRNRS><CCSTMTRS><BANKTRANLIST>" +
                        oneTransaction +
                        "</BANKTRANLIST></CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1></OFX>"},
        RefusedCase{"lowerCaseTags", statement(oneTransaction).toLower()}),
    caseName);

struct ConversionCase
{
    const char *name;
    QByteArray bytes;
    const char *message;
};

class FailConversion : public ::testing::TestWithParam<ConversionCase>
{
};

TEST_P(FailConversion, WithTheConversionMessageAndNoRows)
{
    // The reader returns rows only when the whole file converts; a throw is all the caller gets.
    try {
        ofx::readStatement(GetParam().bytes, prefs);
        ADD_FAILURE() << "file accepted";
    } catch (const app::ConversionError &e) {
        EXPECT_EQ(e.text(), QString::fromUtf8(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailConversion,
    ::testing::Values(
        ConversionCase{"missingPostedDate", statement("<STMTTRN>\r\n<TRNAMT>1\r\n</STMTTRN>\r\n"),
                       "Data ausente no arquivo OFX!"},
        ConversionCase{"emptyTransactionBlock",
                       statement(oneTransaction + "<STMTTRN></STMTTRN>\r\n"),
                       "Data ausente no arquivo OFX!"},
        ConversionCase{"missingAmount",
                       statement("<STMTTRN>\r\n<DTPOSTED>20070101\r\n</STMTTRN>\r\n"),
                       "'' não é um valor de ponto flutuante válido. Verifique!"},
        ConversionCase{"thirdTransactionHasNoSuchDay",
                       statement(oneTransaction + oneTransaction + transaction("20070230", "1")),
                       "Data inválida no arquivo OFX: \"20070230\"!\r\nA data deve estar na "
                       "forma AAAAMMDD, com ano de 1900 a 2099."},
        // Regression: "'-1' não é um valor inteiro válido. Verifique!".
        ConversionCase{"postedDateWithDashes", statement(transaction("2026-12-10", "1")),
                       "Data inválida no arquivo OFX: \"2026-12-10\"!\r\nA data deve estar na "
                       "forma AAAAMMDD, com ano de 1900 a 2099."},
        ConversionCase{"postedDateIn2100", statement(transaction("21000101", "1")),
                       "Data inválida no arquivo OFX: \"21000101\"!\r\nA data deve estar na "
                       "forma AAAAMMDD, com ano de 1900 a 2099."},
        ConversionCase{"balanceDateIn1899",
                       statement(oneTransaction, "<LEDGERBAL>\r\n<BALAMT>1\r\n<DTASOF>18991231"
                                                 "\r\n</LEDGERBAL>\r\n"),
                       "Data inválida no arquivo OFX: \"18991231\"!\r\nA data deve estar na "
                       "forma AAAAMMDD, com ano de 1900 a 2099."},
        // Regression: any amount of up to 16 whole digits was staged, beyond what an entry holds.
        ConversionCase{"amountAboveTheLargestEntry",
                       statement(oneTransaction + transaction("20070101", "1000000000.00")),
                       "Valor de lançamento acima do máximo permitido no arquivo OFX: "
                       "\"1000000000.00\"!\r\nO maior valor aceito para um lançamento é "
                       "999.999.999,99."},
        ConversionCase{"debitAboveTheLargestEntry",
                       statement(transaction("20070101", "-999999999.995")),
                       "Valor de lançamento acima do máximo permitido no arquivo OFX: "
                       "\"-999999999.995\"!\r\nO maior valor aceito para um lançamento é "
                       "999.999.999,99."},
        ConversionCase{"amountWithThousands", statement(transaction("20070101", "-1.234,56")),
                       "'-1.234,56' não é um valor de ponto flutuante válido. Verifique!"},
        ConversionCase{"badBalance",
                       statement(oneTransaction, "<LEDGERBAL>\r\n<BALAMT>abc\r\n</LEDGERBAL>\r\n"),
                       "'abc' não é um valor de ponto flutuante válido. Verifique!"},
        ConversionCase{"badPeriodStart", statement("<DTSTART>2007\r\n" + oneTransaction),
                       "Data inválida no arquivo OFX: \"2007\"!\r\nA data deve estar na forma "
                       "AAAAMMDD, com ano de 1900 a 2099."},
        ConversionCase{"zeroAmountRowWithBadDate", statement(transaction("2007-01-01", "0")),
                       "Data inválida no arquivo OFX: \"2007-01-01\"!\r\nA data deve estar na "
                       "forma AAAAMMDD, com ano de 1900 a 2099."}),
    caseName);

// Reading must end in rows or an app::Error, whatever the bytes; anything else escapes here.
void readOrRefuse(const QByteArray &bytes)
{
    try {
        ofx::readStatement(bytes, prefs);
    } catch (const app::Error &) {
    }
}

TEST(Robustness, EveryCutOfTheFixturesReadsOrIsRefused)
{
    for (const char *name : {"sgml_1252.ofx", "xml_utf8.ofx", "two_statements.ofx"}) {
        const QByteArray bytes = fixture(name);
        for (qsizetype n = 0; n <= bytes.size(); ++n)
            EXPECT_NO_THROW(readOrRefuse(bytes.left(n))) << name << " cut at " << n;
    }
}

// The seed corpus of the fuzz target and every crash it found.
TEST(Robustness, CorpusAndCrashFilesReadOrAreRefused)
{
    for (const QString &dir :
         {QStringLiteral(OFX_CORPUS_DIR), QStringLiteral(OFX_FIXTURE_DIR "/crashes")}) {
        for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files)) {
            QFile f(info.filePath());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
            EXPECT_NO_THROW(readOrRefuse(f.readAll())) << info.fileName().toStdString();
        }
    }
}

} // namespace
