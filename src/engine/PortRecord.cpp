#include "engine/PortRecord.h"

namespace ondrel {

void DeriveConstituents(PortRecord& port) {
    auto& a = port.amplitude;
    auto& g = port.phase;
    // Diurnal satellites from K1 and O1, each from the freshly loaded source.
    a[kP1] = static_cast<double>(-1.0L / 3 * a[kK1]);
    a[kO1Satellite] = static_cast<double>(10.0L / 53 * a[kO1]);
    a[kK1Satellite] = static_cast<double>(5.0L / 37 * a[kK1]);
    // Semidiurnal constituents from N2, M2 and S2.
    a[k2N2] = static_cast<double>(5.0L / 38 * a[kN2]);
    a[kMu2] = static_cast<double>(10.0L / 63 * a[kN2]);
    a[kNu2] = static_cast<double>(10.0L / 53 * a[kN2]);
    a[kL2] = static_cast<double>(-1.0L / 35 * a[kM2]);
    a[kK2] = static_cast<double>(10.0L / 37 * a[kS2]);
    a[kT2] = static_cast<double>(1.0L / 17 * a[kS2]);
    a[kM2Satellite] = static_cast<double>(-1.0L / 27 * a[kM2]);
    a[kK2Satellite] = static_cast<double>(1.0L / 12 * a[kS2]);

    g[kP1] = g[kK1];
    g[kO1Satellite] = g[kO1];
    g[kK1Satellite] = g[kK1];
    g[k2N2] = g[kMu2] = g[kNu2] = g[kN2];
    g[kL2] = g[kM2Satellite] = g[kM2];
    g[kK2] = g[kT2] = g[kK2Satellite] = g[kS2];
}

} // namespace ondrel
