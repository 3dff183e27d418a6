// A menu of a window's menu bar: its entries show their shortcuts, and it is as wide as its
// widest entry needs.
import QtQuick
import QtQuick.Controls.Basic

Menu {
    id: menu

    width: {
        let largura = 200;
        for (let i = 0; i < menu.count; ++i) {
            const entrada = menu.itemAt(i);
            if (entrada !== null)
                largura = Math.max(largura, entrada.implicitWidth);
        }
        return largura + menu.leftPadding + menu.rightPadding;
    }
    delegate: ItemDoMenu {}
}
