#include "MainViewController.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtQml/QQmlContext>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

MainViewController::MainViewController(QQmlContext *rootContext, QObject *parent)
    : QObject(parent)
{
    if (rootContext)
        rootContext->setContextProperty(QStringLiteral("MainViewController"), this);
}

int MainViewController::availableScreenHeight() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int available = screen ? screen->availableGeometry().height() : 0;
    const QStyle *style = qobject_cast<QApplication *>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    return available - (style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 0);
}

int MainViewController::availableScreenWidth() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 0;
}

void MainViewController::setCurrentPage(MainViewController::Page currentPage)
{
    setCurrentPageAsInt(int(currentPage));
}

void MainViewController::setCurrentPageAsInt(int currentPage)
{
    if (m_currentPage == currentPage)
        return;
    m_currentPage = currentPage;
    emit currentPageChanged(m_currentPage);
}
