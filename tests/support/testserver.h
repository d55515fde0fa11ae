#pragma once

#include <QFile>
#include <QMap>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

#include <sys/socket.h>

// A small HTTP server on 127.0.0.1 for one test: it answers every request with the reply set last (or with
// a redirect set for the next one, or for every one) and keeps what the last request carried. With `tls` it
// speaks HTTPS with the test-only certificate for 127.0.0.1.
class LocalHttpServer : public QObject {
public:
    struct Request {
        QByteArray method, path, body;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    explicit LocalHttpServer(bool tls = false) : tls(tls) {
        if (tls) {
            auto* ssl = new QSslServer(this);
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.setLocalCertificate(certificate());
            config.setPrivateKey(QSslKey(dataFile("localhost-test-key.pem"), QSsl::Rsa));
            ssl->setSslConfiguration(config);
            server = ssl;
        } else {
            server = new QTcpServer(this);
        }
        connect(server, &QTcpServer::pendingConnectionAvailable, this, &LocalHttpServer::accept);
        server->listen(QHostAddress::LocalHost);
    }

    QString base() const {
        return (tls ? "https://127.0.0.1:" : "http://127.0.0.1:") + QString::number(server->serverPort());
    }
    // Short: the body ends a byte before its Content-Length, and the connection closes; Reset: it is reset
    // instead, a moment after the body is sent.
    enum class Cut { Whole, Short, Reset };
    void reply(int status, const QByteArray& body, const QByteArray& type = "application/json", Cut how = Cut::Whole) {
        cut = how;
        answer = response(status, body, type, how == Cut::Whole ? 0 : 1);
    }
    static QByteArray response(int status, const QByteArray& body, const QByteArray& type = "application/json",
                               int extraLength = 0) {
        return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Type: " + type +
               "\r\nContent-Length: " + QByteArray::number(body.size() + extraLength) +
               "\r\nConnection: close\r\n\r\n" + body;
    }
    // Answers each request with the response `respond` gives for it (none: stays quiet), `delayMs` later.
    void respondBy(const std::function<QByteArray(const Request&)>& respond, int delayMs = 0) {
        responder = respond;
        delay = delayMs;
    }
    // Answers the next request with a redirect (`status`) to `location`.
    void redirectNext(const QByteArray& location, int status = 302) {
        redirect = "HTTP/1.1 " + QByteArray::number(status) + " Redirect\r\nLocation: " + location +
                   "\r\nContent-Length: 0\r\n\r\n";
    }
    // Redirects every request: to its own address again (`loop`), or to a new one each time.
    void redirectAlways(bool loop) { redirects = loop ? "" : "x"; }
    // Accepts requests but never answers them.
    void stayQuiet() { answer.clear(); }
    int requests() const { return count; }
    const Request& lastRequest() const { return last; }

    static QSslCertificate certificate() { return QSslCertificate(dataFile("localhost-test-cert.pem")); }

private:
    static QByteArray dataFile(const char* name) {
        QFile f(QStringLiteral(TAVORIN_TEST_DATA "/") + QLatin1StringView(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void accept() {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            if (socket->bytesAvailable() > 0)
                read(socket);
        }
    }
    void read(QTcpSocket* socket) {
        const QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        socket->setProperty("buffer", buffer);
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
        request.method = lines[0].split(' ').value(0);
        request.path = lines[0].split(' ').value(1);
        for (const QByteArray& line : lines.mid(1)) {
            if (const qsizetype colon = line.indexOf(':'); colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length").toLongLong();
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        socket->setProperty("buffer", buffer.mid(headEnd + 4 + length));
        last = request;
        ++count;
        if (!redirects.isNull())
            redirectNext(base().toUtf8() + request.path + redirects);
        if (!redirect.isEmpty()) {
            socket->write(std::exchange(redirect, QByteArray())); // the connection stays for the next request
            return read(socket);
        }
        if (responder) {
            QTimer::singleShot(delay, socket, [socket, reply = responder(request)] {
                if (!reply.isEmpty()) {
                    socket->write(reply);
                    socket->disconnectFromHost();
                }
            });
            return;
        }
        if (answer.isEmpty())
            return; // quiet: the connection stays open, unanswered
        socket->write(answer);
        if (cut != Cut::Reset)
            return socket->disconnectFromHost();
        QTimer::singleShot(200, socket, [socket] {
            const linger now = {1, 0}; // closing sends a reset
            setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
            socket->abort();
        });
    }

    const bool tls;
    QTcpServer* server = nullptr;
    QByteArray answer, redirect, redirects;
    Cut cut = Cut::Whole;
    std::function<QByteArray(const Request&)> responder;
    int delay = 0;
    int count = 0;
    Request last;
};
