import QtQuick 2.15

// Stands in for FileSelectorService: answers with the paths the test sets.
QtObject {
    property string directory: ""
    property string file: ""

    function getExistingDirectory(caption) { return directory }
    function getExistingFile(caption) { return file }
}
