import QtQuick 2.15

// Stands in for NetworkService.
QtObject {
    property bool isQelo3Connected: true
    property bool isHalvoServerConnected: true
    property string qelo3SerialNumber: "Q3-000123"
    property string qelo3Name: "QELO 3 OP 4"
    property string qelo3Version: "1.4.0"
}
