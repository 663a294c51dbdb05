#include "bench.h"

namespace bench {

void runOfxBench(const Options &) {}

} // namespace bench
