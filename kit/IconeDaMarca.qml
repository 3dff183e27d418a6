// The brand padlock with three dots, alone or on a rounded tile, drawn from a 120-unit grid.
// The dots pulse in a travelling wave while `animando`; the shackle lifts, turns half a turn
// and drops back with a bounce of the body while `abrindoEFechando` (not with reduced motion).
import QtQuick
import Corvane.App

Item {
    id: marca

    // Tile side for the tile looks; the padlock's height for EstiloDaMarca.Cadeado.
    property real tamanho: 60
    property int estilo: EstiloDaMarca.Azul
    property bool animando: false
    property bool abrindoEFechando: false
    // Milliseconds between changes of the motion; 0 follows every frame. Decoration that runs
    // for long beside other slow motion (the showcase) steps with it, so the window is drawn
    // only on those steps.
    property int passo: 0

    // Seconds into the open-and-close cycle and since the wave began, run by the animations below.
    property real tempoDoCiclo
    property real tempoDaOnda

    readonly property bool soCadeado: estilo === EstiloDaMarca.Cadeado
    readonly property real unidadeDoCadeado: tamanho / 67.5
    readonly property real lado: soCadeado ? 120 * unidadeDoCadeado : tamanho

    implicitWidth: soCadeado ? 50 * unidadeDoCadeado : tamanho
    implicitHeight: tamanho
    Accessible.ignored: true

    MovimentoDoCadeado {
        id: movimento

        objectName: "movimento"
        estilo: marca.estilo
        animando: marca.animando
        abrindoEFechando: marca.abrindoEFechando
        reduzirMovimento: MovimentoReduzido.ativo
        tempoDoCiclo: marca.tempoDoCiclo
        tempoDaOnda: marca.tempoDaOnda
    }

    NumberAnimation on tempoDoCiclo {
        from: 0
        to: 2.4
        duration: 2400
        loops: Animation.Infinite
        running: marca.passo <= 0 && movimento.cicloAtivo && marca.visible
    }

    // The first stretch lets the later dots join one by one; the loop then spans a whole
    // number of swings so it wraps without a jump.
    SequentialAnimation on tempoDaOnda {
        running: marca.passo <= 0 && marca.animando && marca.visible

        NumberAnimation {
            from: 0
            to: 0.28
            duration: 280
        }
        NumberAnimation {
            from: 0.28
            to: 1100.28
            duration: 1100000
            loops: Animation.Infinite
        }
    }

    // The same two clocks in steps of `passo`.
    AnimacaoEmPassos {
        id: cicloEmPassos

        duracao: 2400
        passo: Math.max(1, marca.passo)
        rodando: marca.passo > 0 && movimento.cicloAtivo && marca.visible
        onValorChanged: marca.tempoDoCiclo = valor * 2.4
    }
    AnimacaoEmPassos {
        id: ondaEmPassos

        duracao: 1100000
        passo: Math.max(1, marca.passo)
        rodando: marca.passo > 0 && marca.animando && marca.visible
        onTempoChanged: marca.tempoDaOnda = tempo < 0.28 ? tempo : 0.28 + (tempo - 0.28) % 1100
    }

    Rectangle {
        id: azulejo

        objectName: "azulejo"
        visible: !marca.soCadeado
        width: marca.tamanho
        height: marca.tamanho
        radius: marca.tamanho * 230 / 1024
        color: marca.estilo === EstiloDaMarca.Azul ? Paleta.azul : Paleta.superficie
        border.width: marca.estilo === EstiloDaMarca.Claro ? 1 : 0
        border.color: Paleta.borda
    }

    // The padlock on its grid, scaled from 120 units to `lado`; for the padlock alone the grid is
    // centred on the 50 × 67.5-unit frame of the glyph.
    Item {
        id: desenho

        objectName: "desenho"
        x: marca.soCadeado ? -35 * marca.unidadeDoCadeado : 0
        y: marca.soCadeado ? -26.25 * marca.unidadeDoCadeado : 0
        width: 120
        height: 120
        scale: marca.lado / 120
        transformOrigin: Item.TopLeft
        // No layer: every part is antialiased on its own, and a layer whose content changes is
        // drawn one frame late, which costs the window a second frame for each step.

        // The shackle as a picture with one pixel per point of the mark, painted again only when
        // its shape or colour changes.
        AlcaDoCadeado {
            id: alca

            objectName: "alca"
            width: Math.ceil(marca.lado)
            height: width
            scale: 120 / width
            transformOrigin: Item.TopLeft
            cor: movimento.corDaAlca
            girando: marca.abrindoEFechando
            giro: movimento.giro
            subida: movimento.subida
        }

        Rectangle {
            id: corpo

            objectName: "corpo"
            x: 36
            y: 48 + 1.75
            width: 48
            height: 44
            radius: 6
            color: movimento.corDoCorpo
            transform: Scale {
                origin.x: 24
                origin.y: 44
                xScale: movimento.corpoX
                yScale: movimento.corpoY
            }
        }

        Rectangle {
            objectName: "ponto0"
            x: 44
            y: 66 + 1.75
            width: 8
            height: 8
            radius: 4
            color: movimento.corDosPontos
            scale: movimento.escala0
        }

        Rectangle {
            objectName: "ponto1"
            x: 56
            y: 66 + 1.75
            width: 8
            height: 8
            radius: 4
            color: movimento.corDosPontos
            scale: movimento.escala1
        }

        Rectangle {
            objectName: "ponto2"
            x: 68
            y: 66 + 1.75
            width: 8
            height: 8
            radius: 4
            color: movimento.corDosPontos
            scale: movimento.escala2
        }
    }
}
