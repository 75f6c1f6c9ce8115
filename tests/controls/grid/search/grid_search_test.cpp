// Find walks (column-wise, row-wise, backward, restricted) on a small grid, and
// Replace by case that walks its range once.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/search/grid_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace grid;

namespace {

//        col 0        col 1    col 2
// row 0  apple        x        APPLE
// row 1  b            apple    z
// row 2  Apple pie    (empty)  pineapple, apple
void Fruit(TExStringGrid& g)
{
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    const char* texts[3][3] = {{"apple", "x", "APPLE"}, {"b", "apple", "z"}, {"Apple pie", "", "pineapple, apple"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCells(c, r, QString::fromLatin1(texts[r][c]));
}

std::string Str(TGridCoord c)
{
    return "(" + std::to_string(c.X) + "," + std::to_string(c.Y) + ")";
}

} // namespace

TEST(GridSearch, FindWalks)
{
    const struct
    {
        const char* name;
        const char* text;
        TFindParams params;
        std::vector<TGridCoord> hits;
        std::function<void(TExStringGrid&)> setup;
    } cases[] = {
        {"column-wise", "apple", {}, {{0, 0}, {0, 2}, {1, 1}, {2, 0}, {2, 2}}, nullptr},
        {"row-wise", "apple", {fnDirectionLeftRight}, {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}}, nullptr},
        {"backward", "apple", {fnBackward}, {{2, 2}, {2, 0}, {1, 1}, {0, 2}, {0, 0}}, nullptr},
        {"backward row-wise",
         "apple",
         {fnBackward, fnDirectionLeftRight},
         {{2, 2}, {0, 2}, {1, 1}, {2, 0}, {0, 0}},
         nullptr},
        {"match case", "apple", {fnMatchCase}, {{0, 0}, {1, 1}, {2, 2}}, nullptr},
        {"match full", "APPLE", {fnMatchFull}, {{0, 0}, {1, 1}, {2, 0}}, nullptr},
        {"match full and case", "APPLE", {fnMatchFull, fnMatchCase}, {{2, 0}}, nullptr},
        {"match start", "apple", {fnMatchStart}, {{0, 0}, {0, 2}, {1, 1}, {2, 0}}, nullptr},
        {"two quotes find empty cells", "\"\"", {}, {{1, 2}}, nullptr},
        {"selected cells", "apple", {fnSelectedCells}, {{1, 1}, {2, 2}},
         [](TExStringGrid& g) { g.SetSelection({1, 1, 2, 2}); }},
        {"current row", "apple", {fnFindInCurrentRow, fnDirectionLeftRight}, {{0, 2}, {2, 2}},
         [](TExStringGrid& g) { g.SetRow(2); }},
        {"preset column", "apple", {fnFindInPresetCol}, {{2, 0}, {2, 2}}, nullptr},
        {"hidden column skipped", "apple", {}, {{0, 0}, {0, 2}, {1, 0}, {1, 2}},
         [](TExStringGrid& g) { g.HideColumn(1); }},
        {"hidden column searched", "apple", {fnIncludeHiddenColumns}, {{0, 0}, {0, 2}, {1, 1}, {2, 0}, {2, 2}},
         [](TExStringGrid& g) { g.HideColumn(1); }},
        {"fixed cells left out", "apple", {}, {{1, 1}, {2, 2}},
         [](TExStringGrid& g) {
             g.SetFixedCols(1);
             g.SetFixedRows(1);
         }},
        {"fixed cells included", "apple", {fnIncludeFixed}, {{0, 0}, {0, 2}, {1, 1}, {2, 0}, {2, 2}},
         [](TExStringGrid& g) {
             g.SetFixedCols(1);
             g.SetFixedRows(1);
         }},
        {"tags ignored", "bold", {fnIgnoreHTMLTags, fnMatchFull}, {{1, 2}},
         [](TExStringGrid& g) { g.SetCells(1, 2, QStringLiteral("<b>bold</b>")); }},
        {"no hit", "kiwi", {}, {}, nullptr},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Fruit(g);
        if (c.setup)
            c.setup(g);
        GridSearch search(g);
        search.FindCol = 2;
        std::vector<TGridCoord> found;
        TGridCoord at = search.FindFirst(QString::fromLatin1(c.text), c.params);
        while (at.X >= 0 && found.size() <= c.hits.size()) {
            found.push_back(at);
            at = search.FindNext();
            if (!found.empty() && at == found.front())
                break; // wrapped to the first hit
        }
        ASSERT_EQ(found.size(), c.hits.size()) << c.name;
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_EQ(found[i], c.hits[i]) << c.name << " hit " << i << " " << Str(found[i]);
        if (c.hits.empty()) {
            EXPECT_EQ(at, (TGridCoord{-1, -1})) << c.name;
        }
    }
}

TEST(GridSearch, StartCellAndAutoGoto)
{
    TExStringGrid g;
    Fruit(g);
    GridSearch search(g);
    // Only (-1, -1) tests the first cell itself; other start cells are stepped over.
    EXPECT_EQ(search.Find({-1, -1}, QStringLiteral("apple"), {}), (TGridCoord{0, 0}));
    EXPECT_EQ(search.Find({0, 0}, QStringLiteral("apple"), {}), (TGridCoord{0, 2}));
    // From the last cell the step wraps to the first.
    EXPECT_EQ(search.Find({2, 2}, QStringLiteral("apple"), {}), (TGridCoord{0, 0}));

    EXPECT_EQ(search.Find({-1, -1}, QStringLiteral("pine"), {fnAutoGoto}), (TGridCoord{2, 2}));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);

    // An empty range finds nothing, not even with a text every cell holds.
    search.FindCol = -1;
    EXPECT_EQ(search.FindFirst(QString(), {fnFindInPresetCol}), (TGridCoord{-1, -1}));
    EXPECT_EQ(search.FindFirst(QString(), {}), (TGridCoord{0, 0}));
}

TEST(GridSearch, PrefixSearch)
{
    TExStringGrid g;
    Fruit(g);
    g.SetFixedRows(1);
    GridSearch search(g);
    EXPECT_EQ(search.Search(QStringLiteral("APP")), 2);
    EXPECT_EQ(search.Search(QStringLiteral("B")), 1);
    EXPECT_EQ(search.Search(QStringLiteral("APPLE")), 2);
    EXPECT_EQ(search.Search(QStringLiteral("Q")), -1);
    g.SetRowCount(1);
    EXPECT_EQ(search.Search(QStringLiteral("A")), -1);
}

TEST(GridSearch, Replace)
{
    const struct
    {
        const char* name;
        const char* orig;
        const char* replacement;
        TFindParams params;
        int count;
        const char* cells[3][3];
    } cases[] = {
        {"ignoring case, twice in one cell counts once",
         "apple",
         "pear",
         {},
         5,
         {{"pear", "x", "pear"}, {"b", "pear", "z"}, {"pear pie", "", "pinepear, pear"}}},
        {"match case leaves other cases",
         "apple",
         "pear",
         {fnMatchCase},
         3,
         {{"pear", "x", "APPLE"}, {"b", "pear", "z"}, {"Apple pie", "", "pinepear, pear"}}},
        {"a text by one holding it, the last cell a hit",
         "e",
         "ee",
         {},
         5,
         {{"applee", "x", "APPLee"}, {"b", "applee", "z"}, {"Applee piee", "", "pineeapplee, applee"}}},
        {"backward and auto-goto make no difference",
         "z",
         "zz",
         {fnBackward, fnAutoGoto},
         1,
         {{"apple", "x", "APPLE"}, {"b", "apple", "zz"}, {"Apple pie", "", "pineapple, apple"}}},
        {"row-wise in the selection",
         "p",
         "pp",
         {fnDirectionLeftRight, fnSelectedCells},
         2,
         {{"apple", "x", "APPLE"}, {"b", "apppple", "z"}, {"Apple pie", "", "ppineapppple, apppple"}}},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Fruit(g);
        g.SetSelection({1, 1, 2, 2});
        GridSearch search(g);
        EXPECT_EQ(search.Replace(QString::fromLatin1(c.orig), QString::fromLatin1(c.replacement), c.params), c.count)
            << c.name;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
                EXPECT_EQ(g.Cells(col, r), QString::fromLatin1(c.cells[r][col])) << c.name << " " << col << "," << r;
    }

    // Changed rows are marked when asked; an empty text replaces nothing.
    TExStringGrid g;
    Fruit(g);
    g.ShowModified.Enabled = true;
    GridSearch search(g);
    EXPECT_EQ(search.Replace(QStringLiteral("z"), QStringLiteral("y"), {}), 1);
    EXPECT_TRUE(g.RowModified(1));
    EXPECT_FALSE(g.RowModified(0));
    EXPECT_EQ(search.Replace(QString(), QStringLiteral("y"), {}), 0);
}

namespace {

// Records the footer's actions.
class FooterGrid : public TExStringGrid
{
public:
    void SearchFooterAction(const QString& value, int col, int row, int action) override
    {
        actions.push_back(value.toStdString() + " " + std::to_string(col) + "," + std::to_string(row) + " " +
                          std::to_string(action));
    }
    std::vector<std::string> actions;
};

} // namespace

TEST(GridSearch, Footer)
{
    FooterGrid g;
    Fruit(g);
    GridSearch search(g);
    const struct
    {
        const char* text;
        TGridCoord hit;
        TColor colour;
    } typing[] = {{"p", {0, 0}, clWindow}, {"pin", {2, 2}, clWindow}, {"pink", {-1, -1}, clRed}, {"", {-1, -1}, clWindow}};
    for (const auto& t : typing) {
        const FooterOutcome out = search.FooterEditChange(QString::fromLatin1(t.text), {});
        EXPECT_EQ(out.Hit, t.hit) << t.text;
        EXPECT_EQ(out.EditColor, t.colour) << t.text;
        if (t.hit.X >= 0) {
            EXPECT_EQ(g.Col(), t.hit.X) << t.text;
            EXPECT_EQ(g.Row(), t.hit.Y) << t.text;
        }
    }
    EXPECT_EQ(g.actions, (std::vector<std::string>{"p 0,0 0", "pin 2,2 0", "pink -1,-1 0"}));

    // Next and previous walk on from the last hit.
    search.FooterEditChange(QStringLiteral("apple"), {});
    EXPECT_EQ(search.FooterFind(QStringLiteral("apple"), {}, false).Hit, (TGridCoord{0, 2}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("apple"), {}, false).Hit, (TGridCoord{1, 1}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("apple"), {}, true).Hit, (TGridCoord{0, 2}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("apple"), {false, true}, false).Hit, (TGridCoord{1, 1}));
    EXPECT_EQ(g.actions.back(), "apple 1,1 2");

    // Without auto search typing finds nothing; a new text starts again, the same text walks on.
    g.SearchFooter.AutoSearch = false;
    EXPECT_EQ(search.FooterEditChange(QStringLiteral("z"), {}).Hit, (TGridCoord{-1, -1}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("APPLE"), {}, false).Hit, (TGridCoord{0, 0}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("APPLE"), {}, false).Hit, (TGridCoord{0, 2}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("pine"), {}, false).Hit, (TGridCoord{2, 2}));

    // A search column limits the hits to it.
    g.SearchFooter.AutoSearch = true;
    g.SearchFooter.SearchColumn = 2;
    EXPECT_EQ(search.FooterEditChange(QStringLiteral("apple"), {}).Hit, (TGridCoord{2, 0}));
    EXPECT_EQ(search.FooterFind(QStringLiteral("apple"), {}, false).Hit, (TGridCoord{2, 2}));
}
