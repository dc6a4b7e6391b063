#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::PositionOf;

TEST(HintGeometry, EveryUnitAndPeerSetMatchesTheSquaresCoordinates)
{
    for (int square = 0; square < 81; ++square) {
        SCOPED_TRACE(square);
        int units = 0;
        for (int unit = 0; unit < UnitCount; ++unit)
            if (UnitBits[unit].Has(square)) {
                ++units;
                const int index = IndexOfUnit(unit);
                const int expected = unit < 9    ? RowOf(square)
                                     : unit < 18 ? ColumnOf(square)
                                                 : GroupOf(square);
                EXPECT_EQ(index, expected);
            }
        EXPECT_EQ(units, 3);
        for (int other = 0; other < 81; ++other) {
            const bool peer =
                other != square
                && (RowOf(other) == RowOf(square) || ColumnOf(other) == ColumnOf(square)
                    || GroupOf(other) == GroupOf(square));
            EXPECT_EQ(PeerBits[square].Has(other), peer) << other;
        }
    }
}

TEST(HintGeometry, SetsIterateInAscendingOrderAcrossBothWords)
{
    SquareBits set;
    for (int square : {80, 0, 63, 64, 40})
        set.Add(square);
    std::vector<int> seen;
    for (int square : set)
        seen.push_back(square);
    EXPECT_EQ(seen, (std::vector<int>{0, 40, 63, 64, 80}));
    EXPECT_EQ(set.Count(), 5);
    set.Remove(63);
    EXPECT_FALSE(set.Has(63));
    EXPECT_EQ(SquareBits::Of(64).Single(), 64);
    EXPECT_EQ(set.Single(), -1);
}

TEST(HintPosition, SetDigitsStrikeTheirPeersWhereverTheBoardCameFrom)
{
    std::array<std::int8_t, 81> values;
    values.fill(-1);
    std::array<DigitMask, 81> masks;
    masks.fill(AllDigits);
    values[0] = 4;                                               // a 5 at row 1, column 1
    masks[1] = static_cast<DigitMask>(AllDigits & ~DigitBit(2)); // the 3 struck by the person
    const Position position = Position::FromBoard(values, masks);
    EXPECT_FALSE(position.HasCandidate(1, 4)) << "ruled out by the 5 in its row";
    EXPECT_FALSE(position.HasCandidate(1, 2)) << "struck";
    EXPECT_TRUE(position.HasCandidate(1, 0));
    EXPECT_TRUE(position.HasCandidate(80, 2)) << "a strike stays where it was made";
    EXPECT_FALSE(position.Places(4).Has(72)) << "column 1";
    EXPECT_FALSE(position.Places(4).Has(20)) << "group 1";
    EXPECT_TRUE(position.Places(4).Has(80));
    EXPECT_EQ(position.Candidates(0), 0);
    EXPECT_EQ(position.Value(0), 4);
}

TEST(HintPosition, ReadsOnlyWellFormedLines)
{
    EXPECT_TRUE(Position::FromLine(std::string(81, '.')));
    EXPECT_TRUE(Position::FromLine(std::string(81, '0')));
    EXPECT_FALSE(Position::FromLine(std::string(80, '.')));
    EXPECT_FALSE(Position::FromLine(std::string(80, '.') + "x"));
    const auto position = Position::FromLine("1" + std::string(80, '.'));
    ASSERT_TRUE(position);
    EXPECT_EQ(position->Line(), "1" + std::string(80, '.'));
}

TEST(HintPosition, TellsAPlainlyBrokenPosition)
{
    EXPECT_FALSE(Position{}.Broken());
    // The same digit twice in a row.
    EXPECT_TRUE(PositionOf("1.......1" + std::string(72, '.')).Broken());
    // A square with no candidate left.
    Position dead;
    for (int digit = 0; digit < 9; ++digit)
        dead.Strike(40, digit);
    EXPECT_TRUE(dead.Broken());
    // A digit with no place left in a unit where it is not set.
    Position homeless;
    for (int square : UnitBits[GroupUnit(4)])
        homeless.Strike(square, 6);
    EXPECT_TRUE(homeless.Broken());
}

TEST(HintWording, NamesSquaresByRowAndColumnAndGroupsThemByLine)
{
    EXPECT_EQ(SquareName(0), "row 1, column 1");
    EXPECT_EQ(SquareCode(80), "r9c9");
    EXPECT_EQ(UnitName(RowUnit(2)), "row 3");
    EXPECT_EQ(UnitName(ColumnUnit(8)), "column 9");
    EXPECT_EQ(UnitName(GroupUnit(4)), "group 5");
    SquareBits row;
    row.Add(13);
    row.Add(16);
    EXPECT_EQ(SquareList(row), "row 2, columns 5 and 8");
    SquareBits column;
    column.Add(2);
    column.Add(29);
    EXPECT_EQ(SquareList(column), "rows 1 and 4, column 3");
    SquareBits scattered;
    for (int square : {1, 32, 60})
        scattered.Add(square);
    EXPECT_EQ(SquareList(scattered), "row 1, column 2; row 4, column 6; row 7, column 7");
    scattered.Add(30);
    EXPECT_EQ(SquareList(scattered), "row 1, column 2; row 4, columns 4 and 6; row 7, column 7");
    EXPECT_EQ(Capitalised(SquareName(4)), "Row 1, column 5");
    EXPECT_EQ(ADigit(7) + ", " + ADigit(6), "an 8, a 7");
    EXPECT_EQ(DigitList(DigitBit(0) | DigitBit(2) | DigitBit(6)), "1, 3 and 7");
}

} // namespace
} // namespace quorix::hint

namespace quorix::hint {
namespace {

TEST(HintTestSupport, ACandidateGridReadsBackAsThePositionItWasWrittenFrom)
{
    Position position = testing::PositionOf(
        "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
    testing::StrikeAll(position, {"r1c3-1", "r1c3-2", "r9c2-1"});
    EXPECT_EQ(testing::PositionOfGrid(testing::GridOf(position)), position);
}

} // namespace
} // namespace quorix::hint
