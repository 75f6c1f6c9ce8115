// The RTF subset read into and written from QTextDocument, and the grid's
// rich-text bridges.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/rich/rtf_subset.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// "<flags:text>" per fragment, blocks joined by "|"; flags b, i, u, the colour,
// sub, sup.
QString Describe(const QTextDocument& doc)
{
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString out;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QString flags;
            if (f.fontWeight() > QFont::Normal)
                flags += u'b';
            if (f.fontItalic())
                flags += u'i';
            if (f.fontUnderline())
                flags += u'u';
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                flags += f.foreground().color().name();
            if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                flags += QStringLiteral("sub");
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                flags += QStringLiteral("sup");
            out += u'<' + flags + u':' + it.fragment().text() + u'>';
        }
        blocks << out;
    }
    return blocks.join(u'|');
}

QString Read(const QString& rtf)
{
    QTextDocument doc;
    ReadRtf(rtf, doc);
    return Describe(doc);
}

} // namespace

TEST(RtfSubset, Reader)
{
    const struct
    {
        const char* name;
        QString rtf;
        QString expected;
    } cases[] = {
        {"bold group", QStringLiteral("{\\rtf1\\ansi {\\b bold} plain}"), QStringLiteral("<b:bold><: plain>")},
        {"switched off", QStringLiteral("{\\rtf1 \\b on\\b0  off \\i\\ul x\\ulnone y}"),
         QStringLiteral("<b:on><: off ><iu:x><i:y>")},
        {"colour", QStringLiteral("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 red\\cf0 x\\cf7 y}"),
         QStringLiteral("<#ff0000:red><:xy>")},
        {"sub and superscript", QStringLiteral("{\\rtf1 H{\\sub 2}O x{\\super 2}\\up6 a\\nosupersub b}"),
         QStringLiteral("<:H><sub:2><:O x><sup:2a><:b>")},
        {"paragraphs", QStringLiteral("{\\rtf1 a\\par b\\par\n\\par c}"), QStringLiteral("<:a>|<:b>||<:c>")},
        {"ANSI bytes", QStringLiteral("{\\rtf1 caf\\'e9 \\'80\\'zz!}"), QStringLiteral("<:café €!>")},
        {"unicode", QStringLiteral("{\\rtf1 \\u8364?x\\u-10179?\\u-8704?\\uc2\\u233XYz}"),
         QString::fromUtf8("<:€x\xF0\x9F\x98\x80\xC3\xA9z>")},
        {"skipped groups",
         QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\generator x;}{\\info{\\title t}}{\\pict 0a}text}"),
         QStringLiteral("<:text>")},
        {"unknown words", QStringLiteral("{\\rtf1\\pard\\fs20\\lang1033\\f0 hi}"), QStringLiteral("<:hi>")},
        {"escaped symbols", QStringLiteral("{\\rtf1 a\\{b\\}c\\\\}"), QStringLiteral("<:a{b}c\\>")},
        {"tab and line", QStringLiteral("{\\rtf1 a\\tab b\\line c}"), QStringLiteral("<:a\tb\u2028c>")},
        {"plain resets", QStringLiteral("{\\rtf1\\b\\i x\\plain y}"), QStringLiteral("<bi:x><:y>")},
        {"binary skipped", QStringLiteral("{\\rtf1 a\\bin3 {}\\b}"), QStringLiteral("<:ab>")},
        {"unbalanced", QStringLiteral("}}{\\b x}}}{{"), QStringLiteral("<b:x>")},
        {"deep nesting", QString(5000, u'{') + QStringLiteral("\\b deep") + QString(5000, u'}'),
         QStringLiteral("<b:deep>")},
        {"cut short", QStringLiteral("{\\rtf1 a\\'4"), QStringLiteral("<:a>")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.rtf), c.expected) << c.name;
}

TEST(RtfSubset, WriterRoundTrip)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    const auto add = [&](const QString& text, auto set) {
        QTextCharFormat f;
        set(f);
        cursor.insertText(text, f);
    };
    add(QStringLiteral("plain {x}\\ "), [](QTextCharFormat&) {});
    add(QStringLiteral("bold"), [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); });
    add(QStringLiteral("it"), [](QTextCharFormat& f) { f.setFontItalic(true); });
    add(QStringLiteral("un"), [](QTextCharFormat& f) { f.setFontUnderline(true); });
    add(QStringLiteral("red"), [](QTextCharFormat& f) { f.setForeground(QColor(255, 0, 0)); });
    cursor.insertBlock();
    add(QStringLiteral("2"), [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    add(QStringLiteral("3"), [](QTextCharFormat& f) {
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        f.setForeground(QColor(0, 0, 255));
        f.setFontWeight(QFont::Bold);
    });
    add(QString::fromUtf8("a\tb\u2028é€\xF0\x9F\x98\x80 9"), [](QTextCharFormat&) {});

    const QString rtf = WriteRtf(doc);
    for (const QChar ch : rtf)
        ASSERT_LT(ch.unicode(), 0x80) << rtf.toStdString();
    EXPECT_TRUE(IsRtfText(rtf));
    EXPECT_EQ(Read(rtf), Describe(doc)) << rtf.toStdString();

    // The exact form of a small document.
    QTextDocument small;
    QTextCursor c(&small);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("bold"), bold);
    c.insertText(QStringLiteral(" 1"), QTextCharFormat());
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    c.insertText(QStringLiteral("red"), red);
    EXPECT_EQ(WriteRtf(small),
              QStringLiteral("{\\rtf1\\ansi\\deff0 {\\colortbl ;\\red255\\green0\\blue0;}{\\b bold} 1{\\cf1 red}}"));
}

TEST(RtfSubset, Bridges)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SetCells(0, 0, QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a {\\b b}\\par c}"));
    g.SetCells(1, 0, QStringLiteral("plain {\\b not rtf}"));

    QTextDocument doc;
    CellToRich(g, 0, 0, doc);
    EXPECT_EQ(Describe(doc), QStringLiteral("<:a ><b:b>|<:c>"));
    RichToCell(g, 2, 0, doc);
    EXPECT_TRUE(IsRtfText(g.Cells(2, 0)));
    QTextDocument again;
    CellToRich(g, 2, 0, again);
    EXPECT_EQ(Describe(again), Describe(doc));

    // Text that is not RTF stays as it is; an empty cell clears the document.
    CellToRich(g, 1, 0, doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("plain {\\b not rtf}"));
    CellToRich(g, 0, 1, doc);
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_EQ(RichToString(doc), QString());
    RichToCell(g, 2, 0, doc);
    EXPECT_EQ(g.Cells(2, 0), QString());
}
