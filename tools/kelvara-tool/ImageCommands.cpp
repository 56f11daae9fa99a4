#include "ToolCommand.h"

#include <QtCore/QDataStream>
#include <QtCore/QFile>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cmath>

namespace {

// The product mark: a ring with the sine of a high-frequency current through it.
void paintMark(QPainter &painter, const QRectF &box, const QColor &color)
{
    painter.save();
    QPen pen(color, box.width() * 0.07);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(box.adjusted(pen.widthF(), pen.widthF(), -pen.widthF(), -pen.widthF()));
    QPainterPath wave;
    const double left = box.left() + box.width() * 0.22;
    const double width = box.width() * 0.56;
    const double mid = box.center().y();
    const double amplitude = box.height() * 0.16;
    wave.moveTo(left, mid);
    for (int i = 1; i <= 60; ++i) {
        const double t = i / 60.0;
        wave.lineTo(left + t * width, mid - amplitude * std::sin(t * 3.0 * 2.0 * M_PI) * std::sin(t * M_PI));
    }
    pen.setWidthF(box.width() * 0.05);
    painter.setPen(pen);
    painter.drawPath(wave);
    painter.restore();
}

QImage splash()
{
    QImage image(600, 340, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, image.height());
    background.setColorAt(0.0, QColor(0xF4, 0xF7, 0xFA));
    background.setColorAt(1.0, QColor(0xDD, 0xE6, 0xEE));
    painter.fillRect(image.rect(), background);
    painter.fillRect(QRectF(0, 0, image.width(), 8), QColor(0x1F, 0x5F, 0x8B));

    paintMark(painter, QRectF(48, 92, 120, 120), QColor(0x1F, 0x5F, 0x8B));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(52);
    title.setWeight(QFont::DemiBold);
    painter.setFont(title);
    painter.setPen(QColor(0x17, 0x2B, 0x3A));
    painter.drawText(QRectF(196, 96, 380, 64), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kelvara"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(18);
    painter.setFont(subtitle);
    painter.setPen(QColor(0x4A, 0x5D, 0x6B));
    painter.drawText(QRectF(198, 160, 380, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Service software for QELO 3"));
    painter.end();
    return image;
}

// The splash is the first thing the program draws, before anything else is
// loaded: raw premultiplied pixels behind a size header need no decoder.
bool saveRaw(const QImage &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream stream(&file);
    stream.setByteOrder(QDataStream::BigEndian);
    stream << quint32(image.width()) << quint32(image.height());
    for (int y = 0; y < image.height(); ++y)
        stream.writeRawData(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    return stream.status() == QDataStream::Ok;
}

int run(const QStringList &arguments)
{
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("splash")) {
        const QString &out = arguments.at(1);
        const bool saved = out.endsWith(QLatin1String(".argb")) ? saveRaw(splash(), out) : splash().save(out, "PNG");
        if (!saved) {
            toolError(QStringLiteral("cannot write %1").arg(out));
            return 1;
        }
        return 0;
    }
    toolError(QStringLiteral("usage: kelvara-tool image splash OUT.png|OUT.argb"));
    return 2;
}

const ToolCommand kImage("image", "image splash OUT.png", run, true);

} // namespace
