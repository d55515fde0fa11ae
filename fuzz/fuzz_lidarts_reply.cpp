// The Lidarts game reply: any bytes give a value list of possible figures, or nothing at all.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    const tavorin::ImportedValues v = tavorin::parseLidartsReply(body);
    fuzzcheck::checkImported(v, tavorin::ImportPositionCount);
    if (v.outcome == tavorin::ImportOutcome::Ok) {
        FUZZ_CHECK(v.firstName == v.first.at(tavorin::PosName));
        FUZZ_CHECK(v.first.at(tavorin::PosDoubles).endsWith(QLatin1String(")\n")));
    }
    return 0;
}
