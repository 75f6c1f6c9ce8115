#include "modbus_poll_count.h"

#include "xml_document.h"

#include <QFileInfo>

namespace {

int ChildCount(pugi::xml_node node)
{
    int n = 0;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        ++n;
    return n;
}

} // namespace

bool CountModbusPollBlocks(const QString& path, int& blocks, QString& error)
{
    blocks = 0;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return true;
    XmlDocument doc;
    if (!doc.Load(path)) {
        error = doc.ErrorText();
        return false;
    }
    const pugi::xml_node root = doc.Root();
    const int rows = ChildCount(XmlChild(root, QStringLiteral("Modbus_Read")))
                     + ChildCount(XmlChild(root, QStringLiteral("Modbus_Write")));
    blocks = (rows + 7) / 8;
    return true;
}
