#include "ToolCommand.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QList>
#include <QtGui/QGuiApplication>

#include <memory>

#include <cstdio>

namespace {

QList<const ToolCommand *> &registry()
{
    static QList<const ToolCommand *> commands;
    return commands;
}

int usage()
{
    std::fprintf(stderr, "usage: kelvara-tool <command> [arguments]\n\ncommands:\n");
    for (const ToolCommand *command : registry())
        std::fprintf(stderr, "  %s\n", command->usage);
    return 2;
}

} // namespace

ToolCommand::ToolCommand(const char *name, const char *usage, Handler handler, bool needsGui)
    : name(name)
    , usage(usage)
    , handler(std::move(handler))
    , needsGui(needsGui)
{
    registry().append(this);
}

void toolError(const QString &message)
{
    std::fprintf(stderr, "kelvara-tool: %s\n", qPrintable(message));
}

void toolPrint(const QByteArray &text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

int main(int argc, char *argv[])
{
    const QByteArray name = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const ToolCommand *chosen = nullptr;
    for (const ToolCommand *command : registry()) {
        if (name == command->name)
            chosen = command;
    }
    if (!chosen) {
        if (!name.isEmpty())
            toolError(QStringLiteral("unknown command '%1'").arg(QString::fromLocal8Bit(name)));
        return usage();
    }
    std::unique_ptr<QCoreApplication> app;
    if (chosen->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return chosen->handler(QCoreApplication::arguments().mid(2));
}
