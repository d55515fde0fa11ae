// The relay reply and the markup converter: any bytes give a value list of possible figures, or nothing;
// the plain text of a line is never longer than the line.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    const tavorin::ImportedValues v = tavorin::parseRelayReply(body);
    fuzzcheck::checkImported(v, tavorin::relayLinesPerPlayer);
    const QString markup = QString::fromUtf8(body);
    FUZZ_CHECK(tavorin::markupToPlainText(markup).size() <= markup.size());
    return 0;
}
