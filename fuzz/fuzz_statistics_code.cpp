// The statistics code with any options and rows: HTML without foreign tags or attributes, BB-Code without
// foreign tags.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const tavorin::TableCodeOptions o = fuzzcheck::tableOptions(in);
    QList<tavorin::StatisticsRow> rows;
    while (in.remaining_bytes() > 0 && rows.size() < 20) {
        tavorin::StatisticsRow r;
        r.name1 = fuzzcheck::text(in);
        r.name2 = fuzzcheck::text(in);
        for (int* field : {&r.minus20, &r.plus20, &r.plus40, &r.plus60, &r.plus80, &r.plus100, &r.plus140, &r.plus171,
                           &r.count180, &r.highestFinish, &r.bestLeg})
            *field = in.ConsumeIntegral<int>();
        rows << r;
    }
    fuzzcheck::checkCode(o.format, tavorin::statisticsCode(rows, o));
    return 0;
}
