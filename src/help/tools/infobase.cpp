// quorvila-infobase: compiles the information base's readable page sources into TbInfo.DB.
// Usage: quorvila-infobase OUTPUT.DB PAGE... ; each page file is a header of "Campo: valor"
// lines (Codigo, Tipo, Titulo, Ref, Dica, TopicosRel, Imagem), a line "---", then the HTML body.
// The output is written beside its final name and renamed at the end.
#include <data/catalogue.h>
#include <data/database.h>

#include <app/error.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <cstdio>

namespace {

struct Page
{
    qlonglong codigo = 0;
    qlonglong tipo = 0;
    QString titulo, ref, dica, topicos, texto;
    QByteArray imagem;
};

Page readPage(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QString all = QString::fromUtf8(f.readAll());
    const int sep = all.indexOf("\n---\n");
    if (sep < 0)
        throw std::runtime_error(path.toStdString() + ": no '---' line");
    Page p;
    for (const QString &line : all.left(sep).split('\n')) {
        const int colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == "Codigo")
            p.codigo = value.toLongLong();
        else if (key == "Tipo")
            p.tipo = value.toLongLong();
        else if (key == "Titulo")
            p.titulo = value;
        else if (key == "Ref")
            p.ref = value;
        else if (key == "Dica")
            p.dica = value;
        else if (key == "TopicosRel")
            p.topicos = value;
        else if (key == "Imagem" && !value.isEmpty()) {
            QFile img(QFileInfo(path).dir().filePath(value));
            if (!img.open(QIODevice::ReadOnly))
                throw std::runtime_error(path.toStdString() + ": missing picture");
            p.imagem = img.readAll();
        }
    }
    p.texto = all.mid(sep + 5).trimmed();
    if (p.codigo <= 0)
        throw std::runtime_error(path.toStdString() + ": no Codigo");
    return p;
}

void build(const QString &output, const QStringList &pages)
{
    const QString tmp = output + ".new";
    QFile::remove(tmp);
    {
        data::Database db;
        const QString alias = db.attach(tmp, true);
        for (const QString &s : data::catalogue::tbInfo().ddl(alias, data::kInnerTable))
            db.exec(s);
        data::Transaction tr(db);
        QSet<qlonglong> seen;
        for (const QString &path : pages) {
            const Page p = readPage(path);
            if (seen.contains(p.codigo))
                throw std::runtime_error(path.toStdString() + ": Codigo repeated");
            seen.insert(p.codigo);
            const auto nullable = [](const QString &s) {
                return s.isEmpty() ? QVariant() : QVariant(s);
            };
            db.exec("INSERT INTO " + data::quoteIdent(alias) +
                        ".Tabela (Codigo, Tipo, Titulo, Ref, "
                        "Imagem, Texto, Dica, TopicosRel) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                    {p.codigo, p.tipo, nullable(p.titulo.left(80)), nullable(p.ref.left(50)),
                     p.imagem.isEmpty() ? QVariant() : QVariant(p.imagem), nullable(p.texto),
                     nullable(p.dica.left(255)), nullable(p.topicos.left(255))});
        }
        tr.commit();
        db.detach(tmp);
    }
    QFile::remove(output);
    if (!QFile::rename(tmp, output))
        throw std::runtime_error("cannot write " + output.toStdString());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quorvila-infobase OUTPUT.DB PAGE...\n");
        return 2;
    }
    try {
        QDir().mkpath(QFileInfo(args[1]).absolutePath());
        build(args[1], args.mid(2));
    } catch (const app::Error &e) {
        std::fprintf(stderr, "quorvila-infobase: %s\n", qPrintable(e.text()));
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "quorvila-infobase: %s\n", e.what());
        return 1;
    }
    return 0;
}
