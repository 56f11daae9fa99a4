#pragma once

#include "XmlUserSetReader.h"

#include <QtCore/QByteArray>
#include <QtCore/QObject>
#include <QtCore/QString>

class QDomDocument;
class UserSet;

/// The user-set file as the store and the controllers see it: files and bytes
/// in through `XmlUserSetReader`, documents out through `XmlUserSetWriter`.
/// A document that is not a complete, well-formed user set never counts as loaded.
class XmlUserSetSerializer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxDepth = XmlUserSetReader::kMaxDepth;

    explicit XmlUserSetSerializer(QObject *parent = nullptr);

    /// Reads a file into `userSet`; on failure the set is left empty and not loaded.
    bool readFile(const QString &filePath, UserSet *userSet);
    /// Reads a document from memory into `userSet`.
    bool readBytes(const QByteArray &data, UserSet *userSet);
    /// A new set of `userSetType` read from memory, or null when the document does not load.
    UserSet *readData(const QByteArray &data, int userSetType);

    /// Fills an empty document with the processing instruction and the root.
    void write(QDomDocument &document, const UserSet *userSet);
    /// The saved document: UTF-8, indentation 4, attributes in the format's order.
    QByteArray toXml(const UserSet *userSet);
    /// Attributes in the format's order; see XmlUserSetWriter::saveDocument.
    static QByteArray saveDocument(const QDomDocument &document);

    /// Why the last read failed; empty after a good one.
    QString lastError() const { return m_lastError; }

private:
    QString m_lastError;
};
