#pragma once

#include <QtCore/QCommandLineParser>

class ServerSimulator;
class SimulatorPeer;

/// The options both simulator programs share: where to listen, the data,
/// TLS, and the faults of every peer.
namespace SimulatorCommandLine {

void addCommonOptions(QCommandLineParser &parser, quint16 defaultPort);
/// Applies the shared options to the peer; false with a message for a bad value.
/// Without --data the peer serves a private copy of its built-in demo data,
/// the folder `demoName` ("generator", "server") of the build's demo tree.
bool applyCommonOptions(const QCommandLineParser &parser, SimulatorPeer &peer, quint16 *port, QString *error,
                        const QString &demoName);
/// The options of the simulated server alone: update information, faults, many user sets.
void addServerOptions(QCommandLineParser &parser);
/// Applies them; false with a message for a bad value, the server then unchanged.
bool applyServerOptions(const QCommandLineParser &parser, ServerSimulator &server, QString *error);
/// A whole number from an option, within bounds.
bool intValue(const QCommandLineParser &parser, const QString &name, int minimum, int maximum, int *value,
              QString *error);

} // namespace SimulatorCommandLine
