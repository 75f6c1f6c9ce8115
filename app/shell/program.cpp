#include "program.h"

#include "device_type.h"
#include "language.h"
#include "settings.h"
#include "workspace.h"
#include "xml_document.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QWidget>

int RunProgram()
{
    SetProgramFolders(ProgramFolder());
    for (const QString& d : {ProjectsDir, MasterDir, LanguageDir})
        QDir().mkpath(d);
    XmlDocument xml;
    Read_Settings(xml);
    Load_Language();
    QWidget window;
    window.setWindowTitle(MainCaptionOf(DeviceType));
    auto* code = new QLabel(SoftwareCodeOf(DeviceType), &window);
    code->move(16, 8);
    window.resize(694, 372);
    window.show();
    const int rc = QApplication::exec();
    Save_Setting(xml);
    return rc;
}
