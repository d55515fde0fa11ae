#include "import/platformfetch.h"
#include "app/textescape.h"

#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QtConcurrentRun>

namespace tavorin {

namespace {

QString german(const char* text) {
    return replaceUmlautEscapes(QString::fromUtf8(text));
}

QString incompleteReason() {
    return german("Die Antwort des Servers ist unvollst:ae:ndig.");
}

// Whether the body of `reply` arrives as sent, so that its Content-Length counts the bytes read.
bool sentAsIs(const QNetworkReply* reply) {
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed();
    return encoding.isEmpty() || encoding.compare("identity", Qt::CaseInsensitive) == 0;
}

} // namespace

PlatformFetch::PlatformFetch(QNetworkAccessManager* manager, QObject* parent) : QObject(parent), manager(manager) {
    timeLimit.setSingleShot(true);
    connect(&timeLimit, &QTimer::timeout, this, &PlatformFetch::timeUp);
}

PlatformFetch::~PlatformFetch() {
    abort();
}

void PlatformFetch::start(ImportPlatform platform, const PlatformAddresses& addresses, const QString& gameId) {
    abort();
    this->platform = platform;
    running = true;
    timeoutSeconds = addresses.timeoutSeconds;
    deadline = QDeadlineTimer(std::chrono::seconds(timeoutSeconds));
    timeLimit.start(std::chrono::seconds(timeoutSeconds));
    if (platform == ImportPlatform::Lidarts) {
        QNetworkRequest request(lidartsRequestUrl(addresses, gameId));
        request.setSslConfiguration(QSslConfiguration::defaultConfiguration());
        send(request, nullptr);
        return;
    }
    const QUrl relay = relayRequestUrl(addresses);
    if (relay.isEmpty()) {
        // No relay configured: nothing is sent.
        QMetaObject::invokeMethod(
            this,
            [this, fetch = generation] {
                if (fetch == generation)
                    fail(ImportOutcome::NoConnection,
                         german("F:ue:r Pro-Darter ist kein Relay-Dienst eingerichtet (config.ini, Gruppe "
                                "plattformen, prodarter_relay)."));
            },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(relay);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(relayContentType));
    const QByteArray form = relayFormBody(gameId);
    send(request, &form);
}

void PlatformFetch::abort() {
    ++generation;
    running = false;
    timeLimit.stop();
    dropReply();
}

void PlatformFetch::send(QNetworkRequest request, const QByteArray* form) {
    // Redirects are followed here rather than by Qt, so that each is checked and the chain is bounded.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    sent = request;
    sendsForm = form != nullptr;
    asked = {request.url()};
    reply = form ? manager->post(request, *form) : manager->get(request);
    listen();
}

void PlatformFetch::listen() {
    connect(reply, &QNetworkReply::metaDataChanged, this, &PlatformFetch::checkLength);
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > maxReplyBytes)
            fail(ImportOutcome::NotFound, replyTooLargeReason());
    });
    connect(reply, &QNetworkReply::finished, this, &PlatformFetch::replyFinished);
}

void PlatformFetch::follow(const QUrl& target) {
    if (!redirectAllowed(asked.constFirst(), target, sendsForm))
        fail(ImportOutcome::NoConnection, german("Der Server leitet zu einer anderen Adresse :ue:ber."));
    else if (asked.contains(target))
        fail(ImportOutcome::NoConnection, german("Der Server leitet im Kreis weiter."));
    else if (asked.size() > maxRedirects)
        fail(ImportOutcome::NoConnection, german("Der Server leitet :oe:fter als %1-mal weiter.").arg(maxRedirects));
    else {
        asked << target;
        sent.setUrl(target);
        reply = manager->get(sent);
        listen();
    }
}

void PlatformFetch::checkLength() {
    // A reply announced as too large is not waited for.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxReplyBytes && sentAsIs(reply))
        fail(ImportOutcome::NotFound, replyTooLargeReason());
}

void PlatformFetch::replyFinished() {
    QNetworkReply* done = reply;
    reply = nullptr;
    done->deleteLater();
    done->disconnect(this);
    if (done->error() != QNetworkReply::NoError) {
        fail(done->error() == QNetworkReply::ContentNotFoundError ? ImportOutcome::NotFound
                                                                  : ImportOutcome::NoConnection,
             failureReason(done));
        return;
    }
    const QVariant target = done->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (target.isValid())
        return follow(done->url().resolved(target.toUrl()));
    const QByteArray body = done->read(maxReplyBytes + 1);
    const QVariant length = done->header(QNetworkRequest::ContentLengthHeader);
    if (body.size() > maxReplyBytes)
        fail(ImportOutcome::NotFound, replyTooLargeReason());
    else if (length.isValid() && sentAsIs(done) && length.toLongLong() != body.size())
        fail(ImportOutcome::NoConnection, incompleteReason()); // the connection ended early
    else
        parse(body);
}

void PlatformFetch::parse(const QByteArray& body) {
    auto* watcher = new QFutureWatcher<ImportedValues>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, fetch = generation] {
        watcher->deleteLater();
        if (fetch != generation)
            return; // aborted, or the time limit ran out meanwhile
        const ImportedValues result = watcher->result();
        if (result.outcome == ImportOutcome::TimedOut)
            timeUp();
        else
            finish(result);
    });
    watcher->setFuture(QtConcurrent::run([body, lidarts = platform == ImportPlatform::Lidarts, until = deadline] {
        return lidarts ? parseLidartsReply(body, until) : parseRelayReply(body, until);
    }));
}

void PlatformFetch::timeUp() {
    fail(ImportOutcome::TimedOut, QStringLiteral("Das Zeitlimit von %1 Sekunden ist erreicht.").arg(timeoutSeconds));
}

void PlatformFetch::fail(ImportOutcome outcome, const QString& reason) {
    ImportedValues result;
    result.outcome = outcome;
    result.reason = reason;
    finish(result);
}

void PlatformFetch::finish(const ImportedValues& result) {
    abort();
    emit finished(result);
}

void PlatformFetch::dropReply() {
    if (!reply)
        return;
    QNetworkReply* dropped = reply;
    reply = nullptr;
    dropped->disconnect(this);
    dropped->abort();
    dropped->deleteLater();
}

QString PlatformFetch::failureReason(const QNetworkReply* reply) {
    const QNetworkReply::NetworkError error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A network error after the reply had begun cut it off; anything else with a status is the server's.
    if (status.isValid() && error < QNetworkReply::ProxyConnectionRefusedError)
        return incompleteReason();
    if (status.isValid())
        return QStringLiteral("Der Server antwortete mit dem HTTP-Status ") + status.toString() + QLatin1Char('.');
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError:
        return german("Das Zertifikat des Servers ist nicht vertrauensw:ue:rdig.");
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Der Server hat die Verbindung abgelehnt.");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Der Server wurde nicht gefunden.");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Der Server hat die Verbindung ohne Antwort beendet.");
    default:
        return QStringLiteral("Netzwerkfehler: ") + reply->errorString();
    }
}

} // namespace tavorin
