pragma Singleton
import QtQuick 2.15

// Type scale of the application.
QtObject {
    readonly property string family: "DejaVu Sans"
    readonly property int small: 12
    readonly property int normal: 14
    readonly property int medium: 16
    readonly property int large: 18
    readonly property int title: 24
    readonly property int weightNormal: Font.Normal
    readonly property int weightBold: Font.DemiBold
}
