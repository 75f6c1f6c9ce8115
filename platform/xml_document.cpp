#include "xml_document.h"

#include "atomic_file.h"

#include <QFile>

namespace {

// Parsed as a fragment so that text outside the root is kept and can be
// refused; the document level is checked after parsing.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments
                                 | pugi::parse_pi | pugi::parse_doctype | pugi::parse_fragment;

// A well-formed document has exactly one root element, no text beside it,
// and a declaration only at its very start. Returns the problem, or empty.
QString DocumentLevelProblem(const pugi::xml_document& doc)
{
    int elements = 0;
    bool first = true;
    for (pugi::xml_node n : doc.children()) {
        switch (n.type()) {
        case pugi::node_element:
            if (++elements > 1)
                return QStringLiteral("more than one top-level element (\"%1\")").arg(QString::fromUtf8(n.name()));
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            return QStringLiteral("text outside the root element");
        case pugi::node_declaration:
            if (!first)
                return QStringLiteral("an XML declaration that is not at the start");
            break;
        default:
            break;
        }
        first = false;
    }
    return elements == 0 ? QStringLiteral("No document element found") : QString();
}

QString LineColumn(const QByteArray& bytes, ptrdiff_t offset)
{
    int line = 1, column = 1;
    for (qsizetype i = 0; i < qsizetype(offset) && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

struct ByteWriter : pugi::xml_writer
{
    QByteArray out;
    void write(const void* data, size_t size) override
    {
        out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

} // namespace

bool XmlDocument::Load(const QString& path)
{
    Clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Cannot open the file %1: %2").arg(path, file.errorString());
        return false;
    }
    return LoadBytes(file.readAll(), path);
}

bool XmlDocument::LoadBytes(const QByteArray& bytes, const QString& name)
{
    Clear();
    const pugi::xml_parse_result result =
        m_doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()),
                          kParseFlags | (m_keepBlankText ? pugi::parse_ws_pcdata_single : 0u));
    const QString file = name.isEmpty() ? QStringLiteral("XML") : name;
    if (result) {
        const QString problem = DocumentLevelProblem(m_doc);
        if (problem.isEmpty())
            return true;
        m_error = QStringLiteral("%1: %2").arg(file, problem);
    } else {
        m_error = QStringLiteral("%1: %2 at %3")
                      .arg(file, QString::fromUtf8(result.description()), LineColumn(bytes, result.offset));
    }
    m_doc.reset();
    return false;
}

QByteArray XmlDocument::ToBytes() const
{
    ByteWriter writer;
    m_doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return writer.out;
}

bool XmlDocument::Save(const QString& path)
{
    m_error.clear();
    return WriteFileAtomically(path, ToBytes(), &m_error);
}

void XmlDocument::Clear()
{
    m_doc.reset();
    m_error.clear();
}

pugi::xml_node XmlChild(pugi::xml_node parent, const QString& name)
{
    const QByteArray n = name.toUtf8();
    return parent.child(n.constData());
}

bool XmlElementText(pugi::xml_node element, QString& text)
{
    if (!element || element.type() != pugi::node_element)
        return false;
    pugi::xml_node child = element.first_child();
    if (!child) {
        text.clear();
        return true;
    }
    if (child.next_sibling())
        return false;
    if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata)
        return false;
    text = QString::fromUtf8(child.value());
    return true;
}

bool XmlChildText(pugi::xml_node parent, const QString& name, QString& text)
{
    return XmlElementText(XmlChild(parent, name), text);
}

bool XmlAttr(pugi::xml_node node, const QString& name, QString& value)
{
    const QByteArray n = name.toUtf8();
    pugi::xml_attribute a = node.attribute(n.constData());
    if (!a)
        return false;
    value = QString::fromUtf8(a.value());
    return true;
}

QString XmlAttrOr(pugi::xml_node node, const QString& name, const QString& def)
{
    QString v;
    return XmlAttr(node, name, v) ? v : def;
}

pugi::xml_node XmlAppendElement(pugi::xml_node parent, const QString& name)
{
    return parent.append_child(name.toUtf8().constData());
}

pugi::xml_node XmlAppendTextElement(pugi::xml_node parent, const QString& name, const QString& text)
{
    pugi::xml_node e = XmlAppendElement(parent, name);
    if (!text.isEmpty())
        e.append_child(pugi::node_pcdata).set_value(text.toUtf8().constData());
    return e;
}

void XmlSetAttr(pugi::xml_node node, const QString& name, const QString& value)
{
    const QByteArray n = name.toUtf8();
    pugi::xml_attribute a = node.attribute(n.constData());
    if (!a)
        a = node.append_attribute(n.constData());
    a.set_value(value.toUtf8().constData());
}

void XmlAppendComment(pugi::xml_node parent, const QString& text)
{
    parent.append_child(pugi::node_comment).set_value(text.toUtf8().constData());
}
