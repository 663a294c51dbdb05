// Finding OFX elements by literal, case-sensitive text search instead of parsing a tree: bank
// files mix the SGML form (leaves without closing tags) and the XML form, and are often not
// well formed. Every search is bounded by the view it is given, so a fact missing from one
// block is never taken from the next.
#pragma once

#include <QStringView>

namespace ofx {

// Where an aggregate <tag> was found in a buffer. Its inner text is [begin, end); `next` is the
// first position after it (after its closing tag when it had one).
struct Span
{
    qsizetype begin = -1;
    qsizetype end = -1;
    qsizetype next = -1;

    bool isFound() const { return begin >= 0; }
};

// The value of the first leaf <tag> in `buffer`, without leading and trailing blanks; empty when
// the tag is absent. The value ends at "</tag>" when the buffer holds one after it, else at the
// nearer of the next line break (CR or LF) and the next "<", else at the end of the buffer.
QStringView TagValue(QStringView buffer, QStringView tag);

// The first aggregate <tag> at or after `from` in `buffer`. It ends at its "</tag>", or, when
// that is missing (a truncated or sloppy file), at the next "<tag>" or the end of the buffer.
// Runs in time linear in the part it covers, so scanning all blocks of a buffer is linear.
Span findBlock(QStringView buffer, QStringView tag, qsizetype from = 0);

// The inner text of `span` in `buffer`; empty when the span was not found.
QStringView innerText(QStringView buffer, const Span &span);

} // namespace ofx
