#pragma once

#include <QtCore/QObject>

/// Keeps the on-screen input method from following the text cursor of the
/// fields it is installed on.
class ImFixer : public QObject
{
    Q_OBJECT
public:
    static ImFixer *instance();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ImFixer() = default;
};
