#include "serveraddress.h"

#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace tavorin::db {

namespace {

bool isSocketFolder(const QString& host) {
    return host.startsWith(QLatin1Char('/'));
}

} // namespace

QString ServerAddress::uri() const {
    const auto encoded = [](const QString& part) { return QString::fromLatin1(QUrl::toPercentEncoding(part)); };
    QString out = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        out += encoded(user) + QLatin1Char('@');
    QStringList parameters;
    if (isSocketFolder(host)) {
        parameters << QStringLiteral("host=") + encoded(host) << QStringLiteral("port=") + QString::number(port);
    } else {
        out += (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host) +
               QLatin1Char(':') + QString::number(port);
    }
    out += QLatin1Char('/') + encoded(database);
    if (!sslMode.isEmpty())
        parameters << QStringLiteral("sslmode=") + encoded(sslMode);
    if (!parameters.isEmpty())
        out += QLatin1Char('?') + parameters.join(QLatin1Char('&'));
    return out;
}

QString ServerAddress::title() const {
    return QStringLiteral("postgresql://") + (user.isEmpty() ? QString() : user + QLatin1Char('@')) +
           (isSocketFolder(host) ? QString() : host) + QLatin1Char('/') + database;
}

ServerAddress ServerAddress::fromUri(const QString& text) {
    ServerAddress a;
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")))
        return a;
    const QUrlQuery query(url);
    a.host = query.hasQueryItem(QStringLiteral("host"))
                 ? query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded)
                 : url.host();
    a.port = url.port(5432);
    if (query.hasQueryItem(QStringLiteral("port")))
        a.port = query.queryItemValue(QStringLiteral("port")).toInt();
    a.database = url.path(QUrl::FullyDecoded).mid(1);
    a.user = url.userName(QUrl::FullyDecoded);
    a.sslMode = query.queryItemValue(QStringLiteral("sslmode"));
    if (a.port <= 0 || a.port > 65535)
        return {};
    return a;
}

} // namespace tavorin::db
