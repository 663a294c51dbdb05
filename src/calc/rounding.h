// Rounding of the calculators' floating values: whole-cent comparison of money. Display goes
// through the shared formatter (app/format.h).
#pragma once

namespace calc {

// x rounded to a whole number, half away from zero. A nudge of 1e-9 plus 1e-15 of |x| absorbs
// the binary error of values meant as exact decimals (100.5 cents stored as 100.4999...).
long double roundHalfAway(long double x);

// reais as a whole number of centavos (integer-valued), rounded half away from zero.
long double wholeCents(long double reais);

} // namespace calc
