import QtQuick 2.15
import QtQuick.Controls.Basic 2.15
import SharedObjects 1.0
import Style 1.0
import FontStyle 1.0
import "../../CustomComponents"

// The program groups of the set being edited, and the programs of the chosen
// group: add, copy, rename, move, change the pictogram, mark for deletion.
// Marked entries stay visible, struck through, until the set is saved.
Item {
    id: packagePage

    readonly property string userSetId: SharedObjects.selectedUserSetId
    property string selectedGroupId: ""
    property int selectedGroupRow: -1
    property string selectedGroupName: ""
    property int selectedProgramRow: -1
    readonly property Item selectedProgram: programRepeater.count > selectedProgramRow
                                            ? programRepeater.itemAt(selectedProgramRow) : null
    // Counts the edits; the programs list is fetched again after each one.
    property int revision: 0
    readonly property string lastElement: CopyViewController.LAST_ELEMENT
    readonly property alias groups: groupRepeater
    readonly property alias programs: programRepeater

    signal edited
    signal dialogRequested(string name, var parameters)
    signal programEditRequested(string groupId, string programId)

    function changed() {
        revision += 1
        edited()
    }

    function groupId(row) {
        const item = groupRepeater.itemAt(row)
        return item ? item.groupId : ""
    }

    function programId(row) {
        const item = programRepeater.itemAt(row)
        return item ? item.programId : ""
    }

    function selectGroup(row) {
        const item = groupRepeater.itemAt(row)
        selectedGroupRow = item ? row : -1
        selectedGroupId = item ? item.groupId : ""
        selectedGroupName = item ? item.groupName : ""
        selectedProgramRow = -1
    }

    // A group moves before the one it should precede; down past the last
    // one means to the end.
    function moveGroup(row, step) {
        const target = row + step
        if (target < 0 || target >= groupRepeater.count)
            return
        const before = step < 0 ? groupId(target) : (target + 1 < groupRepeater.count ? groupId(target + 1)
                                                                                       : lastElement)
        const moved = groupId(row)
        CopyViewController.moveProgramGroup(userSetId, moved, before)
        changed()
        selectGroup(target)
    }

    function copyGroup(row) {
        const after = row + 1 < groupRepeater.count ? groupId(row + 1) : lastElement
        CopyViewController.addProgramGroupCopy(userSetId, groupId(row), after)
        changed()
    }

    function toggleGroupDeletion(row) {
        const item = groupRepeater.itemAt(row)
        CopyViewController.markForDeleteProgramGroup(userSetId, item.groupId, !item.marked, row)
        changed()
    }

    function swapProgram(row, step) {
        const target = row + step
        if (target < 0 || target >= programRepeater.count)
            return
        CopyViewController.swapPrograms(userSetId, selectedGroupId, programId(row), programId(target),
                                        selectedGroupRow)
        changed()
    }

    function copyProgram(row) {
        const after = row + 1 < programRepeater.count ? programId(row + 1) : lastElement
        CopyViewController.addProgramCopy(userSetId, selectedGroupId, programId(row), after)
        changed()
    }

    function toggleProgramDeletion(row) {
        const item = programRepeater.itemAt(row)
        CopyViewController.markForDeleteProgram(userSetId, item.programId, !item.marked, selectedGroupRow, row)
        changed()
    }

    Component.onCompleted: selectGroup(0)

    Connections {
        target: groupRepeater

        // Keeps the chosen group when rows come and go (by its id), else the
        // first one.
        function onCountChanged() {
            for (let row = 0; row < groupRepeater.count; ++row) {
                if (packagePage.groupId(row) === packagePage.selectedGroupId) {
                    packagePage.selectGroup(row)
                    return
                }
            }
            packagePage.selectGroup(0)
        }
    }

    PageRectangle {
        id: groupsCard

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        width: Math.round(parent.width * 0.5)

        SectionTitle {
            id: groupsTitle

            x: Style.margin
            y: Style.margin
            text: qsTr("Programmgruppen") + TranslationService.updateString
        }

        Flickable {
            id: groupsFlickable

            anchors.top: groupsTitle.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: addGroupButton.top
            anchors.margins: Style.spacing
            contentHeight: groupColumn.height
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            Column {
                id: groupColumn

                width: groupsFlickable.width

                Repeater {
                    id: groupRepeater

                    objectName: "editGroupsRepeater"
                    model: ProgramPackagesModelEditPage

                    delegate: EditListRow {
                        required property var listIdRole
                        required property var listTextRole
                        required property var listMarkedForDeleteRole
                        required property var listImageSourceRole
                        required property int index

                        readonly property string groupId: listIdRole
                        readonly property string groupName: listTextRole

                        objectName: "editGroup_" + index
                        width: groupColumn.width
                        text: listTextRole
                        imageSource: listImageSourceRole ? listImageSourceRole : ""
                        marked: listMarkedForDeleteRole === true
                        selected: index === packagePage.selectedGroupRow
                        first: index === 0
                        last: index === groupRepeater.count - 1
                        onChosen: packagePage.selectGroup(index)
                        onImageClicked: packagePage.dialogRequested("EditChangeIconDialog", [groupId, index])
                        onRenameClicked: packagePage.dialogRequested("EditProgramGroupNameDialog", [groupId])
                        onCopyClicked: packagePage.copyGroup(index)
                        onMoveClicked: function(step) { packagePage.moveGroup(index, step) }
                        onDeleteClicked: packagePage.toggleGroupDeletion(index)
                        onMarkedChanged: if (index === packagePage.selectedGroupRow) packagePage.selectGroup(index)
                        onGroupNameChanged: if (index === packagePage.selectedGroupRow) packagePage.selectGroup(index)
                    }
                }
            }
        }

        StandardButton {
            id: addGroupButton

            objectName: "addGroupButton"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: Style.margin
            text: qsTr("Programmgruppe hinzufügen") + TranslationService.updateString
            enabled: CopyViewController.isAddProgramGroupEnabled
            onClicked: packagePage.dialogRequested("EditAddProgramGroupDialog", "")
        }
    }

    PageRectangle {
        id: programsCard

        anchors.top: parent.top
        anchors.left: groupsCard.right
        anchors.leftMargin: Style.margin
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        SectionTitle {
            id: programsTitle

            x: Style.margin
            y: Style.margin
            width: parent.width - 2 * Style.margin
            elide: Text.ElideRight
            text: (packagePage.selectedGroupName !== ""
                   ? qsTr("Programme: %1").arg(packagePage.selectedGroupName) : qsTr("Programme"))
                  + TranslationService.updateString
        }

        Flickable {
            id: programsFlickable

            anchors.top: programsTitle.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: programButtons.top
            anchors.margins: Style.spacing
            contentHeight: programColumn.height
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            Column {
                id: programColumn

                width: programsFlickable.width

                Repeater {
                    id: programRepeater

                    objectName: "editProgramsRepeater"
                    model: packagePage.selectedGroupId === "" ? null
                         : (packagePage.revision,
                            CopyViewController.getProgramsForPackage(packagePage.userSetId, packagePage.selectedGroupId))

                    delegate: EditListRow {
                        required property var listIdRole
                        required property var listTextRole
                        required property var listMarkedForDeleteRole
                        required property int index

                        readonly property string programId: listIdRole

                        objectName: "editProgram_" + index
                        width: programColumn.width
                        text: listTextRole
                        marked: listMarkedForDeleteRole === true
                        renamable: false
                        selected: index === packagePage.selectedProgramRow
                        first: index === 0
                        last: index === programRepeater.count - 1
                        onChosen: packagePage.selectedProgramRow = index
                        onCopyClicked: packagePage.copyProgram(index)
                        onMoveClicked: function(step) { packagePage.swapProgram(index, step) }
                        onDeleteClicked: packagePage.toggleProgramDeletion(index)
                    }
                }
            }
        }

        Row {
            id: programButtons

            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: Style.margin
            spacing: Style.spacing

            StandardButton {
                objectName: "addProgramButton"
                text: qsTr("Programm hinzufügen") + TranslationService.updateString
                enabled: packagePage.selectedGroupId !== "" && CopyViewController.isAddUserProgramEnabled
                onClicked: packagePage.dialogRequested("EditAddProgramDialog",
                                                       [packagePage.userSetId, packagePage.selectedGroupId,
                                                        packagePage.selectedGroupRow])
            }

            StandardButton {
                objectName: "openProgramButton"
                text: qsTr("Programm bearbeiten") + TranslationService.updateString
                enabled: packagePage.selectedProgram !== null && !packagePage.selectedProgram.marked
                onClicked: packagePage.programEditRequested(packagePage.selectedGroupId,
                                                            packagePage.selectedProgram.programId)
            }
        }
    }
}
