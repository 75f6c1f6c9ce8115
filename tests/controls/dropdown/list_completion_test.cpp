#include "controls/dropdown/list_completion.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(ListCompletion, CompletesWithTheFirstMatch)
{
    const QStringList captions{QStringLiteral("Apple"), QStringLiteral("Apricot"), QStringLiteral("Banana")};
    const struct { const char* text; int caret; bool matchCase; const char* result; int item, selStart, selLength; } cases[] = {
        {"a", 1, false, "apple", 0, 1, 4},       // the typed case kept
        {"apr", 3, false, "apricot", 1, 3, 4},
        {"a", 1, true, "a", -1, 1, 0},           // exact case: no match
        {"Ap", 2, true, "Apple", 0, 2, 3},
        {"bxyz", 1, false, "banana", 2, 1, 5},    // what follows the caret goes
        {"cxyz", 1, false, "c", -1, 1, 0},        // no match: cut at the caret
        {"", 0, false, "", -1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Completion r = CompleteText(QString::fromLatin1(c.text), c.caret, captions, c.matchCase);
        EXPECT_EQ(r.Text, QString::fromLatin1(c.result));
        EXPECT_EQ(r.Item, c.item);
        EXPECT_EQ(r.SelStart, c.selStart);
        EXPECT_EQ(r.SelLength, c.selLength);
    }
    // At most 255 characters.
    const Completion longOne = CompleteText(QStringLiteral("x"), 1, {QString(300, u'x')}, false);
    EXPECT_EQ(longOne.Text.size(), 255);
    EXPECT_EQ(ExactIndexOf(captions, QStringLiteral("apple")), -1);
    EXPECT_EQ(ExactIndexOf(captions, QStringLiteral("Apple")), 0);
}

TEST(ListCompletion, VirtualKeyCodes)
{
    const struct { int key; bool keypad; int code; } cases[] = {
        {Qt::Key_A, false, 65}, {Qt::Key_Z, false, 90}, {Qt::Key_5, false, 53}, {Qt::Key_5, true, 101},
        {Qt::Key_Shift, false, 16}, {Qt::Key_Control, false, 17}, {Qt::Key_Space, false, 32},
        {Qt::Key_Comma, false, 188}, {Qt::Key_F5, false, 116}, {Qt::Key_Launch0, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyCode(c.key, c.keypad), c.code) << c.key;
}

}  // namespace

namespace {

TEST(ListCompletion, LettersWhoseUpperCaseIsLonger)
{
    // "ß" upper-cases to "SS": the typed part keeps its own length.
    const Completion c = dropdown::CompleteText(QStringLiteral("stra"), 4, {QStringLiteral("Straße")}, false);
    EXPECT_EQ(c.Text, QStringLiteral("straße"));
    EXPECT_EQ(c.SelStart, 4);
    EXPECT_EQ(c.SelLength, 2);
    const Completion d = dropdown::CompleteText(QStringLiteral("ßx"), 1, {QStringLiteral("ßa")}, false);
    EXPECT_EQ(d.Text, QStringLiteral("ßa"));
    EXPECT_EQ(d.SelStart, 1);
}

}  // namespace

namespace {

// The index answers what a scan in list order answers.
TEST(ListCompletion, PrefixIndexAgreesWithTheScan)
{
    const QStringList entries{QStringLiteral("beta"),   QStringLiteral("Alpha"), QStringLiteral("BRAVO"),
                              QStringLiteral("Straße"), QStringLiteral("alps"),  QString(),
                              QStringLiteral("Beta"),   QStringLiteral("b")};
    const dropdown::PrefixIndex index(entries);
    for (const char* p : {"b", "B", "br", "be", "bet", "al", "ALP", "alps", "x", "", "straß", "STRA", "Alpha!"}) {
        const QString prefix = QString::fromUtf8(p);
        int scan = -1;
        for (int i = 0; !prefix.isEmpty() && i < entries.size() && scan < 0; ++i)
            if (entries[i].startsWith(prefix, Qt::CaseInsensitive))
                scan = i;
        EXPECT_EQ(index.First(prefix), scan) << p;
    }
    EXPECT_EQ(dropdown::PrefixIndex().First(QStringLiteral("a")), -1);
    // Completion through the index, and through the scan when case matters.
    const dropdown::Completion c = dropdown::CompleteText(QStringLiteral("al"), 2, entries, false, &index);
    EXPECT_EQ(c.Item, 1);
    EXPECT_EQ(c.Text, QStringLiteral("alpha"));
    const dropdown::Completion d = dropdown::CompleteText(QStringLiteral("al"), 2, entries, true, &index);
    EXPECT_EQ(d.Item, 4);
}

}  // namespace
