#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

class Instrument;
class UserSet;

/// Fixtures shared by the user-set tests.
namespace UserSetTestData {

/// The catalogue built into the resources.
QString builtinCataloguePath();
/// Loads the built-in catalogue; false when it is missing or empty.
bool loadBuiltinCatalogue();
/// The general templates compiled into the resources.
QStringList builtinTemplates();

/// A small but complete document; `instruments` goes inside the one level.
QByteArray minimalDocument(const QByteArray &instruments = QByteArray(),
    const QByteArray &setupAttributes = QByteArray(), const QByteArray &extraRootChildren = QByteArray());
/// Compares two documents element by element and attribute by attribute;
/// returns the first difference, or empty when they agree.
QString compareDocuments(const QByteArray &expected, const QByteArray &actual);
/// Every instrument of every level of the set, each followed by its sub-instruments when asked.
QList<Instrument *> instrumentsOf(const UserSet *set, bool withSubInstruments = false);

} // namespace UserSetTestData
