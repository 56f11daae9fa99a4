pragma Singleton
import QtQuick 2.15

// Platform-specific values the scenes ask for.
QtObject {
    readonly property bool touchDevice: false
    readonly property string platformName: Qt.platform.os
}
