import QtQuick 2.15
import Style 1.0

Rectangle {
    width: 1
    color: Style.border
}
