#include "state/PredictionSource.h"

namespace ondrel {

void PredictionSource::follow(const PortRecord& port, PredictionModel chosen,
                              const QString& tablePath) {
    chosen_ = chosen;
    harmonics_.reset();
    reason_.clear();
    portName_ = port.name;
    portRow_ = RowValuesOf(port);
    if (chosen != PredictionModel::Full) return;
    const QString path = tablePath.isEmpty() ? QString() : HarmonicsToReadFor(tablePath);
    if (!tried_ || path != triedPath_) {
        tried_ = true;
        triedPath_ = path;
        problemTold_ = false;
        file_ = HarmonicsFile();
        if (!path.isEmpty()) file_.open(path); // on failure its error names the file
    }
    if (path.isEmpty()) {
        reason_ = QStringLiteral("%1: no port table, so no harmonic data; the table model is used "
                                 "for every port")
                      .arg(kHarmonicsFileName);
        return;
    }
    harmonics_ = file_.constantsFor(port, &reason_);
    if (harmonics_) reason_.clear();
}

std::shared_ptr<const HarmonicConstants>
PredictionSource::harmonicsFor(const PortRecord& port) const {
    if (!harmonics_ || port.name != portName_ || !(RowValuesOf(port) == portRow_)) return nullptr;
    return harmonics_;
}

TideSource PredictionSource::sourceFor(const PortRecord& port) const {
    return TideSource(port, harmonicsFor(port));
}

QString PredictionSource::takeFileProblem() {
    if (!fileUnusable() || problemTold_) return {};
    problemTold_ = true;
    return reason_;
}

int PredictionSource::constituentCount() const {
    return harmonics_ ? static_cast<int>(harmonics_->terms.size()) : 0;
}

} // namespace ondrel
