#include "testserver.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>

namespace {

QByteArray dataFile(const char* name) {
    QFile f(QStringLiteral(TAVORIN_TEST_DATA "/") + QLatin1StringView(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

LocalHttpServer::LocalHttpServer() : server(new QTcpServer(this)) {
    connect(server, &QTcpServer::pendingConnectionAvailable, this, &LocalHttpServer::accept);
    server->listen(QHostAddress::LocalHost);
}

LocalHttpServer::LocalHttpServer(const QSslCertificate& certificate, const QSslKey& key) : tls(true) {
    auto* ssl = new QSslServer(this);
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(certificate);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    ssl->setSslConfiguration(config);
    server = ssl;
    connect(server, &QTcpServer::pendingConnectionAvailable, this, &LocalHttpServer::accept);
    server->listen(QHostAddress::LocalHost);
}

LocalHttpServer::~LocalHttpServer() = default;

quint16 LocalHttpServer::port() const {
    return server->serverPort();
}

QString LocalHttpServer::base() const {
    return (tls ? QStringLiteral("https://127.0.0.1:") : QStringLiteral("http://127.0.0.1:")) + QString::number(port());
}

void LocalHttpServer::reply(int newStatus, const QByteArray& newBody, const QByteArray& newContentType) {
    status = newStatus;
    body = newBody;
    contentType = newContentType;
    quiet = false;
}

QSslCertificate LocalHttpServer::testCertificate() {
    return QSslCertificate(dataFile("localhost-test-cert.pem"), QSsl::Pem);
}

QSslKey LocalHttpServer::testKey() {
    return QSslKey(dataFile("localhost-test-key.pem"), QSsl::Rsa, QSsl::Pem);
}

void LocalHttpServer::accept() {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            read(socket);
    }
}

void LocalHttpServer::read(QTcpSocket* socket) {
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    Request request;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() < headEnd + 4 + length)
        return;
    request.body = buffer.mid(headEnd + 4, length);
    socket->setProperty("buffer", QByteArray());
    last = request;
    ++count;
    if (quiet)
        return;
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) +
                        "\r\nContent-Type: " + contentType + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                        "\r\nConnection: close\r\n\r\n" + body;
    if (!redirectTo.isEmpty()) {
        answer = "HTTP/1.1 " + QByteArray::number(redirectStatus) + " Redirect\r\nLocation: " + redirectTo +
                 "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        redirectTo.clear();
    }
    socket->write(answer);
    socket->disconnectFromHost();
}
