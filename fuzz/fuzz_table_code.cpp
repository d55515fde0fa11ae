// The league-table code with any options and rows: HTML without foreign tags or attributes, BB-Code without
// foreign tags.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const tavorin::TableCodeOptions o = fuzzcheck::tableOptions(in);
    QList<tavorin::LeagueTableRow> rows;
    while (in.remaining_bytes() > 0 && rows.size() < 20) {
        tavorin::LeagueTableRow r;
        r.name1 = fuzzcheck::text(in);
        r.name2 = fuzzcheck::text(in);
        for (int* field :
             {&r.won, &r.drawn, &r.lost, &r.legsWon, &r.legsLost, &r.points, &r.doublesHit, &r.doublesThrown})
            *field = in.ConsumeIntegral<int>();
        r.average = in.ConsumeFloatingPoint<float>();
        rows << r;
    }
    fuzzcheck::checkCode(o.format, tavorin::leagueTableCode(rows, o));
    return 0;
}
