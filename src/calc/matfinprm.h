// One calculator parameter row of the user's TbMatFinPrm table, as plain data: the fields the
// solves and schedules read and write. The storage layer copies it to and from the table; it
// holds no other state. An empty (null) field is an empty optional or a null QDate.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace calc {

// Codigo of each calculator's row.
enum class MatFinTab { Emprestimo = 1, Poupanca = 2, Calculadora = 3 };

struct MatFinPrm
{
    int Codigo = 0;
    std::optional<double> Renda;
    std::optional<double> Taxa; // percent per month: 1.5 means 1.5 %
    std::optional<double> NPer;
    std::optional<double> Prestacao;
    std::optional<double> PV;
    std::optional<double> FV;
    std::optional<int> Entrada;    // 1 = payment at the start of each period ("Com Entrada")
    std::optional<double> IncTaxa; // step of the term-and-rate table, percentage points
    std::optional<double> IncNPer; // step of the term-and-rate table, months
    QDate DataParc;
    QString Finalidade;
};

// The row a calculator starts with when its row is missing: loan row with Entrada 0, DataParc
// today, Finalidade "Geral", IncNPer 6 and IncTaxa 0.2; savings row with Entrada 0 and DataParc
// today; calculator row with Entrada 0. Every other field empty.
MatFinPrm defaultMatFinPrm(MatFinTab tab, const QDate &today);

// The timing t of the functions: 1 when Entrada is 1, else 0 (an empty Entrada included).
int timingOf(const MatFinPrm &row);

} // namespace calc
