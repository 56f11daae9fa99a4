#include "ToolCommand.h"

#include "AuthorizationMatrix.h"

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>

namespace {

/// Parses the readable matrix source; reports the first faulty line.
bool parseSource(const QByteArray &text, AuthorizationMatrix *matrix, QString *error)
{
    QSet<int> seen;
    const QList<QByteArray> lines = text.split('\n');
    const QRegularExpression space(QStringLiteral("\\s+"));
    for (int index = 0; index < lines.size(); ++index) {
        const QString line = QString::fromUtf8(lines.at(index)).section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList words = line.split(space);
        const QString where = QStringLiteral("line %1").arg(index + 1);
        bool ok = false;
        if (words.size() == 2 && words.at(0) == QLatin1String("version")) {
            const int version = words.at(1).toInt(&ok);
            if (!ok) {
                *error = where + QStringLiteral(": version is not a number");
                return false;
            }
            matrix->setProtocolVersion(version);
            continue;
        }
        const int role = words.size() == 2 ? words.at(0).toInt(&ok) : -1;
        if (!ok || role < 0 || role >= AuthorizationMatrix::kRoleCount) {
            *error = where + QStringLiteral(": expected \"<role 0-11> <mask>\" or \"version <n>\"");
            return false;
        }
        if (seen.contains(role)) {
            *error = where + QStringLiteral(": role %1 given twice").arg(role);
            return false;
        }
        QString mask = words.at(1);
        if (mask.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            mask = mask.mid(2);
        const quint64 value = mask.toULongLong(&ok, 16);
        if (!ok || mask.size() > 16) {
            *error = where + QStringLiteral(": mask is not a 64-bit hex number");
            return false;
        }
        matrix->setMask(role, qint64(value));
        seen.insert(role);
    }
    if (seen.size() != AuthorizationMatrix::kRoleCount) {
        *error = QStringLiteral("all %1 roles must be given, found %2").arg(AuthorizationMatrix::kRoleCount).arg(seen.size());
        return false;
    }
    return true;
}

int build(const QString &in, const QString &out)
{
    QFile source(in);
    if (!source.open(QIODevice::ReadOnly)) {
        toolError(QStringLiteral("cannot read %1").arg(in));
        return 1;
    }
    AuthorizationMatrix matrix(0, false);
    QString error;
    if (!parseSource(source.readAll(), &matrix, &error)) {
        toolError(QStringLiteral("%1: %2").arg(in, error));
        return 1;
    }
    if (!matrix.save(out)) {
        toolError(QStringLiteral("cannot write %1").arg(out));
        return 1;
    }
    return 0;
}

int show(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        toolError(QStringLiteral("cannot read %1").arg(path));
        return 1;
    }
    const AuthorizationMatrix matrix(file.readAll());
    // The header line first, then the same layout the build reads.
    QByteArray text = (matrix.MessageBase::toString() + QLatin1Char('\n')).toUtf8();
    text += QByteArray("version ") + QByteArray::number(matrix.protocolVersion()) + "\n";
    for (int role = 0; role < matrix.numberOfRoles(); ++role) {
        const QString mask = QStringLiteral("%1").arg(quint64(matrix.mask(role)), 16, 16, QLatin1Char('0')).toUpper();
        text += QStringLiteral("%1 0x%2\n").arg(role, -3).arg(mask).toUtf8();
    }
    toolPrint(text);
    return 0;
}

int run(const QStringList &arguments)
{
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("build"))
        return build(arguments.at(1), arguments.at(2));
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("show"))
        return show(arguments.at(1));
    toolError(QStringLiteral("usage: kelvara-tool matrix build IN.txt OUT | matrix show FILE"));
    return 2;
}

const ToolCommand kMatrix("matrix", "matrix build IN.txt OUT | matrix show FILE", run);

} // namespace
