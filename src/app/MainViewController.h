#pragma once

#include <QtCore/QObject>

class QQmlContext;

/// Which module page the main window shows, and the screen size it may use.
class MainViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int currentPage READ currentPage WRITE setCurrentPageAsInt NOTIFY currentPageChanged)
    Q_PROPERTY(QString versionInfo READ versionInfo CONSTANT)
    Q_PROPERTY(int availableScreenHeight READ availableScreenHeight CONSTANT)
    Q_PROPERTY(int availableScreenWidth READ availableScreenWidth CONSTANT)
public:
    enum Page {
        PAGE_LOGIN = 0,
        PAGE_CHRONO = 1,
        PAGE_CONTACT = 2,
        PAGE_COPY = 3,
        PAGE_UPDATE = 4,
        CLOSE_APP = 5,
    };
    Q_ENUM(Page)

    /// Publishes itself as "MainViewController" in `rootContext` (may be null).
    MainViewController(QQmlContext *rootContext, QObject *parent = nullptr);

    int currentPage() const { return m_currentPage; }
    QString versionInfo() const { return QString(); }
    int availableScreenHeight() const;
    int availableScreenWidth() const;

public slots:
    void setCurrentPage(MainViewController::Page currentPage);
    void setCurrentPageAsInt(int currentPage);

signals:
    void currentPageChanged(int currentPage);

private:
    int m_currentPage = PAGE_LOGIN;
};
