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

// The list's status and section icons: drawn heavier, as they are shown
// small beside the text.
void chevron(QPainter &painter, bool open)
{
    painter.setPen(inkPen(kInk, 9));
    painter.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (open) {
        path.moveTo(24, 36);
        path.lineTo(48, 60);
        path.lineTo(72, 36);
    } else {
        path.moveTo(36, 24);
        path.lineTo(60, 48);
        path.lineTo(36, 72);
    }
    painter.drawPath(path);
}

void checkbox(QPainter &painter, bool checked)
{
    painter.setPen(inkPen(checked ? kInk : kInkMuted, 6));
    painter.setBrush(checked ? kInk : kPaper);
    painter.drawRoundedRect(QRectF(14, 14, 68, 68), 12, 12);
    if (checked) {
        painter.setPen(inkPen(kPaper, 9));
        QPainterPath tick;
        tick.moveTo(30, 49);
        tick.lineTo(42, 61);
        tick.lineTo(66, 36);
        painter.drawPath(tick);
    }
}

void download(QPainter &painter)
{
    painter.setPen(inkPen(kGood, 8));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(48, 12), QPointF(48, 58));
    QPainterPath head;
    head.moveTo(30, 42);
    head.lineTo(48, 60);
    head.lineTo(66, 42);
    painter.drawPath(head);
    QPainterPath tray;
    tray.moveTo(16, 62);
    tray.lineTo(16, 82);
    tray.lineTo(80, 82);
    tray.lineTo(80, 62);
    painter.drawPath(tray);
}

void database(QPainter &painter)
{
    painter.setPen(inkPen(kInk, 7));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(18, 12, 60, 20));
    painter.drawLine(QPointF(18, 22), QPointF(18, 74));
    painter.drawLine(QPointF(78, 22), QPointF(78, 74));
    painter.drawArc(QRectF(18, 64, 60, 20), 180 * 16, 180 * 16);
    painter.drawArc(QRectF(18, 38, 60, 20), 180 * 16, 180 * 16);
}

// The program-group pictograms: one motif of the discipline each, in a
// rounded frame, so that a group reads at a glance in the lists.
void pictogramFrame(QPainter &painter)
{
    painter.setPen(inkPen(kInk, 4));
    painter.setBrush(kPaper);
    painter.drawRoundedRect(QRectF(4, 4, 88, 88), 16, 16);
    painter.setPen(inkPen(kInk, 5));
    painter.setBrush(Qt::NoBrush);
}

void pgGeneral(QPainter &painter) // scalpel
{
    pictogramFrame(painter);
    QPainterPath blade;
    blade.moveTo(24, 72);
    blade.lineTo(52, 44);
    blade.cubicTo(62, 34, 74, 30, 76, 22);
    blade.cubicTo(70, 36, 64, 48, 56, 52);
    blade.closeSubpath();
    painter.drawPath(blade);
    painter.drawLine(QPointF(24, 72), QPointF(18, 78));
}

void pgDerma(QPainter &painter) // skin layers with a hair
{
    pictogramFrame(painter);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath wave;
        const double y = 40 + layer * 14;
        wave.moveTo(18, y);
        wave.cubicTo(30, y - 8, 36, y + 8, 48, y);
        wave.cubicTo(60, y - 8, 66, y + 8, 78, y);
        painter.drawPath(wave);
    }
    painter.drawLine(QPointF(40, 40), QPointF(34, 20));
}

void pgGastro(QPainter &painter) // stomach
{
    pictogramFrame(painter);
    QPainterPath stomach;
    stomach.moveTo(36, 16);
    stomach.lineTo(38, 32);
    stomach.cubicTo(18, 44, 24, 78, 50, 76);
    stomach.cubicTo(70, 74, 80, 60, 72, 46);
    stomach.cubicTo(66, 36, 56, 40, 52, 34);
    stomach.lineTo(50, 16);
    painter.drawPath(stomach);
    painter.drawLine(QPointF(72, 62), QPointF(80, 70));
}

void pgGyn(QPainter &painter) // female sign
{
    pictogramFrame(painter);
    painter.drawEllipse(QPointF(48, 38), 18, 18);
    painter.drawLine(QPointF(48, 56), QPointF(48, 82));
    painter.drawLine(QPointF(36, 70), QPointF(60, 70));
}

void pgEnt(QPainter &painter) // ear
{
    pictogramFrame(painter);
    QPainterPath ear;
    ear.moveTo(34, 40);
    ear.cubicTo(34, 14, 72, 12, 70, 42);
    ear.cubicTo(69, 56, 56, 58, 56, 70);
    ear.cubicTo(56, 82, 40, 84, 38, 72);
    painter.drawPath(ear);
    QPainterPath inner;
    inner.moveTo(46, 42);
    inner.cubicTo(46, 30, 60, 30, 58, 44);
    inner.cubicTo(57, 50, 50, 50, 50, 56);
    painter.drawPath(inner);
}

void pgCardio(QPainter &painter) // heart with a pulse
{
    pictogramFrame(painter);
    QPainterPath heart;
    heart.moveTo(48, 78);
    heart.cubicTo(14, 56, 14, 22, 36, 22);
    heart.cubicTo(44, 22, 48, 30, 48, 34);
    heart.cubicTo(48, 30, 52, 22, 60, 22);
    heart.cubicTo(82, 22, 82, 56, 48, 78);
    painter.drawPath(heart);
    QPainterPath pulse;
    pulse.moveTo(28, 48);
    pulse.lineTo(40, 48);
    pulse.lineTo(45, 38);
    pulse.lineTo(52, 58);
    pulse.lineTo(57, 48);
    pulse.lineTo(68, 48);
    painter.setPen(inkPen(kInk, 4));
    painter.drawPath(pulse);
}

void pgNeuro(QPainter &painter) // brain
{
    pictogramFrame(painter);
    QPainterPath brain;
    brain.moveTo(48, 24);
    brain.cubicTo(40, 14, 22, 20, 24, 34);
    brain.cubicTo(12, 40, 16, 60, 28, 62);
    brain.cubicTo(30, 76, 46, 78, 48, 70);
    brain.cubicTo(50, 78, 66, 76, 68, 62);
    brain.cubicTo(80, 60, 84, 40, 72, 34);
    brain.cubicTo(74, 20, 56, 14, 48, 24);
    painter.drawPath(brain);
    painter.drawLine(QPointF(48, 24), QPointF(48, 70));
    painter.drawArc(QRectF(26, 38, 16, 12), 0, 180 * 16);
    painter.drawArc(QRectF(54, 46, 16, 12), 0, -180 * 16);
}

void pgNeutral(QPainter &painter) // a plain list
{
    pictogramFrame(painter);
    for (int row = 0; row < 3; ++row) {
        const double y = 32 + row * 16;
        painter.drawPoint(QPointF(26, y));
        painter.drawLine(QPointF(38, y), QPointF(70, y));
    }
}

void pgOphta(QPainter &painter) // eye
{
    pictogramFrame(painter);
    QPainterPath eye;
    eye.moveTo(14, 48);
    eye.cubicTo(30, 22, 66, 22, 82, 48);
    eye.cubicTo(66, 74, 30, 74, 14, 48);
    painter.drawPath(eye);
    painter.drawEllipse(QPointF(48, 48), 12, 12);
    painter.setBrush(kInk);
    painter.drawEllipse(QPointF(48, 48), 4, 4);
}

void pgPulmo(QPainter &painter) // lungs and windpipe
{
    pictogramFrame(painter);
    painter.drawLine(QPointF(48, 14), QPointF(48, 46));
    painter.drawLine(QPointF(48, 46), QPointF(40, 54));
    painter.drawLine(QPointF(48, 46), QPointF(56, 54));
    QPainterPath left;
    left.moveTo(40, 34);
    left.cubicTo(24, 30, 16, 60, 18, 76);
    left.cubicTo(28, 80, 40, 76, 40, 64);
    left.closeSubpath();
    painter.drawPath(left);
    QPainterPath right;
    right.moveTo(56, 34);
    right.cubicTo(72, 30, 80, 60, 78, 76);
    right.cubicTo(68, 80, 56, 76, 56, 64);
    right.closeSubpath();
    painter.drawPath(right);
}

void pgUro(QPainter &painter) // kidney and ureter
{
    pictogramFrame(painter);
    QPainterPath kidney;
    kidney.moveTo(52, 24);
    kidney.cubicTo(30, 12, 16, 36, 22, 54);
    kidney.cubicTo(28, 74, 52, 76, 56, 60);
    kidney.cubicTo(58, 52, 46, 50, 48, 42);
    kidney.cubicTo(50, 36, 60, 32, 52, 24);
    painter.drawPath(kidney);
    QPainterPath ureter;
    ureter.moveTo(52, 48);
    ureter.cubicTo(64, 50, 70, 62, 72, 80);
    painter.drawPath(ureter);
}

void pgUser(QPainter &painter) // a person
{
    pictogramFrame(painter);
    painter.drawEllipse(QPointF(48, 36), 12, 12);
    QPainterPath shoulders;
    shoulders.moveTo(24, 76);
    shoulders.cubicTo(24, 54, 72, 54, 72, 76);
    painter.drawPath(shoulders);
}

// The instrument images of the program editor. Each motif is drawn along the
// diagonal, grip lower left and working tip upper right, so the set lines up
// in a list. The white variant stands on a filled tile (the editor's rows),
// the grey one on nothing (the catalogue menus): same motif, same weight.
using Motif = std::function<void(QPainter &)>;

void grip(QPainter &painter)
{
    painter.drawRoundedRect(QRectF(-40, -7, 34, 14), 5, 5);
    painter.drawLine(QPointF(-6, 0), QPointF(4, 0));
}

void tipBlade(QPainter &painter)
{
    QPainterPath blade;
    blade.moveTo(4, -4);
    blade.lineTo(30, -4);
    blade.lineTo(38, 0);
    blade.lineTo(30, 4);
    blade.lineTo(4, 4);
    painter.drawPath(blade);
}

void gasDots(QPainter &painter, double x)
{
    painter.drawPoint(QPointF(x, -12));
    painter.drawPoint(QPointF(x + 8, 0));
    painter.drawPoint(QPointF(x, 12));
}

void fingerButtons(QPainter &painter)
{
    painter.drawLine(QPointF(-32, -11), QPointF(-26, -11));
    painter.drawLine(QPointF(-20, -11), QPointF(-14, -11));
}

const std::map<QString, Motif> &instrumentMotifs()
{
    static const std::map<QString, Motif> table = {
        {QStringLiteral("monopolar"), [](QPainter &p) { grip(p); p.drawLine(QPointF(4, 0), QPointF(34, 0)); }},
        {QStringLiteral("bipolar"), [](QPainter &p) {
             grip(p);
             p.drawLine(QPointF(4, -3), QPointF(36, -9));
             p.drawLine(QPointF(4, 3), QPointF(36, 9));
         }},
        {QStringLiteral("argon"), [](QPainter &p) { grip(p); p.drawLine(QPointF(4, 0), QPointF(22, 0)); gasDots(p, 30); }},
        {QStringLiteral("monopolar_messer"), [](QPainter &p) { grip(p); fingerButtons(p); tipBlade(p); }},
        {QStringLiteral("monopolar_kugel"), [](QPainter &p) {
             grip(p); fingerButtons(p);
             p.drawLine(QPointF(4, 0), QPointF(24, 0));
             p.drawEllipse(QPointF(31, 0), 7, 7);
         }},
        {QStringLiteral("monopolar_schlinge"), [](QPainter &p) {
             p.drawLine(QPointF(-40, -3), QPointF(8, -3));
             p.drawLine(QPointF(-40, 3), QPointF(8, 3));
             p.drawEllipse(QRectF(8, -12, 30, 24));
         }},
        {QStringLiteral("monopolar_handstueck"), [](QPainter &p) {
             p.drawRoundedRect(QRectF(-40, -9, 46, 18), 7, 7);
             p.drawEllipse(QPointF(-24, 0), 3, 3);
             p.drawEllipse(QPointF(-10, 0), 3, 3);
             p.drawLine(QPointF(6, 0), QPointF(34, 0));
         }},
        {QStringLiteral("monopolar_multi"), [](QPainter &p) {
             grip(p); fingerButtons(p);
             p.drawLine(QPointF(4, 0), QPointF(36, 0));
             p.drawLine(QPointF(14, 0), QPointF(30, -12));
             p.drawLine(QPointF(14, 0), QPointF(30, 12));
         }},
        {QStringLiteral("monopolar_nadel"), [](QPainter &p) {
             grip(p);
             QPainterPath needle;
             needle.moveTo(4, -2);
             needle.lineTo(38, 0);
             needle.lineTo(4, 2);
             p.drawPath(needle);
         }},
        {QStringLiteral("monopolar_spatel"), [](QPainter &p) {
             grip(p);
             p.drawLine(QPointF(4, 0), QPointF(20, 0));
             p.drawRoundedRect(QRectF(20, -8, 18, 16), 8, 8);
         }},
        {QStringLiteral("bipolar_pinzette"), [](QPainter &p) {
             p.drawLine(QPointF(-40, -3), QPointF(38, -12));
             p.drawLine(QPointF(-40, 3), QPointF(38, 12));
             p.drawLine(QPointF(-40, -3), QPointF(-40, 3));
         }},
        {QStringLiteral("bipolar_schere"), [](QPainter &p) {
             p.drawEllipse(QPointF(-32, -10), 8, 8);
             p.drawEllipse(QPointF(-32, 10), 8, 8);
             p.drawLine(QPointF(-25, -6), QPointF(38, 6));
             p.drawLine(QPointF(-25, 6), QPointF(38, -6));
         }},
        {QStringLiteral("bipolar_seal"), [](QPainter &p) {
             p.drawLine(QPointF(-40, 0), QPointF(4, 0));
             p.drawRoundedRect(QRectF(4, -12, 32, 9), 3, 3);
             p.drawRoundedRect(QRectF(4, 3, 32, 9), 3, 3);
         }},
        {QStringLiteral("argon_sonde"), [](QPainter &p) {
             p.drawLine(QPointF(-40, 0), QPointF(20, 0));
             gasDots(p, 28);
         }},
        {QStringLiteral("argon_applikator"), [](QPainter &p) {
             grip(p); fingerButtons(p);
             p.drawLine(QPointF(4, -4), QPointF(18, -2));
             p.drawLine(QPointF(4, 4), QPointF(18, 2));
             gasDots(p, 26);
         }},
        {QStringLiteral("argon_messer"), [](QPainter &p) {
             grip(p); fingerButtons(p);
             p.drawLine(QPointF(4, 0), QPointF(24, 0));
             gasDots(p, 30);
         }},
        {QStringLiteral("hybrid_vex"), [](QPainter &p) {
             grip(p);
             p.drawLine(QPointF(4, 0), QPointF(38, 0));
             QPainterPath wave;
             wave.moveTo(10, -12);
             wave.cubicTo(16, -18, 22, -6, 28, -12);
             p.drawPath(wave);
             wave.translate(0, 24);
             p.drawPath(wave);
         }},
        {QStringLiteral("iosk_schlinge"), [](QPainter &p) {
             p.drawRoundedRect(QRectF(-40, -8, 46, 16), 4, 4);
             p.drawLine(QPointF(6, 0), QPointF(20, 0));
             p.drawArc(QRectF(18, -12, 20, 24), 90 * 16, -180 * 16);
         }},
        {QStringLiteral("iosk_bipolar"), [](QPainter &p) {
             p.drawRoundedRect(QRectF(-40, -8, 46, 16), 4, 4);
             p.drawLine(QPointF(6, -3), QPointF(24, -10));
             p.drawLine(QPointF(6, 3), QPointF(24, 10));
             p.drawArc(QRectF(18, -10, 20, 20), 90 * 16, -180 * 16);
         }},
    };
    return table;
}

// The activation types: hand switch, one or two pedals (the active one of a
// split pair filled), automatic start and stop, none.
void pedal(QPainter &painter, const QRectF &box, bool filled, const QColor &ink)
{
    QPainterPath path;
    path.moveTo(box.left() + 4, box.top());
    path.lineTo(box.right() - 4, box.top());
    path.lineTo(box.right(), box.bottom());
    path.lineTo(box.left(), box.bottom());
    path.closeSubpath();
    painter.setBrush(filled ? QBrush(ink) : QBrush(Qt::NoBrush));
    painter.drawPath(path);
    painter.setBrush(Qt::NoBrush);
}

using ActivationMotif = std::function<void(QPainter &, const QColor &)>;

const std::map<QString, ActivationMotif> &activationMotifs()
{
    static const std::map<QString, ActivationMotif> table = {
        {QStringLiteral("hand"), [](QPainter &p, const QColor &ink) { // a fingertip on the handle's switch
             p.drawRoundedRect(QRectF(10, 56, 76, 18), 8, 8);
             p.setBrush(ink);
             p.drawRoundedRect(QRectF(36, 48, 18, 8), 3, 3);
             p.setBrush(Qt::NoBrush);
             QPainterPath finger;
             finger.moveTo(32, 12);
             finger.lineTo(34, 30);
             finger.cubicTo(35, 44, 55, 44, 56, 30);
             finger.lineTo(58, 12);
             p.drawPath(finger);
         }},
        {QStringLiteral("1FuS"), [](QPainter &p, const QColor &ink) { pedal(p, QRectF(30, 22, 36, 54), false, ink); }},
        {QStringLiteral("2FuS"), [](QPainter &p, const QColor &ink) {
             pedal(p, QRectF(14, 22, 30, 54), false, ink);
             pedal(p, QRectF(52, 22, 30, 54), false, ink);
         }},
        {QStringLiteral("2FuS_CUT"), [](QPainter &p, const QColor &ink) {
             pedal(p, QRectF(14, 22, 30, 54), true, ink);
             pedal(p, QRectF(52, 22, 30, 54), false, ink);
         }},
        {QStringLiteral("2FuS_COAG"), [](QPainter &p, const QColor &ink) {
             pedal(p, QRectF(14, 22, 30, 54), false, ink);
             pedal(p, QRectF(52, 22, 30, 54), true, ink);
         }},
        {QStringLiteral("autostart"), [](QPainter &p, const QColor &ink) {
             p.drawEllipse(QRectF(14, 14, 68, 68));
             QPainterPath play;
             play.moveTo(40, 32);
             play.lineTo(62, 48);
             play.lineTo(40, 64);
             play.closeSubpath();
             p.setBrush(ink);
             p.drawPath(play);
             p.setBrush(Qt::NoBrush);
         }},
        {QStringLiteral("autostop"), [](QPainter &p, const QColor &ink) {
             p.drawEllipse(QRectF(14, 14, 68, 68));
             p.setBrush(ink);
             p.drawRect(QRectF(36, 36, 24, 24));
             p.setBrush(Qt::NoBrush);
         }},
        {QStringLiteral("no_activation"), [](QPainter &p, const QColor &) {
             p.drawEllipse(QRectF(16, 16, 64, 64));
             p.drawLine(QPointF(26, 70), QPointF(70, 26));
         }},
    };
    return table;
}

const QColor kInkGrey(0x6B, 0x78, 0x84);

// A white motif on the ink tile, or a grey one without a tile.
void onTile(QPainter &painter, bool white)
{
    if (white) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        painter.drawRoundedRect(QRectF(2, 2, 92, 92), 18, 18);
    }
    painter.setPen(inkPen(white ? kPaper : kInkGrey, 5));
    painter.setBrush(Qt::NoBrush);
}

// "CopyModul/Instrumente/instrument_weiss_monopolar_kugel.png" and the like.
bool findEditorImage(const QString &name, std::function<void(QPainter &)> &painter)
{
    static const QString instrumentPrefix = QStringLiteral("CopyModul/Instrumente/instrument_");
    static const QString activationPrefix = QStringLiteral("CopyModul/Aktivierungselemente/aktivierungsart_");
    QString rest;
    if (name.startsWith(instrumentPrefix))
        rest = name.mid(instrumentPrefix.size());
    else if (name.startsWith(activationPrefix))
        rest = name.mid(activationPrefix.size());
    else
        return false;
    const bool white = rest.startsWith(QLatin1String("weiss_"));
    if (!white && !rest.startsWith(QLatin1String("grau_")))
        return false;
    QString motif = rest.mid(white ? 6 : 5);
    if (motif.endsWith(QLatin1String(".png")))
        motif.chop(4);
    if (name.startsWith(instrumentPrefix)) {
        const auto found = instrumentMotifs().find(motif);
        if (found == instrumentMotifs().end())
            return false;
        const Motif draw = found->second;
        painter = [white, draw](QPainter &p) {
            onTile(p, white);
            p.translate(48, 48);
            p.rotate(-45);
            draw(p);
        };
        return true;
    }
    const auto found = activationMotifs().find(motif);
    if (found == activationMotifs().end())
        return false;
    const ActivationMotif draw = found->second;
    painter = [white, draw](QPainter &p) {
        onTile(p, white);
        draw(p, white ? kPaper : kInkGrey);
    };
    return true;
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
        {QStringLiteral("128x128_content-elemente/akkordeon_open"), [](QPainter &p) { chevron(p, true); }},
        {QStringLiteral("128x128_content-elemente/akkordeon_close"), [](QPainter &p) { chevron(p, false); }},
        {QStringLiteral("128x128_content-elemente/checkbox_complete"), [](QPainter &p) { checkbox(p, true); }},
        {QStringLiteral("128x128_content-elemente/checkbox_empty"), [](QPainter &p) { checkbox(p, false); }},
        {QStringLiteral("128x128_content-elemente/herunterladen"), download},
        {QStringLiteral("128x128_content-elemente/database"), database},
        {QStringLiteral("CopyModul/Programmgruppen/pg_allgemein"), pgGeneral},
        {QStringLiteral("CopyModul/Programmgruppen/pg_derma"), pgDerma},
        {QStringLiteral("CopyModul/Programmgruppen/pg_gastro"), pgGastro},
        {QStringLiteral("CopyModul/Programmgruppen/pg_gyn"), pgGyn},
        {QStringLiteral("CopyModul/Programmgruppen/pg_hno"), pgEnt},
        {QStringLiteral("CopyModul/Programmgruppen/pg_kardio"), pgCardio},
        {QStringLiteral("CopyModul/Programmgruppen/pg_neuro"), pgNeuro},
        {QStringLiteral("CopyModul/Programmgruppen/pg_neutral"), pgNeutral},
        {QStringLiteral("CopyModul/Programmgruppen/pg_ophta"), pgOphta},
        {QStringLiteral("CopyModul/Programmgruppen/pg_pneu"), pgPulmo},
        {QStringLiteral("CopyModul/Programmgruppen/pg_urologie"), pgUro},
        {QStringLiteral("CopyModul/Programmgruppen/pg_user"), pgUser},
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

bool findPainter(const QString &name, Painter &painter)
{
    const auto found = icons().find(name);
    if (found != icons().end()) {
        painter = found->second;
        return true;
    }
    return findEditorImage(name, painter);
}

// Many images in one call keep the build from starting the tool per image.
int runBatch(const QStringList &arguments)
{
    bool ok = true;
    const int size = arguments.value(2).toInt(&ok);
    if (arguments.size() < 4 || !ok || size < 16 || size > 1024) {
        toolError(QStringLiteral("usage: kelvara-tool icon batch OUTDIR SIZE NAME..."));
        return 2;
    }
    for (int i = 3; i < arguments.size(); ++i) {
        Painter painter;
        if (!findPainter(arguments.at(i), painter)) {
            toolError(QStringLiteral("unknown icon '%1'").arg(arguments.at(i)));
            return 2;
        }
        QString file = arguments.at(1) + QLatin1Char('/') + arguments.at(i);
        if (!file.endsWith(QLatin1String(".png")))
            file += QLatin1String(".png");
        if (!paintIcon(painter, size).save(file, "PNG")) {
            toolError(QStringLiteral("cannot write %1").arg(file));
            return 1;
        }
    }
    return 0;
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
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("batch"))
        return runBatch(arguments);
    if (arguments.size() < 2 || arguments.size() > 3) {
        toolError(QStringLiteral("usage: kelvara-tool icon NAME OUT.png [SIZE] | icon batch OUTDIR SIZE NAME... | icon list"));
        return 2;
    }
    Painter painter;
    if (!findPainter(arguments.at(0), painter)) {
        toolError(QStringLiteral("unknown icon '%1'").arg(arguments.at(0)));
        return 2;
    }
    bool ok = true;
    const int size = arguments.size() == 3 ? arguments.at(2).toInt(&ok) : kGrid;
    if (!ok || size < 16 || size > 1024) {
        toolError(QStringLiteral("size must be 16 to 1024 pixels"));
        return 2;
    }
    if (!paintIcon(painter, size).save(arguments.at(1), "PNG")) {
        toolError(QStringLiteral("cannot write %1").arg(arguments.at(1)));
        return 1;
    }
    return 0;
}

const ToolCommand kIcon("icon", "icon NAME OUT.png [SIZE] | icon batch OUTDIR SIZE NAME... | icon list", run, true);

} // namespace
