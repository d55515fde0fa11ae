// Game ids from pasted links: whatever the link, an id is empty (no link to a game) or of the id shape, and the
// requests go to the configured host and path, with the id as one path segment or one form value.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString link = QString::fromUtf8(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const tavorin::PlatformAddresses addresses;

    const QString lidarts = tavorin::lidartsGameId(link);
    const QString prodarter = tavorin::prodarterGameId(link);
    for (const QString& id : {lidarts, prodarter}) {
        FUZZ_CHECK(id.size() <= 64);
        for (const QChar c : id)
            FUZZ_CHECK(c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')));
    }
    const QUrl request = tavorin::lidartsRequestUrl(addresses, lidarts);
    FUZZ_CHECK(request.isValid());
    FUZZ_CHECK(request.scheme() == QLatin1String("https") && request.host() == QLatin1String("lidarts.org"));
    FUZZ_CHECK(!request.hasQuery() && !request.hasFragment());
    const QString path = request.path(QUrl::FullyEncoded);
    FUZZ_CHECK(path.startsWith(QLatin1String("/api/game/")));
    FUZZ_CHECK(!path.mid(10).contains(QLatin1Char('/')));
    FUZZ_CHECK(QUrl::fromPercentEncoding(path.mid(10).toUtf8()) == lidarts);

    FUZZ_CHECK(!prodarter.contains(QLatin1Char('=')));
    FUZZ_CHECK(link.endsWith(prodarter));
    const QByteArray body = tavorin::relayFormBody(prodarter);
    FUZZ_CHECK(body.startsWith("wert="));
    for (const char c : body.mid(5)) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~' || c == '%';
        FUZZ_CHECK(unreserved);
    }
    FUZZ_CHECK(QString::fromUtf8(QByteArray::fromPercentEncoding(body.mid(5))) == prodarter);
    return 0;
}
