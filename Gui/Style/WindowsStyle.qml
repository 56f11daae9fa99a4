pragma Singleton
import QtQuick 2.15

// Colours and measures shared by every scene.
QtObject {
    readonly property color background: "#F4F6F8"
    readonly property color surface: "#FFFFFF"
    readonly property color primary: "#1F5F8B"
    readonly property color primaryDark: "#174766"
    readonly property color accent: "#2E8B57"
    readonly property color warning: "#C47F00"
    readonly property color error: "#B3261E"
    readonly property color text: "#172B3A"
    readonly property color textMuted: "#5B6B78"
    readonly property color border: "#D3DAE0"
    readonly property int spacing: 8
    readonly property int margin: 16
    readonly property int radius: 6
    readonly property int menuBarHeight: 44
    readonly property int minimumWidth: 1024
    readonly property int minimumHeight: 700
}
