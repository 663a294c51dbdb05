// For the screen tests of every folder: a data directory holding only an (empty) information
// base, as the program is delivered, so the start-up sequence may run on it; and pages added to
// it for the screens that show them.
#pragma once

#include <data/catalogue.h>
#include <data/database.h>

#include <QByteArray>
#include <QDir>

namespace testsupport {

inline void makeEmptyInformationBase(const QString &dados)
{
    QDir().mkpath(dados);
    data::Database db;
    db.setDirDados(dados);
    data::AttachGuard info(db, "TbInfo.DB", true);
    for (const QString &s : data::catalogue::tbInfo().ddl(info.alias(), data::kInnerTable))
        db.exec(s);
}

struct InfoPageRow
{
    qlonglong codigo = 0;
    int tipo = 4;
    QString titulo;
    QString texto;
    QString dica;
    QByteArray imagem;
};

// Adds pages to the information base of `dados` (made by makeEmptyInformationBase).
inline void addInformationPages(const QString &dados, const QList<InfoPageRow> &pages)
{
    data::Database db;
    db.setDirDados(dados);
    data::AttachGuard info(db, "TbInfo.DB");
    for (const InfoPageRow &p : pages)
        db.exec("INSERT INTO " + data::quoteIdent(info.alias()) + '.' + data::kInnerTable +
                    " (Codigo, Tipo, Titulo, Texto, Dica, Imagem) VALUES (?, ?, ?, ?, ?, ?)",
                {p.codigo, p.tipo, p.titulo, p.texto, p.dica.isEmpty() ? QVariant() : p.dica,
                 p.imagem.isEmpty() ? QVariant() : QVariant(p.imagem)});
}

} // namespace testsupport
