#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVarLengthArray>

/// The fields of one event record, as views into the record's bytes. A record
/// has a handful of fields, so they live on the stack while it is read.
using ChronoFields = QVarLengthArray<QByteArrayView, 16>;

namespace ChronoField {

/// Splits at every ";", keeping empty fields.
void split(QByteArrayView line, ChronoFields &fields);
ChronoFields views(const QList<QByteArray> &fields);
QList<QByteArray> copies(const ChronoFields &fields);

/// Field `index` as text; empty when the record is shorter.
QString text(const ChronoFields &fields, int index);
/// Field `index` as a decimal number, 0 when it does not parse.
int number(const ChronoFields &fields, int index);

/// White space removed at both ends and inner runs reduced to one blank, as
/// the generator pads some fields. `storage` keeps the bytes a field needed
/// a copy for.
void simplify(ChronoFields &fields, QList<QByteArray> &storage);

/// Date and time texts of a time stamp: "yyyy-MM-dd" and "hh:mm:ss.zzz" of
/// the device's 16-character form, the parts around "T" of the long form,
/// empty otherwise.
void stamp(QByteArrayView field, QString *date, QString *time);

} // namespace ChronoField
