#include "KelvaraTest.h"

#include "AuthorizationMatrix.h"
#include "CommunicationMetaTypes.h"
#include "FileTransfer.h"
#include "GetRequest.h"
#include "MessageBase.h"
#include "ProtocolTypes.h"
#include "Qelo3DeviceInformation.h"
#include "UpdateInfoReply.h"
#include "UserLoginLogInfo.h"
#include "UserLoginReply.h"
#include "UserLoginRequest.h"
#include "UserLogoutRequest.h"

#include <QtCore/QFile>
#include <QtCore/QRandomGenerator>
#include <QtCore/QVariant>

#include <functional>
#include <memory>

namespace {

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

QByteArray header(int command, int id = 0, int ack = 0, int version = 6)
{
    QByteArray bytes;
    for (int word : { version, command, id, ack })
        bytes += QByteArray::fromHex(QByteArray::number(quint32(word), 16).rightJustified(8, '0'));
    return bytes;
}

using Decoder = std::function<std::unique_ptr<MessageBase>(const QByteArray &)>;

template<typename T>
Decoder decoder()
{
    return [](const QByteArray &bytes) { return std::make_unique<T>(bytes); };
}

QList<QPair<const char *, Decoder>> allDecoders()
{
    return { { "MessageBase", decoder<MessageBase>() }, { "GetRequest", decoder<GetRequest>() },
        { "FileTransfer", decoder<FileTransfer>() }, { "UserLoginRequest", decoder<UserLoginRequest>() },
        { "UserLoginReply", decoder<UserLoginReply>() }, { "UserLoginLogInfo", decoder<UserLoginLogInfo>() },
        { "AuthorizationMatrix", decoder<AuthorizationMatrix>() },
        { "Qelo3DeviceInformation", decoder<Qelo3DeviceInformation>() },
        { "UserLogoutRequest", decoder<UserLogoutRequest>() }, { "UpdateInfoReply", decoder<UpdateInfoReply>() } };
}

UpdateInfoReply updateInfo(const QString &link)
{
    UpdateInfoReply reply;
    QStringList fields;
    for (int i = 0; i < 13; ++i)
        fields << QStringLiteral("f%1").arg(i);
    fields[3] = fields[5] = fields[9] = fields[11] = link;
    reply.setFields(fields, 1);
    return reply;
}

} // namespace

class tst_Protocol : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void encode_data()
    {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("heartbeat request is four big-endian words")
            << MessageBase::heartbeat().serialize() << hex("00000006 0000000B 00000000 00000000");
        QTest::newRow("heartbeat answer sets IsAck 1")
            << MessageBase::heartbeat(true).serialize() << hex("00000006 0000000B 00000000 00000001");
        QTest::newRow("GetRequest without additional info writes an empty, not a null string")
            << GetRequest(1, false, GetRequestType::DeviceInformation).serialize()
            << header(1, 1) + hex("00000007 00000000 00000000");
        QTest::newRow("GetRequest with a file name as UTF-16BE")
            << GetRequest(3, false, GetRequestType::UserSet, 2, QStringLiteral("ab")).serialize()
            << header(1, 3) + hex("00000002 00000002 00000004 0061 0062");
        QTest::newRow("chunk start carries Progress -2 and null data")
            << FileTransfer(5, false, FileType::UserSet, QStringLiteral(""), QStringLiteral("u.x"), 2, QByteArray(),
                            Protocol::kProgressStart)
                   .serialize()
            << header(2, 5) + hex("00000001 00000000 00000006 0075 002E 0078 00000002 FFFFFFFF FFFFFFFE");
        QTest::newRow("chunk end carries Progress -1")
            << FileTransfer(6, false, FileType::FirmwareContainer, QStringLiteral(""), QStringLiteral("f"), 2,
                            QByteArray(), Protocol::kProgressEnd)
                   .serialize()
            << header(2, 6) + hex("00000003 00000000 00000002 0066 00000002 FFFFFFFF FFFFFFFF");
        QTest::newRow("data chunk with bytes and percent")
            << FileTransfer(7, false, 1, QStringLiteral("d"), QStringLiteral("f"), 2, QByteArray("\x01\x02\x03", 3), 42)
                   .serialize()
            << header(2, 7) + hex("00000001 00000002 0064 00000002 0066 00000002 00000003 010203 0000002A");
        QTest::newRow("empty data differs from null data")
            << FileTransfer(1, false, 1, QStringLiteral(""), QStringLiteral(""), 0, QByteArray(""), 0).serialize()
            << header(2, 1) + hex("00000001 00000000 00000000 00000000 00000000 00000000");
        QTest::newRow("null directory is written as FFFFFFFF")
            << FileTransfer(1, false, 1, QString(), QStringLiteral(""), 0, QByteArray(), 0).serialize()
            << header(2, 1) + hex("00000001 FFFFFFFF 00000000 00000000 FFFFFFFF 00000000");
        QTest::newRow("acknowledgement echoes every field with IsAck 1 and null data")
            << FileTransfer(9, false, 1, QStringLiteral(""), QStringLiteral("f"), 2, QByteArray("abc"), 50)
                   .acknowledgement()
                   .serialize()
            << header(2, 9, 1) + hex("00000001 00000000 00000002 0066 00000002 FFFFFFFF 00000032");
        QTest::newRow("UserLoginRequest writes name then password")
            << UserLoginRequest(2, false, QStringLiteral("bo"), QStringLiteral("p")).serialize()
            << header(5, 2) + hex("00000004 0062 006F 00000002 0070");
        QTest::newRow("UserLoginReply with Result as a word")
            << UserLoginReply(1, false, QStringLiteral("u"), 3, QStringLiteral("a"), QStringLiteral("b"),
                              QStringLiteral(""), true, QStringLiteral("i"), QString())
                   .serialize()
            << header(6, 1)
                   + hex("00000002 0075 00000003 00000002 0061 00000002 0062 00000000 00000001 00000002 0069 "
                         "FFFFFFFF");
        QTest::newRow("UserLoginLogInfo with non-ASCII name")
            << UserLoginLogInfo(4, false, QStringLiteral("\u00e4\u20ac"), 7).serialize()
            << header(7, 4) + hex("00000004 00E4 20AC 00000007");
        QTest::newRow("Qelo3DeviceInformation has four strings")
            << Qelo3DeviceInformation(0, false, QStringLiteral("t"), QStringLiteral("s"), QStringLiteral(""),
                                      QStringLiteral("v"))
                   .serialize()
            << header(9) + hex("00000002 0074 00000002 0073 00000000 00000002 0076");
        QTest::newRow("UserLogoutRequest is a header only") << UserLogoutRequest(8, false).serialize() << header(10, 8);
        QTest::newRow("new AuthorizationMatrix has 12 zero masks")
            << AuthorizationMatrix(0, false).serialize() << header(8) + hex("0000000C") + QByteArray(96, '\0');
    }
    // clang-format on

    void encode()
    {
        QFETCH(QByteArray, encoded);
        QFETCH(QByteArray, expected);
        QCOMPARE(encoded.toHex(' '), expected.toHex(' '));
    }

    // clang-format off
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("decoderIndex");
        const auto decoders = allDecoders();
        auto row = [&](const char *name, const MessageBase &message) {
            for (int i = 0; i < decoders.size(); ++i) {
                if (qstrcmp(decoders.at(i).first, name) == 0)
                    QTest::newRow(name) << message.serialize() << i;
            }
        };
        row("MessageBase", MessageBase(CommandType::Heartbeat, 0, true));
        row("GetRequest", GetRequest(11, false, 10, 2, QStringLiteral("fw.esc")));
        row("FileTransfer", FileTransfer(12, true, 6, QString(), QStringLiteral("a.fix"), 2, QByteArray(300, 'x'), 99));
        row("UserLoginRequest", UserLoginRequest(1, false, QStringLiteral("u"), QString()));
        row("UserLoginReply", UserLoginReply(1, false, QStringLiteral("u"), 11, QString(), QStringLiteral("l"),
                                             QStringLiteral("c"), false, QStringLiteral("1"), QStringLiteral("2")));
        row("UserLoginLogInfo", UserLoginLogInfo(3, false, QStringLiteral("x"), -1));
        AuthorizationMatrix matrix(2, false);
        matrix.setMask(11, 0x0123456789ABCDEFLL);
        row("AuthorizationMatrix", matrix);
        row("Qelo3DeviceInformation", Qelo3DeviceInformation(1, true, QStringLiteral("QELO 3"), QStringLiteral("SN1"),
                                                             QStringLiteral("OR 1"), QStringLiteral("1.4.0")));
        row("UserLogoutRequest", UserLogoutRequest(4, false));
        row("UpdateInfoReply", updateInfo(QStringLiteral("http://x")));
    }
    // clang-format on

    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, decoderIndex);
        const std::unique_ptr<MessageBase> decoded = allDecoders().at(decoderIndex).second(bytes);
        QCOMPARE(decoded->serialize().toHex(' '), bytes.toHex(' '));
    }

    // clang-format off
    void decodeFileTransfer_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("isAck");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("dataIsNull");
        QTest::addColumn<int>("progress");

        const QByteArray body = hex("00000001 00000000 00000002 0066 00000002");
        QTest::newRow("start message from the peer")
            << header(2, 1) + body + hex("FFFFFFFF FFFFFFFE") << false << 1 << "f" << QByteArray() << true << -2;
        QTest::newRow("IsAck 2 is read as true")
            << header(2, 1, 2) + body + hex("FFFFFFFF 00000005") << true << 1 << "f" << QByteArray() << true << 5;
        QTest::newRow("data chunk")
            << header(2, 1) + body + hex("00000002 ABCD 00000064") << false << 1 << "f" << hex("ABCD") << false << 100;
        QTest::newRow("frame cut inside the data leaves data and progress empty")
            << header(2, 1) + body + hex("00000010 ABCD") << false << 1 << "f" << QByteArray() << true << 0;
        QTest::newRow("data length 0xFFFFFFF0 allocates nothing")
            << header(2, 1) + body + hex("FFFFFFF0 ABCD 00000001") << false << 1 << "f" << QByteArray() << true << 0;
        QTest::newRow("file name length 0xFFFFFFF0 empties the rest")
            << header(2, 1) + hex("00000001 00000000 FFFFFFF0 0066") << false << 1 << "" << QByteArray() << true << 0;
        QTest::newRow("odd string length is corrupt and empties the rest")
            << header(2, 1) + hex("00000001 00000000 00000003 006600 00000002 00000000 00000007") << false << 1 << ""
            << QByteArray() << true << 0;
        QTest::newRow("header only") << header(2, 1) << false << 0 << "" << QByteArray() << true << 0;
        QTest::newRow("empty frame") << QByteArray() << false << 0 << "" << QByteArray() << true << 0;
    }
    // clang-format on

    void decodeFileTransfer()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, isAck);
        QFETCH(int, fileType);
        QFETCH(QString, filename);
        QFETCH(QByteArray, data);
        QFETCH(bool, dataIsNull);
        QFETCH(int, progress);

        const FileTransfer message(frame);
        QCOMPARE(message.isAck(), isAck);
        QCOMPARE(message.fileType(), fileType);
        QCOMPARE(message.filename(), filename);
        QCOMPARE(message.data(), data);
        QCOMPARE(message.data().isNull(), dataIsNull);
        QCOMPARE(message.progress(), progress);
    }

    void decodeOthers()
    {
        const UserLoginReply reply(header(6) + hex("00000002 0075 00000003 00000000 00000000 00000000 00000002"));
        QVERIFY2(reply.result(), "Result 2 counts as accepted");
        QCOMPARE(reply.role(), 3);

        const GetRequest request(header(1, 9) + hex("00000002 00000002 FFFFFFFF"));
        QVERIFY(request.additionalInfo().isNull());
        QCOMPARE(request.getRequestType(), GetRequestType::UserSet);

        const MessageBase peek(header(9, 4, 0, 5) + hex("00000002 0074"));
        QCOMPARE(peek.protocolVersion(), 5);
        QCOMPARE(peek.commandType(), int(CommandType::Qelo3DeviceInformation));
        QCOMPARE(peek.messageId(), 4);

        const MessageBase shortPeek(hex("00000006 0000"));
        QCOMPARE(shortPeek.protocolVersion(), 6);
        QCOMPARE(shortPeek.commandType(), 0);
    }

    void defaultFileTransferIsAValue()
    {
        registerCommunicationMetaTypes();
        const FileTransfer empty;
        QCOMPARE(empty.commandType(), int(CommandType::FileTransfer));
        QVERIFY(empty.data().isNull());

        QVERIFY(QMetaType::fromName("FileTransfer").isValid());
        const FileTransfer original(3, true, 8, QStringLiteral("/tmp/x"), QStringLiteral("e.flex"), 2, "abc", 7);
        const QVariant carried = QVariant::fromValue(original);
        const FileTransfer copy = carried.value<FileTransfer>();
        QCOMPARE(copy.serialize(), original.serialize());
        QCOMPARE(copy.directory(), QStringLiteral("/tmp/x"));
    }

    // clang-format off
    void toString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("header") << MessageBase(header(11, 0, 2)).toString()
                                << "ProtocolVersion=6, CommandType=11, MessageId=0, IsAck=1";
        QTest::newRow("GetRequest") << GetRequest(1, false, 2, 2, QStringLiteral("u.xml")).toString()
                                    << "GetRequest: GetRequestType=2, Selector=2, AdditionalInfo=u.xml";
        QTest::newRow("FileTransfer prints Progress as unsigned")
            << FileTransfer(1, false, 1, QStringLiteral("d"), QStringLiteral("f%1"), 2, "abcd", -2).toString()
            << "FileTransfer: FileType=1, Directory=d, Filename=f%1, Selector=2, Size=4, Progress=4294967294";
        QTest::newRow("UserLoginRequest hides the password")
            << UserLoginRequest(1, false, QStringLiteral("bob"), QStringLiteral("s3cret")).toString()
            << "UserLoginRequest: UserName=bob, Password=<hidden>";
        QTest::newRow("UserLoginReply")
            << UserLoginReply(1, false, QStringLiteral("u"), 2, QStringLiteral("F"), QStringLiteral("L"),
                              QStringLiteral("C"), true, QStringLiteral("I1"), QStringLiteral("I2"))
                   .toString()
            << "UserLoginReply: UserName=u, Role=2, FirstName=F, LastName=L, Company=C, Result=1, Institution1=I1, "
               "Institution2=I2";
        QTest::newRow("UserLoginLogInfo") << UserLoginLogInfo(1, false, QStringLiteral("u"), 4).toString()
                                          << "UserLoginLogInfo: UserName=u, Role=4";
        QTest::newRow("Qelo3DeviceInformation")
            << Qelo3DeviceInformation(1, false, QStringLiteral("T"), QStringLiteral("S"), QStringLiteral("N"),
                                      QStringLiteral("V"))
                   .toString()
            << "Qelo3DeviceInformation: Type=T, SerialNumber=S, Name=N, SoftwareVersion=V";
        QTest::newRow("UserLogoutRequest") << UserLogoutRequest(1, false).toString() << "UserLogoutRequest";
        AuthorizationMatrix matrix;
        matrix.setMask(1, 0x01010707071F0100LL);
        matrix.setMask(11, -1);
        QTest::newRow("AuthorizationMatrix upper-case hex without leading zeros")
            << matrix.toString()
            << "AuthorizationMatrix: NumberOfRoles=12, A[0]=0, A[1]=1010707071F0100, A[2]=0, A[3]=0, A[4]=0, A[5]=0, "
               "A[6]=0, A[7]=0, A[8]=0, A[9]=0, A[10]=0, A[11]=FFFFFFFFFFFFFFFF";
        QTest::newRow("UpdateInfoReply") << UpdateInfoReply(updateInfo(QStringLiteral("x")).serialize()).toString()
                                         << "UpdateInfoReply: UpdateTyp=1, HeadlineDE=f1, TextDE=f2, "
                                            "LinkiOSDE=http://x, LinkWindowsDE=http://x, HeadlineEN=f7, TextEN=f8, "
                                            "LinkiOSEN=http://x, LinkWindowsEN=http://x";
    }
    // clang-format on

    void toString()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void builtInMatrix()
    {
        QFile file(QStringLiteral(":/Resources/Config/AuthorizationMatrix"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 116);
        AuthorizationMatrix matrix;
        QVERIFY(matrix.load(file.fileName()));
        QCOMPARE(matrix.protocolVersion(), 4);
        QCOMPARE(matrix.commandType(), int(CommandType::AuthorizationMatrix));
        QCOMPARE(matrix.messageId(), 0);
        QVERIFY(!matrix.isAck());
        QCOMPARE(matrix.numberOfRoles(), 12);
        const quint64 expected[12] = { 0x0000000000000000, 0x01010707071F0100, 0x01010707071F0100, 0x01010707071F0100,
            0x01000700071F0100, 0x00010003001D0100, 0x00010003071D0100, 0x00010703001F0100, 0x00010703071F0100,
            0x00010003001D0100, 0x00010003071D0100, 0x0000000300000100 };
        for (int role = 0; role < 12; ++role)
            QCOMPARE(quint64(matrix.mask(role)), expected[role]);
        QVERIFY(matrix.hasPermission(11, 8));
        QVERIFY(!matrix.hasPermission(11, 7));
        QVERIFY2(matrix.hasPermission(11, 72), "permission p is bit p mod 64");
        QCOMPARE(matrix.serialize(), bytes);
    }

    // clang-format off
    void matrixRoleCount_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("numberOfRoles");
        QTest::addColumn<int>("masksSet");
        auto masks = [](int count) {
            QByteArray bytes;
            for (int i = 0; i < count; ++i)
                bytes += hex("00000000000000") + char(i + 1);
            return bytes;
        };
        QTest::newRow("twelve roles") << header(8) + hex("0000000C") + masks(12) << 12 << 12;
        QTest::newRow("five roles leave the rest zero") << header(8) + hex("00000005") + masks(5) << 5 << 5;
        // Pins: a larger count once wrote masks past the twelve-entry table.
        QTest::newRow("fourteen roles keep the first twelve") << header(8) + hex("0000000E") + masks(14) << 12 << 12;
        QTest::newRow("huge count on a short frame") << header(8) + hex("7FFFFFFF") + masks(3) << 12 << 3;
        QTest::newRow("negative count reads nothing") << header(8) + hex("FFFFFFFF") + masks(3) << 0 << 0;
    }
    // clang-format on

    void matrixRoleCount()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, numberOfRoles);
        QFETCH(int, masksSet);
        AuthorizationMatrix matrix;
        matrix.grantAll();
        matrix.deserialize(frame);
        QCOMPARE(matrix.numberOfRoles(), numberOfRoles);
        for (int role = 0; role < AuthorizationMatrix::kRoleCount; ++role)
            QCOMPARE(matrix.mask(role), role < masksSet ? qint64(role + 1) : qint64(0));
        QCOMPARE(matrix.mask(12), qint64(0));
    }

    void grantAll()
    {
        AuthorizationMatrix matrix;
        matrix.grantAll();
        for (int role = 0; role < 12; ++role)
            QCOMPARE(matrix.mask(role), qint64(-1));
        QVERIFY(matrix.hasPermission(5, 63));
    }

    // clang-format off
    void updateInfoLinks_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("expected");
        QTest::newRow("link without scheme gets http://") << "example.com/app" << "http://example.com/app";
        QTest::newRow("http:// link stays") << "http://example.com" << "http://example.com";
        QTest::newRow("https:// link is not doubled") << "https://example.com" << "https://example.com";
        QTest::newRow("the check is case-sensitive") << "HTTP://x" << "http://HTTP://x";
        QTest::newRow("empty link") << "" << "http://";
    }
    // clang-format on

    void updateInfoLinks()
    {
        QFETCH(QString, link);
        QFETCH(QString, expected);
        const UpdateInfoReply reply(updateInfo(link).serialize());
        QCOMPARE(reply.linkiOSDE(), expected);
        QCOMPARE(reply.linkWindowsDE(), expected);
        QCOMPARE(reply.linkiOSEN(), expected);
        QCOMPARE(reply.linkWindowsEN(), expected);
        QCOMPARE(reply.linkTextiOSDE(), QStringLiteral("f4"));
        QCOMPARE(reply.updateTyp(), 1);
    }

    // clang-format off
    void truncatedFrames_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("FileTransfer")
            << FileTransfer(1, false, 1, QStringLiteral("dir"), QStringLiteral("f.xml"), 2, "data", 3).serialize();
        QTest::newRow("UserLoginReply") << UserLoginReply(1, false, QStringLiteral("u"), 2, QStringLiteral("F"),
                                                          QStringLiteral("L"), QStringLiteral("C"), true,
                                                          QStringLiteral("I1"), QStringLiteral("I2"))
                                               .serialize();
        QTest::newRow("UpdateInfoReply") << updateInfo(QStringLiteral("http://x")).serialize();
        QTest::newRow("AuthorizationMatrix") << AuthorizationMatrix(1, false).serialize();
    }
    // clang-format on

    void truncatedFrames()
    {
        QFETCH(QByteArray, frame);
        for (int length = 0; length <= frame.size(); ++length) {
            const QByteArray prefix = frame.left(length);
            for (const auto &entry : allDecoders()) {
                const std::unique_ptr<MessageBase> message = entry.second(prefix);
                if (length >= 16)
                    QCOMPARE(message->commandType(), MessageBase(frame).commandType());
                QVERIFY(!message->toString().isEmpty());
            }
        }
    }

    void randomFrames()
    {
        QRandomGenerator random(20231115);
        const QByteArray valid
            = FileTransfer(1, false, 1, QStringLiteral("d"), QStringLiteral("f"), 2, "x", 1).serialize();
        for (int round = 0; round < 3000; ++round) {
            QByteArray frame;
            if (round % 2) {
                frame.resize(random.bounded(0, 96));
                for (char &c : frame)
                    c = char(random.bounded(256));
            } else {
                // Flip bytes of a valid frame so that length words are hit often.
                frame = valid;
                for (int flips = random.bounded(1, 4); flips > 0; --flips)
                    frame[random.bounded(frame.size())] = char(random.bounded(256));
            }
            for (const auto &entry : allDecoders()) {
                const std::unique_ptr<MessageBase> message = entry.second(frame);
                QVERIFY(message->serialize().size() >= 16);
            }
        }
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Protocol)
#include "tst_protocol.moc"
