#include "par_gen_codec.h"

#include "helpers.h"
#include "int_text.h"
#include "par_gen_controls.h"
#include "par_gen_elements.h"
#include "par_gen_values.h"
#include "xml_document.h"

namespace {

const QString kSingleSlave = QStringLiteral("RB_WM_Single_Slave_Mbus");
const QString kNormal = QStringLiteral("RB_WM_Normal_Mbus");

int ItemCount(const char* control)
{
    const ParControlDef* def = FindParControl(QString::fromLatin1(control));
    return def ? int(ParComboItems(*def).size()) : 0;
}

// The element's text: read from the file, or its default (or its value for a
// project without a file).
QString ElementText(const XmlDocument* doc, const ParGenElement& e, bool* found = nullptr)
{
    QString text;
    const bool read = doc && e.load == ParLoad::Read
                      && ReadParGenElement(*doc, QString::fromLatin1(e.element), text);
    if (found)
        *found = read;
    if (read)
        return text;
    if (!doc && e.noFileDef)
        return QString::fromLatin1(e.noFileDef);
    return QString::fromLatin1(e.def ? e.def : "");
}

// The control value an element text stands for.
QString ControlValue(const ParGenElement& e, const QString& text)
{
    switch (e.form) {
    case ParForm::Flag:
        return text == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    case ParForm::ItemIndex: {
        int32_t index;
        if (!TryStrToInt(text, index) || index < 0 || index >= ItemCount(e.control))
            index = StrToIntDef(QString::fromLatin1(e.def), 0);
        return QString::number(index);
    }
    case ParForm::SecurityLevel:
        return QString::number(Get_SNMP_Security_Level(text));
    case ParForm::AuthMode:
        return QString::number(Get_SNMP_Auth_Mode(text));
    case ParForm::PrivacyMode:
        return QString::number(Get_SNMP_Privacy_Mode(text));
    case ParForm::DmxDirection:
        return text == QLatin1String("0") ? QStringLiteral("0") : QStringLiteral("1");
    default:
        return text;
    }
}

const ParGenElement* DmxCountRow(int type, bool out)
{
    for (const ParGenElement* e : ParGenElementsOf(type)) {
        if (e->form == (out ? ParForm::DmxCountOut : ParForm::DmxCountIn))
            return e;
    }
    return nullptr;
}

// The element text written for a row.
QString WrittenText(const ParGenElement& e, const ParGenValues& values)
{
    if (e.fixedText)
        return QString::fromLatin1(e.fixedText);
    const QString control = QString::fromLatin1(e.control);
    const QString value = values.Value(control);
    switch (e.form) {
    case ParForm::SecurityLevel:
    case ParForm::AuthMode:
    case ParForm::PrivacyMode: {
        const ParControlDef* def = FindParControl(control);
        const QStringList items = def ? ParComboItems(*def) : QStringList();
        return items.value(StrToIntDef(value, -1));
    }
    case ParForm::Version:
        return value == QString::number(e.item) ? QStringLiteral("1") : QStringLiteral("0");
    case ParForm::WorkingMode:
    case ParForm::Flag:
        return value == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    case ParForm::ItemIndex:
    case ParForm::DmxDirection:
        return QString::number(StrToIntDef(value, -1));
    case ParForm::DmxCountOut:
    case ParForm::DmxCountIn: {
        const bool out = values.Value(QStringLiteral("CB_DMX_DMX")) != QLatin1String("0");
        return out == (e.form == ParForm::DmxCountOut) ? value : QStringLiteral("1");
    }
    default:
        return value;
    }
}

} // namespace

QList<ParGenAssignment> ParGenLoadAssignments(const XmlDocument* doc, int type)
{
    QList<ParGenAssignment> out;
    for (const ParGenElement* e : ParGenElementsOf(type)) {
        if (e->load == ParLoad::Skip)
            continue;
        const QString control = QString::fromLatin1(e->control);
        switch (e->form) {
        case ParForm::Version: {
            // The version box starts at "3"; each version flag set picks its item.
            if (e->item == 0)
                out.append({control, QStringLiteral("2")});
            bool found = false;
            const QString text = ElementText(doc, *e, &found);
            if (found && text == QLatin1String("1"))
                out.append({control, QString::number(e->item)});
            break;
        }
        case ParForm::WorkingMode:
            out.append({ElementText(doc, *e) == QLatin1String("1") ? kSingleSlave : kNormal, QStringLiteral("1")});
            break;
        case ParForm::DmxCountOut:
        case ParForm::DmxCountIn:
            break;  // loaded with the direction
        case ParForm::DmxDirection: {
            const QString direction = ControlValue(*e, ElementText(doc, *e));
            out.append({control, direction});
            if (const ParGenElement* count = DmxCountRow(type, direction == QLatin1String("1")))
                out.append({QString::fromLatin1(count->control), ElementText(doc, *count)});
            break;
        }
        default:
            out.append({control, ControlValue(*e, ElementText(doc, *e))});
            break;
        }
    }
    return out;
}

void ParGenBuildDocument(XmlDocument& doc, int type, const ParGenValues& values)
{
    doc.Clear();
    pugi::xml_node root = XmlAppendElement(doc.Doc(), QStringLiteral("Par_Gen"));
    XmlAppendComment(doc.Doc(), ParGenVersionComment(type));
    for (const ParGenElement* e : ParGenElementsOf(type))
        XmlAppendTextElement(root, QString::fromLatin1(e->element), WrittenText(*e, values));
}
