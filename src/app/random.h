// The program's random generator, for the few places that draw by chance (the reflection and
// verse panels). Seeded once per run from the system, so two draws in the same millisecond
// still differ; tests replace it to fix the sequence.
#pragma once

#include <functional>

namespace app {

// A whole number drawn uniformly from 0 to bound - 1. Precondition: bound > 0.
int randomBelow(int bound);

// While set, randomBelow returns what `draw` returns for the same bound (tests); an empty
// function restores the program's generator.
void setRandomForTests(std::function<int(int bound)> draw);

} // namespace app
