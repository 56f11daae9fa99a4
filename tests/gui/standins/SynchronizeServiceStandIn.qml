import QtQuick 2.15

// Stands in for SynchronizeService: a run the test sets to any step.
QtObject {
    property bool isActive: false
    property bool isSynching: false
    property int status: 0
    property int position: 0
    property bool canCancel: false
    property int firmwareTotalCount: 0
    property int userSetTemplatesTotalCount: 0
    property int userSetDownloadTotalCount: 0
    property int userSetUploadTotalCount: 0
    property int appLogUploadTotalCount: 0
    property int cFirmware: 0
    property int cUserSetTemplates: 0
    property int cUserSetDownload: 0
    property int cUserSetUpload: 0
    property int cAppLogUpload: 0
    property int cancelCount: 0

    signal syncCompleted
    signal syncTimeout(int cause, int category, string lastFile)

    function cancel() { cancelCount += 1; isActive = false }
}
