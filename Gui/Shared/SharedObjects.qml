pragma Singleton
import QtQuick 2.15

// State shared between scenes that belongs to no controller.
QtObject {
    property bool dialogOpen: false
}
