// The rules behind the main window's list of entries, over plain values: the kind a row is
// drawn as, the marks an import leaves that a replica drops, what the find panel's text means,
// and the texts of the delete questions.
#pragma once

#include <app/money.h>
#include <entries/rowkind.h>

#include <QDate>
#include <QString>

#include <variant>

namespace main_ui {

// The kind a row is drawn as is the entries' own rule, shared with their other grids.
using entries::RowKind;
using entries::rowKind;

// A replica keeps the document number without a leading "[I]" (then trimmed) and the note
// without an "[OFX" + 6 digits + "]" mark (no trimming).
QString cleanNumDoc(const QString &numDoc);
QString cleanObs(const QString &obs);

// What the find panel's text asks for.
struct FindCode
{
    qint64 code;
};
struct FindDate
{
    QDate date;
};
struct FindInvalid
{
    QString message; // shown as is; the field keeps the focus
    bool clearField = false;
};
using FindTarget = std::variant<FindCode, FindDate, FindInvalid>;
// "1503" is a code; "15/3" is a date of `currentYear`; "15/03/2023" is used as typed.
FindTarget parseFindText(const QString &text, int currentYear);

// The two delete texts: refusal of a closed entry and the question for an open one.
QString closedDeleteText(const QDate &data, const QString &hsto, app::Money valor,
                         const QDate &fechadoAte);
QString deleteQuestionText(const QDate &data, const QString &hsto, app::Money valor);

} // namespace main_ui
