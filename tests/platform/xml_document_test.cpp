#include "xml_document.h"

#include "file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(XmlDocument, RootIsTheFirstChildNodeWhateverItsKind)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadBytes("<?xml version=\"1.0\"?><Par_Gen><A>1</A></Par_Gen>"));
    EXPECT_EQ(doc.Root().type(), pugi::node_declaration);
    QString t;
    EXPECT_FALSE(XmlChildText(doc.Root(), QStringLiteral("A"), t));

    ASSERT_TRUE(doc.LoadBytes("<!-- note --><Par_Gen><A>1</A></Par_Gen>"));
    EXPECT_EQ(doc.Root().type(), pugi::node_comment);

    ASSERT_TRUE(doc.LoadBytes("<Par_Gen><A>1</A></Par_Gen><!--SW_VERSION = 1.000-->"));
    EXPECT_STREQ(doc.Root().name(), "Par_Gen");
    ASSERT_TRUE(XmlChildText(doc.Root(), QStringLiteral("A"), t));
    EXPECT_EQ(t, QStringLiteral("1"));
}

TEST(XmlDocument, ElementTextRules)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadBytes("<R><Empty/><Blank> 1</Blank><Data><![CDATA[x<y]]></Data>"
                              "<Nested><B>2</B></Nested><Dup>first</Dup><Dup>second</Dup>"
                              "<Mixed>a<!--c-->b</Mixed><Esc>a&amp;b</Esc></R>"));
    const pugi::xml_node r = doc.Root();
    QString t = QStringLiteral("untouched");
    ASSERT_TRUE(XmlChildText(r, QStringLiteral("Empty"), t));
    EXPECT_EQ(t, QString());
    ASSERT_TRUE(XmlChildText(r, QStringLiteral("Blank"), t));
    EXPECT_EQ(t, QStringLiteral(" 1"));
    ASSERT_TRUE(XmlChildText(r, QStringLiteral("Data"), t));
    EXPECT_EQ(t, QStringLiteral("x<y"));
    ASSERT_TRUE(XmlChildText(r, QStringLiteral("Dup"), t));
    EXPECT_EQ(t, QStringLiteral("first"));
    ASSERT_TRUE(XmlChildText(r, QStringLiteral("Esc"), t));
    EXPECT_EQ(t, QStringLiteral("a&b"));
    t = QStringLiteral("untouched");
    EXPECT_FALSE(XmlChildText(r, QStringLiteral("Nested"), t));
    EXPECT_FALSE(XmlChildText(r, QStringLiteral("Mixed"), t));
    EXPECT_FALSE(XmlChildText(r, QStringLiteral("Missing"), t));
    EXPECT_FALSE(XmlChildText(r, QStringLiteral("empty"), t));   // names are case-sensitive
    EXPECT_EQ(t, QStringLiteral("untouched"));
}

TEST(XmlDocument, SavesRawWithoutDeclarationAndKeepsNodeOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.xml"));
    XmlDocument doc;
    pugi::xml_node root = XmlAppendElement(doc.Doc(), QStringLiteral("Par_Gen"));
    XmlAppendComment(doc.Doc(), QStringLiteral("SW_VERSION = 1.000"));
    XmlAppendTextElement(root, QStringLiteral("PROFINET_IP1"), QStringLiteral("192"));
    XmlAppendTextElement(root, QStringLiteral("Empty"), QString());
    pugi::xml_node row = XmlAppendElement(root, QStringLiteral("row"));
    XmlSetAttr(row, QStringLiteral("Z"), QStringLiteral("1"));
    XmlSetAttr(row, QStringLiteral("A"), QStringLiteral("a\"<b>&"));
    XmlSetAttr(row, QStringLiteral("Z"), QStringLiteral("2"));   // replaces in place
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(ReadAll(path),
              QByteArray("<Par_Gen><PROFINET_IP1>192</PROFINET_IP1><Empty/><row Z=\"2\" A=\"a&quot;&lt;b>&amp;\"/>"
                         "</Par_Gen><!--SW_VERSION = 1.000-->"));

    XmlDocument back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.ToBytes(), ReadAll(path));   // load and save again: same bytes
    EXPECT_EQ(XmlAttrOr(back.Root().child("row"), QStringLiteral("A")), QStringLiteral("a\"<b>&"));
    EXPECT_EQ(XmlAttrOr(back.Root().child("row"), QStringLiteral("B"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(XmlDocument, NonAsciiTextRoundTrips)
{
    XmlDocument doc;
    XmlAppendTextElement(XmlAppendElement(doc.Doc(), QStringLiteral("R")), QStringLiteral("T"),
                         QStringLiteral("Grüße ¶ °C"));
    XmlDocument back;
    ASSERT_TRUE(back.LoadBytes(doc.ToBytes()));
    QString t;
    ASSERT_TRUE(XmlChildText(back.Root(), QStringLiteral("T"), t));
    EXPECT_EQ(t, QStringLiteral("Grüße ¶ °C"));
}

TEST(XmlDocument, ParseErrorNamesFileAndPlaceAndLeavesDocumentEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.xml"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<R>\n<A>1</B>\n</R>");
    f.close();
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadBytes("<R/>"));
    EXPECT_FALSE(doc.Load(path));
    EXPECT_TRUE(doc.ErrorText().contains(path));
    EXPECT_TRUE(doc.ErrorText().contains(QStringLiteral("line 2")));
    EXPECT_FALSE(doc.Root());

    EXPECT_FALSE(doc.Load(dir.filePath(QStringLiteral("missing.xml"))));
    EXPECT_TRUE(doc.ErrorText().contains(QStringLiteral("missing.xml")));
}

TEST(XmlDocument, DocumentLevelMustBeWellFormed)
{
    const std::pair<const char*, bool> cases[] = {
        {"<a/>", true},
        {"<?xml version=\"1.0\"?>\n<a/>\n<!--c-->\n", true},
        {"<!--c--><a/><?pi x?>", true},
        {"  \r\n<a/>  ", true},
        {"<a/><b/>", false},
        {"<a/><a/>", false},
        {"text<a/>", false},
        {"<a/>tail", false},
        {"<a/><?xml version=\"1.0\"?>", false},
        {"", false},
        {"<!--only a comment-->", false},
        {"<a>1 < 2</a>", false},
    };
    for (const auto& [text, ok] : cases) {
        XmlDocument doc;
        EXPECT_EQ(doc.LoadBytes(text, QStringLiteral("f.xml")), ok) << '"' << text << '"';
        if (!ok) {
            EXPECT_TRUE(doc.ErrorText().startsWith(QStringLiteral("f.xml: "))) << doc.ErrorText().toStdString();
            EXPECT_FALSE(doc.Root());
        }
    }
}

TEST(XmlDocument, FailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.xml"));
    XmlDocument doc;
    XmlAppendElement(doc.Doc(), QStringLiteral("Old"));
    ASSERT_TRUE(doc.Save(path));
    const QByteArray before = ReadAll(path);

    XmlDocument big;
    pugi::xml_node root = XmlAppendElement(big.Doc(), QStringLiteral("New"));
    for (int i = 0; i < 200; ++i)
        XmlAppendTextElement(root, QStringLiteral("Value"), QStringLiteral("0123456789"));
    {
        FileSizeLimit limit(512);
        EXPECT_FALSE(big.Save(path));
    }
    EXPECT_TRUE(big.ErrorText().contains(path));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.xml")});

    EXPECT_FALSE(big.Save(dir.filePath(QStringLiteral("no/such/folder.xml"))));
}

} // namespace
