#pragma once

#include "import/platformreplies.h"

#include <QDeadlineTimer>
#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace tavorin {

// At most this many redirects are followed in one fetch, each only as redirectAllowed permits.
inline constexpr int maxRedirects = 5;

// Fetches one game's figures: a GET to the Lidarts game API, or the form POST to the Pro-Darter relay.
// The reply is checked whole (at most maxReplyBytes, as long as its Content-Length says, no redirect loop)
// and then read by its parser on a worker thread, so that the caller's event loop keeps running. The time
// limit of the addresses covers both: when it runs out, the fetch ends with TimedOut at once.
// Every started fetch ends with exactly one finished(), always from the event loop, unless it is aborted.
class PlatformFetch : public QObject {
    Q_OBJECT

public:
    // `manager` sends the requests; it may serve other fetches as well.
    explicit PlatformFetch(QNetworkAccessManager* manager, QObject* parent = nullptr);
    ~PlatformFetch() override;

    // Starts fetching game `gameId`; a fetch still running is aborted first.
    void start(ImportPlatform platform, const PlatformAddresses& addresses, const QString& gameId);
    // Ends a running fetch without finished().
    void abort();
    bool isRunning() const { return running; }

signals:
    // The values, or the outcome and its German reason.
    void finished(const tavorin::ImportedValues& result);

private:
    void send(QNetworkRequest request, const QByteArray* form);
    void listen();
    void follow(const QUrl& target);
    void checkLength();
    void replyFinished();
    void parse(const QByteArray& body);
    void timeUp();
    void fail(ImportOutcome outcome, const QString& reason);
    void finish(const ImportedValues& result);
    void dropReply();
    // Why the reply failed, from its error and whether it had begun.
    static QString failureReason(const QNetworkReply* reply);

    QNetworkAccessManager* const manager;
    QPointer<QNetworkReply> reply;
    QNetworkRequest sent; // the request, with the address asked last
    QTimer timeLimit;
    QDeadlineTimer deadline;
    int timeoutSeconds = 0;
    ImportPlatform platform = ImportPlatform::Lidarts;
    bool sendsForm = false;
    bool running = false;
    // Addresses asked so far in this fetch, the request's own first.
    QList<QUrl> asked;
    // Counts fetches; a result that arrives for an earlier one is dropped.
    quint64 generation = 0;
};

} // namespace tavorin
