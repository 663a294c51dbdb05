// Shared by the definitions_*.cpp files only: the helpers that turn columns and values into
// cells, and the builders of each family of reports.
#pragma once

#include "definitions.h"
#include "reportrules.h"

namespace reports::internal {

QColor toneColor(Tone t);
// A band with one cell under each column, in the column's place and alignment.
Band rowBand(const std::vector<Column> &cols, const QStringList &texts);
// A cell at a free place.
Cell cell(qreal x, qreal width, const QString &text, FontRole font = FontRole::Normal,
          Qt::Alignment align = Qt::AlignLeft, QColor color = Qt::black);
Cell signedCell(qreal x, qreal width, double value, bool withTolerance = false,
                FontRole font = FontRole::Normal);
// Sets the text of column `i` of `band` to a signed amount.
void setSigned(Band &band, int i, double value, bool withTolerance = false);
QString amount(const QVariant &v);                        // "#,##0.00", empty for null
QString dateText(const QVariant &v);                      // "dd/MM/yyyy", empty for null
QString codeText(const QVariant &v, const char *pattern); // "000000", empty for null
Band blankBand(qreal height = 6);
// Account levels on a row whose first two cells are the code and the name.
void applyAccountLevel(Band &b, const QString &code);

BandedReport listReport(const QString &name, const ReportContext &ctx);  // Hsto, BensCat, Cta
BandedReport entryReport(const QString &name, const ReportContext &ctx); // FinPesq, FinProx
BandedReport assetReport(const QString &name, const ReportContext &ctx); // Bens, BensPesq
BandedReport trialBalanceReport(const ReportContext &ctx);               // Bcte
BandedReport budgetReport(const ReportContext &ctx);                     // Orc
BandedReport ledgerReport(const ReportContext &ctx);                     // Razao
BandedReport statementReport(const ReportContext &ctx, bool daily);      // Extrato(Diario)
BandedReport matFinReport(const ReportContext &ctx, bool loan);          // MatFinDivida/Cap

} // namespace reports::internal
