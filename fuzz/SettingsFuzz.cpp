// Fuzz target: the settings store, read the way the program reads it at start-up.
//
// The input is the settings file itself (the ini text QSettings keeps on this system). Every
// value must be taken, tamed or refused: a crash, a sanitizer report (an overflow in the
// arithmetic on a stored number) or an exception is a finding.
#include "FuzzTarget.h"
#include "state/CurveWindowSettings.h"
#include "state/PageSetup.h"
#include "state/Settings.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace {

using namespace ondrel;

QString ScratchRoot() {
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
}

// Uses what was read the way the windows do, so that an untamed value shows up as an overflow.
void Use(const Settings& s, const CurveWindowSettings& curve, const PageSettings& page) {
    volatile long long sink = 0;
    if (s.bounds) sink = sink + s.bounds->left + s.bounds->width + s.bounds->top + s.bounds->height;
    if (curve.bounds) sink = sink + curve.bounds->right() + curve.bounds->bottom();
    sink = sink + page.margins.left + page.margins.right + page.margins.top + page.margins.bottom;
    const QRect printable = PreviewPrintableArea(QRect(0, 0, 40, 50), page.margins);
    sink = sink + printable.width() + s.printFontSize + s.timeReference.hoursAheadOfUt();
    (void)UnitFactor(s.heightUnit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Values serialised as "@Variant(...)" are decoded by Qt's own QDataStream reader, which
    // allocates whatever length such a value claims; the program never writes them, and what Qt
    // does with them is not the program's to check.
    if (QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .contains("@Variant("))
        return 0;
    static QTemporaryDir dir(ScratchRoot() + QStringLiteral("/ondrel-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Ondrel.conf"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    QSettings store(path, QSettings::IniFormat);
    Use(LoadSettings(store), LoadCurveWindowSettings(store), LoadPageSetup(store));
    (void)LoadPrintSettings(store);
    return 0;
}
