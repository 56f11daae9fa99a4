import QtQuick 2.15

// Stands in for MainViewController with a screen size the test chooses.
QtObject {
    property int currentPage: 0
    property string versionInfo: ""
    property int availableScreenWidth: 1920
    property int availableScreenHeight: 1080

    function setCurrentPage(page) { currentPage = page }
    function setCurrentPageAsInt(page) { currentPage = page }
}
