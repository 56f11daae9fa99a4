import QtQuick 2.15

// Stands in for CopyViewController and the models it publishes, with a few
// demo sets. Every call that changes something is recorded in `calls`.
QtObject {
    id: controller

    readonly property string images: "qrc:/Resources/Images/128x128_content-elemente/"
    readonly property string pictograms: "qrc:/Resources/Images/CopyModul/Programmgruppen/"
    property bool serverViewSelected: false
    property string selectedId: ""
    readonly property bool userSetSelected: selectedId !== ""
    readonly property bool serverUserSetSelected: userSetSelected && typeOf(selectedId) >= 4
    readonly property bool localUserSetSelected: userSetSelected && typeOf(selectedId) <= 3
    property bool isAddProgramGroupEnabled: true
    property bool isAddUserProgramEnabled: true
    property bool modified: false
    property var calls: []
    property var collapsed: ({})
    property var marked: ({})

    property var headers: [
        { type: 1, text: "STANDARD VORLAGEN" }, { type: 2, text: "EIGENE VORLAGEN" },
        { type: 3, text: "QELO 3 DOWNLOADS" }, { type: 4, text: "STANDARD VORLAGEN" },
        { type: 5, text: "QELO 3 DOWNLOADS" }
    ]
    property var userSets: [
        { id: "us1", type: 1, name: "Q3_Allgemeinchirurgie_DE", version: "140", sw: "1.4.0", sn: "", synced: false },
        { id: "us2", type: 1, name: "Q3_Gastroenterologie_DE", version: "140", sw: "1.4.0", sn: "", synced: false },
        { id: "us3", type: 1, name: "Q3_Urology_EN", version: "140", sw: "1.4.0", sn: "", synced: false },
        { id: "us4", type: 2, name: "OP 2 Viszeral", version: "141", sw: "1.4.0", sn: "", synced: false },
        { id: "us5", type: 3, name: "QELO 3 OP 4", version: "140", sw: "1.3.2", sn: "Q3-000123", synced: true },
        { id: "us6", type: 4, name: "Q3_Standard_Thorax_DE", version: "140", sw: "1.4.0", sn: "", synced: false },
        { id: "us7", type: 5, name: "QELO 3 OP 1", version: "139", sw: "1.4.0", sn: "Q3-000042", downloaded: true }
    ]

    signal deviceBusyChanged(bool isBusy)
    signal downloadTimedOut
    signal selectionChanged

    property QtObject allUserSets: QtObject {
        property string filter: ""
        property bool isMultipleSelectionActive: false
        readonly property int visibleCount: controller.allUserSetsFilter.count

        function setFilter(text) {
            filter = text
            controller.rebuild()
        }

        function toggleHeader(id) {
            controller.record("toggleHeader " + id)
            const again = Object.assign({}, controller.collapsed)
            again[id] = !again[id]
            controller.collapsed = again
            controller.rebuild()
        }
    }

    property ListModel allUserSetsFilter: ListModel {}
    property ListModel hardwareModel: ListModel {}
    property ListModel setupModel: ListModel {}
    property ListModel instrumentsModel: ListModel {}
    property ListModel programPackagesModel: ListModel {}
    property ListModel programPackagesModelEditPage: ListModel {}
    property var programs: ({})
    property Component listModel: Component { ListModel {} }

    function record(call) {
        calls = calls.concat([call])
    }

    function typeOf(id) {
        const set = userSets.find(entry => entry.id === id)
        return set ? set.type : 0
    }

    function iconOf(set) {
        if (allUserSets.isMultipleSelectionActive)
            return images + (marked[set.id] ? "checkbox_complete.png" : "checkbox_empty.png")
        if (set.type >= 4 && set.downloaded)
            return images + "herunterladen.png"
        if (set.type === 3 && set.synced)
            return images + "database.png"
        return ""
    }

    function rebuild() {
        allUserSetsFilter.clear()
        const types = serverViewSelected ? [4, 5] : [1, 2, 3]
        for (const header of headers) {
            if (types.indexOf(header.type) < 0)
                continue
            const headerId = "#" + header.type
            allUserSetsFilter.append({ userSetIdRole: headerId, userSetNameRole: header.text, userSetVersionRole: "",
                                       qeloSoftwareVersionRole: "", qeloSerialNumberRole: "",
                                       iconSourceRole: images + (collapsed[headerId] ? "akkordeon_close.png"
                                                                                     : "akkordeon_open.png"),
                                       isHeaderRole: true, isSelectedRole: false })
            if (collapsed[headerId])
                continue
            for (const set of userSets) {
                if (set.type !== header.type || set.name.indexOf(allUserSets.filter) < 0)
                    continue
                allUserSetsFilter.append({ userSetIdRole: set.id, userSetNameRole: set.name,
                                           userSetVersionRole: set.version, qeloSoftwareVersionRole: set.sw,
                                           qeloSerialNumberRole: set.sn, iconSourceRole: iconOf(set),
                                           isHeaderRole: false, isSelectedRole: set.id === selectedId })
            }
        }
    }

    function setServerViewSelected(server) {
        serverViewSelected = server
        selectedId = ""
        rebuild()
    }

    function selectUserSetById(id) {
        record("selectUserSetById " + id)
        selectedId = id
        rebuild()
    }

    function openSelectedUserSet() {
        record("openSelectedUserSet")
        loadModels()
    }

    function loadModels() {
        setupModel.clear()
        setupModel.append({ listIdRole: "AUTOSTART_ERLAUBT", listTextRole: "Autostart erlaubt", listIsSelectedRole: true })
        setupModel.append({ listIdRole: "ZWEI_PEDAL_TEILBAR", listTextRole: "Zweipedal teilbar",
                            listIsSelectedRole: false })
        instrumentsModel.clear()
        for (const name of ["Messer", "Kugel", "Pinzette"])
            instrumentsModel.append({ listIdRole: name, listTextRole: name, listImageSourceRole: "" })
        const groups = [["g1", "Allgemeinchirurgie", "pg_allgemein.png", ["Laparotomie", "Cholezystektomie"]],
                        ["g2", "Gastroenterologie", "pg_gastro.png", ["Polypektomie", "Papillotomie", "APC"]],
                        ["g3", "Urologie", "pg_urologie.png", ["TUR-P"]]]
        const lists = {}
        for (const model of [programPackagesModel, programPackagesModelEditPage]) {
            model.clear()
            for (const group of groups)
                model.append({ listIdRole: group[0], listTextRole: group[1], listMarkedForDeleteRole: false,
                               listImageSourceRole: pictograms + group[2], listIsSelectedRole: false })
        }
        for (const group of groups) {
            const list = listModel.createObject(controller)
            group[3].forEach((name, row) => list.append({ listIdRole: group[0] + "p" + row, listTextRole: name,
                                                           listMarkedForDeleteRole: false }))
            lists[group[0]] = list
        }
        programs = lists
    }

    function getProgramsForPackage(userSetId, packageId) {
        return programs[packageId] || null
    }

    function getProgramGroupCatalogCatalog() {
        const list = listModel.createObject(controller)
        for (const entry of [["ALLGEMEIN", "Allgemein- und Viszeralchirurgie", "pg_allgemein.png"],
                             ["THORAX", "Thoraxchirurgie", "pg_kardio.png"], ["NEUTRAL", "Freitext", "pg_neutral.png"]])
            list.append({ listIdRole: entry[0], listTextRole: entry[1], listImageSourceRole: pictograms + entry[2] })
        return list
    }

    function getPiktograms() {
        const list = listModel.createObject(controller)
        for (const entry of [["ALLGEMEIN", "pg_allgemein.png"], ["KARDIO", "pg_kardio.png"],
                             ["NEUTRAL", "pg_neutral.png"], ["URO", "pg_urologie.png"]])
            list.append({ listIdRole: entry[0], listTextRole: "", listImageSourceRole: pictograms + entry[1] })
        return list
    }

    function edit(call) {
        record(call)
        modified = true
    }

    function getSoftwareRevById(id) {
        const set = userSets.find(entry => entry.id === id)
        return set ? set.sw : ""
    }
    function getUserSetDisplayName(id) {
        const set = userSets.find(entry => entry.id === id)
        return set ? set.name : ""
    }
    function getUserSetBasename(id) { return getUserSetDisplayName(id) }
    function isUserSetModified(id) { return modified && id !== "" }
    function editStart() { record("editStart") }
    function exitEditMode(restore) { record("exitEditMode " + restore) }
    function resetStackView() { record("resetStackView") }
    function addEditViewToStackView() { record("addEditViewToStackView") }
    function restoreUserSet(id) { record("restoreUserSet " + id); modified = false }
    function saveUserSet(id, name) { record("saveUserSet " + id + " " + name); modified = false }
    function userHasLoggedOut() { record("userHasLoggedOut") }
    function exitCopyModule() { record("exitCopyModule") }
    function activateMultiSelection(active) {
        allUserSets.isMultipleSelectionActive = active
        marked = ({})
        rebuild()
    }
    function toggleUserSetMarked(id) {
        record("toggleUserSetMarked " + id)
        const again = Object.assign({}, marked)
        again[id] = !again[id]
        marked = again
        rebuild()
    }
    function deleteSelectedUserSets() { record("deleteSelectedUserSets") }
    function exportSelectedUserSets(directory) { record("exportSelectedUserSets " + directory) }
    function importUserSet(path) { record("importUserSet " + path) }
    function halvoServerDownloadUserSet(id) { record("halvoServerDownloadUserSet " + id) }
    function halvoServerUploadUserSet(id) { record("halvoServerUploadUserSet " + id) }
    function qelo3UploadUserSet(id) { record("qelo3UploadUserSet " + id) }
    function qelo3DownloadUserSet() { record("qelo3DownloadUserSet") }
    function createNewProgramGroup(id, name, pictogram) { edit("createNewProgramGroup " + name + " " + pictogram) }
    function createNewProgram(id, groupId, name, row) { edit("createNewProgram " + groupId + " " + name + " " + row) }
    function addProgramGroupCopy(id, groupId, before) { edit("addProgramGroupCopy " + groupId + " " + before) }
    function addProgramCopy(id, groupId, programId, before) { edit("addProgramCopy " + programId + " " + before) }
    function renameProgramGroup(id, groupId, name) { edit("renameProgramGroup " + groupId + " " + name) }
    function setProgramGroupIcon(id, groupId, pictogram, row) { edit("setProgramGroupIcon " + groupId + " " + pictogram) }
    function moveProgramGroup(id, groupId, before) { edit("moveProgramGroup " + groupId + " " + before) }
    function swapPrograms(id, groupId, first, second, row) { edit("swapPrograms " + first + " " + second) }
    function markForDeleteProgramGroup(id, groupId, mark, row) { edit("markForDeleteProgramGroup " + groupId + " " + mark) }
    function markForDeleteProgram(id, programId, mark, groupRow, row) { edit("markForDeleteProgram " + programId + " " + mark) }
    function setSetupParameter(id, parameter, enabled) { edit("setSetupParameter " + parameter + " " + enabled) }

    Component.onCompleted: rebuild()
}
