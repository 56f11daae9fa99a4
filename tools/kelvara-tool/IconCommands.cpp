#include "ToolCommand.h"

#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cmath>
#include <functional>
#include <map>

// The application's icon set. Every icon is drawn on a 96-pixel grid with the
// same stroke weight and two ink colours, so the set reads as one family in
// the menu bar and in the dialogs. Status icons carry a small round badge in
// the lower right corner: green with a tick when the link is up, red with a
// bar when it is down. Never only colour: tick and bar differ in shape too.

namespace {

constexpr int kGrid = 96;
const QColor kInk(0x1F, 0x5F, 0x8B);
const QColor kInkMuted(0x8A, 0x97, 0xA3);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kGood(0x2E, 0x8B, 0x57);
const QColor kBad(0xB3, 0x26, 0x1E);
constexpr double kStroke = 6.0;

QPen inkPen(const QColor &color, double width = kStroke)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void statusBadge(QPainter &painter, bool good)
{
    const QRectF badge(58, 58, 34, 34);
    painter.setPen(inkPen(kPaper, 4));
    painter.setBrush(good ? kGood : kBad);
    painter.drawEllipse(badge);
    painter.setPen(inkPen(kPaper, 5));
    painter.setBrush(Qt::NoBrush);
    if (good) {
        QPainterPath tick;
        tick.moveTo(66, 75);
        tick.lineTo(72, 81);
        tick.lineTo(84, 68);
        painter.drawPath(tick);
    } else {
        painter.drawLine(QPointF(66, 75), QPointF(84, 75));
    }
}

// The back-end server: a cloud over a rack unit.
void server(QPainter &painter, bool connected)
{
    const QColor ink = connected ? kInk : kInkMuted;
    painter.setPen(inkPen(ink));
    painter.setBrush(Qt::NoBrush);
    QPainterPath cloud;
    cloud.moveTo(24, 52);
    cloud.arcTo(QRectF(10, 30, 24, 24), 270, -180);
    cloud.arcTo(QRectF(22, 12, 36, 36), 180, -150);
    cloud.arcTo(QRectF(52, 24, 28, 28), 110, -200);
    cloud.closeSubpath();
    painter.drawPath(cloud);
    painter.drawRoundedRect(QRectF(20, 62, 36, 22), 4, 4);
    painter.drawPoint(QPointF(30, 73));
    painter.drawLine(QPointF(40, 73), QPointF(48, 73));
    painter.drawLine(QPointF(38, 53), QPointF(38, 62));
    statusBadge(painter, connected);
}

// The generator: a front panel with a display and two output sockets.
void generator(QPainter &painter, bool connected)
{
    const QColor ink = connected ? kInk : kInkMuted;
    painter.setPen(inkPen(ink));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(8, 18, 72, 56), 8, 8);
    painter.drawRoundedRect(QRectF(18, 28, 30, 18), 3, 3);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(26, 60), 3, 3);
    painter.drawEllipse(QPointF(40, 60), 3, 3);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(58, 30), QPointF(70, 30));
    painter.drawLine(QPointF(58, 42), QPointF(70, 42));
    painter.drawLine(QPointF(20, 74), QPointF(20, 82));
    painter.drawLine(QPointF(68, 74), QPointF(68, 82));
    statusBadge(painter, connected);
}

void moduleMenu(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column)
            painter.drawRoundedRect(QRectF(14 + column * 38, 14 + row * 38, 30, 30), 6, 6);
    }
}

void user(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(48, 32), 16, 16);
    QPainterPath shoulders;
    shoulders.moveTo(16, 84);
    shoulders.cubicTo(16, 58, 80, 58, 80, 84);
    painter.drawPath(shoulders);
}

void language(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    const QRectF globe(12, 12, 72, 72);
    painter.drawEllipse(globe);
    painter.drawEllipse(QRectF(32, 12, 32, 72));
    painter.drawLine(QPointF(48, 12), QPointF(48, 84));
    painter.drawLine(QPointF(14, 48), QPointF(82, 48));
    painter.drawLine(QPointF(20, 30), QPointF(76, 30));
    painter.drawLine(QPointF(20, 66), QPointF(76, 66));
}

void info(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(12, 12, 72, 72));
    painter.setPen(inkPen(kInk, 8));
    painter.drawPoint(QPointF(48, 30));
    painter.drawLine(QPointF(48, 44), QPointF(48, 68));
}

void copyModule(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(kPaper);
    painter.drawRoundedRect(QRectF(14, 10, 46, 58), 6, 6);
    painter.drawRoundedRect(QRectF(36, 28, 46, 58), 6, 6);
    painter.drawLine(QPointF(46, 44), QPointF(72, 44));
    painter.drawLine(QPointF(46, 56), QPointF(72, 56));
    painter.drawLine(QPointF(46, 68), QPointF(62, 68));
}

void updateModule(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(14, 14, 68, 68), 120 * 16, 300 * 16);
    QPainterPath head;
    head.moveTo(22, 20);
    head.lineTo(28, 36);
    head.lineTo(42, 26);
    painter.drawPath(head);
    painter.drawLine(QPointF(48, 64), QPointF(48, 34));
    painter.drawLine(QPointF(48, 34), QPointF(38, 44));
    painter.drawLine(QPointF(48, 34), QPointF(58, 44));
}

void chronoModule(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(12, 14, 70, 70));
    painter.drawLine(QPointF(47, 49), QPointF(47, 28));
    painter.drawLine(QPointF(47, 49), QPointF(62, 58));
    painter.drawLine(QPointF(40, 8), QPointF(54, 8));
}

void contactModule(QPainter &painter)
{
    painter.setPen(inkPen(kInk));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(10, 22, 76, 52), 6, 6);
    QPainterPath flap;
    flap.moveTo(12, 26);
    flap.lineTo(48, 52);
    flap.lineTo(84, 26);
    painter.drawPath(flap);
}

// The product mark of the splash screen, for the login page header.
void mark(QPainter &painter)
{
    QPen pen = inkPen(kInk, 6);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(8, 8, 80, 80));
    QPainterPath wave;
    const double left = 22;
    const double width = 52;
    wave.moveTo(left, 48);
    for (int i = 1; i <= 60; ++i) {
        const double t = i / 60.0;
        wave.lineTo(left + t * width, 48 - 15 * std::sin(t * 3.0 * 2.0 * M_PI) * std::sin(t * M_PI));
    }
    pen.setWidthF(5);
    painter.setPen(pen);
    painter.drawPath(wave);
}

using Painter = std::function<void(QPainter &)>;

const std::map<QString, Painter> &icons()
{
    static const std::map<QString, Painter> table = {
        {QStringLiteral("halvo_connected"), [](QPainter &p) { server(p, true); }},
        {QStringLiteral("halvo_disconnected"), [](QPainter &p) { server(p, false); }},
        {QStringLiteral("qelo3_connected"), [](QPainter &p) { generator(p, true); }},
        {QStringLiteral("qelo3_disconnected"), [](QPainter &p) { generator(p, false); }},
        {QStringLiteral("module_menu"), moduleMenu},
        {QStringLiteral("user"), user},
        {QStringLiteral("language"), language},
        {QStringLiteral("info"), info},
        {QStringLiteral("module_copy"), copyModule},
        {QStringLiteral("module_update"), updateModule},
        {QStringLiteral("module_chrono"), chronoModule},
        {QStringLiteral("module_contact"), contactModule},
        {QStringLiteral("kelvara_mark"), mark},
    };
    return table;
}

QImage paintIcon(const Painter &painter, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(size) / kGrid, double(size) / kGrid);
    painter(p);
    p.end();
    return image;
}

int run(const QStringList &arguments)
{
    if (arguments.size() == 1 && arguments.at(0) == QLatin1String("list")) {
        QByteArray names;
        for (const auto &entry : icons())
            names += entry.first.toUtf8() + '\n';
        toolPrint(names);
        return 0;
    }
    if (arguments.size() < 2 || arguments.size() > 3) {
        toolError(QStringLiteral("usage: kelvara-tool icon NAME OUT.png [SIZE] | icon list"));
        return 2;
    }
    const auto found = icons().find(arguments.at(0));
    if (found == icons().end()) {
        toolError(QStringLiteral("unknown icon '%1'").arg(arguments.at(0)));
        return 2;
    }
    bool ok = true;
    const int size = arguments.size() == 3 ? arguments.at(2).toInt(&ok) : kGrid;
    if (!ok || size < 16 || size > 1024) {
        toolError(QStringLiteral("size must be 16 to 1024 pixels"));
        return 2;
    }
    if (!paintIcon(found->second, size).save(arguments.at(1), "PNG")) {
        toolError(QStringLiteral("cannot write %1").arg(arguments.at(1)));
        return 1;
    }
    return 0;
}

const ToolCommand kIcon("icon", "icon NAME OUT.png [SIZE] | icon list", run, true);

} // namespace
