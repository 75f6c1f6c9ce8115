// Range checks of a grid through its cell checker: what each cell ends
// with and the range's result, for the base checker, a corrector and a
// marker, and a checker deleted while the grid still refers to it.
#include "controls/grid/core/cell_checker.h"
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

#include <memory>

using namespace grid;

namespace {

// Upper-cases every text; marks the texts holding "x".
class UpperChecker : public TExStringGridCheck
{
public:
    QString Correct(int, int, const QString& s) override { return s.toUpper(); }
    QString MarkError(int, int, const QString& s) override
    {
        return s.contains(u'x') ? QStringLiteral("<e>%1</e>").arg(s) : s;
    }
};

// Rows 1..2 of columns 1..2 hold the texts; row 0 and column 0 are fixed.
void Make(TExStringGrid& g, const QStringList& texts)
{
    g.SetColCount(3);
    g.SetRowCount(3);
    for (int i = 0; i < 4; ++i)
        g.SetCells(1 + i % 2, 1 + i / 2, texts[i]);
    g.SetCells(1, 0, QStringLiteral("head"));
}

QStringList Texts(TExStringGrid& g)
{
    QStringList out;
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 3; ++c)
            out << g.Cells(c, r);
    return out;
}

} // namespace

TEST(CellChecker, RangeChecksStoreWhatTheCheckerMade)
{
    const QStringList start = {"abc", "<e>box</e>", "DONE", "fix"};
    const struct
    {
        const char* name;
        bool base; // the plain base checker
        bool useCorrect;
        bool useMarkError;
        bool result;
        QStringList texts;
    } cases[] = {
        // The base checks nothing: only old marks go.
        {"base, both flags", true, true, true, true, {"abc", "box", "DONE", "fix"}},
        {"no flags", false, false, false, true, {"abc", "box", "DONE", "fix"}},
        {"correct", false, true, false, false, {"ABC", "BOX", "DONE", "FIX"}},
        {"mark", false, false, true, false, {"abc", "<e>box</e>", "DONE", "<e>fix</e>"}},
        // Both flags: the marks are made on the unmarked text, the
        // correction is not kept.
        {"correct and mark", false, true, true, false, {"abc", "<e>box</e>", "DONE", "<e>fix</e>"}},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Make(g, start);
        std::unique_ptr<TExStringGridCheck> checker =
            c.base ? std::make_unique<TExStringGridCheck>() : std::make_unique<UpperChecker>();
        checker->UseCorrect = c.useCorrect;
        checker->UseMarkError = c.useMarkError;
        g.CellChecker = checker.get();
        EXPECT_EQ(g.CheckGrid(false), c.result) << c.name;
        EXPECT_EQ(Texts(g), c.texts) << c.name;
        EXPECT_EQ(g.Cells(1, 0), QStringLiteral("head")) << c.name; // fixed cells are left alone
    }
}

TEST(CellChecker, WithoutAWorkingCheckerEveryRangeIsCorrect)
{
    TExStringGrid g;
    Make(g, {"a", "<e>b</e>", "c", "d"});
    EXPECT_TRUE(g.CheckGrid(true));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("<e>b</e>")); // not even marks removed

    // A deleted checker is dropped by the grid, not called.
    auto checker = std::make_unique<UpperChecker>();
    checker->UseCorrect = true;
    g.CellChecker = checker.get();
    EXPECT_FALSE(g.CheckCol(false, 1));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("A"));
    checker.reset();
    EXPECT_EQ(g.CellChecker, nullptr);
    EXPECT_TRUE(g.CheckGrid(false));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("d"));
}

// A checker that deletes itself on its first correction: the rest of the
// range goes unchecked, nothing is touched after the delete.
TEST(CellChecker, ACheckerGoneInTheMiddleOfARangeEndsIt)
{
    struct SelfDeleting : TExStringGridCheck
    {
        QString Correct(int, int, const QString& s) override
        {
            delete this;
            return s + QStringLiteral("!");
        }
    };
    TExStringGrid g;
    Make(g, {"a", "b", "c", "d"});
    auto* checker = new SelfDeleting;
    checker->UseCorrect = true;
    checker->GotoCell = true;
    g.FocusCell(2, 2, true);
    g.CellChecker = checker;
    EXPECT_FALSE(g.CheckGrid(false));
    EXPECT_EQ(Texts(g), QStringList({"a!", "b", "c", "d"}));
    EXPECT_EQ(g.Col(), 2); // the current cell still comes back
    EXPECT_EQ(g.Row(), 2);
}
