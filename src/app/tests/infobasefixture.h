// For the screen tests of every folder: a data directory holding only an (empty) information
// base, as the program is delivered, so the start-up sequence may run on it.
#pragma once

#include <data/catalogue.h>
#include <data/database.h>

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

} // namespace testsupport
