#include "newuserdata.h"

#include "catalogue.h"
#include "fintotals.h"

#include <app/dates.h>
#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace data {

using catalogue::userFileName;

const QStringList &modeloPlanoDeContas()
{
    static const QStringList lines = {
        "0         Saldo/Circulante",
        "0.01      Dinheiro e Conta Corrente",
        "0.01.01 11Carteira",
        "0.01.02 12Cartão Alimentação",
        "0.01.03 13Conta Corrente Banco 1",
        "0.01.04 14Conta Corrente Banco 2",
        "0.02      Cartões de Crédito",
        "0.02.01 21Cartão de Crédito 1",
        "0.03      Aplicações Financeiras",
        "0.03.01 31Poupança Banco 1",
        "0.03.02 32Fundo de Aplicação Banco 2",
        "1         Entradas/Receitas",
        "1.01      Remuneração",
        "1.01.01111Salário",
        "1.01.02112Vale Alimentação",
        "1.01.03113Renda Extra",
        "1.03      Receitas Financeiras",
        "1.03.01131Rendimentos de Poup e Aplicações",
        "1.03.02132Restituição IRRF",
        "1.04      Receitas Patrimoniais",
        "1.04.01141Venda de Bens",
        "1.04.02142Alugueis Recebidos",
        "1.09      Outras Receitas",
        "1.09.05195Outras Receitas",
        "2         Saídas/Despesas",
        "2.01      Investimento Eterno",
        "2.01.01211Dízimos e Ofertas",
        "2.01.02212Generosidade",
        "2.01.03213Outras Contribuições",
        "2.02      Alimentação",
        "2.02.01221Supermercado",
        "2.02.02222Lanches e Refeições",
        "2.03      Vestuário",
        "2.03.01226Roupas",
        "2.03.02227Calçados",
        "2.04      Casa",
        "2.04.01231Aluguel",
        "2.04.02232Condomínio e Agua",
        "2.04.03233Energia Elétrica",
        "2.04.04234Telefone",
        "2.04.05235Manutenção da Casa",
        "2.04.06236IPTU",
        "2.05      Veículos",
        "2.05.01241Combustível e Oleo",
        "2.05.02242Serviços e Mecânica",
        "2.05.03243Seguro do Veículo",
        "2.05.04244IPVA e Multas",
        "2.06      Saúde",
        "2.06.01251Farmácia",
        "2.06.02252Despesas Médicas",
        "2.06.03253Despesas Odontológicas",
        "2.07      Educação",
        "2.07.01256Material Escolar",
        "2.07.02257Mensalidade Escolar",
        "2.07.03258Cursos e Palestras",
        "2.08      Diversão e Lazer",
        "2.08.01261Cinema, Futebol e Passeios",
        "2.08.02262Livros, Revistas, Música",
        "2.08.03263Férias",
        "2.11      Dívidas",
        "2.11.01276Crediários",
        "2.11.02277Financiamentos",
        "2.12      Compra de Bens",
        "2.12.01281Móveis",
        "2.12.02282Eletrônicos",
        "2.12.03283Veículos",
        "2.12.04284Outros Bens",
        "2.19      Outras Despesas",
        "2.19.01291Tarifas e Despesas Bancárias",
        "2.19.02292Taxas e Impostos",
        "2.19.05295Outras Despesas",
    };
    return lines;
}

const QStringList &modeloCategoriasDeBens()
{
    static const QStringList lines = {
        " 1Imóveis",
        " 2Veículos",
        " 3Eletrônicos",
        " 4Computadores",
        " 5Móveis",
        " 6Sala",
        " 7Cozinha",
        " 9Bens que Deveria Vender",
        "10Bens que Deveria Doar",
    };
    return lines;
}

const QStringList &modeloHistoricos()
{
    static const QStringList lines = {
        " 11SAQUE <CTAORIG>",
        " 12CREDITO VALE ALIMENTACAO <M>",
        " 13DEPOSITO <CTADEST>",
        "111SALARIO DE <MA> - NOME DA EMPRESA",
        "131RENDIMENTO <CTAORIG>",
        "132RESTITUIÇÃO IRRF <A>",
        "211DIZIMO <M> - IGREJA EVANGELICA",
        "221SUPERMERCADO TEM TUDO - CF <>",
        "224MERCADO - CF <> MERCADINHO DA ESQUINA",
        "225PADARIA - CF <> PADARIA PAO E LEITE",
        "231ALUGUEL <M> - AP 999",
        "232CONDOMINIO <M> - AP 999",
        "233LUZ <MA> - COMPANHIA DE ENERGIA ELETRICA",
        "234TELEFONE 9999-9999 <M> - DEB EM CONTA",
        "238TELEFONE 8888-8888 <M>",
        "241GASOLINA - NF <> POSTO DO ZÉ",
        "251FARMACIA - CF <> DROGRARIA DA CIDADE",
        "252UNIMED <M> - PLANO DE SAUDE",
        "257ESCOLA DOM LUIZ - MENSALIDADE DE <M>",
        "258INGLES - MENSALIDADE DE <M>",
        "291TARIFA BANCARIA <CTAORIG>",
        "301CORREIO - DESPESAS POSTAIS",
        "302DOAÇÃO ESPECIAL",
    };
    return lines;
}

void CriarTbCfgTbUser(FileBatch &batch)
{
    const QString cfg = batch.create("TbCfg.DB", catalogue::tbCfg());
    batch.db().exec("INSERT INTO " + cfg + " (Cod, LastUser, UserOrder) VALUES (1, 1, 0)");
    const QString user = batch.create("TbUser.DB", catalogue::tbUser());
    batch.db().exec("INSERT INTO " + user +
                        " (Cod, Nome, AtivarSenha, IrPara, ProxDias, IncluirHoje, OkOFX, Admin,"
                        " ExtratoTotDiario) VALUES (1, ?, 0, 0, 5, 0, 1, 1, 0)",
                    {QString("Nome do Usuário")});
}

void CriarArquivos(FileBatch &batch, const QString &cod)
{
    for (const catalogue::UserTable &t : catalogue::userTables())
        batch.create(userFileName(cod, t.suffix), t.def());
    // The entries file keeps its totals from its first row on.
    const QString fin = FileBatch::stagingName(userFileName(cod, "Fin"));
    fintotals::rebuild(batch.db(), batch.db().aliasOf(fin));
}

void CopiarTabelasAuxiliaresQuorvila(FileBatch &batch, const QString &cod)
{
    Database &db = batch.db();
    Transaction tr(db);
    const QString cta = batch.table(userFileName(cod, "Cta"));
    for (const QString &l : modeloPlanoDeContas()) {
        const QString red = l.mid(7, 3).trimmed();
        db.exec("INSERT INTO " + cta + " (CodCta, CodRed, Descricao) VALUES (?, ?, ?)",
                {l.left(7).trimmed(), red.isEmpty() ? QVariant() : QVariant(red.toLongLong()),
                 l.mid(10)});
    }
    const QString cat = batch.table(userFileName(cod, "BensCat"));
    for (const QString &l : modeloCategoriasDeBens())
        db.exec("INSERT INTO " + cat + " (CodCat, NomeCat) VALUES (?, ?)",
                {l.left(2).trimmed().toLongLong(), l.mid(2)});
    const QString hsto = batch.table(userFileName(cod, "Hsto"));
    for (const QString &l : modeloHistoricos())
        db.exec("INSERT INTO " + hsto + " (Codigo, Descricao) VALUES (?, ?)",
                {l.left(3).trimmed().toLongLong(), l.mid(3)});
    tr.commit();
}

void CopiarTabelasDeOutroUsuario(FileBatch &batch, const QString &cod, const QString &fromCod)
{
    Database &db = batch.db();
    for (const char *suffix : {"Cta", "BensCat", "Hsto"}) {
        AttachGuard from(db, userFileName(fromCod, suffix));
        db.exec("INSERT INTO " + batch.table(userFileName(cod, suffix)) + " SELECT * FROM " +
                from.table());
    }
}

void CriarLancamentosDeExemplo(FileBatch &batch, const QString &cod, const QDate &today)
{
    struct Row
    {
        int days;
        int deb, cred;
        int reais;
        QString hsto, numDoc, obs;
    };
    const QDate d0(today.year(), today.month(), 1);
    const QString salario = "SALARIO DE " + app::formatDate(d0.addMonths(-1), "MMM/yy").toUpper() +
                            " - NOME DA EMPRESA";
    const Row rows[] = {
        {-1,
         11,
         195,
         50,
         "SALDO ANTERIOR EM DINHEIRO",
         {},
         "Exemplo de Lançamento de Saldo Anterior"},
        {-1,
         13,
         195,
         200,
         "SALDO ANTERIOR CONTA CORRENTE",
         {},
         "Exemplo de Lançamento de Saldo Anterior"},
        {0, 13, 111, 2000, salario, {}, "Exemplo de Lançamento de Entrada/Receita"},
        {1, 241, 13, 50, "GASOLINA - NF 4123 POSTO DO ZÉ", "CH 125458",
         "Exemplo de Lançamento de Saída/Despesa"},
        {5,
         11,
         13,
         100,
         "SAQUE CONTA CORRENTE BANCO 1",
         {},
         "Exemplo de Lançamento de Transferência"},
    };
    Database &db = batch.db();
    Transaction tr(db);
    const QString fin = batch.table(userFileName(cod, "Fin"));
    for (const Row &r : rows)
        db.exec("INSERT INTO " + fin +
                    " (Data, CtaDeb, CtaCred, Valor, Hsto, NumDoc, Confirmado, Obs)"
                    " VALUES (?, ?, ?, ?, ?, ?, 1, ?)",
                {d0.addDays(r.days), r.deb, r.cred, qlonglong(r.reais) * 100, r.hsto,
                 r.numDoc.isEmpty() ? QVariant() : QVariant(r.numDoc), r.obs});
    tr.commit();
}

bool DeleteUserFiles(Database &db, const QString &cod)
{
    for (const catalogue::UserTable &t : catalogue::userTables()) {
        const QString path = db.pathOf(userFileName(cod, t.suffix));
        if (QFile::exists(path) && !QFile::remove(path))
            return false;
        QFile::remove(path + "-journal");
    }
    return true;
}

bool firstRunNeeded(const Database &db)
{
    return !db.fileExists("TbCfg.DB") && !db.fileExists("TbUser.DB");
}

QStringList firstRunFiles()
{
    QStringList files = {"TbCfg.DB", "TbUser.DB"};
    for (const catalogue::UserTable &t : catalogue::userTables())
        files << userFileName("0001", t.suffix);
    return files;
}

QStringList userTableFiles(const Database &db)
{
    if (db.dirDados().isEmpty())
        return {};
    QStringList suffixes;
    for (const catalogue::UserTable &t : catalogue::userTables())
        suffixes << t.suffix;
    static const QRegularExpression re("^Tb[0-9]+(" + suffixes.join('|') + ")\\.DB$",
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QString &f : QDir(db.dirDados()).entryList(QDir::Files, QDir::Name))
        if (re.match(f).hasMatch())
            found << f;
    return found;
}

QString foreignUserFilesText(const QString &dirDados, const QStringList &files)
{
    constexpr int kShown = 8;
    QStringList shown = files.mid(0, kShown);
    if (files.size() > kShown)
        shown << QString("(e mais %1)").arg(files.size() - kShown);
    return "A pasta de dados\r\n" + QDir::toNativeSeparators(dirDados) +
           "\r\nnão tem os arquivos de configuração e de usuários (TbCfg.DB e TbUser.DB),\r\n"
           "mas tem arquivos de dados de usuários:\r\n" +
           shown.join("\r\n") +
           "\r\n\r\nPara não sobrescrever nem esconder esses dados, nenhuma instalação nova foi"
           "\r\ncriada. Restaure TbCfg.DB e TbUser.DB a partir de uma cópia de segurança ou,"
           "\r\npara começar uma instalação nova, mova esses arquivos para outra pasta.";
}

// The rule that tells an interrupted creation of ours from files that are not ours:
//
// 1. A commit record (FileBatch::kCommitRecord) is written only by FileBatch::commit, after every
//    staging file of the batch is complete on disk, and it names exactly the batch's files. With
//    a record, the batch is finished from its staging files (FileBatch::recover).
// 2. Without a record, builds before the record (which renamed the first-run set in the order
//    BensCat, BensVlr, Bens, MatFin, Orc, Hsto, Cta, Fin of user 0001, TbUser, TbCfg, only after
//    flushing all ten staging files) may have been killed between two renames. That left exactly:
//    the first k names (1 <= k < 10) of that order in place, the other 10 - k only as staging
//    files "<name>.new", no TbCfg.DB, and no table file of any other user. Only that renaming
//    could have produced that split, so its renames are finished too.
// 3. Anything else is not an interrupted creation: staging files with no record are leftovers of
//    a batch that never committed (nothing ever saw them) and are removed; table files of users
//    without TbCfg.DB and TbUser.DB are someone's data, which installFirstRun refuses to install
//    over and the start reports (foreignUserFilesText), touching nothing.
QStringList recoverInterruptedCreation(Database &db)
{
    QStringList done;
    if (!db.dirDados().isEmpty() && !db.fileExists(FileBatch::kCommitRecord) &&
        !db.fileExists("TbCfg.DB")) {
        QStringList order = firstRunFiles();
        std::reverse(order.begin(), order.end());
        const auto staged = [&](const QString &f) {
            return db.fileExists(FileBatch::stagingName(f));
        };
        qsizetype k = 0;
        while (k < order.size() && db.fileExists(order[k]) && !staged(order[k]))
            ++k;
        bool split = k >= 1 && k < order.size();
        for (qsizetype i = k; split && i < order.size(); ++i)
            split = !db.fileExists(order[i]) && staged(order[i]);
        if (split) {
            const QStringList placed = order.mid(0, k);
            for (const QString &f : userTableFiles(db))
                split = split && placed.contains(f);
        }
        if (split) {
            qWarning("finishing a first-run installation interrupted after %d of %d renames",
                     int(k), int(order.size()));
            done = FileBatch::finishRenames(db, order.mid(k));
        }
    }
    return done + FileBatch::recover(db);
}

void installFirstRun(Database &db, const QDate &today)
{
    const QStringList present = userTableFiles(db);
    if (!present.isEmpty())
        QUORVILA_THROW(app::StorageError, foreignUserFilesText(db.dirDados(), present));
    FileBatch batch(db);
    CriarTbCfgTbUser(batch);
    CriarArquivos(batch, "0001");
    CopiarTabelasAuxiliaresQuorvila(batch, "0001");
    CriarLancamentosDeExemplo(batch, "0001", today);
    batch.commit();
}

} // namespace data
