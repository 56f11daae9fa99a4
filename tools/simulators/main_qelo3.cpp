#include "Qelo3Simulator.h"
#include "SimulatorCommandLine.h"

#include <QtCore/QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvara-qelo3-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated QELO 3 generator for Kelvara: answers heartbeats, "
                                                    "identity, user-set and chrono requests, and takes uploads."));
    SimulatorCommandLine::addCommonOptions(parser, Qelo3Simulator::kDefaultPort);
    parser.addOptions({
        {QStringLiteral("protocol-version"),
         QStringLiteral("Protocol version of the generator: 6 (lists and chunked files) or 4 (whole files). "
                        "Default: identity.ini, else 6."),
         QStringLiteral("version")},
        {QStringLiteral("list-type"), QStringLiteral("FileType of the file lists: 2 (default) or 15."),
         QStringLiteral("type")},
        {QStringLiteral("plain-event-log"),
         QStringLiteral("List the event log as .flex even when a .flex.zip of it exists.")},
        {QStringLiteral("chrono-records"),
         QStringLiteral("Serve a generated event log of this many records instead of the stored one."),
         QStringLiteral("records")},
    });
    parser.process(app);

    Qelo3Simulator simulator;
    quint16 port = 0;
    QString error;
    int number = 0;
    bool ok = SimulatorCommandLine::applyCommonOptions(parser, simulator, &port, &error, QStringLiteral("generator"));
    if (ok && parser.isSet(QStringLiteral("protocol-version"))) {
        ok = SimulatorCommandLine::intValue(parser, QStringLiteral("protocol-version"), 1, 100, &number, &error);
        simulator.setProtocolVersion(number);
    }
    if (ok && parser.isSet(QStringLiteral("list-type"))) {
        ok = SimulatorCommandLine::intValue(parser, QStringLiteral("list-type"), 2, 15, &number, &error)
             && (number == 2 || number == 15);
        if (!ok && error.isEmpty())
            error = QStringLiteral("--list-type is 2 or 15");
        simulator.setListFileType(number);
    }
    simulator.setPreferZippedEventLog(!parser.isSet(QStringLiteral("plain-event-log")));
    if (ok && parser.isSet(QStringLiteral("chrono-records"))) {
        ok = SimulatorCommandLine::intValue(parser, QStringLiteral("chrono-records"), 1, 10000000, &number, &error);
        simulator.setChronoRecords(number);
    }
    if (!ok) {
        std::fprintf(stderr, "kelvara-qelo3-sim: %s\n", qPrintable(error));
        return 2;
    }
    if (!simulator.start(port))
        return 1;
    return app.exec();
}
