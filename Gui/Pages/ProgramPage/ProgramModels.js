.pragma library

// Reading the program editor's models from the dialogs, which get only ids.

const idRole = 257
const instrumentIdRole = 257
const instrumentNameRole = 258
const instrumentTypeRole = 259
const instrumentParentIdRole = 279

function column(model, role) {
    const values = []
    for (let row = 0; model && row < model.rowCount(); ++row)
        values.push(model.data(model.index(row, 0), role))
    return values
}

function levelIds(levels) {
    return column(levels, idRole)
}

// The instrument of that id in any level: its type, name and level.
function findInstrument(controller, levels, instrumentId) {
    const ids = levelIds(levels)
    for (let i = 0; i < ids.length; ++i) {
        const model = controller.getInstrumentListForLevel(ids[i])
        for (let row = 0; model && row < model.rowCount(); ++row) {
            const index = model.index(row, 0)
            if (model.data(index, instrumentIdRole) === instrumentId)
                return { levelId: ids[i], row: row, type: model.data(index, instrumentTypeRole),
                         name: model.data(index, instrumentNameRole) }
        }
    }
    return null
}

// The top-level instruments of a level, by id.
function topLevelIds(controller, levelId) {
    const model = controller.getInstrumentListForLevel(levelId)
    const ids = []
    for (let row = 0; model && row < model.rowCount(); ++row) {
        const index = model.index(row, 0)
        const parent = model.data(index, instrumentParentIdRole)
        if (parent === undefined || parent === "")
            ids.push(model.data(index, instrumentIdRole))
    }
    return ids
}
