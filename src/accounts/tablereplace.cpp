#include "tablereplace.h"

#include <data/database.h>
#include <data/table.h>

#include <app/error.h>

#include <QScopeGuard>

namespace accounts {

static QString insertStatement(const data::Table &table)
{
    QStringList cols, marks;
    for (const data::FieldDef &f : table.def().fields) {
        cols << data::quoteIdent(f.name);
        marks << "?";
    }
    return "INSERT INTO " + table.sqlName() + " (" + cols.join(", ") + ") VALUES (" +
           marks.join(", ") + ")";
}

void replaceRows(data::Database &db, data::Table &table, const std::vector<QVariantList> &rows)
{
    table.disableControls();
    // Whatever happens, the table object reads the file again: after a rollback its row list
    // must match the rows that are really there.
    const auto resync = qScopeGuard([&table] {
        app::noThrow("replaceRows: refresh", [&table] {
            table.refresh();
            table.first();
        });
        table.enableControls();
    });
    const auto &fields = table.def().fields;
    data::Transaction tr(db);
    db.exec("DELETE FROM " + table.sqlName());
    data::Statement insert = db.prepare(insertStatement(table));
    for (const QVariantList &row : rows) {
        insert.reset();
        for (int i = 0; i < int(fields.size()); ++i)
            insert.bind(i + 1, data::storageValue(fields[size_t(i)], row.value(i)));
        insert.step();
    }
    tr.commit();
}

} // namespace accounts
