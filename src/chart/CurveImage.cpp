#include "chart/CurveImage.h"

#include "texts/WholeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ondrel {

CurveData PrintedCurve(const CurveData& shown, bool blackAndWhite) {
    CurveData printed = shown;
    printed.blackAndWhite = blackAndWhite;
    return printed;
}

QImage CurveBitmap(const CurveData& data, const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    RenderCurve(data, painter, QRectF(QPointF(0, 0), QSizeF(size)), QSizeF(size));
    return image;
}

QByteArray CurveSvg(const CurveData& data, const QSize& size, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    {
        QPainter painter(&generator);
        painter.setRenderHint(QPainter::Antialiasing);
        RenderCurve(data, painter, QRectF(QPointF(0, 0), QSizeF(size)), QSizeF(size));
    }
    return bytes;
}

QString WriteCurveImage(const CurveData& data, const QSize& size, const QString& file) {
    QByteArray format = QFileInfo(file).suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) format = "bmp";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(CurveBitmap(data, size))) return writer.errorString();
    return WriteWholeFile(file, bytes);
}

QString WriteCurvePicture(const std::vector<CurvePoint>& points, CurveView view,
                          const QStringList& title, const QSize& size, const QString& file,
                          Language language, const std::function<double(double)>& clock) {
    CurveData data;
    data.points = points;
    data.clock = clock;
    data.view = view;
    data.title = title;
    data.language = language;
    const QByteArray suffix = QFileInfo(file).suffix().toLower().toLatin1();
    QByteArray bytes;
    if (suffix == "svg") {
        bytes = CurveSvg(data, size, title.join(u' '));
    } else {
        const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
        // Never PNG data under a name that says another format.
        if (!suffix.isEmpty() && !formats.contains(suffix))
            return QStringLiteral("pictures cannot be written as .%1 (write .svg or one of: %2)")
                .arg(QString::fromLatin1(suffix), QString::fromLatin1(formats.join(", ")));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, suffix.isEmpty() ? QByteArray("png") : suffix);
        if (!writer.write(CurveBitmap(data, size))) return writer.errorString();
    }
    // A failed write (a full disk, a file-size limit) leaves the old file as it was.
    return WriteWholeFile(file, bytes);
}

void UseOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace ondrel
