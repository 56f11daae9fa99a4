// Reads and writes the maximal user set and compares both with the bare Qt
// work underneath: a token pass of the stream reader over the same bytes, and
// a document build-and-save of the same element tree.
// Goals: reading at most 2x the token pass, writing at most 1.2x the bare
// document build-and-save.

#include "InstrumentConfiguration.h"
#include "MaximalUserSet.h"
#include "UserSet.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTextStream>
#include <QtCore/QXmlStreamReader>
#include <QtXml/QDomDocument>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

struct Node
{
    QString name;
    QList<QPair<QString, QString>> attributes;
    std::vector<Node> children;
};

Node parseTree(const QByteArray &data)
{
    Node root;
    std::vector<Node *> stack { &root };
    QXmlStreamReader reader(data);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            Node node;
            node.name = reader.name().toString();
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                node.attributes.append({ attribute.name().toString(), attribute.value().toString() });
            stack.back()->children.push_back(std::move(node));
            stack.push_back(&stack.back()->children.back());
            break;
        }
        case QXmlStreamReader::EndElement:
            stack.pop_back();
            break;
        default:
            break;
        }
    }
    return root;
}

void buildElement(QDomDocument &document, QDomNode &parent, const Node &node)
{
    QDomElement element = document.createElement(node.name);
    for (const auto &attribute : node.attributes)
        element.setAttribute(attribute.first, attribute.second);
    for (const Node &child : node.children)
        buildElement(document, element, child);
    parent.appendChild(element);
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    InstrumentConfiguration::instance()->initializeInstrumentCatalog(
        QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini"));
    if (InstrumentConfiguration::instance()->definitionCount() == 0) {
        std::fprintf(stderr, "bench_userset_xml: the built-in catalogue did not load\n");
        return 1;
    }

    XmlUserSetSerializer serializer;
    std::unique_ptr<UserSet> maximal(MaximalUserSet::build());
    const QByteArray bytes = serializer.toXml(maximal.get());
    std::printf("maximal user set: %.1f MB\n", bytes.size() / 1e6);

    bool readOk = true;
    const double readMs = bestOf(runs, [&] {
        UserSet set(UserSet::USER_TEMPLATE);
        readOk = serializer.readBytes(bytes, &set) && readOk;
    });
    qint64 tokens = 0;
    const double tokenMs = bestOf(runs, [&] {
        QXmlStreamReader reader(bytes);
        qint64 count = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            ++count;
        }
        tokens = count;
    });

    UserSet readBack(UserSet::USER_TEMPLATE);
    readOk = serializer.readBytes(bytes, &readBack) && readOk;
    qsizetype written = 0;
    const double writeMs = bestOf(runs, [&] { written = serializer.toXml(&readBack).size(); });

    const Node tree = parseTree(bytes);
    qsizetype bareWritten = 0;
    const double domMs = bestOf(runs, [&] {
        QDomDocument document;
        document.appendChild(document.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"utf-8\"")));
        for (const Node &child : tree.children)
            buildElement(document, document, child);
        QByteArray saved;
        QTextStream stream(&saved, QIODevice::WriteOnly);
        stream.setEncoding(QStringConverter::Utf8);
        document.save(stream, 4, QDomNode::EncodingFromTextStream);
        stream.flush();
        bareWritten = saved.size();
    });

    std::printf("read whole tree:           %9.1f ms (%s)\n", readMs, readOk ? "loaded" : "FAILED");
    std::printf("bare token pass:           %9.1f ms (%lld tokens)\n", tokenMs, static_cast<long long>(tokens));
    std::printf("write whole tree:          %9.1f ms (%lld bytes)\n", writeMs, static_cast<long long>(written));
    std::printf("bare document build+save:  %9.1f ms (%lld bytes)\n", domMs, static_cast<long long>(bareWritten));
    std::printf("read ratio (goal <= 2.0):  %9.2f\n", readMs / tokenMs);
    std::printf("write ratio (goal <= 1.2): %9.2f\n", writeMs / domMs);
    return readOk ? 0 : 1;
}
