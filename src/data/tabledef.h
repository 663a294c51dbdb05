// Table definitions: fields in definition order, primary key, named secondary indexes. The
// catalogue (catalogue.h) holds one definition per table of the books; the DDL that creates a
// table file is generated from its definition, so the stored layout and the record objects agree.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace data {

enum class FieldType {
    Integer, // qlonglong
    AutoInc, // qlonglong, assigned by the store on first post, never reused
    Char,    // QString cut to size and right-trimmed; empty is stored as NULL
    Date,    // QDate, stored as "yyyy-MM-dd"
    Boolean, // bool, stored 0/1
    Money,   // qlonglong centavos (NUMERIC(19,2) of the books)
    Real,    // double (NUMERIC columns of the calculators)
    Memo,    // QString without size limit
    Blob,    // QByteArray
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Integer;
    int size = 0; // Char only
    bool required = false;
    QString label; // shown in messages instead of the name when set
};

struct IndexDef
{
    QString name;
    QStringList columns;
};

struct TableDef
{
    QString name; // logical name ("Fin", "Cta", "TbCfg"): for messages and tests
    std::vector<FieldDef> fields;
    QStringList primaryKey;
    std::vector<IndexDef> indexes;

    int indexOf(const QString &field) const; // -1 when absent (case-insensitive)
    const FieldDef &field(int i) const { return fields[size_t(i)]; }
    const IndexDef *index(const QString &name) const;
    bool hasAutoInc() const;
    // CREATE TABLE and CREATE INDEX statements for the table `qualifiedName` ("alias".Tabela or
    // a TEMP name); indexes are created in the schema `schema` (quoted) or TEMP when empty.
    QStringList ddl(const QString &schema, const QString &table, bool temporary = false) const;
};

// Converts a value to the form the table object carries for the field type (see FieldType), and
// to the form stored in SQLite. Both throw app::ConversionError for text that does not convert.
QVariant normaliseValue(const FieldDef &f, const QVariant &v);
QVariant storageValue(const FieldDef &f, const QVariant &v);
QVariant fromStorage(const FieldDef &f, const QVariant &v);

} // namespace data
