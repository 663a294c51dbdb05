// The failure of a time-value-of-money function. The user reads the calculators' one Portuguese
// text ("Erro ao calcular. ..."), never the function's name; the name stays on the exception for
// tests and diagnostics.
#pragma once

#include <app/error.h>

namespace calc {

// "Erro ao calcular.\r\n\r\nVerifique se os dados ..." exactly as the calculators show it.
QString erroAoCalcularText();

class CalcError : public app::Error
{
public:
    // function: the name of the function that failed ("FutureValue", "InterestRate", ...).
    explicit CalcError(const char *function, const char *file = nullptr, int line = 0);

    const char *function() const { return m_function; }

private:
    const char *m_function;
};

} // namespace calc
