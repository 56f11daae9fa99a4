pragma Singleton
import QtQuick 2.15

// Colours and measures shared by every scene. A calm, low-contrast frame with
// one strong colour (primary) for what the user can act on; red is kept for
// faults and green for a working link, so neither loses its meaning.
QtObject {
    readonly property color background: "#F4F6F8"
    readonly property color surface: "#FFFFFF"
    readonly property color surfaceAlt: "#EEF2F5"
    readonly property color primary: "#1F5F8B"
    readonly property color primaryDark: "#174766"
    readonly property color primaryLight: "#E3EEF6"
    readonly property color textOnPrimary: "#FFFFFF"
    readonly property color accent: "#2E8B57"
    readonly property color warning: "#C47F00"
    readonly property color error: "#B3261E"
    readonly property color text: "#172B3A"
    readonly property color textMuted: "#5B6B78"
    readonly property color textDisabled: "#9AA6B0"
    readonly property color border: "#D3DAE0"
    readonly property color focus: "#3D8BC7"
    readonly property color scrim: "#66172B3A"
    readonly property color menuBar: "#FFFFFF"
    readonly property color menuBarBorder: "#D3DAE0"
    readonly property color hover: "#F0F5F9"

    readonly property int spacing: 8
    readonly property int margin: 16
    readonly property int radius: 6
    readonly property int menuBarHeight: 50
    readonly property int menuIconSize: 32
    readonly property int buttonHeight: 40
    readonly property int inputHeight: 40
    readonly property int dialogWidth: 480
    readonly property int pageHeaderHeight: 64
    readonly property int minimumWidth: 800
    readonly property int minimumHeight: 600

    // Window geometry: the preferred size, shrunk to what the screen offers.
    readonly property int preferredWidth: 1100
    readonly property int preferredHeight: 900
    readonly property int screenMargin: 100
}
