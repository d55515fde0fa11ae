#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

// A small HTTP server on 127.0.0.1 for one test: it answers every request with the reply set last and
// keeps what the last request carried. With a certificate and key it speaks HTTPS.
class LocalHttpServer : public QObject {
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    LocalHttpServer();
    LocalHttpServer(const QSslCertificate& certificate, const QSslKey& key);
    ~LocalHttpServer() override;

    quint16 port() const;
    // "http://127.0.0.1:<port>" or "https://127.0.0.1:<port>".
    QString base() const;

    void reply(int status, const QByteArray& body, const QByteArray& contentType = "application/json");
    // Answers the next request with a redirect (`status`, 302 by default) to `location`.
    void redirectNext(const QByteArray& location, int status = 302) {
        redirectTo = location;
        redirectStatus = status;
    }
    // Accepts requests but never answers them.
    void stayQuiet() { quiet = true; }

    int requests() const { return count; }
    const Request& lastRequest() const { return last; }

    // The test-only certificate for 127.0.0.1 and its key, from the test data folder.
    static QSslCertificate testCertificate();
    static QSslKey testKey();

private:
    void accept();
    void read(class QTcpSocket* socket);

    QTcpServer* server = nullptr;
    bool tls = false;
    bool quiet = false;
    int status = 200;
    QByteArray body;
    QByteArray contentType;
    int count = 0;
    Request last;
    QByteArray redirectTo;
    int redirectStatus = 302;
};
