#include "bench.h"

namespace bench {

void runDataBench(const Options &) {}

} // namespace bench
