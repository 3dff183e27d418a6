// A command of a window's menu. `atalhoMostrado` is the shortcut its entry shows: the action's own
// `shortcut`, or the key of a control of the window that the command stands for (Ctrl+F).
import QtQuick.Controls.Basic

Action {
    property string atalhoMostrado
}
