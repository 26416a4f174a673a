// Pictures of the water-height chart drawn off screen: a bitmap, an SVG drawing, or an image
// file (PNG, or BMP and the other formats Qt writes, chosen by the file name).
#pragma once

#include "chart/CurveChart.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace ondrel {

QImage CurveBitmap(const CurveData& data, const QSize& size);
// The chart as the print shows it: the screen's, position indicator included as on the copy and
// the saved picture, in black on white when asked.
CurveData PrintedCurve(const CurveData& shown, bool blackAndWhite);
QByteArray CurveSvg(const CurveData& data, const QSize& size, const QString& title = {});
// Writes the chart to `file` in the format its name asks for ("BMP" when it has none). Returns an
// empty text, or why the file could not be written.
QString WriteCurveImage(const CurveData& data, const QSize& size, const QString& file);

// The chart of a curve with the default colours, titled with the port's name and the day, as
// ondrel-cli draws it: an SVG drawing when the file name ends in .svg, a bitmap in the format the
// name ends with (PNG when it has none); a format Qt cannot write is refused.
// `clock` gives the time each x reads (the port's legal clock; none: x itself).
QString WriteCurvePicture(const std::vector<CurvePoint>& points, CurveView view,
                          const QStringList& title, const QSize& size, const QString& file,
                          Language language, const std::function<double(double)>& clock = {});
// Makes the widgets usable without a display: the offscreen platform when none is set and no
// display is reachable. To be called before the application object exists.
void UseOffscreenWithoutDisplay();

} // namespace ondrel
