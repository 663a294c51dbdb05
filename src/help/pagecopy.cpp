#include "pagecopy.h"

#include "rtfwriter.h"

#include <app/error.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QSaveFile>
#include <QTextDocument>

namespace help {

void copyPage(const PageText &page, MottoLetter letter, QWidget *parent)
{
    Q_UNUSED(parent);
    putOnClipboard(page, letter);
    app::Mensagem("OK. Texto copiado para \r\na área de transferência.\r\n\r\nUse Ctrl+V para "
                  "colar em outro programa.",
                  0);
}

void putOnClipboard(const PageText &page, MottoLetter letter)
{
    QTextDocument doc;
    composePage(doc, page, letter);
    auto *mime = new QMimeData;
    mime->setData("text/rtf", toRtf(doc));
    mime->setHtml(doc.toHtml());
    mime->setText(doc.toPlainText());
    QApplication::clipboard()->setMimeData(mime);
}

void writeRtfFile(const PageText &page, MottoLetter letter, const QString &path)
{
    app::WaitCursor wait;
    QTextDocument doc;
    composePage(doc, page, letter);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(toRtf(doc)) < 0 || !f.commit())
        QUORVILA_THROW(app::Error, "Erro ao gravar arquivo\r\n\"" + QDir::toNativeSeparators(path) +
                                       "\".\r\n" + f.errorString());
}

void savePage(const PageText &page, MottoLetter letter, const QString &defaultFileName,
              QWidget *parent)
{
    QFileDialog d(parent, QString(), defaultFileName, "Formato RichText (*.RTF *.rtf)");
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix("RTF");
    d.selectFile(defaultFileName);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return;
    const QString path = d.selectedFiles().first();
    writeRtfFile(page, letter, path);
    app::Mensagem("OK. Texto gravado no arquivo \r\n" + QDir::toNativeSeparators(path) + "!", 0);
}

} // namespace help
