// Bytes as SDO_Server_CANopen.xml into the EDS file: a message, or a file
// that passes the strict INI and consistency check.
#include "generator_fuzz.h"

#include "generators/eds_writer.h"
#include "tests/generators/eds_check.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OpenFuzzProject();
    QFile::remove(File_PDO_CANopen);
    WriteFuzzFile(File_SDO_Server_CANopen, data, size);
    const gen::Output out = gen::Make_EDS_From_Project(8, File_PDO_CANopen, File_SDO_Server_CANopen,
                                                       QDateTime(QDate(2019, 8, 1), QTime(0, 5)));
    if (!out.Ok())
        return 0;
    RequireAsciiCrLf(out.bytes);
    Require(edscheck::CheckEds(out.bytes).isEmpty());
    return 0;
}
