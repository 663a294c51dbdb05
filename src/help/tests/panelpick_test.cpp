// The panels' random pick: never the same page twice in a row, whatever the generator draws,
// and a panel with one page or none is served without drawing again and again.
#include <help/panelpick.h>

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <set>

using help::pickAnother;

namespace {

struct PickCase
{
    const char *name;
    QList<qlonglong> candidates;
    qlonglong current;
    int drawn; // what the generator returns
    qlonglong expected;
    int bound; // the bound the generator is asked for; 0 when it must not be asked
};

class PickAnother : public ::testing::TestWithParam<PickCase>
{
};

TEST_P(PickAnother, DrawsAmongTheOthers)
{
    const PickCase &c = GetParam();
    int asked = 0;
    const qlonglong got = pickAnother(c.candidates, c.current, [&](int bound) {
        asked = bound;
        return c.drawn;
    });
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(asked, c.bound);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PickAnother,
    ::testing::Values(PickCase{"noneLeavesThePanelEmpty", {}, 0, 0, 0, 0},
                      PickCase{"noneAfterAPageWasShown", {}, 1201, 0, 0, 0},
                      PickCase{"oneIsShownOnTheFirstPick", {1201}, 0, 0, 1201, 1},
                      PickCase{"oneStaysAsItIsWithoutDrawing", {1201}, 1201, 0, 1201, 0},
                      PickCase{"twoAlternateFromTheFirst", {1201, 1202}, 1201, 0, 1202, 1},
                      PickCase{"twoAlternateFromTheSecond", {1201, 1202}, 1202, 0, 1201, 1},
                      PickCase{"firstPickDrawsAmongAll", {1201, 1202, 1203}, 0, 2, 1203, 3},
                      PickCase{"manySkipTheShownPage", {1201, 1202, 1203, 1204}, 1202, 1, 1203, 3},
                      PickCase{"aPageNoLongerThereCountsAsNone", {1201, 1202}, 1299, 1, 1202, 2},
                      PickCase{
                          "aDrawOutOfRangeIsKeptInside", {1201, 1202, 1203}, 1201, 9, 1203, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PickAnotherOverManyPicks, NeverRepeatsAndReachesEveryOther)
{
    const QList<qlonglong> codes = {1101, 1102, 1103, 1104, 1105};
    QRandomGenerator gen(42);
    const auto random = [&](int bound) {
        return int(gen.bounded(quint32(bound)));
    };
    qlonglong current = 0;
    std::set<qlonglong> seen;
    for (int i = 0; i < 2000; ++i) {
        const qlonglong next = pickAnother(codes, current, random);
        ASSERT_NE(next, current) << "pick " << i;
        ASSERT_TRUE(codes.contains(next));
        seen.insert(next);
        current = next;
    }
    EXPECT_EQ(seen.size(), size_t(codes.size()));
}

} // namespace
