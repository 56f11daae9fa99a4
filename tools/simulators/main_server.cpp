#include "ServerSimulator.h"
#include "SimulatorCommandLine.h"

#include <QtCore/QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvara-server-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated back-end server for Kelvara: logins, lists, user sets, "
                                                    "firmware, catalogue, service centres, uploads and mail."));
    SimulatorCommandLine::addCommonOptions(parser, ServerSimulator::kDefaultPort);
    SimulatorCommandLine::addServerOptions(parser);
    parser.process(app);

    ServerSimulator simulator;
    quint16 port = 0;
    QString error;
    const bool ok = SimulatorCommandLine::applyCommonOptions(parser, simulator, &port, &error, QStringLiteral("server"))
                    && SimulatorCommandLine::applyServerOptions(parser, simulator, &error);
    if (!ok) {
        std::fprintf(stderr, "kelvara-server-sim: %s\n", qPrintable(error));
        return 2;
    }
    if (!simulator.start(port))
        return 1;
    return app.exec();
}
