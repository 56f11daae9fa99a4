import QtQuick 2.15
import Style 1.0
import "../CustomComponents"

// Confirms the upload of a user set to the connected generator, which then
// runs with it.
DialogBase {
    id: qelo3UserSetUploadDialog

    property string userSetId: ""

    objectName: "Qelo3UserSetUploadDialog"
    title: qsTr("Auf QELO 3 hochladen") + TranslationService.updateString
    acceptText: qsTr("Hochladen") + TranslationService.updateString
    acceptEnabled: userSetId !== "" && NetworkService.isQelo3Connected

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.qelo3UploadUserSet(userSetId)
    }

    StandardText {
        objectName: "message"
        width: parent.width
        text: qsTr("Ausgewähltes Anwenderset auf verbundenes QELO 3 hochladen?") + TranslationService.updateString
    }

    StandardText {
        objectName: "userSetName"
        width: parent.width
        text: qelo3UserSetUploadDialog.userSetId !== ""
              ? CopyViewController.getUserSetDisplayName(qelo3UserSetUploadDialog.userSetId) : ""
        color: Style.primary
    }
}
