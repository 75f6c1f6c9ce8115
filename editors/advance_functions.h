#pragma once
// The diagnostics window without its widgets: the poll grids, Last_CMD, the
// transparent mode text, the requests of every button and the handling of
// each datagram that arrives. Replies count only when they come from the
// address the requests went to.
#include "controls/grid/core/ex_column_grid.h"
#include "editors/advance_functions_protocol.h"
#include "platform/udp_endpoint.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace editors {

// The window's own UDP port and the converter's.
struct DiagnosticsPorts
{
    uint16_t local = 5000;
    uint16_t converter = 5000;
};

// Columns of the status grid (ACG) and of the errors grid (ACG2).
enum StatusColumn { ColReadStatus = 1, ColWriteStatus = 2, ColStatusDescription = 3 };
enum ErrorsColumn { ColReadErrors = 1, ColErrorsDescription = 2 };

// The address shown when ParGen.xml gives none.
inline constexpr const char* kDefaultConverterAddress = "192.168.0.5";

class AdvanceFunctions : public QObject
{
    Q_OBJECT
public:
    explicit AdvanceFunctions(DiagnosticsPorts ports = {}, QObject* parent = nullptr);
    ~AdvanceFunctions() override;

    const DiagnosticsPorts& Ports() const { return ports_; }
    grid::TExColumnGrid& StatusGrid() { return *status_; }
    grid::TExColumnGrid& ErrorsGrid() { return *errors_; }

    // The code of the last request whose reply is awaited (CmdNone after showing).
    int32_t Last_CMD = CmdNone;

    // The converter's address text; a new text forgets what was read.
    const QString& Address() const { return address_; }
    void SetAddress(const QString& text);
    // The transparent mode as last read ("--" while asked, empty when unknown).
    const QString& TransparentStatus() const { return transparent_; }
    bool IsOpen() const { return endpoint_.IsOpen(); }
    uint16_t LocalPort() const { return endpoint_.LocalPort(); }

    // Column headers from the language table.
    void Set_Lang();
    // Showing: binds the local port (false, with the error shown, when it is
    // held), then the address from ParGen.xml, Write Status all "Enable" and
    // the descriptions from ModbusM_SetAccess.xml. The read columns start
    // empty on every showing.
    bool FormShow();
    // Closing: the port is released; nothing is handled after it.
    void FormClose();

    // The buttons. Each request is one datagram to the address text; false
    // when nothing was sent (the reason shown).
    bool ReadStatus();
    bool WriteStatus();
    void CopyStatus();
    bool ReadErrors();
    bool WriteTransparent(bool enable);
    bool ReadTransparent();
    bool WriteSlavePolls(const QString& slaveIdText, int listPosition);
    bool WriteSinglePoll(const QString& pollText, int listPosition);

    // A datagram that arrived: applied when it comes from the address the
    // requests go to and a reply rule matches. Emits DatagramHandled.
    bool HandleDatagram(const UdpDatagram& datagram);
    // The reply rules alone, whatever the sender.
    bool ApplyReply(QByteArrayView data);

signals:
    void AddressChanged(const QString& address);
    void TransparentStatusChanged(const QString& text);
    void DatagramHandled(bool applied);

private:
    bool Send(const QByteArray& datagram);
    void ClearReadColumns();
    void SetTransparentStatus(const QString& text);
    QString ReadConverterAddress() const;
    void LoadDescriptions();

    DiagnosticsPorts ports_;
    std::unique_ptr<grid::TExColumnGrid> status_;
    std::unique_ptr<grid::TExColumnGrid> errors_;
    QString address_;
    QString transparent_;
    // Where the last request went; replies from elsewhere are ignored.
    QHostAddress peer_;
    UdpEndpoint endpoint_;
};

} // namespace editors
