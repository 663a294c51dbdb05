#include "catalogue.h"

namespace data::catalogue {

namespace {

FieldDef integer(const QString &n, bool req = false)
{
    return {n, FieldType::Integer, 0, req, {}};
}
FieldDef autoInc(const QString &n)
{
    return {n, FieldType::AutoInc, 0, false, {}};
}
FieldDef chr(const QString &n, int size, bool req = false)
{
    return {n, FieldType::Char, size, req, {}};
}
FieldDef date(const QString &n, bool req = false)
{
    return {n, FieldType::Date, 0, req, {}};
}
FieldDef boolean(const QString &n)
{
    return {n, FieldType::Boolean, 0, false, {}};
}
FieldDef money(const QString &n, bool req = false)
{
    return {n, FieldType::Money, 0, req, {}};
}
FieldDef real(const QString &n)
{
    return {n, FieldType::Real, 0, false, {}};
}

} // namespace

TableDef tbCfg()
{
    return {"TbCfg", {integer("Cod"), integer("LastUser"), integer("UserOrder")}, {"Cod"}, {}};
}

TableDef tbUser()
{
    return {"TbUser",
            {integer("Cod"), chr("Nome", 50), chr("Endereco", 60), chr("CidadeUF", 30),
             chr("CPF", 14), chr("Email", 50), boolean("AtivarSenha"),
             // Holds a salted hash, never the password as typed, so it needs more than 10.
             chr("Senha", 255), chr("PathDados", 255), date("FechadoAte"), date("DtMin"),
             boolean("IrPara"), integer("ProxDias"), boolean("IncluirHoje"), integer("Cta0OFX"),
             integer("Cta1OFX"), integer("Cta2OFX"), boolean("OkOFX"), boolean("Admin"),
             boolean("ExtratoTotDiario")},
            {"Cod"},
            {{"IdxNome", {"Nome"}}}};
}

TableDef tbInfo()
{
    return {"TbInfo",
            {integer("Codigo"),
             integer("Tipo"),
             chr("Titulo", 80),
             chr("Ref", 50),
             {"Imagem", FieldType::Blob, 0, false, {}},
             {"Texto", FieldType::Memo, 0, false, {}},
             chr("Dica", 255),
             chr("TopicosRel", 255)},
            {"Codigo"},
            {}};
}

TableDef fin()
{
    return {"Fin",
            {autoInc("Codigo"), date("Data", true), integer("CtaDeb", true),
             integer("CtaCred", true), money("Valor", true), chr("Hsto", 80, true),
             chr("NumDoc", 15), boolean("Confirmado"), chr("Obs", 120), chr("Controle", 30),
             date("DataLog"), integer("DptoDeb"), integer("DptoCred")},
            {"Codigo"},
            {{"IdxData", {"Data", "Codigo"}},
             {"IdxNumDoc", {"NumDoc", "Data", "Codigo"}},
             {"IdxValor", {"Valor", "Data", "Codigo"}},
             // Covers the balance sums, so they read the index alone.
             {"IdxSaldos", {"Data", "CtaDeb", "CtaCred", "Valor"}}}};
}

TableDef cta()
{
    return {"Cta",
            {chr("CodCta", 10), integer("CodRed"), chr("Descricao", 50), chr("DescParaHsto", 20)},
            {"CodCta"},
            {}};
}

TableDef hsto()
{
    return {"Hsto", {integer("Codigo"), chr("Descricao", 80), chr("Tipo", 1)}, {"Codigo"}, {}};
}

TableDef orc()
{
    return {"Orc", {date("Data"), integer("CodRed"), money("ValorOrcado")}, {"Data", "CodRed"}, {}};
}

TableDef matFin()
{
    return {"MatFin",
            {integer("Codigo"), integer("Tipo"), chr("NomeAnalise", 30), real("Renda"),
             real("Taxa"), real("NPer"), real("Prestacao"), real("PV"), real("FV"),
             integer("Entrada"), real("IncTaxa"), real("IncNPer"), real("IncPrestacao"),
             real("IncPV"), date("DataParc"), chr("Finalidade", 20)},
            {"Codigo"},
            {}};
}

TableDef bens()
{
    return {"Bens",
            {integer("Codigo"), date("DtAquisicao"), money("VlrAquisicao"), chr("Descricao", 50),
             integer("CodCat"), chr("Obs", 255)},
            {"Codigo"},
            {{"IdxCodCat", {"CodCat", "DtAquisicao"}},
             {"IdxData", {"DtAquisicao", "Descricao"}},
             {"IdxDescricao", {"Descricao"}}}};
}

TableDef bensVlr()
{
    return {"BensVlr",
            {autoInc("Codigo"), integer("CodBem"), date("Data"), integer("TipoVlr"), money("Valor"),
             chr("Obs", 255)},
            {"Codigo"},
            {{"IdxCodBemData", {"CodBem", "Data", "TipoVlr", "Valor"}},
             {"IdxDataTipo", {"Data", "TipoVlr", "Valor"}}}};
}

TableDef bensCat()
{
    return {"BensCat", {integer("CodCat"), chr("NomeCat", 30)}, {"CodCat"}, {}};
}

const std::vector<UserTable> &userTables()
{
    static const std::vector<UserTable> t = {
        {"Fin", fin},       {"Cta", cta},   {"Hsto", hsto},       {"Orc", orc},
        {"MatFin", matFin}, {"Bens", bens}, {"BensVlr", bensVlr}, {"BensCat", bensCat},
    };
    return t;
}

QString codUsuario(int cod)
{
    return QString("%1").arg(cod, 4, 10, QChar('0'));
}

QString userFileName(const QString &cod, const QString &suffix)
{
    return "Tb" + cod + suffix + ".DB";
}

QString tempTableName(const QString &tag, const QDateTime &now)
{
    return "xTMP" + tag + now.toString("yyMMdd") + now.toString("hhmmsszzz");
}

} // namespace data::catalogue
