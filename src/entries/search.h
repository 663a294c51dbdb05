// The entry search and the upcoming-entries list over plain values: what the criteria ask for,
// the one statement they become (every typed text a bound parameter, amounts exact centavos),
// the rows it finds, and those rows as the CSV listing and the report's data view. No widget.
#pragma once

#include <app/csvwriter.h>
#include <app/money.h>
#include <reports/dataview.h>

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <span>
#include <variant>
#include <vector>

namespace data {
class Database;
}

namespace entries {

// The choices of "Ordenado por:", in the combo's order.
enum class EntryOrder { Codigo, Data, Valor, CtaDeb, CtaCred, NumDoc };
QStringList entryOrderChoices();
// The ORDER BY the choice gives ("Data, Codigo" for Data).
QString orderByOf(EntryOrder order);

// "Confirmado": the empty choice (any), "OK", "Não".
enum class Confirm { Any, Yes, No };

// What the search screen's fields hold, as typed.
struct SearchCriteria
{
    bool period = false; // the period box is ticked
    QDate dtMin, dtMax;
    QString text;                 // looked for in Hsto and Obs, any case
    QString valor;                // an exact amount, "12,50"
    QString numDoc;               // the exact document number
    QString cta, ctaDeb, ctaCred; // reduced codes separated by blanks
    Confirm confirmado = Confirm::Any;
    EntryOrder order = EntryOrder::Data;
};

// The field a refusal sends the focus back to.
enum class SearchField { DtMax, Texto, Valor, Cta, CtaDeb, CtaCred };
struct SearchProblem
{
    QString message;
    SearchField field;
};

// The condition and order of one search; the parameters bind in order.
struct SearchQuery
{
    QString where; // without "WHERE"
    QVariantList params;
    EntryOrder order = EntryOrder::Data;
};

// The criteria as one statement's condition, each filled criterion an "AND"ed part in the
// screen's order: period, text, amount, document, confirmed, accounts on either side,
// destination, origin. Refuses an inverted period, an amount that does not convert (a lone ","
// included), an account field holding anything but codes, and criteria that are all empty.
std::variant<SearchQuery, SearchProblem> buildSearch(const SearchCriteria &c);
// The upcoming entries' statement: the period alone (always applied).
std::variant<SearchQuery, SearchProblem> buildPeriodSearch(const QDate &dtMin, const QDate &dtMax,
                                                           EntryOrder order);

QString invertedPeriodText();
QString noCriterionText();

// One entry found.
struct FoundEntry
{
    qint64 Codigo = 0;
    QDate Data;
    qint64 CtaDeb = 0, CtaCred = 0;
    app::Money Valor;
    QString Hsto, NumDoc, Obs;
    bool Confirmado = false;
};

// Runs `q` over the entries table `fin` (its SQL name, "alias".Tabela). Throws
// app::StorageError when the table cannot be read.
std::vector<FoundEntry> runSearch(data::Database &db, const QString &fin, const SearchQuery &q);

// "Nenhum lançamento encontrado." or "Foram encontrados N lançamentos."
QString resultCountText(int count);

// The listing of the found entries: preamble, `titleLine` (already quoted and with its period),
// the column titles, one line per entry.
app::CsvWriter foundEntriesCsv(const app::CsvUser &user, const QString &titleLine,
                               const QString &columnTitles, std::span<const FoundEntry> rows);
// Line 8 of the listing: the title quoted, then " | dd/MM/yyyy a dd/MM/yyyy" when `withPeriod`.
QString csvTitleLine(const QString &title, bool withPeriod, const QDate &dtMin, const QDate &dtMax);

// DvFinPesq / DvFinProx: Codigo, Data, CtaDeb, CtaCred, Valor (reais), Hsto, NumDoc, Confirmado.
reports::DataView foundEntriesView(std::span<const FoundEntry> rows);

} // namespace entries
