// Help-viewer timings: opening a page by its code and showing it (the text laid out and painted,
// the related-pages menu rebuilt), over an information base with a page for every code the
// program opens, each of a few thousand characters with five related pages.
#include "bench.h"

#include <data/UDM.h>
#include <help/UHelp.h>
#include <help/infobasebuild.h>
#include <help/infocodes.h>
#include <help/viewer.h>

#include <QApplication>
#include <QDir>
#include <QFile>

namespace bench {

static void writePages(const QString &dir)
{
    const QList<int> codes = help::requiredCodes();
    QString body;
    for (int i = 0; i < 12; ++i)
        body += "<p>Um parágrafo de ajuda com <b>destaques</b> e <i>ênfases</i>, do tamanho dos "
                "parágrafos das páginas da base de informações, explicando um passo do uso.</p>";
    for (int i = 0; i < codes.size(); ++i) {
        QString header = QString("Codigo: %1\nTipo: %2\nTitulo: Página %1\n")
                             .arg(codes[i])
                             .arg(i < 2   ? 1
                                  : i < 4 ? 2
                                          : 4);
        if (i < 2)
            header += "Ref: Pv 3:9\nVersiculo: Honre o Senhor com os seus bens.\n";
        else if (i < 4)
            header += "Dica: Gaste menos do que ganha.\n";
        QStringList related;
        for (int k = 1; k <= 5; ++k)
            related << QString::number(codes[(i + 7 * k) % codes.size()]);
        header += "TopicosRel: " + related.join(' ') + '\n';
        QFile f(dir + QString("/%1.page").arg(codes[i]));
        f.open(QIODevice::WriteOnly);
        f.write((header + "---\n" + body).toUtf8());
    }
}

void runHelpBench(const Options &o)
{
    const QString dir = o.workDir + "/helpbase";
    QDir().mkpath(dir + "/content");
    writePages(dir + "/content");
    help::buildInfoBase(dir + "/TbInfo.DB", help::pageFiles(dir + "/content"),
                        help::requiredCodes(), dir);
    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.openInfo();
    help::TFormHelp viewer(dm);
    help::setViewer(&viewer);
    help::openPage(2001);
    QApplication::processEvents();
    const QList<int> codes = help::requiredCodes();
    int i = 0;
    const double open = medianMs(o.repetitions, [&] {
        help::openPage(codes[(i++ * 13) % codes.size()]);
        viewer.repaint();
        QApplication::processEvents();
    });
    report("open a help page by code and show it", open, o.repetitions);
    help::setViewer(nullptr);
}

} // namespace bench
