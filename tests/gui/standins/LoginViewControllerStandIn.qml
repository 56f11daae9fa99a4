import QtQuick 2.15

// Stands in for LoginViewController: same names, answers the test chooses.
QtObject {
    id: controller

    property string loginFirstName: ""
    property string loginLastName: ""
    property string loginCompany: ""
    property bool rememberLastUserName: false
    property bool busy: false
    property bool isAllowedModuleInformation: false
    property bool isAllowedModuleCopy: false
    property bool isAllowedCopyEdit: false
    property bool isAllowedCopyDeviceFiletransfer: false
    property bool isAllowedCopyServerFiletransfer: false
    property bool isAllowedCopyImportExport: false
    property bool isAllowedModuleUpdate: false
    property bool isAllowedUpdateDeviceFiletransferWithStk: false
    property bool isAllowedUpdateServerFiletransferWithStk: false
    property bool isAllowedModuleContact: false
    property bool isAllowedContactMessage: false
    property bool isAllowedModuleChrono: false

    // What the next login answers: 0 logs in, anything else fails with it.
    property int nextCause: 0
    property int startPage: 3
    property var grantedModules: ["Copy", "Update", "Contact", "Chrono"]
    property int inactiveLogoutTime: 3600000
    property bool loginBlocked: false
    property var updateInfo: []
    property var logLines: ["2023-11-15 08:00:00.000 [INFO ] Manager::initialize: start", "second line"]
    property int loginCount: 0
    property int logoutCount: 0
    property int checkHalvoServerCount: 0
    property int clearLogfileCount: 0
    property string lastUserName: ""
    property string lastPassword: ""

    signal userLoginReply(bool isAuthenticated, int cause)
    signal updateInfoReceived

    function loginUser(userName, password) {
        loginCount += 1
        lastUserName = userName
        lastPassword = password
        if (nextCause !== 0) {
            userLoginReply(false, nextCause)
            return
        }
        loginFirstName = "Anna"
        loginLastName = "Berger"
        loginCompany = "Klinikum Nord (Demo)"
        isAllowedModuleInformation = true
        isAllowedModuleCopy = grantedModules.indexOf("Copy") >= 0
        isAllowedCopyEdit = isAllowedModuleCopy
        isAllowedCopyDeviceFiletransfer = isAllowedModuleCopy
        isAllowedCopyServerFiletransfer = isAllowedModuleCopy
        isAllowedCopyImportExport = isAllowedModuleCopy
        isAllowedModuleUpdate = grantedModules.indexOf("Update") >= 0
        isAllowedUpdateDeviceFiletransferWithStk = isAllowedModuleUpdate
        isAllowedUpdateServerFiletransferWithStk = isAllowedModuleUpdate
        isAllowedModuleContact = grantedModules.indexOf("Contact") >= 0
        isAllowedContactMessage = isAllowedModuleContact
        isAllowedModuleChrono = grantedModules.indexOf("Chrono") >= 0
        // The real controller lets the routing switch the page before it answers.
        MainViewController.setCurrentPage(startPage)
        userLoginReply(true, 0)
    }

    function logoutUser() {
        logoutCount += 1
        loginFirstName = ""
        loginLastName = ""
        loginCompany = ""
        isAllowedModuleCopy = false
        isAllowedCopyEdit = false
        isAllowedCopyDeviceFiletransfer = false
        isAllowedCopyServerFiletransfer = false
        isAllowedCopyImportExport = false
        isAllowedModuleUpdate = false
        isAllowedModuleContact = false
        isAllowedModuleChrono = false
        MainViewController.setCurrentPage(0)
    }

    function getInactiveLogoutTime() { return inactiveLogoutTime }
    function checkHalvoServer() { checkHalvoServerCount += 1 }
    function getLastUserName() { return "" }
    function setLastUserName(userName) {}
    function getUpdateInfo(index) { return index < updateInfo.length ? updateInfo[index] : "" }
    function isLoginBlocked() { return loginBlocked }
    function getStartModule() { return "CopyPage" }
    function getLogfile() { return logLines }
    function clearLogfile() { clearLogfileCount += 1; logLines = [] }
}
