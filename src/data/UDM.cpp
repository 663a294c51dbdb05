#include "UDM.h"

#include "fintotals.h"

#include <app/error.h>

#include <QCoreApplication>
#include <QDir>

namespace data {

TDM::TDM(QObject *parent) : QObject(parent)
{
    using namespace catalogue;
    TbCfg = table("TbCfg", tbCfg(), m_db);
    TbUser = table("TbUser", tbUser(), m_db);
    TbInfo = table("TbInfo", tbInfo(), m_infoDb);
    TbFin = table("TbFin", fin(), m_db);
    TbCta = table("TbCta", cta(), m_db);
    TbHsto = table("TbHsto", hsto(), m_db);
    TbOrc = table("TbOrc", orc(), m_db);
    TbMatFinPrm = table("TbMatFinPrm", matFin(), m_db);
    TbBens = table("TbBens", bens(), m_db);
    TbBensVlr = table("TbBensVlr", bensVlr(), m_db);
    TbBensCat = table("TbBensCat", bensCat(), m_db);
    TableDef ofx = fin();
    ofx.name = "OFX";
    ofx.indexes.clear();
    TbOFX = table("TbOFX", ofx, m_db);
    TbMatFinGrid = table("TbMatFinGrid", {}, m_db);
    TbOrc1 = table("TbOrc1", {}, m_db);
    TbRel1 = table("TbRel1", {}, m_db);
    TbRz = table("TbRz", {}, m_db);

    for (auto [q, n] : {std::pair{&QrAux, "QrAux"},
                        {&QrFinPesq, "QrFinPesq"},
                        {&QrFinProx, "QrFinProx"},
                        {&QrCirc, "QrCirc"},
                        {&QrEntra, "QrEntra"},
                        {&QrSai, "QrSai"},
                        {&QrInfo, "QrInfo"},
                        {&QrRel1, "QrRel1"},
                        {&QrRel2, "QrRel2"},
                        {&QrBcte, "QrBcte"},
                        {&QrLctos, "QrLctos"},
                        {&QrLcPrn, "QrLcPrn"},
                        {&QrBalMapa, "QrBalMapa"},
                        {&QrOrc1, "QrOrc1"},
                        {&QrOrc2, "QrOrc2"},
                        {&QrOrcView, "QrOrcView"},
                        {&QrBensPesq, "QrBensPesq"}})
        *q = query(n);

    TbFin->onCalcFields = [this](const Table &t, Record &r) {
        TbFinCalcFields(t, r);
    };
    TbUser->onCalcFields = &TDM::TbUserCalcFields;
    // Any change to the chart invalidates the account names shown beside entries.
    connect(TbCta, &Table::reset, this, [this] { m_ctaCache.reset(); });
}

TDM::~TDM()
{
    // Tables detach their files as they close; close them before the connections go.
    const auto tables = findChildren<Table *>();
    for (Table *t : tables)
        delete t;
}

Table *TDM::table(const QString &name, TableDef def, Database &db)
{
    return new Table(db, name, std::move(def), this);
}

Query *TDM::query(const QString &name)
{
    return new Query(m_db, name, this);
}

void TDM::DataModuleCreate(const QString &dirDados, const QString &dirTemp)
{
    const QString dir =
        dirDados.isEmpty() ? QCoreApplication::applicationDirPath() + "/Dados" : dirDados;
    m_db.setDirDados(QDir::cleanPath(dir));
    m_infoDb.setDirDados(QDir::cleanPath(dir));
    m_dirTemp = dirTemp.isEmpty() ? QDir::tempPath() + '/' : dirTemp;
    TbCfg->setFileName("TbCfg.DB");
    TbUser->setFileName("TbUser.DB");
    TbInfo->setFileName("TbInfo.DB");
}

void TDM::openSharedTables()
{
    TbCfg->open();
    TbUser->open();
}

void TDM::openInfo()
{
    TbInfo->open();
}

void TDM::pointUserTables(const QString &cod)
{
    m_codUsuario = cod;
    const std::pair<Table *, const char *> set[] = {
        {TbFin, "Fin"},          {TbCta, "Cta"},   {TbHsto, "Hsto"},       {TbOrc, "Orc"},
        {TbMatFinPrm, "MatFin"}, {TbBens, "Bens"}, {TbBensVlr, "BensVlr"}, {TbBensCat, "BensCat"}};
    for (auto [t, suffix] : set) {
        t->close();
        t->setFileName(catalogue::userFileName(cod, suffix));
    }
    const QString cta = quoteIdent(m_db.aliasOf(TbCta->fileName())) + '.' + kInnerTable;
    QrCirc->setSql("SELECT * FROM " + cta + " WHERE CodCta LIKE '0%' ORDER BY CodCta");
    QrEntra->setSql("SELECT * FROM " + cta + " WHERE CodCta LIKE '1%' ORDER BY CodCta");
    QrSai->setSql("SELECT * FROM " + cta + " WHERE CodCta LIKE '2%' ORDER BY CodCta");
    m_ctaCache.reset();
}

void TDM::OpenUserFiles()
{
    for (Table *t : {TbCta, TbHsto, TbFin, TbBens, TbBensCat, TbBensVlr})
        t->open();
    // The balances read the entries' kept totals; a file whose totals are missing or do not
    // match is mended here, once per sign-in. When that fails (a read-only file, amounts no
    // entry may hold) the totals are removed if possible and the balances read the entries.
    const QString fin = m_db.aliasOf(TbFin->fileName());
    try {
        fintotals::ensure(m_db, fin);
    } catch (const app::StorageError &e) {
        qWarning("%s: %s", qPrintable(TbFin->fileName()), e.what());
        app::noThrow("dropping the entries' totals", [&] { fintotals::drop(m_db, fin); });
    }
}

void TDM::CloseUserFiles()
{
    for (Table *t : {TbCta, TbHsto, TbFin, TbBens, TbBensCat, TbBensVlr})
        t->close();
}

std::vector<Table *> TDM::userTableSet() const
{
    return {TbCta, TbHsto, TbFin, TbBens, TbOrc, TbMatFinPrm, TbBensVlr, TbBensCat};
}

std::optional<TDM::CtaInfo> TDM::lookupCta(qint64 codRed) const
{
    if (!m_ctaCache) {
        QHash<qint64, CtaInfo> cache;
        if (TbCta->isActive()) {
            Statement st = const_cast<Database &>(m_db).prepare(
                "SELECT CodRed, CodCta, Descricao FROM " + TbCta->sqlName() +
                " WHERE CodRed IS NOT NULL");
            while (st.step())
                cache.insert(st.column(0).toLongLong(),
                             {st.column(1).toString(), st.column(2).toString()});
        }
        m_ctaCache = std::move(cache);
    }
    const auto it = m_ctaCache->constFind(codRed);
    if (it == m_ctaCache->constEnd())
        return std::nullopt;
    return *it;
}

void TDM::TbFinCalcFields(const Table &, Record &r) const
{
    const auto side = [&](int fieldIdx, const char *cod, const char *descr, const char *conta) {
        const QVariant v = r.values.value(fieldIdx);
        std::optional<CtaInfo> c;
        if (v.isValid() && !v.isNull())
            c = lookupCta(v.toLongLong());
        r.calc[cod] = c ? c->codCta : QString();
        r.calc[descr] = c ? c->descricao : QString();
        r.calc[conta] = (c ? c->codCta : QString()) + " - " + (c ? c->descricao : QString());
    };
    static const TableDef def = catalogue::fin();
    static const int deb = def.indexOf("CtaDeb");
    static const int cred = def.indexOf("CtaCred");
    side(deb, "ExtCtaDeb", "ExtDebDescr", "ContaDestino");
    side(cred, "ExtCtaCred", "ExtCredDescr", "ContaOrigem");
}

void TDM::TbUserCalcFields(const Table &t, Record &r)
{
    const bool senha = r.values.value(t.def().indexOf("AtivarSenha")).toBool();
    const bool admin = r.values.value(t.def().indexOf("Admin")).toBool();
    r.calc["snSenha"] = senha ? "Sim" : "Não";
    r.calc["snAdmin"] = admin ? "Sim" : "Não";
    r.calc["Adm"] = admin ? "A" : "";
}

void TDM::AppException(const QString &text, const QString &detail)
{
    if (restoreCursor)
        restoreCursor();
    if (!detail.isEmpty() && showDetailedMessage)
        showDetailedMessage(text, detail);
    else if (showMessage)
        showMessage(text);
    else
        qWarning("%s%s", qPrintable(text), qPrintable(detail.isEmpty() ? "" : "\n" + detail));
}

} // namespace data
