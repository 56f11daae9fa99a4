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
    parser.addOptions({
        {QStringLiteral("update-info"),
         QStringLiteral("Update information for the application: none (default), info (news only) or blocking "
                        "(an update that blocks the login)."),
         QStringLiteral("mode"), QStringLiteral("none")},
        {QStringLiteral("refuse-logins"), QStringLiteral("Fault: refuse every login.")},
        {QStringLiteral("ignore-logins"), QStringLiteral("Fault: never answer a login.")},
        {QStringLiteral("reject-contact"), QStringLiteral("Fault: reject every contact message.")},
        {QStringLiteral("userset-fault"),
         QStringLiteral("Fault: answer the next N user-set requests with a broken file, or never answer them."),
         QStringLiteral("N|never")},
        {QStringLiteral("many-usersets"),
         QStringLiteral("List N synthetic user sets besides the real downloads (files made on request)."),
         QStringLiteral("N")},
    });
    parser.process(app);

    ServerSimulator simulator;
    quint16 port = 0;
    QString error;
    bool ok = SimulatorCommandLine::applyCommonOptions(parser, simulator, &port, &error, QStringLiteral("server"));
    ServerSimulator::UpdateInfo mode = ServerSimulator::UpdateInfo::None;
    if (ok && !ServerSimulator::parseUpdateInfo(parser.value(QStringLiteral("update-info")), &mode)) {
        ok = false;
        error = QStringLiteral("--update-info is none, info or blocking");
    }
    int userSetFault = 0;
    if (ok && parser.isSet(QStringLiteral("userset-fault"))
        && !ServerSimulator::parseUserSetFault(parser.value(QStringLiteral("userset-fault")), &userSetFault)) {
        ok = false;
        error = QStringLiteral("--userset-fault is a count or never");
    }
    bool countOk = true;
    const int many = parser.isSet(QStringLiteral("many-usersets"))
                         ? parser.value(QStringLiteral("many-usersets")).toInt(&countOk)
                         : 0;
    if (ok && (!countOk || many < 0 || many > 1000000)) {
        ok = false;
        error = QStringLiteral("--many-usersets is a count up to 1000000");
    }
    if (!ok) {
        std::fprintf(stderr, "kelvara-server-sim: %s\n", qPrintable(error));
        return 2;
    }
    simulator.setUpdateInfo(mode);
    simulator.setRefuseLogins(parser.isSet(QStringLiteral("refuse-logins")));
    simulator.setIgnoreLogins(parser.isSet(QStringLiteral("ignore-logins")));
    simulator.setRejectContactMessages(parser.isSet(QStringLiteral("reject-contact")));
    simulator.setUserSetFault(userSetFault);
    simulator.setManyUserSets(many);
    if (!simulator.start(port))
        return 1;
    return app.exec();
}
