// The check-summed fixed-width scheme of the exchange files (charts and histories): record lines
// of 100 bytes with a line check, and a 36-byte trailer whose two halves add up to a weighted sum
// of the record numbers. Each file kind brings its 84 bytes of fields per record and its weight
// cycle; this unit knows nothing of accounts or histories.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace accounts {

// Record weights: position 1 takes `first`, each later one the next value up to `last`, then
// `first` again.
struct WeightCycle
{
    int first;
    int last;
    qint64 weight(qint64 position) const { return first + (position - 1) % (last - first + 1); }
};
inline constexpr WeightCycle kChartCycle{11, 30};
inline constexpr WeightCycle kHistoryCycle{1, 12};

inline constexpr int kFieldBytes = 84; // positions 7-90 of a record line

// The shape of a record line: the 6-digit record number, the file kind's field bytes, then the
// line check over everything before it, zero-filled to `checkDigits`. Charts and histories use
// 84 + 10 (100 bytes); the asset categories 33 + 8 (47 bytes). The trailer is the same for all.
struct RecordLayout
{
    int fieldBytes;
    int checkDigits;
    constexpr int checked() const { return 6 + fieldBytes; }
    constexpr int length() const { return checked() + checkDigits; }
};
inline constexpr RecordLayout kChartLayout{kFieldBytes, 10};

// No valid exchange file is larger than this. A history file holds at most 1000 records (the
// code has three digits and none may repeat); a chart at most 591 (the three group roots, 100
// title accounts per group and the 90 + 99 + 99 reduced codes of the analytical accounts). A
// record line takes 102 bytes with its CR LF and the trailer 38, so the largest valid file is
// 1000 x 102 + 38 = 102,038 bytes. Twice that and more leaves room for trailing blank lines and
// stray bytes, while a file of line feeds or of another kind is refused before it is read whole.
inline constexpr qint64 kMaxExchangeFileBytes = 256 * 1024;

// Gives a whole number from 0 to `maxInclusive` (which is never negative). Injectable so tests
// can fix the trailer.
using TrailerRandom = std::function<qint64(qint64 maxInclusive)>;
// The program's generator: seeded afresh from the system each time it is called.
TrailerRandom freshTrailerRandom();

// The line check over the first `n` bytes: the sum of position x byte value (positions from 1,
// bytes unsigned).
qint64 lineCheck(const QByteArray &line, int n);

// The whole file: one record line per entry of `fields` (each exactly layout.fieldBytes bytes,
// numbered from 1), then the trailer, every line ended by CR LF.
// Throws app::Error when a field block has another size (a programming error upstream).
QByteArray writeExchangeFile(const std::vector<QByteArray> &fields, WeightCycle cycle,
                             const TrailerRandom &random, RecordLayout layout = kChartLayout);

enum class ExchangeStatus {
    Valid,
    OtherVersion, // a trailer of another format version
    Invalid,      // anything else: empty, truncated, changed, of another kind
};
struct ExchangeContent
{
    ExchangeStatus status = ExchangeStatus::Invalid;
    std::vector<QByteArray> fields; // the field bytes of each record line, only when Valid
};
// Checks every line and the trailer; CR LF or LF line ends, blank lines after the trailer
// ignored. More than kMaxExchangeFileBytes is Invalid. Never throws.
ExchangeContent readExchangeFile(const QByteArray &bytes, WeightCycle cycle,
                                 RecordLayout layout = kChartLayout);

enum class LoadStatus {
    Loaded,
    Unreadable, // cannot be opened or read
    TooLarge,   // more than kMaxExchangeFileBytes: cannot be a valid exchange file
};
struct LoadedFile
{
    LoadStatus status = LoadStatus::Unreadable;
    QByteArray bytes; // only when Loaded
};
// The bytes of the file at `path`. The size is checked before reading, and the read stops one
// byte past the bound, so neither a huge file nor one that grows while it is read (or a device
// without a size) is ever held whole. Never throws.
LoadedFile loadExchangeFile(const QString &path);

// Fixed-width fields in Windows-1252: text cut to `width` bytes and blank-filled on the right,
// with control characters (and characters the code page lacks) written as blanks; whole numbers
// zero-filled (throws app::Error for a negative number or one too wide).
QByteArray textField(const QString &text, int width);
QByteArray numberField(qint64 value, int width);
// The text of a field, decoded and trimmed; empty optional when it holds a control character,
// which the program never writes and which no name may hold.
std::optional<QString> fieldText(const QByteArray &field);
// A field of decimal digits only; empty when it holds anything else.
std::optional<qint64> fieldNumber(const QByteArray &field);

} // namespace accounts
