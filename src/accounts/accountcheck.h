// The checks an account must pass before the editor stores it, in the order the user meets
// them, and the texts of the chart's questions and refusals. The checks read the chart only
// through ChartLookup, so they run the same against the table files and in tests.
#pragma once

#include "accountrows.h"

#include <QString>

#include <optional>

namespace accounts {

// The field a failed check sends the focus back to.
enum class CtaField { Code, CodRed, Descricao };

// What the editor knows about the account it opened on. Empty/0/false for a new account.
struct CtaEditContext
{
    QString CodCtaAnt;           // the code when the editor opened
    qint64 CodRedAnt = 0;        // its reduced code then, 0 when it had none
    bool TemLancamentos = false; // entries use CodRedAnt
    bool TemOrcamento = false;   // budget rows use CodRedAnt
    int group = 0;               // the group of the tab the chart screen shows (the editor's Tag)
};

// The values typed into the editor.
struct CtaValues
{
    QString codCta;
    std::optional<qint64> codRed;
    QString descricao;
};

struct CtaCheckFailure
{
    QString message;
    CtaField field;
};

// The questions the save checks ask of the stored chart.
class ChartLookup
{
public:
    virtual ~ChartLookup() = default;
    // Number of accounts whose code starts with `prefix` (the account itself included).
    virtual int countWithPrefix(const QString &prefix) const = 0;
    virtual bool codeExists(const QString &code) const = 0;
    virtual bool codRedExists(qint64 codRed) const = 0;
};

// The rule for leaving the code field. A code that is only the new account's prefix ("1.") is
// emptied in place; then a non-empty code must have the editor group's form. Returns the
// format message when it has not, else nothing.
std::optional<QString> checkCodeOnLeave(QString &code, int group);

// Every check of saving, in order (empty code, first level, the form of the code, sub-accounts,
// accounts in use staying at level 3, duplicate code, missing parent, reduced code on a heading
// account, missing, out-of-range or duplicate reduced code, empty name). The first failure is
// returned; nothing is changed either way.
std::optional<CtaCheckFailure> checkAccountSave(const CtaEditContext &ctx, const CtaValues &v,
                                                const ChartLookup &chart);

// True when saving changes the reduced code of an account that entries or budget rows use, so
// those rows must follow it (after the user confirms).
bool changesReducedCodeInUse(const CtaEditContext &ctx, const CtaValues &v);

// Texts of the chart screen and its editor.
QString rootsNotEditableMessage();
QString invalidFormMessage(int group);
QString renumberQuestion(const CtaEditContext &ctx, qint64 newCodRed);
QString renumberDeclinedMessage();
QString renumberDoneMessage();
QString deleteHasSubaccountsMessage();
QString deleteInUseMessage(bool lancamentos, bool orcamento);
QString deleteQuestion(const CtaRow &row);
QString editTitle(const CtaRow &row);
QString newAccountTitle(int group);
QString newAccountButtonCaption(int group);

} // namespace accounts
