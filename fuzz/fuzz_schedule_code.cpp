// The schedule code with any options, stored texts and records: HTML without foreign tags or attributes,
// BB-Code without foreign tags.
#include "fuzzcheck.h"

namespace {

tavorin::MatchRecord record(FuzzedDataProvider& in) {
    tavorin::MatchRecord r;
    r.average = in.ConsumeFloatingPoint<float>();
    r.count180 = in.ConsumeIntegral<int>();
    r.highFinish = in.ConsumeIntegral<int>();
    r.bestLeg = fuzzcheck::text(in, 8);
    r.hash = fuzzcheck::text(in, 16);
    r.platform = in.PickValueInArray({"lidarts", "prodarter", "x"});
    r.doublesHit = in.ConsumeIntegral<int>();
    r.doublesThrown = in.ConsumeIntegral<int>();
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    tavorin::ScheduleCodeOptions o;
    fuzzcheck::readOptions(in, o);
    o.drawnColour = fuzzcheck::text(in, 10);
    o.wonColour = fuzzcheck::text(in, 10);
    o.lostColour = fuzzcheck::text(in, 10);
    o.boldMatchDays = in.ConsumeBool();
    o.underlinedMatchDays = in.ConsumeBool();
    o.boldScore = in.ConsumeBool();
    QList<tavorin::ScheduleMatch> matches;
    while (in.remaining_bytes() > 0 && matches.size() < 20) {
        tavorin::ScheduleMatch m;
        m.matchDay = fuzzcheck::text(in, 6);
        m.homeName1 = fuzzcheck::text(in);
        m.homeName2 = fuzzcheck::text(in);
        m.awayName1 = fuzzcheck::text(in);
        m.awayName2 = fuzzcheck::text(in);
        m.legsWon = fuzzcheck::text(in, 6);
        m.legsLost = fuzzcheck::text(in, 6);
        m.home = record(in);
        m.away = record(in);
        matches << m;
    }
    fuzzcheck::checkCode(o.format, tavorin::scheduleCode(matches, o, tavorin::PlatformAddresses()));
    return 0;
}
