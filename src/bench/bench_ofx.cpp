// Reading a bank statement: the time from the bytes of a generated 10,000-transaction SGML file
// in Windows-1252 to the staging rows, as the import screen waits for it.
#include "bench.h"

#include <ofx/reader.h>

#include <QByteArray>

namespace bench {

QByteArray generatedStatement(int transactions)
{
    QByteArray b = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nENCODING:USASCII\r\n"
                   "CHARSET:1252\r\n\r\n<OFX>\r\n<BANKMSGSRSV1>\r\n<STMTTRNRS>\r\n<STMTRS>\r\n"
                   "<BANKACCTFROM>\r\n<BANKID>1\r\n<BRANCHID>1234\r\n<ACCTID>5678-9\r\n"
                   "</BANKACCTFROM>\r\n<BANKTRANLIST>\r\n<DTSTART>20200101\r\n<DTEND>20241231\r\n";
    for (int i = 0; i < transactions; ++i) {
        const bool debit = i % 3 != 0;
        b += "<STMTTRN>\r\n<TRNTYPE>";
        b += debit ? "DEBIT" : "CREDIT";
        b += "\r\n<DTPOSTED>2024" + QByteArray::number(100 + i % 12 + 1).right(2) +
             QByteArray::number(100 + i % 28 + 1).right(2) + "120000[-3:BRT]\r\n<TRNAMT>";
        b += (debit ? "-" : "") + QByteArray::number(i % 5000) + "," +
             QByteArray::number(100 + i % 100).right(2);
        b += "\r\n<FITID>" + QByteArray::number(i) + "\r\n";
        if (i % 4 == 0)
            b += "<CHECKNUM>" + QByteArray::number(100000 + i) + "\r\n";
        b += "<MEMO>Pagamento cart\xe3o n\xba " + QByteArray::number(i) + "\r\n</STMTTRN>\r\n";
    }
    b += "</BANKTRANLIST>\r\n<LEDGERBAL>\r\n<BALAMT>-1234,56\r\n<DTASOF>20241231\r\n"
         "</LEDGERBAL>\r\n</STMTRS>\r\n</STMTTRNRS>\r\n</BANKMSGSRSV1>\r\n</OFX>\r\n";
    return b;
}

void runOfxBench(const Options &o)
{
    const int transactions = 10000;
    const QByteArray bytes = generatedStatement(transactions);
    const ofx::Preferences prefs{10, 101, 201, true};
    std::size_t rows = 0;
    const double ms =
        medianMs(o.repetitions, [&] { rows = ofx::readStatement(bytes, prefs).rows.size(); });
    report(QStringLiteral("ofx: read a statement of %1 transactions (%2 rows, %3 KiB)")
               .arg(transactions)
               .arg(rows)
               .arg(bytes.size() / 1024),
           ms, o.repetitions);
}

} // namespace bench
