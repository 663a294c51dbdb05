// The program: the command line, start-up, then the event loop until the main window closes.
#include "Quorvila.h"
#include "application.h"
#include "commandline.h"
#include "datalocation.h"

#include <reports/logo.h>

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

// The program's logo as the windows' icon, so the task bar shows it in either layout.
static QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        reports::drawLogo(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

static QStringList rawArguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

int main(int argc, char **argv)
{
    // The name decides the per-user data location (~/.local/share/Quorvila).
    QCoreApplication::setApplicationName("Quorvila");
    // --help and --version answer before the application object, which needs a display.
    const app::CommandLine early = app::parseCommandLine(rawArguments(argc, argv));
    if (early.action == app::CommandLine::Action::Help) {
        std::fputs(app::helpText(app::perUserDataDir()).toUtf8().constData(), stdout);
        return 0;
    }
    if (early.action == app::CommandLine::Action::Version) {
        std::fputs(app::versionText().toUtf8().constData(), stdout);
        return 0;
    }
    app::Application application(argc, argv);
    // Read again without the options Qt took for itself (-platform, -style, ...).
    const app::CommandLine line = app::parseCommandLine(application.arguments());
    if (line.action == app::CommandLine::Action::Error) {
        std::fputs(("quorvila: " + line.error + "\nUse quorvila --help para ver as opções.\n")
                       .toUtf8()
                       .constData(),
                   stderr);
        return 2;
    }
    QGuiApplication::setDesktopFileName("br.com.quorvila.Quorvila");
    QApplication::setWindowIcon(programIcon());
    app::StartupOptions options;
    options.dirDados = line.dados;
    app::Quorvila program(options);
    // A start that stopped (its message shown) is not a success for whoever started it.
    if (!program.start())
        return 1;
    return application.exec();
}
