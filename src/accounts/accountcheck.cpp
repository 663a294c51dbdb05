#include "accountcheck.h"

#include "accountcode.h"

namespace accounts {

static QString groupDigit(int group)
{
    return QString::number(group);
}

QString invalidFormMessage(int group)
{
    const QString g = groupDigit(group);
    return "Código de Conta Inválido.\r\nDigite o código de conta correto!\r\n(Formato deve ser "
           "\"" +
           g + ".xx\" ou \"" + g + ".xx.xx\")!";
}

std::optional<QString> checkCodeOnLeave(QString &code, int group)
{
    // A new account starts as "G."; left like that it means no code was typed.
    if (code.size() == 2 && code[1] == '.' && codeGroup(code) >= 0)
        code.clear();
    if (!code.isEmpty() && !hasValidForm(code, group))
        return invalidFormMessage(group);
    return std::nullopt;
}

static CtaCheckFailure failure(const QString &message, CtaField field)
{
    return {message, field};
}

// The checks that only matter when the code changes (or is new).
static std::optional<CtaCheckFailure> checkChangedCode(const CtaEditContext &ctx,
                                                       const CtaValues &v, const ChartLookup &chart)
{
    const QString &code = v.codCta;
    const int oldLen = int(ctx.CodCtaAnt.size());
    if (oldLen >= 1 && oldLen <= 4 && chart.countWithPrefix(ctx.CodCtaAnt) > 1)
        return failure("Você não pode alterar o código\r\nde conta que tem subcontas!",
                       CtaField::Code);
    if ((ctx.TemLancamentos || ctx.TemOrcamento) && code.size() < 7) {
        const QString l = ctx.TemLancamentos && ctx.TemOrcamento
                              ? QString("lançamentos") + "\r\n" + " e valores orçados"
                          : ctx.TemLancamentos ? QString("lançamentos")
                                               : QString("valores orçados");
        return failure("A Conta que está sendo editada possui " + l + "." + "\r\n" +
                           "Por isso, o código da Conta precisa continuar sendo" + "\r\n" +
                           "um código de terceiro nível (x.xx.xx)!",
                       CtaField::Code);
    }
    if (chart.codeExists(code))
        return failure("Código de Conta já existe.\r\nDigite outro código!", CtaField::Code);
    if (code.size() >= 2) {
        // The parent must be another account: an account renamed under itself would lose it.
        const QString p = parentCode(code);
        if (!chart.codeExists(p) || p == ctx.CodCtaAnt)
            return failure("Para incluir ou utilizar a Conta de terceiro nivel \"" + code +
                               "\" é necessário" + "\r\n" +
                               "incluir antes a Conta de segundo nível \"" + p + "\"!",
                           CtaField::Code);
    }
    return std::nullopt;
}

static std::optional<CtaCheckFailure> checkReducedCode(const CtaEditContext &ctx,
                                                       const CtaValues &v, const ChartLookup &chart)
{
    if (v.codCta.size() < 7) {
        if (v.codRed)
            return failure("Contas de Nível 1 e 2 servem para totalizar saldos\r\ne não podem "
                           "receber lançamentos, portanto\r\nnão precisam de Código Reduzido! "
                           "Delete-o!",
                           CtaField::CodRed);
        return std::nullopt;
    }
    const CodRedRange r = codRedRange(ctx.group);
    const QString min = QString::number(r.min), max = QString::number(r.max);
    if (!v.codRed)
        return failure("Digite um Código Reduzido (Cod Red>" + min + " e Cod Red<" + max + ")!",
                       CtaField::CodRed);
    if (!codRedInRange(*v.codRed, ctx.group))
        return failure("Código Reduzido de Conta é Inválido!\r\nDigite um código (Cod Red>=" + min +
                           " e Cod Red<=" + max + ")!",
                       CtaField::CodRed);
    if (*v.codRed != ctx.CodRedAnt && chart.codRedExists(*v.codRed))
        return failure("Código Reduzido de Conta \"" + QString::number(*v.codRed) +
                           "\" já existe!" + "\r\n" +
                           "Escolha outro codigo reduzido para esta conta!",
                       CtaField::CodRed);
    return std::nullopt;
}

std::optional<CtaCheckFailure> checkAccountSave(const CtaEditContext &ctx, const CtaValues &v,
                                                const ChartLookup &chart)
{
    if (v.codCta.isEmpty())
        return failure("Digite o código da Conta!", CtaField::Code);
    if (codeGroup(v.codCta) != ctx.group)
        return failure("Primeiro nível inválido!", CtaField::Code);
    // The form is checked again here, not only on leaving the field: a save by mnemonic or a
    // click may come straight from the field, and no malformed code may reach the chart.
    if (!hasValidForm(v.codCta, ctx.group))
        return failure(invalidFormMessage(ctx.group), CtaField::Code);
    if (v.codCta != ctx.CodCtaAnt)
        if (auto f = checkChangedCode(ctx, v, chart))
            return f;
    if (auto f = checkReducedCode(ctx, v, chart))
        return f;
    if (v.descricao.trimmed().isEmpty())
        return failure("Nome/Descrição da Conta precisa ser preenchido!", CtaField::Descricao);
    return std::nullopt;
}

bool changesReducedCodeInUse(const CtaEditContext &ctx, const CtaValues &v)
{
    return (ctx.TemLancamentos || ctx.TemOrcamento) && v.codRed.value_or(0) != ctx.CodRedAnt;
}

QString rootsNotEditableMessage()
{
    return "As contas [0 Saldo/Circulante], [1 Entradas/Receitas]\r\ne [2 Saídas/Despesas] não "
           "podem ser editadas ou excluídas!\r\n\r\nVeja explicações mais detalhadas na ajuda do "
           "Plano de Contas.";
}

QString renumberQuestion(const CtaEditContext &ctx, qint64 newCodRed)
{
    const QString l = ctx.TemLancamentos && ctx.TemOrcamento
                          ? QString("lançamentos") + " e de orçamento"
                      : ctx.TemLancamentos ? QString("lançamentos")
                                           : QString("orçamento");
    return "A alteração de código reduzido de conta afeta registros de " + l + "." + "\r\n" +
           "TODOS os registros de " + l + " de Conta \"" + QString::number(ctx.CodRedAnt) +
           "\" serão alterados para \"" + QString::number(newCodRed) + "\"" + "\r\n" +
           "independentemente de data de " + l + "!" + "\r\n\r\n" + "Confirma esta operação?";
}

QString renumberDeclinedMessage()
{
    return "Alterações não realizadas!\r\nRevise o Código Reduzido de Conta!";
}

QString renumberDoneMessage()
{
    return "Alterações realizadas com sucesso!";
}

QString deleteHasSubaccountsMessage()
{
    return "Esta conta não pode ser excluída!\r\n\r\nPara excluí-la, seria necessário excluir "
           "antes\r\nas contas que estão abaixo desta!";
}

QString deleteInUseMessage(bool lancamentos, bool orcamento)
{
    const QString l = lancamentos && orcamento ? QString("lançamento") + " e de orçamento"
                      : lancamentos            ? QString("lançamento")
                                               : QString("orçamento");
    return "Esta conta não pode ser excluída\r\npois possui registros de " + l + "!" + "\r\n\r\n" +
           "Para excluí-la, seria necessário excluir antes" + "\r\n" + "estes registros de " + l +
           "!";
}

static QString codRedText(const CtaRow &row)
{
    return row.codRed ? QString::number(*row.codRed) : QString();
}

QString deleteQuestion(const CtaRow &row)
{
    return "Tem certeza que deseja excluir esta Conta?\r\n\r\nCódigo Conta: " + row.codCta +
           "\r\n" + "Código Reduzido: " + codRedText(row) + "\r\n" + "Conta: " + row.descricao;
}

QString editTitle(const CtaRow &row)
{
    return "Editar Conta: [" + row.codCta + " " + codRedText(row) + " " + row.descricao + "]";
}

QString newAccountTitle(int group)
{
    static const char *titles[] = {"Nova Conta de Saldo/Circulante",
                                   "Nova Conta de Entrada/Receita", "Nova Conta de Saída/Despesa"};
    return QString::fromUtf8(titles[qBound(0, group, 2)]);
}

QString newAccountButtonCaption(int group)
{
    static const char *captions[] = {"Incluir Conta de Saldo    ", "Incluir Conta de Receita ",
                                     "Incluir Conta de Despesa"};
    return QString::fromUtf8(captions[qBound(0, group, 2)]);
}

} // namespace accounts
