#include "ImFixer.h"

#include <QtCore/QRectF>
#include <QtGui/QInputMethodQueryEvent>

ImFixer *ImFixer::instance()
{
    static ImFixer *fixer = new ImFixer;
    return fixer;
}

bool ImFixer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethodQuery) {
        auto *query = static_cast<QInputMethodQueryEvent *>(event);
        if (query->queries() == Qt::ImCursorRectangle) {
            query->setValue(Qt::ImCursorRectangle, QRectF());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
