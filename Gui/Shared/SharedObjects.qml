pragma Singleton
import QtQuick 2.15

// State shared between scenes that belongs to no controller.
QtObject {
    id: shared

    property bool dialogOpen: false

    // Copy module
    property string selectedUserSetId: ""
    property string selectedUserSetFileName: ""
    property string selectedUserSetBaseName: ""
    property string selectedUserSetQeloId: ""
    property string callingPage: ""

    // Contact module
    property string selectedServiceCenterId: ""
    property string type: ""
    property string serialNumber: ""
    property string name: ""

    property string currentPage: ""

    // Update module
    property string selectedUpdateId: ""
    property string selectedUpdateName: ""

    property string loadedBubbleDialog: ""

    // Where the login page's contact link writes to.
    readonly property string supportMailAddress: "service@halvo-medical.example"

    // Restarted by every pointer that enters a clickable text; the root window
    // logs the user out when it fires.
    property Timer inactiveLogoutTimer: Timer {
        repeat: false
        interval: 3600000
    }

    // Only a running timer is restarted: activity on the login page must not
    // arm a logout for a user who is not logged in.
    function resetTimer() {
        if (inactiveLogoutTimer.running)
            inactiveLogoutTimer.restart()
    }

    function stopTimer() {
        inactiveLogoutTimer.stop()
    }

    function startTimer() {
        if (typeof LoginViewController !== "undefined")
            inactiveLogoutTimer.interval = Math.max(1, LoginViewController.getInactiveLogoutTime())
        inactiveLogoutTimer.restart()
    }

    function isTimerRunning() {
        return inactiveLogoutTimer.running
    }
}
