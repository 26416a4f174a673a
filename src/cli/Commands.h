// The commands of ondrel-cli, each a function of the open port table and the options, returning
// the exit code, and what they share: finding the table and the port, the prediction model, the
// picture program.
#pragma once

#include "cli/Options.h"
#include "engine/FullHarmonic.h"
#include "engine/PortRecord.h"
#include "engine/TideContext.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ondrel {
class PortTable;
struct CurvePoint;
struct TideTableRequest;
} // namespace ondrel

namespace ondrel::cli {

// Port commands (PortCommands.cpp).
int Ports(PortTable& table, const Options& o);
int Import(PortTable& table, const Options& o);
int Export(PortTable& table, const Options& o);
// Tide commands (TideCommands.cpp).
int Day(PortTable& table, const Options& o);
int Curve(PortTable& table, const Options& o);
int Table(PortTable& table, const Options& o);
int Now(PortTable& table, const Options& o);
// The sun and the moon (SunCommand.cpp).
int Sun(PortTable& table, const Options& o);
// The tidal streams of a current station (CurrentsCommand.cpp).
int Currents(PortTable& table, const Options& o);
// ports --currents: the current stations from a name prefix on, one a line (name, id, latitude,
// longitude, "reference" or "subordinate of ID").
int CurrentStationList(PortTable& table, const Options& o);
// --to not before --from (a usage error in the chosen language).
void CheckTableRange(const Options& o);

// Opens the table named by --table, or the one the desktop program would use; writable for
// import only.
void OpenTable(PortTable& table, const Options& o);
// The port named by its exact name or an unambiguous prefix becomes current; a usage error
// otherwise.
void FindPort(PortTable& table, const QString& name);
// The one port the command names, loaded; TableError when its row cannot be read.
PortRecord LoadPort(PortTable& table, const Options& o);
// The time reference of --ref placed for the loaded port (the table's current row): with the
// legal time, the port's zone, or the reason on standard error when it has none the system knows
// (its standard time is then used).
TideContext ContextFor(const PortTable& table, const PortRecord& port, const Options& o);
// The day of --date as a Julian date at 0 h.
double SelectedDayOf(const Options& o);

// The prediction model of a command: the port's full constants, or none for the table model.
struct Model {
    std::shared_ptr<const HarmonicConstants> harmonics;
    std::string name() const { return harmonics ? "full" : "table"; }
};

// The full model's constants for the port when --model full asks for them; none, with the reason
// on standard error, when the port has none.
Model ModelFor(const PortTable& table, const PortRecord& port, const Options& o);
// The JSON member naming the model, when --model was given.
std::string JsonModel(const Options& o, const Model& m);

// The pictures: the curve's chart into --png, the tide table's month pages into --pdf. ondrel-cli
// runs ondrel-cli-png, installed beside it, with its own arguments (Pictures.cpp); ondrel-cli-png
// is the same program, which draws them itself (PicturesDrawn.cpp). `clock` gives the time each
// x reads on the port's legal clock (none: x itself).
int DrawPicture(const Options& o, const PortRecord& port, const std::vector<CurvePoint>& points,
                const std::function<double(double)>& clock);
int DrawTablePages(const Options& o, const TideTableRequest& request);

} // namespace ondrel::cli
