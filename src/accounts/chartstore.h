// The chart as the editor and the chart screen see it in the user's table files: the questions
// the save checks ask, whether entries or budget rows use a reduced code, the refusals of a
// deletion, the renumbering of a reduced code with everything that uses it, and reading and
// replacing the whole chart. Every statement binds its values; none splices typed text.
#pragma once

#include "accountcheck.h"
#include "accountrows.h"

#include <optional>
#include <vector>

namespace data {
class TDM;
class Table;
} // namespace data

namespace accounts {

class ChartStore : public ChartLookup
{
public:
    // Precondition for every call: the user's tables are pointed and TbCta and TbFin are open.
    explicit ChartStore(data::TDM &dm);

    int countWithPrefix(const QString &prefix) const override;
    bool codeExists(const QString &code) const override;
    bool codRedExists(qint64 codRed) const override;

    struct Usage
    {
        bool lancamentos = false; // an entry uses it as destination or origin
        bool orcamento = false;   // a budget row uses it
    };
    Usage usage(qint64 codRed) const;

    // The editor's context for an existing account of `group`: its code and reduced code, and
    // what uses that reduced code.
    CtaEditContext contextFor(const CtaRow &row, int group) const;
    // Why an account cannot be deleted (sub-accounts below it, entries or budget rows using
    // it), or nothing when it can. The group roots are the caller's to refuse.
    std::optional<QString> deleteRefusal(const CtaRow &row) const;

    // Moves every entry (destination and origin) and budget row of `oldCodRed` to `newCodRed`
    // and posts TbCta's pending edit, all in one transaction, then refreshes TbFin (and TbOrc
    // when open). Precondition: TbCta is in edit state with the new values. Throws
    // app::StorageError with nothing changed and TbCta still in edit state when any step fails.
    void renumberAndPost(qint64 oldCodRed, qint64 newCodRed);

    // The whole chart in key order, whatever TbCta's filter.
    std::vector<CtaRow> rows() const;
    bool entriesEmpty() const;
    // The reduced codes budget rows use (any month) that no account of `rows` has, ascending:
    // replacing the chart with `rows` would leave those rows without an account.
    std::vector<qint64> budgetCodesMissingFrom(const std::vector<CtaRow> &rows) const;
    // Replaces the chart with `rows` in one transaction (see replaceRows); TbCta ends on its
    // first row. Throws app::StorageError with the chart unchanged.
    void replace(const std::vector<CtaRow> &rows);

    // The current record of a chart table object.
    static CtaRow currentRow(const data::Table &tbCta);

private:
    data::TDM &m_dm;
};

// Why a chart is not imported when budget rows use reduced codes it lacks (`codes`, ascending;
// the first ten are named).
QString orphanedBudgetMessage(const std::vector<qint64> &codes);

} // namespace accounts
