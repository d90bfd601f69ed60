#include "database/CGraphSettings.h"

#include "database/Archive.h"

namespace Database {

CGraphSettings::CGraphSettings() {
    for (auto& kind : months)
        for (auto& series : kind)
            series.fill(true);
}

void CGraphSettings::Serialize(Archive& ar) {
    // Unlike other records, the version comes before the base part: records up to 1.0 had no
    // base part, only the graph's name, and records below 1.0 stop after that name.
    const double version = ar.Version(kVersion);
    if (version >= 1.1)
        CBase::Serialize(ar);
    else
        ar.String(name);
    if (version < 1.0)
        return;
    for (int s = 0; s < kGraphSeries; ++s) {
        for (int m = 0; m < 12; ++m)
            for (int k = 0; k < kGraphKinds; ++k)
                ar.Flag(months[k][s][m]);
        for (int k = 0; k < kGraphKinds; ++k) {
            ar.Flag(seriesOn[k][s]);
            ar.UInt32(colour[k][s]);
        }
    }
}

void CGraphSettings::CopyFrom(const CGraphSettings& other) {
    name = other.name;
    months = other.months;
    seriesOn = other.seriesOn;
    colour = other.colour;
}

} // namespace Database
