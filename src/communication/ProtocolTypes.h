#pragma once

#include <QtCore/QObject>

/// Fixed numbers of the binary protocol shared by the generator and the server.
namespace Protocol {

/// The version this application writes into every header it builds.
constexpr qint32 kProtocolVersion = 6;
/// QDataStream::Qt_5_2; both peers decode with it.
constexpr int kStreamVersion = 15;
constexpr int kHeaderSize = 16;

/// Selector of every message of a chunked transfer.
constexpr qint32 kChunkedSelector = 2;
constexpr qint32 kProgressStart = -2;
constexpr qint32 kProgressEnd = -1;

} // namespace Protocol

// Registered with the meta-object system so that log lines and test
// failures name a type instead of printing its number.
namespace CommandType {
Q_NAMESPACE
enum Value : qint32 {
    GetRequest = 1,
    FileTransfer = 2,
    UserLoginRequest = 5,
    UserLoginReply = 6,
    UserLoginLogInfo = 7,
    AuthorizationMatrix = 8,
    Qelo3DeviceInformation = 9,
    UserLogoutRequest = 10,
    Heartbeat = 11,
    UpdateInfoReply = 12,
};
Q_ENUM_NS(Value)
} // namespace CommandType

namespace GetRequestType {
Q_NAMESPACE
enum Value : qint32 {
    UserSetList = 1,
    UserSet = 2,
    ChronoList = 4,
    ChronoFiles = 5,
    DeviceInformation = 7,
    InstrumentCatalog = 8,
    FirmwareList = 9,
    ListedFile = 10,
    ServiceCenters = 12,
    ServerConnected = 13,
    UpdateInformation = 15,
};
Q_ENUM_NS(Value)
} // namespace GetRequestType

namespace FileType {
Q_NAMESPACE
enum Value : qint32 {
    None = 0,
    UserSet = 1,
    FileList = 2,
    FirmwareContainer = 3,
    FirmwareDescription = 4,
    FirmwareList = 5,
    ChronoFixed = 6,
    ChronoFlexZip = 7,
    ChronoFlex = 8,
    // 9, 10 and 12 carry nothing this application uses.
    Unused9 = 9,
    Unused10 = 10,
    ServiceCenters = 11,
    Unused12 = 12,
    InstrumentCatalog = 13,
    ApplicationLog = 14,
    GeneratorFileList = 15,
    ContactMessage = 16,
};
Q_ENUM_NS(Value)
} // namespace FileType
