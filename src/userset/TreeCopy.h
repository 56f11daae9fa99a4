#pragma once

#include "Logger.h"

#include <QtCore/QList>
#include <QtCore/QString>

/// The child part of copy() shared by every node class of the user-set tree:
/// a clone gets fresh clone children, a restore copies child by child and
/// refuses a source with more children than the target.
template<typename Node, typename Parent>
bool copyTreeChildren(QList<Node *> &children, const QList<Node *> &sourceChildren, bool asClone, Parent *parent,
    const char *functionName)
{
    if (asClone) {
        qDeleteAll(children);
        children.clear();
        children.reserve(sourceChildren.size());
        for (const Node *source : sourceChildren) {
            auto *child = new Node(parent, true);
            child->copy(*source, true);
            children.append(child);
        }
        return true;
    }
    if (sourceChildren.size() > children.size()) {
        Logger::error(QStringLiteral("%1: Invalid clone! clone: %2 elements - this: %3 elements")
                          .arg(QLatin1String(functionName))
                          .arg(sourceChildren.size())
                          .arg(children.size()));
        return false;
    }
    bool ok = true;
    for (int i = 0; i < sourceChildren.size(); ++i)
        ok = children.at(i)->copy(*sourceChildren.at(i), false) && ok;
    return ok;
}
