#include "fintotals.h"

#include "database.h"

#include <app/error.h>

namespace data::fintotals {

namespace {

constexpr int kVersion = 1;
const char *const kTriggers[] = {"TotaisIncluir", "TotaisAlterar", "TotaisExcluir"};

QString q(const QString &schema)
{
    return quoteIdent(schema) + '.';
}

// The statements that add the row NEW to the totals, or take the row OLD out of them (`sign`
// "+" or "-"). A side counts when the entry has a date and that side an account.
QString addRow()
{
    return "INSERT INTO Totais (Mes, Cta, Deb, N) SELECT substr(NEW.Data, 1, 7), NEW.CtaDeb,"
           " coalesce(NEW.Valor, 0), 1 WHERE NEW.Data IS NOT NULL AND NEW.CtaDeb IS NOT NULL"
           " ON CONFLICT (Mes, Cta) DO UPDATE SET Deb = Deb + excluded.Deb, N = N + 1;"
           " INSERT INTO Totais (Mes, Cta, Cred, N) SELECT substr(NEW.Data, 1, 7), NEW.CtaCred,"
           " coalesce(NEW.Valor, 0), 1 WHERE NEW.Data IS NOT NULL AND NEW.CtaCred IS NOT NULL"
           " ON CONFLICT (Mes, Cta) DO UPDATE SET Cred = Cred + excluded.Cred, N = N + 1;";
}

QString removeRow()
{
    return "UPDATE Totais SET Deb = Deb - coalesce(OLD.Valor, 0), N = N - 1"
           " WHERE OLD.Data IS NOT NULL AND Mes = substr(OLD.Data, 1, 7) AND Cta = OLD.CtaDeb;"
           " UPDATE Totais SET Cred = Cred - coalesce(OLD.Valor, 0), N = N - 1"
           " WHERE OLD.Data IS NOT NULL AND Mes = substr(OLD.Data, 1, 7) AND Cta = OLD.CtaCred;";
}

// The amount one side of a row adds to SomaDeb or SomaCred.
QString sideAmount(const char *row, const char *cta)
{
    return QString("CASE WHEN %1.Data IS NOT NULL AND %1.%2 IS NOT NULL THEN coalesce(%1.Valor, 0)"
                   " ELSE 0 END")
        .arg(row, cta);
}

QString infoUpdate(const QString &count, const QString &deb, const QString &cred)
{
    return "UPDATE TotaisInfo SET Lancamentos = Lancamentos" + count + ", SomaDeb = SomaDeb" + deb +
           ", SomaCred = SomaCred" + cred + ";";
}

void createSchema(Database &db, const QString &schema)
{
    const QString s = q(schema);
    db.exec(
        "CREATE TABLE " + s +
        "Totais (Mes TEXT NOT NULL, Cta INTEGER NOT NULL, Deb INTEGER NOT NULL DEFAULT 0,"
        " Cred INTEGER NOT NULL DEFAULT 0, N INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (Mes, Cta))"
        " WITHOUT ROWID");
    db.exec("CREATE TABLE " + s +
            "TotaisInfo (Versao INTEGER NOT NULL, Lancamentos INTEGER NOT NULL,"
            " SomaDeb INTEGER NOT NULL, SomaCred INTEGER NOT NULL)");
    const QString newDeb = sideAmount("NEW", "CtaDeb"), newCred = sideAmount("NEW", "CtaCred");
    const QString oldDeb = sideAmount("OLD", "CtaDeb"), oldCred = sideAmount("OLD", "CtaCred");
    db.exec("CREATE TRIGGER " + s + "TotaisIncluir AFTER INSERT ON " + kInnerTable + " BEGIN " +
            addRow() + infoUpdate(" + 1", " + " + newDeb, " + " + newCred) + " END");
    db.exec("CREATE TRIGGER " + s +
            "TotaisAlterar AFTER UPDATE OF Data, CtaDeb, CtaCred, Valor ON " + kInnerTable +
            " BEGIN " + removeRow() + addRow() +
            infoUpdate("", " - " + oldDeb + " + " + newDeb, " - " + oldCred + " + " + newCred) +
            " END");
    db.exec("CREATE TRIGGER " + s + "TotaisExcluir AFTER DELETE ON " + kInnerTable + " BEGIN " +
            removeRow() + infoUpdate(" - 1", " - " + oldDeb, " - " + oldCred) + " END");
}

void dropSchema(Database &db, const QString &schema)
{
    const QString s = q(schema);
    for (const char *t : kTriggers)
        db.exec("DROP TRIGGER IF EXISTS " + s + t);
    db.exec("DROP TABLE IF EXISTS " + s + "Totais");
    db.exec("DROP TABLE IF EXISTS " + s + "TotaisInfo");
}

// True when the header and the totals agree with each other and with the entries' row count.
bool matchesEntries(Database &db, const QString &schema)
{
    Statement info = db.prepare("SELECT count(*), max(Versao), max(Lancamentos), max(SomaDeb),"
                                " max(SomaCred) FROM " +
                                infoTable(schema));
    if (!info.step() || info.column(0).toLongLong() != 1 || info.column(1).toLongLong() != kVersion)
        return false;
    const QVariant rows = info.column(2), deb = info.column(3), cred = info.column(4);
    // Naming every column also checks the table's layout: one without them fails to prepare.
    Statement sums = db.prepare("SELECT coalesce(sum(Deb), 0) = ?1 AND coalesce(sum(Cred), 0) = ?2"
                                " AND count(N) = count(Mes) + count(Cta) - count(*) FROM " +
                                totalsTable(schema));
    sums.bindAll({deb, cred});
    if (!sums.step() || sums.column(0).toLongLong() != 1)
        return false;
    const QVariant count = db.scalar("SELECT count(*) FROM " + q(schema) + kInnerTable);
    return count.toLongLong() == rows.toLongLong();
}

} // namespace

QString totalsTable(const QString &schema)
{
    return q(schema) + "Totais";
}

QString infoTable(const QString &schema)
{
    return q(schema) + "TotaisInfo";
}

bool inPlace(Database &db, const QString &schema)
{
    const QVariant objects = db.scalar(
        "SELECT count(*) FROM " + q(schema) +
            "sqlite_master WHERE (type = 'table' AND name IN ('Totais', 'TotaisInfo')) OR (type = "
            "'trigger' AND tbl_name = ?1 AND name IN ('TotaisIncluir', 'TotaisAlterar', "
            "'TotaisExcluir'))",
        {QString(kInnerTable)});
    if (objects.toLongLong() != 5)
        return false;
    return db.scalar("SELECT Versao FROM " + infoTable(schema)).toLongLong() == kVersion;
}

void rebuild(Database &db, const QString &schema)
{
    const QString s = q(schema);
    Transaction tr(db);
    dropSchema(db, schema);
    createSchema(db, schema);
    db.exec("INSERT INTO " + totalsTable(schema) +
            " (Mes, Cta, Deb, Cred, N) SELECT Mes, Cta, sum(Deb), sum(Cred), count(*) FROM ("
            "SELECT substr(Data, 1, 7) AS Mes, CtaDeb AS Cta, coalesce(Valor, 0) AS Deb, 0 AS Cred"
            " FROM " +
            s + kInnerTable +
            " WHERE Data IS NOT NULL AND CtaDeb IS NOT NULL"
            " UNION ALL SELECT substr(Data, 1, 7), CtaCred, 0, coalesce(Valor, 0) FROM " +
            s + kInnerTable + " WHERE Data IS NOT NULL AND CtaCred IS NOT NULL) GROUP BY Mes, Cta");
    db.exec("INSERT INTO " + infoTable(schema) +
                " (Versao, Lancamentos, SomaDeb, SomaCred) SELECT ?, (SELECT count(*) FROM " + s +
                kInnerTable + "), coalesce(sum(Deb), 0), coalesce(sum(Cred), 0) FROM " +
                totalsTable(schema),
            {kVersion});
    tr.commit();
}

void drop(Database &db, const QString &schema)
{
    Transaction tr(db);
    dropSchema(db, schema);
    tr.commit();
}

Outcome ensure(Database &db, const QString &schema)
{
    bool sound = false;
    try {
        sound = inPlace(db, schema) && matchesEntries(db, schema);
    } catch (const app::StorageError &) {
        sound = false; // unreadable totals are built again below
    }
    if (sound)
        return Outcome::Sound;
    rebuild(db, schema);
    return Outcome::Rebuilt;
}

} // namespace data::fintotals
