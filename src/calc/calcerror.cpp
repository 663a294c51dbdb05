// The calculators' one error text and the exception that carries it.
#include "calcerror.h"

namespace calc {

QString erroAoCalcularText()
{
    return QStringLiteral("Erro ao calcular.\r\n\r\nVerifique se os dados estão digitados de\r\n"
                          "acordo com as convenções de cálculos\r\nfinanceiros e tente novamente!");
}

CalcError::CalcError(const char *function, const char *file, int line)
    : app::Error(erroAoCalcularText(), file, line), m_function(function)
{
}

} // namespace calc
