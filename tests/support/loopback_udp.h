#pragma once
// What every test program installs before its tests run: UDP names resolve
// without a lookup (dotted addresses and "localhost" only), and a datagram to
// any address outside 127.0.0.0/8 fails the test and is not sent.
#include "platform/udp_endpoint.h"

#include <gtest/gtest.h>

class LoopbackResolver : public UdpResolver
{
public:
    bool Resolve(const QString& host, QHostAddress& address, QString& error) override
    {
        const QString name = host.trimmed();
        if (name.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
            address = QHostAddress(QHostAddress::LocalHost);
            return true;
        }
        QHostAddress numeric;
        if (numeric.setAddress(name) && numeric.protocol() == QAbstractSocket::IPv4Protocol &&
            name.count(QLatin1Char('.')) == 3) {
            address = numeric;
            return true;
        }
        error = QStringLiteral("Host not found: %1").arg(host);
        return false;
    }
};

inline bool IsLoopback(const QHostAddress& a)
{
    bool ok = false;
    const quint32 ip = a.toIPv4Address(&ok);
    return ok && (ip >> 24) == 127;
}

inline void InstallLoopbackUdp()
{
    static LoopbackResolver resolver;
    UdpEndpoint::SetResolver(&resolver);
    UdpEndpoint::SetSendGuard([](const QHostAddress& to, uint16_t port, QString& error) {
        if (IsLoopback(to))
            return true;
        ADD_FAILURE() << "UDP datagram to " << to.toString().toStdString() << ":" << port
                      << " outside 127.0.0.0/8";
        error = QStringLiteral("Refused in tests: %1 is not a loopback address").arg(to.toString());
        return false;
    });
}
