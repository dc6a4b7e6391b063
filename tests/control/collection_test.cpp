// A file of many puzzles: which files are collections, and walking one.
#include "core/operations/text/collection.h"
#include "test_support.h"

#include <sstream>

namespace quorix::testing {
namespace {

constexpr std::string_view Second =
    "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..";

TEST(Collection, TwoOrMoreWholePuzzleLinesMakeOne)
{
    PuzzleCollection collection;
    const std::string file =
        "# a set\n" + std::string(EasyPuzzle) + "\n\nnot a puzzle\n" + std::string(Second) + "\r\n";
    ASSERT_TRUE(SplitCollection(file, collection));
    ASSERT_EQ(collection.Size(), 2);
    EXPECT_EQ(collection.Puzzles[0], EasyPuzzle);
    EXPECT_EQ(collection.LineNumbers, (std::vector<int>{2, 5}));
    EXPECT_EQ(collection.IndexOfLine(5), 1);
    EXPECT_EQ(collection.IndexOfLine(4), 0) << "no puzzle there: the first";

    EXPECT_FALSE(SplitCollection(std::string(EasyPuzzle) + "\n", collection)) << "one puzzle";
    // A nine-line grid and a candidate grid are one puzzle over many lines.
    std::string grid;
    for (int row = 0; row < 9; ++row)
        grid += std::string(EasyPuzzle.substr(9 * row, 9)) + "\n";
    EXPECT_FALSE(SplitCollection(grid + grid, collection));
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    form.Paste(EasyPuzzle);
    form.cmdMode_Click(ModeStart);
    EXPECT_FALSE(SplitCollection(form.CopyCandidates() + form.CopyCandidates(), collection));
}

class CollectionWalk : public FormTest
{
protected:
    void Open(const std::string &text, int line = 0)
    {
        std::istringstream file(text);
        Form.AsUserStep([&] { Form.OpenFile(file, "set.txt", line); });
    }
    const std::string File = std::string(EasyPuzzle) + "\n# between\n" + std::string(Second) + "\n"
                             + std::string(EasyPuzzle.substr(0, 80)) + "1\n";
};

TEST_F(CollectionWalk, OpeningShowsTheFirstPuzzleOrTheOneOnTheLineGiven)
{
    Open(File);
    EXPECT_EQ(Form.Collection().Size(), 3);
    EXPECT_EQ(Form.Collection().Name, "set.txt");
    EXPECT_EQ(GridText(), EasyPuzzle);
    EXPECT_EQ(News(), "Set-up puzzle by clicking on squares, or use Tab and Numeric Keys");
    Open(File, 3);
    EXPECT_EQ(Form.Collection().Position, 1);
    EXPECT_EQ(GridText(), Second);
}

TEST_F(CollectionWalk, ShowPuzzleWalksWithinTheCollectionOnly)
{
    Open(File);
    Form.AsUserStep([&] { EXPECT_TRUE(Form.ShowPuzzle(2)); });
    EXPECT_EQ(GridText().back(), '1');
    const std::string last = GridText();
    Form.AsUserStep([&] { EXPECT_FALSE(Form.ShowPuzzle(3)); });
    Form.AsUserStep([&] { EXPECT_FALSE(Form.ShowPuzzle(-1)); });
    EXPECT_EQ(GridText(), last) << "past either end nothing changes";
    EXPECT_EQ(Form.Collection().Position, 2);
    Form.Undo();
    EXPECT_EQ(GridText(), EasyPuzzle) << "showing a puzzle is one step";
    EXPECT_EQ(Form.Collection().Position, 0) << "and its place in the collection with it";
    Form.Redo();
    EXPECT_EQ(Form.Collection().Position, 2);
}

TEST_F(CollectionWalk, AFileOfOnePuzzleIsPastedAndKeepsTheCollection)
{
    Open(File);
    Open(std::string(Second) + "\n");
    EXPECT_EQ(GridText(), Second);
    EXPECT_EQ(Form.Collection().Size(), 3) << "a single puzzle opens no collection";
    Open(std::string(5000, '.') + "\n");
    EXPECT_EQ(News(), "Cannot paste: line 1 is too long: 5000 characters");
}

} // namespace
} // namespace quorix::testing
