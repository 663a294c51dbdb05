// The placeholders of standard history texts ("<A>", "<M>", "<MA>", "<CTADEST>", "<CTAORIG>" and
// the caret mark "<>") and their expansion when a history is copied into an entry. Plain text in,
// text and caret out; which account names to use is the editor's to find.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace entries {

struct PlaceholderContext
{
    QDate data;                      // the entry's date; empty leaves the date placeholders alone
    std::optional<QString> destName; // the destination account's history name, when it has one
    std::optional<QString> origName; // likewise the origin account
};

struct ExpandedHistory
{
    QString text;
    int caret = 0; // where the caret goes in `text`
};

// "JAN/24" for a date of January 2024.
QString monthTag(const QDate &d);
// The name an account lends to history texts: its DescParaHsto, or its Descricao when that is
// empty, in upper case.
QString accountHistoryName(const QString &descParaHsto, const QString &descricao);

// Replaces the first occurrence of each placeholder, in the order <A>, <M>, <MA>, <CTADEST>,
// <CTAORIG>: the year "yyyy", the month tag, the month tag of the month before, the account
// names (a placeholder whose account is not known stays as typed). Then the first "<>" is removed
// and the caret goes where it was; without one, a blank is added and the caret goes to the end.
// The text is cut to `maxLength` characters (the history field's size), the caret with it.
ExpandedHistory expandPlaceholders(const QString &text, const PlaceholderContext &c,
                                   int maxLength = 80);

} // namespace entries
