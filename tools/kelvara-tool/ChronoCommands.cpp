#include "ToolCommand.h"

#include "ChronoEnums.h"
#include "ChronoEventBase.h"
#include "ChronoEventFactory.h"
#include "ChronoFixData.h"
#include "ChronoFlexParser.h"

#include <QtCore/QFileInfo>

// chrono parse FILE [--event RE] [--date TEXT] [--desc TEXT]: the events of a
// ".flex" log as the Chrono page lists them, one per line.
// chrono fix FILE: the lines the page shows for a ".fix" file.

namespace {

int usage()
{
    toolError(QStringLiteral("usage: kelvara-tool chrono parse FILE [--event RE] [--date TEXT] [--desc TEXT] | "
                             "chrono fix FILE"));
    return 2;
}

int parse(const QStringList &arguments)
{
    ChronoFlexParser::Filter filter;
    QString path;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString *option = argument == QLatin1String("--event") ? &filter.event
                        : argument == QLatin1String("--date")  ? &filter.date
                        : argument == QLatin1String("--desc")  ? &filter.description
                                                               : nullptr;
        if (option) {
            if (i + 1 >= arguments.size())
                return usage();
            *option = arguments.at(++i);
        } else if (path.isEmpty()) {
            path = argument;
        } else {
            return usage();
        }
    }
    if (path.isEmpty())
        return usage();
    const ChronoFlexParser::Result result = ChronoFlexParser::parse(path, filter);
    if (!result.readable) {
        toolError(QStringLiteral("cannot read %1").arg(path));
        return 1;
    }
    QByteArray out;
    for (int row = 0; row < result.events.size(); ++row) {
        const std::unique_ptr<ChronoEventBase> event = ChronoEventFactory::create(result.events.line(row));
        const QString keyword = ChronoEnums::eventKeyword(event->type());
        out += (keyword.isEmpty() ? QString::number(event->type()) : keyword).toUtf8();
        out += '\t';
        out += event->date().toUtf8();
        out += '\t';
        out += event->time().toUtf8();
        out += '\t';
        out += event->getDetailString().toUtf8();
        out += '\n';
        if (out.size() > (1 << 20)) {
            toolPrint(out);
            out.clear();
        }
    }
    toolPrint(out);
    return 0;
}

int fix(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return usage();
    ChronoFixData data;
    if (!QFileInfo(arguments.at(0)).isFile() || !data.readFile(arguments.at(0))) {
        toolError(QStringLiteral("cannot read %1").arg(arguments.at(0)));
        return 1;
    }
    QByteArray out;
    for (const QString &line : data.fixDataStringList())
        out += line.toUtf8() + '\n';
    toolPrint(out);
    return 0;
}

int run(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    if (command == QLatin1String("parse"))
        return parse(arguments.mid(1));
    if (command == QLatin1String("fix"))
        return fix(arguments.mid(1));
    return usage();
}

const ToolCommand kChrono("chrono", "chrono parse FILE [--event RE] [--date TEXT] [--desc TEXT] | chrono fix FILE", run);

} // namespace
