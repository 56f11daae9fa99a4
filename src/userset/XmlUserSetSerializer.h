#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QObject>
#include <QtCore/QString>

class QDomDocument;
class UserSet;

/// Reads a user-set document into the object tree with a pull parser and
/// writes the tree back through a document tree. A document that is not a
/// complete, well-formed user set never counts as loaded; documents with a
/// DTD or absurd nesting are refused before any expansion takes place.
class XmlUserSetSerializer : public QObject
{
    Q_OBJECT
public:
    /// Deeper documents are refused; a real user set is nine levels deep.
    static constexpr int kMaxDepth = 32;

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
    /// Saves a document with every element's attributes in the order the
    /// format lists them; the DOM itself keeps attributes unordered, and its
    /// own save would give a different order in every process.
    static QByteArray saveDocument(const QDomDocument &document);

    /// Why the last read failed; empty after a good one.
    QString lastError() const { return m_lastError; }

private:
    QString m_lastError;
};
