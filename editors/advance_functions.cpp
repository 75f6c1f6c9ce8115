#include "editors/advance_functions.h"

#include "build/compiler/compile_error.h"
#include "build/compiler/par_gen_reader.h"
#include "int_text.h"
#include "language.h"
#include "messages.h"
#include "workspace.h"
#include "xml_document.h"

#include <QFileInfo>

namespace editors {

namespace {

using grid::TEditorType;

struct DiagColumn
{
    int header;
    int width;
    TEditorType editor;
    bool readOnly;
    const char* items;
};

constexpr DiagColumn kStatusColumns[] = {
    {824, 30, grid::edNormal, true, nullptr},
    {825, 95, grid::edNormal, true, nullptr},
    {826, 95, grid::edComboList, false, "Enable|Disable"},
    {827, 385, grid::edNormal, true, nullptr},
};
constexpr DiagColumn kErrorColumns[] = {
    {829, 30, grid::edNormal, true, nullptr},
    {830, 110, grid::edNormal, true, nullptr},
    {831, 465, grid::edNormal, true, nullptr},
};

// A section of ModbusM_SetAccess.xml as the descriptions name its polls.
struct PollSection
{
    const char* name;
    int kindText;
    int headers[5];
};
constexpr const char* kDescribedAttributes[5] = {"Slave_ID", "Type", "Address", "NPoint", "Mnemonic"};
constexpr PollSection kPollSections[] = {
    {"Modbus_Read", 849, {256, 257, 258, 259, 264}},
    {"Modbus_Write", 850, {266, 267, 268, 269, 275}},
};

// The ParGen.xml elements of the address, with the part each gives when missing.
struct AddressPart
{
    const char* element;
    const char* missing;
};
constexpr AddressPart kAddressParts[4] = {
    {"PROFINET_IP1", "192"}, {"PROFINET_IP2", "168"}, {"PROFINET_IP3", "0"}, {"PROFINET_IP4", "5"}};

template <size_t N>
std::unique_ptr<grid::TExColumnGrid> MakeGrid(const DiagColumn (&columns)[N])
{
    auto g = std::make_unique<grid::TExColumnGrid>();
    g->SetColCount(int(N));
    g->SetRowCount(kDiagnosticsPolls + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->EnableHTML = false;
    grid::TGridOptions o = g->Options();
    o.Include(grid::goEditing);
    o.Include(grid::goColSizing);
    g->SetOptions(o);
    for (size_t c = 0; c < N; ++c) {
        grid::TGridColumnItem* item = g->Columns()[int(c)];
        item->SetEditor(columns[c].editor);
        item->ReadOnly = columns[c].readOnly;
        if (columns[c].items)
            item->ComboItems = QString::fromLatin1(columns[c].items).split(QLatin1Char('|'));
        item->SetWidth(columns[c].width);
    }
    g->Loaded();
    return g;
}

template <size_t N>
void SetHeaders(grid::TExColumnGrid& g, const DiagColumn (&columns)[N])
{
    for (size_t c = 0; c < N; ++c)
        g.Columns()[int(c)]->SetHeader(Lang(columns[c].header));
}

void FillColumn(grid::TExColumnGrid& g, int col, const QString& text)
{
    for (int r = 1; r < g.RowCount(); ++r)
        g.SetCellEx(col, r, text);
}

// What a reply writes into the window.
class WindowSink : public ReplySink
{
public:
    WindowSink(grid::TExColumnGrid& status, grid::TExColumnGrid& errors, QString& transparent)
        : status_(status), errors_(errors), transparent_(transparent)
    {
    }
    void PollStatus(int poll, bool disabled) override
    {
        status_.SetCellEx(ColReadStatus, poll + 1,
                          disabled ? QStringLiteral("Disable") : QStringLiteral("Enable"));
    }
    void PollErrors(int poll, uint32_t errors) override
    {
        errors_.SetCellEx(ColReadErrors, poll + 1, QString::number(errors));
    }
    void TransparentMode(bool enabled) override { transparent_ = Lang(enabled ? 852 : 851); }

private:
    grid::TExColumnGrid& status_;
    grid::TExColumnGrid& errors_;
    QString& transparent_;
};

} // namespace

AdvanceFunctions::AdvanceFunctions(DiagnosticsPorts ports, QObject* parent)
    : QObject(parent), ports_(ports), status_(MakeGrid(kStatusColumns)), errors_(MakeGrid(kErrorColumns))
{
    Set_Lang();
}

AdvanceFunctions::~AdvanceFunctions()
{
    endpoint_.Close();
}

void AdvanceFunctions::Set_Lang()
{
    SetHeaders(*status_, kStatusColumns);
    SetHeaders(*errors_, kErrorColumns);
}

void AdvanceFunctions::SetAddress(const QString& text)
{
    if (text == address_)
        return;
    address_ = text;
    // Values read from one converter are not shown for another.
    peer_.clear();
    ClearReadColumns();
    emit AddressChanged(address_);
}

void AdvanceFunctions::ClearReadColumns()
{
    FillColumn(*status_, ColReadStatus, QString());
    FillColumn(*errors_, ColReadErrors, QString());
    SetTransparentStatus(QString());
}

void AdvanceFunctions::SetTransparentStatus(const QString& text)
{
    if (text == transparent_)
        return;
    transparent_ = text;
    emit TransparentStatusChanged(transparent_);
}

bool AdvanceFunctions::FormShow()
{
    Last_CMD = CmdNone;
    peer_.clear();
    ClearReadColumns();
    QString error;
    if (!endpoint_.Open(QHostAddress(QHostAddress::Any), ports_.local, &error)) {
        Messages::Error(error);
        return false;
    }
    endpoint_.StartReceiving(this, [this](const UdpDatagram& d) { HandleDatagram(d); });
    SetAddress(ReadConverterAddress());
    FillColumn(*status_, ColWriteStatus, QStringLiteral("Enable"));
    FillColumn(*status_, ColStatusDescription, QString());
    FillColumn(*errors_, ColErrorsDescription, QString());
    LoadDescriptions();
    return true;
}

void AdvanceFunctions::FormClose()
{
    endpoint_.Close();
}

QString AdvanceFunctions::ReadConverterAddress() const
{
    QStringList parts;
    for (const AddressPart& p : kAddressParts)
        parts.append(QString::fromLatin1(p.missing));
    if (File_ParGen.isEmpty() || !QFileInfo::exists(File_ParGen))
        return QString::fromLatin1(kDefaultConverterAddress);
    try {
        const ParGen pg(File_ParGen);
        for (int i = 0; i < 4; ++i)
            parts[i] = pg.TextOr(kAddressParts[i].element, parts[i]);
    } catch (const CompileError& e) {
        Messages::Error(e.Message());
    }
    return parts.join(QLatin1Char('.'));
}

void AdvanceFunctions::LoadDescriptions()
{
    const QString& path = File_ModbusM_SetAccess;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    XmlDocument doc;
    if (!doc.Load(path)) {
        Messages::Error(doc.ErrorText());
        return;
    }
    const QString sep = QStringLiteral("; ");
    int poll = 0;
    for (const PollSection& section : kPollSections) {
        const pugi::xml_node parent = XmlChild(doc.Root(), QString::fromLatin1(section.name));
        for (pugi::xml_node row = parent.first_child(); row && poll < kDiagnosticsPolls; row = row.next_sibling()) {
            if (row.type() != pugi::node_element)
                continue;
            QString text = Lang(section.kindText) + sep;
            for (int a = 0; a < 5; ++a)
                text += Lang(section.headers[a]) + QStringLiteral(" = ") +
                        XmlAttrOr(row, QString::fromLatin1(kDescribedAttributes[a])) + sep;
            ++poll;
            status_->SetCellEx(ColStatusDescription, poll, text);
            errors_->SetCellEx(ColErrorsDescription, poll, text);
        }
    }
}

bool AdvanceFunctions::Send(const QByteArray& datagram)
{
    QHostAddress to;
    QString error;
    if (!UdpEndpoint::Resolve(address_, to, &error) || !endpoint_.Send(to, ports_.converter, datagram, &error)) {
        Messages::Error(error);
        return false;
    }
    peer_ = to;
    return true;
}

bool AdvanceFunctions::ReadStatus()
{
    Last_CMD = CmdReadStatus;
    return Send(ReadStatusRequest());
}

bool AdvanceFunctions::WriteStatus()
{
    QStringList states;
    states.reserve(kDiagnosticsPolls);
    for (int r = 1; r < status_->RowCount(); ++r)
        states.append(status_->Cells(ColWriteStatus, r));
    return Send(WriteStatusRequest(states));
}

void AdvanceFunctions::CopyStatus()
{
    for (int r = 1; r < status_->RowCount(); ++r) {
        const QString read = status_->Cells(ColReadStatus, r);
        if (read == QLatin1String("Enable") || read == QLatin1String("Disable"))
            status_->SetCellEx(ColWriteStatus, r, read);
    }
}

bool AdvanceFunctions::ReadErrors()
{
    Last_CMD = CmdReadErrors;
    return Send(ReadErrorsRequest());
}

bool AdvanceFunctions::WriteTransparent(bool enable)
{
    return Send(WriteTransparentRequest(enable));
}

bool AdvanceFunctions::ReadTransparent()
{
    Last_CMD = CmdReadTransparent;
    SetTransparentStatus(QStringLiteral("--"));
    return Send(ReadTransparentRequest());
}

bool AdvanceFunctions::WriteSlavePolls(const QString& slaveIdText, int listPosition)
{
    const int32_t id = StrToIntDef(slaveIdText, -1);
    if (id < 1 || id > 247) {
        Messages::Error(Lang(853));
        return false;
    }
    Last_CMD = CmdSlavePolls;
    return Send(SlavePollsRequest(uint8_t(id), uint8_t(listPosition)));
}

bool AdvanceFunctions::WriteSinglePoll(const QString& pollText, int listPosition)
{
    const int32_t poll = StrToIntDef(pollText, -1);
    if (poll < 0 || poll > 255) {
        Messages::Error(Lang(854));
        return false;
    }
    Last_CMD = CmdSinglePoll;
    return Send(SinglePollRequest(uint8_t(poll), uint8_t(listPosition)));
}

bool AdvanceFunctions::HandleDatagram(const UdpDatagram& datagram)
{
    const bool applied = !peer_.isNull() && datagram.sender == peer_ && ApplyReply(datagram.data);
    emit DatagramHandled(applied);
    return applied;
}

bool AdvanceFunctions::ApplyReply(QByteArrayView data)
{
    QString transparent = transparent_;
    WindowSink sink(*status_, *errors_, transparent);
    const bool applied = DecodeReply(Last_CMD, data, sink);
    SetTransparentStatus(transparent);
    return applied;
}

} // namespace editors
