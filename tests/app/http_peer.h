#pragma once
// A small HTTP server on 127.0.0.1 for the version check: records each
// request line and answers with a canned reply, closes the connection
// without a word, or stays silent.

#include <QApplication>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>


class HttpPeer : public QObject
{
public:
    enum Mode { Reply, Close, Silent };

    HttpPeer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
            }
        });
    }

    QUrl Site() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }

    void Answer(int status, const QByteArray& body)
    {
        m_mode = Reply;
        m_status = status;
        m_body = body;
    }
    void SetMode(Mode mode) { m_mode = mode; }

    // The request lines received, such as "GET /path?query HTTP/1.1".
    const QStringList& Requests() const { return m_requests; }

private:
    void Serve(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        m_requests.append(QString::fromLatin1(buffer.left(buffer.indexOf("\r\n"))));
        switch (m_mode) {
        case Silent:
            return;
        case Close:
            socket->abort();
            return;
        case Reply:
            socket->write("HTTP/1.0 " + QByteArray::number(m_status) + (m_status == 200 ? " OK" : " Error")
                          + "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(m_body.size())
                          + "\r\nConnection: close\r\n\r\n" + m_body);
            socket->disconnectFromHost();
            return;
        }
    }

    QTcpServer m_server;
    Mode m_mode = Reply;
    int m_status = 200;
    QByteArray m_body;
    QStringList m_requests;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
