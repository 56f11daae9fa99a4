#pragma once

#include <QtCore/QStringList>

#include <functional>

/// A subcommand group of kelvara-tool ("settings", "userset", ...). Each group
/// registers itself from its own source file through a static ToolCommand.
struct ToolCommand
{
    using Handler = std::function<int(const QStringList &arguments)>;

    ToolCommand(const char *name, const char *usage, Handler handler, bool needsGui = false);

    const char *name;
    const char *usage;
    Handler handler;
    /// Painting commands need a GUI application (offscreen is enough).
    bool needsGui;
};

/// Messages go to stderr, results to stdout.
void toolError(const QString &message);
void toolPrint(const QByteArray &text);
