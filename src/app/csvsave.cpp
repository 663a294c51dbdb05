#include "csvsave.h"

#include "mensagem.h"
#include "waitcursor.h"

#include <QDir>
#include <QFileDialog>

namespace app {

QString askSaveFileName(QWidget *parent, const QString &proposed, const QString &filter,
                        const QString &suffix, const QString &title)
{
    QFileDialog d(parent, title, proposed, filter);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(suffix);
    d.selectFile(proposed);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

QString askOpenFileName(QWidget *parent, const QString &filter, const QString &suffix,
                        const QString &title)
{
    QFileDialog d(parent, title, QString(), filter);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(suffix);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

QString askCsvFileName(QWidget *parent, const QString &proposed)
{
    return askSaveFileName(parent, proposed, "Arquivo CSV (*.CSV *.csv)", "CSV");
}

QString csvWriteErrorText(const QString &path)
{
    return "Erro ao gravar arquivo\r\n\"" + QDir::toNativeSeparators(path) + "\"." + "\r\n" +
           "Verifique se este arquivo" + "\r\n" + "não está aberto em outro programa!";
}

bool writeCsvFile(const CsvWriter &w, const QString &path)
{
    bool ok = false;
    {
        WaitCursor wait;
        ok = w.save(path);
    }
    if (!ok)
        Mensagem(csvWriteErrorText(path), 0);
    return ok;
}

bool saveCsvListing(QWidget *parent, const QString &proposed, const CsvWriter &w,
                    const QString &donePrefix, const QString &doneSuffix)
{
    const QString path = askCsvFileName(parent, proposed);
    if (path.isEmpty() || !writeCsvFile(w, path))
        return false;
    Mensagem(donePrefix + QDir::toNativeSeparators(path) + doneSuffix, 0);
    return true;
}

} // namespace app
