import QtQuick 2.15
import Style 1.0
import FontStyle 1.0
import "../CustomComponents"

// Warns before a user set goes to a generator whose software is not the one
// the set was made for; the user may still upload it.
DialogBase {
    id: qelo3VersionMismatchDialog

    property string userSetId: ""

    objectName: "Qelo3VersionMismatchDialog"
    title: qsTr("Versionen passen nicht zusammen") + TranslationService.updateString
    acceptText: qsTr("Trotzdem hochladen") + TranslationService.updateString
    acceptEnabled: userSetId !== "" && NetworkService.isQelo3Connected

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.qelo3UploadUserSet(userSetId)
    }

    StandardText {
        objectName: "applicationVersion"
        width: parent.width
        text: qsTr("Kelvara Version %1 (optimiert für QELO 3 V 1.4.x)").arg(VersionInfo.productVersion)
              + TranslationService.updateString
    }

    StandardText {
        objectName: "userSetVersion"
        width: parent.width
        visible: qelo3VersionMismatchDialog.userSetId !== ""
        text: visible ? qsTr("Anwenderset für QELO 3 V %1").arg(
                            CopyViewController.getSoftwareRevById(qelo3VersionMismatchDialog.userSetId))
                        + TranslationService.updateString : ""
    }

    StandardText {
        objectName: "generatorVersion"
        width: parent.width
        text: qsTr("Zielgerät QELO 3 V %1").arg(NetworkService.qelo3Version) + TranslationService.updateString
        font.weight: FontStyle.weightBold
        color: Style.warning
    }

    StandardText {
        width: parent.width
        text: qsTr("Das Anwenderset kann auf diesem Gerät anders wirken als erwartet.") + TranslationService.updateString
        color: Style.textMuted
    }
}
