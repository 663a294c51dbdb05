// The save side of every "Salvar CSV" command: the CSV save dialog (filter, default extension,
// overwrite prompt), the wait cursor while writing, the "Erro ao gravar arquivo" message, and the
// listing's own closing message with the path.
#pragma once

#include "csvwriter.h"

class QWidget;

namespace app {

// The save dialog of every file the program writes: `filter` names both cases of the extension
// ("Arquivo CSV (*.CSV *.csv)"), `suffix` is added when the user types none, and an existing file
// is replaced only after the user confirms. Empty when the user cancels.
QString askSaveFileName(QWidget *parent, const QString &proposed, const QString &filter,
                        const QString &suffix, const QString &title = {});
// The open dialog of the files the program reads: an existing file of `filter`; empty when the
// user cancels.
QString askOpenFileName(QWidget *parent, const QString &filter, const QString &suffix,
                        const QString &title = {});
// The CSV save dialog; empty when the user cancels. `proposed` is the listing's file name.
QString askCsvFileName(QWidget *parent, const QString &proposed);
// Writes `w` to `path`; on failure shows the error message and returns false.
bool writeCsvFile(const CsvWriter &w, const QString &path);
// Dialog, write and closing message: `doneMessage` gets the path appended as each listing says
// ("OK. Plano de Contas gravado no arquivo \r\n" + path + "!"). Returns true when written.
bool saveCsvListing(QWidget *parent, const QString &proposed, const CsvWriter &w,
                    const QString &donePrefix, const QString &doneSuffix = "!");
// The message shown when a file cannot be created.
QString csvWriteErrorText(const QString &path);

} // namespace app
