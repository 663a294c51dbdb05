#include "exchangeui.h"

#include "chartfile.h"
#include "chartstore.h"
#include "historyfile.h"
#include "historystore.h"

#include <app/csvsave.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>

#include <data/UDM.h>

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

#include <functional>

namespace accounts {

namespace {

using Kind = ExchangeKind;

Kind chartKind(const QString &codUsuario)
{
    return {"Quorvila Plano de Contas (*.KPF *.kpf)",
            "KPF",
            "Exportar Plano de Contas para o Arquivo:",
            "PlanoDeContas" + codUsuario + ".KPF",
            "Nenhuma Conta para Exportar!",
            "OK. Plano de Contas exportado para o arquivo \r\n",
            "Plano de Contas",
            "Erro ao abrir arquivo de Plano de Contas!\r\nEste não é um arquivo válido!",
            "Importar o Plano de Contas do arquivo\r\n%1\r\nimplica substituir o Plano de Contas "
            "atual!\r\n\r\nTem certeza que deseja fazer isso?",
            "Plano de Contas importado com sucesso!"};
}

Kind historyKind(const QString &codUsuario)
{
    return {"Quorvila Histórico Padrão (*.KHP *.khp)",
            "KHP",
            "Exportar Históricos para o Arquivo:",
            "HistóricoPadrão" + codUsuario + ".KHP",
            "Nenhum Histórico Padrão para Exportar!",
            "OK. Históricos exportados para o arquivo \r\n",
            "Históricos",
            "Erro ao abrir arquivo de Históricos!\r\nEste não é um arquivo válido!",
            "Importar Históricos do arquivo\r\n%1\r\nimplica substituir os Históricos "
            "atuais!\r\n\r\nTem certeza que deseja fazer isso?",
            "Arquivo de Históricos importado com sucesso!"};
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString askSaveName(QWidget *parent, const Kind &k)
{
    QFileDialog d(parent, k.exportTitle, QString(), k.filter);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(k.suffix);
    d.selectFile(k.proposedName);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

QString askOpenName(QWidget *parent, const Kind &k)
{
    QFileDialog d(parent, QString(), QString(), k.filter);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix(k.suffix);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

// Written under a temporary name and renamed, so a failed export leaves no half file behind.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

} // namespace

void runExport(QWidget *parent, const Kind &k, bool empty, const std::function<QByteArray()> &bytes)
{
    if (empty) {
        app::Mensagem(k.nothingToExport, 0);
        return;
    }
    const QString path = askSaveName(parent, k);
    if (path.isEmpty())
        return;
    bool written = false;
    {
        app::WaitCursor wait;
        written = writeWhole(path, bytes());
    }
    if (!written) {
        app::Mensagem(app::csvWriteErrorText(path), 0);
        return;
    }
    app::Mensagem(k.exported + native(path) + "!", 0);
}

// The open dialog and the reading of the file; empty optional when the command ends there.
std::optional<std::pair<QString, QByteArray>> readChosenFile(QWidget *parent, const Kind &k)
{
    const QString path = askOpenName(parent, k);
    if (path.isEmpty())
        return std::nullopt;
    LoadedFile file;
    {
        app::WaitCursor wait;
        file = loadExchangeFile(path);
    }
    if (file.status == LoadStatus::Unreadable) {
        app::Mensagem("Erro ao abrir arquivo! Provavelmente\r\neste não é um arquivo de " +
                          k.fileNoun + ".",
                      0);
        return std::nullopt;
    }
    // Larger than any exchange file can be: the message of any other invalid file.
    if (file.status == LoadStatus::TooLarge) {
        app::Mensagem(k.invalid, 0);
        return std::nullopt;
    }
    return std::pair{path, file.bytes};
}

// The messages of a refused file; true when the file is valid.
bool acceptStatus(const Kind &k, const QString &path, ExchangeStatus status)
{
    if (status == ExchangeStatus::OtherVersion) {
        app::Mensagem(native(path) + "\r\n\r\n" + "Este arquivo de " + k.fileNoun + " foi gerado" +
                          "\r\n" + "em outra versão. Não é possível restaurá-lo!",
                      0);
        return false;
    }
    if (status == ExchangeStatus::Invalid) {
        app::Mensagem(k.invalid, 0);
        return false;
    }
    return true;
}

// Budget rows name accounts by reduced code too: a chart without one of them would leave its rows
// on no account.
bool refuseOrphanedBudget(const std::vector<qint64> &codes)
{
    if (codes.empty())
        return false;
    app::Mensagem(orphanedBudgetMessage(codes), 0);
    return true;
}

bool confirmReplace(const Kind &k, const QString &path)
{
    return app::Mensagem(k.question.arg(native(path)), 2) == app::MsgButton::Yes;
}

void exportChart(QWidget *parent, data::TDM &dm, const TrailerRandom &random)
{
    const std::vector<CtaRow> rows = ChartStore(dm).rows();
    runExport(parent, chartKind(dm.CodUsuario()), rows.empty(),
              [&] { return writeChartFile(rows, random); });
}

void exportHistories(QWidget *parent, data::TDM &dm, const TrailerRandom &random)
{
    const std::vector<HstoRow> rows = HistoryStore(dm).rows();
    runExport(parent, historyKind(dm.CodUsuario()), rows.empty(),
              [&] { return writeHistoryFile(rows, random); });
}

bool importChart(QWidget *parent, data::TDM &dm)
{
    ChartStore store(dm);
    // Entries name accounts by reduced code: another chart would give them other accounts.
    if (!store.entriesEmpty()) {
        app::Mensagem("Somente é possível importar um Plano de Contas\r\nse o arquivo de "
                      "Lançamentos estiver vazio.\r\n\r\nComo já existem Lançamentos para este "
                      "usuário,\r\noutro Plano de Contas não pode ser importado!",
                      0);
        return false;
    }
    const Kind k = chartKind(dm.CodUsuario());
    const auto file = readChosenFile(parent, k);
    if (!file)
        return false;
    const ChartFileContent content = readChartFile(file->second);
    if (!acceptStatus(k, file->first, content.status) ||
        refuseOrphanedBudget(store.budgetCodesMissingFrom(content.rows)) ||
        !confirmReplace(k, file->first))
        return false;
    {
        app::WaitCursor wait;
        store.replace(content.rows);
    }
    app::Mensagem(k.imported, 0);
    return true;
}

bool importHistories(QWidget *parent, data::TDM &dm)
{
    const Kind k = historyKind(dm.CodUsuario());
    const auto file = readChosenFile(parent, k);
    if (!file)
        return false;
    const HistoryFileContent content = readHistoryFile(file->second);
    if (!acceptStatus(k, file->first, content.status) || !confirmReplace(k, file->first))
        return false;
    {
        app::WaitCursor wait;
        HistoryStore(dm).replace(content.rows);
    }
    app::Mensagem(k.imported, 0);
    return true;
}

} // namespace accounts
