// PredictionSource: which model gives the desktop program's heights and times. The settings
// choose the model; with the full harmonics, the current port's constants come from the harmonic
// data file beside the port table, opened once and kept open. A port without a full list, or
// every port when the file is missing or damaged, keeps the table model, and the reason is kept
// for the main window to show.
#pragma once

#include "engine/FullHarmonic.h"
#include "engine/PortRecord.h"
#include "ports/HarmonicsFile.h"

#include <QString>

#include <memory>
#include <string>

namespace ondrel {

class PredictionSource {
public:
    // The chosen model and the current port: looks up the port's constants when the full model
    // is chosen (the harmonic data file of the table at tablePath is opened the first time, and
    // again only for another table).
    void follow(const PortRecord& port, PredictionModel chosen, const QString& tablePath);

    // The source of every computation on this port: its constants when they were looked up for
    // it under the full model, else the table model.
    TideSource sourceFor(const PortRecord& port) const;
    // The constants sourceFor gives this port; null for the table model.
    std::shared_ptr<const HarmonicConstants> harmonicsFor(const PortRecord& port) const;

    PredictionModel chosen() const { return chosen_; }
    // The full model was chosen and the current port keeps the table model.
    bool fellBack() const { return chosen_ == PredictionModel::Full && !harmonics_; }
    // Why it fell back: the port has no full list, or the file cannot be used (naming the file).
    QString reason() const { return reason_; }
    // Whether the harmonic data file itself is missing or damaged (every port falls back).
    bool fileUnusable() const { return fellBack() && tried_ && !file_.isOpen(); }
    // The harmonic data file looked for (empty before the full model was first chosen).
    QString filePath() const { return triedPath_; }
    // The file's problem, the first time it is asked after the file failed to open; empty after
    // (it is told once).
    QString takeFileProblem();
    // The number of constituents of the current port's full list (0 for the table model).
    int constituentCount() const;

private:
    HarmonicsFile file_;
    QString triedPath_;
    bool tried_ = false;
    bool problemTold_ = false;
    PredictionModel chosen_ = PredictionModel::Table;
    std::shared_ptr<const HarmonicConstants> harmonics_;
    // The port the constants were looked up for.
    std::string portName_;
    HarmonicsRowValues portRow_;
    QString reason_;
};

} // namespace ondrel
