// For the information base's tests: small trees of page sources written into a folder, and an
// information base built from them without the program's list of required codes.
#pragma once

#include <help/infobasebuild.h>

#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

namespace testsupport {

struct PageSpec
{
    int codigo = 0;
    int tipo = 4;
    QString titulo = "Página";
    QString body = "<p>Texto da página.</p>";
    QString ref, versiculo, dica, topicosRel;
    QString subdir = "ajuda";
};

// A page of the tree; the fields a test needs beyond these are set on the result.
inline PageSpec pageSpec(int codigo, int tipo, const QString &titulo,
                         const QString &body = "<p>Texto da página.</p>",
                         const QString &topicosRel = {})
{
    PageSpec p;
    p.codigo = codigo;
    p.tipo = tipo;
    p.titulo = titulo;
    p.body = body;
    p.topicosRel = topicosRel;
    return p;
}

// Writes the page as "<dir>/<subdir>/<codigo>.page" (or `fileName` when given); returns the path.
inline QString writePage(const QString &dir, const PageSpec &p, const QString &fileName = {})
{
    const QString folder = dir + '/' + p.subdir;
    QDir().mkpath(folder);
    const QString path =
        folder + '/' + (fileName.isEmpty() ? QString::number(p.codigo) + ".page" : fileName);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QString text =
        QString("Codigo: %1\nTipo: %2\nTitulo: %3\n").arg(p.codigo).arg(p.tipo).arg(p.titulo);
    if (!p.ref.isEmpty())
        text += "Ref: " + p.ref + '\n';
    if (!p.versiculo.isEmpty())
        text += "Versiculo: " + p.versiculo + '\n';
    if (!p.dica.isEmpty())
        text += "Dica: " + p.dica + '\n';
    if (!p.topicosRel.isEmpty())
        text += "TopicosRel: " + p.topicosRel + '\n';
    text += "---\n" + p.body + '\n';
    f.write(text.toUtf8());
    return path;
}

// The two verses and two reflections every information base needs.
inline QList<PageSpec> panelPages()
{
    const auto verse = [](int codigo, const QString &ref, const QString &versiculo) {
        PageSpec p = pageSpec(codigo, 1, "Versículo " + ref, "<p>Contexto do versículo.</p>");
        p.ref = ref;
        p.versiculo = versiculo;
        p.subdir = "versiculos";
        return p;
    };
    const auto reflection = [](int codigo, const QString &dica) {
        PageSpec p = pageSpec(codigo, 2, "Reflexão", "<p>Reflexão.</p>");
        p.dica = dica;
        p.subdir = "reflexoes";
        return p;
    };
    return {verse(1101, "Pv 11:24", "Quem reparte prospera."),
            verse(1102, "Pv 21:5", "Os planos do diligente dão fruto."),
            reflection(1201, "Gaste menos do que ganha."),
            reflection(1202, "Guarde um pouco todo mês.")};
}

// Writes `pages` plus the panel pages under `contentDir` and builds `output` from them.
inline void buildFixtureBase(const QString &output, const QString &contentDir,
                             const QList<PageSpec> &pages)
{
    for (const PageSpec &p : panelPages() + pages)
        writePage(contentDir, p);
    help::buildInfoBase(output, help::pageFiles(contentDir), {}, contentDir);
}

} // namespace testsupport
