// Pictures of the water-height chart drawn off screen: a bitmap, an SVG drawing, or an image
// file (PNG, or BMP and the other formats Qt writes, chosen by the file name).
#pragma once

#include "CurveChart.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace ondrel {

QImage CurveBitmap(const CurveData& data, const QSize& size);
QByteArray CurveSvg(const CurveData& data, const QSize& size, const QString& title = {});
// Writes the chart to `file` in the format its name asks for ("BMP" when it has none). Returns an
// empty text, or why the file could not be written.
QString WriteCurveImage(const CurveData& data, const QSize& size, const QString& file);

} // namespace ondrel
