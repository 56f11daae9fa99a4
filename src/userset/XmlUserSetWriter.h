#pragma once

#include <QtCore/QByteArray>

class QDomDocument;
class UserSet;

/// Writes the object tree as a user-set document.
namespace XmlUserSetWriter {

/// Fills an empty document with the processing instruction and the root.
void write(QDomDocument &document, const UserSet *userSet);
/// Saves a document with every element's attributes in the order the format
/// lists them; the DOM keeps attributes unordered, and its own save would
/// give a different order in every process.
QByteArray saveDocument(const QDomDocument &document);
/// The saved document of a set: UTF-8, indentation 4.
QByteArray toXml(const UserSet *userSet);

} // namespace XmlUserSetWriter
