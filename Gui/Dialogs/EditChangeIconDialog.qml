import QtQuick 2.15
import SharedObjects 1.0
import "../CustomComponents"

// Another pictogram for a program group.
DialogBase {
    id: editChangeIconDialog

    property string programGroupId: ""
    property int row: -1

    objectName: "EditChangeIconDialog"
    title: qsTr("Piktogramm wählen") + TranslationService.updateString
    acceptEnabled: programGroupId !== "" && grid.selectedId !== ""
    cardWidth: 520

    onFinished: function(accepted, result) {
        if (accepted)
            CopyViewController.setProgramGroupIcon(SharedObjects.selectedUserSetId, programGroupId, grid.selectedId, row)
    }

    PictogramGrid {
        id: grid

        objectName: "pictogramGrid"
        width: parent.width
    }
}
