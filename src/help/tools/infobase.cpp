// quorvila-infobase: compiles the information base's page sources into TbInfo.DB.
// Usage: quorvila-infobase OUTPUT.DB CONTENT_DIR ; every *.page under CONTENT_DIR, at any depth,
// is read, the tree is checked as a whole (help::checkPages) and the verse pictures are drawn.
// A refused tree ends with status 1 and a line naming the file and the reason.
#include <help/infobasebuild.h>
#include <help/infocodes.h>

#include <app/error.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    // Fonts need a GUI application; the build has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quorvila-infobase OUTPUT.DB CONTENT_DIR\n");
        return 2;
    }
    try {
        QDir().mkpath(QFileInfo(args[1]).absolutePath());
        help::buildInfoBase(args[1], help::pageFiles(args[2]), help::requiredCodes(), args[2]);
    } catch (const app::Error &e) {
        std::fprintf(stderr, "quorvila-infobase: %s\n", qPrintable(e.text()));
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "quorvila-infobase: %s\n", e.what());
        return 1;
    }
    return 0;
}
