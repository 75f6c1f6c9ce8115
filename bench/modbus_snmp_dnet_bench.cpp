// Compiling a full-size project of the serial Modbus, Modbus TCP, SNMP trap
// and DeviceNet master models (every table at its maximum row count), beside
// the time to only parse the same XML files. Each Compile row carries the
// parse time of its project and the ratio of the two.
//
// The fixture projects are written into a temporary folder at start. The
// heap keeps the memory it frees (no trimming, no per-block mappings): where
// page faults are dear, as on virtual machines, the figures would otherwise
// depend on where the allocator happened to return memory to the system
// rather than on the work done. ORVANO_BENCH_DEFAULT_HEAP=1 keeps the
// allocator's own policy.
#include "compiler.h"
#include "device_type.h"
#include "workspace.h"
#include "xml_document.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

// --- fixture files ----------------------------------------------------------

QByteArray ParGenFile(const char* mapType)
{
    QByteArray x = "<Par_Gen>";
    auto add = [&](const char* name, const char* text) {
        x += QByteArray("<") + name + ">" + text + "</" + name + ">\n";
    };
    add("PROFINET_IP1", "192");
    add("PROFINET_IP2", "168");
    add("PROFINET_IP3", "0");
    add("PROFINET_IP4", "20");
    add("PROFINET_SM1", "255");
    add("PROFINET_SM2", "255");
    add("PROFINET_SM3", "255");
    add("PROFINET_SM4", "0");
    add("PROFINET_EN_GAT", "1");
    add("PROFINET_NAME_STA", "devicename1");
    add("PROFINET_NB_IN", "1024");
    add("PROFINET_NB_OUT", "1024");
    add("MODBUS_MASTER_BAUDRATE", "7");
    add("MODBUS_MASTER_NB_IN", "1024");
    add("MODBUS_MASTER_NB_OUT", "1024");
    add("MODBUS_TCP_MASTER_NB_IN", "1024");
    add("MODBUS_TCP_MASTER_NB_OUT", "1024");
    add("SNMP_VERSION3", "1");
    add("SNMP_VER3_USER", "admin");
    add("SNMP_VER3_SECURITY_LEVEL", "Auth Priv");
    add("SNMP_VER3_AUTHORITY_MODE", "SHA");
    add("SNMP_VER3_PRIVACY_MODE", "AES");
    add("SNMP_MapType", mapType);
    return x + "</Par_Gen><!--SW_VERSION = 1.000-->";
}

QByteArray Section(const char* name, int rows, const QByteArray& row)
{
    QByteArray x = QByteArray("<") + name + ">\n";
    for (int i = 0; i < rows; ++i) {
        QByteArray r = row;
        r.replace("%i", QByteArray::number(i));
        x += r;
    }
    return x + "</" + name + ">\n";
}

QByteArray ModbusFile()
{
    const QByteArray read = "<row Slave_ID=\"1\" Type=\"Holding Register\" Address=\"%i\" NPoint=\"1\" PollTime=\"100\" "
                            "MaxError=\"3\" Position=\"0\" Bit=\"0\" Swap=\"N\" Swap_Word=\"N\" Format_SNMP=\"Byte\" "
                            "Mnemonic=\"read %i\"/>\n";
    const QByteArray write = "<row Slave_ID=\"2\" Type=\"Coil Status\" Address=\"%i\" NPoint=\"8\" PollTime=\"100\" "
                             "OnChange=\"Y\" MaxError=\"3\" Position=\"1\" Bit=\"0\" Swap=\"N\" Swap_Word=\"N\" "
                             "Format_SNMP=\"Byte\" Mnemonic=\"write %i\"/>\n";
    return "<EtherNetIP_to_Modbus>\n" + Section("Modbus_Read", 512, read) + Section("Modbus_Write", 512, write)
           + "</EtherNetIP_to_Modbus><!--SW_VERSION = 1.000-->";
}

QByteArray ModbusTcpFile()
{
    const QByteArray read = "<row IP_Address=\"192.168.0.%i\" Port=\"502\" Slave_ID=\"1\" Type=\"Input Register\" "
                            "Address=\"%i\" NPoint=\"1\" PollTime=\"100\" MaxError=\"3\" Position=\"0\" Bit=\"0\" "
                            "Swap=\"N\" Swap_Word=\"N\" Format_SNMP=\"Byte\" Mnemonic=\"read %i\"/>\n";
    const QByteArray write = "<row IP_Address=\"10.0.0.1\" Port=\"502\" Slave_ID=\"2\" Type=\"Holding Register\" "
                             "Address=\"%i\" NPoint=\"2\" PollTime=\"100\" OnChange=\"N\" MaxError=\"3\" "
                             "Position=\"1\" Bit=\"0\" Swap=\"N\" Swap_Word=\"Y\" Format_SNMP=\"Byte\" "
                             "Mnemonic=\"write %i\"/>\n";
    return "<PROFINET_Master_to_Modbus_TCP_Master>\n" + Section("Modbus_Read", 480, read)
           + Section("Modbus_Write", 480, write) + "</PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.000-->";
}

QByteArray SnmpTrapFile()
{
    const QByteArray read = "<row Enable=\"Y\" Community_Name=\"public\" Type=\"Int\" On_Change=\"Y\" On_Command=\"N\" "
                            "On_Timer=\"Y\" Time=\"1000\" Position=\"%i\" Bit=\"0\" NumBits=\"16\" "
                            "Description=\"value %i\" IP_Address=\"192.168.0.20\" Conversion=\"Float / 10\" "
                            "Mnemonic=\"m%i\"/>\n";
    const QByteArray write = "<row Enable=\"Y\" Community_Name=\"private\" Type=\"String\" Position=\"%i\" Bit=\"0\" "
                             "NumBits=\"4\" Description=\"setpoint %i\" Conversion=\"None\" Mnemonic=\"m%i\"/>\n";
    return "<SNMP_Trap>\n" + Section("SNMP_Trap_Read", 256, read) + Section("SNMP_Trap_Write", 256, write)
           + "</SNMP_Trap><!--SW_VERSION = 1.000-->";
}

// 64 slaves of 24 input and 24 output bytes, every byte mapped: both maps full.
QByteArray DNetFile()
{
    QByteArray x = "<DNET_Net>\n";
    for (int i = 0; i < 64; ++i)
        x += "<row ID=\"" + QByteArray::number(i) + "\" NB_IN=\"24\" NB_OUT=\"24\" Reset_DeviceNet=\"Y\" "
             "Reset_PROFINET=\"N\" Mnemonic=\"slave\"/>\n";
    return x + "</DNET_Net><!--SW_VERSION = 1.000-->";
}

QByteArray DNetOffsetsFile()
{
    QByteArray x = "<Define_Offset>\n";
    for (int i = 0; i < 64; ++i) {
        x += "<Nodo_DNET>\n";
        for (const char* dir : {"ByteIN", "ByteOUT"}) {
            x += QByteArray("<") + dir + ">\n";
            for (int j = 0; j < 24; ++j)
                x += "<row Offset=\"" + QByteArray::number(i * 24 + j) + "\" Mnemonic=\"b\"/>\n";
            x += QByteArray("</") + dir + ">\n";
        }
        x += "</Nodo_DNET>\n";
    }
    return x + "</Define_Offset><!--SW_VERSION = 1.000-->";
}

// --- projects ---------------------------------------------------------------

// A u32 of the general block that shows the tables were read in full.
struct Count
{
    int offset;   // in bank.bin
    uint32_t value;
};

struct Project
{
    int type;
    const char* mapType;
    QList<QString*> files;   // the project files it has
    QList<Count> counts;
};

const Project kProjects[] = {
    {4, "0", {&File_ParGen, &File_ModbusM_SetAccess}, {{72, 1024}}},
    {18, "1", {&File_ParGen, &File_ModbusM_SetAccess, &File_SNMP_Trap}, {{24576 + 72, 1024}, {24576 + 416, 256}}},
    {1018, "0", {&File_ParGen, &File_ModbusM_SetAccess, &File_SNMP_Trap}, {{24576 + 72, 1024}, {24576 + 420, 256}}},
    {16, "1", {&File_ParGen, &File_SNMP_Trap}, {{416, 256}, {420, 256}}},
    {11, "0", {&File_ParGen, &File_ModbusTCPM_SetAccess}, {{72, 960}}},
    {19, "1", {&File_ParGen, &File_ModbusTCPM_SetAccess, &File_SNMP_Trap}, {{24576 + 72, 960}, {24576 + 416, 256}}},
    {20, "1", {&File_ParGen, &File_SNMP_Trap}, {{416, 256}, {420, 256}}},
    {1, "0", {&File_ParGen, &File_DNETM_Net, &File_DNETM_DefOff}, {{14336 + 124, 64}, {14336 + 136, 1536}, {14336 + 140, 1536}}},
};

// Are the project's tables full in its bank.bin?
bool Full(const Project& p, const QList<BankFile>& files)
{
    for (const BankFile& f : files) {
        if (f.name != QLatin1String("bank.bin"))
            continue;
        for (const Count& c : p.counts) {
            uint32_t v = 0;
            for (int i = 3; i >= 0; --i)
                v = (v << 8) | static_cast<uint8_t>(f.bytes[c.offset + i]);
            if (v != c.value)
                return false;
        }
        return true;
    }
    return false;
}

QTemporaryDir* g_dir = nullptr;

QByteArray Content(QString* file, const char* mapType)
{
    if (file == &File_ParGen)
        return ParGenFile(mapType);
    if (file == &File_ModbusM_SetAccess)
        return ModbusFile();
    if (file == &File_ModbusTCPM_SetAccess)
        return ModbusTcpFile();
    if (file == &File_SNMP_Trap)
        return SnmpTrapFile();
    if (file == &File_DNETM_Net)
        return DNetFile();
    return DNetOffsetsFile();
}

// Writes the project's files into its own folder and points the workspace at it.
void Open(const Project& p)
{
    ResetWorkspace();
    DeviceType = p.type;
    ProjectPath = g_dir->path() + QStringLiteral("/P%1").arg(p.type);
    static std::map<int, bool> written;
    for (QString* file : p.files) {
        const ProjectFile* pf = nullptr;
        for (const ProjectFile& f : ProjectFiles)
            if (f.path == file)
                pf = &f;
        *file = ProjectPath + QLatin1Char('/') + QLatin1String(pf->fileName);
    }
    if (written[p.type])
        return;
    written[p.type] = true;
    QDir().mkpath(ProjectPath);
    for (QString* file : p.files) {
        QFile f(*file);
        if (!f.open(QIODevice::WriteOnly) || f.write(Content(file, p.mapType)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(*file));
            std::exit(1);
        }
    }
}

void Parse(const Project& p)
{
    for (QString* file : p.files) {
        XmlDocument doc;
        if (!doc.Load(*file)) {
            std::fprintf(stderr, "%s\n", qPrintable(doc.ErrorText()));
            std::exit(1);
        }
        benchmark::DoNotOptimize(doc.Root());
    }
}

// Mean time of one parse of the project's files, in microseconds.
double ParseMicroseconds(const Project& p)
{
    using Clock = std::chrono::steady_clock;
    Parse(p);   // warm the file cache
    int n = 0;
    const auto start = Clock::now();
    auto now = start;
    do {
        Parse(p);
        ++n;
        now = Clock::now();
    } while (now - start < std::chrono::milliseconds(300));
    return std::chrono::duration<double, std::micro>(now - start).count() / n;
}

void BM_Parse(benchmark::State& state, const Project* p)
{
    Open(*p);
    for (auto _ : state)
        Parse(*p);
}

void BM_Compile(benchmark::State& state, const Project* p)
{
    Open(*p);
    QList<BankFile> files;
    QString error;
    if (!Build_Banks(p->type, files, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    if (!Full(*p, files)) {
        state.SkipWithError("the tables are not full");
        return;
    }
    const double parse = ParseMicroseconds(*p);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (auto _ : state) {
        Build_Banks(p->type, files, &error);
        benchmark::DoNotOptimize(files);
    }
    const double compile =
        std::chrono::duration<double, std::micro>(Clock::now() - start).count() / static_cast<double>(state.iterations());
    state.counters["parse_us"] = parse;
    state.counters["compile/parse"] = compile / parse;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("ORVANO_BENCH_DEFAULT_HEAP")) {
        mallopt(M_TRIM_THRESHOLD, 256 << 20);
        mallopt(M_MMAP_THRESHOLD, 64 << 20);
    }
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    g_dir = &dir;
    for (const Project& p : kProjects) {
        const QString name = QStringLiteral("type %1").arg(p.type);
        benchmark::RegisterBenchmark(("Parse/" + name).toStdString().c_str(), BM_Parse, &p)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Compile/" + name).toStdString().c_str(), BM_Compile, &p)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_dir = nullptr;
    return 0;
}
