#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>

class UserSet;

/// Reads a user-set document into the object tree with a pull parser. A
/// document that is not a complete, well-formed user set fails; documents
/// with a DTD or absurd nesting are refused before any expansion takes place.
class XmlUserSetReader
{
public:
    /// Deeper documents are refused; a real user set is nine levels deep.
    static constexpr int kMaxDepth = 32;

    /// Fills `userSet` from `data`; on failure the tree may be partly built
    /// and errorMessage() says why.
    bool read(const QByteArray &data, UserSet *userSet);
    QString errorMessage() const { return m_error; }

private:
    QString m_error;
};
