// What the search panels of the trial balance and the year map make of the typed text: an
// account code (one digit, or G.xx, or G.xx.xx), a reduced code (two or three digits), or
// neither, and the messages the search shows. Pure functions of the text.
#pragma once

#include <QString>

namespace ledger {

struct SearchKey
{
    enum class Kind {
        Empty,
        Account, // `code` holds the account code
        Reduced, // `number` holds the reduced code
        Invalid
    };
    Kind kind = Kind::Empty;
    QString code;
    int number = 0;
};

// Reads the panel's text, trimmed; "," counts as ".". A single digit is always a group code.
SearchKey parseSearch(const QString &text);

QString searchEmptyText();                      // nothing typed
QString searchInvalidText(const QString &text); // neither a code nor a reduced code
QString accountNotFoundText(const QString &code);
QString reducedNotFoundText(int number);

} // namespace ledger
