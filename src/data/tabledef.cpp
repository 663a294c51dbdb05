#include "tabledef.h"

#include "database.h"

#include <app/error.h>

#include <QDate>

namespace data {

int TableDef::indexOf(const QString &f) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(f, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const IndexDef *TableDef::index(const QString &n) const
{
    for (const IndexDef &i : indexes)
        if (i.name.compare(n, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

bool TableDef::hasAutoInc() const
{
    for (const FieldDef &f : fields)
        if (f.type == FieldType::AutoInc)
            return true;
    return false;
}

static QString sqlType(const FieldDef &f)
{
    switch (f.type) {
    case FieldType::Integer:
    case FieldType::Boolean:
    case FieldType::Money:
    case FieldType::AutoInc:
        return "INTEGER";
    case FieldType::Real:
        return "REAL";
    case FieldType::Blob:
        return "BLOB";
    default:
        return "TEXT";
    }
}

QStringList TableDef::ddl(const QString &schema, const QString &table, bool temporary) const
{
    QStringList cols;
    const bool autoKey =
        primaryKey.size() == 1 && fields[size_t(indexOf(primaryKey[0]))].type == FieldType::AutoInc;
    for (const FieldDef &f : fields) {
        QString c = quoteIdent(f.name) + ' ' + sqlType(f);
        if (autoKey && f.name == primaryKey[0])
            c += " PRIMARY KEY AUTOINCREMENT";
        cols << c;
    }
    if (!autoKey && !primaryKey.isEmpty()) {
        QStringList pk;
        for (const QString &k : primaryKey)
            pk << quoteIdent(k);
        cols << "PRIMARY KEY(" + pk.join(", ") + ")";
    }
    const QString qualified =
        schema.isEmpty() ? quoteIdent(table) : quoteIdent(schema) + '.' + quoteIdent(table);
    QStringList out;
    out << QString("CREATE %1TABLE %2 (%3)")
               .arg(temporary ? "TEMP " : "", qualified, cols.join(", "));
    for (const IndexDef &i : indexes) {
        QStringList ic;
        for (const QString &c : i.columns)
            ic << quoteIdent(c);
        const QString idx = schema.isEmpty() ? quoteIdent(table + '_' + i.name)
                                             : quoteIdent(schema) + '.' + quoteIdent(i.name);
        out << QString("CREATE INDEX %1 ON %2 (%3)").arg(idx, quoteIdent(table), ic.join(", "));
    }
    return out;
}

static QVariant toDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().isValid() ? v : QVariant();
    if (v.typeId() == QMetaType::QDateTime)
        return QVariant(v.toDateTime().date());
    const QString t = v.toString().trimmed();
    if (t.isEmpty())
        return QVariant();
    QDate d = QDate::fromString(t, "yyyy-MM-dd");
    if (!d.isValid())
        d = QDate::fromString(t, "dd/MM/yyyy");
    if (!d.isValid())
        QUORVILA_THROW(app::ConversionError, QString("Data '%1' inválida. Verifique!").arg(t));
    return QVariant(d);
}

static QVariant toInteger(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        if (t.isEmpty())
            return QVariant();
        bool ok = false;
        const qlonglong n = t.toLongLong(&ok);
        if (!ok)
            QUORVILA_THROW(app::ConversionError,
                           QString("'%1' não é um valor inteiro válido. Verifique!").arg(t));
        return QVariant(n);
    }
    return QVariant(v.toLongLong());
}

QVariant normaliseValue(const FieldDef &f, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (f.type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Money:
        return toInteger(v);
    case FieldType::Boolean:
        return QVariant(v.toBool());
    case FieldType::Real:
        return QVariant(v.toDouble());
    case FieldType::Date:
        return toDate(v);
    case FieldType::Blob:
        return v.toByteArray().isEmpty() ? QVariant() : QVariant(v.toByteArray());
    case FieldType::Char: {
        // Text of at most n characters, trailing blanks not kept, empty is null.
        QString t = v.toString().left(f.size);
        while (!t.isEmpty() && t.back().isSpace())
            t.chop(1);
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case FieldType::Memo: {
        const QString t = v.toString();
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    }
    return v;
}

QVariant storageValue(const FieldDef &f, const QVariant &v)
{
    const QVariant n = normaliseValue(f, v);
    if (n.isValid() && f.type == FieldType::Date)
        return n.toDate().toString("yyyy-MM-dd");
    if (n.isValid() && f.type == FieldType::Boolean)
        return QVariant(qlonglong(n.toBool() ? 1 : 0));
    return n;
}

QVariant fromStorage(const FieldDef &f, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (f.type) {
    case FieldType::Date:
        return QVariant(QDate::fromString(v.toString(), "yyyy-MM-dd"));
    case FieldType::Boolean:
        return QVariant(v.toLongLong() != 0);
    case FieldType::Real:
        return QVariant(v.toDouble());
    case FieldType::Char:
    case FieldType::Memo:
        return QVariant(v.toString());
    case FieldType::Blob:
        return QVariant(v.toByteArray());
    default:
        return QVariant(v.toLongLong());
    }
}

} // namespace data
