#pragma once
// ParGen.xml to and from the window's control values, walking the element
// table for the device type.
#include <QList>
#include <QString>

class ParGenValues;
class XmlDocument;

// One value put into one control.
struct ParGenAssignment
{
    QString control;
    QString value;
    bool operator==(const ParGenAssignment&) const = default;
};

// What loading puts into the controls, in order: from doc, or with doc null
// the values of a project without ParGen.xml. Controls the type does not load
// (type 21's byte count and auto calculation) get nothing.
QList<ParGenAssignment> ParGenLoadAssignments(const XmlDocument* doc, int type);

// Replaces doc with a new ParGen.xml: the root Par_Gen, the version comment
// and the type's elements, from the control values.
void ParGenBuildDocument(XmlDocument& doc, int type, const ParGenValues& values);
