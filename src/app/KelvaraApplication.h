#pragma once

#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>

#include <memory>

class Manager;
class QSplashScreen;

/// The application object: splash screen, first-run set-up of the data tree,
/// the settings and the Manager.
class KelvaraApplication : public QApplication
{
    Q_OBJECT
public:
    KelvaraApplication(int &argc, char **argv);
    ~KelvaraApplication() override;

    /// Initialises the Manager, loads the root scene and removes the splash.
    bool startUi();

    Manager *manager() const { return m_manager.get(); }
    QSplashScreen *splashScreen() const { return m_splash; }

    /// Deletes a user configuration written for another configuration version
    /// and a stale "V0.0.28.ini"; then copies the missing built-in files.
    static void prepareApplicationDirectory();
    /// The splash picture; a null pixmap when the resource is damaged.
    static QPixmap splashImage();

public slots:
    void raiseMainWindow();

private:
    void showSplashScreen();
    void showSplashMessage();
    void scheduleScreenshot();

    QSplashScreen *m_splash = nullptr;
    std::unique_ptr<Manager> m_manager;
};
