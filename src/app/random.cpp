#include "random.h"

#include <QRandomGenerator>

namespace app {

static std::function<int(int)> s_draw;

int randomBelow(int bound)
{
    if (s_draw)
        return s_draw(bound);
    // One generator for the whole run: reseeding from the clock before every draw, as a loop
    // of quick draws would, gives the same number again and again.
    static QRandomGenerator generator(QRandomGenerator::system()->generate());
    return int(generator.bounded(quint32(bound)));
}

void setRandomForTests(std::function<int(int bound)> draw)
{
    s_draw = std::move(draw);
}

} // namespace app
