#pragma once
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

// An XML document that behaves like the project files expect: declarations,
// comments and processing instructions are kept as nodes, the root is simply
// the document's first child node (whatever its kind), and saving writes the
// nodes raw, with no declaration added, replacing the file atomically.
class XmlDocument
{
public:
    // Replaces the content with the file's. On failure the document is empty
    // and ErrorText() holds the parser's or the file system's message.
    bool Load(const QString& path);
    bool LoadBytes(const QByteArray& bytes, const QString& name = QString());
    // Writes the document raw (UTF-8, no declaration) over path.
    bool Save(const QString& path);
    QByteArray ToBytes() const;

    void Clear();
    const QString& ErrorText() const { return m_error; }

    // Loads keep an element's text made only of blanks (dropped by default).
    void KeepBlankText(bool on) { m_keepBlankText = on; }

    // The first child node of the document; empty when the document is empty.
    pugi::xml_node Root() const { return m_doc.first_child(); }
    pugi::xml_document& Doc() { return m_doc; }
    const pugi::xml_document& Doc() const { return m_doc; }

private:
    pugi::xml_document m_doc;
    QString m_error;
    bool m_keepBlankText = false;
};

// The first child element of parent named exactly name (case-sensitive).
pugi::xml_node XmlChild(pugi::xml_node parent, const QString& name);

// The text of an element: empty when it has no child, the value of its one
// text or CDATA child; false (text untouched) for anything else, such as a
// missing node or an element holding other elements.
bool XmlElementText(pugi::xml_node element, QString& text);

// Text of the child element name of parent, or false when it is missing or
// has no plain text (see XmlElementText).
bool XmlChildText(pugi::xml_node parent, const QString& name, QString& text);

// Attribute value; false when the attribute is absent.
bool XmlAttr(pugi::xml_node node, const QString& name, QString& value);
QString XmlAttrOr(pugi::xml_node node, const QString& name, const QString& def = QString());

// Builders.
pugi::xml_node XmlAppendElement(pugi::xml_node parent, const QString& name);
pugi::xml_node XmlAppendTextElement(pugi::xml_node parent, const QString& name, const QString& text);
void XmlSetAttr(pugi::xml_node node, const QString& name, const QString& value);
void XmlAppendComment(pugi::xml_node parent, const QString& text);

inline QString XmlQ(const char* utf8) { return QString::fromUtf8(utf8); }
