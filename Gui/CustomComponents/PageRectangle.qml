import QtQuick 2.15
import Style 1.0

// A white card on the page background.
Rectangle {
    color: Style.surface
    radius: Style.radius * 1.5
    border.width: 1
    border.color: Style.border
}
