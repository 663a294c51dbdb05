// quorvila-icons: draws the program's icon for the desktop's hicolor theme.
// Usage: quorvila-icons OUTPUT_DIR ; writes OUTPUT_DIR/<n>x<n>/apps/quorvila.png for each size a
// desktop asks for, from the same drawing as the reports' logo (quorvila.svg is its scalable copy).
#include <reports/logo.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    // The build has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quorvila-icons OUTPUT_DIR\n");
        return 2;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        reports::drawLogo(painter, QRectF(0, 0, size, size));
        painter.end();
        const QString dir = args[1] + QString("/%1x%1/apps").arg(size);
        QSaveFile file(dir + "/quorvila.png");
        if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") ||
            !file.commit()) {
            std::fprintf(stderr, "quorvila-icons: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
