import QtQuick 2.15
import Style 1.0

// A turning arc for work whose end nobody can foresee.
Item {
    id: busyIndicator

    property bool running: false

    implicitWidth: 48
    implicitHeight: 48
    visible: running

    Canvas {
        id: arc

        anchors.fill: parent
        onPaint: {
            const context = getContext("2d")
            context.reset()
            context.lineWidth = 5
            context.lineCap = "round"
            context.strokeStyle = Style.primary
            context.beginPath()
            context.arc(width / 2, height / 2, width / 2 - 4, 0, Math.PI * 1.5)
            context.stroke()
        }

        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
            running: busyIndicator.running
        }
    }
}
